#pragma once

// "Draft review": a draft record stepped through pick by pick for any seat. Each step shows the
// booster as it was, the card taken highlighted and how it was taken, the cards that came back
// to the seat later marked, the card the drafters would have taken outlined and each card's
// score, and the seat's picks so far with their curve and colours; below, the seat's summary
// (colours by pack turn, first picks, the grade of its picks), the standings of the eight seats'
// built decks, each of which opens in the deck designer or saves as a deck file, and the seat's
// signals as bars.

#include "core/carddb/CardsDB.h"
#include "core/limited/DraftGrade.h"
#include "core/limited/DraftRecord.h"
#include "core/limited/DraftReview.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLayout;
class QListWidget;
class QPushButton;
class QTextBrowser;
class QTreeWidget;

namespace tovel {

class TBoosterTree;
class TSignalChart;

class TDraftReviewForm final : public QDialog {
    Q_OBJECT
public:
    // The cards are looked up in `cards`, which must outlive the window; cards it lacks are
    // shown by their key.
    TDraftReviewForm(TDraftRecord record, const TCardsList& cards, QWidget* parent = nullptr);

    // The seat shown (0 the user) and its step (an index into that seat's steps).
    int Seat() const { return seat_; }
    int StepIndex() const { return stepIndex_; }
    void ShowSeat(int seat);
    void ShowStep(int index);
    void PreviousStep() { ShowStep(stepIndex_ - 1); }
    void NextStep() { ShowStep(stepIndex_ + 1); }
    // The booster's row outlined as the drafters' choice, -1 when none.
    int OutlinedRow() const;
    const TDraftGrade& Grade() const { return grade_; }

    // The seat of the standings' selected row (the seat shown unless another row was chosen).
    int StandingsSeat() const;
    // "Open in designer": the seat's built deck in the deck designer.
    void OpenSeatDeck(int seat);
    // "Save deck...": asks for a deck file and writes the seat's built deck; false when nothing
    // was written.
    bool SaveSeatDeck(int seat);

    // The step list's items hold their grade under this role: "✓" or "-N".
    static constexpr int kStepGradeRole = Qt::UserRole + 2;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The constructor's steps, in order. BuildPicks returns the splitter of the steps, the
    // booster and the picks.
    QLayout* BuildTopRow();
    void BuildStepsAndBooster();
    QWidget* BuildPicks();
    QWidget* BuildSummaryAndSignals();
    QWidget* BuildStandings();
    void LayOut(QLayout* top, QWidget* steps, QWidget* standingsPanel, QWidget* signalsPanel);
    void ConnectControls();
    // Left and Right: the previous and the next step. False for any other key.
    bool StepKey(QKeyEvent* event);
    QString CardText(int32_t key) const;
    void ShowPicks(const std::vector<int32_t>& picks);
    void ShowSummary();
    void ShowStandings();
    // The text of a seat's built deck as a deck file; an error is shown and empty is returned
    // when it cannot be made.
    std::string SeatDeckText(int seat);

    TDraftRecord record_;
    TCardLinks links_;
    int seat_ = 0;
    int stepIndex_ = -1;
    std::vector<int> steps_; // the seat's steps, indices into record_.Steps
    TDraftGrade grade_;      // the seat's picks, every seat's deck and the standings
    const TCardsList& cards_;

    QComboBox* comboBoxSeat_;
    QPushButton* buttonPrevious_;
    QPushButton* buttonNext_;
    QListWidget* listSteps_;
    QLabel* labelStep_;
    TBoosterTree* treeBooster_;
    QLabel* labelPicks_;
    QListWidget* listPicks_;
    QTextBrowser* textSummary_;
    QTreeWidget* treeStandings_;
    QPushButton* buttonDesign_;
    QPushButton* buttonSaveDeck_;
    TSignalChart* signalChart_;
};

// "Review draft" on the table: the record with the draft's cards, already loaded.
void ReviewDraft(const TDraftRecord& record, const TCardsList& cards, QWidget* parent);

} // namespace tovel
