#pragma once

// The program's own action-bar style "Lm Style" for the feature windows' menu bars, pop-up
// menus and tool bars, and the registry of action-bar styles by name.

#include "core/infra/LmColorMap.h"

#include <QMenuBar>
#include <QProxyStyle>
#include <QToolBar>

#include <functional>

namespace tovel {

inline constexpr const char* kLmStyleName = "Lm Style";

// The colour map from the application's palette.
TLmColorMap LmColorMapFromPalette(const QPalette& palette);

class TLmStyle final : public QProxyStyle {
    Q_OBJECT
public:
    TLmStyle();
    const TLmColorMap& Colors() const { return colors_; }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

private:
    void DrawMenuItem(const QStyleOptionMenuItem* item, QPainter* painter, const QWidget* widget) const;
    void DrawMenuBarItem(const QStyleOptionMenuItem* item, QPainter* painter, const QWidget* widget) const;

    TLmColorMap colors_;
};

// The list of action-bar styles. Styles are made on first use and live until unregistered.
using StyleFactory = std::function<QStyle*()>;
// False (and nothing changes) when a style of that name is registered already.
bool RegisterActionBarStyle(const QString& name, StyleFactory factory);
void UnregisterActionBarStyle(const QString& name);
// The style of that name, or none.
QStyle* ActionBarStyle(const QString& name);

// Start-up and shut-down steps for "Lm Style".
void RegisterLmStyle();
void UnregisterLmStyle();

// Gives a bar and everything in it (its pop-up menus too) the named style.
void ApplyActionBarStyle(QWidget* bar, const QString& name = QString::fromLatin1(kLmStyleName));

// The feature windows' menu bar: menu colour, the screen's menu font, hot-key letters always
// underlined, in "Lm Style".
class TLmActionMainMenuBar final : public QMenuBar {
    Q_OBJECT
public:
    explicit TLmActionMainMenuBar(QWidget* parent = nullptr);
    // Adds a menu and gives it the bar's style.
    QMenu* AddMenu(const QString& title);
};

// The feature windows' tool bar in "Lm Style".
class TLmActionToolBar final : public QToolBar {
    Q_OBJECT
public:
    explicit TLmActionToolBar(QWidget* parent = nullptr);
};

} // namespace tovel
