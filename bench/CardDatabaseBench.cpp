// The card database on a large world: load, save, build and the memory a loaded database takes.
//
// The world has TOVEL_BENCH_SIZE printings (default 100,000) and comes from TOVEL_BENCH_WORLD (a
// program folder with Data/, e.g. written by tovel-worldgen --large N DIR); without it the world
// is generated into a temporary folder. The build also runs on half the size to show it is linear.

#include "BenchSize.h"
#include "World.h"

#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardQuery.h"
#include "core/carddb/DBCreate.h"
#include "core/infra/FileIO.h"
#include "core/infra/LargeMemory.h"
#include "core/infra/ProgramFiles.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <unistd.h>

using namespace tovel;

namespace {

std::string TempRoot() {
    static const std::string root = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tovel-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(TempRoot()); });
        return pattern + "/";
    }();
    return root;
}

// The program folder of a world of about `printings` printings.
const std::string& World(int printings) {
    static std::map<int, std::string> worlds;
    auto found = worlds.find(printings);
    if (found != worlds.end())
        return found->second;
    std::string dir;
    const char* given = std::getenv("TOVEL_BENCH_WORLD");
    if (given && printings == BenchSize()) {
        dir = std::string(given) + "/";
    } else {
        dir = TempRoot() + "world" + std::to_string(printings) + "/";
        if (!worldgen::WriteWorld(worldgen::LargeWorld(printings), dir + "Data"))
            std::abort();
    }
    return worlds[printings] = dir;
}

size_t FileSize(const std::string& path) {
    return static_cast<size_t>(std::filesystem::file_size(path));
}

size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

// The ordinary heap and the big blocks taken from the kernel beside it.
size_t HeapBytes() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd + LargeMemoryInUse();
}

} // namespace

static void BM_LoadBase(benchmark::State& state) {
    const std::string base = World(BenchSize()) + kCardDatabaseFile;
    TCardsList cards;
    for (auto _ : state) {
        LoadCardDatabase(cards, base, "");
        benchmark::DoNotOptimize(cards.Count());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileSize(base)));
    state.counters["cards"] = cards.Count();
}
BENCHMARK(BM_LoadBase)->Unit(benchmark::kMillisecond)->UseRealTime();

// Formatting and the atomic write (temporary file, fsync, rename).
static void BM_SaveBase(benchmark::State& state) {
    const std::string base = World(BenchSize()) + kCardDatabaseFile;
    const std::string out = TempRoot() + "saved-base.txt";
    TCardsList cards;
    LoadCardDatabase(cards, base, "");
    for (auto _ : state)
        SaveCardDatabase(cards, out);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileSize(out)));
}
BENCHMARK(BM_SaveBase)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_FormatBase(benchmark::State& state) {
    TCardsList cards;
    LoadCardDatabase(cards, World(BenchSize()) + kCardDatabaseFile, "");
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = CardDatabaseText(cards);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_FormatBase)->Unit(benchmark::kMillisecond)->UseRealTime();

// Editions, card list and card text into base.txt, as "tovel-cli db build" does.
// Argument 1: half the world's size, 2: the whole.
static void BM_Build(benchmark::State& state) {
    const int printings = BenchSize() / 2 * static_cast<int>(state.range(0));
    const std::string dir = World(state.range(0) == 2 ? BenchSize() : printings);
    TBuildFiles files = DefaultBuildFiles(dir);
    files.Out = TempRoot() + "built-base.txt";
    int cards = 0;
    for (auto _ : state) {
        TCardsList list;
        TTextList editions;
        BuildCardDatabase(list, editions, files);
        cards = list.Count();
    }
    state.counters["cards"] = cards;
    state.SetComplexityN(printings);
}
BENCHMARK(BM_Build)->Arg(1)->Arg(2)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond)->UseRealTime();

