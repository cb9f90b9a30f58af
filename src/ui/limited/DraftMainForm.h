#pragma once

// "Pickroom": the booster draft against seven computer drafters. The window shows the draft
// engine's state (the booster in front of the user, the countdown, the seats' picks) and turns
// clicks, keys and its one-second timer into engine calls. The booster list keeps the keyboard:
// a new booster comes with its first card selected, Enter (or a double click) picks.

#include "core/infra/Prompts.h"
#include "core/limited/DraftEngine.h"

#include <QDialog>

#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTimer;
class QToolButton;

namespace tovel {

class TCardListView;
class TCurveChart;

class TDraftMainForm final : public QDialog {
    Q_OBJECT
public:
    // The modal result of "Design deck": the opener then opens the designer on the hand-off file.
    static constexpr int kDesignDeckResult = 3;

    explicit TDraftMainForm(QWidget* parent = nullptr);
    ~TDraftMainForm() override;

    TDraftEngine& Engine() { return engine_; }
    QTimer* Timer() const { return timer_; }

public slots:
    // The one-second countdown tick (the timer's slot; tests call it directly).
    void TimerTimer();
    // "New draft": asks first when picks would be lost, then the configuration dialog, then a
    // new draft on OK.
    void N6Click();
    // Double click on the booster list and the "Pick"/"Next" button.
    void ListViewDblClick();
    void SpeedButtonSaveClick();
    void SpeedButtonSaveAllClick();
    // "Save all decks" as the seats' picks (pools, the button's own click) or as the decks the
    // deck builder makes of them: one file name, one question for the files it replaces.
    void SaveAllDecks(bool built);
    void SpeedButtonDesignClick();
    // "Review draft": the finished draft's record, pick by pick.
    void ButtonReviewClick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Esc does not close the table: one key press would throw every seat's picks away.
    void keyPressEvent(QKeyEvent* event) override;
    // Enter on the booster list picks; a double click on a card picks it, and anywhere on the
    // list between pack turns (the list is empty then) opens the next one.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class PausingPrompter;
    // A question or message box stops the countdown while it is open; the countdown then goes on
    // with the seconds it had.
    void PauseCountdown();
    void ResumeCountdown();
    void FormShow();
    void RunConfigurationAndStart();
    void StartDraft();
    // Brings every control in line with the engine: lists, button, countdown, timer, buttons.
    void ShowState();
    void ShowLists();
    void ShowDeckList();
    void ShowLog();
    void ShowCardOf(const TCardListView* list, bool openWindow);
    void BoosterSelectionChanged();
    void ConfirmPicksToggled(bool on);
    void TabControlDecksChange();
    void ListViewDeckColumnClick();
    void Viewcardinfo1Click(bool checked);
    void FormClose();
    // A finished draft's record goes to Drafts/ once, as soon as the draft is finished.
    void SaveRecordWhenFinished();

    TDraftEngine engine_;
    bool firstShow_ = true;
    bool closed_ = false;
    size_t logShown_ = 0;
    int countdownTimed_ = 0; // the engine's countdown the timer runs for
    bool recordSaved_ = false;
    // What the lists show, so that only a change refills them (a refill loses the selection).
    std::vector<int32_t> shownBooster_;
    std::vector<int32_t> shownPicks_;
    int shownSeat_ = -1;
    int shownSortMode_ = -1;
    bool listsShown_ = false;
    bool showChoice_ = false; // the drafters' choice outlined in the user's booster
    int pauses_ = 0;          // questions open over the table
    int pausedRemaining_ = 0; // the milliseconds of the current second left when paused
    bool pausedTimer_ = false;
    std::unique_ptr<Prompter> pausingPrompter_;
    std::unique_ptr<ScopedPrompter> pausingScope_;

    QMenuBar* menuBar_;
    QAction* viewCardInfo_;
    QAction* confirmPicks_;
    TCardListView* listView_;
    QPushButton* button1_;
    QLineEdit* editTimer_;
    QTabBar* tabControlDecks_;
    QCheckBox* checkBoxShowDeck_;
    QToolButton* speedButtonSave_;
    QToolButton* speedButtonSaveAll_;
    QToolButton* speedButtonDesign_;
    QPushButton* buttonReview_;
    TCardListView* listViewDeck_;
    TCurveChart* curveDeck_; // the shown seat's picks by converted cost
    QLabel* labelColours_;   // ...and by colour
    QPlainTextEdit* memoDebug_;
    QTimer* timer_;
};

} // namespace tovel
