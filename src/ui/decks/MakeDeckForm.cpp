#include "ui/decks/MakeDeckForm.h"

#include "core/carddb/CardDatabase.h"
#include "core/decks/DeckList.h"
#include "core/decks/SampleHand.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "core/settings/Settings.h"
#include "ui/Openers.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/collection/CardsFrame.h"
#include "ui/collection/CollectionCommon.h"
#include "ui/decks/BuildDeckForm.h"
#include "ui/decks/CardListView.h"
#include "ui/decks/CurveChart.h"
#include "ui/decks/DeckBrowserPanel.h"
#include "ui/decks/DeckListForm.h"
#include "ui/decks/DeckStatsPanel.h"
#include "ui/decks/OddsPanel.h"
#include "ui/decks/SampleHandForm.h"
#include "ui/graphics/Icons.h"
#include "ui/platform/QtText.h"
#include "ui/style/LmActnCtrls.h"
#include "ui/style/LmCoolBar.h"
#include "ui/wait/WaitCursor.h"
#include "ui/wait/WaitForm.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovel {

namespace {

// A land button's glyph: a disc in the land's colour with the land's initial.
QIcon LandIcon(int land) {
    static const std::array<QColor, 5> fill = {QColor(40, 40, 40), QColor(0, 128, 0), QColor(200, 30, 30),
                                               QColor(30, 70, 220), QColor(245, 235, 190)};
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = fill[static_cast<size_t>(land)];
    painter.setPen(QPen(colour.darker(160), 2));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(3, 3, 26, 26));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(colour.lightness() > 150 ? Qt::black : Qt::white);
    painter.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter,
                     QString(QChar::fromLatin1(BasicLandNames[land][0])));
    return QIcon(pixmap);
}

QLabel* Figure(QWidget* parent, const char* name) {
    auto* label = new QLabel(QStringLiteral("0"), parent);
    label->setObjectName(QLatin1String(name));
    label->setMinimumWidth(28);
    return label;
}

QLabel* Caption(QWidget* parent, const QString& text) {
    return new QLabel(text, parent);
}

} // namespace

