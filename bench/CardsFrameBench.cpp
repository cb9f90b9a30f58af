// The card list panel's model on a synthetic world of TOVEL_BENCH_SIZE printings (default
// 100,000): rebuild (filter, keys, sort) per column and after a line came, a search keystroke,
// adding a copy of a new card, filling the base list.

#include "BenchSize.h"

#include "core/collection/CardsFrameModel.h"
#include "core/collection/Inventory.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

using namespace tovel;

namespace {

const int kPrintings = BenchSize();
const int kNames = kPrintings * 3 / 10 + 1;

std::string MakeName(std::mt19937& random) {
    static const char* kSyllables[] = {"ar",  "bel", "cor", "dra", "en",  "fal", "gor", "hul", "ith",
                                       "jor", "kal", "lum", "mor", "nex", "oth", "pyr", "qua", "rin",
                                       "sol", "tor", "ul",  "vex", "wyn", "xan", "yor", "zeph"};
    std::string name;
    const int words = 1 + static_cast<int>(random() % 3);
    for (int w = 0; w < words; ++w) {
        if (w)
            name += ' ';
        const int syllables = 2 + static_cast<int>(random() % 3);
        for (int s = 0; s < syllables; ++s)
            name += kSyllables[random() % 26];
        name[name.size() - static_cast<size_t>(syllables) * 2 + 0] &= ~0x20; // capitalise roughly
    }
    return name;
}

// One world for all benchmarks: the printings of 0.3 x as many names in 120 editions, the base list
// over it and an inventory of as many lines with counts, foils and some notes.
struct World {
    TCardsList cards;
    TInventoryList base;
    TInventoryList inventory;
    std::vector<std::string> names;

    World() {
        std::mt19937 random(7);
        for (int i = 0; i < kNames; ++i)
            names.push_back(MakeName(random));
        for (int i = 0; i < kPrintings; ++i) {
            TCardItem& card = cards.Add("E" + std::to_string(random() % 120));
            card.Name = cards.Store(names[random() % kNames]);
            card.Printings = cards.Store(std::string(card.Edition) + ";");
        }
        FillBaseList(base, cards);
        for (int i = 0; i < kPrintings; ++i) {
            TInventoryItem& line = inventory.Add();
            const TCardItem& card = cards.Items(i);
            line.Card = &card;
            line.Name = card.Name;
            line.Edition = card.Edition;
            line.Count = 1 + static_cast<int>(random() % 12);
            line.Foil = static_cast<int>(random() % 3);
            if (random() % 5 == 0)
                line.Notes = "note " + std::to_string(random() % 1000);
        }
    }
};

World& TheWorld() {
    static World world;
    return world;
}

} // namespace

static void BM_RebuildInventory(benchmark::State& state) {
    World& world = TheWorld();
    TCardsFrameModel model;
    model.SetSortColumn(static_cast<int>(state.range(0)));
    model.SetInventoryList(&world.inventory);
    for (auto _ : state) {
        model.Rebuild();
        benchmark::DoNotOptimize(model.RowCount());
    }
    state.SetLabel(TCardsFrameModel::ColumnCaption(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_RebuildInventory)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

static void BM_RebuildBaseFiltered(benchmark::State& state) {
    World& world = TheWorld();
    TCardsFrameModel model;
    model.UseBaseLayout();
    model.SetSortColumn(kColumnName);
    model.SetFilter({state.range(0) ? "E1;E2;E3;E50;E77;" : "", state.range(0) == 2});
    model.SetInventoryList(&world.base);
    for (auto _ : state) {
        model.Rebuild();
        benchmark::DoNotOptimize(model.RowCount());
    }
    state.SetLabel(state.range(0) == 0 ? "no filter" : state.range(0) == 1 ? "belongs to 5" : "legal in 5");
}
BENCHMARK(BM_RebuildBaseFiltered)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A rebuild by name after a line came to the list: what the list kept of its names and editions
// no longer holds, so they are ranked again.
static void BM_RebuildAfterALineCame(benchmark::State& state) {
    World& world = TheWorld();
    TInventoryList list;
    FillBaseList(list, world.cards);
    TCardsFrameModel model;
    model.SetSortColumn(kColumnName);
    model.SetInventoryList(&list);
    const TCardItem& card = world.cards.Items(kPrintings / 2);
    for (auto _ : state) {
        state.PauseTiming();
        TInventoryItem& line = list.Add();
        line.Card = &card;
        line.Name = card.Name;
        line.Edition = card.Edition;
        state.ResumeTiming();
        model.Rebuild();
        benchmark::DoNotOptimize(model.RowCount());
    }
}
BENCHMARK(BM_RebuildAfterALineCame)->Unit(benchmark::kMillisecond);

// One keystroke: the worst case scans every row and finds nothing.
static void BM_SearchKeystroke(benchmark::State& state) {
    World& world = TheWorld();
    TCardsFrameModel model;
    model.SetSortColumn(kColumnName);
    model.SetInventoryList(&world.inventory);
    const std::string text = state.range(0) ? "Zzzzq" : world.names[kNames / 2].substr(0, 4);
    for (auto _ : state)
        benchmark::DoNotOptimize(model.Search(text));
    state.SetLabel(state.range(0) ? "no match" : "match");
}
BENCHMARK(BM_SearchKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

static void BM_AddCopyOfANewCard(benchmark::State& state) {
    World& world = TheWorld();
    TInventoryList list;
    FillBaseList(list, world.cards);
    TCardsFrameModel model;
    model.SetFilter({"E1;E2;E3;E4;E5;E6;E7;E8;E9;E10;E11;E12;E13;E14;E15;E16;E17;E18;E19;E20;", false});
    model.SetInventoryList(&list);
    const TCardItem& card = world.cards.Items(kPrintings - 1);
    for (auto _ : state) {
        const int row = model.AddCopy(card, false);
        state.PauseTiming();
        model.RemoveCopy(row, false); // put the list back as it was
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddCopyOfANewCard)->Unit(benchmark::kMicrosecond);

static void BM_FillBaseList(benchmark::State& state) {
    World& world = TheWorld();
    TInventoryList list;
    for (auto _ : state) {
        FillBaseList(list, world.cards);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_FillBaseList)->Unit(benchmark::kMillisecond);
