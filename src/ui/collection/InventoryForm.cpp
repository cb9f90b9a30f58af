#include "ui/collection/InventoryForm.h"

#include "core/collection/Inventory.h"
#include "core/collection/InventoryDocument.h"
#include "core/decks/DeckFile.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/collection/CardQueryBar.h"
#include "ui/collection/CardsFrame.h"
#include "ui/collection/CollectionCommon.h"
#include "ui/graphics/Icons.h"
#include "ui/platform/QtText.h"
#include "ui/platform/ScreenCentre.h"
#include "ui/wait/WaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <filesystem>

namespace tovel {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, ToolIcon icon, const QString& tip) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    // Enter acts on the lists, never on these buttons.
    button->setAutoDefault(false);
    button->setIcon(ToolBarIcon(icon));
    button->setToolTip(tip);
    button->setFixedSize(28, 28);
    return button;
}

// "Файл <path>\rсуществует? Перезаписать?": the overwrite question of the save-on-close path.
std::string RewriteQuestionRu(const std::string& path) {
    return ToUtf8(QCoreApplication::translate("InventoryForm", "Файл %1\rсуществует? Перезаписать?")
                      .arg(FromUtf8(path)));
}

// "Replace the collection with the cards of DECK? The current collection has N cards."
std::string ReplaceCollectionQuestion(const std::string& deckFile, const TInventoryList& collection) {
    int64_t cards = 0;
    for (int i = 0; i < collection.Count(); ++i)
        cards += collection.Items(i).Count;
    const QString deck = FromUtf8(std::filesystem::path(deckFile).filename().string());
    return ToUtf8(QCoreApplication::translate(
                      "tovel::TInventoryForm",
                      "Replace the collection with the cards of %1? The current collection has %2 cards.")
                      .arg(deck, QString::number(cards)));
}

} // namespace

TInventoryForm::TInventoryForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("InventoryForm"));
    setWindowTitle(tr("Inventory"));
    CentreOnScreen(this);
    currentFile_ = ProgramPath(kDefaultInventoryFile);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildMenu(layout);
    BuildLists(layout);
    ConnectButtons();
}

void TInventoryForm::BuildMenu(QVBoxLayout* layout) {
    QToolBar* toolBar = nullptr;
    QMenu* menu = AddMenuAndToolBar(this, layout, tr("Inventory"), &toolBar);
    QAction* load = AddCommand(menu, tr("Load from file..."), "ALoadFromFile", -1);
    QAction* save = AddCommand(menu, tr("Save to file..."), "ASaveToFile", -1);
    save->setShortcut(QKeySequence::Save);
    QAction* addFile = AddCommand(menu, tr("Add from file..."), "AAddFromFile", -1);
    menu->addSeparator();
    QAction* importDec = AddCommand(menu, tr("Import from .dec"), "AImportDec", -1);
    aUndoImport_ = AddCommand(menu, tr("Undo import"), "AUndoImport", -1);
    aUndoImport_->setShortcut(QKeySequence::Undo);
    aUndoImport_->setEnabled(false);
    QAction* addDec = AddCommand(menu, tr("Add from .dec"), "AAddDec", -1);
    QAction* exportDec = AddCommand(menu, tr("Export to .dec"), "AExportDec", -1);
    menu->addSeparator();
    QAction* clear = AddCommand(menu, tr("Clear inventory"), "AClearInventory", -1);
    aViewCardInfo_ =
        AddCommand(menu, tr("View Card Info"), "AViewCardInfo", static_cast<int>(ToolIcon::ViewCardInfo));
    aViewCardInfo_->setCheckable(true);
    menu->addSeparator();
    QAction* exit = AddCommand(menu, tr("Exit"), "AExit", static_cast<int>(ToolIcon::Exit));
    AddToolBarAction(toolBar, exit);
    AddToolBarAction(toolBar, aViewCardInfo_);
    // The keys work wherever the focus is in the window.
    addAction(save);
    addAction(aUndoImport_);
    connect(load, &QAction::triggered, this, &TInventoryForm::ALoadFromFile);
    connect(save, &QAction::triggered, this, &TInventoryForm::ASaveToFile);
    connect(addFile, &QAction::triggered, this, &TInventoryForm::AAddFromFile);
    connect(importDec, &QAction::triggered, this, [this] { AImportDec(false); });
    connect(aUndoImport_, &QAction::triggered, this, &TInventoryForm::AUndoImport);
    connect(addDec, &QAction::triggered, this, [this] { AImportDec(true); });
    connect(exportDec, &QAction::triggered, this, &TInventoryForm::AExportDec);
    connect(clear, &QAction::triggered, this, &TInventoryForm::AClearInventory);
    connect(aViewCardInfo_, &QAction::triggered, this, &TInventoryForm::AViewCardInfo);
    connect(exit, &QAction::triggered, this, &QDialog::close);
}

