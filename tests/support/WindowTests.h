#pragma once

// The window tests' support: program folders with card data, finding a window's children, and
// acting on modal dialogs (a modal dialog runs its own event loop, so the test's actions are
// queued before it opens).

#include "core/infra/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "ui/app/Startup.h"
#include "ui/app/TovelApplication.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace tovel::test {

// The child widget of type T named `name` (its object name), or none.
template <typename T> T* Child(const QObject* window, const char* name) {
    return window->findChild<T*>(QLatin1String(name));
}

// Points TOVEL_HOME at `home` and opens the program session on it (the test keeps it open
// until its cases are done).
inline std::unique_ptr<ProgramSession> OpenSession(const TempDir& home) {
    ::setenv("TOVEL_HOME", home.Path().c_str(), 1);
    return std::make_unique<ProgramSession>(QCoreApplication::applicationFilePath().toStdString());
}

// Clicks the push button named `name`; fails the test when there is none.
inline void Click(QWidget* form, const char* name) {
    auto* button = Child<QPushButton>(form, name);
    QVERIFY2(button, name);
    button->click();
}

// A small hand-made world: three editions, two formats, a few cards with printings.
inline void WriteSmallWorld(const TempDir& home) {
    home.Write("Data/editions.txt", "AB;Amber Bay\r\nCD;Cinder Dunes\r\nEF;Elder Fens\r\n");
    home.Write("Data/formats.txt", "Standard;AB;CD;\r\nClassic;CD;EF;\r\n");
    home.Write("Data/base.txt", "AB;Ember Whelp;C;4;;AB;CD;\r\n"
                                "1R;Creature - Drake;1/1;\r\n"
                                "Flying\r\n"
                                "\r\n"
                                "AB;Grove Tender;U;7;;AB;\r\n"
                                "2G;Creature - Druid;2/3;\r\n"
                                "\r\n"
                                "CD;Ember Whelp;U;6;;AB;CD;\r\n"
                                "1R;Creature - Drake;1/1;\r\n"
                                "\r\n"
                                "CD;Sky-Hook Rigger;R;8;;CD;\r\n"
                                "3W;Artifact Creature - Rigger;2/2;\r\n"
                                "\r\n"
                                "EF;Tide Call;C;3;;EF;\r\n"
                                "U;Instant;;\r\n"
                                "Draw a card.\r\n"
                                "\r\n"
                                "EF;Quiet Shroud;U;8;;EF;\r\n"
                                "{ };Enchantment;;\r\n"
                                "\r\n");
}

// Copies the sample world the build lays beside the programs into the folder's Data.
inline void CopySampleWorld(const TempDir& home) {
    std::filesystem::copy(TOVEL_SAMPLE_DATA, home.Path() + "Data",
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
}

// Shows a window in the bottom right corner of its screen and makes it the active one, so that
// dialogs opened from it would stand over it unless placed otherwise.
inline bool ParkInCorner(QWidget& window) {
    window.show();
    const QRect area = window.screen()->availableGeometry();
    window.move(area.right() - window.frameGeometry().width(),
                area.bottom() - window.frameGeometry().height());
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Whether a window stands in the middle of the screen's free area (one larger than the area
// at its left or top edge).
inline bool CentredOnScreen(const QWidget& window) {
    const QRect area = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    auto centred = [](int pos, int size, int start, int length) {
        return size > length ? pos == start : std::abs(2 * (pos - start) + size - length) <= 2;
    };
    return centred(frame.x(), frame.width(), area.x(), area.width()) &&
           centred(frame.y(), frame.height(), area.y(), area.height());
}

// Runs `action` once `ready` holds, checking every few milliseconds from the event loop in force
// (a modal window's included). Gives up after `timeoutMs` (never when it is 0); `Fired` tells whether it ran.
class WhenReady : public QObject {
public:
    WhenReady(std::function<bool()> ready, std::function<void()> action, int timeoutMs = 20000)
        : ready_(std::move(ready)), action_(std::move(action)) {
        clock_.start();
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this, timeoutMs] {
            if (ready_()) {
                timer_.stop();
                fired_ = true;
                action_();
            } else if (timeoutMs > 0 && clock_.elapsed() > timeoutMs) {
                timer_.stop();
            }
        });
        timer_.start();
    }
    bool Fired() const { return fired_; }

private:
    std::function<bool()> ready_;
    std::function<void()> action_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool fired_ = false;
};

// Runs handlers on the modal dialogs that appear, in order: each handler gets the next new
// modal widget. Handlers left over when the driver dies mean a dialog never appeared. Each handler
// waits as a WhenReady of its own, so the next one is still watched while a handler blocks in a
// nested dialog.
class ModalDriver {
public:
    using Handler = std::function<void(QWidget*)>;

    void Then(Handler handler) {
        const int place = static_cast<int>(waits_.size());
        waits_.push_back(std::make_unique<WhenReady>(
            [this, place] {
                QWidget* modal = QApplication::activeModalWidget();
                return place == started_ && modal && modal != last_;
            },
            [this, handler = std::move(handler)] { Run(handler); }, 0));
    }
    int Pending() const { return static_cast<int>(waits_.size()) - started_; }

private:
    void Run(const Handler& handler) {
        QPointer<QWidget> target = QApplication::activeModalWidget();
        last_ = target;
        ++started_;
        handler(target);
        // A handler that failed half-way would leave its dialog open and the test hanging.
        if (target && target->isVisible() && QTest::currentTestFailed())
            target->hide();
    }

    std::deque<std::unique_ptr<WhenReady>> waits_;
    int started_ = 0;
    QPointer<QWidget> last_;
};

// TOVEL_HOME pointing at a temporary folder with Data and Cubes copied from the sample world, an
// empty Decks folder, and the program session opened on it.
class SampleWorld {
public:
    SampleWorld() {
        std::filesystem::copy(TOVEL_SAMPLE_DATA, home_ / "Data", std::filesystem::copy_options::recursive);
        std::filesystem::copy(std::filesystem::path(TOVEL_SAMPLE_DATA).parent_path() / "Cubes",
                              home_ / "Cubes");
        std::filesystem::create_directories(home_ / "Decks");
        session_ = OpenSession(home_);
    }
    ~SampleWorld() { session_.reset(); }

    const TempDir& Home() const { return home_; }
    std::string operator/(std::string_view relative) const { return home_ / relative; }

private:
    TempDir home_;
    std::unique_ptr<ProgramSession> session_;
};

// One test case's program on the sample world, the scripted prompter answering every question:
// made in init() and dropped in cleanup(), so that each case starts from the sample world.
struct SampleCase {
    SampleWorld World;
    ScriptedPrompter Prompter;
    ScopedPrompter Scoped{Prompter};
};

// The modal window on top when it is of type T, else none.
template <typename T> T* ActiveModal() {
    return qobject_cast<T*>(QApplication::activeModalWidget());
}

// Saves a picture of the window when TOVEL_SCREENSHOTS names a folder (the gallery and by-hand
// checks use it); does nothing otherwise.
inline void Screenshot(QWidget* window, const char* name) {
    const char* dir = std::getenv("TOVEL_SCREENSHOTS");
    if (!dir || !*dir || !window)
        return;
    window->grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QLatin1String(name) +
                        QStringLiteral(".png"));
}

} // namespace tovel::test

// The main function of a window test: the program's application object, then TestClass's cases.
#define TOVEL_WINDOW_TEST_MAIN(TestClass)                                                                    \
    int main(int argc, char** argv) {                                                                        \
        tovel::TovelApplication app(argc, argv);                                                             \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
