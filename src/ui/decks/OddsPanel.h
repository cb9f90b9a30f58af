#pragma once

// The designer's "Odds" panel: the exact odds of the main deck on the play or on the draw. A
// small bar chart of the lands in the opening seven, the land drops of turns 1 to 6, and each
// spell's chance to be cast on curve (coloured by how it reads) with the chance given the land
// drops.

#include "core/decks/DeckOdds.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QTreeWidget;

namespace tovel {

// The opening seven's lands as bars 0 .. 7, the keepable ones (2 to 5) in their own colour.
class TOpeningChart final : public QWidget {
    Q_OBJECT
public:
    explicit TOpeningChart(QWidget* parent = nullptr);
    void SetChances(const std::array<double, 8>& chances);
    double Chance(int lands) const { return chances_[static_cast<size_t>(lands)]; }

    QSize sizeHint() const override { return {220, 90}; }
    QSize minimumSizeHint() const override { return {120, 60}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<double, 8> chances_{};
};

class TOddsPanel final : public QWidget {
    Q_OBJECT
public:
    explicit TOddsPanel(QWidget* parent = nullptr);

    // The main deck's odds, as the switch asks for them.
    void Show(const TDeckOdds& odds);
    bool OnTheDraw() const;
    void SetOnTheDraw(bool onTheDraw);

    QComboBox* PlayDrawSwitch() const { return playDraw_; }
    TOpeningChart* Chart() const { return chart_; }
    QLabel* LandDrop(int turn) const { return landDrops_[static_cast<size_t>(turn - 1)]; }
    QLabel* Keepable() const { return keepable_; }
    QTreeWidget* OnCurve() const { return onCurve_; }

signals:
    // The play/draw switch changed: the window shows the odds afresh.
    void PlayDrawChanged();

private:
    QComboBox* playDraw_;
    TOpeningChart* chart_;
    QLabel* keepable_;
    std::array<QLabel*, kLandDropTurns> landDrops_{};
    QTreeWidget* onCurve_;
};

} // namespace tovel
