#include "core/collection/Inventory.h"

#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/Hash.h"
#include "core/infra/Text.h"
#include "core/infra/Words.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <limits>

namespace tovel {

// First-match index by exact name and edition. It catches up with lines appended since the last
// lookup and starts over after a deletion (which shifts positions).
class TInventoryList::Index {
public:
    explicit Index(const TInventoryList& list) : list_(list) {}

    void Reset() {
        slots_.clear();
        indexed_ = 0;
    }

    int Find(std::string_view name, std::string_view edition) {
        CatchUp();
        if (slots_.empty())
            return -1;
        const size_t mask = slots_.size() - 1;
        for (size_t i = Hash(name, edition) & mask;; i = (i + 1) & mask) {
            const int32_t pos = slots_[i];
            if (pos < 0)
                return -1;
            const TInventoryItem& line = list_.Items(pos);
            if (line.Name == name && line.Edition == edition)
                return pos;
        }
    }

private:
    static uint64_t Hash(std::string_view name, std::string_view edition) {
        return Fold32(Fnv1a(edition, kNoFold, FnvSeparator(Fnv1a(name, kNoFold))));
    }

    void CatchUp() {
        const int count = list_.Count();
        if (indexed_ == count)
            return;
        if (static_cast<size_t>(count) * 2 >= slots_.size()) {
            size_t size = 64;
            while (size < static_cast<size_t>(count) * 2 + 2)
                size *= 2;
            slots_.assign(size, -1);
            indexed_ = 0;
        }
        for (; indexed_ < count; ++indexed_)
            Insert(indexed_);
    }

    void Insert(int32_t pos) {
        const TInventoryItem& line = list_.Items(pos);
        const size_t mask = slots_.size() - 1;
        for (size_t i = Hash(line.Name, line.Edition) & mask;; i = (i + 1) & mask) {
            const int32_t other = slots_[i];
            if (other < 0) {
                slots_[i] = pos;
                return;
            }
            const TInventoryItem& held = list_.Items(other);
            if (held.Name == line.Name && held.Edition == line.Edition)
                return; // an earlier line holds this key
        }
    }

    const TInventoryList& list_;
    TBigVector<int32_t> slots_;
    int indexed_ = 0;
};

TInventoryList::TInventoryList() : index_(std::make_unique<Index>(*this)) {}
TInventoryList::~TInventoryList() = default;

uint64_t TInventoryList::Stamp() const {
    // Global: stamps must differ across every list of the process.
    static std::atomic<uint64_t> stamps{0};
    if (stamp_ == 0)
        stamp_ = ++stamps;
    return stamp_;
}

TInventoryItem& TInventoryList::Add() {
    stamp_ = 0;
    if (blocks_.empty() || blocks_.back().size() == blocks_.back().capacity()) {
        // Small lists stay small; big ones take few blocks, big enough for huge pages.
        const size_t room = blocks_.empty() ? 16 : std::min<size_t>(blocks_.back().capacity() * 2, 65536);
        blocks_.emplace_back().reserve(room);
    }
    TInventoryItem* line = &blocks_.back().emplace_back();
    line->index_ = Count();
    items_.push_back(line);
    return *line;
}

int TInventoryList::Find(std::string_view name, std::string_view edition) const {
    return index_->Find(name, edition);
}

void TInventoryList::Delete(int index) {
    *items_[static_cast<size_t>(index)] = TInventoryItem(); // its texts go now, its place at Clear
    items_.erase(items_.begin() + index);
    for (size_t i = static_cast<size_t>(index); i < items_.size(); ++i)
        items_[i]->index_ = static_cast<int>(i);
    index_->Reset();
    stamp_ = 0;
}

void TInventoryList::Clear() {
    items_.clear();
    blocks_.clear();
    index_->Reset();
    stamp_ = 0;
}

void TInventoryList::Swap(TInventoryList& other) noexcept {
    items_.swap(other.items_);
    blocks_.swap(other.blocks_);
    index_->Reset();
    other.index_->Reset();
    stamp_ = 0;
    other.stamp_ = 0;
}

void FillBaseList(TInventoryList& list, const TCardsList& cards) {
    list.Clear();
    for (int i = 0; i < cards.Count(); ++i) {
        const TCardItem& card = cards.Items(i);
        TInventoryItem& line = list.Add();
        line.Card = &card;
        line.Name = card.Name;
        line.Edition = card.Edition;
    }
}

namespace {

int32_t SaturatingAdd(int32_t a, int32_t b) {
    const int64_t sum = int64_t{a} + b;
    return static_cast<int32_t>(
        std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

void LoadInventory(TInventoryList& list, const TCardsList& cards, const std::string& path, bool add) {
    // Only a name with nothing behind it gets a new empty file; anything else there (a folder,
    // a FIFO) is refused by the reader rather than replaced.
    if (!PathExists(path)) {
        const std::filesystem::path parent = std::filesystem::path(path).parent_path();
        if (!parent.empty())
            EnsureDirectory(parent.string());
        WriteFileAtomically(path, {});
        if (!add)
            list.Clear();
        return;
    }
    // Checked before the list is touched: a file that cannot be read, or holds a line too long
    // to keep (it would be saved back cut), leaves it as it was. Both passes read line by line,
    // so memory stays bounded whatever the file's size.
    {
        TextFileReader scan(path);
        std::string_view line;
        while (scan.Next(line) && !Trim(line).empty())
            if (scan.LineCut())
                throw Error("Cannot read file \"" + path + "\". Line " + std::to_string(scan.LineNumber()) +
                            " is longer than " + std::to_string(kMaxLineBytes) + " bytes.");
    }
    TextFileReader reader(path);
    if (!add)
        list.Clear();
    static const CharSet semicolon(";");
    std::string_view line;
    while (reader.Next(line)) {
        if (Trim(line).empty() || reader.LineCut()) // cut: the file changed since the check
            break;
        const std::string_view edition = Field(1, line);
        const std::string_view name = Field(2, line);
        const int32_t count = ParseInt(NthWord(3, line, semicolon, true)).value_or(0);
        const int32_t foil = ParseInt(NthWord(4, line, semicolon, true)).value_or(0);
        const std::string_view notes = Trim(NthWord(5, line, semicolon, true));

        int at = list.Find(name, edition);
        if (at < 0) {
            TInventoryItem& created = list.Add();
            created.Name = name;
            created.Edition = edition;
            at = created.Index();
        }
        TInventoryItem& item = list.Items(at);
        const int card = cards.IndexOf(name, edition);
        if (card >= 0)
            item.Card = &cards.Items(card);
        item.Count = SaturatingAdd(item.Count, count);
        item.Foil = SaturatingAdd(item.Foil, foil);
        item.Notes += notes;
    }
}

std::string FormatInventory(const TInventoryList& list) {
    std::string text;
    for (int i = 0; i < list.Count(); ++i) {
        const TInventoryItem& line = list.Items(i);
        if (line.Count <= 0)
            continue;
        text += line.Edition;
        text += ';';
        text += line.Name;
        text += ';';
        text += std::to_string(line.Count);
        text += ';';
        text += std::to_string(line.Foil);
        text += ';';
        text += line.Notes;
        text += "\r\n";
    }
    return text;
}

void SaveInventory(const TInventoryList& list, const std::string& path) {
    WriteFileAtomically(path, FormatInventory(list));
}

} // namespace tovel
