#include "core/carddb/DBCreate.h"

#include "core/carddb/CardDatabase.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "core/infra/Text.h"
#include "core/infra/Words.h"

#include <algorithm>

namespace tovel {

namespace {

constexpr char kAeLigature = static_cast<char>(198);
constexpr char kRightQuote = static_cast<char>(146);

void ReplaceRunsOfBlanks(std::string& line) {
    std::string out;
    out.reserve(line.size());
    for (size_t i = 0; i < line.size();) {
        if (line[i] == ' ' && i + 1 < line.size() && line[i + 1] == ' ') {
            while (i < line.size() && line[i] == ' ')
                ++i;
            out += ';';
        } else {
            out += line[i++];
        }
    }
    line = std::move(out);
}

} // namespace

std::string_view CardListColumns(std::string_view line, int32_t position, int32_t length) {
    if (position < 1 || length <= 0 || static_cast<size_t>(position) > line.size())
        return {};
    return line.substr(static_cast<size_t>(position) - 1, static_cast<size_t>(length));
}

std::string CardListLine(std::string line, const TReadCardRec& layout) {
    if (Trim(line).empty())
        return {};
    std::string_view name;
    std::string_view rarity;
    if (layout.TwoSpaces) {
        ReplaceRunsOfBlanks(line);
        // A rarity letter behind a single blank still becomes a word of its own.
        if (line.size() >= 2 && line[line.size() - 2] != ';')
            line.insert(line.size() - 1, 1, ';');
        static const CharSet semicolon(";");
        name = NthWord(1, line, semicolon, true);
        rarity = NthWord(CountWords(line, semicolon), line, semicolon, true);
    } else {
        if (const size_t ae = line.find(kAeLigature); ae != std::string::npos) {
            line.replace(ae, 1, "AE");
            // The name column grew by one: drop its last blank (or the character pushed out of
            // it) so that the columns behind the name keep their places.
            const size_t first = static_cast<size_t>(std::max(layout.NamePosition, 1)) - 1;
            const size_t end = first + static_cast<size_t>(std::max(layout.NameLength, 0));
            if (end < line.size()) {
                size_t drop = end;
                for (size_t i = end + 1; i-- > first;)
                    if (line[i] == ' ') {
                        drop = i;
                        break;
                    }
                line.erase(drop, 1);
            }
        }
        if (const size_t quote = line.find(kRightQuote); quote != std::string::npos)
            line[quote] = '\'';
        name = Trim(CardListColumns(line, layout.NamePosition, layout.NameLength));
        rarity = CardListColumns(line, layout.RarityPosition, 1);
    }
    std::string out = layout.EditionCode;
    out += ';';
    out += name;
    out += ';';
    out += rarity;
    out += ";5";
    return out;
}

void CreateCardList(TCardsList& cards, const std::string& fileList, const TReadCardLayout& readLayout,
                    const std::string& outFile) {
    cards.Clear();
    std::string out;
    bool accepted = false;
    static const CharSet semicolon(";");
    const int files = CountWords(fileList, semicolon);
    for (int f = 1; f <= files; ++f) {
        const std::string file(NthWord(f, fileList, semicolon, true));
        const TReadCardRec layout = readLayout(file);
        if (!layout.Accepted)
            break;
        accepted = true;
        const std::string bytes = ReadTextFile(file);
        LineReader reader(bytes);
        std::string_view line;
        for (int skip = 0; skip < layout.FirstLine && reader.Next(line); ++skip) {
        }
        while (reader.Next(line)) {
            if (Trim(line).empty())
                break;
            out += CardListLine(std::string(line), layout);
            out += "\r\n";
        }
    }
    // With no file accepted there is nothing to replace the old list with.
    if (accepted)
        WriteFileAtomically(outFile, out);
}

void CopyDatabaseFile(const std::string& source, const std::string& dest) {
    WriteFileAtomically(dest, ReadWholeFile(source));
}

bool CreateCardsDB(TCardsList& cards, const std::string& programDir, const std::vector<std::string>& files,
                   const TReadCardLayout& readLayout, const TCopyFile& copy) {
    if (files.empty())
        return false;
    EnsureDirectory(programDir + kBackupFolder);
    copy(programDir + kCardListFile, programDir + kBackupCardListFile);
    std::string list;
    for (const std::string& file : files)
        list += file + ";";
    CreateCardList(cards, list, readLayout, programDir + kCardListFile);
    return true;
}

bool BackupCardDatabase(const std::string& programDir, const TCopyFile& copy) {
    if (!FileExists(programDir + kCardListFile))
        return false;
    const std::string backup = programDir + kBackupCardDatabaseFile;
    EnsureDirectory(programDir + kBackupFolder);
    copy(programDir + kCardDatabaseFile, backup);
    Prompts().ShowInformation("Card base saved to " + backup);
    return true;
}

bool RestoreCardDatabase(const std::string& programDir, const TCopyFile& copy) {
    if (!FileExists(programDir + kBackupCardListFile))
        return false;
    const std::string backup = programDir + kBackupCardDatabaseFile;
    copy(backup, programDir + kCardDatabaseFile);
    Prompts().ShowInformation("Card base restored from " + backup);
    return true;
}

TBuildFiles DefaultBuildFiles(const std::string& programDir) {
    return {programDir + kEditionsFile, programDir + kCardListFile, programDir + kCardTextFile,
            programDir + kCardDatabaseFile};
}

namespace {

void ReadBuildSources(TCardsList& cards, TTextList& editions, const TBuildFiles& files) {
    LoadEditionList(editions, files.Editions);
    // An empty card list would replace the whole database with nothing.
    if (!ReadCardSources(cards, files.CardList, files.CardText, {}, editions))
        throw Error("The card list \"" + files.CardList + "\" is empty");
}

} // namespace

void BuildCardDatabase(TCardsList& cards, TTextList& editions, const TBuildFiles& files) {
    ReadBuildSources(cards, editions, files);
    SaveCardDatabase(cards, files.Out);
}

bool CreateDBFromCardsAndGatherer(TCardsList& cards, TTextList& editions, const TBuildFiles& files) {
    TCardsList built;
    try {
        ReadBuildSources(built, editions, files);
    } catch (const std::exception&) {
        cards.Clear();
        ShowError(kErrorReadingCardsDatabase);
        return false;
    }
    // A write that fails is no reading error: its own message, and the cards in memory stay
    // those of the file still on disk.
    try {
        SaveCardDatabase(built, files.Out);
    } catch (const std::exception& e) {
        ShowError(e.what());
        return false;
    }
    cards.Swap(built);
    return true;
}

} // namespace tovel
