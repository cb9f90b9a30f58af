#include "ui/graphics/Icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace tovel {

namespace {

// Paints a drawing made for a 16 by 16 grid at whatever size is asked for.
using Drawing = std::function<void(QPainter&, bool enabled)>;

class DrawnIconEngine final : public QIconEngine {
public:
    explicit DrawnIconEngine(Drawing drawing) : drawing_(std::move(drawing)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        drawing_(*painter, mode != QIcon::Disabled);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(drawing_); }

private:
    Drawing drawing_;
};

QIcon Drawn(Drawing drawing) {
    return QIcon(new DrawnIconEngine(std::move(drawing)));
}

QColor Tone(const QColor& color, bool enabled) {
    if (enabled)
        return color;
    const int grey = qGray(color.rgb());
    return QColor(grey, grey, grey, color.alpha() / 2 + 40);
}

const QColor kInk(40, 44, 52);

// A playing card, upright, with a coloured face band.
void Card(QPainter& p, bool enabled, const QRectF& r, const QColor& face, bool foil) {
    p.setPen(QPen(Tone(kInk, enabled), 0.9));
    p.setBrush(Tone(QColor(250, 248, 240), enabled));
    p.drawRoundedRect(r, 1.3, 1.3);
    const QRectF art(r.left() + 1.6, r.top() + 1.6, r.width() - 3.2, r.height() * 0.45);
    if (foil) {
        QLinearGradient shine(art.topLeft(), art.bottomRight());
        shine.setColorAt(0, Tone(QColor(150, 220, 255), enabled));
        shine.setColorAt(0.5, Tone(QColor(255, 190, 240), enabled));
        shine.setColorAt(1, Tone(QColor(255, 240, 150), enabled));
        p.setBrush(shine);
    } else {
        p.setBrush(Tone(face, enabled));
    }
    p.setPen(Qt::NoPen);
    p.drawRect(art);
    p.setPen(QPen(Tone(QColor(150, 150, 150), enabled), 0.8));
    for (double y = art.bottom() + 1.6; y < r.bottom() - 1.2; y += 1.8)
        p.drawLine(QPointF(r.left() + 1.8, y), QPointF(r.right() - 1.8, y));
}

// A round badge in the bottom-right corner with a plus or a minus.
void Badge(QPainter& p, bool enabled, bool plus) {
    const QColor fill = plus ? QColor(34, 150, 60) : QColor(205, 45, 40);
    p.setPen(QPen(Tone(Qt::white, enabled), 0.9));
    p.setBrush(Tone(fill, enabled));
    p.drawEllipse(QPointF(11.5, 11.5), 4.2, 4.2);
    p.setPen(QPen(Tone(Qt::white, enabled), 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(9.4, 11.5), QPointF(13.6, 11.5));
    if (plus)
        p.drawLine(QPointF(11.5, 9.4), QPointF(11.5, 13.6));
}

void Arrow(QPainter& p, bool enabled, bool down, const QColor& color) {
    QPainterPath path;
    if (down) {
        path.moveTo(10, 7.5);
        path.lineTo(13, 7.5);
        path.lineTo(13, 11);
        path.lineTo(15.5, 11);
        path.lineTo(11.5, 15.3);
        path.lineTo(7.5, 11);
        path.lineTo(10, 11);
    } else {
        path.moveTo(10, 15.3);
        path.lineTo(13, 15.3);
        path.lineTo(13, 11.8);
        path.lineTo(15.5, 11.8);
        path.lineTo(11.5, 7.5);
        path.lineTo(7.5, 11.8);
        path.lineTo(10, 11.8);
    }
    path.closeSubpath();
    p.setPen(QPen(Tone(Qt::white, enabled), 0.7));
    p.setBrush(Tone(color, enabled));
    p.drawPath(path);
}

void DeckStack(QPainter& p, bool enabled) {
    const QColor back(70, 90, 150);
    for (int i = 2; i >= 0; --i) {
        p.setPen(QPen(Tone(kInk, enabled), 0.8));
        p.setBrush(Tone(back.lighter(100 + i * 18), enabled));
        p.drawRoundedRect(QRectF(1.0 + i * 1.3, 1.0 + i * 1.1, 8.0, 11.0), 1.2, 1.2);
    }
    p.setPen(QPen(Tone(QColor(230, 200, 90), enabled), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(7.6, 8.7), 1.8, 2.6);
}

void DrawExit(QPainter& p, bool enabled) {
    // An open doorway with an arrow leaving through it.
    p.setPen(QPen(Tone(kInk, enabled), 1.0));
    p.setBrush(Tone(QColor(120, 84, 50), enabled));
    p.drawRect(QRectF(2, 1.5, 8, 13));
    QPainterPath door;
    door.moveTo(2, 1.5);
    door.lineTo(7, 3.2);
    door.lineTo(7, 16);
    door.lineTo(2, 14.5);
    door.closeSubpath();
    p.setBrush(Tone(QColor(190, 140, 80), enabled));
    p.drawPath(door);
    p.setBrush(Tone(QColor(250, 220, 90), enabled));
    p.drawEllipse(QPointF(5.8, 9), 0.7, 0.7);
    p.setPen(QPen(Tone(QColor(200, 40, 40), enabled), 1.8, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawLine(QPointF(8.5, 8), QPointF(14.2, 8));
    p.setBrush(Tone(QColor(200, 40, 40), enabled));
    p.setPen(Qt::NoPen);
    QPainterPath head;
    head.moveTo(15.6, 8);
    head.lineTo(12, 4.8);
    head.lineTo(12, 11.2);
    head.closeSubpath();
    p.drawPath(head);
}

void DrawViewCardInfo(QPainter& p, bool enabled) {
    Card(p, enabled, QRectF(1, 0.8, 10, 14), QColor(90, 150, 210), false);
    // A lens over the card.
    p.setPen(QPen(Tone(kInk, enabled), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.2, 12.2), QPointF(15.2, 15.2));
    p.setPen(QPen(Tone(kInk, enabled), 1.1));
    p.setBrush(Tone(QColor(220, 240, 255, 200), enabled));
    p.drawEllipse(QPointF(10, 10), 3.2, 3.2);
}

void DrawCardWithBadge(QPainter& p, bool enabled, bool foil, bool plus) {
    Card(p, enabled, QRectF(1, 0.8, 10, 14), QColor(110, 170, 90), foil);
    Badge(p, enabled, plus);
}

void DrawSaveDeck(QPainter& p, bool enabled) {
    DeckStack(p, enabled);
    Arrow(p, enabled, true, QColor(34, 120, 200));
}

void DrawLoadDeck(QPainter& p, bool enabled) {
    DeckStack(p, enabled);
    Arrow(p, enabled, false, QColor(34, 150, 60));
}

void DrawAbort(QPainter& p, bool enabled) {
    QPainterPath octagon;
    const double a = 4.4, b = 10.6, lo = 1.5, hi = 14.5;
    octagon.moveTo(a, lo);
    octagon.lineTo(b + 1, lo);
    octagon.lineTo(hi, a);
    octagon.lineTo(hi, b + 1);
    octagon.lineTo(b + 1, hi);
    octagon.lineTo(a, hi);
    octagon.lineTo(lo, b + 1);
    octagon.lineTo(lo, a);
    octagon.closeSubpath();
    p.setPen(QPen(Tone(QColor(120, 20, 20), enabled), 0.8));
    p.setBrush(Tone(QColor(215, 45, 40), enabled));
    p.drawPath(octagon);
    p.setPen(QPen(Tone(Qt::white, enabled), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
    p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
}

void DrawBrowse(QPainter& p, bool enabled) {
    // A folder with three dots beneath: "pick a folder".
    p.setPen(QPen(Tone(QColor(150, 110, 20), enabled), 0.9));
    p.setBrush(Tone(QColor(240, 200, 80), enabled));
    QPainterPath folder;
    folder.moveTo(1.5, 3);
    folder.lineTo(6, 3);
    folder.lineTo(7.5, 4.6);
    folder.lineTo(14.5, 4.6);
    folder.lineTo(14.5, 11);
    folder.lineTo(1.5, 11);
    folder.closeSubpath();
    p.drawPath(folder);
    p.setBrush(Tone(QColor(252, 222, 120), enabled));
    p.drawRect(QRectF(1.5, 6.2, 13, 4.8));
    p.setPen(Qt::NoPen);
    p.setBrush(Tone(kInk, enabled));
    for (double x : {4.5, 8.0, 11.5})
        p.drawEllipse(QPointF(x, 13.8), 1.1, 1.1);
}

} // namespace

QIcon ToolBarIcon(ToolIcon icon) {
    switch (icon) {
    case ToolIcon::Exit:
        return Drawn(DrawExit);
    case ToolIcon::ViewCardInfo:
        return Drawn(DrawViewCardInfo);
    case ToolIcon::AddCard:
        return Drawn([](QPainter& p, bool e) { DrawCardWithBadge(p, e, false, true); });
    case ToolIcon::AddFoil:
        return Drawn([](QPainter& p, bool e) { DrawCardWithBadge(p, e, true, true); });
    case ToolIcon::DeleteCard:
        return Drawn([](QPainter& p, bool e) { DrawCardWithBadge(p, e, false, false); });
    case ToolIcon::DeleteFoil:
        return Drawn([](QPainter& p, bool e) { DrawCardWithBadge(p, e, true, false); });
    case ToolIcon::SaveDeck:
        return Drawn(DrawSaveDeck);
    case ToolIcon::LoadDeck:
        return Drawn(DrawLoadDeck);
    }
    return {};
}

QIcon AbortGlyph() {
    return Drawn(DrawAbort);
}
QIcon BrowseGlyph() {
    return Drawn(DrawBrowse);
}

} // namespace tovel
