#pragma once

// Text helpers for the program's byte strings.
//
// Data (card names, rules text, file contents) is kept as Windows-1252 bytes, exactly as the
// files hold it. Messages meant for the user (exceptions, prompts) are UTF-8; Cp1252ToUtf8 is
// the bridge when data goes into a message.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

// Removes characters with codes 0..32 from both ends.
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);

inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
inline char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

// The system's ANSI rules on Windows-1252: ASCII letters plus the accented letters,
// Š/š, Œ/œ, Ž/ž and Ÿ/ÿ fold into each other. One table, looked up inline by every caller.
struct AnsiFoldTables {
    std::array<char, 256> lower{};
    std::array<char, 256> upper{};
    constexpr AnsiFoldTables() {
        for (int i = 0; i < 256; ++i) {
            lower[i] = static_cast<char>(i);
            upper[i] = static_cast<char>(i);
        }
        auto pair = [this](int up, int low) {
            lower[up] = static_cast<char>(low);
            upper[low] = static_cast<char>(up);
        };
        for (int c = 'A'; c <= 'Z'; ++c)
            pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7)
                pair(c, c + 32);
        pair(0x8A, 0x9A);
        pair(0x8C, 0x9C);
        pair(0x8E, 0x9E);
        pair(0x9F, 0xFF);
    }
};
inline constexpr AnsiFoldTables kAnsiFold;

inline char AnsiLower(char c) {
    return kAnsiFold.lower[static_cast<unsigned char>(c)];
}
inline char AnsiUpper(char c) {
    return kAnsiFold.upper[static_cast<unsigned char>(c)];
}
std::string AnsiLowerCase(std::string_view text);
bool EqualsIgnoreAnsiCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreAnsiCase(std::string_view text, std::string_view prefix);

// Byte-wise comparison: -1, 0 or 1.
int CompareOrdinal(std::string_view a, std::string_view b);

// Full Windows-1252 table, 0x80..0x9F included. The five bytes that table leaves undefined
// map to the C1 control of the same value, so a round trip never loses a byte.
std::string Cp1252ToUtf8(std::string_view text);
// Characters outside Windows-1252 become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view text);
char32_t Cp1252ToUnicode(unsigned char c);
std::optional<unsigned char> UnicodeToCp1252(char32_t u);

// A whole decimal integer with an optional sign and nothing around it, in 32-bit range.
std::optional<int32_t> ParseInt(std::string_view text);

// How many bytes of a data line a message quotes before cutting it off.
inline constexpr size_t kQuotedLineBytes = 200;
// A data line as messages quote it, in UTF-8: control bytes shown visibly ("\0", "\t",
// "\x01"), and a line longer than kQuotedLineBytes cut there and ended with "…".
std::string QuoteLine(std::string_view line);

// Replaces every occurrence of one byte by another.
std::string ReplaceChar(std::string_view text, char from, char to);

} // namespace tovel