TMakeDeckForm::TMakeDeckForm(QWidget* parent) : QDialog(parent), designer_(CardDatabase()) {
    setObjectName(QStringLiteral("MakeDeckForm"));
    setWindowTitle(tr("Deck designer"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    BuildCoolBar();
    BuildZoneLists();
    BuildBrowser();
    QLayout* statsRow = BuildStatistics();
    LayOut(statsRow);
    ConnectLists();
    RestoreGeometry();
    RefillLists();
}

void TMakeDeckForm::BuildCoolBar() {
    // The menu bar and the tool bar, one band each, in the cool bar at the top.
    coolBar_ = new TLmCoolBar(this);
    coolBar_->setObjectName(QStringLiteral("LmCoolBar1"));
    menuBar_ = new TLmActionMainMenuBar(coolBar_);
    toolBar_ = new TLmActionToolBar(coolBar_);
    toolBar_->setObjectName(QStringLiteral("ActionToolBar1"));
    toolBar_->setIconSize(QSize(16, 16));
    CreateActions();
    CreateBuildActions();
    coolBar_->AddBand(menuBar_);
    coolBar_->AddBand(toolBar_);
}

void TMakeDeckForm::BuildZoneLists() {
    // The two lists, the sideboard behind a splitter on the right, the buttons between them.
    auto* deckPanel = new QWidget(this);
    listViewDeck_ = new TCardListView(deckPanel);
    listViewDeck_->setObjectName(QStringLiteral("ListViewDeck"));
    auto* deckLayout = new QVBoxLayout(deckPanel);
    deckLayout->setContentsMargins(0, 0, 0, 0);
    deckLayout->addWidget(Caption(deckPanel, tr("Deck")));
    deckLayout->addWidget(listViewDeck_, 1);

    auto* buttons = new QWidget(this);
    auto* buttonsLayout = new QVBoxLayout(buttons);
    buttonsLayout->setContentsMargins(2, 0, 2, 0);
    buttonsLayout->addStretch();
    for (int land = 0; land < 5; ++land) {
        QToolButton* button = SideButton(
            QStringLiteral("SpeedButtonAdd%1").arg(FromUtf8(BasicLandNames[land])), LandIcon(land));
        connect(button, &QToolButton::clicked, this, [this, land] { AddLand(land); });
        buttonsLayout->addWidget(button);
        landButtons_[static_cast<size_t>(land)] = button;
    }
    buttonsLayout->addSpacing(12);
    moveButton_ =
        SideButton(QStringLiteral("SpeedButtonMove"), style()->standardIcon(QStyle::SP_BrowserReload));
    moveButton_->setToolTip(tr("Deck/Sideboard"));
    connect(moveButton_, &QToolButton::clicked, this, &TMakeDeckForm::AMoveCardExecute);
    removeButton_ = SideButton(QStringLiteral("SpeedButtonRemove"), ToolBarIcon(ToolIcon::DeleteCard));
    removeButton_->setToolTip(tr("Remove"));
    connect(removeButton_, &QToolButton::clicked, this, &TMakeDeckForm::ARemoveCardExecute);
    buttonsLayout->addWidget(moveButton_);
    buttonsLayout->addWidget(removeButton_);
    buttonsLayout->addStretch();

    auto* left = new QWidget(this);
    auto* leftLayout = new QHBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(2);
    leftLayout->addWidget(deckPanel, 1);
    leftLayout->addWidget(buttons);

    auto* sideboardPanel = new QWidget(this);
    listViewSideboard_ = new TCardListView(sideboardPanel);
    listViewSideboard_->setObjectName(QStringLiteral("ListViewSideboard"));
    auto* sideboardLayout = new QVBoxLayout(sideboardPanel);
    sideboardLayout->setContentsMargins(0, 0, 0, 0);
    sideboardLayout->addWidget(Caption(sideboardPanel, tr("Sideboard")));
    sideboardLayout->addWidget(listViewSideboard_, 1);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->addWidget(left);
    splitter_->addWidget(sideboardPanel);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setChildrenCollapsible(false);
}

void TMakeDeckForm::BuildBrowser() {
    // The card browser on the left, behind a splitter of its own, hidden until asked for.
    browser_ = new TDeckBrowserPanel(this);
    browser_->OnAdd = [this](int position, bool sideboard) {
        AddCard(position, sideboard);
    };
    browserSplitter_ = new QSplitter(Qt::Horizontal, this);
    browserSplitter_->setObjectName(QStringLiteral("SplitterBrowser"));
    browserSplitter_->addWidget(browser_);
    browserSplitter_->addWidget(splitter_);
    browserSplitter_->setStretchFactor(0, 0);
    browserSplitter_->setStretchFactor(1, 1);
    browserSplitter_->setChildrenCollapsible(false);
    browser_->hide();
}

QLayout* TMakeDeckForm::BuildStatistics() {
    // The statistics: main deck, sideboard and both together.
    auto* stats = new QWidget(this);
    auto* grid = new QGridLayout(stats);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(6);
    labelMainCount_ = Figure(stats, "LabelMainCount");
    labelSBCount_ = Figure(stats, "LabelSBCount");
    labelTotalCount_ = Figure(stats, "LabelTotalCount");
    labelLandCount_ = Figure(stats, "LabelLandCount");
    labelCreatureCount_ = Figure(stats, "LabelCreatureCount");
    labelSpellCount_ = Figure(stats, "LabelSpellCount");
    labelLandSB_ = Figure(stats, "LabelLandSB");
    labelCreatureSB_ = Figure(stats, "LabelCreatureSB");
    labelSpellSB_ = Figure(stats, "LabelSpellSB");
    labelLandsTotal_ = Figure(stats, "LabelLandsTotal");
    labelCreaturesTotal_ = Figure(stats, "LabelCreaturesTotal");
    labelSpellsTotal_ = Figure(stats, "LabelSpellsTotal");
    const std::array<std::array<QLabel*, 4>, 3> columns = {{
        {labelMainCount_, labelLandCount_, labelCreatureCount_, labelSpellCount_},
        {labelSBCount_, labelLandSB_, labelCreatureSB_, labelSpellSB_},
        {labelTotalCount_, labelLandsTotal_, labelCreaturesTotal_, labelSpellsTotal_},
    }};
    const std::array<const char*, 3> heads = {QT_TR_NOOP("Maindeck:"), QT_TR_NOOP("Sideboard:"),
                                              QT_TR_NOOP("Cards total:")};
    const std::array<const char*, 3> kinds = {QT_TR_NOOP("Lands:"), QT_TR_NOOP("Creatures:"),
                                              QT_TR_NOOP("Spells:")};
    for (int c = 0; c < 3; ++c) {
        grid->addWidget(Caption(stats, tr(heads[static_cast<size_t>(c)])), 0, c * 2);
        grid->addWidget(columns[static_cast<size_t>(c)][0], 0, c * 2 + 1);
        for (int k = 0; k < 3; ++k) {
            grid->addWidget(Caption(stats, tr(kinds[static_cast<size_t>(k)])), k + 1, c * 2);
            grid->addWidget(columns[static_cast<size_t>(c)][static_cast<size_t>(k) + 1], k + 1, c * 2 + 1);
        }
    }
    grid->setColumnStretch(6, 1);

    // The main deck's curve beside the counts, its colours and land suggestion under them.
    curveChart_ = new TCurveChart(this);
    curveChart_->setFixedSize(210, 100);
    auto* statsRow = new QHBoxLayout;
    statsRow->setContentsMargins(0, 0, 0, 0);
    statsRow->addWidget(stats, 1);
    statsRow->addWidget(curveChart_, 0, Qt::AlignBottom);
    statsPanel_ = new TDeckStatsPanel(this);
    connect(statsPanel_, &TDeckStatsPanel::ApplyLands, this, &TMakeDeckForm::ApplyLands);
    return statsRow;
}

void TMakeDeckForm::LayOut(QLayout* statsRow) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(coolBar_);
    // The odds of the main deck in a column of their own, beside the lists and the statistics.
    oddsPanel_ = new TOddsPanel(this);
    connect(oddsPanel_, &TOddsPanel::PlayDrawChanged, this, &TMakeDeckForm::ShowOdds);
    auto* deckColumn = new QVBoxLayout;
    deckColumn->addWidget(browserSplitter_, 1);
    deckColumn->addLayout(statsRow);
    deckColumn->addWidget(statsPanel_);
    auto* body = new QHBoxLayout;
    body->addLayout(deckColumn, 1);
    body->addWidget(oddsPanel_);
    layout->addLayout(body, 1);
}

void TMakeDeckForm::ConnectLists() {
    for (TZone zone : {TZone::Main, TZone::Sideboard}) {
        TCardListView* list = List(zone);
        // Read-only lists on the button-face colour, as designed.
        QPalette palette = list->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        list->setPalette(palette);
        connect(list, &QAbstractItemView::doubleClicked, this,
                [this, zone](const QModelIndex& index) { Move(zone, index.row()); });
        connect(list, &TCardListView::HeaderClicked, this, [this, zone] {
            designer_.AdvanceSortMode(zone);
            RefillList(zone, -1);
        });
        connect(list, &TCardListView::RightButtonDown, this, [this, zone] { ShowCardOf(zone, true); });
        auto* remove = new QShortcut(QKeySequence::Delete, list, nullptr, nullptr, Qt::WidgetShortcut);
        connect(remove, &QShortcut::activated, this,
                [this, zone] { Remove(zone, List(zone)->SelectedRow()); });
        connect(list, &TCardListView::RowSelected, this, [this, zone] {
            activeZone_ = zone; // selecting in a list makes it the one the buttons act on
            ShowCardOf(zone, false);
        });
    }
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == listViewDeck_)
            activeZone_ = TZone::Main;
        else if (now == listViewSideboard_)
            activeZone_ = TZone::Sideboard;
    });
}

