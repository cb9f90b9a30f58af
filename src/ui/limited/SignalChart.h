#pragma once

// The signals of a seat as bars: for each pack turn, the share of each colour's value among the
// cards seen late in the turn, the largest named "open".

#include "core/limited/DraftReview.h"

#include <QWidget>

namespace tovel {

class TSignalChart final : public QWidget {
    Q_OBJECT
public:
    explicit TSignalChart(QWidget* parent = nullptr);

    void SetSummary(const TSeatSummary& summary);
    double Share(int turn, int color) const {
        return signals_[static_cast<size_t>(turn)][static_cast<size_t>(color)];
    }
    // The colour named "open" in a pack turn, -1 when none.
    int OpenColor(int turn) const { return open_[static_cast<size_t>(turn)]; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<std::array<double, 5>, 3> signals_{};
    std::array<int, 3> open_{-1, -1, -1};
};

} // namespace tovel