void TInventoryForm::BuildLists(QVBoxLayout* layout) {
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(2);
    cardsFrameBase_ = new TCardsFrame(this);
    cardsFrameBase_->setObjectName(QStringLiteral("CardsFrameBase"));
    queryBar_ = new TCardQueryBar("Inventory", *cardsFrameBase_, this);
    queryBar_->OwnedFrom = [this] {
        return &inventory_;
    };
    auto* baseColumn = new QVBoxLayout;
    baseColumn->setSpacing(0);
    baseColumn->addWidget(queryBar_);
    baseColumn->addWidget(cardsFrameBase_, 1);
    body->addLayout(baseColumn);

    auto* panelButtons = new QWidget(this);
    panelButtons->setObjectName(QStringLiteral("PanelButtons"));
    auto* buttons = new QVBoxLayout(panelButtons);
    buttons->setContentsMargins(2, 2, 2, 2);
    buttonAddCard_ = MakeButton(panelButtons, "ButtonAddCard", ToolIcon::AddCard, tr("Add Card"));
    buttonDeleteCard_ = MakeButton(panelButtons, "ButtonDeleteCard", ToolIcon::DeleteCard, tr("Delete Card"));
    buttonAddFoil_ = MakeButton(panelButtons, "ButtonAddFoil", ToolIcon::AddFoil, tr("Add Foil"));
    buttonDeleteFoil_ = MakeButton(panelButtons, "ButtonDeleteFoil", ToolIcon::DeleteFoil, tr("Delete Foil"));
    buttons->addStretch();
    for (QPushButton* button : {buttonAddCard_, buttonDeleteCard_, buttonAddFoil_, buttonDeleteFoil_})
        buttons->addWidget(button);
    buttons->addStretch();
    body->addWidget(panelButtons);

    cardsFrameInv_ = new TCardsFrame(this);
    cardsFrameInv_->setObjectName(QStringLiteral("CardsFrameInv"));
    body->addWidget(cardsFrameInv_, 1);
    layout->addLayout(body, 1);
    resize(860, 560);
    // Tab follows the layout: the query above the base list comes before the base list's parts.
    auto* filterBase = cardsFrameBase_->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    setTabOrder(queryBar_->Edit(), cardsFrameBase_->EditSearch());
    setTabOrder(cardsFrameBase_->EditSearch(), filterBase);
    setTabOrder(filterBase, cardsFrameBase_->ListView());
}

void TInventoryForm::ConnectButtons() {
    connect(buttonAddCard_, &QPushButton::clicked, this, [this] { AAddCard(false); });
    connect(buttonAddFoil_, &QPushButton::clicked, this, [this] { AAddCard(true); });
    connect(buttonDeleteCard_, &QPushButton::clicked, this, [this] { ADeleteCard(false); });
    connect(buttonDeleteFoil_, &QPushButton::clicked, this, [this] { ADeleteCard(true); });
}

TInventoryForm::~TInventoryForm() {
    if (!closed_)
        DestroyCardInfo();
    // The views go while the lists they show are still here.
    delete queryBar_;
    delete cardsFrameInv_;
    delete cardsFrameBase_;
}

QAction* TInventoryForm::Action(const char* objectName) const {
    return findChild<QAction*>(QLatin1String(objectName));
}

