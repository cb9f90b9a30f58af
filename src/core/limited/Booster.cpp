#include "core/limited/Booster.h"

#include "core/carddb/CardDatabase.h"
#include "core/infra/Error.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Text.h"
#include "core/infra/Words.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace tovel {

namespace {

constexpr std::string_view kComplex = "Complex";

std::vector<TBoosterConfig> ReadConfigs(const IniDocument& ini, std::string_view section) {
    std::vector<TBoosterConfig> configs;
    for (const auto& [key, value] : ini.Entries(section)) {
        TBoosterConfig config = ParseBoosterConfig(value);
        config.Name = key;
        configs.push_back(std::move(config));
    }
    return configs;
}

// A member list as stored, without the one trailing ";" the format tolerates.
std::string_view WithoutTrailingSemicolon(std::string_view text) {
    if (!text.empty() && text.back() == ';')
        text.remove_suffix(1);
    return text;
}

// Positions already in a target, for draws that must not repeat one.
using TMembers = std::unordered_set<int32_t>;

// The distinct cards of a pool that could still enter the target: not banned in draft, not in it.
int AcceptableCount(const TIntegerList& pool, const TMembers& inTarget, const TCardsList& cards) {
    TMembers counted;
    for (int32_t index : pool)
        if (IsDraftable(cards.Items(index)) && !inTarget.contains(index))
            counted.insert(index);
    return static_cast<int>(counted.size());
}

// Draws at random from the whole pool and retries a card that may not enter, as packs have
// always been drawn (the same random numbers give the same packs). Once so few acceptable
// cards are left that retries would dominate, the rest is drawn from the acceptable cards
// alone, so a composition as large as its pool still costs linear time.
void DrawFromPool(const TIntegerList& pool, int count, int acceptable, TIntegerList& target,
                  TMembers& inTarget, const TCardsList& cards, RandomSource& random) {
    constexpr int64_t kRetriesPerDraw = 8;
    int drawn = 0;
    while (drawn < count && acceptable * kRetriesPerDraw >= pool.Count()) {
        const int32_t index = pool.Items(random.Random(pool.Count()));
        if (inTarget.contains(index) || !IsDraftable(cards.Items(index)))
            continue;
        target.Add(index);
        inTarget.insert(index);
        ++drawn;
        --acceptable;
    }
    if (drawn == count)
        return;
    std::vector<int32_t> left;
    for (int32_t index : pool)
        if (IsDraftable(cards.Items(index)) && !inTarget.contains(index)) {
            inTarget.insert(index); // each card once, however often the pool lists it
            left.push_back(index);
        }
    for (int32_t index : left)
        inTarget.erase(index);
    for (; drawn < count && !left.empty(); ++drawn) {
        const size_t at = static_cast<size_t>(random.Random(static_cast<int>(left.size())));
        const int32_t index = left[at];
        left[at] = left.back();
        left.pop_back();
        target.Add(index);
        inTarget.insert(index);
    }
}

} // namespace

const TBoosterConfig& DefaultComposition(TPackShape shape) {
    static const TBoosterConfig booster{"", 11, 3, 1};
    static const TBoosterConfig starter{"", 32, 10, 3};
    return shape == TPackShape::Starter ? starter : booster;
}

const TBoosterConfig& TPackCompositions::Of(TPackShape shape, std::string_view compositionName) const {
    if (!compositionName.empty())
        for (const TBoosterConfig& config : shape == TPackShape::Starter ? Starters : Boosters)
            if (config.Name == compositionName)
                return config;
    return DefaultComposition(shape);
}

TBoosterConfig ParseBoosterConfig(std::string_view countText) {
    TBoosterConfig config;
    std::string pending;
    for (char c : countText) {
        if (c != 'R' && c != 'U' && c != 'C') {
            pending += c;
            continue;
        }
        const std::optional<int32_t> number = ParseInt(pending);
        pending.clear();
        if (c == 'R')
            config.Rares = number.value_or(1);
        else if (c == 'U')
            config.Uncommons = number.value_or(3);
        else
            config.Commons = number.value_or(11);
    }
    return config;
}

