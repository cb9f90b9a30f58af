#pragma once

// The word helpers every file format of the program is read with.

#include <bitset>
#include <string_view>

namespace tovel {

// A set of single-byte delimiter characters.
class CharSet {
public:
    constexpr CharSet() = default;
    // Implicit on purpose: NthWord(2, line, ";", true) reads well.
    CharSet(std::string_view chars) {
        for (char c : chars)
            bits_.set(static_cast<unsigned char>(c));
    }
    CharSet(const char* chars) : CharSet(std::string_view(chars)) {}
    bool Contains(char c) const { return bits_.test(static_cast<unsigned char>(c)); }

private:
    std::bitset<256> bits_;
};

// Number of maximal runs of non-delimiter characters.
int CountWords(std::string_view text, const CharSet& delimiters);

// The N-th word (from 1) of the text, or empty text when there is none.
// mergeDelimiters true: words as CountWords counts them.
// mergeDelimiters false: positional fields; a delimiter at the start or right after another
// opens an empty field, a single delimiter at the very end opens none ("a;" is one field,
// "a;;" two). The result is a view into the text.
std::string_view NthWord(int n, std::string_view text, const CharSet& delimiters, bool mergeDelimiters);

// Positional field N of a ";"-separated data line (NthWord with ";" and no merging).
std::string_view Field(int n, std::string_view line);

} // namespace tovel