void TInventoryForm::Setup() {
    WaitCursor cursor;
    for (TCardsFrame* frame : {cardsFrameBase_, cardsFrameInv_}) {
        FollowWithCardInfo(*frame);
        auto follow = frame->OnCardSelected;
        TCardsFrame* other = frame == cardsFrameBase_ ? cardsFrameInv_ : cardsFrameBase_;
        frame->OnCardSelected = [this, follow, other](TCardsFrame* source) {
            follow(source);
            Mirror(source, other);
        };
        auto show = frame->OnRightClick;
        frame->OnRightClick = [this, show](TCardsFrame* source) {
            show(source);
            WatchCardInfo();
        };
    }
    cardsFrameBase_->OnRowDoubleClick = [this](TCardsFrame*) {
        AAddCard(false);
    };
    cardsFrameBase_->OnRowActivated = cardsFrameBase_->OnRowDoubleClick;
    cardsFrameInv_->OnDeleteKey = [this](TCardsFrame*) {
        ADeleteCard(false);
    };
    cardsFrameInv_->OnNotesEdited = [this](TCardsFrame*) {
        SetModified();
    };
    cardsFrameBase_->UseBaseLayout();
    cardsFrameBase_->SetFindCaption(tr("Find in base"));
    cardsFrameInv_->SetFindCaption(tr("Find in inventory"));

    LoadCollectionData();
    LoadInventory(inventory_, CardDatabase(), currentFile_, false);
    cardsFrameInv_->SetSortColumn(kColumnName);
    cardsFrameInv_->SetInventoryList(&inventory_);
    ShowBaseList(*cardsFrameBase_, baseList_);
    queryBar_->Restore();
    cardsFrameBase_->EditSearch()->setFocus();
}

void TInventoryForm::Mirror(TCardsFrame* source, TCardsFrame* target) {
    if (syncing_)
        return;
    syncing_ = true;
    if (source->CurrentCard())
        target->LocateCard(source->CurrentCard());
    syncing_ = false;
}

void TInventoryForm::SetModified() {
    modified_ = true;
    DropUndo();
    queryBar_->InventoryChanged();
}

void TInventoryForm::DropUndo() {
    beforeImport_.reset();
    aUndoImport_->setEnabled(false);
}

void TInventoryForm::AAddCard(bool foil) {
    const TCardItem* card = cardsFrameBase_->CurrentCard();
    if (!card)
        return;
    cardsFrameInv_->AddCopy(*card, foil);
    SetModified();
}

void TInventoryForm::ADeleteCard(bool foil) {
    if (!cardsFrameInv_->CurrentCard())
        return;
    cardsFrameInv_->RemoveCopy(cardsFrameInv_->SelectedRow(), foil);
    SetModified();
}

void TInventoryForm::ReadIntoInventory(bool add, const std::function<void(TInventoryList&)>& read) {
    // The frame shows the inventory's lines while the reader runs (and while it shows its
    // messages): it reads into a list of its own, which replaces the inventory only once the
    // reader is done. A reader that fails leaves the inventory as it was.
    ReadInventoryReplacing(inventory_, add, read);
    cardsFrameInv_->Rebuild();
    queryBar_->InventoryChanged();
}

void TInventoryForm::ALoadFromFile() {
    const std::string file =
        AskOpenFileName(ProgramPath(kInventoryFolder), kInventoryExtension, kInventoryFilter);
    if (file.empty())
        return;
    ReadIntoInventory(false, [&](TInventoryList& list) { LoadInventory(list, CardDatabase(), file, false); });
    currentFile_ = file;
    DropUndo();
}

void TInventoryForm::ASaveToFile() {
    const std::string file = AskSaveTarget(ProgramPath(kInventoryFolder), kInventoryExtension,
                                           kInventoryFilter, RewriteExportQuestion);
    if (file.empty())
        return;
    SaveInventory(inventory_, file);
    DropUndo();
}

