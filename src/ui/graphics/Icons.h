#pragma once

// The program's own icons, drawn as vector shapes so they stay crisp at any size: the tool
// bar and menu icons of the feature windows and the glyphs of the program's controls.

#include <QIcon>

namespace tovel {

// The feature windows' icon list, by position.
enum class ToolIcon : int {
    Exit = 0,
    ViewCardInfo = 1,
    AddCard = 2,
    AddFoil = 3,
    DeleteCard = 4,
    DeleteFoil = 5,
    SaveDeck = 6,
    LoadDeck = 7,
};
inline constexpr int kToolIconCount = 8;

QIcon ToolBarIcon(ToolIcon icon);
inline QIcon ToolBarIcon(int index) {
    return ToolBarIcon(static_cast<ToolIcon>(index));
}

// The wait window's abort button.
QIcon AbortGlyph();
// The folder edit's browse button.
QIcon BrowseGlyph();

} // namespace tovel
