#pragma once

// "Draft review": a draft record stepped through pick by pick for any seat. Each step shows the
// booster as it was, the card taken highlighted and how it was taken, the cards that came back
// to the seat later marked, and the seat's picks so far with their curve and colours; below, the
// seat's summary (colours by pack turn, first picks, and for the user the signals).

#include "core/carddb/CardsDB.h"
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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The constructor's steps, in order.
    QLayout* BuildTopRow();
    void BuildStepsAndBooster();
    QWidget* BuildPicks();
    void LayOut(QLayout* top, QWidget* picks);
    void ConnectSteps();
    // Left and Right: the previous and the next step. False for any other key.
    bool StepKey(QKeyEvent* event);
    QString CardText(int32_t key) const;
    void ShowPicks(const std::vector<int32_t>& picks);
    void ShowSummary();

    TDraftRecord record_;
    TCardLinks links_;
    int seat_ = 0;
    int stepIndex_ = -1;
    std::vector<int> steps_; // the seat's steps, indices into record_.Steps

    QComboBox* comboBoxSeat_;
    QPushButton* buttonPrevious_;
    QPushButton* buttonNext_;
    QListWidget* listSteps_;
    QLabel* labelStep_;
    QTreeWidget* treeBooster_;
    QLabel* labelPicks_;
    QListWidget* listPicks_;
    QTextBrowser* textSummary_;
};

// "Review draft" on the table: the record with the draft's cards, already loaded.
void ReviewDraft(const TDraftRecord& record, const TCardsList& cards, QWidget* parent);

} // namespace tovel
