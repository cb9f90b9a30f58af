#include "ui/decks/DeckStatsPanel.h"

#include "ui/decks/CurveChart.h"
#include "ui/infra/QtText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovel {

namespace {

// The colours of the symbol figures, in BasicLandNames order (black, green, red, blue, white).
const std::array<QColor, 5> kSymbolColours = {QColor(30, 30, 30), QColor(0, 128, 0), QColor(200, 0, 0),
                                              QColor(0, 0, 230), QColor(150, 130, 40)};

} // namespace

TDeckStatsPanel::TDeckStatsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DeckStatsPanel"));
    chart_ = new TCurveChart(this);
    auto* legend = new QLabel(QStringLiteral("<span style='color:#2e7d32'>&#9632;</span> creatures "
                                             "<span style='color:#546ebe'>&#9632;</span> other spells"),
                              this);
    auto* chartColumn = new QVBoxLayout;
    chartColumn->setSpacing(0);
    chartColumn->addWidget(chart_, 1);
    chartColumn->addWidget(legend);

    average_ = new QLabel(this);
    average_->setObjectName(QStringLiteral("LabelAverageCost"));
    auto* symbolRow = new QHBoxLayout;
    symbolRow->setSpacing(8);
    for (size_t colour = 0; colour < 5; ++colour) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("LabelSymbols%1").arg(QChar::fromLatin1(kColourLetters[colour])));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kSymbolColours[colour]);
        label->setPalette(palette);
        symbolRow->addWidget(label);
        symbols_[colour] = label;
    }
    symbolRow->addStretch();
    lands_ = new QLabel(this);
    lands_->setObjectName(QStringLiteral("LabelSuggestedLands"));
    lands_->setWordWrap(true);
    apply_ = new QPushButton(QStringLiteral("Apply lands"), this);
    apply_->setObjectName(QStringLiteral("ButtonApplyLands"));
    apply_->setToolTip(QStringLiteral("Set the main deck's basic lands to the suggestion"));
    apply_->setFocusPolicy(Qt::NoFocus); // the buttons of the designer leave the focus in its lists
    connect(apply_, &QPushButton::clicked, this, &TDeckStatsPanel::ApplyLands);

    auto* facts = new QGridLayout;
    facts->setContentsMargins(0, 0, 0, 0);
    facts->setVerticalSpacing(2);
    facts->addWidget(new QLabel(QStringLiteral("Average cost:"), this), 0, 0);
    facts->addWidget(average_, 0, 1);
    facts->addWidget(new QLabel(QStringLiteral("Symbols:"), this), 1, 0);
    facts->addLayout(symbolRow, 1, 1);
    facts->addWidget(lands_, 2, 0, 1, 2);
    facts->addWidget(apply_, 3, 1, Qt::AlignLeft);
    facts->setColumnStretch(1, 1);
    facts->setRowStretch(4, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addLayout(chartColumn, 0);
    layout->addLayout(facts, 1);
}

void TDeckStatsPanel::Show(const TDeckStatistics& stats, const TLandSuggestion& suggestion,
                           const std::array<int32_t, 5>& current) {
    chart_->SetStatistics(stats);
    average_->setText(QString::number(stats.AverageCost(), 'f', 2));
    for (size_t colour = 0; colour < 5; ++colour)
        symbols_[colour]->setText(QStringLiteral("%1 %2").arg(
            QChar::fromLatin1(kColourLetters[colour]), FromUtf8(stats.SymbolText(static_cast<int>(colour)))));
    lands_->setText(FromUtf8(LandSuggestionText(suggestion)));
    apply_->setEnabled(suggestion.Suggested && suggestion.Lands != current);
}

} // namespace tovel
