#include "ui/limited/DraftMainForm.h"

#include "core/decks/DeckFile.h"
#include "core/decks/DeckStats.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/FileSet.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "core/limited/DraftConfig.h"
#include "core/limited/DraftGrade.h"
#include "core/limited/DraftReview.h"
#include "core/settings/Settings.h"
#include "ui/Openers.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/decks/CardListView.h"
#include "ui/decks/CurveChart.h"
#include "ui/limited/ConfigForm.h"
#include "ui/limited/DraftReviewForm.h"
#include "ui/platform/QtText.h"
#include "ui/wait/WaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovel {

namespace {

constexpr int kTickMs = 1000;

// Asked before "New draft" throws away a draft with picks.
constexpr const char* kNewDraftQuestion = QT_TRANSLATE_NOOP(
    "tovel::TDraftMainForm", "The draft is not finished. Start a new one and lose the picks?");
constexpr const char* kNewDraftUnsavedQuestion = QT_TRANSLATE_NOOP(
    "tovel::TDraftMainForm", "The picks of this draft are not saved. Start a new draft and lose them?");

QFont Bold(QFont font, qreal scale = 1.0) {
    font.setBold(true);
    if (scale != 1.0)
        font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

QToolButton* SaveButton(QWidget* parent, const char* name, const QString& hint, QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setAutoRaise(true);
    return button;
}

} // namespace

// Passes every question to the prompter in force before the table opened, with the countdown
// paused around it.
class TDraftMainForm::PausingPrompter final : public Prompter {
    template <typename F> auto Paused(F&& ask) {
        form_.PauseCountdown();
        const auto resume = qScopeGuard([this] { form_.ResumeCountdown(); });
        return ask();
    }

public:
    PausingPrompter(TDraftMainForm& form, Prompter& next) : form_(form), next_(next) {}

