#pragma once

// Cubes: a player's own pile of cards to draft or open sealed packs from, kept as a plain-text
// list in the deck-list format ("N Name", "N Name (CODE)", "N [CODE] Name"; comments and blank
// lines skipped; no sideboard) in the program folder's Cubes/. Packs are dealt from the cube
// shuffled once by the run's seed, without replacement: every copy on the list goes into at most
// one pack.

#include "core/carddb/CardsDB.h"
#include "core/carddb/IntList.h"
#include "core/decks/DeckList.h"
#include "core/infra/Error.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Random.h"
#include "core/limited/Booster.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

inline constexpr const char* kCubeExtension = "txt";
inline constexpr const char* kCubeFilter = "Cube lists|*.txt";

// Cards per pack of a cube draft.
inline constexpr int kCubePackSizeMin = 5;
inline constexpr int kCubePackSizeMax = 20;
inline constexpr int kCubePackSizeDefault = 15;
// Packs of a sealed pool from a cube, each of kSealedCubePackSize cards.
inline constexpr int kSealedCubePacksMin = 1;
inline constexpr int kSealedCubePacksMax = 12;
inline constexpr int kSealedCubePacksDefault = 6;
inline constexpr int kSealedCubePackSize = 15;

struct TCube {
    std::string Name;           // the list's file name, without folder and extension
    std::vector<int32_t> Cards; // card-list positions, one per copy, in list order
};

// A cube list that cannot be used: the problems of its lines, as `deck import` reports them.
class CubeProblems : public Error {
public:
    CubeProblems(const std::string& name, std::vector<TListProblem> problems);
    const std::vector<TListProblem>& Problems() const { return problems_; }

private:
    std::vector<TListProblem> problems_;
};

// The cube part of the configuration dialogs: the cubes of Cubes/, the one chosen, whether the
// packs come from it, and a count (a draft's cards per pack, a sealed pool's packs).
struct TCubeChoice {
    std::vector<std::string> Cubes; // by name
    bool UseCube = false;
    int Selected = -1; // a position in Cubes, -1 without any
    int Count = 0;

    // Selects the stored cube (the first when it is not there), keeps the count from `low` to
    // `high`; a cube is used only when there is one.
    void Init(std::vector<std::string> cubes, std::string_view storedCube, bool useCube, int count, int low,
              int high);
    bool HasCubes() const { return !Cubes.empty(); }
    // The selected cube's name, or "" without any.
    std::string Chosen() const;
};

// "Cubes/My cube.txt" -> "My cube".
std::string CubeName(const std::string& path);
// The program folder's Cubes/<name>.txt.
std::string CubePath(std::string_view name);
// The names of the lists in Cubes/, sorted; none when the folder is missing.
std::vector<std::string> CubeNames();

// Reads a cube list (Windows-1252 text; see DecodeListBytes) against the card list. Any line not
// understood or naming a card the list lacks refuses the whole cube with CubeProblems.
TCube ParseCube(std::string_view text, std::string name, const TCardsList& cards);
// The same from a file (UTF-8 or Windows-1252, as deck lists are read).
TCube ReadCube(const std::string& path, const TCardsList& cards);

// Reads a cube once the card database is loaded: the caller's list file, or a draft record's copy.
using TCubeReader = std::function<TCube(const TCardsList& cards)>;

// "The cube has N cards; a draft of 8 × 3 × P needs M", or "" when it has enough.
std::string DraftCubeShortfall(const TCube& cube, int packSize);
// "The cube has N cards; a sealed pool of K × 15 needs M", or "".
std::string SealedCubeShortfall(const TCube& cube, int packs);

// The cube's copies in the order one shuffle by `random` puts them.
std::vector<int32_t> ShuffledCube(const TCube& cube, RandomSource& random);

// The three pack turns of a draft: the cube shuffled once, then dealt `packSize` cards a booster,
// booster 1 to 8 of pack turn 1, then of pack turns 2 and 3. Error with DraftCubeShortfall when
// the cube is too small.
void DealCubeBoosters(const TCube& cube, int packSize, std::array<TBoosterList, 3>& packTurns,
                      RandomSource& random);
// A sealed pool of `packs` packs of kSealedCubePackSize, dealt the same way. Error with
// SealedCubeShortfall when the cube is too small.
void DealCubePool(const TCube& cube, int packs, TIntegerList& pool, RandomSource& random);

} // namespace tovel
