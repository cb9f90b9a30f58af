#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardQuery.h"
#include "core/collection/Inventory.h"
#include "core/decks/DeckFile.h"
#include "core/infra/ProgramDir.h"
#include "core/settings/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/WindowTests.h"
#include "ui/app/MainForm.h"
#include "ui/app/Startup.h"
#include "ui/cardviews/CardInfoFrame.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/collection/CardQueryBar.h"
#include "ui/collection/CardsFrame.h"
#include "ui/collection/InventoryForm.h"
#include "ui/collection/ViewBaseForm.h"
#include "ui/style/LmActnCtrls.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleHints>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace tovel;
using test::Child;
using test::Click;
using test::ModalDriver;
using test::ScriptedPrompter;

namespace {

QString Cell(TCardsFrame* frame, int row, int column) {
    return frame->ListView()->model()->index(row, column).data().toString();
}

QString SelectedName(TCardsFrame* frame) {
    return frame->SelectedRow() < 0 ? QString() : Cell(frame, frame->SelectedRow(), kColumnName);
}

void ClickRow(TCardsFrame* frame, int row) {
    QTableView* view = frame->ListView();
    const QRect rect = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::qWait(QApplication::doubleClickInterval() + 10);
}

void DoubleClickRow(TCardsFrame* frame, int row) {
    QTableView* view = frame->ListView();
    const QRect rect = view->visualRect(view->model()->index(row, 1));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

// Opens the filter dialog from the frame's button and checks exactly these editions.
void FilterTo(ModalDriver& driver, TCardsFrame* frame, const QStringList& codes, bool legalIn) {
    driver.Then([codes, legalIn](QWidget* form) {
        auto* list = Child<QListWidget>(form, "CheckListBoxEditions");
        for (int i = 0; i < list->count(); ++i) {
            bool wanted = false;
            for (const QString& code : codes)
                wanted |= list->item(i)->text().startsWith(QLatin1Char('[') + code + QLatin1Char(']'));
            list->item(i)->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
        }
        Child<QRadioButton>(form, legalIn ? "RadioButtonLegalIn" : "RadioButtonBelongsTo")->setChecked(true);
        Click(form, "ButtonOK");
    });
    Click(frame, "BitBtn1");
}

QStringList Names(TCardsFrame* frame) {
    QStringList names;
    for (int row = 0; row < frame->ListView()->model()->rowCount(); ++row)
        names << Cell(frame, row, kColumnName);
    return names;
}

// Records a modal dialog that should not have appeared, and closes it.
void CatchAnyDialog(ModalDriver& driver, QStringList& seen) {
    driver.Then([&seen](QWidget* dialog) {
        seen << dialog->windowTitle();
        dialog->close();
    });
}

QSet<QString> Editions(TCardsFrame* frame) {
    QSet<QString> result;
    for (int row = 0; row < frame->ListView()->model()->rowCount(); ++row)
        result.insert(Cell(frame, row, kColumnEdition));
    return result;
}

// The scripted answers, and a hook run whenever a message is shown.
class RepaintingPrompter final : public Prompter {
public:
    ScriptedPrompter script;
    std::function<void()> whileShowing;

    void ShowError(const std::string& message) override {
        if (whileShowing)
            whileShowing();
        script.ShowError(message);
    }
    void ShowInformation(const std::string& message) override {
        if (whileShowing)
            whileShowing();
        script.ShowInformation(message);
    }
    Answer Confirm(const std::string& message, ConfirmButtons buttons, MessageIcon icon) override {
        return script.Confirm(message, buttons, icon);
    }
    std::string AskOpenFileName(const std::string& dir, const std::string& ext,
                                const std::string& filter) override {
        return script.AskOpenFileName(dir, ext, filter);
    }
    std::vector<std::string> AskOpenFileNames(const std::string& dir, const std::string& ext,
                                              const std::string& filter) override {
        return script.AskOpenFileNames(dir, ext, filter);
    }
    std::string AskSaveFileName(const std::string& dir, const std::string& ext,
                                const std::string& filter) override {
        return script.AskSaveFileName(dir, ext, filter);
    }
    std::string BrowseFolder(const std::string& caption, const std::string& dir) override {
        return script.BrowseFolder(caption, dir);
    }
};

std::string Read(const std::string& file) {
    return test::TempDir::Read(file);
}

} // namespace

class TestCollection final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Clicks are told apart after a short wait, not the desktop's 400 ms.
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(40);
        session_ = test::OpenSession(home_);
        test::CopySampleWorld(home_);
    }
    void cleanupTestCase() { session_.reset(); }
    void init() {
        std::filesystem::remove_all(home_ / "Inventory");
        Settings().SetEditionsFilter("");
        Settings().SetSearchQuery("ViewBase", "");
        Settings().SetSearchQuery("Inventory", "");
        Settings().SetBaseColumns("");
    }

    // "Explore" and "Manage inventory" open in the middle of the screen, not over the main window,
    // with their menu bar, pop-up menus and tool bar buttons in "Lm Style".
    void windowsOpenCentredInLmStyle_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("base viewer") << "Explore1";
        QTest::newRow("inventory") << "New1";
    }
    void windowsOpenCentredInLmStyle() {
        QFETCH(QString, command);
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        TMainForm main;
        QVERIFY(test::ParkInCorner(main));
        ModalDriver driver;
        driver.Then([&](QWidget* form) {
            QCOMPARE(form->parentWidget(), &main);
            QVERIFY(test::CentredOnScreen(*form));
            QWidget* menuBar = form->findChild<QMenuBar*>();
            QVERIFY(menuBar && qobject_cast<TLmStyle*>(menuBar->style()));
            for (QMenu* menu : form->findChildren<QMenu*>())
                QVERIFY(qobject_cast<TLmStyle*>(menu->style()));
            const QList<QToolButton*> buttons = form->findChild<QToolBar*>()->findChildren<QToolButton*>();
            QVERIFY(!buttons.isEmpty());
            for (QToolButton* button : buttons)
                QVERIFY(qobject_cast<TLmStyle*>(button->style()));
            form->close();
        });
        main.Command(command)->trigger();
        QCOMPARE(driver.Pending(), 0);
    }

    // Flow 1: search, three copies by double click and one foil, a note, "Save to file...", the
    // save question on closing, and the inventory as left on reopening.
    void inventoryEditSaveReopen() {
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        const std::string saved = home_ / "Inventory/mine.inv";
        prompter.fileNames.push_back(saved);
        prompter.answers.push_back(Answer::Yes); // the save question
        TMainForm main;
        ModalDriver driver;
        driver.Then([&](QWidget* widget) {
            auto* form = qobject_cast<TInventoryForm*>(widget);
            QVERIFY(form);
            QCOMPARE(form->windowTitle(), QStringLiteral("Inventory"));
            TCardsFrame* base = form->CardsFrameBase();
            TCardsFrame* inv = form->CardsFrameInv();
            QCOMPARE(Child<QLabel>(base, "Label1")->text(), QStringLiteral("Find in base"));
            QCOMPARE(Child<QLabel>(inv, "Label1")->text(), QStringLiteral("Find in inventory"));
            QCOMPARE(inv->ListView()->model()->rowCount(), 0);
            QTest::keyClicks(base->EditSearch(), QStringLiteral("naalir or"));
            QCOMPARE(SelectedName(base), QStringLiteral("Naalir Oracle"));
            // A user's first click on the list selects the row; the double clicks follow.
            ClickRow(base, base->SelectedRow());
            for (int i = 0; i < 3; ++i) {
                DoubleClickRow(base, base->SelectedRow());
                QTest::qWait(QApplication::doubleClickInterval() + 10);
            }
            Click(form, "ButtonAddFoil");
            QCOMPARE(inv->ListView()->model()->rowCount(), 1);
            QCOMPARE(Cell(inv, 0, kColumnCount), QStringLiteral("4"));
            QCOMPARE(Cell(inv, 0, kColumnFoil), QStringLiteral("1"));
            auto* notes = Child<QLineEdit>(inv, "EditNotes");
            QTest::keyClicks(notes, QStringLiteral("trade;binder"));
            QCOMPARE(Cell(inv, 0, kColumnNotes), QStringLiteral("tradebinder")); // ";" refused
            form->Action("ASaveToFile")->trigger();
            form->close();
        });
        main.Command(QStringLiteral("New1"))->trigger();
        QCOMPARE(driver.Pending(), 0);
        QCOMPARE(prompter.Messages("confirm"), std::vector<std::string>{"Inventory modified! Save changes?"});
        // Sorted by edition, the search finds the card's "9E" printing first.
        const std::string line = "9E;Naalir Oracle;4;1;tradebinder\r\n";
        QCOMPARE(QString::fromStdString(Read(saved)), QString::fromStdString(line));
        QCOMPARE(Read(home_ / "Inventory/inventory.inv"), line);

        driver.Then([&](QWidget* widget) {
            auto* form = qobject_cast<TInventoryForm*>(widget);
            TCardsFrame* inv = form->CardsFrameInv();
            QCOMPARE(inv->ListView()->model()->rowCount(), 1);
            QCOMPARE(Cell(inv, 0, kColumnName), QStringLiteral("Naalir Oracle"));
            QCOMPARE(Cell(inv, 0, kColumnNotes), QStringLiteral("tradebinder"));
            QCOMPARE(Child<QLabel>(inv, "LabelTotal")->text(), QStringLiteral("Cards total: 4"));
            form->close(); // unmodified: no question
        });
        main.Command(QStringLiteral("New1"))->trigger();
        QCOMPARE(driver.Pending(), 0);
        QCOMPARE(prompter.Messages("confirm").size(), size_t(1));
    }

    // Flow 2: a filter set in the base viewer is stored and the inventory window starts with it
    // (in "Card belongs to" mode).
    void filterIsSharedBetweenWindows() {
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        TMainForm main;
        ModalDriver driver;
        int legalRows = 0;
        driver.Then([&](QWidget* widget) {
            auto* form = qobject_cast<TViewBaseForm*>(widget);
            QVERIFY(form);
            TCardsFrame* frame = form->CardsFrameBase();
            const int all = frame->ListView()->model()->rowCount();
            QCOMPARE(all, CardDatabase().Count());
            FilterTo(driver, frame, {"HK", "TX"}, true);
            legalRows = frame->ListView()->model()->rowCount();
            QVERIFY(legalRows > 0 && legalRows < all);
            FilterTo(driver, frame, {"HK", "TX"}, false);
            QCOMPARE(Editions(frame), (QSet<QString>{"HK", "TX"}));
            // Cards printed in HK or TX but belonging to other editions passed only as "legal in".
            QVERIFY(frame->ListView()->model()->rowCount() <= legalRows);
            QCOMPARE(Child<QLabel>(frame, "LabelDifferent")->text(),
                     QStringLiteral("Different cards: %1").arg(frame->ListView()->model()->rowCount()));
            form->close();
        });
        main.Command(QStringLiteral("Explore1"))->trigger();
        QCOMPARE(driver.Pending(), 0);
        QCOMPARE(QString::fromStdString(Settings().EditionsFilter()), QStringLiteral("HK;TX;"));

        driver.Then([&](QWidget* widget) {
            auto* form = qobject_cast<TInventoryForm*>(widget);
            QVERIFY(form);
            QCOMPARE(QString::fromStdString(form->CardsFrameBase()->Filter().Editions),
                     QStringLiteral("HK;TX;"));
            QVERIFY(!form->CardsFrameBase()->Filter().LegalIn);
            QCOMPARE(Editions(form->CardsFrameBase()), (QSet<QString>{"HK", "TX"}));
            form->close();
        });
        main.Command(QStringLiteral("New1"))->trigger();
        QCOMPARE(driver.Pending(), 0);
    }

    // "NONE" shows nothing and counts nothing.
    void noneFilterShowsNothing() {
        Settings().SetEditionsFilter("NONE");
        TViewBaseForm form;
        form.Setup();
        QCOMPARE(form.CardsFrameBase()->ListView()->model()->rowCount(), 0);
        QCOMPARE(Child<QLabel>(form.CardsFrameBase(), "LabelDifferent")->text(),
                 QStringLiteral("Different cards: 0"));
        QVERIFY(Child<QLabel>(form.CardsFrameBase(), "LabelTotal")->isHidden());
        form.close();
    }

    // Flow 4: a designer deck (main, sideboard, basic lands) imported into the inventory loses
    // its basic lands and zones; exported and imported again it gives the same inventory.
    void decImportExportRoundTrip() {
        LoadCardDatabase(CardDatabase(), ProgramPath("Data/base.txt"), "");
        TIntegerList main;
        TIntegerList side;
        const int oracle = CardDatabase().IndexOf("Naalir Oracle", "VR");
        const int orrery = CardDatabase().IndexOf("Quelarr Orrery", "VR");
        QVERIFY(oracle >= 0 && orrery >= 0);
        main.Add(oracle);
        main.Add(oracle);
        side.Add(orrery);
        const std::array<int32_t, 5> lands{0, 7, 0, 0, 0};
        const std::string deck = home_ / "Decks/test.dec";
        EnsureDirectory(home_ / "Decks");
        WriteDesignerDeck(CardDatabase(), main, lands, side, {}, deck);

        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        const std::string exported = home_ / "Decks/export.dec";
        prompter.fileNames = {deck, exported, exported};
        prompter.answers = {Answer::Yes, Answer::No};
        TInventoryForm form;
        form.Setup();
        form.Action("AImportDec")->trigger();
        TCardsFrame* inv = form.CardsFrameInv();
        QCOMPARE(inv->ListView()->model()->rowCount(), 2);
        QCOMPARE(Cell(inv, 0, kColumnName), QStringLiteral("Naalir Oracle"));
        QCOMPARE(Cell(inv, 0, kColumnCount), QStringLiteral("2"));
        QCOMPARE(Cell(inv, 1, kColumnName), QStringLiteral("Quelarr Orrery"));
        QVERIFY(form.Modified());
        form.show();
        form.Action("AExportDec")->trigger();
        const std::string first = FormatInventory(form.Collection());
        form.Action("AImportDec")->trigger();
        QCOMPARE(FormatInventory(form.Collection()), first);
        QCOMPARE(prompter.asked.at(0).text, home_ / "Decks/");
        QCOMPARE(prompter.asked.at(0).filter, std::string("Deck files|*.dec"));
        form.close();
        QCOMPARE(
            prompter.Messages("confirm"),
            (std::vector<std::string>{
                "Replace the collection with the cards of export.dec? The current collection has 3 cards.",
                "Inventory modified! Save changes?"}));
    }

    // Removing copies: a count-1 row goes and the next row is selected; a foil removal with no
    // foils changes nothing; buttons mirror the selection into the base list.
    void addRemoveAndMirror() {
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        TInventoryForm form;
        form.Setup();
        TCardsFrame* base = form.CardsFrameBase();
        TCardsFrame* inv = form.CardsFrameInv();
        for (const char* name : {"Kessul Ambush", "Naalir Oracle", "Quelarr Orrery"}) {
            QTest::keyClicks(base->EditSearch(), QLatin1String(name));
            Click(&form, "ButtonAddCard");
            base->EditSearch()->clear();
        }
        QCOMPARE(inv->ListView()->model()->rowCount(), 3);
        QCOMPARE(SelectedName(inv), QStringLiteral("Quelarr Orrery"));
        // Selecting an inventory row selects the card in the base list.
        inv->ListView()->setCurrentIndex(inv->ListView()->model()->index(0, 0));
        QCOMPARE(SelectedName(inv), QStringLiteral("Kessul Ambush"));
        QCOMPARE(SelectedName(base), QStringLiteral("Kessul Ambush"));
        Click(&form, "ButtonDeleteFoil");
        QCOMPARE(Cell(inv, 0, kColumnCount), QStringLiteral("1"));
        Click(&form, "ButtonDeleteCard");
        QCOMPARE(inv->ListView()->model()->rowCount(), 2);
        QCOMPARE(SelectedName(inv), QStringLiteral("Naalir Oracle"));
        // The statistics follow every copy added or removed.
        QCOMPARE(Child<QLabel>(inv, "LabelTotal")->text(), QStringLiteral("Cards total: 2"));
        QCOMPARE(Child<QLabel>(inv, "LabelDifferent")->text(), QStringLiteral("Different cards: 2"));
        auto* notes = Child<QLineEdit>(inv, "EditNotes");
        QTest::keyClicks(notes, QStringLiteral("mint"));

        // "Clear inventory": the save question first, then the confirmation; Cancel keeps all.
        prompter.answers = {Answer::No, Answer::Cancel};
        form.Action("AClearInventory")->trigger();
        QCOMPARE(inv->ListView()->model()->rowCount(), 2);
        prompter.answers = {Answer::No, Answer::Yes};
        form.Action("AClearInventory")->trigger();
        QCOMPARE(inv->ListView()->model()->rowCount(), 0);
        QCOMPARE(notes->text(), QString());
        QCOMPARE(prompter.Messages("confirm"), (std::vector<std::string>{"Inventory modified! Save changes?",
                                                                         "Clear inventory? Are you sure?",
                                                                         "Inventory modified! Save changes?",
                                                                         "Clear inventory? Are you sure?"}));
        // Closing: Cancel keeps the window open.
        form.show();
        prompter.answers = {Answer::Cancel};
        form.close();
        QVERIFY(form.isVisible());
        prompter.answers = {Answer::No};
        form.close();
        QVERIFY(!form.isVisible());
    }

    // With another file loaded, "Yes" to the save question asks for a name starting at that
    // file; cancelling that dialog closes without writing.
    void saveQuestionWithAnotherFile() {
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        const std::string other = home_.Write("Inventory/other.inv", "VR;Naalir Oracle;1;0;\r\n");
        prompter.fileNames = {other, ""};
        prompter.answers = {Answer::Yes};
        TInventoryForm form;
        form.Setup();
        form.Action("ALoadFromFile")->trigger();
        QCOMPARE(form.CurrentFile(), other);
        QVERIFY(!form.Modified());
        Click(&form, "ButtonAddCard");
        form.show();
        form.close();
        QVERIFY(!form.isVisible());
        QCOMPARE(prompter.asked.back().kind, std::string("save"));
        QCOMPARE(prompter.asked.back().text, other);
        QCOMPARE(Read(other), std::string("VR;Naalir Oracle;1;0;\r\n"));
    }

    // Yes to the close question and a save that fails: the error is shown and the window stays
    // open with its changes.
    void failedSaveOnClosingKeepsTheWindow() {
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        TInventoryForm form;
        form.Setup();
        Click(&form, "ButtonAddCard");
        // A folder that is not empty stands where the default file was: it cannot be replaced.
        std::filesystem::remove(home_ / "Inventory/inventory.inv");
        home_.Write("Inventory/inventory.inv/keep", "");
        form.show();
        prompter.answers = {Answer::Yes};
        form.close();
        QVERIFY(form.isVisible());
        QCOMPARE(prompter.Messages("error").size(), size_t(1));
        QCOMPARE(form.CardsFrameInv()->ListView()->model()->rowCount(), 1);
        prompter.answers = {Answer::No};
        form.close();
        QVERIFY(!form.isVisible());
    }

    // A file that cannot be loaded leaves the inventory as it was; a deck that stops at an
    // invalid line keeps the lines before it. The list stays paintable while the message is up
    // (a real message box lets the window repaint behind it).
    void failedReadsKeepTheInventoryListed_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("deck"); // empty: a file that cannot be read
        QTest::addColumn<QStringList>("names");
        QTest::newRow("load") << "ALoadFromFile"
                              << "" << QStringList{"Forest", "Naalir Oracle"};
        QTest::newRow("import") << "AImportDec"
                                << "1 [VR] - Quelarr Orrery\r\nx [VR] - Bad\r\n"
                                << QStringList{"Quelarr Orrery"};
        // The deck's basic land adds to the collection's Forest line.
        QTest::newRow("add") << "AAddDec"
                             << "1 [9E] - Forest\r\nx [VR] - Bad\r\n"
                             << QStringList{"Forest", "Naalir Oracle"};
    }
    void failedReadsKeepTheInventoryListed() {
        QFETCH(QString, command);
        QFETCH(QString, deck);
        QFETCH(QStringList, names);
        home_.Write("Inventory/inventory.inv", "9E;Forest;2;0;\r\nVR;Naalir Oracle;1;0;mint\r\n");
        std::string file = home_ / "Inventory/broken.inv";
        if (deck.isEmpty())
            home_.Write("Inventory/broken.inv/keep", ""); // a folder
        else
            file = home_.Write("Decks/broken.dec", deck.toStdString());
        RepaintingPrompter prompter;
        ScopedPrompter scoped(prompter);
        prompter.script.fileNames = {file};
        if (command == QStringLiteral("AImportDec"))
            prompter.script.answers = {Answer::Yes}; // replace the collection
        TInventoryForm form;
        form.Setup();
        TCardsFrame* inv = form.CardsFrameInv();
        prompter.whileShowing = [inv] {
            inv->ListView()->grab();
        };
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // As from the menu: an error escaping the command reaches the application's error box.
        QMetaObject::invokeMethod(form.Action(command.toLatin1().constData()), &QAction::trigger,
                                  Qt::QueuedConnection);
        QTRY_COMPARE(prompter.script.Messages("error").size(), size_t(1));
        QStringList shown;
        for (int row = 0; row < inv->ListView()->model()->rowCount(); ++row)
            shown << Cell(inv, row, kColumnName);
        QCOMPARE(shown, names);
        QCOMPARE(form.Collection().Count(), int(names.size()));
        QCOMPARE(form.CurrentFile(), home_ / "Inventory/inventory.inv");
        prompter.script.answers = {Answer::No};
        form.close();
    }

    // In the inventory layout the Name column is 200 pixels wide, also after the rows changed.
    void nameColumnWidth() {
        TInventoryForm form;
        form.Setup();
        Click(&form, "ButtonAddCard");
        QCOMPARE(form.CardsFrameInv()->ListView()->horizontalHeader()->sectionSize(kColumnName), 200);
        Click(&form, "ButtonDeleteCard");
        QCOMPARE(form.CardsFrameInv()->ListView()->horizontalHeader()->sectionSize(kColumnName), 200);
    }

    // The list model behaves as a model, and search scrolls a found row to the top.
    void listModelAndSearch() {
        TViewBaseForm form;
        form.Setup();
        form.resize(420, 400);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TCardsFrame* frame = form.CardsFrameBase();
        // The list starts below the bars.
        QVERIFY(Child<QWidget>(&form, "LmCoolBar1")->geometry().bottom() < frame->geometry().top());
        QAbstractItemModelTester tester(frame->ListView()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        // A prefix no name has leaves the selection where it was.
        frame->EditSearch()->setText(QStringLiteral("Qqqq no such card"));
        QCOMPARE(frame->SelectedRow(), 0);
        frame->EditSearch()->clear();
        // A name half-way down, far below the first page, becomes the top row.
        frame->SetSortColumn(kColumnName);
        QCOMPARE(frame->ListView()->horizontalHeader()->count(), 2);
        const QString name = Cell(frame, frame->ListView()->model()->rowCount() / 2, kColumnName);
        frame->EditSearch()->setText(name);
        QCOMPARE(Cell(frame, frame->SelectedRow(), kColumnName), name);
        QCOMPARE(frame->ListView()->currentIndex().row(), frame->SelectedRow());
        QVERIFY(frame->SelectedRow() < frame->ListView()->verticalScrollBar()->maximum());
        QCOMPARE(frame->ListView()->verticalScrollBar()->value(), frame->SelectedRow());
        form.close();
    }

    // The search field narrows the base list as the user types and counts the matches; a query
    // that cannot be read shows why and leaves the list alone; the text comes back next time.
    void cardSearchNarrowsTheBaseList() {
        const auto rows = [](TViewBaseForm& form) {
            return form.CardsFrameBase()->ListView()->model()->rowCount();
        };
        int all = 0;
        {
            TViewBaseForm form;
            form.Setup();
            all = rows(form);
            QLabel* status = form.QueryBar()->Status();
            QTest::keyClicks(form.QueryBar()->Edit(), QStringLiteral("t:creature c:g"));
            const int expected =
                static_cast<int>(SearchCards(CardDatabase(), TCardQuery::Compile("t:creature c:g")).size());
            QVERIFY(expected > 0 && expected < all);
            QTRY_COMPARE(status->text(), QStringLiteral("%1 matches").arg(expected));
            QCOMPARE(rows(form), expected);
            for (int row = 0; row < rows(form); ++row)
                QVERIFY(form.CardsFrameBase()->Model().RowLine(row).Card->TypeLine.find("Creature") !=
                        std::string_view::npos);
            form.QueryBar()->Edit()->setText(QStringLiteral("t:creature c:g cmc<=x"));
            QTRY_COMPARE(status->text(),
                         QStringLiteral("Bad search at column 21: a number is needed, not \"x\""));
            QCOMPARE(rows(form), expected);
            form.QueryBar()->Edit()->setText(QStringLiteral("t:creature c:g"));
            form.QueryBar()->Apply();
            form.close();
        }
        TViewBaseForm again;
        again.Setup();
        QCOMPARE(again.QueryBar()->Edit()->text(), QStringLiteral("t:creature c:g"));
        QVERIFY(rows(again) < all);
        again.QueryBar()->Edit()->clear();
        again.QueryBar()->Apply();
        QCOMPARE(rows(again), all);
        again.close();
    }

    // A query that takes several slices gives way to the next keystroke: its result never
    // reaches the list, which ends with the latest query's.
    void slowSearchGivesWayToTheNextKeystroke() {
        TViewBaseForm form;
        form.Setup();
        TCardQueryBar* bar = form.QueryBar();
        QAbstractItemModel* model = form.CardsFrameBase()->ListView()->model();
        const int all = model->rowCount();
        const auto found = [](const char* query) {
            return static_cast<int>(SearchCards(CardDatabase(), TCardQuery::Compile(query)).size());
        };
        const int slow = found("t:creature");
        const int latest = found("t:creature c:g");
        QVERIFY(slow != all && latest != slow && latest != all);
        std::vector<int> shown; // the rows after each change of the list
        connect(model, &QAbstractItemModel::modelReset, this, [&] { shown.push_back(model->rowCount()); });
        bar->SetSliceCards(1);
        bar->Edit()->setText(QStringLiteral("t:creature"));
        bar->Apply();
        QVERIFY(bar->Searching());
        QCOMPARE(model->rowCount(), all);
        QTest::keyClicks(bar->Edit(), QStringLiteral(" c:g"));
        QVERIFY(!bar->Searching());
        QTRY_COMPARE(bar->Status()->text(), QStringLiteral("%1 matches").arg(latest));
        QCOMPARE(model->rowCount(), latest);
        QCOMPARE(shown, std::vector<int>{latest});
        bar->Edit()->clear();
        bar->Apply();
        QTRY_VERIFY(!bar->Searching());
        form.close();
    }

    // A query that counts owned copies follows the inventory as cards are added.
    void ownQueryFollowsTheInventory() {
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        TInventoryForm form;
        form.Setup();
        form.QueryBar()->Edit()->setText(QStringLiteral("own=0"));
        form.QueryBar()->Apply();
        const int unowned = form.CardsFrameBase()->Model().RowCount();
        QVERIFY(unowned > 0);
        Click(&form, "ButtonAddCard");
        QCOMPARE(form.CardsFrameBase()->Model().RowCount(), unowned - 1);
        prompter.answers = {Answer::No};
        form.close();
    }

    // Stored card columns come back after edition and name; a header click sorts by one and
    // shows the sort arrow there.
    void baseViewerCardColumns() {
        Settings().SetBaseColumns("5,9,3");
        TViewBaseForm form;
        form.Setup();
        TCardsFrame* frame = form.CardsFrameBase();
        QHeaderView* header = frame->ListView()->horizontalHeader();
        QCOMPARE(header->count(), 4);
        QCOMPARE(frame->ListView()->model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("Cost"));
        QCOMPARE(frame->ListView()->model()->headerData(3, Qt::Horizontal).toString(),
                 QStringLiteral("Value"));
        QCOMPARE(header->sortIndicatorSection(), 0);
        emit header->sectionClicked(3);
        QCOMPARE(header->sortIndicatorSection(), 3);
        QCOMPARE(frame->Model().SortColumn(), static_cast<int>(kColumnValue));
        const int last = frame->ListView()->model()->rowCount() - 1;
        QVERIFY(Cell(frame, 0, 3).toInt() < Cell(frame, last, 3).toInt());
        // A second click sorts the other way.
        emit header->sectionClicked(3);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QVERIFY(Cell(frame, 0, 3).toInt() > Cell(frame, last, 3).toInt());
        form.close();
    }

    // Every change a user can make marks the collection modified, so closing asks and "Yes"
    // keeps it: a note typed in the notes box or in the list's note cell (Enter opens and
    // commits it), a copy taken away with Delete.
    void everyEditMarksTheCollectionModified_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("saved");
        QTest::newRow("notes box") << "box"
                                   << "9E;Forest;2;0;x\r\nVR;Naalir Oracle;1;0;mint\r\n";
        QTest::newRow("note cell") << "cell"
                                   << "9E;Forest;2;0;\r\nVR;Naalir Oracle;1;0;fresh\r\n";
        QTest::newRow("Delete key") << "delete"
                                    << "9E;Forest;1;0;\r\nVR;Naalir Oracle;1;0;mint\r\n";
    }
    void everyEditMarksTheCollectionModified() {
        QFETCH(QString, edit);
        QFETCH(QString, saved);
        const std::string file =
            home_.Write("Inventory/inventory.inv", "9E;Forest;2;0;\r\nVR;Naalir Oracle;1;0;mint\r\n");
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        TInventoryForm form;
        form.Setup();
        QVERIFY(test::ParkInCorner(form));
        TCardsFrame* inv = form.CardsFrameInv();
        QTableView* list = inv->ListView();
        list->setFocus();
        if (edit == QStringLiteral("box")) {
            QTest::keyClicks(Child<QLineEdit>(inv, "EditNotes"), QStringLiteral("x"));
        } else if (edit == QStringLiteral("cell")) {
            list->setCurrentIndex(list->model()->index(1, 0));
            QTest::keyClick(list, Qt::Key_Return);
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(editor && editor->parentWidget() == list->viewport());
            editor->selectAll();
            QTest::keyClicks(editor, QStringLiteral("fre;sh")); // ";" refused, as in the box
            QTest::keyClick(editor, Qt::Key_Return);
            QTRY_COMPARE(Cell(inv, 1, kColumnNotes), QStringLiteral("fresh"));
        } else {
            QTest::keyClick(list, Qt::Key_Delete);
        }
        QVERIFY(form.Modified());
        prompter.answers = {Answer::Yes};
        form.close();
        QCOMPARE(prompter.Messages("confirm"), std::vector<std::string>{"Inventory modified! Save changes?"});
        QCOMPARE(QString::fromStdString(Read(file)), saved);
    }

    // Enter acts on the row instead of opening "Filter cards": from the search box to the list,
    // on a base-list row it adds the card, in the notes and query boxes nothing more. Ctrl+S
    // saves; the filter has its own key.
    void keysActOnTheRows() {
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        TInventoryForm form;
        form.Setup();
        QVERIFY(test::ParkInCorner(form));
        ModalDriver driver;
        QStringList dialogs;
        CatchAnyDialog(driver, dialogs);
        TCardsFrame* base = form.CardsFrameBase();
        TCardsFrame* inv = form.CardsFrameInv();
        QTest::keyClicks(base->EditSearch(), QStringLiteral("naalir or"));
        QTest::keyClick(base->EditSearch(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), base->ListView());
        QTest::keyClick(base->ListView(), Qt::Key_Return);
        QTest::keyClick(base->ListView(), Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(Child<QLineEdit>(inv, "EditNotes"), Qt::Key_Return);
        QTest::keyClick(form.QueryBar()->Edit(), Qt::Key_Return);
        QCOMPARE(dialogs, QStringList());
        const std::string saved = home_ / "Inventory/keys.inv";
        prompter.fileNames = {saved};
        QTest::keyClick(base->ListView(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Read(saved), std::string("9E;Naalir Oracle;2;0;\r\n"));
        QTest::keyClick(inv->ListView(), Qt::Key_F, Qt::ControlModifier);
        QTRY_COMPARE(dialogs, QStringList{QStringLiteral("Filter")});
        prompter.answers = {Answer::No};
        form.close();
    }

    // "Import from .dec" asks before it replaces a collection that has cards (not an empty one),
    // and the replacement can be undone until the collection is saved.
    void importAsksAndCanBeUndone() {
        const std::string before = "9E;Forest;2;0;\r\nVR;Naalir Oracle;1;0;mint\r\n";
        home_.Write("Inventory/inventory.inv", before);
        const std::string deck = home_.Write("Decks/starter.dec", "    2 [VR] - Quelarr Orrery\r\n");
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        TInventoryForm form;
        form.Setup();
        QAction* undo = form.Action("AUndoImport");
        prompter.fileNames = {deck, deck};
        prompter.answers = {Answer::Cancel, Answer::Yes};
        form.Action("AImportDec")->trigger();
        QCOMPARE(FormatInventory(form.Collection()), before);
        form.Action("AImportDec")->trigger();
        QCOMPARE(Names(form.CardsFrameInv()), QStringList{"Quelarr Orrery"});
        const std::string question =
            "Replace the collection with the cards of starter.dec? The current collection has 3 cards.";
        QCOMPARE(prompter.Messages("confirm"), (std::vector<std::string>{question, question}));
        undo->trigger();
        QCOMPARE(FormatInventory(form.Collection()), before);
        QCOMPARE(Names(form.CardsFrameInv()), (QStringList{"Forest", "Naalir Oracle"}));
        QVERIFY(!form.Modified() && !undo->isEnabled());
        // Saved, the import stays; into an empty collection it asks nothing.
        prompter.fileNames = {deck, home_ / "Inventory/saved.inv", deck};
        prompter.answers = {Answer::Yes, Answer::No, Answer::Yes}; // replace; clear: no save, yes
        form.Action("AImportDec")->trigger();
        form.Action("ASaveToFile")->trigger();
        QVERIFY(!undo->isEnabled());
        form.Action("AClearInventory")->trigger();
        form.Action("AImportDec")->trigger();
        QCOMPARE(prompter.Messages("confirm").size(), size_t(5));
        prompter.answers = {Answer::No};
        form.close();
    }

    // The count of matches follows a change of the edition filter.
    void matchCountFollowsTheFilter() {
        TViewBaseForm form;
        form.Setup();
        TCardsFrame* frame = form.CardsFrameBase();
        form.QueryBar()->Edit()->setText(QStringLiteral("t:creature"));
        form.QueryBar()->Apply();
        const int all = frame->Model().RowCount();
        ModalDriver driver;
        FilterTo(driver, frame, {"VR"}, false);
        QVERIFY(frame->Model().RowCount() < all);
        QCOMPARE(form.QueryBar()->Status()->text(),
                 QStringLiteral("%1 matches").arg(frame->Model().RowCount()));
        form.close();
    }

    // The base viewer: Enter shows the selected card in the card window; "View Card Info" with no
    // row at all shows an empty card window, not "Card not found in DB".
    void baseViewerCardWindow() {
        TViewBaseForm form;
        form.Setup();
        QVERIFY(test::ParkInCorner(form));
        ModalDriver driver;
        QStringList dialogs;
        CatchAnyDialog(driver, dialogs);
        TCardsFrame* frame = form.CardsFrameBase();
        frame->ListView()->setFocus();
        QTest::keyClick(frame->ListView(), Qt::Key_Return);
        QVERIFY(ViewCardForm() && ViewCardForm()->CardInfoFrame()->Shows(*frame->CurrentCard()));
        QCOMPARE(dialogs, QStringList());
        form.QueryBar()->Edit()->setText(QStringLiteral("t:nothinghasthistype"));
        form.QueryBar()->Apply();
        Child<QAction>(&form, "AViewCardInfo")->trigger();
        TCardInfoFrame* info = ViewCardForm()->CardInfoFrame();
        QCOMPARE(info->LabelName()->text(), QString());
        QVERIFY(info->isVisible() && !info->Panel2()->isVisible() && !info->Panel3()->isVisible());
        form.close();
    }

private:
    test::TempDir home_;
    std::unique_ptr<ProgramSession> session_;
};

TOVEL_WINDOW_TEST_MAIN(TestCollection)

#include "tst_collection.moc"
