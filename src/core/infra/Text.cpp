#include "core/infra/Text.h"

#include <array>
#include <charconv>

namespace tovel {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Code points of 0x80..0x9F; zero marks the bytes Windows-1252 leaves undefined.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

} // namespace

std::string_view TrimLeft(std::string_view text) {
    size_t b = 0;
    while (b < text.size() && IsBlank(text[b]))
        ++b;
    return text.substr(b);
}

std::string_view TrimRight(std::string_view text) {
    size_t e = text.size();
    while (e > 0 && IsBlank(text[e - 1]))
        --e;
    return text.substr(0, e);
}

std::string_view Trim(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

std::string AsciiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

std::string AsciiUpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = AsciiUpper(c);
    return out;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

std::string AnsiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = AnsiLower(c);
    return out;
}

bool EqualsIgnoreAnsiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithIgnoreAnsiCase(a, b);
}

bool StartsWithIgnoreAnsiCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (AnsiLower(text[i]) != AnsiLower(prefix[i]))
            return false;
    return true;
}

int CompareOrdinal(std::string_view a, std::string_view b) {
    const int r = a.compare(b);
    return (r > 0) - (r < 0);
}

char32_t Cp1252ToUnicode(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) {
        const char16_t u = kHighControls[c - 0x80];
        return u ? u : c;
    }
    return c;
}

std::optional<unsigned char> UnicodeToCp1252(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        const char32_t mapped = kHighControls[i] ? kHighControls[i] : 0x80 + i;
        if (mapped == u)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text)
        AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t u = 0;
        if (lead < 0x80) {
            u = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            u = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            u = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            u = lead & 0x07;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool ok = i + static_cast<size_t>(extra) < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80)
                ok = false;
            else
                u = (u << 6) | (cont & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        i += static_cast<size_t>(extra) + 1;
        const auto byte = UnicodeToCp1252(u);
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

std::optional<int32_t> ParseInt(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    size_t start = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        start = 1;
    }
    if (start == text.size())
        return std::nullopt;
    int64_t value = 0;
    for (size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > int64_t{1} << 31)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

std::string QuoteLine(std::string_view line) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::string_view shown = line.substr(0, kQuotedLineBytes);
    std::string out;
    out.reserve(shown.size() + 8);
    for (char c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t u = Cp1252ToUnicode(byte);
        if (u >= 0x20 && u != 0x7F && (u < 0x80 || u > 0x9F)) {
            AppendUtf8(out, u);
            continue;
        }
        out += '\\';
        if (byte == 0) {
            out += '0';
        } else if (byte == '\t') {
            out += 't';
        } else if (byte == '\r') {
            out += 'r';
        } else if (byte == '\n') {
            out += 'n';
        } else {
            out += 'x';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    if (line.size() > shown.size())
        out += "\xE2\x80\xA6"; // …
    return out;
}

std::string ReplaceChar(std::string_view text, char from, char to) {
    std::string out(text);
    for (char& c : out)
        if (c == from)
            c = to;
    return out;
}

} // namespace tovel
