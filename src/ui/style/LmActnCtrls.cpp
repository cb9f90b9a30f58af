#include "ui/style/LmActnCtrls.h"

#include <QApplication>
#include <QMap>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include <memory>

namespace tovel {

namespace {

TRgb ToRgb(const QColor& c) {
    return {static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue())};
}
QColor Q(TRgb c) {
    return QColor(c.r, c.g, c.b);
}

constexpr int kItemHeight = 22;

struct Registered {
    StyleFactory factory;
    std::unique_ptr<QStyle> style;
};

QMap<QString, std::shared_ptr<Registered>>& Registry() {
    static QMap<QString, std::shared_ptr<Registered>> registry;
    return registry;
}

} // namespace

TLmColorMap LmColorMapFromPalette(const QPalette& palette) {
    TSystemColors system;
    system.menu = ToRgb(palette.color(QPalette::Window));
    system.window = ToRgb(palette.color(QPalette::Base));
    system.windowText = ToRgb(palette.color(QPalette::WindowText));
    system.buttonFace = ToRgb(palette.color(QPalette::Button));
    system.grayText = ToRgb(palette.color(QPalette::Disabled, QPalette::Text));
    system.buttonHighlight = ToRgb(palette.color(QPalette::Light));
    system.darkShadow3D = ToRgb(palette.color(QPalette::Shadow));
    return ComputeLmColorMap(system);
}

TLmStyle::TLmStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {
    setObjectName(QString::fromLatin1(kLmStyleName));
    colors_ = LmColorMapFromPalette(QApplication::palette());
}

int TLmStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                        QStyleHintReturn* returnData) const {
    // Persistent hot keys: the underlined letters are always shown.
    if (hint == SH_UnderlineShortcut)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int TLmStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
        return 1;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 1;
    case PM_MenuBarItemSpacing:
        return 0;
    case PM_MenuBarPanelWidth:
        return 0;
    case PM_ToolBarFrameWidth:
        return 1;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize TLmStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                 const QWidget* widget) const {
    if (type == CT_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            if (item->menuItemType == QStyleOptionMenuItem::Separator)
                return {size.width(), 5};
            const QFontMetrics metrics(item->font);
            QString text = item->text;
            const int tab = int(text.indexOf(QLatin1Char('\t')));
            int width =
                kMenuBandWidth + 8 + metrics.horizontalAdvance(text.left(tab).remove(QLatin1Char('&')));
            if (tab >= 0)
                width += 24 + metrics.horizontalAdvance(text.mid(tab + 1));
            width += 24;
            return {width, qMax(kItemHeight, metrics.height() + 6)};
        }
    }
    if (type == CT_MenuBarItem) {
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        return {s.width() + 6, qMax(s.height(), 20)};
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void TLmStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    switch (element) {
    case PE_FrameMenu:
    case PE_PanelMenu:
        painter->save();
        if (element == PE_PanelMenu)
            painter->fillRect(option->rect, Q(colors_.MenuColor));
        painter->setPen(Q(colors_.FrameTopLeftOuter));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    case PE_PanelMenuBar:
        painter->fillRect(option->rect, Q(colors_.Color));
        return;
    case PE_PanelToolBar:
        painter->fillRect(option->rect, Q(colors_.Color));
        return;
    case PE_PanelButtonTool: {
        const bool hot = option->state & State_MouseOver;
        const bool down = option->state & (State_Sunken | State_On);
        if (!(option->state & State_Enabled) || (!hot && !down))
            return;
        painter->save();
        painter->fillRect(option->rect, down ? Q(colors_.BtnSelectedColor) : Q(colors_.SelectedColor));
        painter->setPen(Q(colors_.BtnFrameColor));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void TLmStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const {
    switch (element) {
    case CE_MenuItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            DrawMenuItem(item, painter, widget);
            return;
        }
        break;
    case CE_MenuBarItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            DrawMenuBarItem(item, painter, widget);
            return;
        }
        break;
    case CE_MenuBarEmptyArea:
    case CE_MenuEmptyArea:
        painter->fillRect(option->rect,
                          element == CE_MenuBarEmptyArea ? Q(colors_.Color) : Q(colors_.MenuColor));
        return;
    case CE_ToolBar:
        painter->fillRect(option->rect, Q(colors_.Color));
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TLmStyle::DrawMenuBarItem(const QStyleOptionMenuItem* item, QPainter* painter,
                               const QWidget* widget) const {
    painter->save();
    const QRect r = item->rect;
    const bool open = item->state & State_Sunken;
    const bool hot = (item->state & State_Selected) && (item->state & State_Enabled);
    painter->fillRect(r, Q(colors_.Color));
    if (open) {
        // Drawn on the button colour in the outer frame; the edge towards the pop-up takes the
        // fill colour so entry and pop-up join.
        painter->fillRect(r, Q(colors_.BtnSelectedColor));
        painter->setPen(Q(colors_.FrameTopLeftOuter));
        painter->drawLine(r.topLeft(), r.topRight());
        painter->drawLine(r.topLeft(), r.bottomLeft());
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->setPen(Q(colors_.BtnSelectedColor));
        painter->drawLine(r.bottomLeft() + QPoint(1, 0), r.bottomRight() - QPoint(1, 0));
    } else if (hot) {
        painter->fillRect(r, Q(colors_.SelectedColor));
        painter->setPen(Q(colors_.BtnFrameColor));
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
    QColor text = item->palette.color(QPalette::WindowText);
    const bool barActive = widget && widget->isActiveWindow();
    if (open || hot)
        text = Q(colors_.BtnSelectedFont);
    else if (!(item->state & State_Enabled) || (!barActive && !(item->state & State_MouseOver)))
        text = Q(colors_.DisabledFontColor);
    painter->setPen(text);
    painter->setFont(item->font);
    painter->drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, item->text);
    painter->restore();
}

void TLmStyle::DrawMenuItem(const QStyleOptionMenuItem* item, QPainter* painter,
                            const QWidget* widget) const {
    painter->save();
    const QRect r = item->rect;
    const bool selected = (item->state & State_Selected) && (item->state & State_Enabled);
    if (selected) {
        painter->fillRect(r, Q(colors_.SelectedColor));
        painter->setPen(Q(colors_.BtnFrameColor));
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        // The left band: white to the menu-bar colour, one line per pixel column.
        const std::vector<TRgb> columns =
            MenuBandColumns(MenuBandEndColor(colors_.Color), qMin(kMenuBandWidth, r.width()));
        for (size_t i = 0; i < columns.size(); ++i) {
            painter->setPen(Q(columns[i]));
            const int x = r.left() + static_cast<int>(i);
            painter->drawLine(x, r.top(), x, r.bottom());
        }
        painter->fillRect(QRect(r.left() + kMenuBandWidth, r.top(), r.width() - kMenuBandWidth, r.height()),
                          Q(colors_.MenuColor));
    }

    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->setPen(Q(colors_.DisabledColor));
        const int y = r.center().y();
        painter->drawLine(r.left() + kMenuBandWidth + 6, y, r.right() - 2, y);
        painter->restore();
        return;
    }

    const bool enabled = item->state & State_Enabled;
    const QRect band(r.left(), r.top(), kMenuBandWidth, r.height());
    if (!item->icon.isNull()) {
        const QIcon::Mode mode = enabled ? QIcon::Normal : QIcon::Disabled;
        item->icon.paint(painter, QRect(band.center() - QPoint(7, 7), QSize(16, 16)), Qt::AlignCenter, mode);
    } else if (item->checked) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(Q(colors_.FontColor), 1.6));
        const QPointF c = band.center();
        painter->drawPolyline(QPolygonF({c + QPointF(-4, 0), c + QPointF(-1, 3), c + QPointF(4, -3)}));
        painter->setRenderHint(QPainter::Antialiasing, false);
    }

    QColor ink = selected ? Q(colors_.SelectedFontColor) : Q(colors_.FontColor);
    const QRect textRect = r.adjusted(kMenuBandWidth + 8, 0, -20, 0);
    QString text = item->text;
    const int tab = int(text.indexOf(QLatin1Char('\t')));
    painter->setFont(item->font);
    if (!enabled) {
        // Disabled text with its shadow.
        painter->setPen(Q(colors_.DisabledFontShadow));
        painter->drawText(textRect.translated(1, 1), Qt::AlignVCenter | Qt::TextShowMnemonic, text.left(tab));
        ink = Q(colors_.DisabledFontColor);
    }
    painter->setPen(ink);
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, text.left(tab));
    if (tab >= 0)
        painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignRight, text.mid(tab + 1));
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow = *item;
        arrow.rect = QRect(r.right() - 14, r.top() + (r.height() - 9) / 2, 9, 9);
        arrow.palette.setColor(QPalette::ButtonText, ink);
        QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
    }
    painter->restore();
}

