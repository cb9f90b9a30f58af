#include "core/carddb/CardDatabase.h"

#include "core/carddb/CardText.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/Hash.h"
#include "core/infra/Prompts.h"
#include "core/infra/Text.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace tovel {

namespace {

// The first N ";"-separated fields of a data line, positional as Field() counts them:
// empty fields count, and a field beyond the last one is empty.
template <size_t N> std::array<std::string_view, N> SplitFields(std::string_view line) {
    std::array<std::string_view, N> fields{};
    size_t start = 0;
    for (size_t k = 0; k < N && start <= line.size(); ++k) {
        // memchr must not see the null pointer of an empty view.
        const void* hit =
            start < line.size() ? std::memchr(line.data() + start, ';', line.size() - start) : nullptr;
        const size_t end =
            hit ? static_cast<size_t>(static_cast<const char*>(hit) - line.data()) : line.size();
        fields[k] = line.substr(start, end - start);
        start = end + 1;
    }
    return fields;
}

// Whether `code` + ";" occurs anywhere in the filter (a substring test, so "D1" is in "ED1;").
bool FilterHolds(std::string_view filter, std::string_view code) {
    for (size_t at = filter.find(code); at != std::string_view::npos; at = filter.find(code, at + 1))
        if (at + code.size() < filter.size() && filter[at + code.size()] == ';')
            return true;
    return false;
}

bool ParseRarity(std::string_view text, TRarity& rarity) {
    const std::optional<TRarity> read = text.size() == 1 ? RarityFromLetter(text[0]) : std::nullopt;
    if (read)
        rarity = *read;
    return read.has_value();
}

// Fields that base.txt keeps between ";" on one line cannot hold ";" or a line end: saved, such
// a card would read back as a different one.
void RequireFieldText(std::string_view text, std::string_view what, std::string_view card) {
    if (text.find_first_of(";\r\n") != std::string_view::npos)
        throw Error("The " + std::string(what) + " of card \"" + QuoteLine(card) +
                    "\" contains \";\" or a line end, which the card database cannot store");
}

int32_t ParseValue(std::string_view text) {
    const auto value = ParseInt(text);
    if (!value)
        throw Error("'" + QuoteLine(text) + "' is not a valid integer value");
    return *value;
}

// The stored form of a "+"-separated field: ";" in memory. Only changed text goes to the arena.
std::string_view PlusToSemicolon(TCardsList& cards, std::string_view field) {
    if (field.find('+') == std::string_view::npos)
        return field;
    return cards.Store(ReplaceChar(field, '+', ';'));
}

// The lines of one base.txt record after its head line.
struct RecordBody {
    std::string_view cost;
    std::vector<std::string_view> text;
};

// A file that ends before a record's cost line was cut off: the record is bad, not a card.
[[noreturn]] void ThrowCutRecord(std::string_view head) {
    throw Error(QuoteLine(head) + kRecordHasNoCostLine);
}

void ReadRecordBody(LineReader& reader, std::string_view head, RecordBody& body) {
    body.text.clear();
    if (!reader.Next(body.cost))
        ThrowCutRecord(head);
    std::string_view line;
    while (reader.Next(line) && !line.empty())
        body.text.push_back(line);
}

void SkipRecord(LineReader& reader, std::string_view head) {
    std::string_view line;
    if (!reader.Next(line))
        ThrowCutRecord(head);
    while (reader.Next(line) && !line.empty()) {
    }
}

// Turns one record into a card, setting fields in the file's order so that a bad field leaves
// the card with what came before it.
void FillCard(TCardsList& cards, std::string_view head, const std::array<std::string_view, 6>& fields,
              const RecordBody& body) {
    TCardItem& card = cards.Add(fields[0]);
    card.Edition = fields[0];
    card.Name = fields[1];
    if (!ParseRarity(fields[2], card.Rarity))
        throw Error(QuoteLine(head) + kCantReadCardInfo);
    card.Value = ParseValue(fields[3]);
    card.BannedFormats = PlusToSemicolon(cards, fields[4]);
    card.Printings = fields[5]; // "+"-separated as it stands: a copy of every card's would be dear
    const auto costFields = SplitFields<3>(body.cost);
    if (!costFields[0].empty())
        ParseCost(card, costFields[0]);
    card.TypeLine = costFields[1];
    card.PowerToughness = costFields[2];
    for (std::string_view line : body.text)
        cards.AppendTextLine(card, line);
}

void ReadDatabaseRecords(TCardsList& cards, std::string_view text, std::string_view filter) {
    LineReader reader(text);
    RecordBody body;
    std::string_view head;
    while (reader.Next(head)) {
        const auto fields = SplitFields<6>(head);
        if (!filter.empty() && !FilterHolds(filter, fields[0])) {
            SkipRecord(reader, head);
            continue;
        }
        ReadRecordBody(reader, head, body);
        FillCard(cards, head, fields, body);
    }
}

void AppendPlusField(std::string& out, std::string_view field) {
    const size_t at = out.size();
    out += field;
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(at), out.end(), ';', '+');
}