// Memory of a loaded database against the size of its file: the heap the list allocates plus
// the mapped file, and the growth of the resident set (which undercounts when the heap reuses
// memory freed by earlier benchmarks).
static void BM_LoadedMemory(benchmark::State& state) {
    const std::string base = World(BenchSize()) + kCardDatabaseFile;
    const double size = static_cast<double>(FileSize(base));
    double heapRatio = 0;
    double rssRatio = 0;
    for (auto _ : state) {
        const size_t heapBefore = HeapBytes();
        const size_t rssBefore = ResidentBytes();
        {
            TCardsList cards;
            LoadCardDatabase(cards, base, "");
            // Both lookup indexes, as any window's first lookup builds them.
            benchmark::DoNotOptimize(cards.IndexOf("Forest", "9E") + cards.IndexOfName("Forest"));
            heapRatio = (static_cast<double>(HeapBytes() - heapBefore) + size) / size;
            rssRatio = static_cast<double>(ResidentBytes() - rssBefore) / size;
        }
    }
    state.counters["heap_plus_file_x"] = heapRatio;
    state.counters["rss_growth_x"] = rssRatio;
}
BENCHMARK(BM_LoadedMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// The loaded database and its formats, for the card search.
static const TCardsList& QueryCards() {
    static TCardsList cards;
    if (cards.Count() == 0)
        LoadCardDatabase(cards, World(BenchSize()) + kCardDatabaseFile, "");
    return cards;
}
static const TTextList& QueryFormats() {
    static TTextList formats;
    if (formats.Lines.empty())
        LoadFormatList(formats, World(BenchSize()) + kFormatsFile);
    return formats;
}

// The card search over the loaded database: a name word, a typical query of three terms with
// one rules-text search, and a text search that must read every card's text.
static void BM_Query(benchmark::State& state, const char* query) {
    const TCardsList& cards = QueryCards();
    const TCardQuery compiled = TCardQuery::Compile(query);
    size_t found = 0;
    for (auto _ : state) {
        found = SearchCards(cards, compiled).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(BM_Query, name_word, "dra")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Query, typical, "t:creature c:g o:draw")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Query, text_only, "o:\"until end of turn\"")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The longest queries a search accepts (1,000 terms, 10,000 characters), of the kinds that cost
// the most per card, compiled and matched over the loaded database: each within a second.
static std::string LongestQuery(std::string_view kind) {
    static const char* const kWords[] = {"target", "creature", "until", "end",    "of",   "turn",
                                         "you",    "gain",     "life",  "deals",  "card", "draw",
                                         "a",      "control",  "the",   "player", "to",   "damage"};
    std::string query;
    int terms = 0;
    for (int i = 0;; ++i) {
        const std::string n = std::to_string(i);
        std::string term;
        int termTerms = 1;
        if (kind == "f_terms") { // every card is in the format: each term is tried
            term = "f:all";
        } else if (kind == "or_terms") { // none holds: each term is tried
            const std::string kinds[] = {"q" + n, "o:q" + n, "t:q" + n, "e:q" + n, "v=-" + n};
            term = kinds[i % 5];
        } else if (kind == "text_chars") { // phrases of the rules texts' own words
            term = "o:\"";
            for (int w = 0; w < 3; ++w)
                term += std::string(w ? " " : "") + kWords[(i * 7 + w * 5 + i / 18) % 18];
            term += "\"";
        } else { // nested groups of every kind of term
            term = "(q" + n + " or -(o:r" + n + " (c:g or -cmc=" + n + ")))";
            termTerms = 4;
        }
        const std::string joint = query.empty() ? "" : kind == "f_terms" ? " " : " or ";
        if (terms + termTerms > 1000 || query.size() + joint.size() + term.size() > 10000)
            return query;
        query += joint + term;
        terms += termTerms;
    }
}

static void BM_QueryLongest(benchmark::State& state, const char* kind) {
    const TCardsList& cards = QueryCards();
    const std::string query = LongestQuery(kind);
    size_t found = 0;
    for (auto _ : state) {
        const TCardQuery compiled = TCardQuery::Compile(query, {&QueryFormats()});
        found = SearchCards(cards, compiled).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = static_cast<double>(found);
    state.counters["chars"] = static_cast<double>(query.size());
}
BENCHMARK_CAPTURE(BM_QueryLongest, f_terms, "f_terms")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_QueryLongest, or_terms, "or_terms")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_QueryLongest, text_chars, "text_chars")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_QueryLongest, nested_groups, "nested")->Unit(benchmark::kMillisecond)->UseRealTime();
