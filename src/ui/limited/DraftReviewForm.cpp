#include "ui/limited/DraftReviewForm.h"

#include "core/carddb/CardText.h"
#include "core/decks/DeckDesigner.h"
#include "core/decks/DeckFile.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "ui/Openers.h"
#include "ui/cardviews/CostDelegate.h"
#include "ui/decks/CardListView.h"
#include "ui/limited/SignalChart.h"
#include "ui/platform/QtText.h"
#include "ui/wait/WaitCursor.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tovel {

namespace {

enum BoosterColumn { kColumnMark, kColumnCard, kColumnCost, kColumnValue, kColumnBack, kColumnScore };
// The booster's cost cells carry their card for the cost drawing.
constexpr int kCardRole = Qt::UserRole + 1;
constexpr int kGradeRole = TDraftReviewForm::kStepGradeRole;
const QColor kAgreeColour(46, 125, 50);
const QColor kLossColour(190, 40, 30);

// Draws a step's grade right-aligned after its text.
class TStepGradeDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QString grade = index.data(kGradeRole).toString();
        QFont bold = option.font;
        bold.setBold(true);
        // The step's text is cut short before the grade rather than run under it.
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const int gradeWidth = grade.isEmpty() ? 0 : QFontMetrics(bold).horizontalAdvance(grade) + 12;
        item.text =
            item.fontMetrics.elidedText(item.text, Qt::ElideRight, item.rect.width() - gradeWidth - 6);
        const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        if (grade.isEmpty())
            return;
        painter->save();
        painter->setFont(bold);
        painter->setPen(grade.startsWith(QLatin1Char('-')) ? kLossColour : kAgreeColour);
        painter->drawText(option.rect.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, grade);
        painter->restore();
    }
};

QString HowText(TPickHow how) {
    switch (how) {
    case TPickHow::User:
        return TDraftReviewForm::tr("taken by the user");
    case TPickHow::Timeout:
        return TDraftReviewForm::tr("taken by the countdown");
    case TPickHow::Drafter:
        break;
    }
    return TDraftReviewForm::tr("taken by the computer drafter");
}

QString SeatName(int seat) {
    return seat == 0 ? TDraftReviewForm::tr("Me") : TDraftReviewForm::tr("Seat %1").arg(seat + 1);
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
    column(TDraftReviewForm::tr("Colourless"), counts.Colorless);
    if (counts.Unknown > 0)
        column(TDraftReviewForm::tr("Unknown"), counts.Unknown);
    return QStringLiteral("<table cellspacing=0 cellpadding=2 border=1><tr><td>%1</td>%2</tr>"
                          "<tr><td>%3</td>%4</tr></table>")
        .arg(TDraftReviewForm::tr("Colour"), heads, TDraftReviewForm::tr("Cards"), cells);
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
    return QStringLiteral("<table cellspacing=0 cellpadding=2 border=1><tr><td>%1</td>%2</tr>"
                          "<tr><td>%3</td>%4</tr></table>")
        .arg(TDraftReviewForm::tr("Cost"), costs, TDraftReviewForm::tr("Cards"), counts);
}

} // namespace

// The booster of a step, the best card by the drafters' rule outlined.
class TBoosterTree final : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    int BestRow() const { return bestRow_; }
    void SetBestRow(int row) {
        bestRow_ = row;
        viewport()->update();
    }

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override {
        QTreeWidget::drawRow(painter, option, index);
        if (index.row() == bestRow_ && !index.parent().isValid())
            DrawRowOutline(*painter, option.rect, viewport()->width());
    }

private:
    int bestRow_ = -1;
};