// First-occurrence index of text lines by their text folded with the ANSI rules. Slots keep
// 32 bits of the hash, so a probe reads a line only when they agree.
class FoldedLineIndex {
public:
    explicit FoldedLineIndex(const TBigVector<std::string_view>& lines) : lines_(lines) {
        size_t size = 64;
        while (size * 5 < lines.size() * 8)
            size *= 2;
        slots_.assign(size, Slot{});
        // A big table is out of the cache: its slots are fetched some lines ahead of their use.
        std::array<uint32_t, kAhead> hashes{};
        for (size_t i = 0; i < lines.size() + kAhead; ++i) {
            uint32_t& hash = hashes[i % kAhead];
            if (i >= kAhead)
                Insert(static_cast<int32_t>(i - kAhead), hash);
            if (i < lines.size()) {
                hash = Hash(lines[i]);
                Prefetch(hash);
            }
        }
    }

    static constexpr size_t kAhead = 16;

    static uint32_t Hash(std::string_view text) { return Fold32(Fnv1a(text, AnsiLower)); }

    void Prefetch(uint32_t hash) const { __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]); }

    // The line Find will compare first for this hash, or -1: only a hint of what it will read.
    int FirstWithHash(uint32_t hash) const {
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask)
            if (slots_[i].line < 0 || slots_[i].hash == hash)
                return slots_[i].line;
    }

    // The first line equal to `key`, whose Hash is `hash`, or -1.
    int Find(std::string_view key, uint32_t hash) const {
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot slot = slots_[i];
            if (slot.line < 0)
                return -1;
            if (slot.hash == hash && EqualsIgnoreAnsiCase(lines_[static_cast<size_t>(slot.line)], key))
                return slot.line;
        }
    }

private:
    struct Slot {
        int32_t line = -1;
        uint32_t hash = 0;
    };

    void Insert(int32_t line, uint32_t hash) {
        const std::string_view key = lines_[static_cast<size_t>(line)];
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot slot = slots_[i];
            if (slot.line < 0) {
                slots_[i] = Slot{line, hash};
                return;
            }
            if (slot.hash == hash && EqualsIgnoreAnsiCase(lines_[static_cast<size_t>(slot.line)], key))
                return; // an earlier line wins
        }
    }

    const TBigVector<std::string_view>& lines_;
    TBigVector<Slot> slots_;
};

std::string_view Extension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return std::string_view(path).substr(dot);
}

void ReadCardListLines(TCardsList& cards, std::string_view text, std::string_view filter) {
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) {
        if (Trim(line).empty())
            break;
        const auto fields = SplitFields<5>(line);
        if (!filter.empty() && !FilterHolds(filter, fields[0]))
            continue;
        if (cards.IndexOf(fields[1], fields[0]) >= 0)
            continue;
        TCardItem& card = cards.Add(fields[0]);
        card.Edition = fields[0];
        card.Name = fields[1];
        if (!ParseRarity(fields[2], card.Rarity))
            throw Error(QuoteLine(line) + kCantReadCardInfo);
        card.Value = ParseValue(fields[3]);
        card.BannedFormats = fields[4];
    }
}

// Whether the XML declaration names a single-byte Western encoding, which pugixml would not
// read as Windows-1252.
bool DeclaresWesternEncoding(std::string_view bytes) {
    const std::string head = AnsiLowerCase(bytes.substr(0, std::min<size_t>(bytes.size(), 200)));
    if (head.rfind("<?xml", 0) != 0)
        return false;
    const size_t end = head.find("?>");
    const std::string_view decl = std::string_view(head).substr(0, end);
    return decl.find("1252") != std::string_view::npos || decl.find("8859-1") != std::string_view::npos ||
           decl.find("latin") != std::string_view::npos;
}

} // namespace

