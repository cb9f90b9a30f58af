#include "ui/collection/CollectionCommon.h"

#include "core/carddb/CardDatabase.h"
#include "core/carddb/Editions.h"
#include "core/collection/Inventory.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/settings/Settings.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/collection/CardsFrame.h"
#include "ui/graphics/Icons.h"
#include "ui/style/LmActnCtrls.h"
#include "ui/style/LmCoolBar.h"

#include <QLayout>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

namespace tovel {

QMenu* AddMenuAndToolBar(QWidget* window, QVBoxLayout* layout, const QString& menuCaption,
                         QToolBar** toolBar) {
    // The menu bar and the tool bar, in "Lm Style", are bands of the program's cool bar.
    auto* coolBar = new TLmCoolBar(window);
    coolBar->setObjectName(QStringLiteral("LmCoolBar1"));
    auto* menuBar = new TLmActionMainMenuBar(coolBar);
    QMenu* menu = menuBar->AddMenu(menuCaption);
    // The bar's overflow button and its menu too.
    ApplyActionBarStyle(menuBar);
    auto* bar = new TLmActionToolBar(coolBar);
    bar->setObjectName(QStringLiteral("ActionToolBar1"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    coolBar->AddBand(menuBar);
    coolBar->AddBand(bar);
    layout->addWidget(coolBar);
    *toolBar = bar;
    return menu;
}

void AddToolBarAction(QToolBar* toolBar, QAction* action) {
    toolBar->addAction(action);
    // A bar's style does not pass to the buttons it makes later.
    ApplyActionBarStyle(toolBar);
    // The cool bar grows with the tool bar. Before the window is first shown, Qt passes that on
    // neither to the cool bar nor to the window's layout, which would lay the body over the
    // tool bar.
    if (auto* coolBar = qobject_cast<TLmCoolBar*>(toolBar->parentWidget())) {
        coolBar->layout()->invalidate();
        coolBar->setFixedHeight(coolBar->BandsHeight());
    }
    if (QLayout* layout = toolBar->window()->layout())
        layout->invalidate();
}

QAction* AddCommand(QMenu* menu, const QString& caption, const char* objectName, int icon) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(objectName));
    if (icon >= 0)
        action->setIcon(ToolBarIcon(icon));
    return action;
}

void LoadCollectionData() {
    LoadEditionList(EditionList(), ProgramPath(kEditionsFile));
    LoadFormatList(FormatList(), ProgramPath(kFormatsFile));
    LoadCardDatabase(CardDatabase(), ProgramPath(kCardDatabaseFile), "");
}

void ShowBaseList(TCardsFrame& frame, TInventoryList& list) {
    TCardFilter filter;
    filter.Editions = Settings().EditionsFilter();
    filter.LegalIn = false;
    frame.SetFilter(filter);
    FillBaseList(list, CardDatabase());
    frame.SetInventoryList(&list);
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
