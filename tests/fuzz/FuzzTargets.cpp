#include "FuzzTargets.h"

#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardQuery.h"
#include "core/collection/Inventory.h"
#include "core/decks/DeckFile.h"
#include "core/decks/DeckList.h"
#include "core/decks/InsertSideboard.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/IniFile.h"
#include "core/infra/Prompts.h"
#include "core/infra/Text.h"
#include "core/infra/Words.h"
#include "core/limited/Booster.h"
#include "core/limited/Cube.h"
#include "core/limited/DraftConfig.h"
#include "core/limited/DraftGrade.h"
#include "core/limited/DraftRecord.h"
#include "core/limited/DraftReview.h"
#include "core/limited/SealedConfig.h"
#include "support/HandMadeCards.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace tovel::fuzz {

namespace {

// Below, with the readers that take a path.
std::string WriteScratch(std::string_view name, std::string_view bytes);

std::string_view Bytes(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// Whether the bytes are a UTF-16 file, which every file reader refuses with kUtf16NotSupported.
bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

template <typename Read> void RequireUtf16Refused(Read read) {
    try {
        read();
    } catch (const Error& e) {
        Require(std::string_view(e.what()) == kUtf16NotSupported,
                "a UTF-16 file refused with another message");
        return;
    }
    Require(false, "a UTF-16 file is read");
}

// Whatever was read saves to a file that reads back to the same cards.
void CheckRoundTrip(const TCardsList& cards) {
    const std::string saved = CardDatabaseText(cards);
    TCardsList again;
    try {
        LoadCardDatabaseText(again, saved, "");
    } catch (const Error&) {
        Require(false, "a saved database does not load");
    }
    Require(again.Count() == cards.Count(), "a saved database loads a different number of cards");
    Require(CardDatabaseText(again) == saved, "a saved database loads differently");
}

const TTextList& SomeEditions() {
    static const TTextList editions = [] {
        TTextList list;
        list.Lines = {"AB;First", "9E;Basics", "C;Short", "ab;Lower"};
        return list;
    }();
    return editions;
}

// The merge after its card list was read.
void FinishMerge(TCardsList& cards) {
    ComputePrintings(cards, SomeEditions());
    AddMissingBasicLands(cards);
    CheckRoundTrip(cards);
}

} // namespace

int Base(const uint8_t* data, size_t size) {
    const std::string_view text = Bytes(data, size);
    TCardsList cards;
    try {
        LoadCardDatabaseText(cards, text, "");
        CheckRoundTrip(cards);
    } catch (const Error&) {
    }
    try {
        LoadCardDatabaseText(cards, text, "AB;C;");
    } catch (const Error&) {
    }
    // A UTF-16 file is refused as a whole, by the check of the text and of the file alike.
    if (IsUtf16(text)) {
        RequireUtf16Refused([&] { CheckCardDatabase(text); });
        RequireUtf16Refused([&] { CheckCardDatabaseFile(WriteScratch("base.txt", text), {}); });
        return 0;
    }
    const TCheckReport report = CheckCardDatabase(text);
    Require(report.Cards >= 0, "negative card count");
    // The check of the file, record by record, finds what the check of the whole text finds.
    std::vector<TRecordProblem> problems;
    const TCheckCounts counts = CheckCardDatabaseFile(
        WriteScratch("base.txt", text), [&](const TRecordProblem& problem) { problems.push_back(problem); });
    Require(counts.Cards == report.Cards && problems.size() == report.Problems.size(),
            "the file check counts differently");
    for (size_t i = 0; i < problems.size(); ++i)
        Require(problems[i].Line == report.Problems[i].Line &&
                    problems[i].Message == report.Problems[i].Message,
                "the file check reports differently");
    return 0;
}

int CardListText(const uint8_t* data, size_t size) {
    const std::string_view text = Bytes(data, size);
    for (std::string_view filter : {std::string_view{}, std::string_view{"AB;9E;"}}) {
        TCardsList cards;
        try {
            if (ReadCardListText(cards, text, filter))
                FinishMerge(cards);
        } catch (const Error&) {
        }
    }
    return 0;
}

int CardListXml(const uint8_t* data, size_t size) {
    TCardsList cards;
    try {
        ReadCardListXml(cards, Bytes(data, size), "");
        FinishMerge(cards);
    } catch (const Error&) {
    }
    return 0;
}

// The input is card names, one a line, then an empty line, then the card text.
int CardText(const uint8_t* data, size_t size) {
    const std::string_view input = Bytes(data, size);
    std::string list;
    LineReader reader(input);
    std::string_view line;
    size_t consumed = 0;
    while (reader.Next(line) && !line.empty()) {
        list += "AB;" + std::string(line) + ";C;5\r\n";
        consumed = static_cast<size_t>(line.data() - input.data()) + line.size();
    }
    const std::string_view text = input.substr(std::min(input.size(), consumed));
    TCardsList cards;
    try {
        if (ReadCardListText(cards, list, "")) { // `list` outlives the cards
            ComputePrintings(cards, SomeEditions());
            ReadCardText(cards, text);
            AddMissingBasicLands(cards);
            CheckRoundTrip(cards);
        }
    } catch (const Error&) {
    }
    return 0;
}

int Editions(const uint8_t* data, size_t size) {
    TTextList list;
    ReadTextListLines(list, Bytes(data, size));
    TCardItem card;
    card.Printings = "AB;9E;";
    for (int i = 0; i < list.Count(); ++i) {
        Require(!list[i].empty() && Trim(list[i]) == list[i], "an untrimmed or empty line kept");
        const TCardFilter filter{std::string(list.Value(i)), i % 2 == 1};
        FilterMatches(filter, list.Name(i), &card);
        FilterMatches(filter, list.Name(i), nullptr);
    }
    return 0;
}

} // namespace tovel::fuzz

