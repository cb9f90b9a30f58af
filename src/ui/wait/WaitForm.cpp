#include "ui/wait/WaitForm.h"

#include "core/infra/Error.h"
#include "core/infra/Prompts.h"
#include "ui/graphics/Icons.h"
#include "ui/platform/QtText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <vector>

namespace tovel {

namespace {

constexpr int kPanelHeight = 25;
constexpr int kProgressHeight = 16;
static_assert(kPanelHeight + kProgressHeight == TWaitForm::kPanelsHeight);

// The stack, bottom first. The windows are owned here; each refers to the one below it by
// position.
std::vector<std::unique_ptr<TWaitForm>>& Stack() {
    // Global: wait windows nest across layers that do not know of each other (ShowWait/HideWait).
    static std::vector<std::unique_ptr<TWaitForm>> stack;
    return stack;
}

// While a wait window exists, the application's mouse input goes only to it (and to the
// dialogs it opens): clicks on the program's other windows are dropped, so the work cannot be
// re-entered from them during the message processing of ShowWait and UpdateWait.
class MouseCapture final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            break;
        default:
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || Stack().empty())
            return false;
        QWidget* window = widget->window();
        if (qobject_cast<TWaitForm*>(window) || window == QApplication::activeModalWidget() ||
            window == QApplication::activePopupWidget())
            return false;
        return true;
    }
};

MouseCapture& Capture() {
    // Global: one application-wide event filter, installed while any wait window is open.
    static MouseCapture capture;
    return capture;
}

