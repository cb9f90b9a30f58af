#pragma once

// A read-only view of bytes that someone else keeps alive, as std::string_view, in eight bytes
// instead of sixteen: the address in the upper 48 bits, the length in the lower 16. A card
// holds eight texts, so at a million cards this is the largest saving a loaded database can
// make. A text of 65,535 bytes or more, or at an address beyond 48 bits (neither occurs in card
// data), is kept whole in a process-wide table and referred to by its place there; the table
// only grows, by 16 bytes per such text.

#include <cstdint>
#include <iosfwd>
#include <string_view>

namespace tovel {

class TTextView {
public:
    constexpr TTextView() = default;
    TTextView(std::string_view text) { Assign(text); }
    TTextView& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }

    std::string_view View() const {
        const size_t size = static_cast<size_t>(bits_ & kSizeMask);
        if (size == kLong) [[unlikely]]
            return Long(bits_ >> kSizeBits);
        return {reinterpret_cast<const char*>(static_cast<uintptr_t>(bits_ >> kSizeBits)), size};
    }
    operator std::string_view() const { return View(); }

    size_t size() const { return View().size(); }
    size_t length() const { return size(); }
    bool empty() const { return View().empty(); }
    const char* data() const { return View().data(); }
    char operator[](size_t i) const { return View()[i]; }
    char front() const { return View().front(); }
    char back() const { return View().back(); }
    auto begin() const { return View().begin(); }
    auto end() const { return View().end(); }
    std::string_view substr(size_t pos, size_t count = std::string_view::npos) const {
        return View().substr(pos, count);
    }
    template <typename T> size_t find(const T& what, size_t pos = 0) const { return View().find(what, pos); }
    template <typename T> size_t rfind(const T& what, size_t pos = std::string_view::npos) const {
        return View().rfind(what, pos);
    }
    template <typename T> size_t find_first_of(const T& what, size_t pos = 0) const {
        return View().find_first_of(what, pos);
    }
    int compare(std::string_view other) const { return View().compare(other); }
    bool starts_with(std::string_view prefix) const { return View().starts_with(prefix); }
    bool ends_with(std::string_view suffix) const { return View().ends_with(suffix); }

    friend bool operator==(TTextView a, TTextView b) { return a.View() == b.View(); }
    friend bool operator==(TTextView a, std::string_view b) { return a.View() == b; }
    friend bool operator<(TTextView a, TTextView b) { return a.View() < b.View(); }
    friend std::ostream& operator<<(std::ostream& out, TTextView text);

private:
    static constexpr int kSizeBits = 16;
    static constexpr uint64_t kSizeMask = (uint64_t{1} << kSizeBits) - 1;
    static constexpr size_t kLong = static_cast<size_t>(kSizeMask);

    void Assign(std::string_view text) {
        const auto address = reinterpret_cast<uintptr_t>(text.data());
        if (text.size() < kLong && (uint64_t{address} >> (64 - kSizeBits)) == 0) [[likely]]
            bits_ = (uint64_t{address} << kSizeBits) | text.size();
        else
            bits_ = (KeepLong(text) << kSizeBits) | kLong;
    }
    // The place of a long text in the table, and the text at a place.
    static uint64_t KeepLong(std::string_view text);
    static std::string_view Long(uint64_t place);

    uint64_t bits_ = 0;
};

} // namespace tovel
