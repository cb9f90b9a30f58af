#include "core/limited/Cube.h"

#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"

#include <algorithm>
#include <filesystem>

namespace tovel {

namespace {

std::string ProblemsMessage(const std::string& name, const std::vector<TListProblem>& problems) {
    std::string text = "The cube \"" + name + "\" cannot be used:\n";
    for (size_t i = 0; i < problems.size() && i < kListedProblems; ++i)
        text += ProblemText(problems[i]) + "\n";
    if (problems.size() > kListedProblems)
        text += "... and " + std::to_string(problems.size() - kListedProblems) + " more\n";
    text.pop_back();
    return text;
}

std::string Shortfall(const TCube& cube, const std::string& what, int64_t needed) {
    const auto has = static_cast<int64_t>(cube.Cards.size());
    if (has >= needed)
        return {};
    return "The cube has " + std::to_string(has) + " cards; a " + what + " needs " + std::to_string(needed);
}

} // namespace

void TCubeChoice::Init(std::vector<std::string> cubes, std::string_view storedCube, bool useCube, int count,
                       int low, int high) {
    Cubes = std::move(cubes);
    const auto at = std::find(Cubes.begin(), Cubes.end(), storedCube);
    Selected = Cubes.empty() ? -1 : at == Cubes.end() ? 0 : static_cast<int>(at - Cubes.begin());
    UseCube = useCube && !Cubes.empty();
    Count = std::clamp(count, low, high);
}

std::string TCubeChoice::Chosen() const {
    return Selected >= 0 && Selected < static_cast<int>(Cubes.size()) ? Cubes[static_cast<size_t>(Selected)]
                                                                      : std::string();
}

CubeProblems::CubeProblems(const std::string& name, std::vector<TListProblem> problems)
    : Error(ProblemsMessage(name, problems)), problems_(std::move(problems)) {}

std::string CubeName(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

std::string CubePath(std::string_view name) {
    return ProgramPath(kCubeFolder) + std::string(name) + "." + kCubeExtension;
}

std::vector<std::string> CubeNames() {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(ProgramPath(kCubeFolder), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::path& path = it->path();
        if (path.extension() == std::string(".") + kCubeExtension && it->is_regular_file(ec))
            names.push_back(path.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TCube ParseCube(std::string_view text, std::string name, const TCardsList& cards) {
    TDeckList list = ReadDeckList(text, cards, TListZones::MainOnly);
    if (!list.Problems.empty())
        throw CubeProblems(name, std::move(list.Problems));
    TCube cube;
    cube.Name = std::move(name);
    int64_t copies = 0;
    for (const TListCard& card : list.Cards)
        copies += card.Count;
    cube.Cards.reserve(static_cast<size_t>(copies));
    for (const TListCard& card : list.Cards)
        cube.Cards.insert(cube.Cards.end(), static_cast<size_t>(card.Count), card.Position);
    return cube;
}

TCube ReadCube(const std::string& path, const TCardsList& cards) {
    return ParseCube(DecodeListBytes(ReadWholeFile(path)), CubeName(path), cards);
}

std::string DraftCubeShortfall(const TCube& cube, int packSize) {
    return Shortfall(
        cube, "draft of " + std::to_string(kTableSeats) + " \u00D7 3 \u00D7 " + std::to_string(packSize),
        int64_t{kTableSeats} * 3 * packSize);
}

std::string SealedCubeShortfall(const TCube& cube, int packs) {
    return Shortfall(
        cube, "sealed pool of " + std::to_string(packs) + " \u00D7 " + std::to_string(kSealedCubePackSize),
        int64_t{packs} * kSealedCubePackSize);
}

std::vector<int32_t> ShuffledCube(const TCube& cube, RandomSource& random) {
    std::vector<int32_t> cards = cube.Cards;
    for (size_t i = cards.size(); i > 1; --i)
        std::swap(cards[i - 1], cards[static_cast<size_t>(random.Random(static_cast<int>(i)))]);
    return cards;
}

void DealCubeBoosters(const TCube& cube, int packSize, std::array<TBoosterList, 3>& packTurns,
                      RandomSource& random) {
    if (const std::string shortfall = DraftCubeShortfall(cube, packSize); !shortfall.empty())
        throw Error(shortfall);
    const std::vector<int32_t> cards = ShuffledCube(cube, random);
    auto next = cards.begin();
    for (TBoosterList& turn : packTurns) {
        turn.Clear();
        for (int seat = 0; seat < kTableSeats; ++seat) {
            TBoosterItem& booster = turn.Add();
            for (int i = 0; i < packSize; ++i)
                booster.Cards.Add(*next++);
        }
    }
}

void DealCubePool(const TCube& cube, int packs, TIntegerList& pool, RandomSource& random) {
    if (const std::string shortfall = SealedCubeShortfall(cube, packs); !shortfall.empty())
        throw Error(shortfall);
    const std::vector<int32_t> cards = ShuffledCube(cube, random);
    pool.Clear();
    for (size_t i = 0; i < static_cast<size_t>(packs) * kSealedCubePackSize; ++i)
        pool.Add(cards[i]);
}

} // namespace tovel
