#pragma once

// The program's own INI reader and writer, used for the settings file and Data/boosters.ini.
//
// Sections and keys match without regard to ASCII letter case; lines starting with ";" are
// comments; a value is everything after the first "=", trimmed. Writing a value rewrites only
// that line (or adds one): every other byte of the file stays as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tovel {

// An INI text kept line by line, line ends included.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    // Section names in file order (first spelling of each).
    std::vector<std::string> Sections() const;
    // Key names of a section in file order, each once.
    std::vector<std::string> Keys(std::string_view section) const;
    // Every key line of a section in file order, duplicates included, keys as spelled.
    std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;

    std::string Text() const;

    // The lines as read, without their ends (line i + 1 of the file).
    size_t LineCount() const { return lines_.size(); }
    std::string_view LineText(size_t index) const { return lines_[index].text; }

private:
    struct Line {
        std::string text; // without the line end
        std::string end;  // "\r\n", "\n", "\r" or "" for a last line without one
    };
    enum class Kind { Other, Section, Key };
    static Kind Classify(std::string_view text, std::string_view& name, std::string_view& value);
    // Index range [first, last) of the lines belonging to the first section of that name
    // (the header excluded); nullopt when there is none.
    std::optional<std::pair<size_t, size_t>> FindSection(std::string_view section) const;

    std::vector<Line> lines_;
};

// Read-through, write-through access to an INI file: every read parses the file as it is now,
// every write goes to disk at once (atomically). An unreadable file reads as an empty one.
class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal, or hexadecimal after "0x"/"0X" (more than two characters); the default when the
    // key is missing or the value is not an integer.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
    // An integer, non-zero meaning true; the default when missing or not an integer.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Error "Unable to write to <path>" when the file system refuses; the file is then untouched.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The whole file parsed once, for readers that look at many keys (boosters.ini).
    IniDocument Load() const;
    // Why a file that exists reads as empty: the read error naming the file (a folder or a
    // FIFO in its place, no permission); empty when the file reads or does not exist.
    std::string ReadProblem() const;

private:
    std::string path_;
};

// The integer reading rule of IniFile::ReadInteger, on its own.
std::optional<int32_t> ParseIniInteger(std::string_view text);

} // namespace tovel
