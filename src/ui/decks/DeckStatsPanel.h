#pragma once

// The designer's figures beside the curve chart: the average cost of the main deck's spells,
// its coloured symbols per colour and the basic lands that would suit it, with a button that
// applies them.

#include "core/decks/DeckStats.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace tovel {

class TDeckStatsPanel final : public QWidget {
    Q_OBJECT
public:
    explicit TDeckStatsPanel(QWidget* parent = nullptr);

    // `current` are the main deck's land counters: the button is offered only for a change.
    void Show(const TDeckStatistics& stats, const TLandSuggestion& suggestion,
              const std::array<int32_t, 5>& current);

    QPushButton* ApplyButton() const { return apply_; }

signals:
    void ApplyLands();

private:
    QLabel* average_;
    std::array<QLabel*, 5> symbols_{};
    QLabel* lands_;
    QPushButton* apply_;
};

} // namespace tovel