// ---- Decks, inventories and pack configurations ----------------------------------------------

namespace tovel::fuzz {

namespace {

// The readers that take a path read the bytes from a scratch folder, made once per process.
std::string WriteScratch(std::string_view name, std::string_view bytes) {
    static const test::TempDir scratch;
    return scratch.Write(name, bytes);
}

const TCardsList& World() {
    static const TCardsList& cards = *[] {
        auto* list = new TCardsList;
        test::FillTestWorld(*list);
        return list;
    }();
    return cards;
}

bool Inside(std::string_view part, std::string_view whole) {
    return part.empty() ||
           (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

void CheckInventoryLinks(const TInventoryList& list, const TCardsList& cards) {
    for (int i = 0; i < list.Count(); ++i) {
        const TInventoryItem& item = list.Items(i);
        Require(item.Index() == i, "an inventory line does not know its position");
        Require(list.Find(item.Name, item.Edition) == i, "an inventory holds a card twice");
        const int card = cards.IndexOf(item.Name, item.Edition);
        Require(item.Card == (card >= 0 ? &cards.Items(card) : nullptr),
                "an inventory line is linked wrongly");
    }
}

void CheckZone(const TDeckZone& zone, const TCardsList& cards) {
    std::array<int, 5> rows{};
    for (int32_t position : zone.Entries) {
        Require(position >= 0 && position < cards.Count(), "a zone entry is no card");
        const int slot = BasicLandSlot(cards.Items(position));
        if (slot >= 0)
            ++rows[static_cast<size_t>(slot)];
    }
    for (size_t slot = 0; slot < rows.size(); ++slot) {
        Require(zone.Lands[slot] >= 0, "a negative land counter");
        Require(rows[slot] == (zone.Lands[slot] > 0 ? 1 : 0), "a land row does not match its counter");
    }
}

std::string DesignerText(const TDeckZones& zones, const TCardsList& cards) {
    return FormatDesignerDeck(cards, zones.Main.Entries, zones.Main.Lands, zones.Sideboard.Entries,
                              zones.Sideboard.Lands);
}

// A small editions list and pack choices with one composite pack, as the dialogs get them.
const TTextList& FuzzEditions() {
    static const TTextList editions = [] {
        TTextList list;
        list.Lines = {"AB;First", "CD;Second", "EF;Third", "9E;Basics"};
        return list;
    }();
    return editions;
}

const TTextList& FuzzChoices() {
    static const TTextList choices = [] {
        TTextList list;
        BuildPackChoices(list, FuzzEditions(), IniDocument("[Complex]\r\nMix=CD+EF;\r\n"));
        return list;
    }();
    return choices;
}

} // namespace

int Deck(const uint8_t* data, size_t size) {
    const std::string_view text = Bytes(data, size);
    LineReader reader(text);
    std::string_view raw;
    while (reader.Next(raw)) {
        TDeckLine line;
        try {
            if (ParseDeckLine(raw, line) == TDeckLineKind::Card)
                Require(Inside(line.Name, raw) && Inside(line.Edition, raw),
                        "a deck line reads outside itself");
        } catch (const Error&) {
        }
    }

    const TCardsList& cards = World();
    test::ScriptedPrompter prompter;
    ScopedPrompter scoped(prompter);
    const std::string path = WriteScratch("deck.dec", text);
    if (IsUtf16(text)) {
        TDeckZones zones;
        RequireUtf16Refused([&] { ReadDeckIntoZones(zones, cards, path, false, false); });
        return 0;
    }
    try {
        TInventoryList inventory;
        ReadDeckIntoInventory(inventory, cards, path, false);
        CheckInventoryLinks(inventory, cards);
        for (int i = 0; i < inventory.Count(); ++i)
            Require(!inventory.Items(i).Card || !IsBasicLand(*inventory.Items(i).Card),
                    "an imported deck brought a basic land");
        ReadDeckIntoInventory(inventory, cards, path, true);
        CheckInventoryLinks(inventory, cards);
        // The export reads back into what it wrote (added, so that its basic lands stay).
        const std::string exported = FormatInventoryDeck(inventory);
        TInventoryList reread;
        Require(ReadDeckIntoInventory(reread, cards, WriteScratch("export.dec", exported), true),
                "an exported inventory does not read");
        Require(FormatInventoryDeck(reread) == exported, "an exported inventory reads differently");

        TDeckZones zones;
        ReadDeckIntoZones(zones, cards, path, false, false);
        ReadDeckIntoZones(zones, cards, path, true, true);
        CheckZone(zones.Main, cards);
        CheckZone(zones.Sideboard, cards);
        // The designer's save reads back into the same deck.
        const std::string saved = DesignerText(zones, cards);
        TDeckZones back;
        Require(ReadDeckIntoZones(back, cards, WriteScratch("saved.dec", saved), false, false),
                "a saved deck does not read");
        Require(DesignerText(back, cards) == saved, "a saved deck reads differently");
    } catch (const Error&) {
        Require(false, "a deck that is there does not read");
    }
    return 0;
}

int DeckList(const uint8_t* data, size_t size) {
    const std::string text = DecodeListBytes(Bytes(data, size));
    const TCardsList& cards = World();
    const TDeckList list = ReadDeckList(text, cards);
    const auto lines = static_cast<int>(SplitLines(text).size());
    for (const TListProblem& problem : list.Problems)
        Require(problem.Line >= 1 && problem.Line <= lines, "a list problem outside the list");
    for (const TListCard& card : list.Cards)
        Require(card.Count >= 1 && card.Count <= kMaxCopiesPerLine && card.Position >= 0 &&
                    card.Position < cards.Count(),
                "a list card out of range");
    TDeckZones zones;
    FillZones(zones, cards, list);
    CheckZone(zones.Main, cards);
    CheckZone(zones.Sideboard, cards);
    // What the list writer makes of it reads back without a problem into the same list, and so
    // does the deck file the designer would save.
    const std::string written = FormatDeckList(cards, zones);
    const TDeckList again = ReadDeckList(written, cards);
    Require(again.Problems.empty(), "a written list does not read");
    TDeckZones back;
    FillZones(back, cards, again);
    Require(FormatDeckList(cards, back) == written, "a written list reads differently");
    // The file reader, line by line, reads what the whole text reads.
    try {
        std::vector<TListProblem> problems;
        const TDeckList fromLines = ReadDeckListFile(WriteScratch("list.txt", Bytes(data, size)), cards,
                                                     [&](const TListProblem& p) { problems.push_back(p); });
        Require(fromLines.Cards.size() == list.Cards.size() && problems.size() == list.Problems.size(),
                "a list file reads differently from its text");
        for (size_t i = 0; i < list.Cards.size(); ++i)
            Require(fromLines.Cards[i].Position == list.Cards[i].Position &&
                        fromLines.Cards[i].Count == list.Cards[i].Count &&
                        fromLines.Cards[i].Sideboard == list.Cards[i].Sideboard,
                    "a list file reads another card");
        for (size_t i = 0; i < problems.size(); ++i)
            Require(problems[i].Line == list.Problems[i].Line && problems[i].Text == list.Problems[i].Text,
                    "a list file reports another problem");
    } catch (const Error&) {
        Require(IsUtf16(Bytes(data, size)), "a list file that is not UTF-16 is refused");
    }
    test::ScriptedPrompter prompter;
    ScopedPrompter scoped(prompter);
    TDeckZones fromFile;
    Require(ReadDeckIntoZones(fromFile, cards, WriteScratch("list.dec", DesignerText(zones, cards)), false,
                              false),
            "a deck from a list does not read");
    Require(FormatDeckList(cards, fromFile) == written, "a deck from a list reads differently");
    return 0;
}

int InventoryFile(const uint8_t* data, size_t size) {
    const TCardsList& cards = World();
    const std::string path = WriteScratch("inventory.inv", Bytes(data, size));
    TInventoryList list;
    if (IsUtf16(Bytes(data, size))) {
        RequireUtf16Refused([&] { LoadInventory(list, cards, path, false); });
        return 0;
    }
    LoadInventory(list, cards, path, false);
    CheckInventoryLinks(list, cards);
    LoadInventory(list, cards, path, true);
    CheckInventoryLinks(list, cards);

    // A saved inventory reads back the same. Lines without an edition or a name shift the
    // count fields of the saved line, so those are not compared.
    for (int i = 0; i < list.Count(); ++i)
        if (list.Items(i).Count > 0 && (list.Items(i).Name.empty() || list.Items(i).Edition.empty()))
            return 0;
    const std::string saved = FormatInventory(list);
    // A first edition spelt from the bytes of a UTF-16 byte-order mark ("\xFE\xFF") cannot be
    // told from one; such a file is refused like every UTF-16 file.
    if (IsUtf16(saved))
        return 0;
    TInventoryList back;
    LoadInventory(back, cards, WriteScratch("saved.inv", saved), false);
    Require(FormatInventory(back) == saved, "a saved inventory reads differently");
    return 0;
}

int InsertSideboard(const uint8_t* data, size_t size) {
    const std::string_view text = Bytes(data, size);
    const std::string converted = InsertSideboardText(text);
    Require(InsertSideboardText(converted) == converted, "converting a converted deck changes it");
    if (IsUtf16(text)) {
        RequireUtf16Refused([&] { InsertSideboardFile(WriteScratch("list.txt", text)); });
        return 0;
    }
    const std::string output = InsertSideboardFile(WriteScratch("list.txt", text));
    Require(ReadWholeFile(output) == converted, "the converted file differs from the converted text");
    return 0;
}

int Ini(const uint8_t* data, size_t size) {
    const std::string_view text = Bytes(data, size);
    const IniDocument doc(text);
    Require(doc.Text() == text, "an INI text does not write back unchanged");

    // A handful of sections and keys: the lookups are linear in the file each.
    std::vector<std::string> sections = doc.Sections();
    sections.resize(std::min<size_t>(sections.size(), 8));
    for (const std::string& section : sections) {
        std::vector<std::string> keys = doc.Keys(section);
        keys.resize(std::min<size_t>(keys.size(), 8));
        for (const std::string& key : keys) {
            const std::optional<std::string> value = doc.Value(section, key);
            Require(value.has_value(), "a listed key has no value");
            ParseIniInteger(*value);
            ParseBoosterConfig(*value);
        }
    }
    // Writing one value changes that value only.
    sections.push_back("Fuzz");
    for (const std::string& section : sections) {
        IniDocument changed = doc;
        changed.SetValue(section, "FuzzKey", "17");
        const IniDocument reread(changed.Text());
        Require(reread.Value(section, "FuzzKey") == std::optional<std::string>("17"),
                "a written value reads back "
                "differently");
        for (const std::string& other : sections)
            if (!EqualsIgnoreAsciiCase(other, section))
                Require(reread.Entries(other) == doc.Entries(other),
                        "writing a value changed another section");
    }

    // boosters.ini: special compositions, composite packs and the pack names they resolve. A
    // UTF-16 file reads as an empty one, with the reason.
    const std::string path = WriteScratch("boosters.ini", text);
    if (IsUtf16(text)) {
        Require(IniFile(path).Load().LineCount() == 0 && IniFile(path).ReadProblem() == kUtf16NotSupported,
                "a UTF-16 INI file is read");
        return 0;
    }
    Require(IniFile(path).ReadInteger("Fuzz", "Number", 7) ==
                ParseIniInteger(doc.Value("Fuzz", "Number").value_or("7")).value_or(7),
            "an INI file reads differently from its text");
    const TPackCompositions fromText = ReadPackCompositions(doc);
    const TPackCompositions fromFile = ReadPackCompositions(path);
    Require(fromFile.Boosters.size() == fromText.Boosters.size() &&
                fromFile.Starters.size() == fromText.Starters.size(),
            "boosters.ini reads differently from its text");
    const auto complex = doc.Entries("Complex");
    for (size_t i = 0; i < std::min<size_t>(complex.size(), 8); ++i) {
        // The first entry of a key wins.
        const auto first = std::find_if(complex.begin(), complex.end(),
                                        [&](const auto& entry) { return entry.first == complex[i].first; });
        Require(FindComplexPack(doc, complex[i].first) == first->second, "a composite pack is found wrongly");
        try {
            const std::string resolved = ResolvePackName(complex[i].first, FuzzEditions(), doc);
            Require(!resolved.empty(), "a pack resolves to nothing");
        } catch (const Error&) {
        }
    }
    TTextList choices;
    BuildPackChoices(choices, FuzzEditions(), doc);
    Require(choices.Count() <= FuzzEditions().Count(), "more pack choices than editions");
    return 0;
}

int Boosters(const uint8_t* data, size_t size) {
    const IniDocument doc(Bytes(data, size));
    const TBoosterIniCheck check = CheckBoostersIni(doc, FuzzEditions());
    int lastLine = 0;
    for (const TBoosterIniProblem& problem : check.Problems) {
        Require(problem.Line > lastLine, "a line reported twice or out of order");
        Require(problem.Text.size() <= kQuotedLineBytes + 1, "a problem keeps a whole long line");
        lastLine = problem.Line;
    }
    // A pack that is not refused makes packs of a sound size; a refused one is neither offered
    // nor drawn.
    const TPackCompositions compositions = ReadPackCompositions(doc);
    TTextList choices;
    BuildPackChoices(choices, FuzzEditions(), doc);
    const auto complex = doc.Entries("Complex");
    const bool ambiguous = std::any_of(complex.begin(), complex.end(), [](const auto& entry) {
        return entry.first.find(';') != std::string::npos;
    });
    for (size_t i = 0; i < std::min<size_t>(complex.size(), 8); ++i) {
        const std::string& name = complex[i].first;
        // A choice line is "name;display name": with a ";" in any pack name, which pack a line
        // offers cannot be told. The lookup of names ignores case, so names are compared here.
        bool offered = false;
        for (int k = 0; k < choices.Count() && !ambiguous; ++k)
            offered = offered || choices.Name(k) == name;
        try {
            const std::string resolved = ResolvePackName(name, FuzzEditions(), doc);
            Require(!check.Refused(name) || FuzzEditions().IndexOfName(name) >= 0, "a refused pack resolves");
            if (resolved.find('+') == std::string::npos)
                continue;
            for (TPackShape shape : {TPackShape::Booster, TPackShape::Starter}) {
                int64_t cards = 0;
                for (int m = 1; m <= CountWords(resolved, "+"); ++m) {
                    const TBoosterConfig& config = compositions.Of(shape, NthWord(m, resolved, "+", true));
                    cards += int64_t{config.Rares} + config.Uncommons + config.Commons;
                }
                Require(cards >= kMinPackCards && cards <= kMaxPackCards, "a pack of a size refused");
            }
        } catch (const Error&) {
            Require(!offered, "an offered pack does not resolve");
        }
    }
    return 0;
}

int DraftConfig(const uint8_t* data, size_t size) {
    const std::string_view stored = Bytes(data, size);
    TDraftConfig config;
    config.Init(FuzzChoices(), stored, static_cast<int>(size % 100));
    Require(std::find(kPickTimePresets.begin(), kPickTimePresets.end(), config.PickTime) !=
                kPickTimePresets.end(),
            "a pick time not offered");
    for (int position : config.Selected)
        Require(position >= 0 && position < config.ChoiceList.Count(), "a selection out of range");
    // What OK stores selects the same packs again.
    TDraftConfig again;
    again.Init(FuzzChoices(), config.ConfigText(), config.PickTime);
    Require(again.Selected == config.Selected && again.PickTime == config.PickTime,
            "a stored draft configuration reads differently");
    return 0;
}

int DraftRecord(const uint8_t* data, size_t size) {
    // The file, read line by line, gives what its text gives: the same faults, or the same record.
    std::vector<std::pair<int, std::string>> faults, fileFaults;
    const auto collect = [](auto& into) {
        return [&into](int line, const std::string& fault) {
            into.emplace_back(line, fault);
        };
    };
    std::string fromFile;
    try {
        fromFile = FormatDraftRecord(
            ReadDraftRecord(WriteScratch("fuzz.draft", Bytes(data, size)), collect(fileFaults)));
    } catch (const Error&) {
    }
    TDraftRecord record;
    try {
        record = ParseDraftRecord(Bytes(data, size), "fuzz.draft", collect(faults));
    } catch (const Error&) {
        Require(faults == fileFaults && fromFile.empty(), "a record file reads differently from its text");
        return 0;
    }
    Require(fileFaults.empty() && fromFile == FormatDraftRecord(record), "a record file reads differently");
    // What was read saves to a text that reads back to the same record.
    const std::string text = FormatDraftRecord(record);
    Require(FormatDraftRecord(ParseDraftRecord(text, "again.draft")) == text,
            "a draft record reads differently");
    // The review takes any record, its cards known or not.
    const TCardLinks links = LinkRecordCards(record, World());
    for (int seat = 0; seat < kTableSeats; ++seat) {
        const TSeatSummary summary = SummarizeSeat(record, links, seat);
        for (int32_t first : summary.FirstPicks)
            Require(first >= -1 && first < static_cast<int32_t>(record.Keys.size()),
                    "a first pick out of range");
        for (const TPickGrade& pick : GradePicks(record, links, seat))
            Require(pick.Loss >= 0 && pick.Best < static_cast<int>(pick.Scores.size()),
                    "a pick graded wrong");
    }
    for (int step = 0; step < static_cast<int>(record.Steps.size()); ++step) {
        const std::vector<bool> wheeled = WheeledCards(record, step);
        Require(wheeled.size() == record.Steps[static_cast<size_t>(step)].Cards.size(),
                "wheel marks per card");
        ManaCurve(PicksBefore(record, step), links);
    }
    return 0;
}

int Cube(const uint8_t* data, size_t size) {
    const std::string text = DecodeListBytes(Bytes(data, size));
    const TCardsList& cards = World();
    TCube cube;
    try {
        cube = ParseCube(text, "fuzz", cards);
    } catch (const CubeProblems& problems) {
        const auto lines = static_cast<int>(SplitLines(text).size());
        Require(!problems.Problems().empty(), "a cube refused without a problem");
        for (const TListProblem& problem : problems.Problems())
            Require(problem.Line >= 1 && problem.Line <= lines, "a cube problem outside the list");
        return 0;
    }
    // Every copy of every line, each a card of the list; a deal never hands out more copies.
    int64_t copies = 0;
    for (const TListCard& card : ReadDeckList(text, cards, TListZones::MainOnly).Cards)
        copies += card.Count;
    Require(static_cast<int64_t>(cube.Cards.size()) == copies, "a cube holds other than its lines' copies");
    for (int32_t position : cube.Cards)
        Require(position >= 0 && position < cards.Count(), "a cube card out of range");
    RandomSource random(1);
    std::vector<int32_t> shuffled = ShuffledCube(cube, random);
    std::vector<int32_t> listed = cube.Cards;
    std::sort(shuffled.begin(), shuffled.end());
    std::sort(listed.begin(), listed.end());
    Require(shuffled == listed, "a shuffle changed the cube's cards");
    std::array<TBoosterList, 3> packs;
    try {
        DealCubeBoosters(cube, kCubePackSizeMin, packs, random);
        Require(packs[2].Count() == kTableSeats, "a deal of fewer boosters");
    } catch (const Error&) {
        Require(static_cast<int>(cube.Cards.size()) < kTableSeats * 3 * kCubePackSizeMin,
                "a cube large enough refused");
    }
    return 0;
}

int SealedConfig(const uint8_t* data, size_t size) {
    TSealedConfig config;
    config.Init(FuzzChoices(), Bytes(data, size));
    Require(static_cast<int>(config.ListLines.size()) == CountWords(config.ConfigText, ";"),
            "a sealed list and its text disagree");
    // What is kept is clean: reading it again drops nothing.
    TSealedConfig again;
    again.Init(FuzzChoices(), config.ConfigText);
    Require(again.ConfigText == config.ConfigText && again.ListLines == config.ListLines,
            "a cleaned sealed configuration changes when read again");
    // An added pack is an item of its own, whatever the stored text ended with.
    again.AddBooster(0);
    Require(static_cast<int>(again.ListLines.size()) == CountWords(again.ConfigText, ";"),
            "an added pack merged with the item before it");
    return 0;
}

// A search compiles or says why, and a compiled one matches every card, one by one as a
// search over the list does: the hand-made world has costs of each shape, texts and
// power/toughness values.
int Query(const uint8_t* data, size_t size) {
    static const TCardsList& cards = []() -> const TCardsList& {
        static TCardsList list;
        test::FillTestWorld(list);
        TCardItem& split = test::AddTestCard(list, "CD", "Fire / Ice", TRarity::R, "1R /  / 2W", "Instant");
        list.AppendTextLine(split, list.Store("Draw a card."));
        list.AppendTextLine(split, list.Store("Fire deals 2 damage."));
        test::AddTestCard(list, "CD", "Hound", TRarity::U, "1(g / w)", "Creature").PowerToughness = "*/3";
        return list;
    }();
    TTextList formats;
    formats.Lines = {"Standard;AB;", "Old;CD;"};
    const std::vector<int32_t> owned(static_cast<size_t>(cards.Count()), 1);
    try {
        TCardQuery query = TCardQuery::Compile(Bytes(data, size), {&formats});
        query.SetOwned(owned);
        std::vector<int> one;
        for (int i = 0; i < cards.Count(); ++i)
            if (query.Matches(cards, i))
                one.push_back(i);
        Require(SearchCards(cards, query) == one, "a search and card-by-card matching disagree");
    } catch (const Error& e) {
        Require(std::string_view(e.what()).starts_with(kBadSearch), "a bad search without its message");
    }
    return 0;
}

} // namespace tovel::fuzz