void LoadCardDatabaseText(TCardsList& cards, std::string_view text, std::string_view editionsFilter) {
    RefuseUtf16(text);
    cards.Clear();
    ReadDatabaseRecords(cards, text, editionsFilter);
}

void LoadCardDatabase(TCardsList& cards, const std::string& fileName, std::string_view editionsFilter) {
    cards.Clear();
    auto file = MappedFile::Open(fileName);
    const std::string_view text = file->Bytes();
    RefuseUtf16(text);
    cards.AdoptSource(std::move(file));
    ReadDatabaseRecords(cards, text, editionsFilter);
    cards.ShrinkToFit();
}

namespace {

// An upper bound of the bytes a card's record takes.
size_t RecordSizeBound(const TCardsList& cards, const TCardItem& c) {
    size_t size = c.Edition.size() + c.Name.size() + c.BannedFormats.size() + c.Printings.size() +
                  c.Cost.size() + c.TypeLine.size() + c.PowerToughness.size() + 32;
    for (std::string_view line : cards.Text(c))
        size += line.size() + 2;
    return size;
}

void AppendRecord(std::string& out, const TCardsList& cards, const TCardItem& c) {
    char number[16];
    out += c.Edition;
    out += ';';
    out += c.Name;
    out += ';';
    out += RarityLetter(c);
    out += ';';
    const auto converted = std::to_chars(number, number + sizeof number, c.Value);
    out.append(number, converted.ptr);
    out += ';';
    AppendPlusField(out, c.BannedFormats);
    out += ';';
    AppendPlusField(out, c.Printings);
    out += ";\r\n";
    out += c.Cost;
    out += ';';
    out += c.TypeLine;
    out += ';';
    out += c.PowerToughness;
    out += ";\r\n";
    for (std::string_view line : cards.Text(c)) {
        out += line;
        out += "\r\n";
    }
    out += "\r\n";
}

} // namespace

std::string CardDatabaseText(const TCardsList& cards) {
    size_t size = 0;
    for (int i = 0; i < cards.Count(); ++i)
        size += RecordSizeBound(cards, cards.Items(i));
    std::string out;
    out.reserve(size);
    for (int i = 0; i < cards.Count(); ++i)
        AppendRecord(out, cards, cards.Items(i));
    return out;
}

void SaveCardDatabase(const TCardsList& cards, const std::string& fileName) {
    // Written in pieces through one reused buffer: a whole copy of a big database in memory
    // would cost more in fresh pages than the formatting itself.
    constexpr size_t kPiece = 1 << 20;
    AtomicFileWriter file(fileName);
    std::string piece;
    piece.reserve(kPiece + 4096);
    for (int i = 0; i < cards.Count(); ++i) {
        AppendRecord(piece, cards, cards.Items(i));
        if (piece.size() >= kPiece) {
            file.Write(piece);
            piece.clear();
        }
    }
    file.Write(piece);
    file.Commit();
}

