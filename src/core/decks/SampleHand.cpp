#include "core/decks/SampleHand.h"

#include <algorithm>
#include <utility>

namespace tovel {

std::vector<int32_t> LibraryOf(const TCardsList& cards, const TDeckZone& main) {
    std::vector<int32_t> library;
    for (int32_t position : main.Entries) {
        const int slot = BasicLandSlot(cards.Items(position));
        const int32_t copies = slot >= 0 ? main.Lands[static_cast<size_t>(slot)] : 1;
        library.insert(library.end(), static_cast<size_t>(std::max(0, copies)), position);
    }
    return library;
}

TSampleHand::TSampleHand(std::vector<int32_t> library, RandomSource& random)
    : library_(std::move(library)), random_(random) {
    NewHand();
}

void TSampleHand::NewHand() {
    Deal(kOpeningHandSize);
}

void TSampleHand::Mulligan() {
    Deal(std::max(1, openingSize_ - 1));
}

bool TSampleHand::Draw() {
    if (next_ >= library_.size())
        return false;
    hand_.push_back(library_[next_++]);
    return true;
}

void TSampleHand::Deal(int size) {
    openingSize_ = size;
    // Fisher-Yates over the program's own bounded draw, so a seed gives the same hand everywhere.
    for (size_t i = library_.size(); i > 1; --i)
        std::swap(library_[i - 1], library_[static_cast<size_t>(random_.Random(static_cast<int>(i)))]);
    hand_.clear();
    next_ = 0;
    while (static_cast<int>(hand_.size()) < size && Draw()) {
    }
}

} // namespace tovel
