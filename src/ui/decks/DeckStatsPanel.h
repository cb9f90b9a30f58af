#pragma once

// The designer's deck panel: the main deck's mana curve, its coloured symbols per colour, the
// average cost of its spells and the basic lands that would suit it, with a button applying them.

#include "core/decks/DeckStats.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace tovel {

class TCurveChart;

class TDeckStatsPanel final : public QWidget {
    Q_OBJECT
public:
    explicit TDeckStatsPanel(QWidget* parent = nullptr);

    // `current` are the main deck's land counters: the button is offered only for a change.
    void Show(const TDeckStatistics& stats, const TLandSuggestion& suggestion,
              const std::array<int32_t, 5>& current);

    TCurveChart* Chart() const { return chart_; }
    QPushButton* ApplyButton() const { return apply_; }

signals:
    void ApplyLands();

private:
    TCurveChart* chart_;
    QLabel* average_;
    std::array<QLabel*, 5> symbols_{};
    QLabel* lands_;
    QPushButton* apply_;
};

} // namespace tovel