TDraftReviewForm::TDraftReviewForm(TDraftRecord record, const TCardsList& cards, QWidget* parent)
    : QDialog(parent), record_(std::move(record)), links_(LinkRecordCards(record_, cards)), cards_(cards) {
    setObjectName(QStringLiteral("DraftReviewForm"));
    setWindowTitle(tr("Draft review"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1100, 760);
    QLayout* top = BuildTopRow();
    BuildStepsAndBooster();
    QWidget* steps = BuildPicks();
    QWidget* signalsPanel = BuildSummaryAndSignals();
    QWidget* standingsPanel = BuildStandings();
    LayOut(top, steps, standingsPanel, signalsPanel);
    ConnectControls();

    grade_ = GradeDraft(record_, links_, 0);

    ShowSeat(0);
    listSteps_->setFocus();
}

QLayout* TDraftReviewForm::BuildTopRow() {
    comboBoxSeat_ = new QComboBox(this);
    comboBoxSeat_->setObjectName(QStringLiteral("ComboBoxSeat"));
    for (int seat = 0; seat < kTableSeats; ++seat)
        comboBoxSeat_->addItem(SeatName(seat));
    buttonPrevious_ = new QPushButton(tr("< Previous"), this);
    buttonPrevious_->setObjectName(QStringLiteral("ButtonPrevious"));
    buttonNext_ = new QPushButton(tr("Next >"), this);
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
    top->addWidget(new QLabel(tr("Seat:"), this));
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
    listSteps_->setItemDelegate(new TStepGradeDelegate(listSteps_));

    treeBooster_ = new TBoosterTree(this);
    treeBooster_->setObjectName(QStringLiteral("TreeBooster"));
    treeBooster_->setRootIsDecorated(false);
    treeBooster_->setUniformRowHeights(true);
    treeBooster_->setSelectionMode(QAbstractItemView::NoSelection);
    treeBooster_->setFocusPolicy(Qt::NoFocus);
    treeBooster_->setHeaderLabels(
        {QString(), tr("Booster"), tr("Cost"), tr("Value"), tr("Came back"), tr("Score")});
    treeBooster_->headerItem()->setToolTip(kColumnScore, tr("The card's score for the computer drafters "
                                                            "with this seat's picks so far"));
    treeBooster_->header()->setStretchLastSection(false);
    treeBooster_->header()->setSectionResizeMode(kColumnCard, QHeaderView::Stretch);
    treeBooster_->setColumnWidth(kColumnMark, 28);
    treeBooster_->setColumnWidth(kColumnCost, 90);
    treeBooster_->setItemDelegateForColumn(kColumnCost, new TCostDelegate(kCardRole, treeBooster_));
    treeBooster_->setColumnWidth(kColumnValue, 50);
    treeBooster_->setColumnWidth(kColumnBack, 80);
    treeBooster_->setColumnWidth(kColumnScore, 50);
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

    auto* steps = new QSplitter(Qt::Horizontal, this);
    steps->addWidget(listSteps_);
    steps->addWidget(treeBooster_);
    steps->addWidget(picks);
    steps->setChildrenCollapsible(false);
    steps->setSizes({250, 500, 330});
    return steps;
}

QWidget* TDraftReviewForm::BuildSummaryAndSignals() {
    textSummary_ = new QTextBrowser(this);
    textSummary_->setObjectName(QStringLiteral("TextSummary"));
    textSummary_->setFocusPolicy(Qt::NoFocus);
    signalChart_ = new TSignalChart(this);
    auto* signalsPanel = new QWidget(this);
    auto* signalsLayout = new QVBoxLayout(signalsPanel);
    signalsLayout->setContentsMargins(0, 0, 0, 0);
    auto* signalsLabel = new QLabel(
        tr("<b>Signals</b>: each colour's share of the value seen after pick %1").arg(kSignalAfterPick),
        this);
    signalsLabel->setWordWrap(true);
    signalsLayout->addWidget(signalsLabel);
    signalsLayout->addWidget(signalChart_, 1);
    return signalsPanel;
}

QWidget* TDraftReviewForm::BuildStandings() {
    treeStandings_ = new QTreeWidget(this);
    treeStandings_->setObjectName(QStringLiteral("TreeStandings"));
    treeStandings_->setRootIsDecorated(false);
    treeStandings_->setUniformRowHeights(true);
    treeStandings_->setHeaderLabels({tr("Place"), tr("Seat"), tr("Colours"), tr("Score")});
    treeStandings_->setToolTip(tr("Double-click a seat to review its picks"));
    for (int column = 0; column < 4; ++column)
        treeStandings_->setColumnWidth(column, column == 1 ? 70 : 55);
    buttonDesign_ = new QPushButton(tr("Open in designer"), this);
    buttonDesign_->setObjectName(QStringLiteral("ButtonDesign"));
    buttonSaveDeck_ = new QPushButton(tr("Save deck..."), this);
    buttonSaveDeck_->setObjectName(QStringLiteral("ButtonSaveDeck"));
    for (QPushButton* button : {buttonDesign_, buttonSaveDeck_})
        button->setAutoDefault(false);
    auto* standingsPanel = new QWidget(this);
    auto* standingsLayout = new QVBoxLayout(standingsPanel);
    standingsLayout->setContentsMargins(0, 0, 0, 0);
    auto* standingsLabel = new QLabel(tr("<b>Standings</b>: each seat's picks built into a deck"), this);
    standingsLabel->setWordWrap(true);
    standingsLayout->addWidget(standingsLabel);
    standingsLayout->addWidget(treeStandings_, 1);
    auto* deckButtons = new QHBoxLayout;
    deckButtons->addWidget(buttonDesign_);
    deckButtons->addWidget(buttonSaveDeck_);
    standingsLayout->addLayout(deckButtons);
    return standingsPanel;
}

void TDraftReviewForm::LayOut(QLayout* top, QWidget* steps, QWidget* standingsPanel, QWidget* signalsPanel) {
    auto* summary = new QSplitter(Qt::Horizontal, this);
    summary->addWidget(textSummary_);
    summary->addWidget(standingsPanel);
    summary->addWidget(signalsPanel);
    summary->setChildrenCollapsible(false);
    summary->setSizes({480, 270, 330});

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(steps);
    split->addWidget(summary);
    split->setChildrenCollapsible(false);
    split->setSizes({420, 320});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
}

void TDraftReviewForm::ConnectControls() {
    // Left and Right step through the picks wherever the focus is; Up and Down move in the list.
    listSteps_->installEventFilter(this);
    comboBoxSeat_->installEventFilter(this);
    connect(buttonPrevious_, &QPushButton::clicked, this, &TDraftReviewForm::PreviousStep);
    connect(buttonNext_, &QPushButton::clicked, this, &TDraftReviewForm::NextStep);
    connect(listSteps_, &QListWidget::currentRowChanged, this, &TDraftReviewForm::ShowStep);
    connect(comboBoxSeat_, &QComboBox::currentIndexChanged, this, &TDraftReviewForm::ShowSeat);
    connect(treeStandings_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { ShowSeat(item->data(1, Qt::UserRole).toInt()); });
    connect(buttonDesign_, &QPushButton::clicked, this, [this] { OpenSeatDeck(StandingsSeat()); });
    connect(buttonSaveDeck_, &QPushButton::clicked, this, [this] { SaveSeatDeck(StandingsSeat()); });
}

int TDraftReviewForm::OutlinedRow() const {
    return treeBooster_->BestRow();
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
    return card ? FromCp1252(card->Name) : tr("%1 (not in the database)").arg(FromCp1252(record_.Key(key)));
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
    grade_.Seat = seat;
    grade_.Picks = GradePicks(record_, links_, seat);
    {
        const QSignalBlocker blocker(listSteps_);
        listSteps_->clear();
        for (size_t i = 0; i < steps_.size(); ++i) {
            const TPickStep& step = record_.Steps[static_cast<size_t>(steps_[i])];
            auto* item = new QListWidgetItem(FromUtf8(StepLabel(step)) + QStringLiteral("  ") +
                                             CardText(step.Taken()));
            const TPickGrade& grade = grade_.Picks[i];
            item->setData(kGradeRole,
                          grade.Agrees() ? QStringLiteral("\u2713") : QStringLiteral("-%1").arg(grade.Loss));
            item->setToolTip(grade.Agrees() ? tr("The drafters would have taken this card too")
                                            : tr("The drafters' choice, %1, scored %2 more")
                                                  .arg(CardText(step.Cards[static_cast<size_t>(grade.Best)]))
                                                  .arg(grade.Loss));
            listSteps_->addItem(item);
        }
    }
    stepIndex_ = -1;
    ShowSummary();
    ShowStandings();
    ShowStep(0);
}

void TDraftReviewForm::ShowStep(int index) {
    if (steps_.empty()) {
        labelStep_->setText(tr("No picks recorded for this seat"));
        treeBooster_->clear();
        treeBooster_->SetBestRow(-1);
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
    const TPickGrade& grade = grade_.Picks[static_cast<size_t>(index)];
    labelStep_->setText(QStringLiteral("%1, booster %2: %3, %4")
                            .arg(FromUtf8(StepLabel(step)))
                            .arg(step.Booster)
                            .arg(CardText(step.Taken()), HowText(step.How)));
    labelStep_->setToolTip(grade.Agrees()
                               ? tr("Agrees with the drafters' choice")
                               : tr("The drafters' choice (outlined) scored %1 more").arg(grade.Loss));

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
            row->setText(kColumnBack, tr("wheeled"));
        row->setText(kColumnScore, QString::number(grade.Scores[i]));
        row->setTextAlignment(kColumnScore, Qt::AlignRight | Qt::AlignVCenter);
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
    treeBooster_->SetBestRow(grade.Best);
    ShowPicks(PicksBefore(record_, recordStep));
}

void TDraftReviewForm::ShowPicks(const std::vector<int32_t>& picks) {
    labelPicks_->setText(QStringLiteral("%1<br>%2<br>%3")
                             .arg(tr("<b>Picks so far: %1</b>").arg(picks.size()),
                                  ColorsTable(CountColors(picks, links_)),
                                  CurveTable(ManaCurve(picks, links_))));
    listPicks_->clear();
    for (int32_t key : picks)
        listPicks_->addItem(CardText(key));
}

void TDraftReviewForm::ShowSummary() {
    const TSeatSummary summary = SummarizeSeat(record_, links_, seat_);
    QString html = QStringLiteral("<table cellspacing=0 cellpadding=0><tr><td valign=top>%1"
                                  "<table cellspacing=0 cellpadding=3 border=1><tr><th>%2</th>")
                       .arg(tr("<b>%1</b>: colours of the picks by pack turn, and the first pick of each")
                                .arg(SeatName(seat_).toHtmlEscaped()),
                            tr("Pack"));
    for (char letter : kColorLetters)
        html += QStringLiteral("<th>%1</th>").arg(QLatin1Char(letter));
    html += QStringLiteral("<th>%1</th><th>%2</th></tr>").arg(tr("Colourless"), tr("First pick"));
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
    const TBuiltDeck& deck = grade_.Decks[static_cast<size_t>(seat_)];
    html +=
        QStringLiteral("</table></td></tr></table><p>") +
        tr("<b>Grade</b>: the picks against the computer drafters' choice<br>Built deck: %1, score %2, place "
           "%3 of %4<br>%5")
            .arg(FromUtf8(ColourSetText(deck.Colours)))
            .arg(deck.Score)
            .arg(grade_.Place(seat_))
            .arg(kTableSeats)
            .arg(FromCp1252(AgreementLine(grade_.Picks)).toHtmlEscaped());
    const std::vector<int> largest = LargestLosses(grade_.Picks, 3);
    if (!largest.empty())
        html += tr("<br>Largest losses:");
    for (int at : largest)
        html +=
            QStringLiteral("<br>&nbsp;&nbsp;%1")
                .arg(FromCp1252(LossLine(record_, grade_.Picks[static_cast<size_t>(at)])).toHtmlEscaped());
    textSummary_->setHtml(html + QStringLiteral("</p>"));
    signalChart_->SetSummary(summary);
}

void TDraftReviewForm::ShowStandings() {
    treeStandings_->clear();
    QList<QTreeWidgetItem*> rows;
    for (size_t place = 0; place < grade_.Standings.size(); ++place) {
        const int seat = grade_.Standings[place];
        const TBuiltDeck& deck = grade_.Decks[static_cast<size_t>(seat)];
        auto* row = new QTreeWidgetItem({QString::number(place + 1), SeatName(seat),
                                         FromUtf8(ColourSetText(deck.Colours)), QString::number(deck.Score)});
        row->setData(1, Qt::UserRole, seat);
        row->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        row->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        if (seat == seat_) {
            QFont bold = treeStandings_->font();
            bold.setBold(true);
            for (int column = 0; column < 4; ++column)
                row->setFont(column, bold);
        }
        rows << row;
    }
    treeStandings_->addTopLevelItems(rows);
    treeStandings_->setCurrentItem(rows[grade_.Place(seat_) - 1]);
}

int TDraftReviewForm::StandingsSeat() const {
    const QTreeWidgetItem* item = treeStandings_->currentItem();
    return item ? item->data(1, Qt::UserRole).toInt() : seat_;
}

std::string TDraftReviewForm::SeatDeckText(int seat) {
    const std::vector<int32_t> picks = SeatPicks(record_, seat);
    if (picks.empty()) {
        ShowError(kDeckIsEmpty);
        return {};
    }
    return FormatSeatDeck(record_, links_, cards_, picks, grade_.Decks[static_cast<size_t>(seat)]);
}

void TDraftReviewForm::OpenSeatDeck(int seat) {
    const std::string text = SeatDeckText(seat);
    if (text.empty())
        return;
    EnsureDirectory(ProgramPath("Temp"));
    WriteFileAtomically(HandOffDeckPath(), text);
    // Opened over the draft table, the cards are the table's: the designer keeps them as they are.
    OpenDeckDesignerOn(HandOffDeckPath(), &cards_ == &CardDatabase());
}

bool TDraftReviewForm::SaveSeatDeck(int seat) {
    const std::string text = SeatDeckText(seat);
    if (text.empty())
        return false;
    const std::string path =
        AskSaveTarget(ProgramPath(kDeckFolder), kDeckExtension, kDeckFilter, OverwriteDeckQuestion);
    if (path.empty())
        return false;
    WriteFileAtomically(path, text);
    return true;
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
                faults +=
                    "\n" +
                    ToUtf8(TDraftReviewForm::tr("Line %1: %2").arg(QString::number(line), FromUtf8(fault)));
        });
    } catch (const Error& e) {
        if (faultCount > kListedRecordFaults)
            faults +=
                "\n" + ToUtf8(TDraftReviewForm::tr("... and %1 more").arg(faultCount - kListedRecordFaults));
        ShowError(
            ToUtf8(TDraftReviewForm::tr("The draft record cannot be read: %1").arg(FromUtf8(e.what()))) +
            faults);
        return;
    }
    // The record names its cards by key; whatever the database still has is shown in full.
    TCardsList cards;
    {
        WaitCursor cursor;
        if (FileExists(ProgramPath(kCardDatabaseFile)))
            DefaultCardLoader()(cards, "");
    }
    TDraftReviewForm form(std::move(record), cards, QApplication::activeWindow());
    form.exec();
}

} // namespace tovel
