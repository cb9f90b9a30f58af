#include "ui/collection/CollectionCommon.h"

#include "core/carddb/CardDatabase.h"
#include "core/carddb/Editions.h"
#include "core/collection/Inventory.h"
#include "core/infra/ProgramDir.h"
#include "core/settings/Settings.h"
#include "ui/collection/CardsFrame.h"
#include "ui/infra/Icons.h"
#include "ui/infra/LmCoolBar.h"
#include "ui/infra/ViewCardForm.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace tovel {

QMenu* AddMenuAndToolBar(QWidget* window, QVBoxLayout* layout, const QString& menuCaption,
                         QToolBar** toolBar) {
    auto* menuBar = new QMenuBar(window);
    menuBar->setObjectName(QStringLiteral("MenuBar"));
    QMenu* menu = menuBar->addMenu(menuCaption);
    *toolBar = new QToolBar(window);
    (*toolBar)->setObjectName(QStringLiteral("ToolBar"));
    (*toolBar)->setIconSize(QSize(16, 16));
    (*toolBar)->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The menu bar and the tool bar are bands of the program's cool bar.
    auto* coolBar = new TLmCoolBar(window);
    coolBar->setObjectName(QStringLiteral("CoolBar"));
    coolBar->AddBand(menuBar);
    coolBar->AddBand(*toolBar);
    layout->addWidget(coolBar);
    return menu;
}

QAction* AddCommand(QMenu* menu, const QString& caption, const char* objectName, int icon) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(objectName));
    if (icon >= 0)
        action->setIcon(ToolBarIcon(icon));
    return action;
}

void LoadCollectionData() {
    LoadEditionList(EditionList(), ProgramPath("Data/editions.txt"));
    LoadFormatList(FormatList(), ProgramPath("Data/formats.txt"));
    LoadCardDatabase(CardDatabase(), ProgramPath("Data/base.txt"), "");
}

void ShowBaseList(TCardsFrame& frame) {
    TCardFilter filter;
    filter.Editions = Settings().EditionsFilter();
    filter.LegalIn = false;
    frame.SetFilter(filter);
    FillBaseList(BaseList(), CardDatabase());
    frame.SetInventoryList(&BaseList());
}

void StoreEditionsFilter(const TCardsFrame& frame) {
    Settings().SetEditionsFilter(frame.Filter().Editions);
}

void FollowWithCardInfo(TCardsFrame& frame) {
    frame.OnCardSelected = [](TCardsFrame* source) {
        if (ViewCardForm() && ViewCardForm()->isVisible())
            ShowCardInfo(source->CurrentCard());
    };
    frame.OnRightClick = [](TCardsFrame* source) {
        ShowCardInfo(source->CurrentCard());
    };
}

} // namespace tovel
