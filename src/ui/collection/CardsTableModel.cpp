#include "ui/collection/CardsTableModel.h"

#include "ui/platform/QtText.h"

namespace tovel {

TCardsTableModel::TCardsTableModel(TCardsFrameModel& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows) {}

void TCardsTableModel::RowChanged(int row) {
    if (row < 0 || row >= rows_.RowCount())
        return;
    emit dataChanged(index(row, 0), index(row, rows_.ColumnCount() - 1), {Qt::DisplayRole});
}

int TCardsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.RowCount();
}

int TCardsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.ColumnCount();
}

QVariant TCardsTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != kCardRole && role != Qt::EditRole)
        return {};
    if (index.row() < 0 || index.row() >= rows_.RowCount() || index.column() >= rows_.ColumnCount())
        return {};
    if (role == kCardRole)
        return QVariant::fromValue(reinterpret_cast<quintptr>(rows_.RowLine(index.row()).Card));
    return FromCp1252(rows_.CellText(index.row(), rows_.ColumnAt(index.column())));
}

bool TCardsTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || !OnEditNotes)
        return false;
    return OnEditNotes(index.row(), value.toString());
}

Qt::ItemFlags TCardsTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() < rows_.ColumnCount() && rows_.InventoryLayout() &&
        rows_.ColumnAt(index.column()) == kColumnNotes)
        result |= Qt::ItemIsEditable;
    return result;
}

QVariant TCardsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= rows_.ColumnCount())
        return {};
    return QLatin1String(TCardsFrameModel::ColumnCaption(rows_.ColumnAt(section)));
}

} // namespace tovel
