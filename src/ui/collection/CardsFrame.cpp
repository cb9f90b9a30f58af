#include "ui/collection/CardsFrame.h"

#include "ui/carddb/FilterForm.h"
#include "ui/cardviews/CostDelegate.h"
#include "ui/collection/CardsTableModel.h"
#include "ui/platform/QtText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace tovel {

namespace {

constexpr int kNameColumnWidth = 200;
constexpr int kBaseLayoutWidth = 265;

// Refuses the characters a note cannot hold (the file's separator, line breaks).
class NotesValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (QChar c : input)
            if (c.unicode() < 256 && !TCardsFrameModel::IsNotesCharAllowed(static_cast<char>(c.unicode())))
                return Invalid;
        return Acceptable;
    }
};

// The note cell's editor refuses what the notes box refuses.
class NotesDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setValidator(new NotesValidator(line));
        return editor;
    }
};

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

TCardsFrame::TCardsFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CardsFrame"));
    table_ = new TCardsTableModel(model_, this);
    model_.OnCardSelected = [this] {
        selectionPending_ = true;
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);
    BuildSearchRow(layout);
    BuildList(layout);
    BuildPanels(layout);
    ConnectControls();
    ShowModelState();
}

void TCardsFrame::BuildSearchRow(QVBoxLayout* layout) {
    auto* top = new QHBoxLayout;
    label1_ = new QLabel(tr("Find Card"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    editSearch_ = new QLineEdit(this);
    editSearch_->setObjectName(QStringLiteral("EditSearch"));
    bitBtn1_ = new QPushButton(tr("Filter cards"), this);
    bitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
    // Enter belongs to the list and the boxes, never to this button; the filter has its own key.
    bitBtn1_->setAutoDefault(false);
    bitBtn1_->setToolTip(tr("Filter cards (Ctrl+F)"));
    auto* filterKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    filterKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(filterKey, &QShortcut::activated, this, &TCardsFrame::BitBtn1Click);
    auto* search = new QVBoxLayout;
    search->setSpacing(1);
    search->addWidget(label1_);
    search->addWidget(editSearch_);
    top->addLayout(search, 1);
    top->addWidget(bitBtn1_, 0, Qt::AlignBottom);
    layout->addLayout(top);
}

void TCardsFrame::BuildList(QVBoxLayout* layout) {
    listView_ = new QTableView(this);
    listView_->setObjectName(QStringLiteral("ListView"));
    listView_->setModel(table_);
    listView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Only the note cell is editable: a double click on it, F2 or Enter opens it.
    listView_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    listView_->setItemDelegateForColumn(kColumnNotes, new NotesDelegate(listView_));
    table_->OnEditNotes = [this](int row, const QString& text) {
        return EditNoteCell(row, text);
    };
    listView_->setShowGrid(true);
    listView_->setWordWrap(false);
    // Whole rows are selected: Tab leaves the list rather than walking its cells.
    listView_->setTabKeyNavigation(false);
    listView_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    listView_->verticalHeader()->hide();
    // Uniform row heights: the view never measures rows, whatever their number.
    listView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    listView_->verticalHeader()->setDefaultSectionSize(listView_->fontMetrics().height() + 4);
    listView_->horizontalHeader()->setHighlightSections(false);
    listView_->horizontalHeader()->setSectionsClickable(true);
    listView_->horizontalHeader()->setStretchLastSection(true);
    listView_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    listView_->horizontalHeader()->setSortIndicatorShown(true);
    costDelegate_ = new TCostDelegate(TCardsTableModel::kCardRole, listView_);
    listView_->horizontalHeader()->resizeSection(kColumnName, kNameColumnWidth);
    // The selection stays visible when the list loses the focus.
    QPalette palette = listView_->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    listView_->setPalette(palette);
    listView_->viewport()->installEventFilter(this);
    listView_->installEventFilter(this);
    layout->addWidget(listView_, 1);
}

void TCardsFrame::BuildPanels(QVBoxLayout* layout) {
    panelStats_ = new QWidget(this);
    panelStats_->setObjectName(QStringLiteral("PanelStats"));
    auto* stats = new QHBoxLayout(panelStats_);
    stats->setContentsMargins(2, 0, 2, 0);
    labelTotal_ = new QLabel(panelStats_);
    labelTotal_->setObjectName(QStringLiteral("LabelTotal"));
    labelDifferent_ = new QLabel(panelStats_);
    labelDifferent_->setObjectName(QStringLiteral("LabelDifferent"));
    stats->addWidget(labelTotal_);
    stats->addWidget(labelDifferent_);
    stats->addStretch();
    layout->addWidget(panelStats_);

    panelNotes_ = new QWidget(this);
    panelNotes_->setObjectName(QStringLiteral("PanelNotes"));
    auto* notes = new QHBoxLayout(panelNotes_);
    notes->setContentsMargins(2, 0, 2, 0);
    notes->addWidget(new QLabel(tr("Edit notes:"), panelNotes_));
    editNotes_ = new QLineEdit(panelNotes_);
    editNotes_->setObjectName(QStringLiteral("EditNotes"));
    editNotes_->setValidator(new NotesValidator(editNotes_));
    notes->addWidget(editNotes_, 1);
    layout->addWidget(panelNotes_);
}

void TCardsFrame::ConnectControls() {
    editSearch_->installEventFilter(this);
    editNotes_->installEventFilter(this);
    connect(editSearch_, &QLineEdit::textChanged, this, &TCardsFrame::EditSearchChange);
    connect(editNotes_, &QLineEdit::textEdited, this, &TCardsFrame::EditNotesChange);
    connect(bitBtn1_, &QPushButton::clicked, this, &TCardsFrame::BitBtn1Click);
    connect(listView_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TCardsFrame::ListViewColumnClick);
    connect(listView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TCardsFrame::ListViewSelectItem);
    connect(listView_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { model_.SetTopRow(value); });
    connect(listView_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && OnRowDoubleClick)
            OnRowDoubleClick(this);
    });
}

