#include "ui/graphics/EditionSymbols.h"

#include "ui/platform/QtText.h"

#include <QFile>
#include <QResource>

namespace tovel {

namespace {
// Badges live under this root inside the bundle, apart from the program's own resources.
const QString kRoot = QStringLiteral("/tovel-editions");
} // namespace

EditionSymbolLibrary::EditionSymbolLibrary(const std::string& path) : path_(FromUtf8(path)) {
    loaded_ = QFile::exists(path_) && QResource::registerResource(path_, kRoot);
}

EditionSymbolLibrary::~EditionSymbolLibrary() {
    if (loaded_)
        QResource::unregisterResource(path_, kRoot);
}

QString EditionSymbolLibrary::ResourcePath(const std::string& name) {
    return QStringLiteral(":") + kRoot + QStringLiteral("/") + FromCp1252(name) + QStringLiteral(".png");
}

bool EditionSymbolLibrary::Has(const std::string& name) const {
    return loaded_ && QFile::exists(ResourcePath(name));
}

QPixmap EditionSymbolLibrary::Badge(const std::vector<std::string>& names) const {
    for (const std::string& name : names)
        if (Has(name)) {
            QPixmap pixmap(ResourcePath(name));
            if (!pixmap.isNull())
                return pixmap;
        }
    return {};
}

} // namespace tovel