    void ShowError(const std::string& message) override {
        Paused([&] { next_.ShowError(message); });
    }
    void ShowInformation(const std::string& message) override {
        Paused([&] { next_.ShowInformation(message); });
    }
    Answer Confirm(const std::string& message, ConfirmButtons buttons, MessageIcon icon) override {
        return Paused([&] { return next_.Confirm(message, buttons, icon); });
    }
    std::string AskOpenFileName(const std::string& dir, const std::string& extension,
                                const std::string& filter) override {
        return Paused([&] { return next_.AskOpenFileName(dir, extension, filter); });
    }
    std::vector<std::string> AskOpenFileNames(const std::string& dir, const std::string& extension,
                                              const std::string& filter) override {
        return Paused([&] { return next_.AskOpenFileNames(dir, extension, filter); });
    }
    std::string AskSaveFileName(const std::string& dir, const std::string& extension,
                                const std::string& filter) override {
        return Paused([&] { return next_.AskSaveFileName(dir, extension, filter); });
    }
    std::string BrowseFolder(const std::string& caption, const std::string& dir) override {
        return Paused([&] { return next_.BrowseFolder(caption, dir); });
    }

private:
    TDraftMainForm& form_;
    Prompter& next_;
};

TDraftMainForm::TDraftMainForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DraftMainForm"));
    setWindowTitle(tr("Pickroom"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1000, 600);
    BuildMenu();
    QWidget* left = BuildBoosterSide();
    QWidget* right = BuildSeatsSide();
    LayOut(left, right);
    ConnectControls();
    FormCreate();
}

void TDraftMainForm::BuildMenu() {
    menuBar_ = new QMenuBar(this);
    QMenu* draft = menuBar_->addMenu(tr("&Draft"));
    QAction* newDraft = draft->addAction(tr("&New draft"));
    newDraft->setObjectName(QStringLiteral("N6"));
    connect(newDraft, &QAction::triggered, this, &TDraftMainForm::N6Click);
    viewCardInfo_ = draft->addAction(tr("&View card info"));
    viewCardInfo_->setObjectName(QStringLiteral("Viewcardinfo1"));
    viewCardInfo_->setCheckable(true);
    connect(viewCardInfo_, &QAction::triggered, this, &TDraftMainForm::Viewcardinfo1Click);
    confirmPicks_ = draft->addAction(tr("&Confirm picks"));
    confirmPicks_->setObjectName(QStringLiteral("ConfirmPicks"));
    confirmPicks_->setCheckable(true);
    connect(confirmPicks_, &QAction::toggled, this, &TDraftMainForm::ConfirmPicksToggled);
    draft->addSeparator();
    QAction* exit = draft->addAction(tr("E&xit"));
    exit->setObjectName(QStringLiteral("N5"));
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(exit, &QAction::triggered, this, &QDialog::reject);
    QMenu* help = menuBar_->addMenu(tr("&Help"));
    QAction* about = help->addAction(tr("&About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, [] { OpenAbout(); });
}

QWidget* TDraftMainForm::BuildBoosterSide() {
    // Left: the booster in front of the user, the pick button and the countdown.
    auto* left = new QWidget(this);
    listView_ = new TCardListView(left);
    listView_->setObjectName(QStringLiteral("ListView"));
    listView_->ShowCardColumns();
    listView_->header()->setSectionsClickable(false);
    button1_ = new QPushButton(tr("Pick"), left);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setFont(Bold(button1_->font()));
    button1_->setAutoDefault(false);
    editTimer_ = new QLineEdit(left);
    editTimer_->setObjectName(QStringLiteral("EditTimer"));
    editTimer_->setReadOnly(true);
    editTimer_->setFont(Bold(editTimer_->font(), 1.6));
    editTimer_->setAlignment(Qt::AlignCenter);
    editTimer_->setMaximumWidth(90);
    editTimer_->setFocusPolicy(Qt::NoFocus);
    auto* pickRow = new QHBoxLayout;
    pickRow->addWidget(button1_, 1);
    pickRow->addWidget(editTimer_);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(listView_, 1);
    leftLayout->addLayout(pickRow);
    return left;
}

QWidget* TDraftMainForm::BuildSeatsSide() {
    // Right: the seats' picks.
    auto* right = new QWidget(this);
    tabControlDecks_ = new QTabBar(right);
    tabControlDecks_->setObjectName(QStringLiteral("TabControlDecks"));
    tabControlDecks_->setShape(QTabBar::RoundedNorth);
    tabControlDecks_->setExpanding(false);
    tabControlDecks_->setDrawBase(false);
    tabControlDecks_->addTab(tr("Me"));
    for (int seat = 2; seat <= kTableSeats; ++seat)
        tabControlDecks_->addTab(QString::number(seat));
    checkBoxShowDeck_ = new QCheckBox(tr("Show Deck"), right);
    checkBoxShowDeck_->setObjectName(QStringLiteral("CheckBoxShowDeck"));
    checkBoxShowDeck_->setFont(Bold(checkBoxShowDeck_->font()));
    speedButtonSave_ = SaveButton(right, "SpeedButtonSave", "Save deck", QStyle::SP_DialogSaveButton);
    speedButtonSaveAll_ = SaveButton(right, "SpeedButtonSaveAll", "Save all decks", QStyle::SP_DriveFDIcon);
    // Its click saves the pools, as always; its menu offers the built decks too.
    auto* saveAllMenu = new QMenu(speedButtonSaveAll_);
    QAction* savePools = saveAllMenu->addAction(tr("Save all pools..."));
    savePools->setObjectName(QStringLiteral("SaveAllPools"));
    connect(savePools, &QAction::triggered, this, [this] { SaveAllDecks(false); });
    QAction* saveBuilt = saveAllMenu->addAction(tr("Save all built decks..."));
    saveBuilt->setObjectName(QStringLiteral("SaveAllBuiltDecks"));
    saveBuilt->setToolTip(tr("Each seat's picks built into a 40-card deck, the rest in its sideboard"));
    connect(saveBuilt, &QAction::triggered, this, [this] { SaveAllDecks(true); });
    speedButtonSaveAll_->setMenu(saveAllMenu);
    speedButtonSaveAll_->setPopupMode(QToolButton::MenuButtonPopup);
    speedButtonDesign_ =
        SaveButton(right, "SpeedButtonDesign", tr("Design deck"), QStyle::SP_FileDialogDetailedView);
    buttonReview_ = new QPushButton(tr("Review draft"), right);
    buttonReview_->setObjectName(QStringLiteral("ButtonReview"));
    buttonReview_->setAutoDefault(false);
    listViewDeck_ = new TCardListView(right);
    listViewDeck_->setObjectName(QStringLiteral("ListViewDeck"));
    listViewDeck_->ShowCardColumns();
    curveDeck_ = new TCurveChart(right);
    curveDeck_->setObjectName(QStringLiteral("CurveDeck"));
    curveDeck_->setFixedHeight(100);
    labelColours_ = new QLabel(right);
    labelColours_->setObjectName(QStringLiteral("LabelColours"));
    memoDebug_ = new QPlainTextEdit(right);
    memoDebug_->setObjectName(QStringLiteral("MemoDebug"));
    memoDebug_->setReadOnly(true);
    memoDebug_->setVisible(false);
    auto* tabsRow = new QHBoxLayout;
    tabsRow->addWidget(tabControlDecks_);
    tabsRow->addStretch();
    auto* buttonsRow = new QHBoxLayout;
    buttonsRow->addWidget(checkBoxShowDeck_);
    buttonsRow->addStretch();
    buttonsRow->addWidget(speedButtonSave_);
    buttonsRow->addWidget(speedButtonSaveAll_);
    buttonsRow->addWidget(speedButtonDesign_);
    buttonsRow->addWidget(buttonReview_);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(tabsRow);
    rightLayout->addLayout(buttonsRow);
    rightLayout->addWidget(listViewDeck_, 1);
    rightLayout->addWidget(curveDeck_);
    rightLayout->addWidget(labelColours_);
    rightLayout->addWidget(memoDebug_);
    // Takes the list's room when "Show Deck" hides it, so the controls above stay in place.
    rightLayout->addStretch();
    return right;
}

void TDraftMainForm::LayOut(QWidget* left, QWidget* right) {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({520, 480});
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addWidget(splitter);
}

void TDraftMainForm::ConnectControls() {
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer"));
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &TDraftMainForm::TimerTimer);

    listView_->viewport()->installEventFilter(this);
    listView_->installEventFilter(this);
    connect(button1_, &QPushButton::clicked, this, &TDraftMainForm::ListViewDblClick);
    connect(tabControlDecks_, &QTabBar::currentChanged, this, &TDraftMainForm::TabControlDecksChange);
    connect(listViewDeck_, &TCardListView::HeaderClicked, this, &TDraftMainForm::ListViewDeckColumnClick);
    connect(checkBoxShowDeck_, &QCheckBox::toggled, listViewDeck_, &QWidget::setVisible);
    connect(checkBoxShowDeck_, &QCheckBox::toggled, curveDeck_, &QWidget::setVisible);
    connect(checkBoxShowDeck_, &QCheckBox::toggled, labelColours_, &QWidget::setVisible);
    connect(speedButtonSave_, &QToolButton::clicked, this, &TDraftMainForm::SpeedButtonSaveClick);
    connect(speedButtonSaveAll_, &QToolButton::clicked, this, &TDraftMainForm::SpeedButtonSaveAllClick);
    connect(speedButtonDesign_, &QToolButton::clicked, this, &TDraftMainForm::SpeedButtonDesignClick);
    connect(buttonReview_, &QPushButton::clicked, this, &TDraftMainForm::ButtonReviewClick);
    for (TCardListView* list : {listView_, listViewDeck_}) {
        connect(list, &TCardListView::RowSelected, this, [this, list] { ShowCardOf(list, false); });
        connect(list, &TCardListView::RightButtonDown, this, [this, list] { ShowCardOf(list, true); });
    }
    connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TDraftMainForm::BoosterSelectionChanged);
}

void TDraftMainForm::FormCreate() {
    checkBoxShowDeck_->setChecked(Settings().ShowDeck());
    listViewDeck_->setVisible(checkBoxShowDeck_->isChecked());
    curveDeck_->setVisible(checkBoxShowDeck_->isChecked());
    labelColours_->setVisible(checkBoxShowDeck_->isChecked());
    editTimer_->setText(QString::number(Settings().DraftPickTime()));
    confirmPicks_->setChecked(Settings().DraftConfirmPicks());
    engine_.SetConfirmPicks(confirmPicks_->isChecked());
    pausingPrompter_ = std::make_unique<PausingPrompter>(*this, Prompts());
    pausingScope_ = std::make_unique<ScopedPrompter>(*pausingPrompter_);
    ShowState();
}

TDraftMainForm::~TDraftMainForm() {
    try {
        FormClose();
    } catch (...) {
        // A settings write that fails while the window goes away has no one left to tell.
    }
    pausingScope_.reset();
}

void TDraftMainForm::PauseCountdown() {
    if (pauses_++ > 0)
        return;
    pausedTimer_ = timer_->isActive();
    pausedRemaining_ = pausedTimer_ ? std::max(0, timer_->remainingTime()) : 0;
    timer_->stop();
}

void TDraftMainForm::ResumeCountdown() {
    if (--pauses_ > 0)
        return;
    // The countdown goes on where it stopped (the tick restarts the whole seconds), unless what
    // was asked ended it.
    if (pausedTimer_ && engine_.TimerRunning() && !timer_->isActive())
        timer_->start(std::max(1, pausedRemaining_));
    pausedTimer_ = false;
}

void TDraftMainForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (firstShow_ && !event->spontaneous()) {
        firstShow_ = false;
        // After the window is on screen, like the first show of the designed window.
        QTimer::singleShot(0, this, &TDraftMainForm::FormShow);
    }
}