void TMakeDeckForm::RestoreGeometry() {
    // The designed geometry unless the user moved it.
    const WindowGeometry geometry = Settings().MakeDeckGeometry();
    move(geometry.left, geometry.top);
    resize(geometry.width, geometry.height);
    const int rightWidth = Settings().MakeDeckRightPanelWidth();
    splitter_->setSizes({std::max(1, geometry.width - rightWidth), rightWidth});
}

TMakeDeckForm::~TMakeDeckForm() {
    // Focus moves while the base class takes the children down; this part is gone by then.
    disconnect(focusConnection_);
    try {
        FormDestroy();
    } catch (...) {
        // A settings write that fails while the window goes away has no one left to tell.
    }
}

QToolButton* TMakeDeckForm::SideButton(const QString& name, const QIcon& icon) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(22, 22));
    button->setAutoRaise(true);
    // The buttons act on the focused list, so they must not take the focus from it.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void TMakeDeckForm::CreateActions() {
    QMenu* deck = menuBar_->AddMenu(tr("&Deck"));
    deck->setObjectName(QStringLiteral("Deck1"));
    auto add = [&](const char* name, const QString& caption, auto handler, const QIcon& icon = {}) {
        auto* action = new QAction(icon, caption, this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        deck->addAction(action);
        return action;
    };
    add("AClearDeck", tr("Clear deck"), [this] {
        if (!designer_.ConfirmDiscard())
            return;
        designer_.Clear();
        RefillLists();
    });
    QAction* load = add(
        "ALoadDeck", tr("Load deck..."), [this] { Load(false, false); }, ToolBarIcon(ToolIcon::LoadDeck));
    add("ALoadToSideboard", tr("Load to sideboard..."), [this] { Load(true, false); });
    add("AAddFromDeck", tr("Add from deck..."), [this] { Load(false, true); });
    add("AAddToSideboard", tr("Add to sideboard..."), [this] { Load(true, true); });
    QAction* save = add(
        "ASaveDeck", tr("Save deck..."), [this] { designer_.SaveAction(); }, ToolBarIcon(ToolIcon::SaveDeck));
    save->setShortcut(QKeySequence::Save);
    addAction(save); // wherever the focus is in the window
    add("AImportList", tr("Import list..."), [this] { ImportList(); });
    add("AExportList", tr("Export list..."), [this] { ExportList(); });
    deck->addSeparator();
    QAction* exit = add(
        "AExit", tr("Exit"), [this] { close(); }, ToolBarIcon(ToolIcon::Exit));
    toolBar_->addAction(exit);
    toolBar_->addAction(load);
    toolBar_->addAction(save);

    QMenu* view = menuBar_->AddMenu(tr("&View"));
    view->setObjectName(QStringLiteral("View1"));
    aShowBrowser_ = new QAction(ToolBarIcon(ToolIcon::AddCard), tr("Card browser"), this);
    aShowBrowser_->setObjectName(QStringLiteral("AShowBrowser"));
    aShowBrowser_->setCheckable(true);
    connect(aShowBrowser_, &QAction::toggled, this, &TMakeDeckForm::ShowBrowser);
    view->addAction(aShowBrowser_);
    QAction* hand = view->addAction(tr("Sample hand..."));
    hand->setObjectName(QStringLiteral("ASampleHand"));
    connect(hand, &QAction::triggered, this, &TMakeDeckForm::SampleHand);
    toolBar_->addAction(aShowBrowser_);
}

