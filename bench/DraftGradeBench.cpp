// Grading a recorded draft on the sample world: one seat's 45 picks against the computer
// drafters' choice and the eight seats' built decks with their standings, the record's cards
// linked to the loaded database.

#include "core/carddb/CardDatabase.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "core/limited/DraftEngine.h"
#include "core/limited/DraftGrade.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace tovel;

static void BM_GradeWholeDraft(benchmark::State& state) {
    SetProgramDir(std::filesystem::path(TOVEL_DATA_SOURCE).parent_path().string() + "/");
    TDraftEngine::LoadTableData();
    TCardsList cards;
    LoadCardDatabase(cards, ProgramPath(kCardDatabaseFile), "");
    NonInteractivePrompter prompter(nullptr, nullptr);
    ScopedPrompter scoped(prompter);
    TDraftEngine engine(cards);
    engine.SetCardLoader([](TCardsList&, const std::string&) {}); // loaded above
    engine.SetFixedSeed(5);
    engine.SetDrafterStrategy(kPickByValueAndColors);
    engine.StartDraft("VR;HK;Tidebreak Expedition;", 40);
    while (engine.State() == TDraftState::Picking || engine.State() == TDraftState::BetweenTurns) {
        engine.NextPackTurn();
        engine.AutoPick();
    }
    const TDraftRecord& record = engine.Record();
    for (auto _ : state) {
        const TCardLinks links = LinkRecordCards(record, cards);
        const TDraftGrade grade = GradeDraft(record, links, 0);
        if (grade.Picks.size() != 45)
            state.SkipWithError("the seat did not have 45 picks");
        benchmark::DoNotOptimize(grade.Standings);
    }
}
BENCHMARK(BM_GradeWholeDraft)->Unit(benchmark::kMicrosecond);
