#include "ui/decks/DeckBrowserPanel.h"

#include "core/carddb/CardsDB.h"
#include "core/carddb/Editions.h"
#include "core/collection/CardsFrameModel.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/settings/Settings.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/collection/CardQueryBar.h"
#include "ui/collection/CardsFrame.h"
#include "ui/collection/CollectionCommon.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tovel {

namespace {

bool SideboardModifier() {
    return QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
}

} // namespace

TDeckBrowserPanel::TDeckBrowserPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DeckBrowserPanel"));
    frame_ = new TCardsFrame(this);
    frame_->setObjectName(QStringLiteral("CardsFrameBrowser"));
    frame_->UseBaseLayout();
    // The panel's splitter decides the width, not the frame's own fixed one.
    frame_->setMinimumWidth(0);
    frame_->setMaximumWidth(QWIDGETSIZE_MAX);
    frame_->SetFindCaption(tr("Find"));
    frame_->SetCardColumns({kColumnCost});
    // An edition code is a few letters: the name gets the room, the cost the rest.
    QHeaderView* header = frame_->ListView()->horizontalHeader();
    header->resizeSection(kColumnEdition,
                          header->fontMetrics().horizontalAdvance(
                              header->model()->headerData(kColumnEdition, Qt::Horizontal).toString()) +
                              24);
    header->resizeSection(kColumnName, 140);
    queryBar_ = new TCardQueryBar("MakeDeck", *frame_, this);
    queryBar_->UseDefaultInventory();
    add_ = new QPushButton(tr("Add"), this);
    add_->setObjectName(QStringLiteral("ButtonAddCard"));
    add_->setToolTip(tr("One copy of the selected card to the deck (Shift: to the sideboard)"));
    add_->setAutoDefault(false);
    connect(add_, &QPushButton::clicked, this, [this] { AddSelected(SideboardModifier()); });
    frame_->OnRowDoubleClick = [this](TCardsFrame*) {
        AddSelected(SideboardModifier());
    };
    frame_->OnRowActivated = frame_->OnRowDoubleClick; // Enter
    FollowWithCardInfo(*frame_);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(add_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(queryBar_);
    layout->addWidget(frame_, 1);
    layout->addLayout(buttons);
}

TDeckBrowserPanel::~TDeckBrowserPanel() {
    // The frame shows lines of this panel's list; it goes first.
    delete frame_;
}

void TDeckBrowserPanel::Fill(bool reload) {
    if (filled_ && !reload)
        return;
    filled_ = true;
    // The query's "f:" needs the formats; the designer itself never loads them.
    if (FormatList().Lines.empty())
        LoadFormatListIfPresent(FormatList(), ProgramPath(kFormatsFile));
    TCardFilter filter;
    filter.Editions = SettingsOpen() ? Settings().EditionsFilter() : std::string();
    filter.LegalIn = false;
    frame_->SetFilter(filter);
    FillBaseList(list_, CardDatabase());
    frame_->SetInventoryList(&list_);
    queryBar_->Restore();
}

void TDeckBrowserPanel::AddSelected(bool sideboard) {
    const TCardItem* card = frame_->CurrentCard();
    if (!card || !OnAdd)
        return;
    OnAdd(CardDatabase().PositionOf(*card), sideboard);
}

} // namespace tovel