void TMakeDeckForm::CreateBuildActions() {
    auto* build = new QAction(tr("Build deck from pool..."), this);
    build->setObjectName(QStringLiteral("ABuildDeck"));
    build->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    build->setToolTip(tr("Build a deck of 23 spells and 17 basic lands from every card of the deck"));
    connect(build, &QAction::triggered, this, &TMakeDeckForm::BuildFromPool);
    addAction(build); // the shortcut works wherever the focus is
    // In the Deck menu, before the separator that leads to "Exit".
    QMenu* deck = findChild<QMenu*>(QStringLiteral("Deck1"));
    QAction* before = nullptr;
    for (QAction* action : deck->actions())
        if (action->isSeparator()) {
            before = action;
            break;
        }
    deck->insertAction(before, build);
}

void TMakeDeckForm::BuildFromPool() {
    TBuildDeckForm form(CardDatabase(), designer_.Pool(), this);
    if (form.exec() != QDialog::Accepted)
        return;
    if (!designer_.Zones().Main.Empty() &&
        Prompts().Confirm(kReplaceWithBuiltDeckQuestion, ConfirmButtons::YesNo) != Answer::Yes)
        return;
    designer_.ApplyBuiltDeck(form.Deck(), form.Pool());
    RefillLists();
}

void TMakeDeckForm::OfferBuildFromPool() {
    if (designer_.Pool().empty())
        return;
    QMetaObject::invokeMethod(this, &TMakeDeckForm::BuildFromPool, Qt::QueuedConnection);
}