namespace {

constexpr std::string_view kSpecialBoosters = "SpecialBoosters";
constexpr std::string_view kSpecialStarters = "SpecialStarters";

// Why a count text cannot be read strictly, or "".
std::string CountTextProblem(std::string_view text) {
    if (Trim(text).empty())
        return "no counts";
    bool seen[3] = {};
    std::string_view pending;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const size_t letter = c == 'R' ? 0 : c == 'U' ? 1 : c == 'C' ? 2 : 3;
        if (letter == 3)
            continue;
        pending = text.substr(start, i - start);
        start = i + 1;
        if (seen[letter])
            return std::string("the letter ") + c + " is given twice";
        seen[letter] = true;
        if (pending.empty())
            continue; // the letter's default
        const std::optional<int32_t> number = ParseInt(pending);
        if (!number)
            return "\"" + QuoteLine(pending) + "\" before " + c + " is not a number";
        if (*number < 1)
            return "a count below 1 (" + std::string(pending) + c + ")";
    }
    if (start < text.size())
        return "\"" + QuoteLine(text.substr(start)) + "\" is not closed by R, U or C";
    return {};
}

int64_t PackCards(const TBoosterConfig& config) {
    return int64_t{config.Rares} + config.Uncommons + config.Commons;
}

} // namespace

bool TBoosterIniCheck::Refused(std::string_view packName) const {
    return std::find(RefusedPacks.begin(), RefusedPacks.end(), packName) != RefusedPacks.end();
}

const TBoosterIniProblem* TBoosterIniCheck::ProblemOf(std::string_view packName) const {
    const auto at = std::find(RefusedPacks.begin(), RefusedPacks.end(), packName);
    if (at == RefusedPacks.end())
        return nullptr;
    return &Problems[refusedBy_[static_cast<size_t>(at - RefusedPacks.begin())]];
}

