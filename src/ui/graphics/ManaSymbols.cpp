#include "ui/graphics/ManaSymbols.h"

#include "core/carddb/CardDisplay.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace tovel {

namespace {

// The colour values 1..5: B, G, R, U, W.
struct SymbolTone {
    QColor fill;
    QColor ink;
    char letter;
};
const std::array<SymbolTone, 5> kTones = {{
    {QColor(74, 62, 86), QColor(236, 228, 244), 'B'},
    {QColor(46, 140, 70), QColor(240, 255, 236), 'G'},
    {QColor(214, 64, 44), QColor(255, 242, 228), 'R'},
    {QColor(48, 104, 196), QColor(236, 244, 255), 'U'},
    {QColor(242, 230, 180), QColor(96, 80, 30), 'W'},
}};
const QColor kNeutral(196, 192, 184);
const QColor kNeutralInk(40, 40, 40);

// The two colour values of each hybrid symbol, in colour-value order 7..16
// ("(r / w)", "(r / g)", "(u / r)", "(b / r)", "(g / w)", "(w / u)", "(w / b)", "(g / u)",
// "(b / g)", "(u / b)"). Colour values: B 1, G 2, R 3, U 4, W 5.
constexpr std::array<std::array<int, 2>, 10> kHybridColors = {
    {{3, 5}, {3, 2}, {4, 3}, {1, 3}, {2, 5}, {5, 4}, {5, 1}, {2, 4}, {1, 2}, {4, 1}}};

// A flat-topped hexagon filling the rect.
QPainterPath Hexagon(const QRectF& r) {
    const qreal q = r.width() * 0.25;
    QPainterPath path;
    path.moveTo(r.left() + q, r.top());
    path.lineTo(r.right() - q, r.top());
    path.lineTo(r.right(), r.center().y());
    path.lineTo(r.right() - q, r.bottom());
    path.lineTo(r.left() + q, r.bottom());
    path.lineTo(r.left(), r.center().y());
    path.closeSubpath();
    return path;
}

// The outline of a label's text at a pixel size. Outlines are kept: a list repaints the same
// few symbols at one size over and over, and making an outline runs the font's hinting.
const QPainterPath& LabelPath(const QString& text, int pixelSize) {
    static QHash<QPair<QString, int>, QPainterPath> paths;
    const QPair<QString, int> key(text, pixelSize);
    if (const auto found = paths.constFind(key); found != paths.constEnd())
        return *found;
    if (paths.size() >= 1024)
        paths.clear(); // many sizes or numbers: start over rather than grow without end
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    QPainterPath path;
    path.addText(0, 0, font, text);
    return *paths.insert(key, path);
}

void Label(QPainter& p, const QRectF& r, const QString& text, const QColor& ink) {
    // Fit the text: one character uses most of the height, more shrink to fit the width.
    qreal size = r.height() * (text.size() <= 1 ? 0.62 : text.size() == 2 ? 0.52 : 0.4);
    const QPainterPath& path = LabelPath(text, qMax(1, qRound(size)));
    const QRectF box = path.boundingRect();
    const qreal maxWidth = r.width() * 0.78;
    qreal scale = box.width() > maxWidth ? maxWidth / box.width() : 1.0;
    p.save();
    p.translate(r.center());
    p.scale(scale, scale);
    p.translate(-box.center());
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(path);
    p.restore();
}

void Gem(QPainter& p, const QRectF& r, const QColor& fill) {
    const QPainterPath hex = Hexagon(r);
    QLinearGradient shade(r.topLeft(), r.bottomRight());
    shade.setColorAt(0, fill.lighter(125));
    shade.setColorAt(1, fill.darker(115));
    p.setBrush(shade);
    p.setPen(QPen(QColor(20, 20, 20), qMax<qreal>(0.8, r.width() / 16.0)));
    p.drawPath(hex);
}

} // namespace

void DrawCostSymbol(QPainter& painter, const QRectF& rect, int image, int generic) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal inset = rect.width() / 32.0;
    const QRectF r = rect.adjusted(inset, inset, -inset, -inset);
    if (image >= 0 && image < 5) {
        const SymbolTone& tone = kTones[static_cast<size_t>(image)];
        Gem(painter, r, tone.fill);
        Label(painter, r, QString(QLatin1Char(tone.letter)), tone.ink);
    } else if (image == kSymbolX) {
        Gem(painter, r, kNeutral);
        Label(painter, r, QStringLiteral("X"), kNeutralInk);
    } else if (image >= kSymbolGenericFirst && image < kSymbolHybridFirst) {
        Gem(painter, r, kNeutral);
        Label(painter, r, QString::number(image - kSymbolGenericFirst), kNeutralInk);
    } else if (image >= kSymbolHybridFirst && image < kSymbolImageCount) {
        // Two halves split along the rising diagonal, first colour top-left.
        const auto& pair = kHybridColors[static_cast<size_t>(image - kSymbolHybridFirst)];
        const QPainterPath hex = Hexagon(r);
        const qreal q = r.width() * 0.25;
        const QPointF low(r.left() + q, r.bottom());
        const QPointF high(r.right() - q, r.top());
        const QRectF outer = r.adjusted(-1, -1, 1, 1);
        QPainterPath firstHalf;
        firstHalf.moveTo(low);
        firstHalf.lineTo(high);
        firstHalf.lineTo(outer.topLeft());
        firstHalf.lineTo(outer.bottomLeft());
        firstHalf.closeSubpath();
        QPainterPath secondHalf;
        secondHalf.moveTo(low);
        secondHalf.lineTo(high);
        secondHalf.lineTo(outer.topRight());
        secondHalf.lineTo(outer.bottomRight());
        secondHalf.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(kTones[static_cast<size_t>(pair[0] - 1)].fill);
        painter.drawPath(hex.intersected(firstHalf));
        painter.setBrush(kTones[static_cast<size_t>(pair[1] - 1)].fill);
        painter.drawPath(hex.intersected(secondHalf));
        painter.setPen(QPen(QColor(250, 250, 250, 200), qMax<qreal>(0.6, r.width() / 24.0)));
        painter.drawLine(low, high);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(20, 20, 20), qMax<qreal>(0.8, r.width() / 16.0)));
        painter.drawPath(hex);
    } else {
        Gem(painter, r, kNeutral);
        Label(painter, r, QString::number(generic), kNeutralInk);
    }
    painter.restore();
}

QPixmap CostSymbolPixmap(int image, int size, int generic, qreal devicePixelRatio) {
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawCostSymbol(painter, QRectF(0, 0, size, size), image, generic);
    return pixmap;
}

} // namespace tovel