void TMakeDeckForm::ShowOdds() {
    oddsPanel_->Show(designer_.Odds(oddsPanel_->OnTheDraw()));
}

QAction* TMakeDeckForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TMakeDeckForm::Initialize(bool openTempDeck, bool databaseLoaded) {
    WaitCursor cursor;
    // Whatever a load throws, the lists show what the model holds.
    struct Refresh {
        TMakeDeckForm* form;
        ~Refresh() { form->RefillLists(); }
    } refresh{this};
    if (!databaseLoaded) {
        LoadCardDatabase(CardDatabase(), ProgramPath(kCardDatabaseFile), {});
        LoadEditionList(EditionList(), ProgramPath(kEditionsFile));
    }
    designer_.FindLandCards();
    for (int land = 0; land < 5; ++land) {
        landButtons_[static_cast<size_t>(land)]->setEnabled(designer_.CanAddLand(land));
        landButtons_[static_cast<size_t>(land)]->setToolTip(FromUtf8(designer_.AddLandHint(land)));
    }
    if (openTempDeck)
        designer_.OpenHandOff();
    // A browser filled before holds positions of the database as it was.
    if (browser_->Filled())
        browser_->Fill(true);
    if (SettingsOpen() && Settings().MakeDeckShowBrowser())
        ShowBrowser(true);
}

void TMakeDeckForm::Load(bool toSideboard, bool add) {
    struct Refresh {
        TMakeDeckForm* form;
        ~Refresh() { form->RefillLists(); }
    } refresh{this};
    designer_.LoadAction(toSideboard, add);
}

void TMakeDeckForm::AMoveCardExecute() {
    Move(ActiveZone(), List(ActiveZone())->SelectedRow());
}

void TMakeDeckForm::ARemoveCardExecute() {
    Remove(ActiveZone(), List(ActiveZone())->SelectedRow());
}

void TMakeDeckForm::Move(TZone zone, int row) {
    if (row < 0 || row >= designer_.RowCount(zone))
        return;
    const TZone other = zone == TZone::Main ? TZone::Sideboard : TZone::Main;
    const int next = designer_.MoveCopy(zone, row);
    RefillList(other, -2);
    RefillList(zone, next);
    ShowStatistics();
}

