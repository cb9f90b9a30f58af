#include "ui/collection/ViewBaseForm.h"

#include "core/settings/Settings.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/collection/CardQueryBar.h"
#include "ui/collection/CardsFrame.h"
#include "ui/collection/CollectionCommon.h"
#include "ui/graphics/Icons.h"
#include "ui/platform/ScreenCentre.h"
#include "ui/wait/WaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

namespace tovel {

TViewBaseForm::TViewBaseForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ViewBaseForm"));
    setWindowTitle(tr("View base"));
    CentreOnScreen(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QToolBar* toolBar = nullptr;
    QMenu* menu = AddMenuAndToolBar(this, layout, tr("Base"), &toolBar);
    aViewCardInfo_ =
        AddCommand(menu, tr("View Card Info"), "AViewCardInfo", static_cast<int>(ToolIcon::ViewCardInfo));
    aViewCardInfo_->setCheckable(true);
    aExit_ = AddCommand(menu, tr("Exit"), "AExit", static_cast<int>(ToolIcon::Exit));
    AddToolBarAction(toolBar, aExit_);
    AddToolBarAction(toolBar, aViewCardInfo_);

    cardsFrameBase_ = new TCardsFrame(this);
    cardsFrameBase_->setObjectName(QStringLiteral("CardsFrameBase"));
    queryBar_ = new TCardQueryBar("ViewBase", *cardsFrameBase_, this);
    queryBar_->UseDefaultInventory();
    layout->addWidget(queryBar_);
    layout->addWidget(cardsFrameBase_, 1);
    resize(420, 560);

    connect(aViewCardInfo_, &QAction::triggered, this, &TViewBaseForm::AViewCardInfoExecute);
    connect(aExit_, &QAction::triggered, this, &QDialog::close);
}

TViewBaseForm::~TViewBaseForm() {
    if (!closed_)
        DestroyCardInfo();
    // The views go while the list they show is still here.
    delete queryBar_;
    delete cardsFrameBase_;
}

void TViewBaseForm::Setup() {
    WaitCursor cursor;
    FollowWithCardInfo(*cardsFrameBase_);
    // Enter on a row shows its card, as the right button does.
    cardsFrameBase_->OnRowActivated = cardsFrameBase_->OnRightClick;
    cardsFrameBase_->UseBaseLayout();
    // Alone in its window, the list takes the window's whole width.
    cardsFrameBase_->setMinimumWidth(0);
    cardsFrameBase_->setMaximumWidth(QWIDGETSIZE_MAX);
    cardsFrameBase_->SetFindCaption(tr("Find in base"));
    LoadCollectionData();
    cardsFrameBase_->SetCardColumns(SettingsOpen() ? Settings().BaseCardColumns() : std::vector<int>());
    cardsFrameBase_->OfferCardColumns([](const std::vector<int>& columns) {
        if (SettingsOpen())
            Settings().SetBaseCardColumns(columns);
    });
    ShowBaseList(*cardsFrameBase_, baseList_);
    queryBar_->Restore();
    cardsFrameBase_->EditSearch()->setFocus();
}

void TViewBaseForm::AViewCardInfoExecute(bool checked) {
    if (!checked)
        HideCardInfo();
    else if (cardsFrameBase_->SelectedRow() >= 0)
        ShowCardInfo(cardsFrameBase_->CurrentCard());
    else
        ShowNoCardInfo();
}

void TViewBaseForm::done(int result) {
    StoreEditionsFilter(*cardsFrameBase_);
    DestroyCardInfo();
    closed_ = true;
    QDialog::done(result);
}

void OpenBaseViewer() {
    TViewBaseForm form(QApplication::activeWindow());
    form.Setup();
    form.exec();
}

} // namespace tovel
