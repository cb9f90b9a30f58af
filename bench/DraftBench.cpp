// One whole draft after the card database is loaded: resolving the three pack names, drawing
// three pack turns of eight boosters, and 8 seats x 45 picks with the log, on the sample world.

#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardText.h"
#include "core/carddb/Editions.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "core/limited/DraftEngine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace tovel;

namespace {

void RunDrafts(benchmark::State& state, const char* config) {
    SetProgramDir(std::filesystem::path(TOVEL_DATA_SOURCE).parent_path().string() + "/");
    TDraftEngine::LoadTableData();
    TCardsList cards;
    LoadCardDatabase(cards, ProgramPath(kCardDatabaseFile), "VR;HK;EM;TX;9E;");
    // The draft's "finished" notice must not reach a terminal inside the timing loop.
    NonInteractivePrompter prompter(nullptr, nullptr);
    ScopedPrompter scoped(prompter);
    uint32_t seed = 1;
    for (auto _ : state) {
        TDraftEngine engine(cards);
        engine.SetCardLoader([](TCardsList&, const std::string&) {}); // loaded above
        engine.SetFixedSeed(seed++);
        engine.StartDraft(config, 40);
        engine.FinishByTimeouts();
        if (engine.Seats().Items(7).Picks.Count() != 45)
            state.SkipWithError("the draft did not end with 45 picks per seat");
        benchmark::DoNotOptimize(engine.Log().size());
    }
}

} // namespace

static void BM_WholeDraft(benchmark::State& state) {
    RunDrafts(state, "VR;HK;EM;");
}
BENCHMARK(BM_WholeDraft)->Unit(benchmark::kMicrosecond);

static void BM_WholeDraftWithCompositePacks(benchmark::State& state) {
    RunDrafts(state, "VR;Tidebreak Expedition;Tidebreak Expedition;");
}
BENCHMARK(BM_WholeDraftWithCompositePacks)->Unit(benchmark::kMicrosecond);

// How well the computer drafters keep to their colours: over 20 seeded drafts on the large world
// (TOVEL_BENCH_WORLD, three generated editions), the share of picks 16 to 45 of each drafter that
// are in its two final colours or colourless, for strategy 2 (by value) and 3 (by value and
// colours). Counter "in_colours": no colour of the card outside the two; "castable": a deck of the
// two colours can cast it (every coloured symbol of one of its halves is one of the two, every hybrid
// symbol has one of its colours among them); "not_outside": the card is not outside them as
// strategy 3 sees it (colourless, or at least one of its colours among them).
namespace {

bool HalfCastable(const SymbolCountArray& counts, uint8_t colours) {
    for (size_t slot = 0; slot < counts.size(); ++slot) {
        if (counts[slot] <= 0)
            continue;
        SymbolCountArray one{};
        one[slot] = 1;
        const uint8_t need = CostColors(one);
        const bool hybrid = slot >= static_cast<size_t>(TCardColor::HybridFirst) &&
                            slot <= static_cast<size_t>(TCardColor::HybridLast);
        if (need != 0 && (hybrid ? (need & colours) == 0 : (need & ~colours) != 0))
            return false;
    }
    return true;
}

bool Castable(const TCardItem& card, uint8_t colours) {
    return HalfCastable(card.SymbolCounts, colours) ||
           (card.IsSplit && HalfCastable(card.SymbolCounts2, colours));
}

} // namespace

static void BM_DraftersStayInTheirColours(benchmark::State& state) {
    const char* world = std::getenv("TOVEL_BENCH_WORLD");
    if (!world) {
        state.SkipWithError("TOVEL_BENCH_WORLD names no world");
        return;
    }
    SetProgramDir(std::string(world) + "/");
    TDraftEngine::LoadTableData();
    const char* config = "LB;LC;LD;";
    TCardsList cards;
    LoadCardDatabase(cards, ProgramPath(kCardDatabaseFile), "LB;LC;LD;");
    NonInteractivePrompter prompter(nullptr, nullptr);
    ScopedPrompter scoped(prompter);
    int inColours = 0, castable = 0, notOutside = 0, picks = 0;
    for (auto _ : state) {
        inColours = castable = notOutside = picks = 0;
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            TDraftEngine engine(cards);
            engine.SetCardLoader([](TCardsList&, const std::string&) {});
            engine.SetFixedSeed(seed);
            engine.SetDrafterStrategy(static_cast<uint8_t>(state.range(0)));
            engine.StartDraft(config, 40);
            engine.FinishByTimeouts();
            for (int seat = 1; seat < kTableSeats; ++seat) {
                const TIntegerList& seatPicks = engine.Seats().Items(seat).Picks;
                const uint8_t colours = DrafterColors(seatPicks, cards);
                for (int i = 15; i < std::min(45, seatPicks.Count()); ++i) {
                    const TCardItem& card = cards.Items(seatPicks.Items(i));
                    const uint8_t own = CardColors(card);
                    inColours += own == 0 || (own & ~colours) == 0 ? 1 : 0;
                    castable += Castable(card, colours) ? 1 : 0;
                    notOutside += own == 0 || (own & colours) != 0 ? 1 : 0;
                    ++picks;
                }
            }
        }
    }
    state.counters["in_colours"] = picks ? static_cast<double>(inColours) / picks : 0;
    state.counters["castable"] = picks ? static_cast<double>(castable) / picks : 0;
    state.counters["not_outside"] = picks ? static_cast<double>(notOutside) / picks : 0;
    state.counters["picks"] = picks;
}
BENCHMARK(BM_DraftersStayInTheirColours)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(1);
