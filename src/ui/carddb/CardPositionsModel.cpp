#include "ui/carddb/CardPositionsModel.h"

#include "core/carddb/CardsDB.h"
#include "ui/infra/QtText.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

namespace tovel {

namespace {

// The text colour of a card row, after the card's colour; hybrids keep the default.
QVariant RowColor(TCardColor color) {
    switch (color) {
    case TCardColor::L:
    case TCardColor::A:
        return QColor(0, 128, 128);
    case TCardColor::B:
        return QColor(Qt::black);
    case TCardColor::G:
        return QColor(0, 128, 0);
    case TCardColor::R:
        return QColor(255, 0, 0);
    case TCardColor::U:
        return QColor(0, 0, 255);
    case TCardColor::W:
        return QApplication::palette().color(QPalette::ToolTipBase);
    case TCardColor::Z:
        return QColor(128, 128, 0);
    default:
        return {};
    }
}

} // namespace

void TCardPositionsModel::SetPositions(const std::vector<int32_t>& positions) {
    beginResetModel();
    positions_ = positions;
    captions_.clear();
    colors_.clear();
    captions_.reserve(positions_.size());
    colors_.reserve(positions_.size());
    const TCardsList& cards = CardDatabase();
    for (int32_t position : positions_) {
        const TCardItem& card = cards.Items(position);
        captions_.push_back(FromCp1252(CardCaption(card)));
        colors_.push_back(RowColor(card.Color));
    }
    endResetModel();
}

void TCardPositionsModel::SetHeader(const QString& header) {
    header_ = header;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

int TCardPositionsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(positions_.size());
}

int TCardPositionsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant TCardPositionsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ForegroundRole)
        return {};
    if (!index.isValid() || index.row() >= static_cast<int>(positions_.size()))
        return {};
    const auto row = static_cast<size_t>(index.row());
    return role == Qt::DisplayRole ? QVariant(captions_[row]) : colors_[row];
}

QVariant TCardPositionsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section != 0)
        return {};
    return header_;
}

} // namespace tovel
