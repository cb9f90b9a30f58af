#pragma once

// A list of card positions in the card database (decks, packs, picks).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tovel {

class TIntegerList {
public:
    int Add(int32_t value) {
        items_.push_back(value);
        return static_cast<int>(items_.size()) - 1;
    }
    int32_t Items(int index) const { return items_[static_cast<size_t>(index)]; }
    int32_t& Items(int index) { return items_[static_cast<size_t>(index)]; }
    int IndexOf(int32_t value) const {
        for (size_t i = 0; i < items_.size(); ++i)
            if (items_[i] == value)
                return static_cast<int>(i);
        return -1;
    }
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }
    void Delete(int index) { items_.erase(items_.begin() + index); }
    // Replaces the entries with those of the other list.
    void CopyFrom(const TIntegerList& other) { items_ = other.items_; }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    std::vector<int32_t>& Raw() { return items_; }
    const std::vector<int32_t>& Raw() const { return items_; }

private:
    std::vector<int32_t> items_;
};

} // namespace tovel
