// One whole draft after the card database is loaded: resolving the three pack names, drawing
// three pack turns of eight boosters, and 8 seats x 45 picks with the log, on the sample world.

#include "core/carddb/CardDatabase.h"
#include "core/carddb/Editions.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "core/limited/DraftEngine.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

using namespace tovel;

namespace {

void RunDrafts(benchmark::State& state, const char* config) {
    SetProgramDir(std::filesystem::path(TOVEL_DATA_SOURCE).parent_path().string() + "/");
    TDraftEngine::LoadTableData();
    TCardsList cards;
    LoadCardDatabase(cards, ProgramPath("Data/base.txt"), "VR;HK;EM;TX;9E;");
    // The draft's "finished" notice must not reach a terminal inside the timing loop.
    NonInteractivePrompter prompter(nullptr, nullptr);
    ScopedPrompter scoped(prompter);
    uint32_t seed = 1;
    for (auto _ : state) {
        TDraftEngine engine(cards);
        engine.SetCardLoader([](TCardsList&, const std::string&) {}); // loaded above
        engine.SetFixedSeed(seed++);
        engine.StartDraft(config, 40);
        while (engine.State() == TDraftState::Picking || engine.State() == TDraftState::BetweenTurns) {
            engine.NextPackTurn();
            engine.AutoPick();
        }
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
