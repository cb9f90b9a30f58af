#pragma once

// Shared pieces of the limited-journey window tests: a program folder holding a copy of the
// sample world, and a way to act on a modal window once it is up (modal windows run their own
// event loop, so the test's actions are queued before the window opens).

#include "core/infra/ProgramDir.h"
#include "support/TempDir.h"
#include "ui/app/Startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace tovel::test {

// TOVEL_HOME pointing at a temporary folder with Data and Cubes copied from the sample world, an
// empty Decks folder, and the program session opened on it.
class SampleWorld {
public:
    SampleWorld() {
        std::filesystem::copy(TOVEL_SAMPLE_DATA, home_ / "Data", std::filesystem::copy_options::recursive);
        std::filesystem::copy(std::filesystem::path(TOVEL_SAMPLE_DATA).parent_path() / "Cubes",
                              home_ / "Cubes");
        std::filesystem::create_directories(home_ / "Decks");
        ::setenv("TOVEL_HOME", home_.Path().c_str(), 1);
        session_ = std::make_unique<ProgramSession>(QCoreApplication::applicationFilePath().toStdString());
    }
    ~SampleWorld() { session_.reset(); }

    const TempDir& Home() const { return home_; }
    std::string operator/(std::string_view relative) const { return home_ / relative; }

private:
    TempDir home_;
    std::unique_ptr<ProgramSession> session_;
};

// Runs `action` once `ready` holds, checking every few milliseconds from the event loop in force
// (a modal window's included). Gives up after `timeoutMs`; `Fired` tells whether it ran.
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
            } else if (clock_.elapsed() > timeoutMs) {
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
