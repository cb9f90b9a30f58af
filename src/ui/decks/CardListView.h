#pragma once

// The report-style card list of the designer and the draft window: one column (or the five card
// columns) under a clickable header, whole-row selection that stays visible, read-only, uniform
// rows.

#include "ui/cardviews/CardListModel.h"

#include <QTreeView>

namespace tovel {

// Draws the frame that outlines a row of a list (such as the card the computer drafters would
// take) across the viewport's width.
void DrawRowOutline(QPainter& painter, const QRect& row, int viewportWidth);

class TCardListView final : public QTreeView {
    Q_OBJECT
public:
    explicit TCardListView(QWidget* parent = nullptr);

    TCardListModel* Model() const { return model_; }
    // The selected row, or -1.
    int SelectedRow() const;
    // The card of the selected row, or -1.
    int32_t SelectedCard() const;
    // Selects a row (and makes it current); -1 clears the selection.
    void SelectRow(int row);
    // The five card columns: the cost drawn with the program's symbols, the name taking the room.
    void ShowCardColumns();
    // Outlines a row; -1: none.
    void SetOutlinedRow(int row);
    int OutlinedRow() const { return outlinedRow_; }

signals:
    // The header was clicked (the list's next sort order).
    void HeaderClicked();
    // The right mouse button went down on the list.
    void RightButtonDown();
    // A row became the selected one.
    void RowSelected(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

private:
    TCardListModel* model_;
    int outlinedRow_ = -1;
};

} // namespace tovel
