#include "core/infra/Words.h"

namespace tovel {

int CountWords(std::string_view text, const CharSet& delimiters) {
    int count = 0;
    bool inWord = false;
    for (char c : text) {
        const bool delimiter = delimiters.Contains(c);
        if (!delimiter && !inWord)
            ++count;
        inWord = !delimiter;
    }
    return count;
}

std::string_view NthWord(int n, std::string_view text, const CharSet& delimiters, bool mergeDelimiters) {
    if (n <= 0)
        return {};
    const size_t size = text.size();
    if (mergeDelimiters) {
        size_t i = 0;
        for (int word = 1;; ++word) {
            while (i < size && delimiters.Contains(text[i]))
                ++i;
            if (i == size)
                return {};
            const size_t start = i;
            while (i < size && !delimiters.Contains(text[i]))
                ++i;
            if (word == n)
                return text.substr(start, i - start);
        }
    }
    // Positional fields: split at every delimiter; a trailing empty field does not count.
    size_t start = 0;
    for (int field = 1;; ++field) {
        size_t end = start;
        while (end < size && !delimiters.Contains(text[end]))
            ++end;
        if (field == n)
            return text.substr(start, end - start);
        if (end >= size)
            return {};
        start = end + 1;
    }
}

std::string_view Field(int n, std::string_view line) {
    static const CharSet semicolon(";");
    return NthWord(n, line, semicolon, false);
}

} // namespace tovel