void TDraftMainForm::FormShow() {
    TDraftEngine::LoadTableData();
    RunConfigurationAndStart();
}

void TDraftMainForm::N6Click() {
    // Only picks made are lost: a draft not yet picked from, or finished and saved, goes quietly.
    const bool picked = engine_.Seats().Items(0).Picks.Count() > 0;
    if (picked && engine_.PicksUnsaved() &&
        Prompts().Confirm(ToUtf8(tr(engine_.State() == TDraftState::Finished ? kNewDraftUnsavedQuestion
                                                                             : kNewDraftQuestion)),
                          ConfirmButtons::YesCancel, MessageIcon::Warning) != Answer::Yes)
        return;
    timer_->stop();
    engine_.StopTimer();
    HideCardInfo();
    viewCardInfo_->setChecked(false);
    RunConfigurationAndStart();
}

void TDraftMainForm::RunConfigurationAndStart() {
    if (ConfigureDraft(this))
        StartDraft();
    else
        ShowState(); // a cancelled "New draft" leaves the draft as it was, the timer stopped
}

void TDraftMainForm::StartDraft() {
    WaitCursor cursor;
    // Whatever StartDraft throws, the window shows the state it left (idle, picks cleared).
    struct Refresh {
        TDraftMainForm* form;
        ~Refresh() { form->ShowState(); }
    } refresh{this};
    engine_.SetDrafterStrategy(DrafterStrategyFromSetting(Settings().DraftBotStrategy()));
    showChoice_ = Settings().DraftShowChoice();
    confirmPicks_->setChecked(Settings().DraftConfirmPicks());
    recordSaved_ = false;
    const int pickTime = PresetPickTime(Settings().DraftPickTime());
    if (Settings().DraftUseCube()) {
        const std::string path = CubePath(Settings().DraftCube());
        engine_.StartCubeDraft([&path](const TCardsList& cards) { return ReadCube(path, cards); },
                               std::clamp(Settings().DraftPackSize(), kCubePackSizeMin, kCubePackSizeMax),
                               pickTime);
    } else {
        engine_.StartDraft(Settings().DraftConfig(), pickTime);
    }
}

