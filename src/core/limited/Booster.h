#pragma once

// Packs: the compositions of Data/boosters.ini, the per-edition card pools, the random drawing
// of boosters and starters, composite packs of several editions, and the turning of a
// configured pack name into packs. Shared by the draft and the sealed generator.

#include "core/carddb/CardsDB.h"
#include "core/carddb/Editions.h"
#include "core/carddb/IntList.h"
#include "core/infra/IniFile.h"
#include "core/infra/Random.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// The composition of one pack. Name is the edition code it is configured under.
struct TBoosterConfig {
    std::string Name;
    int32_t Commons = 0;
    int32_t Uncommons = 0;
    int32_t Rares = 0;
};

enum class TPackShape { Booster, Starter };

// 11 commons, 3 uncommons, 1 rare; a starter 32, 10 and 3.
const TBoosterConfig& DefaultComposition(TPackShape shape);

// The special compositions of boosters.ini: its [SpecialBoosters] and [SpecialStarters]
// entries in file order.
struct TPackCompositions {
    std::vector<TBoosterConfig> Boosters;
    std::vector<TBoosterConfig> Starters;

    // The composition a draw uses: the default for the shape when the name is empty or has no
    // special entry, else the first special entry of that name (exact match).
    const TBoosterConfig& Of(TPackShape shape, std::string_view compositionName) const;
};

// A count text such as "1R3U11C": numbers each closed by R, U or C. A number that cannot be
// read gives that letter's default (1, 3, 11); a letter that does not occur gives 0.
TBoosterConfig ParseBoosterConfig(std::string_view countText);

// The fewest and the most cards one pack may hold: every seat of a draft table picks from each
// booster at least once, and no pack is bigger than a few starters.
inline constexpr int kMinPackCards = 8;
inline constexpr int kMaxPackCards = 200;

// A line of boosters.ini that cannot be used, and why (UTF-8).
struct TBoosterIniProblem {
    int Line = 0; // 1-based
    std::string Text;
    std::string Reason;
};

// boosters.ini read strictly. Problems: each bad line once, in file order: a count text that is
// not numbers of 1 or more each closed by R, U or C (a letter alone is its default), a letter
// given twice, a composite pack naming an edition that does not exist or making a pack of fewer
// than kMinPackCards or more than kMaxPackCards cards, a second entry of a key or a section, a
// line that is not "key=value", a section the file does not use. RefusedPacks: the [Complex]
// packs that are not offered and cannot be drafted, because of their own line or a bad
// composition of a member; single editions always work.
struct TBoosterIniCheck {
    std::vector<TBoosterIniProblem> Problems;
    std::vector<std::string> RefusedPacks;

    bool Refused(std::string_view packName) const;
    // The problem that refuses a pack (its own line, else its first bad member's), or null.
    const TBoosterIniProblem* ProblemOf(std::string_view packName) const;

private:
    friend TBoosterIniCheck CheckBoostersIni(const IniDocument& ini, const TTextList& editions);
    std::vector<size_t> refusedBy_; // for each refused pack, its problem's index
};
TBoosterIniCheck CheckBoostersIni(const IniDocument& ini, const TTextList& editions);

// "Data/boosters.ini, line 7: TX=0R3U5C - a count below 1", UTF-8.
std::string BoosterProblemText(const TBoosterIniProblem& problem);
// What the configuration dialogs and the CLI show of Data/boosters.ini: one line per problem of
// CheckBoostersIni on it with EditionList() (lines joined by "\n"), or why it cannot be read at
// all (IniFile::ReadProblem), or "" when it has no problem (or is not there).
std::string BoostersIniReport();

// The special compositions of the document (or the file; a missing one reads as empty).
TPackCompositions ReadPackCompositions(const IniDocument& ini);
TPackCompositions ReadPackCompositions(const std::string& path);

// ProgramPath(kBoostersFile).
std::string BoostersIniPath();
// What the draft and sealed tables read before they deal: the program folder's edition list
// (into EditionList()).
void LoadLimitedTableData();

// The value of the first [Complex] entry whose key equals the pack name exactly, or "".
std::string FindComplexPack(const IniDocument& ini, std::string_view packName);

