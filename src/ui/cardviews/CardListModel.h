#pragma once

// A list of cards of the card database, as the designer and the draft window show them: the
// card's caption (plus an optional suffix such as a land count) in one column, or the card's cost,
// name, type, value and rarity in five; drawn in the card's colour, under a header that names the
// list's sort order.

#include "core/carddb/CardsDB.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPalette>
#include <QString>

#include <cstdint>
#include <vector>

namespace tovel {

// The text colour of a card row, by the card's colour; invalid (the view's own) for the rest.
// White cards take the tooltip background colour of `palette`.
QColor CardRowColor(TCardColor color, const QPalette& palette);

class TCardListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // The card's position in the card database, as an int.
    static constexpr int CardRole = Qt::UserRole + 1;
    // The card itself, a const TCardItem* as quintptr (what the cost drawing takes).
    static constexpr int CardItemRole = Qt::UserRole + 2;
    // The columns of the five-column form.
    enum Column { kColumnCost, kColumnName, kColumnType, kColumnValue, kColumnRarity, kColumnCount };

    struct Row {
        int32_t Card = -1;
        QString Text; // the row's text; null: the card's caption
    };

    explicit TCardListModel(QObject* parent = nullptr, const TCardsList* cards = nullptr);

    // Replaces every row in one reset.
    void SetRows(const std::vector<Row>& rows);
    // One row per position, no suffix.
    void SetCards(const std::vector<int32_t>& positions);
    void Clear();
    // The sort order's caption: the one column's header, or the name column's in five columns.
    void SetHeader(const QString& header);
    // Five columns (cost, name, type, value, rarity) instead of the caption alone.
    void SetCardColumns(bool on);
    bool CardColumns() const { return cardColumns_; }
    // The row of this card (a position; -1 none) is drawn marked: bold, a tick before its name.
    void SetMarked(int32_t card);

    // The card position of a row, or -1 outside the list.
    int32_t CardAt(int row) const;
    const QString& Header() const { return header_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Shown {
        int32_t Card;
        QString Text;
        TCardColor Color;
    };
    const TCardsList& Cards() const;

    const TCardsList* cards_;
    std::vector<Shown> rows_;
    QString header_;
    bool cardColumns_ = false;
    int32_t marked_ = -1;
};

} // namespace tovel
