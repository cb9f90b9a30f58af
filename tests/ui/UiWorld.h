#pragma once

// Helpers for the window tests: a program folder with card data, and a driver that answers the
// modal dialogs a command opens, one after another.

#include "support/TempDir.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

namespace tovel::test {

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

// Runs handlers on the modal dialogs that appear, in order: each handler gets the next new
// modal widget. Handlers left over when the driver dies mean a dialog never appeared.
class ModalDriver {
public:
    using Handler = std::function<void(QWidget*)>;

    ModalDriver() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    void Then(Handler handler) { handlers_.push_back(std::move(handler)); }
    int Pending() const { return static_cast<int>(handlers_.size()); }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last_ || handlers_.empty())
            return;
        last_ = modal;
        auto handler = std::make_shared<Handler>(std::move(handlers_.front()));
        handlers_.pop_front();
        // Run outside this timer's slot: a handler that opens a nested dialog blocks, and a
        // timer is not delivered again while its slot runs.
        QPointer<QWidget> target = modal;
        QTimer::singleShot(0, [handler, target] {
            if (!target)
                return;
            (*handler)(target);
            // A handler that failed half-way would leave its dialog open and the test hanging.
            if (target && target->isVisible() && QTest::currentTestFailed())
                target->hide();
        });
    }

    QTimer timer_;
    std::deque<Handler> handlers_;
    QPointer<QWidget> last_;
};

} // namespace tovel::test
