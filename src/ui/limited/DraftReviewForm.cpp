#include "ui/limited/DraftReviewForm.h"

#include "core/carddb/CardText.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "ui/app/Openers.h"
#include "ui/infra/CostDelegate.h"
#include "ui/infra/QtText.h"
#include "ui/infra/WaitCursor.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tovel {

namespace {

enum BoosterColumn { kColumnMark, kColumnCard, kColumnCost, kColumnValue, kColumnBack };
// The booster's cost cells carry their card for the cost drawing.
constexpr int kCardRole = Qt::UserRole + 1;

QString HowText(TPickHow how) {
    switch (how) {
    case TPickHow::User:
        return QStringLiteral("taken by the user");
    case TPickHow::Timeout:
        return QStringLiteral("taken by the countdown");
    case TPickHow::Drafter:
        break;
    }
    return QStringLiteral("taken by the computer drafter");
}

QString SeatName(int seat) {
    return seat == 0 ? QStringLiteral("Me") : QStringLiteral("Seat %1").arg(seat + 1);
}

// The colours of the picks as a small table: a column per colour, then the colourless ones.
QString ColorsTable(const TColorCounts& counts) {
    QString heads, cells;
    auto column = [&](const QString& head, int count) {
        heads += QStringLiteral("<td align=center>%1</td>").arg(head);
        cells += QStringLiteral("<td align=center>%1</td>").arg(count);
    };
    for (size_t c = 0; c < kColorLetters.size(); ++c)
        column(QString(QLatin1Char(kColorLetters[c])), counts.Colors[c]);
    column(QStringLiteral("Colourless"), counts.Colorless);
    if (counts.Unknown > 0)
        column(QStringLiteral("Unknown"), counts.Unknown);
    return QStringLiteral("<table cellspacing=0 cellpadding=2 border=1><tr><td>Colour</td>%1</tr>"
                          "<tr><td>Cards</td>%2</tr></table>")
        .arg(heads, cells);
}

// The curve as a small table: the converted costs over the number of cards of each.
QString CurveTable(const std::array<int, kCurveColumns>& curve) {
    QString costs, counts;
    for (int cost = 0; cost < kCurveColumns; ++cost) {
        costs += QStringLiteral("<td align=center>%1%2</td>")
                     .arg(cost)
                     .arg(cost == kCurveColumns - 1 ? QStringLiteral("+") : QString());
        counts += QStringLiteral("<td align=center>%1</td>").arg(curve[static_cast<size_t>(cost)]);
    }
    return QStringLiteral("<table cellspacing=0 cellpadding=2 border=1><tr><td>Cost</td>%1</tr>"
                          "<tr><td>Cards</td>%2</tr></table>")
        .arg(costs, counts);
}

} // namespace