void TInventoryForm::AAddFromFile() {
    const std::string file =
        AskOpenFileName(ProgramPath(kInventoryFolder), kInventoryExtension, kInventoryFilter);
    if (file.empty())
        return;
    ReadIntoInventory(true, [&](TInventoryList& list) { LoadInventory(list, CardDatabase(), file, true); });
    SetModified();
}

void TInventoryForm::AImportDec(bool add) {
    const std::string file = AskOpenFileName(ProgramPath(kDeckFolder), kDeckExtension, kDeckFilter);
    if (file.empty())
        return;
    // Importing replaces the collection: a collection with cards is asked about first and kept
    // for "Undo import".
    std::unique_ptr<TInventoryList> before;
    if (!add && inventory_.Count() > 0) {
        if (Prompts().Confirm(ReplaceCollectionQuestion(file, inventory_), ConfirmButtons::YesCancel) !=
            Answer::Yes)
            return;
        before = std::make_unique<TInventoryList>();
        AppendInventoryCopy(inventory_, *before);
    }
    const bool wasModified = modified_;
    ReadIntoInventory(add,
                      [&](TInventoryList& list) { ReadDeckIntoInventory(list, CardDatabase(), file, add); });
    SetModified();
    if (before) {
        beforeImport_ = std::move(before);
        modifiedBeforeImport_ = wasModified;
        aUndoImport_->setEnabled(true);
    }
}

void TInventoryForm::AUndoImport() {
    if (!beforeImport_)
        return;
    inventory_.Swap(*beforeImport_);
    modified_ = modifiedBeforeImport_;
    DropUndo();
    cardsFrameInv_->Rebuild();
    queryBar_->InventoryChanged();
}

void TInventoryForm::AExportDec() {
    const std::string file =
        AskSaveTarget(ProgramPath(kDeckFolder), kDeckExtension, kDeckFilter, RewriteExportQuestion);
    if (file.empty())
        return;
    WriteInventoryDeck(inventory_, file);
}

void TInventoryForm::AClearInventory() {
    if (modified_ && !AskSaveChanges())
        return;
    if (Prompts().Confirm(ToUtf8(tr("Clear inventory? Are you sure?")), ConfirmButtons::YesCancel) !=
        Answer::Yes)
        return;
    inventory_.Clear();
    cardsFrameInv_->Rebuild();
    SetModified();
}

bool TInventoryForm::AskSaveChanges() {
    return SaveInventoryChanges(inventory_, currentFile_, ProgramPath(kDefaultInventoryFile),
                                ToUtf8(tr("Inventory modified! Save changes?")), RewriteQuestionRu);
}

void TInventoryForm::AViewCardInfo(bool checked) {
    if (!checked) {
        HideCardInfo();
        return;
    }
    // The card of the focused list when it has one, else the base list's; nothing when no row
    // is selected at all.
    TCardsFrame* source = cardsFrameBase_;
    if (cardsFrameInv_->ListView()->hasFocus() && cardsFrameInv_->SelectedRow() >= 0)
        source = cardsFrameInv_;
    if (source->SelectedRow() >= 0)
        ShowCardInfo(source->CurrentCard());
    else
        ShowNoCardInfo();
    WatchCardInfo();
}

void TInventoryForm::WatchCardInfo() {
    TViewCardForm* window = ViewCardForm();
    if (!window)
        return;
    window->removeEventFilter(this);
    window->installEventFilter(this);
    aViewCardInfo_->setChecked(window->isVisible());
}

bool TInventoryForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ViewCardForm() && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        aViewCardInfo_->setChecked(event->type() == QEvent::Show);
    return QDialog::eventFilter(watched, event);
}

void TInventoryForm::done(int result) {
    if (modified_ && !AskSaveChanges())
        return;
    StoreEditionsFilter(*cardsFrameBase_);
    if (ViewCardForm())
        ViewCardForm()->removeEventFilter(this);
    DestroyCardInfo();
    closed_ = true;
    QDialog::done(result);
}

void OpenInventory() {
    TInventoryForm form(QApplication::activeWindow());
    form.Setup();
    form.exec();
}

} // namespace tovel
