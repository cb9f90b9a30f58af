#pragma once

// Text helpers for the program's byte strings.
//
// Data (card names, rules text, file contents) is kept as Windows-1252 bytes, exactly as the
// files hold it. Messages meant for the user (exceptions, prompts) are UTF-8; Cp1252ToUtf8 is
// the bridge when data goes into a message.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

// Removes characters with codes 0..32 from both ends.
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);

char AsciiLower(char c);
char AsciiUpper(char c);
std::string AsciiUpperCase(std::string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

// The system's ANSI rules on Windows-1252: ASCII letters plus the accented letters,
// Š/š, Œ/œ, Ž/ž and Ÿ/ÿ fold into each other.
char AnsiLower(char c);
char AnsiUpper(char c);
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