TBoosterIniCheck CheckBoostersIni(const IniDocument& ini, const TTextList& editions) {
    TBoosterIniCheck check;
    struct Composition {
        TBoosterConfig config;
        int problem = -1; // the index of its line's problem
    };
    struct Pack {
        std::string name;
        std::string members;
        int line = 0;
        int problem = -1;
        std::string lineText;
    };
    // The first entry of each key, as the lookups take them.
    std::vector<std::pair<std::string, Composition>> boosters, starters;
    std::vector<Pack> packs;
    std::vector<std::string> sectionsSeen;

    const auto report = [&check](int line, std::string_view lineText, std::string reason) {
        check.Problems.push_back(
            {line, std::string(lineText.substr(0, kQuotedLineBytes + 1)), std::move(reason)});
        return static_cast<int>(check.Problems.size()) - 1;
    };
    const auto find = [](auto& table, std::string_view key) {
        return std::find_if(table.begin(), table.end(),
                            [&](const auto& entry) { return entry.first == key; });
    };

    enum class Section { None, Complex, Boosters, Starters, Other } section = Section::None;
    for (size_t index = 0; index < ini.LineCount(); ++index) {
        const int line = static_cast<int>(index) + 1;
        const std::string_view t = Trim(ini.LineText(index));
        if (t.empty() || t[0] == ';')
            continue;
        if (t[0] == '[') {
            const size_t close = t.find(']');
            const std::string_view name =
                Trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            const bool again =
                std::any_of(sectionsSeen.begin(), sectionsSeen.end(),
                            [&](const std::string& seen) { return EqualsIgnoreAsciiCase(seen, name); });
            sectionsSeen.emplace_back(name);
            section = EqualsIgnoreAsciiCase(name, kComplex)           ? Section::Complex
                      : EqualsIgnoreAsciiCase(name, kSpecialBoosters) ? Section::Boosters
                      : EqualsIgnoreAsciiCase(name, kSpecialStarters) ? Section::Starters
                                                                      : Section::Other;
            if (section == Section::Other)
                report(line, t,
                       "a section the file does not use ([Complex], [SpecialBoosters], [SpecialStarters])");
            else if (again)
                report(line, t, "a second [" + Cp1252ToUtf8(name) + "] section, which is not read");
            if (again)
                section = Section::Other;
            continue;
        }
        if (section == Section::Other)
            continue; // reported with its heading
        const size_t eq = t.find('=');
        if (eq == std::string_view::npos || section == Section::None) {
            report(line, t, section == Section::None ? "a line before any section" : "not a key=value line");
            continue;
        }
        const std::string key(Trim(t.substr(0, eq)));
        const std::string_view value = Trim(t.substr(eq + 1));
        if (section == Section::Complex) {
            if (std::any_of(packs.begin(), packs.end(), [&](const Pack& pack) { return pack.name == key; })) {
                report(line, t, "a second entry for " + Cp1252ToUtf8(key) + " (the first is used)");
                continue;
            }
            packs.push_back({key, std::string(WithoutTrailingSemicolon(value)), line, -1,
                             std::string(t.substr(0, kQuotedLineBytes + 1))});
            continue;
        }
        auto& table = section == Section::Boosters ? boosters : starters;
        if (find(table, key) != table.end()) {
            report(line, t, "a second entry for " + Cp1252ToUtf8(key) + " (the first is used)");
            continue;
        }
        Composition composition{ParseBoosterConfig(value), -1};
        if (std::string problem = CountTextProblem(value); !problem.empty())
            composition.problem = report(line, t, std::move(problem));
        else if (editions.IndexOfName(key) < 0)
            report(line, t, "no edition " + Cp1252ToUtf8(key));
        table.emplace_back(key, composition);
    }

    // Composite packs, once every composition is known. A problem found here belongs to the
    // pack's line; it goes in line order among the others.
    for (Pack& pack : packs) {
        std::string reason;
        int badMember = -1;
        const int members = CountWords(pack.members, "+");
        if (members == 0)
            reason = "no editions";
        std::array<int64_t, 2> cards{};
        for (int i = 1; i <= members && reason.empty(); ++i) {
            const std::string_view member = NthWord(i, pack.members, "+", true);
            if (editions.IndexOfName(member) < 0) {
                reason = "no edition " + Cp1252ToUtf8(member);
                break;
            }
            for (size_t shape = 0; shape < 2; ++shape) {
                const auto& table = shape == 0 ? boosters : starters;
                const auto entry = find(table, member);
                if (entry == table.end()) {
                    cards[shape] +=
                        PackCards(DefaultComposition(shape == 0 ? TPackShape::Booster : TPackShape::Starter));
                } else if (entry->second.problem >= 0) {
                    if (badMember < 0)
                        badMember = entry->second.problem;
                } else {
                    cards[shape] += PackCards(entry->second.config);
                }
            }
        }
        for (size_t shape = 0; shape < 2 && reason.empty() && badMember < 0; ++shape)
            if (cards[shape] < kMinPackCards || cards[shape] > kMaxPackCards)
                reason = std::string(shape == 0 ? "a booster" : "a starter") + " of " +
                         std::to_string(cards[shape]) + " cards (a pack holds " +
                         std::to_string(kMinPackCards) + " to " + std::to_string(kMaxPackCards) + ")";
        if (!reason.empty())
            pack.problem = report(pack.line, pack.lineText, std::move(reason));
        else
            pack.problem = badMember;
        if (pack.problem >= 0) {
            check.RefusedPacks.push_back(pack.name);
            check.refusedBy_.push_back(static_cast<size_t>(pack.problem));
        }
    }
    // Line order, keeping each refused pack's problem.
    std::vector<size_t> order(check.Problems.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return check.Problems[a].Line < check.Problems[b].Line; });
    std::vector<size_t> placeOf(order.size());
    std::vector<TBoosterIniProblem> sorted;
    for (size_t i = 0; i < order.size(); ++i) {
        placeOf[order[i]] = i;
        sorted.push_back(std::move(check.Problems[order[i]]));
    }
    check.Problems = std::move(sorted);
    for (size_t& index : check.refusedBy_)
        index = placeOf[index];
    return check;
}

std::string BoosterProblemText(const TBoosterIniProblem& problem) {
    return std::string(kBoostersFile) + ", line " + std::to_string(problem.Line) + ": " +
           QuoteLine(problem.Text) + " - " + problem.Reason;
}