void ComputePrintings(TCardsList& cards, const TTextList& editions) {
    // Positions in the editions list of each (folded) code. A code listed again adds nothing
    // (its first line already placed it), so each spelling is kept once.
    std::unordered_map<std::string, std::vector<int>> positions;
    std::unordered_set<std::string_view> seen;
    for (int e = 0; e < editions.Count(); ++e)
        if (seen.insert(editions.Name(e)).second)
            positions[AsciiLowerCase(editions.Name(e))].push_back(e);

    // Each card's name group is the first card of that name; collect (group, list position) pairs.
    TBigVector<std::pair<int32_t, int32_t>> pairs;
    const std::vector<int32_t> group = cards.FirstOfNames();
    std::string key;
    for (int i = 0; i < cards.Count(); ++i) {
        const TCardItem& card = cards.Items(i);
        key.assign(card.Edition);
        for (char& c : key)
            c = AsciiLower(c);
        const auto found = positions.find(key);
        if (found == positions.end())
            continue;
        for (int e : found->second)
            pairs.emplace_back(group[static_cast<size_t>(i)], e);
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());

    // One printings text per name group (by its first card), in editions-list order, each code
    // once; an empty text for a group without known editions.
    TBigVector<std::string_view> groupText(static_cast<size_t>(cards.Count()));
    std::string text;
    for (size_t p = 0; p < pairs.size();) {
        const int32_t g = pairs[p].first;
        text.clear();
        for (; p < pairs.size() && pairs[p].first == g; ++p) {
            const std::string_view code = editions.Name(pairs[p].second);
            if (!CodeListHolds(text, code)) {
                text += code;
                text += ';';
            }
        }
        groupText[static_cast<size_t>(g)] = cards.Store(text);
    }

    for (int i = 0; i < cards.Count(); ++i) {
        TCardItem& card = cards.Items(i);
        const std::string_view add = groupText[static_cast<size_t>(group[static_cast<size_t>(i)])];
        if (add.empty())
            continue;
        if (card.Printings.empty()) {
            card.Printings = add;
            continue;
        }
        // Codes the card already lists stay first and are not repeated.
        std::string merged = ReplaceChar(card.Printings, '+', ';');
        size_t p = 0;
        while (p < add.size()) {
            const size_t q = add.find(';', p);
            const std::string_view code = add.substr(p, q - p);
            if (!CodeListHolds(merged, code)) {
                if (!merged.empty() && merged.back() != ';')
                    merged += ';';
                merged += code;
                merged += ';';
            }
            p = q + 1;
        }
        card.Printings = cards.Store(merged);
    }
}

namespace {

TCheckCounts CheckRecords(std::string_view text,
                          const std::function<void(const TRecordProblem&)>& onProblem) {
    TCheckCounts counts;
    TCardsList scratch;
    LineReader reader(text);
    RecordBody body;
    std::string_view head;
    while (reader.Next(head)) {
        const int headLine = reader.LineNumber();
        try {
            ReadRecordBody(reader, head, body);
            FillCard(scratch, head, SplitFields<6>(head), body);
            ++counts.Cards;
        } catch (const Error& e) {
            ++counts.Problems;
            onProblem({headLine, e.what()});
        }
        if (scratch.Count() >= 4096)
            scratch.Clear(); // only the verdict matters; keep memory flat on big files
    }
    return counts;
}

} // namespace

TCheckCounts CheckCardDatabase(std::string_view text,
                               const std::function<void(const TRecordProblem&)>& onProblem) {
    RefuseUtf16(text);
    return CheckRecords(text, onProblem);
}

TCheckCounts CheckCardDatabaseFile(const std::string& path,
                                   const std::function<void(const TRecordProblem&)>& onProblem) {
    TCheckCounts counts;
    TextFileReader file(path);
    // One record at a time (its head line, its cost line, its text up to a blank line), checked
    // as CheckCardDatabase checks it.
    // Every line keeps an end, so that a blank cost line stays a line.
    std::string record;
    std::string_view line;
    while (file.Next(line)) {
        const int headLine = file.LineNumber();
        record.assign(line);
        record += '\n';
        bool tooLong = file.LineCut();
        for (bool cost = true; file.Next(line) && (cost || !line.empty()); cost = false) {
            tooLong = tooLong || file.LineCut() || record.size() + line.size() >= kMaxRecordBytes;
            if (!tooLong) {
                record += line;
                record += '\n';
            }
        }
        if (tooLong) {
            ++counts.Problems;
            onProblem({headLine, QuoteLine(record.substr(0, record.find('\n'))) +
                                     " is too long: a record holds at most " +
                                     std::to_string(kMaxRecordBytes) + " bytes, a line " +
                                     std::to_string(kMaxLineBytes)});
            continue;
        }
        const TCheckCounts one = CheckRecords(record, [&](const TRecordProblem& problem) {
            onProblem({headLine + problem.Line - 1, problem.Message});
        });
        counts.Cards += one.Cards;
        counts.Problems += one.Problems;
    }
    return counts;
}

TCheckReport CheckCardDatabase(std::string_view text) {
    TCheckReport report;
    report.Cards = CheckCardDatabase(text, [&](const TRecordProblem& problem) {
                       report.Problems.push_back(problem);
                   }).Cards;
    return report;
}

