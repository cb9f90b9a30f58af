// tovel-cli draft and sealed: a whole draft, or a sealed pool, on the program folder's data.
// With the same seed and data both write byte-identical files.

#include "cli/LimitedCommands.h"

#include "core/carddb/CardsDB.h"
#include "core/carddb/Editions.h"
#include "core/decks/DeckFile.h"
#include "core/infra/FileIO.h"
#include "core/infra/FileSet.h"
#include "core/infra/IniFile.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "core/infra/Text.h"
#include "core/limited/Booster.h"
#include "core/limited/Cube.h"
#include "core/limited/DraftEngine.h"
#include "core/limited/DraftGrade.h"
#include "core/limited/DraftRecord.h"
#include "core/limited/DraftReview.h"
#include "core/limited/Sealed.h"
#include "core/settings/Settings.h"

#include <charconv>
#include <optional>

namespace tovel::cli {

namespace {

struct LimitedOptions {
    std::optional<std::string> config;
    std::optional<std::string> cube; // a cube list instead of the configured packs
    std::optional<int> cubeCount;    // draft: cards per pack; sealed: packs
    int pickTime = SettingsStore::kPickTimeDefault;
    std::optional<uint32_t> seed;
    std::string out;
    std::optional<std::string> log;
    std::optional<std::string> record;
    TPickStrategy drafters = kPickByValue;
};

// A whole number from `low` to `high` for an option, else a usage error naming the range.
int NumberOption(const std::string& option, const std::string& value, int low, int high) {
    const std::optional<int32_t> number = ParseInt(value);
    if (!number || *number < low || *number > high)
        throw UsageError(option + " needs a number from " + std::to_string(low) + " to " +
                         std::to_string(high));
    return *number;
}

LimitedOptions TakeOptions(std::vector<std::string> words, bool withLog) {
    LimitedOptions options;
    std::string value;
    if (TakeOption(words, "--config", value))
        options.config = value;
    if (TakeOption(words, "--cube", value))
        options.cube = value;
    // The draft's cards per pack, the sealed pool's packs.
    const std::string countOption = withLog ? "--pack-size" : "--packs";
    if (TakeOption(words, countOption, value))
        options.cubeCount = withLog
                                ? NumberOption(countOption, value, kCubePackSizeMin, kCubePackSizeMax)
                                : NumberOption(countOption, value, kSealedCubePacksMin, kSealedCubePacksMax);
    if (options.cube && options.config)
        throw UsageError("--config and --cube cannot go together");
    if (options.cubeCount && !options.cube)
        throw UsageError(countOption + " goes with --cube");
    if (withLog && TakeOption(words, "--pick-time", value))
        options.pickTime = value == "untimed" ? kUntimedPick : NumberOption("--pick-time", value, 1, 3600);
    if (TakeOption(words, "--seed", value)) {
        uint32_t seed = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seed);
        if (error != std::errc() || end != value.data() + value.size())
            throw UsageError("--seed needs a whole number from 0 to 4294967295");
        options.seed = seed;
    }
    if (withLog && TakeOption(words, "--log", value))
        options.log = value;
    if (withLog && TakeOption(words, "--record", value))
        options.record = value;
    if (withLog && TakeOption(words, "--drafters", value)) {
        const std::optional<TPickStrategy> drafters = ParseDrafterStrategy(value);
        if (!drafters)
            throw UsageError("--drafters is value or colours");
        options.drafters = *drafters;
    }
    if (!TakeOption(words, "--out", options.out) || options.out.empty())
        throw UsageError("--out FILE.dec is needed");
    if (!words.empty())
        throw UsageError("unexpected \"" + words[0] + "\"");
    return options;
}

// The lines of boosters.ini that spoil a pack, once, before the packs are drawn.
void PrintBoostersReport(Context& context) {
    if (const std::string report = BoostersIniReport(); !report.empty())
        context.err << report << "\n";
}

SettingsStore ProgramSettings() {
    return SettingsStore(ProgramPath(kCliSettingsFile), ProgramDir());
}

// Why a setting reads as empty: the settings file could not be read, or the key is empty.
std::string EmptySettingReason(const char* key) {
    const std::string problem = IniFile(ProgramPath(kCliSettingsFile)).ReadProblem();
    return problem.empty() ? std::string(key) + " is empty" : problem;
}

// A cube list's problems, one a line as `deck import` prints them; the command fails.
int CubeFailure(Context& context, const CubeProblems& problems) {
    for (const TListProblem& problem : problems.Problems())
        context.err << ProblemText(problem) << "\n";
    return kExitFailure;
}

TCubeReader CubeFileReader(const std::string& path) {
    return [path](const TCardsList& cards) {
        return ReadCube(path, cards);
    };
}

// The grade of a seat's picks, its deck and the standings, the cards looked up in the whole
// card database.
int PrintGrade(Context& context, const TDraftRecord& record, int seat) {
    TCardsList cards;
    DefaultCardLoader()(cards, "");
    const TDraftGrade grade = GradeDraft(record, LinkRecordCards(record, cards), seat);
    const TBuiltDeck& deck = grade.Decks[static_cast<size_t>(seat)];
    context.out << "Seat " << seat + 1 << ": " << ColourSetText(deck.Colours) << ", score " << deck.Score
                << ", place " << grade.Place(seat) << " of " << kTableSeats << "\n";
    context.out << AgreementLine(grade.Picks) << "\n";
    for (const TPickGrade& pick : grade.Picks)
        if (!pick.Agrees())
            context.out << Cp1252ToUtf8(LossLine(record, pick)) << "\n";
    context.out << "Standings:\n";
    for (size_t place = 0; place < grade.Standings.size(); ++place) {
        const int other = grade.Standings[place];
        const TBuiltDeck& theirs = grade.Decks[static_cast<size_t>(other)];
        context.out << "  " << place + 1 << ". seat " << other + 1 << ", " << ColourSetText(theirs.Colours)
                    << ", score " << theirs.Score << "\n";
    }
    return kExitOk;
}

} // namespace

