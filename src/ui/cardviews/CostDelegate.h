#pragma once

// Draws a card's cost with the program's symbols, scaled to the row's height, in any item view
// whose cells carry the card's address under a role of the model's choosing.

#include <QStyledItemDelegate>

namespace tovel {

class TCostDelegate final : public QStyledItemDelegate {
public:
    // `cardRole` holds a `const TCardItem*` as quintptr; a cell without one is drawn empty.
    TCostDelegate(int cardRole, QObject* parent) : QStyledItemDelegate(parent), cardRole_(cardRole) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int cardRole_;
};

} // namespace tovel