void TDraftMainForm::ShowState() {
    ShowLists();
    button1_->setText(FromUtf8(engine_.ButtonCaption()));
    // Before the first draft the field shows the configured time; afterwards only a running pick's.
    if (engine_.State() != TDraftState::Idle || engine_.PickSeconds() != 0)
        editTimer_->setText(FromUtf8(engine_.TimeText()));
    editTimer_->setVisible(engine_.State() == TDraftState::Idle || !engine_.Untimed());
    const bool finished = engine_.SaveButtonsVisible();
    speedButtonSave_->setVisible(finished);
    speedButtonSaveAll_->setVisible(finished);
    speedButtonDesign_->setVisible(finished);
    buttonReview_->setVisible(finished);
    if (engine_.TimerRunning()) {
        // A new countdown starts a whole second; a running one keeps its timer; a paused one
        // waits for the question over it to go.
        if (countdownTimed_ != engine_.CountdownStarts())
            pausedRemaining_ = kTickMs;
        if (pauses_ == 0 && (!timer_->isActive() || countdownTimed_ != engine_.CountdownStarts()))
            timer_->start(kTickMs);
        countdownTimed_ = engine_.CountdownStarts();
    } else {
        timer_->stop();
    }
    ShowLog();
    SaveRecordWhenFinished();
}

