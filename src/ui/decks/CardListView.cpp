#include "ui/decks/CardListView.h"

#include "ui/cardviews/CostDelegate.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

namespace tovel {

void DrawRowOutline(QPainter& painter, const QRect& row, int viewportWidth) {
    painter.save();
    painter.setPen(QPen(QColor(46, 125, 50), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, row.top(), viewportWidth, row.height()).adjusted(1, 1, -1, -1));
    painter.restore();
}

TCardListView::TCardListView(QWidget* parent) : QTreeView(parent), model_(new TCardListModel(this)) {
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setHighlightSections(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this] { emit HeaderClicked(); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    emit RowSelected(current.row());
            });
}

int TCardListView::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int32_t TCardListView::SelectedCard() const {
    return model_->CardAt(SelectedRow());
}

void TCardListView::SelectRow(int row) {
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void TCardListView::ShowCardColumns() {
    model_->SetCardColumns(true);
    setItemDelegateForColumn(TCardListModel::kColumnCost,
                             new TCostDelegate(TCardListModel::CardItemRole, this));
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(24);
    header()->setSectionResizeMode(TCardListModel::kColumnName, QHeaderView::Stretch);
    const QFontMetrics metrics(font());
    setColumnWidth(TCardListModel::kColumnCost, metrics.height() * 4);
    setColumnWidth(TCardListModel::kColumnType,
                   metrics.horizontalAdvance(QStringLiteral("Artifact Creature")));
    setColumnWidth(TCardListModel::kColumnValue,
                   metrics.horizontalAdvance(
                       model_->headerData(TCardListModel::kColumnValue, Qt::Horizontal).toString()) +
                       12);
    setColumnWidth(TCardListModel::kColumnRarity,
                   metrics.horizontalAdvance(
                       model_->headerData(TCardListModel::kColumnRarity, Qt::Horizontal).toString()) +
                       12);
}

void TCardListView::SetOutlinedRow(int row) {
    if (row == outlinedRow_)
        return;
    outlinedRow_ = row;
    viewport()->update();
}

void TCardListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QTreeView::drawRow(painter, option, index);
    if (index.row() == outlinedRow_ && !index.parent().isValid())
        DrawRowOutline(*painter, option.rect, viewport()->width());
}

void TCardListView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    if (event->button() == Qt::RightButton)
        emit RightButtonDown();
}

} // namespace tovel