std::string BoostersIniReport() {
    const IniFile file(BoostersIniPath());
    // A file that cannot be read at all says so: it then holds no composite packs.
    if (std::string problem = file.ReadProblem(); !problem.empty())
        return problem;
    const TBoosterIniCheck check = CheckBoostersIni(file.Load(), EditionList());
    std::string report;
    for (const TBoosterIniProblem& problem : check.Problems)
        report += (report.empty() ? "" : "\n") + BoosterProblemText(problem);
    return report;
}

TPackCompositions ReadPackCompositions(const IniDocument& ini) {
    return {ReadConfigs(ini, "SpecialBoosters"), ReadConfigs(ini, "SpecialStarters")};
}

TPackCompositions ReadPackCompositions(const std::string& path) {
    return ReadPackCompositions(IniFile(path).Load());
}

TCardLoader DefaultCardLoader() {
    return [](TCardsList& cards, const std::string& filter) {
        LoadCardDatabase(cards, ProgramPath(kCardDatabaseFile), filter);
    };
}

std::string BoostersIniPath() {
    return ProgramPath(kBoostersFile);
}

void LoadLimitedTableData() {
    LoadEditionList(EditionList(), ProgramPath(kEditionsFile));
}

std::string FindComplexPack(const IniDocument& ini, std::string_view packName) {
    for (const auto& [key, value] : ini.Entries(kComplex))
        if (key == packName)
            return value;
    return {};
}

void TEditionCards::ClearPools() {
    Rares.Clear();
    Uncommons.Clear();
    Commons.Clear();
}

void TEditionCards::LoadEdition(const TCardsList& cards, std::string_view edition) {
    ClearPools();
    cards_ = &cards;
    edition_ = std::string(edition);
    const int count = cards.Count();
    for (int i = 0; i < count; ++i) {
        const TCardItem& card = cards.Items(i);
        if (card.Edition != edition)
            continue;
        switch (card.Rarity) {
        case TRarity::C:
            Commons.Add(i);
            break;
        case TRarity::U:
            Uncommons.Add(i);
            break;
        case TRarity::R:
            Rares.Add(i);
            break;
        default:
            break;
        }
    }
}

void GeneratePack(TPackShape shape, TIntegerList& target, const TEditionCards& pools,
                  std::string_view compositionName, bool fresh, RandomSource& random) {
    const TBoosterConfig& config = pools.Compositions.Of(shape, compositionName);
    TMembers inTarget;
    if (!fresh)
        inTarget.insert(target.begin(), target.end());
    const struct {
        const TIntegerList& pool;
        int count;
        const char* word;
    } steps[] = {{pools.Rares, config.Rares, "rare"},
                 {pools.Uncommons, config.Uncommons, "uncommon"},
                 {pools.Commons, config.Commons, "common"}};

    // Rejection sampling could never finish on a pool that cannot fill its count, so check
    // every count before anything is drawn.
    int acceptable[3] = {};
    for (size_t k = 0; k < 3; ++k) {
        const auto& step = steps[k];
        if (step.count <= 0)
            continue;
        if (pools.Cards())
            acceptable[k] = AcceptableCount(step.pool, inTarget, *pools.Cards());
        if (!pools.Cards() || acceptable[k] < step.count)
            throw Error(std::string("Not enough ") + step.word + " cards in edition " +
                        QuoteLine(pools.Edition()));
    }

    if (fresh)
        target.Clear();
    for (size_t k = 0; k < 3; ++k)
        if (steps[k].count > 0)
            DrawFromPool(steps[k].pool, steps[k].count, acceptable[k], target, inTarget, *pools.Cards(),
                         random);
}

void GenerateTableBoosters(TBoosterList& boosters, const TEditionCards& pools,
                           std::string_view compositionName, bool fresh, RandomSource& random) {
    if (fresh)
        boosters.Clear();
    while (boosters.Count() < kTableSeats)
        boosters.Add();
    for (int i = 0; i < kTableSeats; ++i)
        GeneratePack(TPackShape::Booster, boosters.Items(i).Cards, pools, compositionName, fresh, random);
}