void TDraftMainForm::SaveRecordWhenFinished() {
    if (engine_.State() != TDraftState::Finished || recordSaved_)
        return;
    recordSaved_ = true;
    try {
        buttonReview_->setToolTip(
            tr("Saved as %1").arg(FromUtf8(SaveDraftRecord(engine_.Record(), std::time(nullptr)))));
    } catch (const Error& error) {
        // The draft stays on the table to be saved as decks; only its record is lost.
        ShowError(error.what());
    }
}

void TDraftMainForm::ButtonReviewClick() {
    ReviewDraft(engine_.Record(), CardDatabase(), this);
}

void TDraftMainForm::ShowLists() {
    // Refilled only when the booster changed: the countdown's refreshes leave the selection, the
    // scroll position and the focus alone.
    const std::vector<int32_t>& booster = engine_.ShownBooster().Raw();
    if (!listsShown_ || booster != shownBooster_) {
        listsShown_ = true;
        shownBooster_ = booster;
        listView_->Model()->SetCards(booster);
        if (!booster.empty()) {
            // A new pick: its first card selected, ready for the keys.
            listView_->SelectRow(0);
            listView_->setFocus();
        }
    }
    listView_->Model()->SetMarked(engine_.MarkedCard());
    listView_->SetOutlinedRow(
        showChoice_ ? DraftersChoice(engine_.ShownBooster(), engine_.Seats().Items(0).Picks, CardDatabase())
                    : -1);
    ShowDeckList();
}

void TDraftMainForm::ShowDeckList() {
    const int seat = std::max(0, tabControlDecks_->currentIndex());
    listViewDeck_->Model()->SetHeader(FromUtf8(SortModeCaption(engine_.DeckSortMode())));
    const std::vector<int32_t> picks =
        seat < engine_.Seats().Count() ? engine_.DeckList(seat) : std::vector<int32_t>{};
    const int mode = static_cast<int>(engine_.DeckSortMode());
    if (picks == shownPicks_ && seat == shownSeat_ && mode == shownSortMode_)
        return;
    shownPicks_ = picks;
    shownSeat_ = seat;
    shownSortMode_ = mode;
    listViewDeck_->Model()->SetCards(picks);
    curveDeck_->SetStatistics(PickStatistics(CardDatabase(), picks));
    labelColours_->setText(FromUtf8(ColorCountsText(CountCardColors(CardDatabase(), picks))));
}

void TDraftMainForm::ShowLog() {
    const auto& log = engine_.Log();
    if (log.size() < logShown_) { // a new draft started a new log
        memoDebug_->clear();
        logShown_ = 0;
    }
    for (; logShown_ < log.size(); ++logShown_)
        memoDebug_->appendPlainText(FromCp1252(log[logShown_]));
}

void TDraftMainForm::TimerTimer() {
    timer_->stop();
    engine_.Tick();
    ShowState();
}

void TDraftMainForm::ListViewDblClick() {
    engine_.PressPick(listView_->SelectedCard());
    ShowState();
}

void TDraftMainForm::TabControlDecksChange() {
    ShowDeckList();
}

