#pragma once

// Finds which of many needles occur in a text in one pass over it, however many there are (an
// Aho-Corasick automaton over case-folded bytes). The card search uses it for a query of many
// text terms, where a search per term would read each card's text once per term.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

class TMultiNeedle {
public:
    // Where a scan of a new text starts.
    static constexpr uint32_t kStart = 0;

    // Adds a needle and returns its number (0, 1, ...); letter case folds as AnsiLower folds it.
    // Every needle comes before Build.
    int Add(std::string_view needle);
    // Builds the automaton: about the needles' total length times the distinct bytes they use.
    void Build();

    int Count() const { return static_cast<int>(needles_.size()); }
    // The words of a set of found needles: bit n % 64 of word n / 64 is needle n.
    size_t Words() const { return (needles_.size() + 63) / 64; }

    // Sets in `found` (Words() words) the bit of each needle that occurs in `text` read on from
    // `state`, and returns the state after it: a text given in pieces is scanned piece by piece.
    uint32_t Scan(uint32_t state, std::string_view text, uint64_t* found) const;

private:
    // The next state's row in next_, doubled, with bit 0 set when the state has found needles.
    using Step = uint32_t;

    std::vector<std::string> needles_;    // folded
    std::array<uint16_t, 256> classOf_{}; // byte -> its folded byte's class; 0: in no needle
    uint32_t classes_ = 1;
    std::vector<Step> next_;           // per state, one step per class
    std::vector<int32_t> foundAt_;     // per state, its needles' offset in found_, or -1
    std::vector<uint64_t> found_;      // Words() words per state that has found needles
    std::vector<uint64_t> everywhere_; // empty needles, found in every text
};

} // namespace tovel
