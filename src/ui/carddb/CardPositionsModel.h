#pragma once

#include "core/carddb/IntList.h"

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace tovel {

// One column of card captions for a list of positions in the card database, each row drawn in
// its card's colour. The header shows the caller's text (the sort mode).
class TCardPositionsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the rows with these positions, in this order.
    void SetPositions(const std::vector<int32_t>& positions);
    void SetHeader(const QString& header);
    int32_t Position(int row) const { return positions_[static_cast<size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<int32_t> positions_;
    std::vector<QString> captions_;
    std::vector<QVariant> colors_;
    QString header_;
};

} // namespace tovel