void TDraftMainForm::ListViewDeckColumnClick() {
    engine_.CycleDeckSortMode();
    ShowDeckList();
}

void TDraftMainForm::BoosterSelectionChanged() {
    const int32_t marked = engine_.MarkedCard();
    engine_.SelectionChanged(listView_->SelectedCard());
    if (engine_.MarkedCard() != marked)
        listView_->Model()->SetMarked(engine_.MarkedCard());
}

void TDraftMainForm::ConfirmPicksToggled(bool on) {
    engine_.SetConfirmPicks(on);
    listView_->Model()->SetMarked(engine_.MarkedCard());
    Settings().SetDraftConfirmPicks(on);
}

void TDraftMainForm::ShowCardOf(const TCardListView* list, bool openWindow) {
    const int32_t card = list->SelectedCard();
    if (card < 0)
        return;
    // The floating window follows the selection once it is on screen; the right button opens it.
    if (openWindow || (ViewCardForm() && ViewCardForm()->isVisible()))
        ShowCardInfo(&CardDatabase().Items(card));
}

void TDraftMainForm::Viewcardinfo1Click(bool checked) {
    if (checked)
        ShowNoCardInfo();
    else
        HideCardInfo();
}

void TDraftMainForm::SpeedButtonSaveClick() {
    engine_.SaveDeck(std::max(0, tabControlDecks_->currentIndex()));
}

void TDraftMainForm::SpeedButtonSaveAllClick() {
    SaveAllDecks(false);
}

void TDraftMainForm::SaveAllDecks(bool built) {
    if (engine_.Seats().Items(std::max(0, tabControlDecks_->currentIndex())).Picks.Count() == 0) {
        ShowError(ToUtf8(tr("Decks are empty!")));
        return;
    }
    // One question covers every file that would be replaced.
    const std::string fileName = AskSeatDecksTarget([this](const std::string& files) {
        return ToUtf8(tr("Files %1 exist. Overwrite?").arg(FromUtf8(files)));
    });
    if (fileName.empty())
        return;
    FileSet files;
    if (!built) {
        engine_.SaveAllSeatDecks(fileName, files);
        return;
    }
    // The table holds the cards of the packs in play; the built decks need the basic lands too.
    TCardsList cards;
    WaitCursor cursor;
    DefaultCardLoader()(cards, "");
    engine_.SaveAllSeatDecks(fileName, files, BuiltSeatDecks(engine_.Record(), cards));
}

void TDraftMainForm::SpeedButtonDesignClick() {
    if (engine_.DesignDeck())
        done(kDesignDeckResult);
}

void TDraftMainForm::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TDraftMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == listView_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return QDialog::eventFilter(watched, event);
        // Taken here: the pick refills the list, so the view has nothing left to do with it.
        const QModelIndex at = listView_->indexAt(mouse->position().toPoint());
        if (at.isValid()) {
            listView_->SelectRow(at.row());
            ListViewDblClick();
        } else if (engine_.State() == TDraftState::BetweenTurns) {
            ListViewDblClick();
        }
        return true;
    }
    if (watched == listView_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            ListViewDblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDraftMainForm::done(int result) {
    // Every way out (Exit, Alt+F4, the title bar, "Design deck") passes here.
    if (engine_.PicksUnsaved() &&
        Prompts().Confirm(kDraftUnsavedQuestion, ConfirmButtons::YesNo, MessageIcon::Warning) != Answer::Yes)
        return;
    FormClose();
    QDialog::done(result);
}

void TDraftMainForm::FormClose() {
    if (closed_)
        return;
    closed_ = true;
    timer_->stop();
    engine_.StopTimer();
    // The box's real state, so the next draft starts as the user left it.
    Settings().SetShowDeck(checkBoxShowDeck_->isChecked());
    DestroyCardInfo();
}

void OpenDraft() {
    int result = QDialog::Rejected;
    {
        TDraftMainForm form(QApplication::activeWindow());
        result = form.exec();
    }
    if (result == TDraftMainForm::kDesignDeckResult)
        OpenDeckDesigner(true, false);
}

} // namespace tovel
