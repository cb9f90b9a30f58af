#include "core/collection/RowSorter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <functional>

namespace tovel {

namespace {

uint64_t Load8(const char* at) {
    uint64_t word;
    std::memcpy(&word, at, 8);
    return word;
}

uint64_t Mix(uint64_t h) {
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return h;
}

uint32_t Load4(const char* at) {
    uint32_t word;
    std::memcpy(&word, at, 4);
    return word;
}

uint64_t HashText(std::string_view text) {
    const char* at = text.data();
    const size_t size = text.size();
    uint64_t h = 0x9E3779B97F4A7C15ull * (size + 1);
    size_t done = 0;
    for (; done + 8 <= size; done += 8)
        h = Mix(h ^ Load8(at + done)) + 0x632BE59BD9B4E019ull;
    // The last bytes through whole loads (overlapping those before where there are some): a
    // byte-wise copy would stall the load that follows it.
    const size_t left = size - done;
    if (left == 0)
        return Mix(h);
    uint64_t tail;
    if (size >= 8)
        tail = Load8(at + size - 8);
    else if (left >= 4)
        tail = (uint64_t{Load4(at)} << 32) | Load4(at + left - 4);
    else
        tail = (uint64_t{static_cast<unsigned char>(at[0])} << 16) |
               (uint64_t{static_cast<unsigned char>(at[left / 2])} << 8) |
               static_cast<unsigned char>(at[left - 1]);
    return Mix(Mix(h ^ tail));
}

// The first eight bytes, big-endian and zero-padded: ordering by it never contradicts the
// byte-wise order of the whole texts.
uint64_t Prefix8(std::string_view text) {
    uint64_t key = 0;
    if (text.size() >= 8) {
        key = Load8(text.data());
        return std::endian::native == std::endian::little ? __builtin_bswap64(key) : key;
    }
    for (size_t i = 0; i < text.size(); ++i)
        key |= uint64_t{static_cast<unsigned char>(text[i])} << (56 - 8 * i);
    return key;
}

} // namespace

// The distinct values, each copied once into one growing buffer behind its id and length, found
// again through an open-addressing table whose slots keep the whole hash and where their text
// starts: a probe reads a text only when the hashes agree, and then in one place.
class TTextRanks::Table {
public:
    void Clear(size_t expected) {
        // At most half full, as Id keeps it.
        slots_.assign(std::max(kFirstSlots, std::bit_ceil(2 * expected)), Slot{});
        store_.clear();
        starts_.clear();
    }

    size_t Count() const { return starts_.size(); }

    std::string_view Text(uint32_t id) const { return At(starts_[id]).text; }

    void Prefetch(uint64_t hash) const { __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]); }

    uint32_t Id(std::string_view text, uint64_t hash) {
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot slot = slots_[i];
            if (slot.start == kEmpty) {
                const uint32_t id = static_cast<uint32_t>(Count());
                slots_[i] = Slot{hash, store_.size()};
                starts_.push_back(store_.size());
                const uint32_t head[2] = {id, static_cast<uint32_t>(text.size())};
                store_.append(reinterpret_cast<const char*>(head), sizeof head);
                store_.append(text);
                // At most half full, so probes stay short.
                if (Count() * 2 > slots_.size())
                    Grow();
                return id;
            }
            if (slot.hash == hash) {
                const Held held = At(slot.start);
                if (held.text == text)
                    return held.id;
            }
        }
    }