TCardsFrame::~TCardsFrame() {
    model_.OnCardSelected = nullptr;
}

void TCardsFrame::SetInventoryList(TInventoryList* list) {
    if (list == model_.InventoryList())
        return;
    table_->Change([&] { model_.SetInventoryList(list); });
    ShowModelState();
}

void TCardsFrame::SetFindCaption(const QString& text) {
    label1_->setText(text);
}

void TCardsFrame::UseBaseLayout() {
    if (!model_.InventoryLayout())
        return;
    table_->Change([&] { model_.UseBaseLayout(); });
    // The Name column, now the last one, only fills what the Edition column leaves.
    listView_->horizontalHeader()->resizeSection(kColumnName,
                                                 listView_->horizontalHeader()->defaultSectionSize());
    setFixedWidth(kBaseLayoutWidth);
    panelNotes_->hide();
    labelTotal_->hide();
}

void TCardsFrame::SetSortColumn(int column) {
    if (column == model_.SortColumn())
        return;
    table_->Change([&] { model_.SetSortColumn(column); });
    ShowModelState();
}

void TCardsFrame::Rebuild() {
    table_->Change([&] { model_.Rebuild(); });
    ShowModelState();
    emit Rebuilt();
}

void TCardsFrame::SetCardQuery(const TCardQuery* query, const TCardSearch* found) {
    model_.SetQuery(query, &CardDatabase());
    // The answers serve this rebuild only: a later one matches again, and sees the cards as
    // they are then.
    struct Forget {
        TCardsFrameModel& model;
        ~Forget() { model.SetFound(nullptr); }
    } forget{model_};
    model_.SetFound(found);
    Rebuild();
}