bool ReadCardListText(TCardsList& cards, std::string_view text, std::string_view editionsFilter) {
    cards.Clear();
    // Read as Windows-1252, its byte-order mark would become the first edition's code and the
    // database built from it would start like a UTF-16 file that nothing reads back.
    RefuseUtf16(text);
    if (text.empty())
        return false;
    ReadCardListLines(cards, text, editionsFilter);
    return true;
}

void ReadCardListXml(TCardsList& cards, std::string_view bytes, std::string_view editionsFilter) {
    pugi::xml_document doc;
    pugi::xml_parse_result result;
    std::string converted;
    if (DeclaresWesternEncoding(bytes)) {
        converted = Cp1252ToUtf8(bytes);
        result =
            doc.load_buffer(converted.data(), converted.size(), pugi::parse_default, pugi::encoding_utf8);
    } else {
        result = doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    }
    if (!result)
        throw Error(std::string("Cannot read the XML card list: ") + result.description() + " at offset " +
                    std::to_string(result.offset));
    cards.Clear();
    const pugi::xml_node root = doc.document_element();
    for (pugi::xml_node node = root.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element)
            continue;
        const std::string name = Utf8ToCp1252(node.attribute("Name").value());
        const std::string edition = Utf8ToCp1252(node.attribute("Edition").value());
        RequireFieldText(name, "name", name);
        RequireFieldText(edition, "edition", name);
        if (!editionsFilter.empty() && !FilterHolds(editionsFilter, edition))
            continue;
        if (cards.IndexOf(name, edition) >= 0)
            continue;
        TCardItem& card = cards.Add(edition);
        card.Name = cards.Store(name);
        if (!ParseRarity(Utf8ToCp1252(node.attribute("Rarity").value()), card.Rarity))
            throw Error(QuoteLine(name) + kCantReadCardInfo);
        card.Value = ParseValue(Utf8ToCp1252(node.attribute("Value").value()));
        const std::string banned = Utf8ToCp1252(node.attribute("BannedFormats").value());
        if (banned.find_first_of("\r\n") != std::string::npos)
            RequireFieldText(banned, "banned formats", name);
        card.BannedFormats = cards.Store(banned);
    }
}

void ReadCardText(TCardsList& cards, std::string_view text) {
    const TBigVector<std::string_view> lines = SplitLines(text);
    const FoldedLineIndex index(lines);
    const int count = cards.Count();
    constexpr int kAhead = static_cast<int>(FoldedLineIndex::kAhead);

    // Each card's entry first, the table's slots fetched some cards ahead: on a big list every
    // lookup is a cache miss, and this way they overlap.
    TBigVector<int32_t> entry(static_cast<size_t>(count));
    std::array<uint32_t, kAhead> hashes{};
    for (int i = 0; i < count + kAhead; ++i) {
        uint32_t& hash = hashes[static_cast<size_t>(i % kAhead)];
        if (i >= kAhead) {
            const int card = i - kAhead;
            entry[static_cast<size_t>(card)] = index.Find(cards.Items(card).Name, hash);
        }
        // Halfway, the line the slot names; a quarter of the way, its bytes.
        if (const int card = i - kAhead / 2; card >= 0 && card < count)
            if (const int line = index.FirstWithHash(hashes[static_cast<size_t>(card % kAhead)]); line >= 0)
                __builtin_prefetch(&lines[static_cast<size_t>(line)]);
        if (const int card = i - kAhead * 3 / 4; card >= 0 && card < count)
            if (const int line = index.FirstWithHash(hashes[static_cast<size_t>(card % kAhead)]); line >= 0)
                __builtin_prefetch(lines[static_cast<size_t>(line)].data());
        if (i < count) {
            hash = FoldedLineIndex::Hash(cards.Items(i).Name);
            index.Prefetch(hash);
        }
    }

    // Printings of one name find the same entry and so the same rules text: they share its
    // lines instead of each holding a copy. The text lines of the first card that read an
    // entry, by the entry's line (first << 32 | count); kUnread before.
    constexpr uint64_t kUnread = ~uint64_t{0};
    TBigVector<uint64_t> textOf(lines.size(), kUnread);
    for (int i = 0; i < count; ++i) {
        if (i + kAhead < count) {
            const int32_t ahead = entry[static_cast<size_t>(i + kAhead)];
            if (ahead >= 0) {
                __builtin_prefetch(&textOf[static_cast<size_t>(ahead)]);
                __builtin_prefetch(&lines[static_cast<size_t>(ahead)]);
            }
        }
        if (i + kAhead / 2 < count) {
            // The bytes of the entry's following lines (cost, type, text), read just below.
            const int32_t near = entry[static_cast<size_t>(i + kAhead / 2)];
            if (near >= 0 && static_cast<size_t>(near) + 1 < lines.size())
                __builtin_prefetch(lines[static_cast<size_t>(near) + 1].data());
        }
        TCardItem& card = cards.Items(i);
        const int found = entry[static_cast<size_t>(i)];
        if (found < 0)
            throw Error("Card \"" + QuoteLine(card.Name) + "\" not found in DB");
        size_t pos = static_cast<size_t>(found) + 1;
        auto line = [&](size_t at) {
            if (at >= lines.size())
                throw Error("The text of card \"" + QuoteLine(card.Name) +
                            "\" runs past the end of the card-text file");
            return lines[at];
        };
        if (IsManaCost(line(pos))) {
            ParseCost(card, Trim(lines[pos]));
            ++pos;
        } else {
            ParseCost(card, {});
        }
        card.TypeLine = Trim(line(pos));
        RequireFieldText(card.TypeLine, "type line", card.Name);
        ++pos;
        if (IsPowerToughness(line(pos))) {
            card.PowerToughness = Trim(lines[pos]);
            ++pos;
        }
        cards.ClearText(card);
        uint64_t& shared = textOf[static_cast<size_t>(found)];
        if (shared != kUnread) {
            card.TextFirst = static_cast<uint32_t>(shared >> 32);
            card.TextCount = static_cast<uint32_t>(shared);
            continue;
        }
        for (std::string_view rule = Trim(line(pos)); !rule.empty(); rule = Trim(line(++pos)))
            cards.AppendTextLine(card, rule);
        shared = (uint64_t{card.TextFirst} << 32) | card.TextCount;
    }
}