bool RegisterActionBarStyle(const QString& name, StyleFactory factory) {
    if (Registry().contains(name))
        return false;
    auto entry = std::make_shared<Registered>();
    entry->factory = std::move(factory);
    Registry().insert(name, entry);
    return true;
}

void UnregisterActionBarStyle(const QString& name) {
    Registry().remove(name);
}

QStyle* ActionBarStyle(const QString& name) {
    const auto found = Registry().constFind(name);
    if (found == Registry().constEnd())
        return nullptr;
    Registered& entry = **found;
    if (!entry.style)
        entry.style.reset(entry.factory());
    return entry.style.get();
}

void RegisterLmStyle() {
    RegisterActionBarStyle(QString::fromLatin1(kLmStyleName), [] { return new TLmStyle; });
}

void UnregisterLmStyle() {
    UnregisterActionBarStyle(QString::fromLatin1(kLmStyleName));
}

void ApplyActionBarStyle(QWidget* bar, const QString& name) {
    QStyle* style = ActionBarStyle(name);
    if (!style || !bar)
        return;
    bar->setStyle(style);
    for (QWidget* child : bar->findChildren<QWidget*>())
        child->setStyle(style);
}

TLmActionMainMenuBar::TLmActionMainMenuBar(QWidget* parent) : QMenuBar(parent) {
    setObjectName(QStringLiteral("LmActionMainMenuBar"));
    setNativeMenuBar(false);
    // The screen's menu font, not scaled with the form.
    setFont(QApplication::font("QMenuBar"));
    setAutoFillBackground(true);
    if (QStyle* style = ActionBarStyle(QString::fromLatin1(kLmStyleName)))
        setStyle(style);
}

QMenu* TLmActionMainMenuBar::AddMenu(const QString& title) {
    QMenu* menu = addMenu(title);
    if (QStyle* style = ActionBarStyle(QString::fromLatin1(kLmStyleName)))
        menu->setStyle(style);
    return menu;
}

TLmActionToolBar::TLmActionToolBar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("LmActionToolBar"));
    setMovable(false);
    setIconSize(QSize(16, 16));
    if (QStyle* style = ActionBarStyle(QString::fromLatin1(kLmStyleName)))
        setStyle(style);
}

} // namespace tovel
