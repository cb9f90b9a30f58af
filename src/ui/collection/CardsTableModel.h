#pragma once

#include "core/collection/CardsFrameModel.h"

#include <QAbstractTableModel>

#include <functional>

namespace tovel {

// The Qt face of a TCardsFrameModel: its rows and columns, read live. Every change of the rows
// goes through Change, which resets the view once.
class TCardsTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    TCardsTableModel(TCardsFrameModel& rows, QObject* parent);

    // The row's database card (a const TCardItem* as quintptr; 0 for an unlinked line).
    static constexpr int kCardRole = Qt::UserRole + 1;

    // Runs a change of the rows' set or order between one reset of the views.
    template <typename F> void Change(F&& change) {
        beginResetModel();
        change();
        endResetModel();
    }
    // The texts of one row changed in place.
    void RowChanged(int row);

    // An edited note cell: the row and the text typed (the inventory layout's Notes column is
    // the one editable cell). False when the note is refused.
    std::function<bool(int row, const QString& notes)> OnEditNotes;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TCardsFrameModel& rows_;
};

} // namespace tovel
