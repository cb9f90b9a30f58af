#pragma once

// The wait window: a small always-on-top window with a message, and optionally a progress bar,
// elapsed and remaining time and an abort button, shown while long work runs on the user
// interface thread. Wait windows form a stack; every operation works on the top one.

#include "core/infra/WaitLayout.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>

#include <string>

class QLabel;
class QProgressBar;
class QFrame;
class QToolButton;

namespace tovel {

class TWaitForm final : public QWidget {
    Q_OBJECT
public:
    // Client size at design; the message-only shape is kPanelsHeight shorter.
    static constexpr int kDesignWidth = 440;
    static constexpr int kDesignHeight = 139;
    static constexpr int kPanelsHeight = 41;

    TWaitForm(const std::string& message, int maximum, QWidget* owner, bool abortable,
              const std::string& question);
    ~TWaitForm() override;

    std::string Message() const { return message_; }
    bool AbortRequested() const { return abortRequested_; }
    // Sets the message, the position and the time labels; returns the abort-requested flag.
    bool Update(const std::string& message, int position);
    // What the close box, Esc and the abort button do: ask, and on Yes flag the abort.
    void RequestAbort();
    // The window that was active when this one was created; it gets the focus back.
    QWidget* ActiveAtCreation() const { return activeAtCreation_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void SetLabel(QLabel* label, const QString& text);

    QLabel* messageLabel_;
    QFrame* panel1_;
    QLabel* timeLabel1_;
    QLabel* timeLabel2_;
    QToolButton* abortButton_;
    QProgressBar* progressBar_;

    std::string message_;
    QDateTime startTime_;
    int maximum_ = 0;
    QPointer<QWidget> owner_;
    bool abortable_ = false;
    std::string question_;
    bool abortRequested_ = false;
    QPointer<QWidget> activeAtCreation_;
};

// Shows a new wait window on top of the stack. With `maximum` 0 the window shows only the
// message. An owner, when given, is disabled while the window exists.
void ShowWait(const std::string& message, int maximum = 0, QWidget* owner = nullptr, bool abortable = false,
              const std::string& question = {});
// Updates the top window; true once the user confirmed an abort. An empty message keeps the
// current text. Error "Нет ни одного окна Wait" when no wait window exists.
bool UpdateWait(const std::string& message, int position);
// Destroys the top window; nothing when there is none.
void CloseWait();
// The top window's message, or empty.
std::string WaitMessage();
// The top window, or none.
TWaitForm* TopWaitForm();
int WaitCount();
// The work area of the primary screen (the desktop without the task bar).
TRect GetWorkArea();

// ShowWait for the lifetime of the guard, CloseWait at its end (also when the work throws).
class WaitWindow {
public:
    explicit WaitWindow(const std::string& message, int maximum = 0, QWidget* owner = nullptr,
                        bool abortable = false, const std::string& question = {}) {
        ShowWait(message, maximum, owner, abortable, question);
    }
    ~WaitWindow() { CloseWait(); }
    WaitWindow(const WaitWindow&) = delete;
    WaitWindow& operator=(const WaitWindow&) = delete;
};

inline constexpr const char* kNoWaitWindow = QT_TRANSLATE_NOOP("WaitForm", "Нет ни одного окна Wait");
inline constexpr const char* kDefaultAbortQuestion = QT_TRANSLATE_NOOP("WaitForm", "Прервать операцию?");

} // namespace tovel