private:
    static constexpr size_t kFirstSlots = 256;
    static constexpr uint64_t kEmpty = UINT64_MAX;
    struct Slot {
        uint64_t hash = 0;
        uint64_t start = kEmpty;
    };
    struct Held {
        uint32_t id;
        std::string_view text;
    };

    Held At(uint64_t start) const {
        uint32_t head[2];
        std::memcpy(head, store_.data() + start, sizeof head);
        return {head[0], {store_.data() + start + sizeof head, head[1]}};
    }

    void Grow() {
        TBigVector<Slot> old(slots_.size() * 2, Slot{});
        old.swap(slots_);
        const size_t mask = slots_.size() - 1;
        for (const Slot& slot : old) {
            if (slot.start == kEmpty)
                continue;
            size_t i = slot.hash & mask;
            while (slots_[i].start != kEmpty)
                i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    // Each distinct text in store_: its id and size (32 bits each), then its bytes.
    TBigVector<Slot> slots_;
    std::string store_;
    TBigVector<uint64_t> starts_;
};

TTextRanks::TTextRanks() : table_(std::make_unique<Table>()) {
    table_->Clear(0);
}
TTextRanks::~TTextRanks() = default;

void TTextRanks::Clear(size_t expected) {
    table_->Clear(expected);
}

size_t TTextRanks::Count() const {
    return table_->Count();
}

std::string_view TTextRanks::Text(uint32_t id) const {
    return table_->Text(id);
}

uint32_t TTextRanks::Id(std::string_view text, uint64_t hash) {
    return table_->Id(text, hash);
}

uint64_t TTextRanks::Hash(std::string_view text) {
    return HashText(text);
}

void TTextRanks::Prefetch(uint64_t hash) const {
    table_->Prefetch(hash);
}

void TTextRanks::RankByBytes(TBigVector<uint32_t>& rankOf) const {
    // By the first eight bytes through radix passes, then the few values that share them.
    const size_t count = Count();
    TBigVector<std::pair<uint64_t, uint32_t>> keys(count);
    for (size_t id = 0; id < count; ++id)
        keys[id] = {Prefix8(Text(static_cast<uint32_t>(id))), static_cast<uint32_t>(id)};
    std::sort(keys.begin(), keys.end());
    rankOf.resize(count);
    uint32_t rank = 0;
    for (size_t from = 0; from < count;) {
        size_t to = from + 1;
        while (to < count && keys[to].first == keys[from].first)
            ++to;
        if (to - from > 1)
            std::sort(keys.begin() + static_cast<std::ptrdiff_t>(from),
                      keys.begin() + static_cast<std::ptrdiff_t>(to),
                      [this](const auto& a, const auto& b) { return Text(a.second) < Text(b.second); });
        for (; from < to; ++from)
            rankOf[keys[from].second] = rank++;
    }
}

void TRowSorter::Start(size_t rows) {
    rows_ = rows;
    wordCount_ = 0;
    shift_ = 64;
}

std::span<uint64_t> TRowSorter::Room(int width) {
    if (shift_ + width > 64) {
        if (words_.size() == wordCount_)
            words_.emplace_back();
        words_[wordCount_++].resize(rows_);
        wordBits_.resize(wordCount_);
        shift_ = 0;
    }
    wordBits_[wordCount_ - 1] = shift_ + width;
    return std::span(words_[wordCount_ - 1]).first(rows_);
}

std::span<const uint32_t> TRowSorter::Sort() {
    order_.resize(rows_);
    for (size_t row = 0; row < rows_; ++row)
        order_[row] = static_cast<uint32_t>(row);
    entries_.resize(rows_);
    spare_.resize(rows_);
    // The least significant word first: each sort keeps the order of rows it finds equal.
    for (size_t w = 0; w < wordCount_; ++w) {
        const TBigVector<uint64_t>& word = words_[w];
        for (size_t i = 0; i < rows_; ++i)
            entries_[i] = Entry{word[order_[i]], order_[i]};
        RadixSort(entries_, spare_, wordBits_[w]);
        for (size_t i = 0; i < rows_; ++i)
            order_[i] = entries_[i].row;
    }
    return order_;
}

// A stable sort by the low `bits` bits of the keys (the others are zero): least significant digit
// first, in as few passes of at most 11 bits as cover them, skipping digits every key shares.
void TRowSorter::RadixSort(std::span<Entry> entries, std::span<Entry> spare, int bits) {
    if (entries.size() < 64) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.key < b.key; });
        return;
    }
    constexpr int kMostDigitBits = 11;
    const int passes = (bits + kMostDigitBits - 1) / kMostDigitBits;
    if (passes == 0)
        return;
    const int digitBits = (bits + passes - 1) / passes;
    const uint64_t mask = (uint64_t{1} << digitBits) - 1;
    counts_.assign(static_cast<size_t>(passes) << digitBits, 0);
    for (const Entry& entry : entries)
        for (int pass = 0; pass < passes; ++pass)
            ++counts_[(static_cast<size_t>(pass) << digitBits) + ((entry.key >> (digitBits * pass)) & mask)];
    bool inSpare = false;
    for (int pass = 0; pass < passes; ++pass) {
        uint32_t* count = counts_.data() + (static_cast<size_t>(pass) << digitBits);
        const int shift = digitBits * pass;
        if (count[(entries.front().key >> shift) & mask] == entries.size())
            continue;
        uint32_t start = 0;
        for (size_t digit = 0; digit <= mask; ++digit) {
            const uint32_t here = count[digit];
            count[digit] = start;
            start += here;
        }
        const auto from = inSpare ? spare : entries;
        const auto to = inSpare ? entries : spare;
        for (const Entry& entry : from)
            to[count[(entry.key >> shift) & mask]++] = entry;
        inSpare = !inSpare;
    }
    if (inSpare)
        std::copy(spare.begin(), spare.end(), entries.begin());
}

} // namespace tovel
