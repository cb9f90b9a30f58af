#include "core/decks/InsertSideboard.h"

#include "core/infra/FileIO.h"
#include "core/infra/Text.h"

#include <exception>

namespace tovel {

std::string InsertSideboardText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    bool inSideboard = false;
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) {
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty())
            continue;
        if (line.starts_with("SB:")) {
            out += "SB: ";
            out += Trim(line.substr(3));
        } else if (inSideboard) {
            out += "SB: ";
            out += trimmed;
        } else if (line.find("//SB:") != std::string_view::npos ||
                   line.find("Sideboard") != std::string_view::npos) {
            inSideboard = true;
            continue;
        } else {
            out += line;
        }
        out += "\r\n";
    }
    return out;
}

std::string InsertSideboardFile(const std::string& path) {
    const std::string output = path + ".dec";
    WriteFileAtomically(output, InsertSideboardText(ReadTextFile(path)));
    return output;
}

std::vector<TConvertResult> InsertSideboardFiles(const std::vector<std::string>& files) {
    std::vector<TConvertResult> results;
    for (const std::string& file : files) {
        TConvertResult& result = results.emplace_back();
        result.File = file;
        try {
            result.Converted = InsertSideboardFile(file);
        } catch (const std::exception& e) {
            result.Error = e.what();
        }
    }
    return results;
}

} // namespace tovel