void TMakeDeckForm::Remove(TZone zone, int row) {
    if (row < 0 || row >= designer_.RowCount(zone))
        return;
    RefillList(zone, designer_.RemoveCopy(zone, row));
    ShowStatistics();
}

void TMakeDeckForm::AddLand(int land) {
    const int row = designer_.AddLand(land);
    if (row < 0)
        return;
    RefillList(TZone::Main, row);
    ShowStatistics();
}

void TMakeDeckForm::AddCard(int position, bool sideboard) {
    if (position < 0 || position >= CardDatabase().Count())
        return;
    const TZone zone = sideboard ? TZone::Sideboard : TZone::Main;
    RefillList(zone, designer_.AddCopy(zone, position));
    ShowStatistics();
}

void TMakeDeckForm::ApplyLands() {
    if (!designer_.ApplyLandSuggestion())
        return;
    RefillList(TZone::Main, -2);
    ShowStatistics();
}

int TMakeDeckForm::BrowserWidth() const {
    return browser_->isHidden() ? 0 : browserSplitter_->sizes().value(0) + browserSplitter_->handleWidth();
}

void TMakeDeckForm::ShowBrowser(bool visible) {
    if (browser_->isHidden() == !visible)
        return;
    {
        const QSignalBlocker blocker(aShowBrowser_);
        aShowBrowser_->setChecked(visible);
    }
    if (visible) {
        WaitCursor cursor;
        browser_->Fill();
        const int browserWidth =
            SettingsOpen() ? Settings().MakeDeckBrowserWidth() : SettingsStore::kBrowserWidthDefault;
        const int rest = width();
        browser_->show();
        resize(rest + browserWidth + browserSplitter_->handleWidth(), height());
        browserSplitter_->setSizes({browserWidth, rest});
    } else {
        RememberBrowserWidth();
        const int browserWidth = BrowserWidth();
        browser_->hide();
        resize(std::max(1, width() - browserWidth), height());
    }
    if (SettingsOpen())
        Settings().SetMakeDeckShowBrowser(visible);
}

void TMakeDeckForm::RememberBrowserWidth() {
    const int browserWidth = browserSplitter_->sizes().value(0);
    if (!browser_->isHidden() && browserWidth > 0 && SettingsOpen())
        Settings().SetMakeDeckBrowserWidth(browserWidth);
}

bool TMakeDeckForm::ImportListText(const QString& text) {
    const TDeckList list = ReadDeckList(ToCp1252(text), CardDatabase());
    if (!list.Problems.empty() &&
        Prompts().Confirm(ImportProblemsQuestion(list.Problems), ConfirmButtons::YesNo) != Answer::Yes)
        return false;
    if (list.Cards.empty() || !designer_.ConfirmDiscard())
        return false;
    designer_.ImportList(list);
    RefillLists();
    return true;
}

