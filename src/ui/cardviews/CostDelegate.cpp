#include "ui/cardviews/CostDelegate.h"

#include "core/carddb/CardDisplay.h"
#include "core/carddb/CardsDB.h"
#include "ui/graphics/ManaSymbols.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace tovel {

void TCostDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    plain.text.clear();
    const QWidget* widget = plain.widget;
    (widget ? widget->style() : QApplication::style())
        ->drawControl(QStyle::CE_ItemViewItem, &plain, painter, widget);
    const auto* card = reinterpret_cast<const TCardItem*>(index.data(cardRole_).value<quintptr>());
    if (!card || !CostVisible(*card))
        return;
    const qreal size = std::max(8, option.rect.height() - 4);
    const qreal scale = size / kSymbolSize;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setRenderHint(QPainter::Antialiasing);
    for (const TCostSymbol& symbol : CostSymbols(*card)) {
        const QRectF rect(option.rect.left() + 2 + (symbol.x - 1) * scale, option.rect.top() + 2, size, size);
        DrawCostSymbol(*painter, rect, symbol.image, symbol.generic);
    }
    painter->restore();
}

} // namespace tovel