// The card pools of one edition: positions in the card list, ascending, by rarity.
class TEditionCards {
public:
    TIntegerList Rares;
    TIntegerList Uncommons;
    TIntegerList Commons;

    // The compositions draws from these pools use by name; kept by ClearPools and LoadEdition.
    TPackCompositions Compositions;

    void ClearPools();
    // Fills the pools with the cards whose Edition equals the code exactly; basic lands and any
    // other rarity are skipped. The card list must outlive the draws made from these pools.
    void LoadEdition(const TCardsList& cards, std::string_view edition);

    const TCardsList* Cards() const { return cards_; }
    const std::string& Edition() const { return edition_; }

private:
    const TCardsList* cards_ = nullptr;
    std::string edition_;
};

// One pack: card-list positions in drawing order (rares, uncommons, commons; member by member).
struct TBoosterItem {
    TIntegerList Cards;
};

// The eight boosters of one pack turn; item i is booster number i + 1.
class TBoosterList {
public:
    // References stay valid until Clear.
    TBoosterItem& Add() { return items_.emplace_back(); }
    TBoosterItem& Items(int index) { return items_[static_cast<size_t>(index)]; }
    const TBoosterItem& Items(int index) const { return items_[static_cast<size_t>(index)]; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }

private:
    std::deque<TBoosterItem> items_;
};

inline constexpr int kTableSeats = 8;

// Loads the card database before packs are drawn: Data/base.txt restricted to an editions
// filter ("AAA;BBB;", empty for everything). Tests put cards in memory instead.
using TCardLoader = std::function<void(TCardsList& cards, const std::string& editionsFilter)>;
TCardLoader DefaultCardLoader();

// Draws one pack into the target (emptied first when fresh). A card enters at most once per
// target and never when it is banned in draft. Error "Not enough rare cards in edition X" (or
// uncommon, common) before anything is drawn when a pool cannot fill its count.
void GeneratePack(TPackShape shape, TIntegerList& target, const TEditionCards& pools,
                  std::string_view compositionName, bool fresh, RandomSource& random);
inline void GenerateBooster(TIntegerList& target, const TEditionCards& pools,
                            std::string_view compositionName, bool fresh, RandomSource& random) {
    GeneratePack(TPackShape::Booster, target, pools, compositionName, fresh, random);
}
inline void GenerateStarter(TIntegerList& target, const TEditionCards& pools,
                            std::string_view compositionName, bool fresh, RandomSource& random) {
    GeneratePack(TPackShape::Starter, target, pools, compositionName, fresh, random);
}

// One booster for each of the eight seats. Fresh: the list is emptied and eight new boosters
// drawn; otherwise a booster is appended to each of the items 0 to 7.
void GenerateTableBoosters(TBoosterList& boosters, const TEditionCards& pools,
                           std::string_view compositionName, bool fresh, RandomSource& random);

// The packs the configuration dialogs offer, as "name;display name" lines: the editions list,
// with a composite pack at the place (and under the display name) of its first member, and the
// members of composite packs left out.
void BuildPackChoices(TTextList& choices, const TTextList& editions, const IniDocument& boosters);
// The same on EditionList() and Data/boosters.ini.
void BuildPackChoices(TTextList& choices);

// A configured pack name to an edition code or a "+"-joined member list. An exact edition code
// stays; anything else is looked up in [Complex]; nothing found is "Incorrect booster config".
// `boostersProblem` is why boosters.ini read as empty (IniFile::ReadProblem), added to the error.
std::string ResolvePackName(std::string_view packName, const TTextList& editions, const IniDocument& boosters,
                            std::string_view boostersProblem = {});

// Draws the packs of a resolved name: a member list one full pack per member, each of that
// member's special composition, all into the same pack; an edition code one pack of the default
// composition. `lastFilled` is the resolved name the pools were last filled for in this run
// (start a run with it empty): a single edition equal to it does not reload the pools.
void FillPacks(std::string_view resolvedName, TPackShape shape, TIntegerList& target, TEditionCards& pools,
               const TCardsList& cards, std::string& lastFilled, RandomSource& random);
// The draft form: eight boosters into a pack turn.
void FillPacks(std::string_view resolvedName, TBoosterList& target, TEditionCards& pools,
               const TCardsList& cards, std::string& lastFilled, RandomSource& random);

} // namespace tovel
