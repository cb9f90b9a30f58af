#pragma once

// What the collection windows share: their menu and tool bar, the data they load on opening, and
// the card information window following a list.

#include <QString>

class QAction;
class QMenu;
class QToolBar;
class QVBoxLayout;
class QWidget;

namespace tovel {

class TCardsFrame;
class TInventoryList;

// A menu bar with one menu and a tool bar under it, in "Lm Style", at the top of `layout`;
// returns the menu.
QMenu* AddMenuAndToolBar(QWidget* window, QVBoxLayout* layout, const QString& menuCaption,
                         QToolBar** toolBar);
// Adds a command to the tool bar, its button in the bar's style.
void AddToolBarAction(QToolBar* toolBar, QAction* action);
// A menu command with its icon from the shared icon list (-1: none).
QAction* AddCommand(QMenu* menu, const QString& caption, const char* objectName, int icon);

// Data/editions.txt, Data/formats.txt and the whole Data/base.txt.
void LoadCollectionData();
// `list` filled from the card database (one line per card) and shown in the frame, under the
// stored filter. The frame keeps pointing at `list`.
void ShowBaseList(TCardsFrame& frame, TInventoryList& list);
// Stores the frame's edition list as the shared "EditionsFilter".
void StoreEditionsFilter(const TCardsFrame& frame);

// The selection follows into the card information window while that window is visible; a
// right-button press shows the selected card there, opening it if needed.
void FollowWithCardInfo(TCardsFrame& frame);

} // namespace tovel