QString TMakeDeckForm::ExportListText() const {
    QString text = FromCp1252(designer_.ListText());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void TMakeDeckForm::ImportList() {
    TDeckListForm form(TDeckListForm::Mode::Import, {}, this);
    if (form.exec() == QDialog::Accepted)
        ImportListText(form.Text());
}

void TMakeDeckForm::ExportList() {
    if (designer_.IsEmpty()) {
        ShowError(kDeckIsEmpty);
        return;
    }
    TDeckListForm form(TDeckListForm::Mode::Export, ExportListText(), this);
    form.exec();
}

void TMakeDeckForm::SampleHand() {
    TSampleHandForm form(LibraryOf(CardDatabase(), designer_.Zones().Main), sampleHandSeed_, this);
    form.exec();
}

void TMakeDeckForm::RefillLists() {
    RefillList(TZone::Main, -2);
    RefillList(TZone::Sideboard, -2);
    ShowStatistics();
}

// `selectRow` -2 keeps the selected row where it was, -1 selects nothing.
void TMakeDeckForm::RefillList(TZone zone, int selectRow) {
    TCardListView* list = List(zone);
    if (selectRow == -2)
        selectRow = list->SelectedRow();
    std::vector<TCardListModel::Row> rows;
    rows.reserve(static_cast<size_t>(designer_.RowCount(zone)));
    for (int row = 0; row < designer_.RowCount(zone); ++row)
        rows.push_back({designer_.RowPosition(zone, row), FromCp1252(designer_.RowText(zone, row))});
    list->Model()->SetHeader(FromUtf8(designer_.SortCaption(zone)));
    list->Model()->SetRows(rows);
    list->SelectRow(std::min(selectRow, list->Model()->rowCount() - 1));
}

void TMakeDeckForm::ShowStatistics() {
    const TDeckStats stats = designer_.Stats();
    auto show = [](QLabel* label, int64_t value) {
        label->setText(QString::number(value));
    };
    show(labelMainCount_, stats.Main.Cards);
    show(labelSBCount_, stats.Sideboard.Cards);
    show(labelTotalCount_, stats.Total.Cards);
    show(labelLandCount_, stats.Main.Lands);
    show(labelCreatureCount_, stats.Main.Creatures);
    show(labelSpellCount_, stats.Main.Spells);
    show(labelLandSB_, stats.Sideboard.Lands);
    show(labelCreatureSB_, stats.Sideboard.Creatures);
    show(labelSpellSB_, stats.Sideboard.Spells);
    show(labelLandsTotal_, stats.Total.Lands);
    show(labelCreaturesTotal_, stats.Total.Creatures);
    show(labelSpellsTotal_, stats.Total.Spells);
    const TDeckStatistics mainStats = designer_.Statistics(TZone::Main);
    curveChart_->SetStatistics(mainStats);
    statsPanel_->Show(mainStats, designer_.LandSuggestion(), designer_.Zones().Main.Lands);
    ShowOdds();
}

void TMakeDeckForm::ShowCardOf(TZone zone, bool openWindow) {
    const int32_t card = List(zone)->SelectedCard();
    if (card < 0)
        return;
    // The floating window follows the selection once it is on screen; the right button opens it.
    if (openWindow || (ViewCardForm() && ViewCardForm()->isVisible()))
        ShowCardInfo(&CardDatabase().Items(card));
}

void TMakeDeckForm::done(int result) {
    // A deck changed since it was loaded or saved is never dropped without asking.
    if (!designer_.CanClose())
        return;
    FormDestroy();
    QDialog::done(result);
}

void TMakeDeckForm::showEvent(QShowEvent* event) {
    shown_ = true;
    QDialog::showEvent(event);
}

void TMakeDeckForm::FormDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    DestroyCardInfo();
    if (!shown_)
        return;
    if (browser_->Filled())
        StoreEditionsFilter(*browser_->Frame());
    RememberBrowserWidth();
    // The window's own width is that without the browser, which may be hidden next time.
    Settings().SetMakeDeckGeometry({pos().y(), pos().x(), height(), width() - BrowserWidth()});
    const QList<int> sizes = splitter_->sizes();
    if (sizes.size() == 2 && sizes[1] > 0)
        Settings().SetMakeDeckRightPanelWidth(sizes[1]);
}

void OpenDeckDesigner(bool openTempDeck, bool databaseLoaded) {
    TMakeDeckForm form(QApplication::activeWindow());
    {
        WaitWindow wait(ToUtf8(TMakeDeckForm::tr("Initialization...")));
        form.Initialize(openTempDeck, databaseLoaded);
    }
    if (openTempDeck)
        form.OfferBuildFromPool();
    form.exec();
}

void OpenDeckDesignerOn(const std::string& path, bool databaseLoaded) {
    TMakeDeckForm form(QApplication::activeWindow());
    {
        WaitWindow wait("Initialization...");
        form.Initialize(false, databaseLoaded);
        form.Designer().LoadDeck(path);
        form.RefillLists();
    }
    form.exec();
}

} // namespace tovel
