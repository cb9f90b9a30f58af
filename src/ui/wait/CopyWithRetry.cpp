#include "ui/wait/CopyWithRetry.h"

#include "core/infra/Error.h"
#include "core/infra/FileCopy.h"
#include "core/infra/Prompts.h"
#include "core/infra/Sleeper.h"
#include "ui/platform/QtPrompter.h"
#include "ui/platform/QtText.h"
#include "ui/wait/WaitForm.h"

#include <QApplication>
#include <QCoreApplication>

#include <cerrno>

namespace tovel {

namespace {

// The text in the language of the windows, its %1, %2 ... filled at once (a path holding "%2"
// stays as it is).
template <typename... Args> std::string Translated(const char* text, const Args&... args) {
    return ToUtf8(QCoreApplication::translate("CopyFileWithRetry", text).arg(FromUtf8(args)...));
}

bool TryCopy(const std::string& source, const std::string& dest) {
    const int error = TryCopyFile(source, dest);
    errno = error;
    return error == 0;
}

} // namespace

void CopyFileWithRetry(const std::string& source, const std::string& dest) {
    const std::string previous = WaitMessage();
    UpdateWait(Translated(QT_TRANSLATE_NOOP("CopyFileWithRetry", "Копирование:\r%1 -> %2"), source, dest), 0);
    bool copied = TryCopy(source, dest);
    if (!copied) {
        Sleep(kCopyRetryPauseMs);
        copied = TryCopy(source, dest);
    }
    while (!copied) {
        const std::string reason = ToUtf8(CoreText(LastErrorText()));
        QApplication::beep();
        const std::string question = Translated(
            QT_TRANSLATE_NOOP("CopyFileWithRetry", "Ошибка копирования файла %1 в %2\n%3\n"
                                                   "Возможно файл заблокирован другой программой.\n"
                                                   "Повторить попытку копирования?"),
            source, dest, reason);
        if (Prompts().Confirm(question, ConfirmButtons::YesNo, MessageIcon::Error) != Answer::Yes) {
            QApplication::beep();
            throw Error(
                Translated(QT_TRANSLATE_NOOP("CopyFileWithRetry", "Ошибка копирования файла %1 в %2\n%3"),
                           source, dest, reason));
        }
        copied = TryCopy(source, dest);
    }
    UpdateWait(previous, 0);
}

} // namespace tovel
