#include "core/settings/Options.h"

#include "core/infra/FileIO.h"
#include "core/infra/Text.h"

namespace tovel {

std::optional<std::string> ValidateCardImagesDir(bool showImages, const std::string& folderText) {
    if (!showImages)
        return std::nullopt;
    if (Trim(folderText).empty())
        return std::string(kCardImagesNotFound);
    if (!DirectoryExists(folderText))
        return kDirectoryDontExist + folderText;
    return std::nullopt;
}

std::string DirEditBrowseRoot(const std::string& initialDir) {
    if (!initialDir.empty() && DirectoryExists(initialDir))
        return initialDir;
    return "/";
}

std::string DirEditStartFolder(const std::string& text, const std::string& initialDir, bool oldStyle) {
    if (oldStyle) {
        const size_t slash = text.rfind('/');
        return slash == std::string::npos ? DirEditBrowseRoot(initialDir) : text.substr(0, slash + 1);
    }
    if (!text.empty() && DirectoryExists(text))
        return text;
    return DirEditBrowseRoot(initialDir);
}

} // namespace tovel