void TCardsFrame::AddCopy(const TCardItem& card, bool foil) {
    const int before = model_.RowCount();
    const int row = model_.AddCopy(card, foil);
    // A new row may land anywhere in the sorted order: the view is reset only when one did.
    if (model_.RowCount() != before)
        table_->Change([] {});
    else
        table_->RowChanged(row);
    ShowModelState();
}

void TCardsFrame::RemoveCopy(int row, bool foil) {
    const int before = model_.RowCount();
    model_.RemoveCopy(row, foil);
    if (model_.RowCount() != before)
        table_->Change([] {});
    else
        table_->RowChanged(row);
    ShowModelState();
}

void TCardsFrame::LocateCard(const TCardItem* card) {
    if (model_.LocateCard(card) >= 0)
        ShowModelState();
}

void TCardsFrame::EditSearchChange(const QString& text) {
    if (model_.RowCount() == 0)
        return;
    if (model_.Search(ToCp1252(text)) >= 0)
        ShowModelState();
}

void TCardsFrame::EditNotesChange(const QString& text) {
    const int row = model_.SelectedRow();
    if (row < 0 || row >= model_.RowCount())
        return;
    if (model_.SetNotes(ToCp1252(text))) {
        table_->RowChanged(row);
        if (OnNotesEdited)
            OnNotesEdited(this);
    } else {
        editNotes_->setText(FromCp1252(model_.RowLine(row).Notes));
    }
}

bool TCardsFrame::EditNoteCell(int row, const QString& text) {
    const std::string notes = ToCp1252(text);
    if (row < 0 || row >= model_.RowCount())
        return false;
    if (model_.RowLine(row).Notes == notes)
        return true;
    if (!model_.SetNotes(row, notes))
        return false;
    table_->RowChanged(row);
    if (row == model_.SelectedRow() && panelNotes_->isVisibleTo(this))
        editNotes_->setText(text);
    if (OnNotesEdited)
        OnNotesEdited(this);
    return true;
}

bool TCardsFrame::ListKey(const QKeyEvent& key) {
    const bool plain = (key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == 0;
    if (!plain)
        return false;
    if (IsEnter(key)) {
        // An Enter that comes up from the open note cell has committed it; it goes no further.
        if (!listView_->hasFocus())
            return true;
        const int row = model_.SelectedRow();
        if (row < 0)
            return true;
        if (OnRowActivated) {
            OnRowActivated(this);
        } else if (model_.InventoryLayout()) {
            for (int section = 0; section < model_.ColumnCount(); ++section)
                if (model_.ColumnAt(section) == kColumnNotes)
                    listView_->edit(table_->index(row, section));
        }
        return true;
    }
    if (key.key() == Qt::Key_Delete && model_.SelectedRow() >= 0 && OnDeleteKey) {
        OnDeleteKey(this);
        return true;
    }
    return false;
}

void TCardsFrame::ListViewColumnClick(int section) {
    if (section < 0 || section >= model_.ColumnCount())
        return;
    table_->Change([&] { model_.ClickColumn(model_.ColumnAt(section)); });
    ShowModelState();
    emit Rebuilt();
}

void TCardsFrame::SetCardColumns(const std::vector<int>& columns) {
    table_->Change([&] { model_.SetCardColumns(columns); });
    for (int section = 0; section < model_.ColumnCount(); ++section)
        listView_->setItemDelegateForColumn(section, model_.ColumnAt(section) == kColumnCost ? costDelegate_
                                                                                             : nullptr);
    UpdateStats();
    ShowModelState();
}

void TCardsFrame::OfferCardColumns(std::function<void(const std::vector<int>&)> changed) {
    QHeaderView* header = listView_->horizontalHeader();
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this,
            [this, header, changed](const QPoint& at) {
                QMenu menu(this);
                for (int column = kFirstCardColumn; column < kColumnKinds; ++column) {
                    QAction* action = menu.addAction(QLatin1String(TCardsFrameModel::ColumnCaption(column)));
                    action->setCheckable(true);
                    action->setChecked(model_.Shows(column));
                    action->setData(column);
                }
                const QAction* chosen = menu.exec(header->mapToGlobal(at));
                if (!chosen)
                    return;
                const std::vector<int> columns =
                    model_.CardColumnsToggled(chosen->data().toInt(), chosen->isChecked());
                SetCardColumns(columns);
                if (changed)
                    changed(columns);
            });
}