QString LabelText(const std::string& message) {
    // A carriage return in the message starts a new line.
    QString text = FromUtf8(message);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QLabel* BoldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

TRect GetWorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {0, 0, 800, 600};
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

TWaitForm::TWaitForm(const std::string& message, int maximum, QWidget* owner, bool abortable,
                     const std::string& question)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("WaitForm"));
    setWindowTitle(tr("Please wait..."));
    setCursor(Qt::WaitCursor);
    setFixedSize(kDesignWidth, kDesignHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    messageLabel_ = new QLabel(this);
    messageLabel_->setObjectName(QStringLiteral("MessageLabel"));
    messageLabel_->setAlignment(Qt::AlignCenter);
    messageLabel_->setWordWrap(true);
    messageLabel_->setTextFormat(Qt::PlainText);
    messageLabel_->setMargin(6);
    layout->addWidget(messageLabel_, 1);

    panel1_ = new QFrame(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFrameShape(QFrame::Panel);
    panel1_->setFrameShadow(QFrame::Sunken);
    panel1_->setFixedHeight(kPanelHeight);
    auto* panelLayout = new QHBoxLayout(panel1_);
    panelLayout->setContentsMargins(6, 0, 2, 0);
    panelLayout->setSpacing(6);
    panelLayout->addWidget(BoldLabel(tr("Time elapsed:"), panel1_));
    timeLabel1_ = new QLabel(QStringLiteral("0:00:00"), panel1_);
    timeLabel1_->setObjectName(QStringLiteral("TimeLabel1"));
    panelLayout->addWidget(timeLabel1_);
    panelLayout->addSpacing(16);
    panelLayout->addWidget(BoldLabel(tr("Time remaining:"), panel1_));
    timeLabel2_ = new QLabel(QString::fromLatin1(kUnknownTime), panel1_);
    timeLabel2_->setObjectName(QStringLiteral("TimeLabel2"));
    panelLayout->addWidget(timeLabel2_);
    panelLayout->addStretch(1);
    abortButton_ = new QToolButton(panel1_);
    abortButton_->setObjectName(QStringLiteral("AbortButton"));
    abortButton_->setAutoRaise(true);
    abortButton_->setIcon(AbortGlyph());
    abortButton_->setIconSize(QSize(16, 16));
    abortButton_->setFixedSize(21, 21);
    abortButton_->setToolTip(tr("Прервать"));
    abortButton_->setCursor(Qt::ArrowCursor);
    connect(abortButton_, &QToolButton::clicked, this, &TWaitForm::RequestAbort);
    panelLayout->addWidget(abortButton_);
    layout->addWidget(panel1_);

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setFixedHeight(kProgressHeight);
    progressBar_->setTextVisible(false);
    layout->addWidget(progressBar_);

    FormCreate();

    startTime_ = QDateTime::currentDateTime();
    message_ = message;
    messageLabel_->setText(LabelText(message));
    maximum_ = maximum;
    progressBar_->setRange(0, maximum > 0 ? maximum : 0);
    progressBar_->setValue(0);
    owner_ = owner;
    abortable_ = abortable;
    question_ = question;
    abortButton_->setVisible(abortable);
    if (maximum == 0) {
        // The message-only shape: no progress bar and no times; the top edge stays put.
        progressBar_->hide();
        panel1_->hide();
        setFixedSize(kDesignWidth, kDesignHeight - kPanelsHeight);
    }
}

void TWaitForm::FormCreate() {
    std::vector<TPoint> others;
    for (const auto& form : Stack())
        others.push_back({form->x(), form->y()});
    const TPoint at = PlaceWaitWindow(GetWorkArea(), kDesignWidth, kDesignHeight, others);
    move(at.x, at.y);
    activeAtCreation_ = QApplication::activeWindow();
    abortRequested_ = false;
    if (Stack().empty())
        qApp->installEventFilter(&Capture());
}

TWaitForm::~TWaitForm() {
    if (owner_)
        owner_->setEnabled(true);
}

void TWaitForm::SetLabel(QLabel* label, const QString& text) {
    if (label->text() != text) {
        label->setText(text);
        label->repaint();
    }
}

bool TWaitForm::Update(const std::string& message, int position) {
    if (!message.empty() && message != message_) {
        message_ = message;
        SetLabel(messageLabel_, LabelText(message));
    }
    if (maximum_ > 0)
        progressBar_->setValue(std::clamp(position, 0, maximum_));
    const int64_t elapsed = startTime_.msecsTo(QDateTime::currentDateTime());
    SetLabel(timeLabel1_, QString::fromStdString(FormatDuration(elapsed)));
    SetLabel(timeLabel2_, QString::fromStdString(RemainingTimeText(elapsed, maximum_, position)));
    QCoreApplication::processEvents();
    return abortRequested_;
}

void TWaitForm::RequestAbort() {
    if (!abortable_)
        return;
    const std::string question = question_.empty()
                                     ? ToUtf8(QCoreApplication::translate("WaitForm", kDefaultAbortQuestion))
                                     : question_;
    if (Prompts().Confirm(question, ConfirmButtons::YesNo) == Answer::Yes)
        abortRequested_ = true;
}

void TWaitForm::closeEvent(QCloseEvent* event) {
    // The window never closes at the user's request; closing asks for an abort instead.
    // Destruction by CloseWait does not come through here.
    event->ignore();
    RequestAbort();
}

void TWaitForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape &&
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0) {
        RequestAbort();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ShowWait(const std::string& message, int maximum, QWidget* owner, bool abortable,
              const std::string& question) {
    auto form = std::make_unique<TWaitForm>(message, maximum, owner, abortable, question);
    TWaitForm* shown = form.get();
    Stack().push_back(std::move(form));
    shown->show();
    QCoreApplication::processEvents();
    if (owner) {
        owner->setEnabled(false);
        shown->move(owner->x(), owner->y());
    }
}

bool UpdateWait(const std::string& message, int position) {
    TWaitForm* top = TopWaitForm();
    if (!top)
        throw Error(ToUtf8(QCoreApplication::translate("WaitForm", kNoWaitWindow)));
    return top->Update(message, position);
}

void CloseWait() {
    auto& stack = Stack();
    if (stack.empty())
        return;
    std::unique_ptr<TWaitForm> top = std::move(stack.back());
    stack.pop_back();
    if (stack.empty())
        qApp->removeEventFilter(&Capture());
    QPointer<QWidget> active = top->ActiveAtCreation();
    top.reset();
    // Give the focus back to the window that was active; a failure here does not matter.
    if (active && active->isEnabled() && active->isVisible()) {
        try {
            active->activateWindow();
        } catch (...) {
        }
    }
}

std::string WaitMessage() {
    const TWaitForm* top = TopWaitForm();
    return top ? top->Message() : std::string();
}

TWaitForm* TopWaitForm() {
    return Stack().empty() ? nullptr : Stack().back().get();
}

int WaitCount() {
    return static_cast<int>(Stack().size());
}

} // namespace tovel
