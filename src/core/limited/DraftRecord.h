#pragma once

// The record of a draft: every pick step of every seat (the booster as it was, in pack order, and
// the card taken), with what is needed to run the same draft again (the packs, the pick time, the
// seed and the drafters' strategy). Cards are kept by their key "[CODE] - Name", so a record stays
// readable when the card database changes.
//
// The ".draft" file is plain text, CR LF ended:
//
//   Tovel draft record 1
//   Packs: VR;HK;Tidebreak Expedition;
//   Pick time: 40
//   Seed: 1234
//   Drafters: 2
//
//   P1p1 seat 1 booster 1 user
//   * [VR] - Card taken
//     [VR] - Another card of the booster
//   P1p1 seat 2 booster 2 drafter
//   ...
//
// Seats are numbered 1 (the user) to 8; a step's booster lines follow its heading in pack order,
// "* " before the card taken and two blanks before the others. An untimed draft has
// "Pick time: untimed". A cube draft has "Packs: cube NAME" and, after the header, the cube
// itself, so that the record runs again without the list file:
//
//   Cube:
//     [VR] - A card of the cube
//     ...             (every copy, in list order)

#include "core/carddb/CardsDB.h"
#include "core/infra/ProgramFiles.h"
#include "core/limited/Booster.h"
#include "core/limited/Cube.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tovel {

enum class TPickHow : uint8_t { User, Timeout, Drafter };

inline constexpr const char* kDraftRecordExtension = "draft";
inline constexpr const char* kDraftRecordFilter = "Draft records|*.draft";
// The pick time of a draft without a countdown, written "Pick time: untimed".
inline constexpr int kUntimedPick = 0;
// The start of Packs for a cube draft: "cube NAME".
inline constexpr std::string_view kCubePacks = "cube ";

// "user", "timeout", "drafter".
const char* PickHowName(TPickHow how);

struct TPickStep {
    int PackTurn = 1; // 1 to 3
    int Pick = 1;     // 1-based within the pack turn
    int Seat = 0;     // 0 (the user) to 7
    int Booster = 1;  // 1 to 8
    TPickHow How = TPickHow::Drafter;
    std::vector<int32_t> Cards; // the booster before the pick: indices into TDraftRecord::Keys
    int TakenAt = 0;            // the position in Cards of the card taken

    int32_t Taken() const { return Cards[static_cast<size_t>(TakenAt)]; }
};

class TDraftRecord {
public:
    std::string Packs; // the draft configuration text, "AAA;BBB;CCC;", or "cube NAME"
    int PickTime = 40; // seconds, or kUntimedPick
    uint32_t Seed = 0;
    uint8_t Strategy = 2;          // the computer drafters'
    std::vector<std::string> Keys; // the distinct cards, by key
    std::vector<int32_t> Cube;     // a cube draft's cube: every copy in list order, indices into Keys
    std::vector<TPickStep> Steps;  // in the order the picks were made

    void Clear();
    // The index of a key in Keys, added when new.
    int32_t KeyIndex(std::string_view key);
    const std::string& Key(int32_t index) const { return Keys[static_cast<size_t>(index)]; }

private:
    std::unordered_map<std::string, int32_t> keyIndex_;
};

// Records the picks of a running draft from the engine's card positions.
class TDraftRecorder {
public:
    void Start(TDraftRecord& record, const TCardsList& cards);
    // A seat is about to pick from this booster.
    void Before(int packTurn, int pick, int seat, int booster, const TIntegerList& boosterCards);
    // ...and took this card.
    void Taken(int32_t cardIndex, TPickHow how);

private:
    TDraftRecord* record_ = nullptr;
    const TCardsList* cards_ = nullptr;
    std::unordered_map<int32_t, int32_t> keyOfCard_;
    std::vector<int32_t> positions_; // the booster before the pick, as card positions
};

// The file text; ParseDraftRecord reads it back to the same record.
std::string FormatDraftRecord(const TDraftRecord& record);
void WriteDraftRecord(const TDraftRecord& record, const std::string& path);
// A fault found in a record: its 1-based line and what is wrong there.
using TRecordFaultSink = std::function<void(int line, const std::string& fault)>;
// Reads a record strictly: the header, then every step of a whole draft in the order the picks
// were made, each booster what the pick before left of it, the keys free of control characters.
// Every fault goes to `onFault` as it is found; then Error "<name> is not a draft record (line N)"
// names the first. A record that starts with a UTF-16 byte-order mark: Error kUtf16NotSupported.
TDraftRecord ParseDraftRecord(std::string_view text, const std::string& name,
                              const TRecordFaultSink& onFault = {});
TDraftRecord ReadDraftRecord(const std::string& path, const TRecordFaultSink& onFault = {});

// "Drafts/<yyyy-mm-dd hh-mm-ss>.draft" under the program folder for that local time; a name
// taken already gets " (2)", " (3)" ... before the extension.
std::string NewDraftRecordPath(std::time_t when);
// Writes a finished draft's record there, creating the folder; returns the path written.
std::string SaveDraftRecord(const TDraftRecord& record, std::time_t when);

// The card of each key in the card list (null when the card is no longer there).
std::vector<const TCardItem*> LinkRecordCards(const TDraftRecord& record, const TCardsList& cards);

// A cube draft's record: its cube as the card list has it, named as Packs names it, and the cards
// per pack (the size of the first booster). Error naming the first card the list lacks.
bool IsCubeRecord(const TDraftRecord& record);
TCube RecordCube(const TDraftRecord& record, const TCardsList& cards);
int RecordPackSize(const TDraftRecord& record);

} // namespace tovel