void TCardsFrame::UpdateSortIndicator() {
    QHeaderView* header = listView_->horizontalHeader();
    for (int section = 0; section < model_.ColumnCount(); ++section)
        if (model_.ColumnAt(section) == model_.SortColumn())
            header->setSortIndicator(section,
                                     model_.SortDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TCardsFrame::ListViewSelectItem() {
    if (syncing_)
        return;
    const QModelIndex current = listView_->currentIndex();
    if (!current.isValid())
        return;
    model_.Select(current.row());
    ShowModelState();
}

void TCardsFrame::BitBtn1Click() {
    TCardFilter filter = model_.Filter();
    if (!EditCardFilter(filter))
        return;
    model_.SetFilter(filter);
    Rebuild();
}

void TCardsFrame::ShowModelState() {
    UpdateSortIndicator();
    syncing_ = true;
    const int row = model_.SelectedRow();
    // Selecting scrolls the view just enough to show the row, and the scroll bar reports that
    // back into the model: the model's own top row is taken first.
    const int top = model_.TopRow();
    QItemSelectionModel* selection = listView_->selectionModel();
    if (row >= 0 && row < model_.RowCount()) {
        // After a reset the view lays itself out lazily; its scroll range must be current
        // before the model's top row is applied.
        listView_->doItemsLayout();
        const QModelIndex index = table_->index(row, 0);
        if (listView_->currentIndex().row() != row || !selection->isRowSelected(row, {}))
            selection->setCurrentIndex(index,
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (listView_->verticalScrollBar()->value() != top)
            listView_->verticalScrollBar()->setValue(top);
        listView_->scrollTo(index, QAbstractItemView::EnsureVisible);
    } else {
        selection->clearSelection();
    }
    syncing_ = false;
    model_.SetTopRow(listView_->verticalScrollBar()->value());

    // The notes box and the statistics follow every change, a cleared list included.
    if (panelNotes_->isVisibleTo(this)) {
        const QString notes =
            row >= 0 && row < model_.RowCount() ? FromCp1252(model_.RowLine(row).Notes) : QString();
        if (editNotes_->text() != notes)
            editNotes_->setText(notes);
    }
    UpdateStats();

    if (!selectionPending_)
        return;
    selectionPending_ = false;
    if (OnCardSelected)
        OnCardSelected(this);
}

void TCardsFrame::UpdateStats() {
    labelTotal_->setText(FromUtf8(model_.TotalCaption()));
    labelDifferent_->setText(FromUtf8(model_.DifferentCaption()));
}

void TCardsFrame::UpdateVisibleRows() {
    const int rowHeight = std::max(1, listView_->verticalHeader()->defaultSectionSize());
    model_.SetVisibleRows(std::max(1, listView_->viewport()->height() / rowHeight));
}

void TCardsFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateVisibleRows();
}

bool TCardsFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        bool handled = false;
        if (watched == listView_) {
            handled = ListKey(key);
        } else if ((watched == editSearch_ || watched == editNotes_) && IsEnter(key)) {
            // The typing is done (a note is written as it is typed): back to the list.
            listView_->setFocus();
            handled = true;
        }
        if (handled) {
            event->accept();
            return true;
        }
    }
    if (watched == listView_->viewport()) {
        if (event->type() == QEvent::Resize) {
            UpdateVisibleRows();
        } else if (event->type() == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            if (model_.SelectedRow() >= 0 && OnRightClick)
                OnRightClick(this);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tovel
