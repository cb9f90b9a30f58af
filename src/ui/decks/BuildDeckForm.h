#pragma once

// "Build deck from pool": the 15 colour sets a pool's deck can take, ranked by score, each with
// its spells, its score and its three best cards; the best is chosen. The opener reads the deck
// of the chosen set after OK.

#include "core/decks/DeckBuilder.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTreeWidget;

namespace tovel {

class TBuildDeckForm final : public QDialog {
    Q_OBJECT
public:
    // `pool` holds positions in `cards`, which must outlive the dialog.
    TBuildDeckForm(const TCardsList& cards, std::vector<int32_t> pool, QWidget* parent = nullptr);

    const TBuiltDeck& Best() const { return best_; }
    // The set of the selected row (the best one until the user picks another).
    TColourSet SelectedColours() const;
    // The deck of the selected set.
    TBuiltDeck Deck() const;
    const std::vector<int32_t>& Pool() const { return pool_; }

    QTreeWidget* List() const { return list_; }
    QPushButton* OkButton() const { return ok_; }

private:
    const TCardsList& cards_;
    std::vector<int32_t> pool_;
    std::vector<const TCardItem*> poolCards_;
    TBuiltDeck best_;
    QTreeWidget* list_;
    QPushButton* ok_;
};

} // namespace tovel
