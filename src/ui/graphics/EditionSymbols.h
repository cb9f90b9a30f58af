#pragma once

// The edition symbol library: a resource bundle "editions.rcc" beside the program with one
// badge per edition and rarity ("AB_U") and one per rarity letter ("U").

#include <QPixmap>
#include <QString>

#include <string>
#include <vector>

namespace tovel {

class EditionSymbolLibrary {
public:
    // Registers the bundle at `path`; a missing or unreadable bundle leaves the library empty.
    explicit EditionSymbolLibrary(const std::string& path);
    ~EditionSymbolLibrary();
    EditionSymbolLibrary(const EditionSymbolLibrary&) = delete;
    EditionSymbolLibrary& operator=(const EditionSymbolLibrary&) = delete;

    bool Loaded() const { return loaded_; }
    bool Has(const std::string& name) const;
    // The first of `names` the library holds, or a null pixmap.
    QPixmap Badge(const std::vector<std::string>& names) const;

    // The resource path of a badge inside the bundle.
    static QString ResourcePath(const std::string& name);

private:
    QString path_;
    bool loaded_ = false;
};

inline constexpr const char* kEditionSymbolsFile = "editions.rcc";

} // namespace tovel
