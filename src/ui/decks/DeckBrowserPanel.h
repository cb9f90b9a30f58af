#pragma once

// The designer's card browser: every printing of the card database in the cards frame, with
// the edition filter, the name search and the query field. A double click, Enter or the "Add"
// button puts one copy into the main deck; with Shift held, into the sideboard.

#include "core/collection/Inventory.h"

#include <QWidget>

#include <functional>

class QPushButton;

namespace tovel {

class TCardQueryBar;
class TCardsFrame;

class TDeckBrowserPanel final : public QWidget {
    Q_OBJECT
public:
    explicit TDeckBrowserPanel(QWidget* parent = nullptr);
    ~TDeckBrowserPanel() override;

    // Fills the list from the card database the first time; again after `reload`.
    void Fill(bool reload = false);
    bool Filled() const { return filled_; }
    // One copy of the selected card to the deck or, with `sideboard`, the sideboard.
    void AddSelected(bool sideboard);

    TCardsFrame* Frame() const { return frame_; }
    TCardQueryBar* QueryBar() const { return queryBar_; }
    QPushButton* AddButton() const { return add_; }

    // A card position of the card database and the zone it goes to.
    std::function<void(int position, bool sideboard)> OnAdd;

private:
    TInventoryList list_;
    TCardsFrame* frame_;
    TCardQueryBar* queryBar_;
    QPushButton* add_;
    bool filled_ = false;
};

} // namespace tovel
