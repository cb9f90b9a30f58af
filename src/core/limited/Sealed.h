#pragma once

// The sealed pool: every configured starter and booster drawn at once, written as a deck.

#include "core/carddb/CardsDB.h"
#include "core/carddb/IntList.h"
#include "core/infra/Random.h"
#include "core/limited/Booster.h"
#include "core/limited/Cube.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

// The most packs one sealed pool opens.
inline constexpr int kMaxSealedPacks = 100;

// Why a Sealed/Config text cannot be opened, or "" when it can: it names no pack, an item's type
// letter is not S (a starter) or B (a booster), or it names more than kMaxSealedPacks packs.
std::string SealedConfigProblem(std::string_view config);

// Draws the pool of a Sealed/Config text ("SAAA;BAAA;BX;"): every name is resolved before the
// card database is loaded (whole), then each item adds one pack in order. False when the text
// is empty: nothing is loaded or drawn. Error SealedConfigProblem for any other text it cannot
// open, before anything is loaded; else errors as the packs report them ("Incorrect booster
// config", a pool shortfall) or the loader's.
bool GenerateSealedPool(std::string_view config, TCardsList& cards, TIntegerList& pool, RandomSource& random,
                        const TCardLoader& loader);

// Deals a pool of `packs` packs of kSealedCubePackSize from a cube: the card database is loaded
// (whole), then the cube read from it and shuffled once. Errors: the cube's, its shortfall, the
// loader's.
void GenerateCubePool(const TCubeReader& readCube, int packs, TCardsList& cards, TIntegerList& pool,
                      RandomSource& random, const TCardLoader& loader);

class SettingsStore;
// The sealed configuration dialog's cube: CubeNames() and Sealed/Cube, Sealed/UseCube and
// Sealed/CubePacks (Count: the packs); storing writes them back.
TCubeChoice LoadSealedCube(const SettingsStore& settings);
void StoreSealedCube(const TCubeChoice& choice, SettingsStore& settings);

// The pool as main-deck lines, one per distinct card in order of first occurrence.
void WritePool(const TCardsList& cards, const TIntegerList& pool, const std::string& path);

// The generator of the main window: Sealed/Config drawn (or, with Sealed/UseCube, the packs of
// Sealed/Cube dealt) into the global card list and written to Temp/temp.dec. True when the file was written
// and the deck designer should open on it. Seeds from the clock unless a fixed seed is given.
bool GenerateSealed(std::optional<uint32_t> fixedSeed = std::nullopt);

} // namespace tovel
