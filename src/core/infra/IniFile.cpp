#include "core/infra/IniFile.h"

#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/Text.h"

#include <cerrno>

namespace tovel {

IniDocument::IniDocument(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size()) {
        // CR LF, LF and a lone CR each end a line; each line keeps its own end for writing.
        const size_t stop = text.find_first_of("\r\n", pos);
        Line line;
        if (stop == std::string_view::npos) {
            line.text = std::string(text.substr(pos));
            pos = text.size();
        } else {
            const size_t next = stop + (text.substr(stop, 2) == "\r\n" ? 2 : 1);
            line.text = std::string(text.substr(pos, stop - pos));
            line.end = std::string(text.substr(stop, next - stop));
            pos = next;
        }
        lines_.push_back(std::move(line));
    }
}

IniDocument::Kind IniDocument::Classify(std::string_view text, std::string_view& name,
                                        std::string_view& value) {
    const std::string_view t = Trim(text);
    if (t.empty() || t[0] == ';')
        return Kind::Other;
    if (t[0] == '[') {
        const size_t close = t.find(']');
        name = Trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        return Kind::Section;
    }
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return Kind::Other;
    name = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return Kind::Key;
}

std::optional<std::pair<size_t, size_t>> IniDocument::FindSection(std::string_view section) const {
    std::string_view name, value;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (Classify(lines_[i].text, name, value) != Kind::Section || !EqualsIgnoreAsciiCase(name, section))
            continue;
        size_t end = i + 1;
        while (end < lines_.size() && Classify(lines_[end].text, name, value) != Kind::Section)
            ++end;
        return std::make_pair(i + 1, end);
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
    const auto range = FindSection(section);
    if (!range)
        return std::nullopt;
    std::string_view name, value;
    for (size_t i = range->first; i < range->second; ++i)
        if (Classify(lines_[i].text, name, value) == Kind::Key && EqualsIgnoreAsciiCase(name, key))
            return std::string(value);
    return std::nullopt;
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    auto newLine = [&] {
        return Line{std::string(key) + "=" + std::string(value), "\r\n"};
    };
    auto terminateLast = [this] {
        if (!lines_.empty() && lines_.back().end.empty())
            lines_.back().end = "\r\n";
    };
    const auto range = FindSection(section);
    if (!range) {
        terminateLast();
        lines_.push_back(Line{"[" + std::string(section) + "]", "\r\n"});
        lines_.push_back(newLine());
        return;
    }
    std::string_view name, existing;
    size_t lastKey = range->first; // insert after the section's last key, before trailing blanks
    for (size_t i = range->first; i < range->second; ++i) {
        const Kind kind = Classify(lines_[i].text, name, existing);
        if (kind == Kind::Key && EqualsIgnoreAsciiCase(name, key)) {
            // Keep the key's own spelling and the text before it; only the value changes.
            const std::string& text = lines_[i].text;
            lines_[i].text = text.substr(0, text.find('=') + 1) + std::string(value);
            return;
        }
        if (!Trim(lines_[i].text).empty())
            lastKey = i + 1;
    }
    if (lastKey == lines_.size())
        terminateLast();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastKey), newLine());
}

std::vector<std::string> IniDocument::Sections() const {
    std::vector<std::string> result;
    std::string_view name, value;
    for (const Line& line : lines_) {
        if (Classify(line.text, name, value) != Kind::Section)
            continue;
        bool seen = false;
        for (const std::string& s : result)
            seen = seen || EqualsIgnoreAsciiCase(s, name);
        if (!seen)
            result.emplace_back(name);
    }
    return result;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
    std::vector<std::string> result;
    const auto range = FindSection(section);
    if (!range)
        return result;
    std::string_view name, value;
    for (size_t i = range->first; i < range->second; ++i) {
        if (Classify(lines_[i].text, name, value) != Kind::Key)
            continue;
        bool seen = false;
        for (const std::string& k : result)
            seen = seen || EqualsIgnoreAsciiCase(k, name);
        if (!seen)
            result.emplace_back(name);
    }
    return result;
}

std::vector<std::pair<std::string, std::string>> IniDocument::Entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> result;
    const auto range = FindSection(section);
    if (!range)
        return result;
    std::string_view name, value;
    for (size_t i = range->first; i < range->second; ++i)
        if (Classify(lines_[i].text, name, value) == Kind::Key)
            result.emplace_back(name, value);
    return result;
}

std::string IniDocument::Text() const {
    std::string out;
    for (const Line& line : lines_)
        out += line.text + line.end;
    return out;
}

std::optional<int32_t> ParseIniInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string_view digits = text.substr(2);
        if (digits.size() > 8)
            return std::nullopt;
        uint32_t value = 0;
        for (char c : digits) {
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return std::nullopt;
            value = value * 16 + static_cast<uint32_t>(d);
        }
        return static_cast<int32_t>(value);
    }
    return ParseInt(text);
}

namespace {

// Reads the file line by line: Error when it cannot be read or a line is too long to keep.
void CheckIniLines(const std::string& path) {
    TextFileReader scan(path);
    std::string_view line;
    while (scan.Next(line))
        if (scan.LineCut())
            throw Error("Cannot read file \"" + path + "\". Line " + std::to_string(scan.LineNumber()) +
                        " is longer than " + std::to_string(kMaxLineBytes) + " bytes.");
}

// The whole text, once no line is too long to keep: the file is then as large as what is kept
// of it, and a huge line never sits in memory.
std::string ReadIniText(const std::string& path) {
    CheckIniLines(path);
    return ReadTextFile(path);
}

} // namespace

IniDocument IniFile::Load() const {
    if (!PathExists(path_))
        return {};
    try {
        return IniDocument(ReadIniText(path_));
    } catch (const Error&) {
        return {}; // an unreadable file reads as an empty one; ReadProblem tells why
    }
}

std::string IniFile::ReadProblem() const {
    if (!PathExists(path_))
        return {};
    try {
        CheckIniLines(path_);
        return {};
    } catch (const Error& e) {
        return e.what();
    }
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    auto value = Load().Value(section, key);
    return value ? *value : std::string(defaultValue);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const {
    const auto value = Load().Value(section, key);
    if (!value)
        return defaultValue;
    return ParseIniInteger(*value).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    IniDocument document;
    if (FileExists(path_)) {
        // A file that exists but cannot be read must not be replaced by one holding a single key.
        try {
            document = IniDocument(ReadIniText(path_));
        } catch (const Error&) {
            throw Error("Unable to write to " + path_);
        }
    }
    document.SetValue(section, key, value);
    try {
        WriteFileAtomically(path_, document.Text());
    } catch (const Error&) {
        throw Error("Unable to write to " + path_);
    }
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

} // namespace tovel
