#include "ui/infra/GlobFile.h"

#include "core/infra/Error.h"
#include "core/infra/FileCopy.h"
#include "core/infra/Prompts.h"
#include "core/infra/Sleeper.h"
#include "ui/infra/WaitForm.h"

#include <QApplication>

#include <cerrno>

namespace tovel {

namespace {

bool TryCopy(const std::string& source, const std::string& dest) {
    const int error = TryCopyFile(source, dest);
    errno = error;
    return error == 0;
}

} // namespace

void CopyFileWithRetry(const std::string& source, const std::string& dest) {
    const std::string previous = WaitMessage();
    UpdateWait("Копирование:\r" + source + " -> " + dest, 0);
    bool copied = TryCopy(source, dest);
    if (!copied) {
        Sleep(kCopyRetryPauseMs);
        copied = TryCopy(source, dest);
    }
    while (!copied) {
        const std::string reason = LastErrorText();
        QApplication::beep();
        const std::string question = "Ошибка копирования файла " + source + " в " + dest + "\n" + reason +
                                     "\n" + "Возможно файл заблокирован другой программой.\n" +
                                     "Повторить попытку копирования?";
        if (Prompts().Confirm(question, ConfirmButtons::YesNo, MessageIcon::Error) != Answer::Yes) {
            QApplication::beep();
            throw Error("Ошибка копирования файла " + source + " в " + dest + "\n" + reason);
        }
        copied = TryCopy(source, dest);
    }
    UpdateWait(previous, 0);
}

} // namespace tovel
