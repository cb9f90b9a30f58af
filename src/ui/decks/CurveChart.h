#pragma once

// The mana-curve bar chart: one column per converted cost 0 .. 6 and 7+, creatures at the
// bottom of each bar and other spells stacked on them, the column's total above it.

#include "core/decks/DeckStats.h"

#include <QWidget>

namespace tovel {

class TCurveChart final : public QWidget {
    Q_OBJECT
public:
    explicit TCurveChart(QWidget* parent = nullptr);

    void SetStatistics(const TDeckStatistics& stats);
    int64_t Creatures(int column) const { return creatures_[static_cast<size_t>(column)]; }
    int64_t Others(int column) const { return others_[static_cast<size_t>(column)]; }

    QSize sizeHint() const override { return {210, 100}; }
    QSize minimumSizeHint() const override { return {120, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<int64_t, kCurveColumns> creatures_{};
    std::array<int64_t, kCurveColumns> others_{};
};

} // namespace tovel
