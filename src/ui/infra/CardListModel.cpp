#include "ui/infra/CardListModel.h"

#include "ui/infra/QtText.h"

#include <QApplication>

#include <cstdlib>

namespace tovel {

QColor CardRowColor(TCardColor color, const QPalette& palette) {
    switch (color) {
    case TCardColor::L:
    case TCardColor::A:
        return QColor(0, 128, 128);
    case TCardColor::B:
        return QColor(0, 0, 0);
    case TCardColor::G:
        return QColor(0, 128, 0);
    case TCardColor::R:
        return QColor(255, 0, 0);
    case TCardColor::U:
        return QColor(0, 0, 255);
    case TCardColor::W: {
        // The tooltip background colour; where it would vanish on the list's own background
        // (light tooltips on a light list) a darker shade of it keeps the row readable.
        const QColor tooltip = palette.color(QPalette::ToolTipBase);
        const QColor base = palette.color(QPalette::Base);
        return std::abs(tooltip.lightness() - base.lightness()) < 96 ? tooltip.darker(220) : tooltip;
    }
    case TCardColor::Z:
        return QColor(128, 128, 0);
    default:
        return {};
    }
}

TCardListModel::TCardListModel(QObject* parent, const TCardsList* cards)
    : QAbstractListModel(parent), cards_(cards) {}

const TCardsList& TCardListModel::Cards() const {
    return cards_ ? *cards_ : CardDatabase();
}

void TCardListModel::SetRows(const std::vector<Row>& rows) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(rows.size());
    const TCardsList& cards = Cards();
    for (const Row& row : rows) {
        if (row.Card < 0 || row.Card >= cards.Count())
            continue; // a stale position never reaches the view
        const TCardItem& card = cards.Items(row.Card);
        rows_.push_back({row.Card, row.Text.isNull() ? FromCp1252(CardCaption(card)) : row.Text, card.Color});
    }
    endResetModel();
}

void TCardListModel::SetCards(const std::vector<int32_t>& positions) {
    std::vector<Row> rows;
    rows.reserve(positions.size());
    for (int32_t position : positions)
        rows.push_back({position, {}});
    SetRows(rows);
}

void TCardListModel::Clear() {
    SetRows({});
}

void TCardListModel::SetHeader(const QString& header) {
    if (header == header_)
        return;
    header_ = header;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

int32_t TCardListModel::CardAt(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row)].Card : -1;
}

int TCardListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant TCardListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Shown& row = rows_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.Text;
    case Qt::ForegroundRole: {
        const QColor color = CardRowColor(row.Color, QApplication::palette());
        return color.isValid() ? QVariant(color) : QVariant();
    }
    case CardRole:
        return row.Card;
    default:
        return {};
    }
}

QVariant TCardListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return header_;
    return {};
}

Qt::ItemFlags TCardListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace tovel
