#include "core/limited/DraftRecord.h"

#include "core/decks/DeckFile.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Text.h"
#include "core/infra/Words.h"

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
constexpr int kMaxPick = 1000;

template <typename Number> std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

class RecordParser {
public:
    RecordParser(std::string_view text, const std::string& name) : reader_(text), name_(name) {}

    TDraftRecord Parse() {
        TDraftRecord record;
        if (!NextFilled() || Trim(line_) != kHeading)
            Fail();
        record.Packs = std::string(Field(kPacksField));
        record.PickTime = PickTime(Field(kPickTimeField));
        record.Seed = Bounded<uint32_t>(Field(kSeedField), 0, UINT32_MAX);
        record.Strategy = static_cast<uint8_t>(Bounded<int>(Field(kDraftersField), 0, 3));

        bool more = NextFilled();
        if (more && Trim(line_) == kCubeSection)
            more = CubeSection(record);
        while (more) {
            TPickStep step = Heading();
            step.TakenAt = -1;
            while ((more = NextFilled()) &&
                   (line_.starts_with(kTakenMark) || line_.starts_with(kOtherMark))) {
                const std::string_view key = line_.substr(2);
                if (Trim(key).empty())
                    Fail();
                if (line_.starts_with(kTakenMark)) {
                    if (step.TakenAt >= 0)
                        Fail();
                    step.TakenAt = static_cast<int>(step.Cards.size());
                }
                step.Cards.push_back(record.KeyIndex(key));
            }
            if (step.TakenAt < 0)
                Fail(); // also a step without cards
            record.Steps.push_back(std::move(step));
        }
        return record;
    }

private:
    [[noreturn]] void Fail() const {
        throw Error(name_ + " is not a draft record (line " + std::to_string(reader_.LineNumber()) + ")");
    }

    // The next line that is not blank; false at the end.
    bool NextFilled() {
        while (reader_.Next(line_))
            if (!Trim(line_).empty())
                return true;
        return false;
    }

    // "Name: value": the value after the colon and one blank.
    std::string_view Field(std::string_view field) {
        if (!NextFilled() || !line_.starts_with(field))
            Fail();
        std::string_view value = line_.substr(field.size());
        if (value.starts_with(' '))
            value.remove_prefix(1);
        return value;
    }

    int PickTime(std::string_view text) const {
        return Trim(text) == kUntimedText ? kUntimedPick : Bounded<int>(text, -100000, 100000);
    }

    // The cube's keys, one a line after two blanks; true when a line follows the section.
    bool CubeSection(TDraftRecord& record) {
        bool more;
        while ((more = NextFilled()) && line_.starts_with(kOtherMark)) {
            const std::string_view key = line_.substr(kOtherMark.size());
            if (Trim(key).empty())
                Fail();
            record.Cube.push_back(record.KeyIndex(key));
        }
        return more;
    }

    template <typename Number> Number Bounded(std::string_view text, Number low, Number high) const {
        const auto value = ParseNumber<Number>(Trim(text));
        if (!value || *value < low || *value > high)
            Fail();
        return *value;
    }

    // "P<turn>p<pick> seat <s> booster <b> <how>".
    TPickStep Heading() const {
        static const CharSet blank(" ");
        if (CountWords(line_, blank) != 6 || NthWord(2, line_, blank, true) != "seat" ||
            NthWord(4, line_, blank, true) != "booster")
            Fail();
        const std::string_view place = NthWord(1, line_, blank, true);
        const size_t p = place.find('p', 1);
        if (!place.starts_with('P') || p == std::string_view::npos)
            Fail();
        TPickStep step;
        step.PackTurn = Bounded<int>(place.substr(1, p - 1), 1, 3);
        step.Pick = Bounded<int>(place.substr(p + 1), 1, kMaxPick);
        step.Seat = Bounded<int>(NthWord(3, line_, blank, true), 1, kTableSeats) - 1;
        step.Booster = Bounded<int>(NthWord(5, line_, blank, true), 1, kTableSeats);
        const std::string_view how = NthWord(6, line_, blank, true);
        if (how == PickHowName(TPickHow::User))
            step.How = TPickHow::User;
        else if (how == PickHowName(TPickHow::Timeout))
            step.How = TPickHow::Timeout;
        else if (how == PickHowName(TPickHow::Drafter))
            step.How = TPickHow::Drafter;
        else
            Fail();
        return step;
    }

    LineReader reader_;
    const std::string& name_;
    std::string_view line_;
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

TDraftRecord ParseDraftRecord(std::string_view text, const std::string& name) {
    return RecordParser(text, name).Parse();
}

TDraftRecord ReadDraftRecord(const std::string& path) {
    return ParseDraftRecord(ReadWholeFile(path), path);
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
