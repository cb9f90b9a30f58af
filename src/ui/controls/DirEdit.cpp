#include "ui/controls/DirEdit.h"

#include "core/infra/Prompts.h"
#include "core/settings/Options.h"
#include "ui/graphics/Icons.h"
#include "ui/platform/QtText.h"

#include <QToolButton>

namespace tovel {

TLmDirEdit::TLmDirEdit(QWidget* parent) : QLineEdit(parent) {
    container_ = new QWidget(this);
    container_->setObjectName(QStringLiteral("ButtonContainer"));
    button_ = new QToolButton(container_);
    button_->setObjectName(QStringLiteral("Button"));
    button_->setIcon(BrowseGlyph());
    button_->setIconSize(QSize(13, 13));
    button_->setAutoRaise(true);
    button_->setCursor(Qt::ArrowCursor);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setToolTip(dialogCaption_);
    connect(button_, &QToolButton::clicked, this, &TLmDirEdit::Browse);
    Layout();
}

void TLmDirEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    Layout();
}

void TLmDirEdit::Layout() {
    // The button sits at the right edge, as high as the edit's inside; the text stops two
    // pixels before it so typing never runs under the button.
    const QRect inside = rect().adjusted(2, 2, -2, -2);
    const int height = qMax(kButtonSize, inside.height());
    container_->setGeometry(inside.right() - kButtonSize + 1, inside.top(), kButtonSize, height);
    button_->setGeometry(0, 0, kButtonSize, height);
    setTextMargins(0, 0, kButtonSize + 2, 0);
}

void TLmDirEdit::Browse() {
    const std::string start = DirEditStartFolder(ToUtf8(text()), ToUtf8(initialDir_), oldStyle_);
    const std::string chosen = Prompts().BrowseFolder(ToUtf8(dialogCaption_), start);
    if (chosen.empty())
        return;
    setText(FromUtf8(chosen));
    update();
}

} // namespace tovel