void BuildPackChoices(TTextList& choices, const TTextList& editions, const IniDocument& boosters) {
    choices.Lines = editions.Lines;
    const auto complex = boosters.Entries(kComplex);
    // A composite pack that cannot be made is not offered (its members stay hidden all the same).
    const TBoosterIniCheck check = CheckBoostersIni(boosters, editions);

    for (std::string& line : choices.Lines) {
        const std::string_view code = std::string_view(line).substr(0, line.find(';'));
        for (const auto& [key, value] : complex) {
            const std::string_view members = WithoutTrailingSemicolon(value);
            if (members.substr(0, members.find('+')) != code || check.Refused(key))
                continue;
            const size_t semicolon = line.find(';');
            const std::string display =
                semicolon == std::string::npos ? std::string() : line.substr(semicolon + 1);
            line = key + ";" + display;
            break;
        }
    }

    auto isMember = [&](std::string_view name) {
        for (const auto& entry : complex) {
            const std::string_view members = WithoutTrailingSemicolon(entry.second);
            const int count = CountWords(members, "+");
            for (int i = 1; i <= count; ++i)
                if (NthWord(i, members, "+", true) == name)
                    return true;
        }
        return false;
    };
    std::erase_if(choices.Lines, [&](const std::string& line) {
        return isMember(std::string_view(line).substr(0, line.find(';')));
    });
}

void BuildPackChoices(TTextList& choices) {
    BuildPackChoices(choices, EditionList(), IniFile(BoostersIniPath()).Load());
}

namespace {

std::string FinishResolving(std::string_view packName, bool isEdition, std::string resolved,
                            std::string_view boostersProblem) {
    if (isEdition)
        return std::string(packName);
    resolved = std::string(WithoutTrailingSemicolon(resolved));
    // A [Complex] value that names no edition at all is as unusable as a missing one. When
    // boosters.ini could not be read, the message says so: that is the likely cause.
    if (CountWords(resolved, "+") == 0)
        throw Error(boostersProblem.empty()
                        ? std::string("Incorrect booster config")
                        : "Incorrect booster config (" + std::string(boostersProblem) + ")");
    return resolved;
}

} // namespace

std::string ResolvePackName(std::string_view packName, const TTextList& editions, const IniDocument& boosters,
                            std::string_view boostersProblem) {
    const bool isEdition = editions.IndexOfName(packName) >= 0;
    std::string resolved =
        FinishResolving(packName, isEdition, isEdition ? std::string() : FindComplexPack(boosters, packName),
                        boostersProblem);
    // A composite pack that names editions but cannot be made says why.
    if (!isEdition)
        if (const TBoosterIniCheck check = CheckBoostersIni(boosters, editions); check.Refused(packName))
            throw Error("Incorrect booster config (" + BoosterProblemText(*check.ProblemOf(packName)) + ")");
    return resolved;
}

namespace {

template <typename Draw>
void FillFromName(std::string_view resolvedName, TEditionCards& pools, const TCardsList& cards,
                  std::string& lastFilled, Draw draw) {
    if (resolvedName.find('+') != std::string_view::npos) {
        // The pools end up holding the last member: never what a single edition name asks for.
        lastFilled = std::string(resolvedName);
        const int count = CountWords(resolvedName, "+");
        for (int i = 1; i <= count; ++i) {
            const std::string_view member = NthWord(i, resolvedName, "+", true);
            pools.LoadEdition(cards, member);
            draw(member, i == 1);
        }
    } else {
        if (lastFilled != resolvedName || pools.Cards() != &cards) {
            pools.LoadEdition(cards, resolvedName);
            lastFilled = std::string(resolvedName);
        }
        draw(std::string_view(), true);
    }
}

} // namespace

void FillPacks(std::string_view resolvedName, TPackShape shape, TIntegerList& target, TEditionCards& pools,
               const TCardsList& cards, std::string& lastFilled, RandomSource& random) {
    FillFromName(resolvedName, pools, cards, lastFilled, [&](std::string_view composition, bool fresh) {
        GeneratePack(shape, target, pools, composition, fresh, random);
    });
}

void FillPacks(std::string_view resolvedName, TBoosterList& target, TEditionCards& pools,
               const TCardsList& cards, std::string& lastFilled, RandomSource& random) {
    FillFromName(resolvedName, pools, cards, lastFilled, [&](std::string_view composition, bool fresh) {
        GenerateTableBoosters(target, pools, composition, fresh, random);
    });
}

} // namespace tovel
