#include "ui/limited/SignalChart.h"

#include "core/carddb/CardText.h"

#include <QPainter>

#include <cmath>

namespace tovel {

namespace {

// The bars' colours, W U B R G.
const std::array<QColor, 5> kBarColours = {QColor(222, 205, 140), QColor(52, 110, 200), QColor(70, 70, 70),
                                           QColor(205, 55, 45), QColor(46, 125, 50)};

QString Percent(double share) {
    return QStringLiteral("%1%").arg(std::lround(share * 100));
}

} // namespace

TSignalChart::TSignalChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SignalChart"));
}

void TSignalChart::SetSummary(const TSeatSummary& summary) {
    signals_ = summary.Signals;
    open_ = summary.OpenColors;
    QString tip =
        tr("The share of each colour's value among the cards seen after pick %1").arg(kSignalAfterPick);
    for (size_t turn = 0; turn < signals_.size(); ++turn) {
        tip += QLatin1Char('\n') + tr("Pack %1:").arg(turn + 1);
        for (size_t c = 0; c < kColorLetters.size(); ++c)
            tip +=
                QStringLiteral(" %1 %2").arg(QLatin1Char(kColorLetters[c])).arg(Percent(signals_[turn][c]));
    }
    setToolTip(tip);
    update();
}

QSize TSignalChart::sizeHint() const {
    // A caption and five rows of a line each; three pack turns of about 14 characters.
    const QFontMetrics metrics = fontMetrics();
    return {3 * metrics.horizontalAdvance(QStringLiteral("Pack 3: W open  ")),
            6 * (metrics.height() + 2) + 4};
}

void TSignalChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const QColor text = palette().color(QPalette::WindowText);
    const int letterWidth = metrics.horizontalAdvance(QStringLiteral("W")) + 4;
    const int percentWidth = metrics.horizontalAdvance(QStringLiteral("100%")) + 4;
    // The bars are scaled to the largest share of the three pack turns, so small differences show.
    double largest = 0.01;
    for (const auto& shares : signals_)
        for (double share : shares)
            largest = std::max(largest, share);
    const double group = static_cast<double>(width()) / static_cast<double>(signals_.size());
    QFont bold = font();
    bold.setBold(true);
    for (size_t turn = 0; turn < signals_.size(); ++turn) {
        // Each pack turn: its caption naming the open colour, then a row per colour: the letter,
        // the bar and the share.
        const int left = static_cast<int>(group * static_cast<double>(turn)) + 4;
        const int groupWidth = static_cast<int>(group) - 12;
        const int open = open_[turn];
        painter.setPen(text);
        painter.setFont(font());
        painter.drawText(QRect(left, 0, groupWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                         open < 0 ? tr("Pack %1").arg(turn + 1)
                                  : tr("Pack %1: %2 open")
                                        .arg(turn + 1)
                                        .arg(QLatin1Char(kColorLetters[static_cast<size_t>(open)])));
        const int barLeft = left + letterWidth;
        const int barSpace = std::max(4, groupWidth - letterWidth - percentWidth);
        for (size_t c = 0; c < kColorLetters.size(); ++c) {
            const int top = line + 4 + static_cast<int>(c) * (line + 2);
            const double share = std::clamp(signals_[turn][c], 0.0, 1.0);
            const bool isOpen = open == static_cast<int>(c);
            painter.setFont(isOpen ? bold : font());
            painter.setPen(text);
            painter.drawText(QRect(left, top, letterWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                             QString(QLatin1Char(kColorLetters[c])));
            const int barWidth = static_cast<int>(std::lround(barSpace * share / largest));
            const QRect bar(barLeft, top + 2, barWidth, line - 4);
            painter.fillRect(bar, kBarColours[c]);
            if (isOpen) {
                painter.setPen(QPen(text, 1));
                painter.drawRect(bar.adjusted(0, 0, -1, -1));
            }
            painter.drawText(QRect(barLeft + barWidth + 3, top, percentWidth, line),
                             Qt::AlignLeft | Qt::AlignVCenter, Percent(signals_[turn][c]));
        }
    }
}

} // namespace tovel
