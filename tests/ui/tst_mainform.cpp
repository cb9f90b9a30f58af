#include "core/carddb/CardsDB.h"
#include "core/infra/Error.h"
#include "core/infra/ProgramDir.h"
#include "core/settings/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/WindowTests.h"
#include "ui/app/AboutForm.h"
#include "ui/app/MainForm.h"
#include "ui/app/Startup.h"
#include "ui/platform/QtPrompter.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <filesystem>

#include <cstdlib>

using namespace tovel;
using test::Child;

namespace {

QString Caption(const QAction* action) {
    return action->text().remove(QLatin1Char('&'));
}

// Throws from inside an event handler, as a failing loader would.
class ThrowingWidget final : public QWidget {
protected:
    void mousePressEvent(QMouseEvent*) override { throw Error("Error reading cards database"); }
};

} // namespace

class TestMainForm final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { session_ = test::OpenSession(home_); }
    void cleanupTestCase() { session_.reset(); }

    // The session takes its folder from TOVEL_HOME, keeps its settings there, and reads no
    // data file: there is no Data folder at all and start-up still succeeds. The folders the
    // file dialogs open in are made.
    void startsWithoutDataFolder() {
        QCOMPARE(QString::fromStdString(ProgramDir()), QString::fromStdString(home_.Path()));
        for (const char* folder : {"Decks", "Inventory", "Temp", "Drafts"})
            QVERIFY(std::filesystem::is_directory(home_ / folder));
        QVERIFY(QString::fromStdString(Settings().Path()).startsWith(QString::fromStdString(home_.Path())));
        QVERIFY(QString::fromStdString(Settings().Path()).endsWith(QStringLiteral(".ini")));
        QCOMPARE(CardDatabase().Count(), 0);
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    // The title follows the program's version (a literal once went stale); the About box agrees.
    void windowSizeAndCaption() {
        TMainForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Tovel v") + QApplication::applicationVersion());
        QCOMPARE(form.size(), QSize(418, 149));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Tovel"));
    }

    void menuCaptionsAndVisibility_data() {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("visible");
        QTest::newRow("Exit") << "Exit1"
                              << "Exit" << true;
        QTest::newRow("Explore") << "Explore1"
                                 << "Explore" << true;
        QTest::newRow("Manage inventory") << "New1"
                                          << "Manage inventory" << true;
        QTest::newRow("Borrow/Lend cards") << "LendBorrowcards1"
                                           << "Borrow/Lend cards" << false;
        QTest::newRow("Design deck") << "Design1"
                                     << "Design deck" << true;
        QTest::newRow("New draft") << "Newdraft1"
                                   << "New draft" << true;
        QTest::newRow("New sealed deck") << "Newsealeddeck1"
                                         << "New sealed deck" << true;
        QTest::newRow("Edit card values") << "Editcardvalues1"
                                          << "Edit card values" << true;
        QTest::newRow("Backup cards DB") << "BackupcardsDB1"
                                         << "Backup cards DB" << true;
        QTest::newRow("Restore cards DB") << "RestorecardsDB1"
                                          << "Restore cards DB" << true;
        QTest::newRow("Build cards DB") << "BuildcardsDB1"
                                        << "Create DB from cards.txt and gatherer.txt" << true;
        QTest::newRow("Utilities") << "Utilities1"
                                   << "Utilities" << false;
        QTest::newRow("Insert SB") << "InsertSB1"
                                   << "Insert SB" << true;
        QTest::newRow("Create cards DB") << "CreatecardsDB1"
                                         << "Create cards DB" << true;
        QTest::newRow("Make XML") << "MakeXML1"
                                  << "Make XML" << true;
        QTest::newRow("Configure") << "Configure1"
                                   << "Configure" << true;
        QTest::newRow("About") << "About1"
                               << "About" << true;
    }
    void menuCaptionsAndVisibility() {
        QFETCH(QString, objectName);
        QFETCH(QString, caption);
        QFETCH(bool, visible);
        TMainForm form;
        const QAction* action = form.Command(objectName);
        QVERIFY2(action, qPrintable(objectName));
        QCOMPARE(Caption(action), caption);
        QCOMPARE(action->isVisible(), visible);
    }

    void menuBarOrder() {
        TMainForm form;
        QStringList titles;
        for (QAction* action : form.menuBar()->actions())
            titles << Caption(action);
        QCOMPARE(titles,
                 (QStringList{"File", "Base", "Inventory", "Deck", "Draft", "Utilities", "Options", "Help"}));
        const auto items = [&form](const char* menuName) {
            const QMenu* menu = Child<QMenu>(&form, menuName);
            QStringList captions;
            for (QAction* action : menu->actions())
                captions << (action->isSeparator() ? QStringLiteral("-") : Caption(action)) +
                                (action->isVisible() ? QString() : QStringLiteral("(hidden)"));
            return captions;
        };
        QCOMPARE(items("Draft1"), (QStringList{"New draft", "Open draft record...", "New sealed deck", "-",
                                               "Edit card values"}));
        // The card database's maintenance under "Base", the deck converter under "Deck".
        QCOMPARE(items("Base1"),
                 (QStringList{"Explore", "-", "Create cards DB", "Create DB from cards.txt and gatherer.txt",
                              "-", "Backup cards DB", "Restore cards DB"}));
        QCOMPARE(items("Deck1"), (QStringList{"Design deck", "-", "Insert SB"}));
    }

    void aboutBoxShowsTitleAndCloses() {
        TMainForm form;
        form.show();
        bool seen = false;
        test::ModalDriver driver;
        driver.Then([&](QWidget* modal) {
            auto* about = qobject_cast<TAboutForm*>(modal);
            QVERIFY(about);
            seen = true;
            QCOMPARE(Child<QLabel>(about, "LabelTitle")->text(),
                     QStringLiteral("Tovel v") + QApplication::applicationVersion());
            QCOMPARE(about->ContactUrl(), QStringLiteral("mailto:") + QLatin1String(kContactAddress) +
                                              QStringLiteral("?Subject=Tovel"));
            auto* cool = Child<QPushButton>(about, "ButtonCool");
            QVERIFY(cool && cool->isDefault());
            QCOMPARE(cool->text(), QStringLiteral("Cool"));
            cool->click();
        });
        form.Command(QStringLiteral("About1"))->trigger();
        QVERIFY(seen);
    }

    // The file dialogs' filters are written as "description|patterns" pairs.
    void fileFiltersMapToQtSyntax() {
        QCOMPARE(QtFileFilter("Deck files|*.dec"), QStringLiteral("Deck files (*.dec)"));
        QCOMPARE(QtFileFilter("Inventory files|*.inv"), QStringLiteral("Inventory files (*.inv)"));
        QCOMPARE(QtFileFilter("Card lists|*.txt;*.lst|All files|*.*"),
                 QStringLiteral("Card lists (*.txt *.lst);;All files (*.*)"));
        QCOMPARE(QtFileFilter(""), QString());
    }

    // An exception escaping an event handler reaches the error box with its message.
    void escapingExceptionIsShown() {
        test::ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        ThrowingWidget widget;
        widget.resize(50, 50);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QTest::mouseClick(&widget, Qt::LeftButton);
        QCOMPARE(prompter.Messages("error"), (std::vector<std::string>{"Error reading cards database"}));
    }

private:
    test::TempDir home_;
    std::unique_ptr<ProgramSession> session_;
};

TOVEL_WINDOW_TEST_MAIN(TestMainForm)

#include "tst_mainform.moc"
