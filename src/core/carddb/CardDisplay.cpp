#include "core/carddb/CardDisplay.h"

#include "core/infra/Text.h"

namespace tovel {

std::string CardPictureFileName(std::string_view name) {
    std::string file(name);
    if (const size_t colon = file.find(':'); colon != std::string::npos)
        file.erase(colon, 1);
    if (const size_t slashes = file.find("//"); slashes != std::string::npos)
        file.erase(slashes, 2);
    return file;
}

std::string CardPicturePath(std::string_view folder, std::string_view edition, std::string_view name) {
    std::string path(folder);
    path += '/';
    // Card data is Windows-1252; the program's paths, like the file system's names, are UTF-8.
    path += Cp1252ToUtf8(edition);
    path += '/';
    path += Cp1252ToUtf8(CardPictureFileName(name));
    path += ".jpg";
    return path;
}

TDisplayColor CardBackgroundColor(TCardColor color) {
    switch (color) {
    case TCardColor::L:
    case TCardColor::A:
        return {false, 0, 128, 128};
    case TCardColor::B:
        return {false, 0, 0, 0};
    case TCardColor::G:
        return {false, 0, 128, 0};
    case TCardColor::R:
        return {false, 255, 0, 0};
    case TCardColor::U:
        return {false, 0, 0, 255};
    case TCardColor::W:
        return {true, 0, 0, 0};
    default:
        return {false, 128, 128, 0};
    }
}

std::vector<std::string> BadgeResourceNames(std::string_view edition, TRarity rarity) {
    if (rarity == TRarity::L)
        return {};
    std::string upper;
    for (char c : edition)
        upper += AnsiUpper(c);
    const std::string letter(1, RarityLetter(rarity));
    return {upper + "_" + letter, letter};
}

int ColorSymbolImage(int colorValue) {
    return colorValue < 7 ? colorValue - 1 : colorValue + 16;
}

bool CostVisible(const TCardItem& card) {
    return !card.NoCost && card.Color != TCardColor::L;
}

namespace {

void AddHalf(std::vector<TCostSymbol>& out, int& x, TCardColor color, int generic, int xCount,
             const SymbolCountArray& counts) {
    auto put = [&](int image, int amount = 0) {
        out.push_back({x, image, amount});
        x += kSymbolSize;
    };
    auto putGeneric = [&](int amount) {
        if (amount >= 0 && amount <= kLargestGenericImage)
            put(kSymbolGenericFirst + amount);
        else
            put(-1, amount);
    };
    const int value = static_cast<int>(color);
    if (value >= 1 && value <= 5) {
        if (generic > 0)
            putGeneric(generic);
        for (int i = 0; i < xCount; ++i)
            put(kSymbolX);
        for (int i = 0; i < counts[static_cast<size_t>(value)]; ++i)
            put(ColorSymbolImage(value));
    } else if (color == TCardColor::Z) {
        if (generic > 0)
            putGeneric(generic);
        for (int i = 0; i < xCount; ++i)
            put(kSymbolX);
        for (int kind = 1; kind <= 16; ++kind)
            for (int i = 0; i < counts[static_cast<size_t>(kind)]; ++i)
                put(ColorSymbolImage(kind));
    } else {
        putGeneric(generic);
        for (int i = 0; i < xCount; ++i)
            put(kSymbolX);
    }
}

} // namespace

std::vector<TCostSymbol> CostSymbols(const TCardItem& card) {
    std::vector<TCostSymbol> symbols;
    if (!CostVisible(card))
        return symbols;
    int x = 1;
    AddHalf(symbols, x, card.Color, card.Generic, card.XCount, card.SymbolCounts);
    if (card.IsSplit) {
        x += kSymbolSize;
        AddHalf(symbols, x, card.Color, card.Generic2, card.XCount2, card.SymbolCounts2);
    }
    return symbols;
}

} // namespace tovel
