#pragma once

#include "core/collection/CardsFrameModel.h"

#include <QWidget>

#include <functional>
#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStyledItemDelegate;
class QTableView;
class QVBoxLayout;

namespace tovel {

class TCardsTableModel;

// The card list panel: a TInventoryList shown as a sortable report list with search as you type,
// the edition filter, statistics and a notes editor. It edits the lines of the list in place and
// reports the selected card. The rules live in TCardsFrameModel; this widget shows them.
class TCardsFrame final : public QWidget {
    Q_OBJECT
public:
    explicit TCardsFrame(QWidget* parent = nullptr);
    ~TCardsFrame() override;

    void SetInventoryList(TInventoryList* list);
    void SetFilter(const TCardFilter& filter) { model_.SetFilter(filter); }
    const TCardFilter& Filter() const { return model_.Filter(); }
    void SetFindCaption(const QString& text);
    // Edition and name only; call before setting the list.
    void UseBaseLayout();
    void SetSortColumn(int column);
    void Rebuild();
    // Narrows the list by a card search of the card database (not owned; null: none) and
    // rebuilds it; `found`, a finished search of the query over the database, gives this
    // rebuild its answers.
    void SetCardQuery(const TCardQuery* query, const TCardSearch* found = nullptr);
    // The base layout's card columns after edition and name (TCardsColumn values).
    void SetCardColumns(const std::vector<int>& columns);
    // The header's context menu chooses the card columns; `changed` hears each new choice.
    void OfferCardColumns(std::function<void(const std::vector<int>&)> changed);

    void AddCopy(const TCardItem& card, bool foil);
    void RemoveCopy(int row, bool foil);
    void LocateCard(const TCardItem* card);

    const TCardItem* CurrentCard() const { return model_.CurrentCard(); }
    int SelectedRow() const { return model_.SelectedRow(); }
    TCardsFrameModel& Model() { return model_; }

    QLineEdit* EditSearch() const { return editSearch_; }
    QTableView* ListView() const { return listView_; }

    // After every selection change.
    std::function<void(TCardsFrame*)> OnCardSelected;
    // A double click on a row (the row is selected first).
    std::function<void(TCardsFrame*)> OnRowDoubleClick;
    // A right-button press on the list while a row is selected.
    std::function<void(TCardsFrame*)> OnRightClick;
    // Enter on a selected row. Unset, Enter on a row of the inventory layout opens its note cell.
    std::function<void(TCardsFrame*)> OnRowActivated;
    // Delete on a selected row.
    std::function<void(TCardsFrame*)> OnDeleteKey;
    // A note changed, in the notes box or in the list's note cell.
    std::function<void(TCardsFrame*)> OnNotesEdited;

signals:
    // The rows were filled anew (a rebuild: filter, search, sort or list changed).
    void Rebuilt();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The constructor's steps, in order.
    void BuildSearchRow(QVBoxLayout* layout);
    void BuildList(QVBoxLayout* layout);
    void BuildPanels(QVBoxLayout* layout);
    void ConnectControls();
    void EditSearchChange(const QString& text);
    void EditNotesChange(const QString& text);
    bool EditNoteCell(int row, const QString& text);
    // Enter and Delete on the list, Enter in the search and notes boxes; true when handled.
    bool ListKey(const QKeyEvent& key);
    void ListViewColumnClick(int section);
    void UpdateSortIndicator();
    void ListViewSelectItem();
    void BitBtn1Click();
    // Brings the view's selection, scroll position, notes and statistics in line with the model
    // after it changed, and reports a changed selection.
    void ShowModelState();
    void UpdateStats();
    void UpdateVisibleRows();

    TCardsFrameModel model_;
    TCardsTableModel* table_;
    QStyledItemDelegate* costDelegate_ = nullptr;
    QLabel* label1_;
    QLineEdit* editSearch_;
    QPushButton* bitBtn1_;
    QTableView* listView_;
    QWidget* panelStats_;
    QLabel* labelTotal_;
    QLabel* labelDifferent_;
    QWidget* panelNotes_;
    QLineEdit* editNotes_;
    bool selectionPending_ = false;
    bool syncing_ = false;
};

} // namespace tovel