void AddMissingBasicLands(TCardsList& cards) {
    for (std::string_view land : BasicLandNames) {
        if (cards.IndexOfName(land) >= 0)
            continue;
        TCardItem& card = cards.Add("9E");
        card.Name = land;
        card.Rarity = TRarity::L;
        card.Value = 5;
    }
}

bool ReadCardSources(TCardsList& cards, const std::string& cardListFile, const std::string& cardTextFile,
                     std::string_view editionsFilter, const TTextList& editions) {
    const std::string_view listKind = Extension(cardListFile);
    // The sources are copied, not mapped: they are hand-edited files that an editor may rewrite
    // in place while the cards still refer to them.
    if (listKind == ".txt") {
        std::string bytes = ReadTextFile(cardListFile);
        cards.Clear();
        if (bytes.empty())
            return false;
        ReadCardListLines(cards, cards.Keep(std::move(bytes)), editionsFilter);
    } else if (listKind == ".xml") {
        ReadCardListXml(cards, ReadWholeFile(cardListFile), editionsFilter);
    } else {
        throw Error("The card list \"" + cardListFile + "\" is neither a .txt nor an .xml file");
    }

    ComputePrintings(cards, editions);

    const std::string_view textKind = Extension(cardTextFile);
    if (textKind == ".xml")
        throw Error("Card text in XML form is not supported: \"" + cardTextFile + "\"");
    if (textKind != ".txt")
        throw Error("The card-text file \"" + cardTextFile + "\" is not a .txt file");
    ReadCardText(cards, cards.Keep(ReadTextFile(cardTextFile)));

    AddMissingBasicLands(cards);
    return true;
}

bool MergeCardDatabase(TCardsList& cards, const std::string& cardListFile, const std::string& cardTextFile,
                       std::string_view editionsFilter, const TTextList& editions,
                       std::string& rememberedFilter) {
    if (cards.Count() > 0 && editionsFilter == rememberedFilter)
        return true;
    try {
        if (ReadCardSources(cards, cardListFile, cardTextFile, editionsFilter, editions))
            rememberedFilter = std::string(editionsFilter);
        return true;
    } catch (const std::exception&) {
        cards.Clear();
        ShowError(kErrorReadingCardsDatabase);
        return false;
    }
}

} // namespace tovel