TDraftReviewForm::TDraftReviewForm(TDraftRecord record, const TCardsList& cards, QWidget* parent)
    : QDialog(parent), record_(std::move(record)), links_(LinkRecordCards(record_, cards)) {
    setObjectName(QStringLiteral("DraftReviewForm"));
    setWindowTitle(QStringLiteral("Draft review"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(900, 620);
    QLayout* top = BuildTopRow();
    BuildStepsAndBooster();
    QWidget* picks = BuildPicks();
    LayOut(top, picks);
    ConnectSteps();
    ShowSeat(0);
    listSteps_->setFocus();
}

QLayout* TDraftReviewForm::BuildTopRow() {
    comboBoxSeat_ = new QComboBox(this);
    comboBoxSeat_->setObjectName(QStringLiteral("ComboBoxSeat"));
    for (int seat = 0; seat < kTableSeats; ++seat)
        comboBoxSeat_->addItem(SeatName(seat));
    buttonPrevious_ = new QPushButton(QStringLiteral("< Previous"), this);
    buttonPrevious_->setObjectName(QStringLiteral("ButtonPrevious"));
    buttonNext_ = new QPushButton(QStringLiteral("Next >"), this);
    buttonNext_->setObjectName(QStringLiteral("ButtonNext"));
    for (QPushButton* button : {buttonPrevious_, buttonNext_}) {
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
    }
    labelStep_ = new QLabel(this);
    labelStep_->setObjectName(QStringLiteral("LabelStep"));
    QFont bold = labelStep_->font();
    bold.setBold(true);
    labelStep_->setFont(bold);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Seat:"), this));
    top->addWidget(comboBoxSeat_);
    top->addWidget(buttonPrevious_);
    top->addWidget(buttonNext_);
    top->addSpacing(12);
    top->addWidget(labelStep_, 1);
    return top;
}

void TDraftReviewForm::BuildStepsAndBooster() {
    listSteps_ = new QListWidget(this);
    listSteps_->setObjectName(QStringLiteral("ListSteps"));
    listSteps_->setUniformItemSizes(true);

    treeBooster_ = new QTreeWidget(this);
    treeBooster_->setObjectName(QStringLiteral("TreeBooster"));
    treeBooster_->setRootIsDecorated(false);
    treeBooster_->setUniformRowHeights(true);
    treeBooster_->setSelectionMode(QAbstractItemView::NoSelection);
    treeBooster_->setFocusPolicy(Qt::NoFocus);
    treeBooster_->setHeaderLabels({QString(), QStringLiteral("Booster"), QStringLiteral("Cost"),
                                   QStringLiteral("Value"), QStringLiteral("Came back")});
    treeBooster_->header()->setStretchLastSection(false);
    treeBooster_->header()->setSectionResizeMode(kColumnCard, QHeaderView::Stretch);
    treeBooster_->setColumnWidth(kColumnMark, 28);
    treeBooster_->setColumnWidth(kColumnCost, 90);
    treeBooster_->setItemDelegateForColumn(kColumnCost, new TCostDelegate(kCardRole, treeBooster_));
    treeBooster_->setColumnWidth(kColumnValue, 50);
    treeBooster_->setColumnWidth(kColumnBack, 80);
}

QWidget* TDraftReviewForm::BuildPicks() {
    labelPicks_ = new QLabel(this);
    labelPicks_->setObjectName(QStringLiteral("LabelPicks"));
    labelPicks_->setWordWrap(true);
    listPicks_ = new QListWidget(this);
    listPicks_->setObjectName(QStringLiteral("ListPicks"));
    listPicks_->setUniformItemSizes(true);
    listPicks_->setFocusPolicy(Qt::NoFocus);
    auto* picks = new QWidget(this);
    auto* picksLayout = new QVBoxLayout(picks);
    picksLayout->setContentsMargins(0, 0, 0, 0);
    picksLayout->addWidget(labelPicks_);
    picksLayout->addWidget(listPicks_, 1);
    return picks;
}

void TDraftReviewForm::LayOut(QLayout* top, QWidget* picks) {
    auto* steps = new QSplitter(Qt::Horizontal, this);
    steps->addWidget(listSteps_);
    steps->addWidget(treeBooster_);
    steps->addWidget(picks);
    steps->setChildrenCollapsible(false);
    steps->setSizes({210, 420, 270});

    textSummary_ = new QTextBrowser(this);
    textSummary_->setObjectName(QStringLiteral("TextSummary"));
    textSummary_->setFocusPolicy(Qt::NoFocus);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(steps);
    split->addWidget(textSummary_);
    split->setChildrenCollapsible(false);
    split->setSizes({400, 220});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
}

void TDraftReviewForm::ConnectSteps() {
    // Left and Right step through the picks wherever the focus is; Up and Down move in the list.
    listSteps_->installEventFilter(this);
    comboBoxSeat_->installEventFilter(this);
    connect(buttonPrevious_, &QPushButton::clicked, this, &TDraftReviewForm::PreviousStep);
    connect(buttonNext_, &QPushButton::clicked, this, &TDraftReviewForm::NextStep);
    connect(listSteps_, &QListWidget::currentRowChanged, this, &TDraftReviewForm::ShowStep);
    connect(comboBoxSeat_, &QComboBox::currentIndexChanged, this, &TDraftReviewForm::ShowSeat);
}

bool TDraftReviewForm::StepKey(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier)
        return false;
    if (event->key() == Qt::Key_Left)
        PreviousStep();
    else if (event->key() == Qt::Key_Right)
        NextStep();
    else
        return false;
    return true;
}

void TDraftReviewForm::keyPressEvent(QKeyEvent* event) {
    if (!StepKey(event))
        QDialog::keyPressEvent(event);
}

bool TDraftReviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && StepKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

QString TDraftReviewForm::CardText(int32_t key) const {
    const TCardItem* card = links_[static_cast<size_t>(key)];
    return card ? FromCp1252(card->Name)
                : FromCp1252(record_.Key(key)) + QStringLiteral(" (not in the database)");
}

void TDraftReviewForm::ShowSeat(int seat) {
    if (seat < 0 || seat >= kTableSeats)
        return;
    seat_ = seat;
    if (comboBoxSeat_->currentIndex() != seat) {
        const QSignalBlocker blocker(comboBoxSeat_);
        comboBoxSeat_->setCurrentIndex(seat);
    }
    steps_ = SeatSteps(record_, seat);
    {
        const QSignalBlocker blocker(listSteps_);
        listSteps_->clear();
        for (int index : steps_) {
            const TPickStep& step = record_.Steps[static_cast<size_t>(index)];
            listSteps_->addItem(FromUtf8(StepLabel(step)) + QStringLiteral("  ") + CardText(step.Taken()));
        }
    }
    stepIndex_ = -1;
    ShowSummary();
    ShowStep(0);
}

void TDraftReviewForm::ShowStep(int index) {
    if (steps_.empty()) {
        labelStep_->setText(QStringLiteral("No picks recorded for this seat"));
        treeBooster_->clear();
        ShowPicks({});
        buttonPrevious_->setEnabled(false);
        buttonNext_->setEnabled(false);
        return;
    }
    index = std::clamp(index, 0, static_cast<int>(steps_.size()) - 1);
    stepIndex_ = index;
    if (listSteps_->currentRow() != index) {
        const QSignalBlocker blocker(listSteps_);
        listSteps_->setCurrentRow(index);
    }
    buttonPrevious_->setEnabled(index > 0);
    buttonNext_->setEnabled(index + 1 < static_cast<int>(steps_.size()));

    const int recordStep = steps_[static_cast<size_t>(index)];
    const TPickStep& step = record_.Steps[static_cast<size_t>(recordStep)];
    labelStep_->setText(QStringLiteral("%1, booster %2: %3, %4")
                            .arg(FromUtf8(StepLabel(step)))
                            .arg(step.Booster)
                            .arg(CardText(step.Taken()), HowText(step.How)));

    const std::vector<bool> wheeled = WheeledCards(record_, recordStep);
    treeBooster_->clear();
    QList<QTreeWidgetItem*> rows;
    for (size_t i = 0; i < step.Cards.size(); ++i) {
        const int32_t key = step.Cards[i];
        const TCardItem* card = links_[static_cast<size_t>(key)];
        auto* row = new QTreeWidgetItem;
        row->setText(kColumnCard, CardText(key));
        if (card) {
            row->setToolTip(kColumnCost, FromCp1252(card->Cost));
            row->setData(kColumnCost, kCardRole, QVariant::fromValue(reinterpret_cast<quintptr>(card)));
            row->setText(kColumnValue, QString::number(card->Value));
        }
        if (wheeled[i])
            row->setText(kColumnBack, QStringLiteral("wheeled"));
        if (static_cast<int>(i) == step.TakenAt) {
            row->setText(kColumnMark, QStringLiteral("\u2605"));
            QFont font = treeBooster_->font();
            font.setBold(true);
            for (int column = 0; column < treeBooster_->columnCount(); ++column) {
                row->setFont(column, font);
                row->setBackground(column, palette().highlight());
                row->setForeground(column, palette().highlightedText());
            }
        }
        rows << row;
    }
    treeBooster_->addTopLevelItems(rows);
    ShowPicks(PicksBefore(record_, recordStep));
}

void TDraftReviewForm::ShowPicks(const std::vector<int32_t>& picks) {
    labelPicks_->setText(
        QStringLiteral("<b>Picks so far: %1</b><br>%2<br>%3")
            .arg(picks.size())
            .arg(ColorsTable(CountColors(picks, links_)), CurveTable(ManaCurve(picks, links_))));
    listPicks_->clear();
    for (int32_t key : picks)
        listPicks_->addItem(CardText(key));
}

void TDraftReviewForm::ShowSummary() {
    const TSeatSummary summary = SummarizeSeat(record_, links_, seat_);
    QString html = QStringLiteral("<table cellspacing=0 cellpadding=0><tr><td valign=top>"
                                  "<b>%1</b>: colours of the picks by pack turn, and the first pick of each"
                                  "<table cellspacing=0 cellpadding=3 border=1><tr><th>Pack</th>")
                       .arg(SeatName(seat_).toHtmlEscaped());
    for (char letter : kColorLetters)
        html += QStringLiteral("<th>%1</th>").arg(QLatin1Char(letter));
    html += QStringLiteral("<th>Colourless</th><th>First pick</th></tr>");
    for (size_t turn = 0; turn < summary.ColorsByTurn.size(); ++turn) {
        const TColorCounts& counts = summary.ColorsByTurn[turn];
        html += QStringLiteral("<tr><td>%1</td>").arg(turn + 1);
        for (int count : counts.Colors)
            html += QStringLiteral("<td align=center>%1</td>").arg(count);
        const int32_t first = summary.FirstPicks[turn];
        html += QStringLiteral("<td align=center>%1</td><td>%2</td></tr>")
                    .arg(counts.Colorless)
                    .arg(first < 0 ? QString() : CardText(first).toHtmlEscaped());
    }
    html += QStringLiteral("</table></td>");
    if (seat_ == 0) {
        html += QStringLiteral("<td width=24></td><td valign=top>"
                               "<b>Signals</b>: cards of value %1 or more seen after pick %2, by colour"
                               "<table cellspacing=0 cellpadding=3 border=1><tr><th>Pack</th>")
                    .arg(kSignalValue)
                    .arg(kSignalAfterPick);
        for (char letter : kColorLetters)
            html += QStringLiteral("<th>%1</th>").arg(QLatin1Char(letter));
        html += QStringLiteral("</tr>");
        for (size_t turn = 0; turn < summary.Signals.size(); ++turn) {
            html += QStringLiteral("<tr><td>%1</td>").arg(turn + 1);
            for (int count : summary.Signals[turn])
                html += QStringLiteral("<td align=center>%1</td>").arg(count);
            html += QStringLiteral("</tr>");
        }
        html += QStringLiteral("</table></td>");
    }
    textSummary_->setHtml(html + QStringLiteral("</tr></table>"));
}

void ReviewDraft(const TDraftRecord& record, const TCardsList& cards, QWidget* parent) {
    TDraftReviewForm form(record, cards, parent);
    form.exec();
}

// How many faults of a record that cannot be read the message lists.
constexpr int kListedRecordFaults = 20;

// "Open draft record...": asks for a record in Drafts/, loads the card database and reviews it.
void OpenDraftRecord() {
    const std::string path =
        AskOpenFileName(ProgramPath(kDraftRecordFolder), kDraftRecordExtension, kDraftRecordFilter);
    if (path.empty())
        return;
    // A record that cannot be read shows nothing of it: only what is wrong, line by line.
    std::string faults;
    int faultCount = 0;
    TDraftRecord record;
    try {
        record = ReadDraftRecord(path, [&](int line, const std::string& fault) {
            if (++faultCount <= kListedRecordFaults)
                faults += "\nLine " + std::to_string(line) + ": " + fault;
        });
    } catch (const Error& e) {
        if (faultCount > kListedRecordFaults)
            faults += "\n... and " + std::to_string(faultCount - kListedRecordFaults) + " more";
        ShowError("The draft record cannot be read: " + std::string(e.what()) + faults);
        return;
    }
    // The record names its cards by key; whatever the database still has is shown in full.
    TCardsList cards;
    {
        WaitCursor cursor;
        if (FileExists(ProgramPath("Data/base.txt")))
            DefaultCardLoader()(cards, "");
    }
    TDraftReviewForm form(std::move(record), cards, QApplication::activeWindow());
    form.exec();
}

} // namespace tovel
