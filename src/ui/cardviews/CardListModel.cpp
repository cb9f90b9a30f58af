#include "ui/cardviews/CardListModel.h"

#include "ui/platform/QtText.h"

#include <QApplication>
#include <QFont>

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
    : QAbstractTableModel(parent), cards_(cards) {}

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
    const int section = cardColumns_ ? kColumnName : 0;
    emit headerDataChanged(Qt::Horizontal, section, section);
}

void TCardListModel::SetCardColumns(bool on) {
    if (on == cardColumns_)
        return;
    beginResetModel();
    cardColumns_ = on;
    endResetModel();
}

void TCardListModel::SetMarked(int32_t card) {
    if (card == marked_)
        return;
    const int32_t before = marked_;
    marked_ = card;
    for (size_t row = 0; row < rows_.size(); ++row)
        if (rows_[row].Card == before || rows_[row].Card == card)
            emit dataChanged(index(static_cast<int>(row), 0),
                             index(static_cast<int>(row), columnCount() - 1));
}

int32_t TCardListModel::CardAt(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row)].Card : -1;
}

int TCardListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TCardListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cardColumns_ ? kColumnCount : 1;
}

QVariant TCardListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Shown& row = rows_[static_cast<size_t>(index.row())];
    const bool marked = row.Card == marked_;
    // The card list may have been replaced since the rows were set (a new draft loads its cards).
    if (row.Card >= Cards().Count())
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        if (!cardColumns_)
            return row.Text;
        const TCardItem& card = Cards().Items(row.Card);
        switch (index.column()) {
        case kColumnName:
            return (marked ? QStringLiteral("\u2714 ") : QString()) + FromCp1252(card.Name);
        case kColumnType:
            return FromCp1252(card.TypeLine);
        case kColumnValue:
            return card.Value;
        case kColumnRarity:
            return QString(QLatin1Char(RarityLetter(card)));
        default:
            return {}; // the cost is drawn
        }
    }
    case Qt::FontRole:
        if (marked) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::TextAlignmentRole:
        return cardColumns_ && (index.column() == kColumnValue || index.column() == kColumnRarity)
                   ? QVariant(Qt::AlignCenter)
                   : QVariant();
    case Qt::ForegroundRole: {
        const QColor color = CardRowColor(row.Color, QApplication::palette());
        return color.isValid() ? QVariant(color) : QVariant();
    }
    case CardRole:
        return row.Card;
    case CardItemRole:
        return QVariant::fromValue(reinterpret_cast<quintptr>(&Cards().Items(row.Card)));
    default:
        return {};
    }
}

QVariant TCardListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    if (!cardColumns_)
        return header_;
    switch (section) {
    case kColumnCost:
        return tr("Cost");
    case kColumnName:
        return header_.isEmpty() ? tr("Name") : header_;
    case kColumnType:
        return tr("Type");
    case kColumnValue:
        return tr("Value");
    default:
        return tr("Rarity");
    }
}

Qt::ItemFlags TCardListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace tovel
