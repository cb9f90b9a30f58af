#pragma once

// A stable sort of many rows by a tuple of keys, for the card lists. Every key is a small
// unsigned number per row (a text becomes the rank of its value among the distinct values the
// rows hold, see TTextRanks); the keys are packed into 64-bit words and the rows sorted by radix
// passes over them, so a sort reads each row's keys once, in row order, and compares nothing.
//
// Keys are added least significant first. Rows that agree on every key keep their order.
// The buffers keep their capacity from one sort to the next: fresh pages are costly.

#include "core/infra/LargeMemory.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// The distinct values of many texts: each text gets the id of its value (0, 1, ... in the order
// values first appear), and the ids get ranks, equal values equal ranks. Each distinct value is
// copied once into compact storage, so ranking reads no text twice from where it came.
class TTextRanks {
public:
    TTextRanks();
    ~TTextRanks();
    TTextRanks(const TTextRanks&) = delete;
    TTextRanks& operator=(const TTextRanks&) = delete;

    // Forgets every value; a table sized for `expected` values takes them without growing.
    void Clear(size_t expected = 0);
    size_t Count() const;
    std::string_view Text(uint32_t id) const;

    // The id of a text's value; `hash` is Hash(text).
    uint32_t Id(std::string_view text, uint64_t hash);
    static uint64_t Hash(std::string_view text);
    // Asks the memory for where Id will look for a text of this hash (a loop over many texts
    // calls this some texts ahead of their Id).
    void Prefetch(uint64_t hash) const;

    // Per id, the rank of its value in byte order (std::string_view::compare).
    void RankByBytes(TBigVector<uint32_t>& rankOf) const;
    // Per id, the rank of its value in the order `less` gives the ids; ids that neither
    // precedes share a rank.
    template <typename L> void RankBy(L less, TBigVector<uint32_t>& rankOf) const {
        TBigVector<uint32_t> sorted(Count());
        for (size_t id = 0; id < sorted.size(); ++id)
            sorted[id] = static_cast<uint32_t>(id);
        std::sort(sorted.begin(), sorted.end(), less);
        rankOf.resize(sorted.size());
        uint32_t rank = 0;
        for (size_t i = 0; i < sorted.size(); ++i) {
            if (i > 0 && less(sorted[i - 1], sorted[i]))
                ++rank;
            rankOf[sorted[i]] = rank;
        }
    }

private:
    class Table;
    std::unique_ptr<Table> table_;
};

class TRowSorter {
public:
    // Starts a sort of rows 0 .. rows - 1.
    void Start(size_t rows);

    // A key no greater than `highest`: key(row) as uint64_t.
    template <typename F> void AddKey(F key, uint64_t highest) {
        const int width = std::bit_width(highest);
        if (width == 0)
            return; // every row has the same key
        std::span<uint64_t> word = Room(width);
        if (shift_ == 0)
            for (size_t row = 0; row < rows_; ++row)
                word[row] = key(row);
        else
            for (size_t row = 0; row < rows_; ++row)
                word[row] |= static_cast<uint64_t>(key(row)) << shift_;
        shift_ += width;
    }

    // A signed number key: value(row) as int64_t.
    template <typename F> void AddNumber(F value) {
        if (rows_ == 0)
            return;
        numbers_.resize(rows_);
        int64_t least = INT64_MAX;
        int64_t most = INT64_MIN;
        for (size_t row = 0; row < rows_; ++row) {
            const int64_t v = value(row);
            numbers_[row] = v;
            least = std::min(least, v);
            most = std::max(most, v);
        }
        AddKey(
            [&](size_t row) { return static_cast<uint64_t>(numbers_[row]) - static_cast<uint64_t>(least); },
            static_cast<uint64_t>(most) - static_cast<uint64_t>(least));
    }

    // The rows in sorted order.
    std::span<const uint32_t> Sort();

private:
    struct Entry {
        uint64_t key;
        uint32_t row;
    };

    // The word the next key of this width goes into, a new one when the last is too full.
    std::span<uint64_t> Room(int width);
    void RadixSort(std::span<Entry> entries, std::span<Entry> spare, int bits);

    size_t rows_ = 0;
    TBigVector<int64_t> numbers_;
    std::vector<TBigVector<uint64_t>> words_; // per word: per row, the keys packed there
    std::vector<int> wordBits_;               // per word: the bits its keys take
    size_t wordCount_ = 0;
    int shift_ = 64; // bits used in the last word
    TBigVector<Entry> entries_;
    TBigVector<Entry> spare_;
    TBigVector<uint32_t> order_;
    std::vector<uint32_t> counts_;
};

} // namespace tovel
