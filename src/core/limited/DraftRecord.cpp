#include "core/limited/DraftRecord.h"

#include "core/decks/DeckFile.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Text.h"
#include "core/infra/Words.h"
#include "core/limited/DraftEngine.h"

#include <array>
#include <charconv>
#include <optional>

namespace tovel {

namespace {

constexpr std::string_view kHeading = "Tovel draft record 1";
constexpr std::string_view kPacksField = "Packs:";
constexpr std::string_view kPickTimeField = "Pick time:";
constexpr std::string_view kSeedField = "Seed:";
constexpr std::string_view kDraftersField = "Drafters:";
constexpr std::string_view kUntimedText = "untimed";
constexpr std::string_view kCubeSection = "Cube:";
constexpr std::string_view kTakenMark = "* ";
constexpr std::string_view kOtherMark = "  ";

// The most cards a recorded booster may hold.
constexpr size_t kMaxRecordBooster = 200;
// The longest card key a record may hold.
constexpr size_t kMaxKeyBytes = 1000;

template <typename Number> std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::string StepName(int packTurn, int pick, int seat) {
    return "P" + std::to_string(packTurn) + "p" + std::to_string(pick) + " seat " + std::to_string(seat + 1);
}

// "[CODE] - Name" without control characters.
bool IsCardKey(std::string_view key) {
    for (char c : key)
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
    const size_t close = key.find("] - ");
    return key.starts_with('[') && close != std::string_view::npos && close + 4 < key.size();
}

// Reads a record and checks that it describes a whole draft: the header, then every pick step
// of the three pack turns in the order they were made (pick by pick, seats 1 to 8), each
// booster the one left after the pick before it. Each fault is reported with its line as it is
// found; reading goes on after a fault in the steps so that one pass finds them all.
template <typename Reader> class RecordParser {
public:
    RecordParser(Reader& reader, const std::string& name, const TRecordFaultSink& onFault)
        : reader_(reader), name_(name), onFault_(onFault) {}

    TDraftRecord Parse() {
        TDraftRecord record;
        if (ReadHeader(record)) {
            bool more = NextFilled();
            if (more && Trim(line_) == kCubeSection)
                more = ReadCube(record);
            while (more)
                more = ReadStep(record);
            if (expected_.PackTurn <= kPackTurns)
                Fault(reader_.LineNumber(), "the record ends before the draft does (" +
                                                StepName(expected_.PackTurn, expected_.Pick, expected_.Seat) +
                                                " expected)");
        }
        if (faults_ > 0)
            throw Error(name_ + " is not a draft record (line " + std::to_string(firstFault_) + ")");
        return record;
    }

private:
    struct Place {
        int PackTurn = 1;
        int Pick = 1;
        int Seat = 0;
    };
    // What is left of a booster after its last pick.
    struct Left {
        int Pick = 0; // 0: not seen in this pack turn
        std::vector<int32_t> Cards;
    };

    void Fault(int line, const std::string& what, bool tell = true) {
        if (faults_++ == 0)
            firstFault_ = line;
        if (onFault_ && tell)
            onFault_(line, what);
    }

    // The next line that is not blank; false at the end.
    bool NextFilled() {
        while (reader_.Next(line_)) {
            if constexpr (requires { reader_.LineCut(); })
                if (reader_.LineCut())
                    Fault(reader_.LineNumber(),
                          "a line longer than " + std::to_string(kMaxLineBytes) + " bytes");
            if (!Trim(line_).empty())
                return true;
        }
        return false;
    }

    // "Name: value": the value after the colon and one blank; nullopt after a fault.
    std::optional<std::string_view> Field(std::string_view field) {
        if (!NextFilled()) {
            Fault(reader_.LineNumber(), "the record ends before \"" + std::string(field) + "\"");
            return std::nullopt;
        }
        if (!line_.starts_with(field)) {
            Fault(reader_.LineNumber(), "\"" + std::string(field) + "\" expected");
            return std::nullopt;
        }
        std::string_view value = line_.substr(field.size());
        if (value.starts_with(' '))
            value.remove_prefix(1);
        return value;
    }

    template <typename Number>
    std::optional<Number> Bounded(std::string_view text, Number low, Number high, std::string_view what) {
        const auto value = ParseNumber<Number>(Trim(text));
        if (!value || *value < low || *value > high) {
            Fault(reader_.LineNumber(), std::string(what) + " \"" + QuoteLine(text) + "\" is not " +
                                            std::to_string(low) + " to " + std::to_string(high));
            return std::nullopt;
        }
        return value;
    }

    // The heading and the header fields in their order. A fault here ends the reading: what
    // follows cannot be told apart.
    bool ReadHeader(TDraftRecord& record) {
        if (!NextFilled() || Trim(line_) != kHeading) {
            // Some other file: the error says it all.
            Fault(reader_.LineNumber(), "not a draft record", false);
            return false;
        }
        const auto packs = Field(kPacksField);
        if (!packs)
            return false;
        record.Packs = std::string(*packs);
        const auto pickTime = Field(kPickTimeField);
        if (!pickTime)
            return false;
        if (Trim(*pickTime) == kUntimedText) {
            record.PickTime = kUntimedPick;
        } else {
            const auto seconds = Bounded<int>(*pickTime, -100000, 100000, "the pick time");
            if (!seconds)
                return false;
            record.PickTime = *seconds;
        }
        const auto seed = Field(kSeedField);
        const auto seedValue = seed ? Bounded<uint32_t>(*seed, 0, UINT32_MAX, "the seed") : std::nullopt;
        if (!seedValue)
            return false;
        record.Seed = *seedValue;
        const auto drafters = Field(kDraftersField);
        const auto strategy = drafters ? Bounded<int>(*drafters, 0, 3, "the drafters' rule") : std::nullopt;
        if (!strategy)
            return false;
        record.Strategy = static_cast<uint8_t>(*strategy);
        return true;
    }

    // The cards of the cube the draft was dealt from, one key a line up to the first step.
    bool ReadCube(TDraftRecord& record) {
        while (NextFilled()) {
            const std::string_view key = Trim(line_);
            if (IsHeading(key))
                return true;
            if (key.size() > kMaxKeyBytes)
                Fault(reader_.LineNumber(),
                      "a card key longer than " + std::to_string(kMaxKeyBytes) + " bytes");
            else if (!IsCardKey(key))
                Fault(reader_.LineNumber(), "\"" + QuoteLine(key) + "\" is not a card key");
            else
                record.Cube.push_back(record.KeyIndex(key));
        }
        return false;
    }

    static bool IsHeading(std::string_view line) {
        return line.size() > 1 && line[0] == 'P' && line[1] >= '0' && line[1] <= '9';
    }

    // One step: its heading and its cards. Returns whether a line is waiting in line_.
    bool ReadStep(TDraftRecord& record) {
        const int headingLine = reader_.LineNumber();
        int lastLine = headingLine;
        std::optional<TPickStep> step = Heading();
        if (step)
            step->TakenAt = -1;
        bool more;
        while ((more = NextFilled()) && (line_.starts_with(kTakenMark) || line_.starts_with(kOtherMark))) {
            if (!step)
                continue; // the cards of a heading already reported
            lastLine = reader_.LineNumber();
            std::string_view key = line_.substr(2);
            // Kept all the same (a long one cut), so that the steps after it are checked as they are.
            if (key.size() > kMaxKeyBytes) {
                Fault(reader_.LineNumber(),
                      "a card key longer than " + std::to_string(kMaxKeyBytes) + " bytes");
                key = key.substr(0, kMaxKeyBytes);
            } else if (!IsCardKey(key)) {
                Fault(reader_.LineNumber(), "\"" + QuoteLine(key) + "\" is not a card key");
            }
            if (line_.starts_with(kTakenMark)) {
                if (step->TakenAt >= 0)
                    Fault(reader_.LineNumber(), "a second card taken");
                step->TakenAt = static_cast<int>(step->Cards.size());
            }
            if (step->Cards.size() < kMaxRecordBooster + 1)
                step->Cards.push_back(record.KeyIndex(key));
            else if (step->TakenAt == static_cast<int>(step->Cards.size()))
                step->TakenAt = static_cast<int>(step->Cards.size()) - 1;
        }
        if (!step)
            return more;
        if (step->TakenAt < 0) {
            Fault(lastLine, step->Cards.empty() ? "a step without cards" : "a step without the card taken");
            return more;
        }
        if (InSequence(*step, headingLine))
            record.Steps.push_back(std::move(*step));
        return more;
    }

    // "P<turn>p<pick> seat <s> booster <b> <how>".
    std::optional<TPickStep> Heading() {
        static const CharSet blank(" ");
        const std::string_view place = NthWord(1, line_, blank, true);
        const size_t p = place.find('p', 1);
        if (CountWords(line_, blank) != 6 || NthWord(2, line_, blank, true) != "seat" ||
            NthWord(4, line_, blank, true) != "booster" || !place.starts_with('P') ||
            p == std::string_view::npos) {
            Fault(reader_.LineNumber(), "\"" + QuoteLine(line_) + "\" is not a pick step");
            return std::nullopt;
        }
        const auto turn = Bounded<int>(place.substr(1, p - 1), 1, kPackTurns, "the pack turn");
        const auto pick =
            Bounded<int>(place.substr(p + 1), 1, static_cast<int>(kMaxRecordBooster), "the pick");
        const auto seat = Bounded<int>(NthWord(3, line_, blank, true), 1, kTableSeats, "the seat");
        const auto booster = Bounded<int>(NthWord(5, line_, blank, true), 1, kTableSeats, "the booster");
        const std::string_view how = NthWord(6, line_, blank, true);
        std::optional<TPickHow> taken;
        for (TPickHow kind : {TPickHow::User, TPickHow::Timeout, TPickHow::Drafter})
            if (how == PickHowName(kind))
                taken = kind;
        if (!taken)
            Fault(reader_.LineNumber(), "\"" + QuoteLine(how) + "\" is not user, timeout or drafter");
        if (!turn || !pick || !seat || !booster || !taken)
            return std::nullopt;
        TPickStep step;
        step.How = *taken;
        step.PackTurn = *turn;
        step.Pick = *pick;
        step.Seat = *seat - 1;
        step.Booster = *booster;
        return step;
    }

    // Whether the step is the one due, with the booster due; a fault says what is not.
    bool InSequence(const TPickStep& step, int line) {
        const size_t at = static_cast<size_t>(
            ((step.PackTurn - 1) * static_cast<int>(kMaxRecordBooster) + step.Pick - 1) * kTableSeats +
            step.Seat);
        const std::string name = StepName(step.PackTurn, step.Pick, step.Seat);
        if (seen_[at]) {
            Fault(line, "step " + name + " is repeated");
            return false;
        }
        seen_[at] = true;
        if (step.PackTurn != expected_.PackTurn || step.Pick != expected_.Pick || step.Seat != expected_.Seat)
            Fault(line, "step " + name + " is out of order (" +
                            StepName(expected_.PackTurn, expected_.Pick, expected_.Seat) + " expected)");
        if (step.PackTurn != leftTurn_) {
            leftTurn_ = step.PackTurn;
            left_ = {};
        }

        const size_t size = step.Cards.size();
        size_t& turnSize = boosterSize_[static_cast<size_t>(step.PackTurn - 1)];
        const bool tooLarge = size > kMaxRecordBooster;
        if (!tooLarge && step.Pick == 1 && turnSize == 0)
            turnSize = size;
        const size_t due = turnSize >= static_cast<size_t>(step.Pick) ? turnSize - step.Pick + 1 : 0;
        Left& booster = left_[static_cast<size_t>(step.Booster - 1)];
        if (tooLarge) {
            Fault(line, "a booster of more than " + std::to_string(kMaxRecordBooster) + " cards");
        } else if (turnSize > 0 && size != due) {
            Fault(line, "a booster of " + std::to_string(size) + " cards where " + std::to_string(due) +
                            " are due");
        } else if (booster.Pick == step.Pick) {
            Fault(line, "booster " + std::to_string(step.Booster) + " is picked from twice at pick " +
                            std::to_string(step.Pick));
        } else if (step.Pick > 1 && (booster.Pick != step.Pick - 1 || booster.Cards != step.Cards)) {
            Fault(line, "booster " + std::to_string(step.Booster) +
                            " is not what was left of it after pick " + std::to_string(step.Pick - 1));
        }
        booster.Pick = step.Pick;
        booster.Cards = step.Cards;
        booster.Cards.erase(booster.Cards.begin() + step.TakenAt);

        // The step due next: seats 1 to 8 at each pick, as many picks as the booster has cards.
        expected_ = {step.PackTurn, step.Pick, step.Seat + 1};
        if (expected_.Seat == kTableSeats) {
            expected_.Seat = 0;
            if (++expected_.Pick > static_cast<int>(turnSize)) {
                expected_.Pick = 1;
                ++expected_.PackTurn;
            }
        }
        return true;
    }

    Reader& reader_;
    const std::string& name_;
    const TRecordFaultSink& onFault_;
    std::string_view line_;
    int faults_ = 0;
    int firstFault_ = 0;
    Place expected_;
    std::array<size_t, kPackTurns> boosterSize_{};
    int leftTurn_ = 0;
    std::array<Left, kTableSeats> left_{};
    std::vector<bool> seen_ = std::vector<bool>(kPackTurns * kMaxRecordBooster * kTableSeats);
};

} // namespace

const char* PickHowName(TPickHow how) {
    switch (how) {
    case TPickHow::User:
        return "user";
    case TPickHow::Timeout:
        return "timeout";
    case TPickHow::Drafter:
        break;
    }
    return "drafter";
}

void TDraftRecord::Clear() {
    Packs.clear();
    PickTime = 40;
    Seed = 0;
    Strategy = 2;
    Keys.clear();
    Cube.clear();
    Steps.clear();
    keyIndex_.clear();
}

int32_t TDraftRecord::KeyIndex(std::string_view key) {
    const auto [at, added] = keyIndex_.try_emplace(std::string(key), static_cast<int32_t>(Keys.size()));
    if (added)
        Keys.emplace_back(key);
    return at->second;
}

void TDraftRecorder::Start(TDraftRecord& record, const TCardsList& cards) {
    record_ = &record;
    cards_ = &cards;
    keyOfCard_.clear();
}

void TDraftRecorder::Before(int packTurn, int pick, int seat, int booster, const TIntegerList& boosterCards) {
    if (!record_)
        return;
    TPickStep& step = record_->Steps.emplace_back();
    step.PackTurn = packTurn;
    step.Pick = pick;
    step.Seat = seat;
    step.Booster = booster;
    positions_.assign(boosterCards.begin(), boosterCards.end());
    step.Cards.reserve(positions_.size());
    for (int32_t position : positions_) {
        auto [at, added] = keyOfCard_.try_emplace(position, 0);
        if (added)
            at->second = record_->KeyIndex(CardKey(cards_->Items(position)));
        step.Cards.push_back(at->second);
    }
}

void TDraftRecorder::Taken(int32_t cardIndex, TPickHow how) {
    if (!record_ || record_->Steps.empty())
        return;
    TPickStep& step = record_->Steps.back();
    step.How = how;
    for (size_t i = 0; i < positions_.size(); ++i)
        if (positions_[i] == cardIndex) {
            step.TakenAt = static_cast<int>(i);
            return;
        }
    record_->Steps.pop_back(); // nothing of that booster was taken: no step
}

std::string FormatDraftRecord(const TDraftRecord& record) {
    std::string text;
    const auto line = [&text](std::string_view a, std::string_view b = {}) {
        text += a;
        text += b;
        text += "\r\n";
    };
    line(kHeading);
    line("Packs: ", record.Packs);
    line("Pick time: ",
         record.PickTime == kUntimedPick ? std::string(kUntimedText) : std::to_string(record.PickTime));
    line("Seed: ", std::to_string(record.Seed));
    line("Drafters: ", std::to_string(record.Strategy));
    line("");
    if (!record.Cube.empty()) {
        line(kCubeSection);
        for (int32_t key : record.Cube)
            line(kOtherMark, record.Key(key));
        line("");
    }
    for (const TPickStep& step : record.Steps) {
        line("P" + std::to_string(step.PackTurn) + "p" + std::to_string(step.Pick) + " seat " +
             std::to_string(step.Seat + 1) + " booster " + std::to_string(step.Booster) + " " +
             PickHowName(step.How));
        for (size_t i = 0; i < step.Cards.size(); ++i)
            line(static_cast<int>(i) == step.TakenAt ? kTakenMark : kOtherMark, record.Key(step.Cards[i]));
    }
    return text;
}

void WriteDraftRecord(const TDraftRecord& record, const std::string& path) {
    WriteFileAtomically(path, FormatDraftRecord(record));
}

TDraftRecord ParseDraftRecord(std::string_view text, const std::string& name,
                              const TRecordFaultSink& onFault) {
    RefuseUtf16(text);
    LineReader reader(text);
    return RecordParser(reader, name, onFault).Parse();
}

TDraftRecord ReadDraftRecord(const std::string& path, const TRecordFaultSink& onFault) {
    // Line by line: a record of any size and line length is read in bounded memory.
    TextFileReader reader(path);
    return RecordParser(reader, path, onFault).Parse();
}

std::string NewDraftRecordPath(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &local);
    const std::string base = ProgramPath(kDraftRecordFolder) + stamp;
    std::string path = base + "." + kDraftRecordExtension;
    for (int n = 2; PathExists(path); ++n)
        path = base + " (" + std::to_string(n) + ")." + kDraftRecordExtension;
    return path;
}