int RunDraft(Context& context) {
    const LimitedOptions options = TakeOptions(context.args, true);
    // The computer drafters' files are named from it less its last four characters.
    if (options.out.size() < 4 || !EqualsIgnoreAsciiCase(options.out.substr(options.out.size() - 4), ".dec"))
        throw UsageError("--out must name a .dec file");
    const std::string config = options.config ? *options.config
                               : options.cube ? std::string()
                                              : ProgramSettings().DraftConfig();
    if (config.empty() && !options.cube) {
        ReportError(context, "no draft configured: " + EmptySettingReason("Draft/Config"));
        return kExitFailure;
    }

    // Every file the draft writes, each under the name of what gives it.
    std::vector<std::pair<std::string, std::string>> outputs{{"--out", options.out}};
    for (int seat = 1; seat < kTableSeats; ++seat)
        outputs.emplace_back("the deck of seat " + std::to_string(seat + 1), BotDeckPath(options.out, seat));
    if (options.log)
        outputs.emplace_back("--log", *options.log);
    if (options.record)
        outputs.emplace_back("--record", *options.record);
    if (const std::string problem = SameFileProblem(outputs); !problem.empty())
        throw UsageError(problem);

    // Nobody to ask on the command line: messages for the user go to standard error, the draft's
    // "finished" notice is dropped, and every question takes its cancelling answer.
    NonInteractivePrompter prompter([&context](const std::string& message) { ReportError(context, message); },
                                    nullptr);
    ScopedPrompter scoped(prompter);
    TDraftEngine::LoadTableData();
    PrintBoostersReport(context);
    TCardsList cards;
    TDraftEngine engine(cards);
    engine.SetFixedSeed(options.seed);
    engine.SetDrafterStrategy(options.drafters);
    try {
        if (options.cube)
            engine.StartCubeDraft(CubeFileReader(*options.cube),
                                  options.cubeCount.value_or(kCubePackSizeDefault), options.pickTime);
        else
            engine.StartDraft(config, options.pickTime);
    } catch (const CubeProblems& problems) {
        return CubeFailure(context, problems);
    }
    engine.FinishByTimeouts();

    // The decks, the log and the record are one set: a failure or a signal leaves the files of
    // the last run as they were, never a mix of two.
    FileSet files;
    if (options.log) {
        std::string text;
        for (const std::string& line : engine.Log())
            text += line + "\n";
        files.Add(*options.log, text);
    }
    if (options.record)
        files.Add(*options.record, FormatDraftRecord(engine.Record()));
    engine.SaveAllSeatDecks(options.out, files);
    return kExitOk;
}

int RunReview(Context& context) {
    std::vector<std::string> words = context.args;
    int seat = 1;
    std::string value;
    if (TakeOption(words, "--seat", value)) {
        const std::optional<int32_t> number = ParseInt(value);
        if (!number || *number < 1 || *number > kTableSeats)
            throw UsageError("--seat needs a number from 1 to 8");
        seat = *number;
    }
    const bool grade = TakeFlag(words, "--grade");
    if (words.size() != 1 || words[0].starts_with("--"))
        throw UsageError("one FILE.draft is needed");

    // Each fault is printed as it is found; the error after them names the first.
    const TDraftRecord record = ReadDraftRecord(words[0], [&](int line, const std::string& fault) {
        context.err << words[0] << ", line " << line << ": " << fault << "\n";
    });
    if (grade)
        return PrintGrade(context, record, seat - 1);
    for (int index : SeatSteps(record, seat - 1)) {
        const TPickStep& step = record.Steps[static_cast<size_t>(index)];
        context.out << StepLabel(step) << ' ' << Cp1252ToUtf8(record.Key(step.Taken())) << " ("
                    << PickHowName(step.How) << ")\n";
        for (size_t i = 0; i < step.Cards.size(); ++i)
            context.out << (static_cast<int>(i) == step.TakenAt ? "  * " : "    ")
                        << Cp1252ToUtf8(record.Key(step.Cards[i])) << '\n';
    }
    return kExitOk;
}

int RunSealed(Context& context) {
    const LimitedOptions options = TakeOptions(context.args, false);
    if (options.config)
        if (const std::string problem = SealedConfigProblem(*options.config); !problem.empty())
            throw UsageError(problem);
    RandomSource random;
    SeedForRun(random, options.seed);
    TCardsList cards;
    TIntegerList pool;
    if (options.cube) {
        try {
            GenerateCubePool(CubeFileReader(*options.cube),
                             options.cubeCount.value_or(kSealedCubePacksDefault), cards, pool, random,
                             DefaultCardLoader());
        } catch (const CubeProblems& problems) {
            return CubeFailure(context, problems);
        }
        WritePool(cards, pool, options.out);
        return kExitOk;
    }

    const std::string config = options.config ? *options.config : ProgramSettings().SealedConfig();
    LoadLimitedTableData();
    PrintBoostersReport(context);
    if (!GenerateSealedPool(config, cards, pool, random, DefaultCardLoader())) {
        ReportError(context, "no sealed pool configured: " + EmptySettingReason("Sealed/Config"));
        return kExitFailure;
    }
    WritePool(cards, pool, options.out);
    return kExitOk;
}

} // namespace tovel::cli
