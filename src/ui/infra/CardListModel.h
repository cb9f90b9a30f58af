#pragma once

// A one-column list of cards of the card database, as the designer and the draft window show
// them: the card's caption (plus an optional suffix such as a land count), drawn in the card's
// colour, under a header that names the list's sort order.

#include "core/carddb/CardsDB.h"

#include <QAbstractListModel>
#include <QColor>
#include <QPalette>
#include <QString>

#include <cstdint>
#include <vector>

namespace tovel {

// The text colour of a card row, by the card's colour; invalid (the view's own) for the rest.
// White cards take the tooltip background colour of `palette`.
QColor CardRowColor(TCardColor color, const QPalette& palette);

class TCardListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    // The card's position in the card database, as an int.
    static constexpr int CardRole = Qt::UserRole + 1;

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
    void SetHeader(const QString& header);

    // The card position of a row, or -1 outside the list.
    int32_t CardAt(int row) const;
    const QString& Header() const { return header_; }

    int rowCount(const QModelIndex& parent = {}) const override;
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
};

} // namespace tovel
