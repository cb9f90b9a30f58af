#include "core/infra/Error.h"
#include "core/infra/FileCopy.h"
#include "core/infra/FileIO.h"
#include "core/infra/Sleeper.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/WindowTests.h"
#include "ui/platform/QtPrompter.h"
#include "ui/wait/CopyWithRetry.h"
#include "ui/wait/WaitCursor.h"
#include "ui/wait/WaitForm.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QToolButton>
#include <QtTest>

#include <cerrno>
#include <cstring>

using namespace tovel;
using test::Child;

namespace {

QString LabelText(const char* name) {
    return Child<QLabel>(TopWaitForm(), name)->text();
}

} // namespace

class TestWait final : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        while (WaitCount() > 0)
            CloseWait();
        EndWaitCursor();
    }

    // The message-only window: no progress bar, no times, no abort button, 41 pixels shorter,
    // in the bottom-right corner of the work area.
    void messageOnlyShape() {
        ShowWait("Please wait...");
        TWaitForm* form = TopWaitForm();
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Please wait..."));
        QCOMPARE(form->height(), TWaitForm::kDesignHeight - 41);
        QCOMPARE(form->width(), TWaitForm::kDesignWidth);
        QVERIFY(Child<QProgressBar>(form, "ProgressBar")->isHidden());
        QVERIFY(Child<QWidget>(form, "Panel1")->isHidden());
        QVERIFY(Child<QToolButton>(form, "AbortButton")->isHidden());
        const TRect area = GetWorkArea();
        QCOMPARE(form->x(), area.right - TWaitForm::kDesignWidth);
        // Placed with the full design height; the shortened window keeps its top edge.
        QCOMPARE(form->y(), area.bottom - TWaitForm::kDesignHeight);
        QCOMPARE(QString::fromStdString(WaitMessage()), QStringLiteral("Please wait..."));
    }

    void progressShapeShowsTimes() {
        ShowWait("Working", 10, nullptr, true, "Stop?");
        TWaitForm* form = TopWaitForm();
        QCOMPARE(form->height(), TWaitForm::kDesignHeight);
        QVERIFY(!Child<QProgressBar>(form, "ProgressBar")->isHidden());
        QVERIFY(!Child<QToolButton>(form, "AbortButton")->isHidden());
        QCOMPARE(LabelText("TimeLabel2"), QStringLiteral("?:??:??"));
        QVERIFY(!UpdateWait("", 0));
        QCOMPARE(LabelText("TimeLabel2"), QStringLiteral("?:??:??"));
        QCOMPARE(QString::fromStdString(WaitMessage()), QStringLiteral("Working"));
        UpdateWait("Step two\rof ten", 5);
        QCOMPARE(Child<QProgressBar>(form, "ProgressBar")->value(), 5);
        QVERIFY(LabelText("TimeLabel2") != QStringLiteral("?:??:??"));
        // A carriage return starts a new line on the label.
        QCOMPARE(LabelText("MessageLabel"), QStringLiteral("Step two\nof ten"));
    }

    // The second window stands directly above the first; updates go to the top; CloseWait
    // removes the top one first.
    void nestedWindows() {
        ShowWait("first");
        TWaitForm* first = TopWaitForm();
        ShowWait("second");
        TWaitForm* second = TopWaitForm();
        QVERIFY(first != second);
        QCOMPARE(WaitCount(), 2);
        QCOMPARE(second->x(), first->x());
        QCOMPARE(second->y(), first->y() - TWaitForm::kDesignHeight);
        UpdateWait("changed", 0);
        QCOMPARE(first->Message(), std::string("first"));
        QCOMPARE(second->Message(), std::string("changed"));
        CloseWait();
        QCOMPARE(TopWaitForm(), first);
        QCOMPARE(WaitMessage(), std::string("first"));
        CloseWait();
        QCOMPARE(WaitCount(), 0);
        QCOMPARE(WaitMessage(), std::string());
        CloseWait(); // nothing to close: no effect
    }

    void updateWithoutWindowFails() {
        try {
            UpdateWait("x", 0);
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Нет ни одного окна Wait"));
        }
        QVERIFY_THROWS_EXCEPTION(Error, CopyFileWithRetry("/a", "/b"));
    }

    void ownerIsDisabledMeanwhile() {
        QWidget owner;
        owner.move(30, 40);
        owner.show();
        ShowWait("owned", 0, &owner);
        QVERIFY(!owner.isEnabled());
        QCOMPARE(TopWaitForm()->pos(), owner.pos());
        CloseWait();
        QVERIFY(owner.isEnabled());
    }

    void guardClosesOnError() {
        try {
            WaitWindow wait("guarded");
            QCOMPARE(WaitCount(), 1);
            throw Error("work failed");
        } catch (const Error&) {
        }
        QCOMPARE(WaitCount(), 0);
    }

    // Esc, the close box and the abort button ask only when the window is abortable; only Yes
    // flags the abort, and the window never closes by itself.
    void abortRequests() {
        test::ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        ShowWait("not abortable");
        QTest::keyClick(TopWaitForm(), Qt::Key_Escape);
        TopWaitForm()->close();
        QVERIFY(prompter.asked.empty());
        QVERIFY(TopWaitForm()->isVisible());
        CloseWait();

        ShowWait("abortable", 5, nullptr, true, "");
        TWaitForm* form = TopWaitForm();
        prompter.answers = {Answer::No, Answer::Yes};
        QTest::keyClick(form, Qt::Key_Escape, Qt::ShiftModifier); // with Shift: ignored
        QVERIFY(prompter.asked.empty());
        QTest::keyClick(form, Qt::Key_Escape);
        QVERIFY(!UpdateWait("", 1));
        Child<QToolButton>(form, "AbortButton")->click();
        QVERIFY(UpdateWait("", 2));
        QCOMPARE(prompter.Messages("confirm"),
                 (std::vector<std::string>{"Прервать операцию?", "Прервать операцию?"}));
        form->close();
        QVERIFY(form->isVisible());
        QCOMPARE(WaitCount(), 1);
    }

    void waitCursorPair() {
        QVERIFY(!QApplication::overrideCursor());
        {
            WaitCursor cursor;
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            BeginWaitCursor(); // not nested: still one hourglass to take back
        }
        QVERIFY(!QApplication::overrideCursor());
    }

    void copyReplacesWithoutAsking() {
        test::TempDir dir;
        test::ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        int pauses = 0;
        ScopedSleeper sleeper([&](int) { ++pauses; });
        const std::string source = dir.Write("base.txt", "fresh");
        const std::string dest = dir.Write("Backup/base.txt", "stale");
        ShowWait("Please wait...");
        CopyFileWithRetry(source, dest);
        QCOMPARE(QString::fromStdString(test::TempDir::Read(dest)), QStringLiteral("fresh"));
        QCOMPARE(pauses, 0);
        QVERIFY(prompter.asked.empty());
        QCOMPARE(WaitMessage(), std::string("Please wait..."));
    }

    // A missing source fails twice with a 5-second pause between, then asks; No raises the
    // error with the system's text for a missing file.
    void copyGivenUp() {
        test::TempDir dir;
        test::ScriptedPrompter prompter;
        prompter.answers = {Answer::No};
        ScopedPrompter scoped(prompter);
        std::vector<int> pauses;
        ScopedSleeper sleeper([&](int ms) { pauses.push_back(ms); });
        const std::string source = dir / "missing.txt";
        const std::string dest = dir / "copy.txt";
        ShowWait("Please wait...");
        const std::string reason =
            "System Error.  Code: " + std::to_string(ENOENT) + ".\n" + std::strerror(ENOENT);
        try {
            CopyFileWithRetry(source, dest);
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(std::string(e.what()),
                     "Ошибка копирования файла " + source + " в " + dest + "\n" + reason);
        }
        QCOMPARE(pauses, std::vector<int>{5000});
        QCOMPARE(prompter.Messages("confirm"),
                 std::vector<std::string>{"Ошибка копирования файла " + source + " в " + dest + "\n" +
                                          reason +
                                          "\nВозможно файл заблокирован другой программой.\n"
                                          "Повторить попытку копирования?"});
        // The copy message stays on the window after a failure.
        QCOMPARE(WaitMessage(), "Копирование:\r" + source + " -> " + dest);
        QVERIFY(!FileExists(dest));
    }

    // The English translation replaces the original texts of the copy question and the wait
    // window's error, and removing it brings the originals back; the translation is built into
    // the program, so a missing or stale .qm file would fail here.
    void englishTextsReplaceTheOriginals() {
        test::TempDir dir;
        test::ScriptedPrompter prompter;
        prompter.answers = {Answer::No};
        ScopedPrompter scoped(prompter);
        ScopedSleeper sleeper([](int) {});
        const std::string source = dir / "missing.txt";
        const std::string dest = dir / "copy.txt";
        TTranslation translation;
        QVERIFY(translation.Apply(TLanguage::System, QStringLiteral("en_GB")));
        ShowWait("Please wait...");
        QVERIFY_THROWS_EXCEPTION(Error, CopyFileWithRetry(source, dest));
        QCOMPARE(prompter.Messages("confirm").size(), size_t{1});
        const std::string question = prompter.Messages("confirm")[0];
        QVERIFY2(question.rfind("Could not copy the file " + source + " to " + dest + "\n", 0) == 0,
                 question.c_str());
        QVERIFY(question.find("\nTry to copy it again?") != std::string::npos);
        QCOMPARE(WaitMessage(), "Copying:\r" + source + " -> " + dest);
        CloseWait();
        try {
            UpdateWait("no window", 0);
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(std::string(e.what()), std::string("There is no wait window"));
        }
        QVERIFY(!translation.Apply(TLanguage::System, QStringLiteral("ru_RU")));
        try {
            UpdateWait("no window", 0);
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(std::string(e.what()), std::string(kNoWaitWindow));
        }
    }

    // The language reaches the real windows: under English the formerly Russian texts (the abort
    // button's tip, a core text in the desktop's message box) come out in English, while English
    // texts stay exactly as they are (an empty translation would blank them); under "original"
    // everything is as written.
    void windowsFollowTheLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("abortTip");
        QTest::addColumn<QString>("coreError");
        QTest::newRow("English") << static_cast<int>(TLanguage::English) << QStringLiteral("Abort")
                                 << QStringLiteral("Unknown error in a system function");
        QTest::newRow("original") << static_cast<int>(TLanguage::Original) << QStringLiteral("Прервать")
                                  << QString::fromStdString(SystemErrorText(0));
    }
    void windowsFollowTheLanguage() {
        QFETCH(int, language);
        QFETCH(QString, abortTip);
        QFETCH(QString, coreError);
        TTranslation translation;
        QCOMPARE(translation.Apply(static_cast<TLanguage>(language), QStringLiteral("ru_RU")),
                 language == static_cast<int>(TLanguage::English));
        ShowWait("Working", 10, nullptr, true, "Stop?");
        TWaitForm* form = TopWaitForm();
        QCOMPARE(Child<QToolButton>(form, "AbortButton")->toolTip(), abortTip);
        QCOMPARE(form->windowTitle(), QStringLiteral("Please wait..."));
        CloseWait();

        QString shown;
        QTimer::singleShot(0, this, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        QtPrompter().ShowError(SystemErrorText(0));
        QCOMPARE(shown, coreError);
    }

    // The source appears during the pause: the second attempt succeeds without a question.
    void copySucceedsAfterThePause() {
        test::TempDir dir;
        test::ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        const std::string source = dir / "late.txt";
        ScopedSleeper sleeper([&](int) { dir.Write("late.txt", "arrived"); });
        ShowWait("Please wait...");
        CopyFileWithRetry(source, dir / "copy.txt");
        QCOMPARE(QString::fromStdString(test::TempDir::Read(dir / "copy.txt")), QStringLiteral("arrived"));
        QVERIFY(prompter.asked.empty());
    }

    // Yes retries; each failed retry asks again; the copy then goes through and the wait
    // message is put back.
    void copyRetriedAfterQuestions() {
        test::TempDir dir;
        const std::string source = dir / "later.txt";
        test::ScriptedPrompter prompter;
        prompter.answers = {Answer::Yes, Answer::Yes};
        ScopedSleeper sleeper([](int) {});
        ShowWait("Please wait...");
        // The file appears after the second question was answered.
        int asked = 0;
        prompter.onAsk = [&] {
            if (prompter.asked.back().kind == "confirm" && ++asked == 2)
                dir.Write("later.txt", "done");
        };
        ScopedPrompter scoped(prompter);
        CopyFileWithRetry(source, dir / "copy.txt");
        QCOMPARE(asked, 2);
        QCOMPARE(QString::fromStdString(test::TempDir::Read(dir / "copy.txt")), QStringLiteral("done"));
        QCOMPARE(WaitMessage(), std::string("Please wait..."));
    }
};

TOVEL_WINDOW_TEST_MAIN(TestWait)

#include "tst_wait.moc"
