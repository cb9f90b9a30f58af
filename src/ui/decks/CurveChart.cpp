#include "ui/decks/CurveChart.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace tovel {

namespace {

const QColor kCreatureColour(46, 125, 50);
const QColor kOtherColour(84, 110, 190);

QString ColumnCaption(int column) {
    return column == kCurveColumns - 1 ? QStringLiteral("%1+").arg(column) : QString::number(column);
}

} // namespace

TCurveChart::TCurveChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CurveChart"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void TCurveChart::SetStatistics(const TDeckStatistics& stats) {
    creatures_ = stats.CurveCreatures;
    others_ = stats.CurveOthers;
    QString tip = tr("Cost: creatures + other spells");
    for (int column = 0; column < kCurveColumns; ++column)
        tip += QStringLiteral("\n%1: %2 + %3")
                   .arg(ColumnCaption(column))
                   .arg(Creatures(column))
                   .arg(Others(column));
    setToolTip(tip);
    update();
}

void TCurveChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int textHeight = metrics.height();
    // Bars between the totals above them and two lines below: the costs and the legend.
    const QRect area = rect().adjusted(2, textHeight + 1, -2, -2 * textHeight - 2);
    int64_t highest = 1;
    for (int column = 0; column < kCurveColumns; ++column)
        highest = std::max(highest, Creatures(column) + Others(column));
    const double slot = static_cast<double>(area.width()) / kCurveColumns;
    const int barWidth = std::max(4, static_cast<int>(slot * 0.7));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(area.left(), area.bottom(), area.right(), area.bottom());
    for (int column = 0; column < kCurveColumns; ++column) {
        const int x = area.left() + static_cast<int>(slot * column + (slot - barWidth) / 2);
        const int64_t total = Creatures(column) + Others(column);
        const int creatureHeight = static_cast<int>(static_cast<double>(area.height()) *
                                                    static_cast<double>(Creatures(column)) / highest);
        const int totalHeight =
            static_cast<int>(static_cast<double>(area.height()) * static_cast<double>(total) / highest);
        painter.fillRect(QRect(x, area.bottom() - creatureHeight + 1, barWidth, creatureHeight),
                         kCreatureColour);
        painter.fillRect(QRect(x, area.bottom() - totalHeight + 1, barWidth, totalHeight - creatureHeight),
                         kOtherColour);
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect under(x - 4, area.bottom() + 2, barWidth + 8, textHeight);
        painter.drawText(under, Qt::AlignHCenter | Qt::AlignTop, ColumnCaption(column));
        if (total > 0) {
            const QRect over(x - 6, area.bottom() - totalHeight - textHeight, barWidth + 12, textHeight);
            painter.drawText(over, Qt::AlignHCenter | Qt::AlignBottom, QString::number(total));
        }
    }
    const int legendTop = area.bottom() + 2 + textHeight;
    const int box = textHeight / 2;
    int x = area.left();
    for (const auto& [colour, caption] :
         {std::pair{kCreatureColour, tr("creatures")}, std::pair{kOtherColour, tr("other spells")}}) {
        painter.fillRect(QRect(x, legendTop + (textHeight - box) / 2, box, box), colour);
        x += box + 3;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(x, legendTop, width() - x, textHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         caption);
        x += metrics.horizontalAdvance(caption) + 10;
    }
}

} // namespace tovel
