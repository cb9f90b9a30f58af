#pragma once

// What the card information display shows of a card, stated without pixels: where its picture
// lives, the colour behind it, the names of its rarity badge and the symbols of its cost.

#include "core/carddb/CardsDB.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// The picture's file name: the card's name without its first ":" and its first "//".
std::string CardPictureFileName(std::string_view name);
// folder + "/" + edition + "/" + file name + ".jpg". `folder` is a UTF-8 path, `edition` and
// `name` card data (Windows-1252); the result is a UTF-8 path.
std::string CardPicturePath(std::string_view folder, std::string_view edition, std::string_view name);

// The colour behind a card's picture. `system` marks the platform's tooltip background.
struct TDisplayColor {
    bool system = false;
    uint8_t r = 0, g = 0, b = 0;
};
TDisplayColor CardBackgroundColor(TCardColor color);

// The badge resources to try, in order: EDITION_RARITY (upper case), then the rarity letter.
// Empty for basic lands, which show no badge.
std::vector<std::string> BadgeResourceNames(std::string_view edition, TRarity rarity);

// The 33 symbol images: 0..4 the colours B, G, R, U, W; 5 X; 6..22 the generic numbers 0..16;
// 23..32 the ten hybrid symbols in colour-value order.
inline constexpr int kSymbolImageCount = 33;
inline constexpr int kSymbolX = 5;
inline constexpr int kSymbolGenericFirst = 6;
inline constexpr int kSymbolHybridFirst = 23;
inline constexpr int kSymbolSize = 16;
inline constexpr int kLargestGenericImage = 16;

// One symbol of a drawn cost. `image` is one of the 33; a generic amount above 16 has no image
// of its own and is drawn as its number in the generic symbol (`image` -1, `generic` the amount).
struct TCostSymbol {
    int x = 0;
    int image = 0;
    int generic = 0;

    bool operator==(const TCostSymbol&) const = default;
};

// The symbol image of a colour value 1..16 (B..W and the hybrids).
int ColorSymbolImage(int colorValue);

// The symbols of a card's cost from left to right, each 16 wide, starting at x = 1, y = 1.
// Empty when no cost is drawn (NoCost, or no symbol at all). A split card's second half follows
// one empty place after the first.
std::vector<TCostSymbol> CostSymbols(const TCardItem& card);
// Whether the cost image is shown at all.
bool CostVisible(const TCardItem& card);

} // namespace tovel