std::string SaveDraftRecord(const TDraftRecord& record, std::time_t when) {
    EnsureDirectory(ProgramPath(kDraftRecordFolder));
    const std::string path = NewDraftRecordPath(when);
    WriteDraftRecord(record, path);
    return path;
}

namespace {

// The position of a card key "[CODE] - Name" in the card list, or -1.
int KeyPosition(std::string_view key, const TCardsList& cards) {
    const size_t close = key.find("] - ");
    if (!key.starts_with('[') || close == std::string_view::npos)
        return -1;
    return cards.IndexOf(key.substr(close + 4), key.substr(1, close - 1));
}

} // namespace

std::vector<const TCardItem*> LinkRecordCards(const TDraftRecord& record, const TCardsList& cards) {
    std::vector<const TCardItem*> links;
    links.reserve(record.Keys.size());
    for (const std::string& key : record.Keys) {
        const int at = KeyPosition(key, cards);
        links.push_back(at >= 0 ? &cards.Items(at) : nullptr);
    }
    return links;
}

bool IsCubeRecord(const TDraftRecord& record) {
    return record.Packs.starts_with(kCubePacks);
}

TCube RecordCube(const TDraftRecord& record, const TCardsList& cards) {
    TCube cube;
    if (IsCubeRecord(record))
        cube.Name = record.Packs.substr(kCubePacks.size());
    cube.Cards.reserve(record.Cube.size());
    for (int32_t key : record.Cube) {
        const int at = KeyPosition(record.Key(key), cards);
        if (at < 0)
            throw Error("The card " + Cp1252ToUtf8(record.Key(key)) +
                        " of the cube is not in the card database");
        cube.Cards.push_back(at);
    }
    return cube;
}

int RecordPackSize(const TDraftRecord& record) {
    return record.Steps.empty() ? kCubePackSizeDefault : static_cast<int>(record.Steps.front().Cards.size());
}

} // namespace tovel
