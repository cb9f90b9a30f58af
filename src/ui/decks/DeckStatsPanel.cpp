#include "ui/decks/DeckStatsPanel.h"

#include "ui/platform/QtText.h"

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
    average_ = new QLabel(this);
    average_->setObjectName(QStringLiteral("LabelAverageCost"));
    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(new QLabel(tr("Average cost:"), this));
    top->addWidget(average_);
    top->addSpacing(8);
    top->addWidget(new QLabel(tr("Symbols:"), this));
    for (size_t colour = 0; colour < 5; ++colour) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("LabelSymbols%1").arg(QChar::fromLatin1(kColourLetters[colour])));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kSymbolColours[colour]);
        label->setPalette(palette);
        top->addWidget(label);
        symbols_[colour] = label;
    }
    top->addStretch();

    lands_ = new QLabel(this);
    lands_->setObjectName(QStringLiteral("LabelSuggestedLands"));
    // A long suggestion is cut rather than widening the window; its tooltip holds it whole.
    lands_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    apply_ = new QPushButton(tr("Apply lands"), this);
    apply_->setObjectName(QStringLiteral("ButtonApplyLands"));
    apply_->setToolTip(tr("Set the main deck's basic lands to the suggestion"));
    apply_->setFocusPolicy(Qt::NoFocus); // the buttons of the designer leave the focus in its lists
    connect(apply_, &QPushButton::clicked, this, &TDeckStatsPanel::ApplyLands);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lands_, 1);
    bottom->addWidget(apply_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 2);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addLayout(bottom);
}

void TDeckStatsPanel::Show(const TDeckStatistics& stats, const TLandSuggestion& suggestion,
                           const std::array<int32_t, 5>& current) {
    average_->setText(QString::number(stats.AverageCost(), 'f', 2));
    for (size_t colour = 0; colour < 5; ++colour)
        symbols_[colour]->setText(QStringLiteral("%1 %2").arg(
            QChar::fromLatin1(kColourLetters[colour]), FromUtf8(stats.SymbolText(static_cast<int>(colour)))));
    lands_->setText(FromUtf8(LandSuggestionText(suggestion)));
    lands_->setToolTip(lands_->text());
    apply_->setEnabled(suggestion.Suggested && suggestion.Lands != current);
}

} // namespace tovel
