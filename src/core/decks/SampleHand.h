#pragma once

// A sample opening hand: the main deck shuffled, seven cards drawn, with mulligans to one card
// fewer and further draws.

#include "core/decks/DeckFile.h"
#include "core/infra/Random.h"

#include <cstdint>
#include <vector>

namespace tovel {

inline constexpr int kOpeningHandSize = 7;

// The main deck as a library: one card position per copy, basic lands by their counters.
std::vector<int32_t> LibraryOf(const TCardsList& cards, const TDeckZone& main);

class TSampleHand {
public:
    // Keeps the library and deals the first hand from `random`, which must outlive this.
    TSampleHand(std::vector<int32_t> library, RandomSource& random);

    // Reshuffles and draws seven.
    void NewHand();
    // Reshuffles and draws one card fewer than the last opening hand, down to one.
    void Mulligan();
    // Adds the next card of the library; false when none is left.
    bool Draw();

    const std::vector<int32_t>& Hand() const { return hand_; }
    int OpeningSize() const { return openingSize_; }
    int LibraryLeft() const { return static_cast<int>(library_.size() - next_); }

private:
    void Deal(int size);

    std::vector<int32_t> library_;
    RandomSource& random_;
    std::vector<int32_t> hand_;
    size_t next_ = 0;
    int openingSize_ = kOpeningHandSize;
};

} // namespace tovel
