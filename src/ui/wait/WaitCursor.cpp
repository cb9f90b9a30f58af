#include "ui/wait/WaitCursor.h"

#include <QApplication>
#include <QCursor>

namespace tovel {

namespace {
// Global: the application has one override cursor; whether the hourglass is ours to take back.
bool cursorSet = false;
} // namespace

void BeginWaitCursor() {
    if (cursorSet)
        return;
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    cursorSet = true;
}

void EndWaitCursor() {
    if (!cursorSet)
        return;
    QApplication::restoreOverrideCursor();
    cursorSet = false;
}

bool WaitCursorActive() {
    return cursorSet;
}

} // namespace tovel
