#include "core/carddb/CardDatabase.h"
#include "core/carddb/Editions.h"
#include "core/infra/ProgramDir.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/WindowTests.h"
#include "ui/Openers.h"
#include "ui/app/Startup.h"
#include "ui/carddb/FilterForm.h"
#include "ui/carddb/ReadCardForm.h"
#include "ui/decks/InsertSBForm.h"

#include <QHeaderView>
#include <QTreeView>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>
#include <QtTest>

#include <filesystem>

using namespace tovel;
using test::Child;
using test::Click;
using test::ModalDriver;
using test::ScriptedPrompter;

namespace {

QListWidget* Editions(QWidget* form) {
    return Child<QListWidget>(form, "CheckListBoxEditions");
}

QString Checks(QWidget* form) {
    QString result;
    QListWidget* list = Editions(form);
    for (int i = 0; i < list->count(); ++i)
        result += list->item(i)->checkState() == Qt::Checked ? QLatin1Char('x') : QLatin1Char('.');
    return result;
}

void SetChecks(QWidget* form, const QString& pattern) {
    QListWidget* list = Editions(form);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(pattern[i] == QLatin1Char('x') ? Qt::Checked : Qt::Unchecked);
}

void ChooseFormat(QWidget* form, int index) {
    auto* box = Child<QComboBox>(form, "ComboBoxFormats");
    box->setCurrentIndex(index);
    emit box->activated(index);
}

} // namespace

class TestCardDbForms final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        session_ = test::OpenSession(home_);
        test::WriteSmallWorld(home_);
        LoadEditionList(EditionList(), ProgramPath("Data/editions.txt"));
        LoadFormatList(FormatList(), ProgramPath("Data/formats.txt"));
    }
    void cleanupTestCase() { session_.reset(); }

    // Opening: every edition checked for an empty filter, the listed ones otherwise; the format box shows
    // "All"; captions are "[code] full name".
    void filterDialogOpensOnTheFilter() {
        TFilterForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Filter"));
        QCOMPARE(Editions(&form)->item(1)->text(), QStringLiteral("[CD] Cinder Dunes"));
        auto* formats = Child<QComboBox>(&form, "ComboBoxFormats");
        QCOMPARE(formats->count(), 4);
        QCOMPARE(formats->itemText(2), QStringLiteral("Standard"));
        form.SetFilter({});
        QCOMPARE(Checks(&form), QStringLiteral("xxx"));
        QVERIFY(Child<QRadioButton>(&form, "RadioButtonBelongsTo")->isChecked());
        form.SetFilter({"EF;AB;", true});
        QCOMPARE(Checks(&form), QStringLiteral("x.x"));
        QCOMPARE(formats->currentText(), QStringLiteral("All"));
        QVERIFY(Child<QRadioButton>(&form, "RadioButtonLegalIn")->isChecked());
        // A code without its ";" is not listed.
        form.SetFilter({"CD", false});
        QCOMPARE(Checks(&form), QStringLiteral("..."));
    }

    // Whole codes: "D1" is neither in a filter holding "ED1;" nor in a format listing ED1.
    void filterDialogComparesWholeCodes() {
        const TTextList editions = EditionList();
        const TTextList formats = FormatList();
        auto restore = qScopeGuard([&] {
            EditionList() = editions;
            FormatList() = formats;
        });
        EditionList().Lines = {"D1;Dune One", "ED1;Edge One"};
        FormatList().Lines = {"Edge;ED1;"};
        TFilterForm form;
        form.SetFilter({"ED1;", false});
        QCOMPARE(Checks(&form), QStringLiteral(".x"));
        ChooseFormat(&form, 0);
        ChooseFormat(&form, 2);
        QCOMPARE(Checks(&form), QStringLiteral(".x"));
    }

    // The format box: "None" clears, "All" checks every edition, a format checks exactly its
    // editions whatever was checked before.
    void formatChoicesReplaceTheChecks() {
        TFilterForm form;
        form.SetFilter({"EF;", false});
        ChooseFormat(&form, 2); // Standard: AB, CD
        QCOMPARE(Checks(&form), QStringLiteral("xx."));
        ChooseFormat(&form, 3); // Classic: CD, EF
        QCOMPARE(Checks(&form), QStringLiteral(".xx"));
        ChooseFormat(&form, 0);
        QCOMPARE(Checks(&form), QStringLiteral("..."));
        ChooseFormat(&form, 1);
        QCOMPARE(Checks(&form), QStringLiteral("xxx"));
    }

    // "OK" writes the checked codes in list order; nothing checked gives "NONE"; everything
    // checked gives the full list, not the empty text. "Cancel" leaves the filter alone.
    void editCardFilterResults_data() {
        QTest::addColumn<QString>("checks");
        QTest::addColumn<bool>("legalIn");
        QTest::addColumn<QString>("editions");
        QTest::newRow("two") << "x.x" << true << "AB;EF;";
        QTest::newRow("none") << "..." << false << "NONE";
        QTest::newRow("all") << "xxx" << false << "AB;CD;EF;";
    }
    void editCardFilterResults() {
        QFETCH(QString, checks);
        QFETCH(bool, legalIn);
        QFETCH(QString, editions);
        TCardFilter filter;
        ModalDriver driver;
        driver.Then([&](QWidget* form) {
            SetChecks(form, checks);
            Child<QRadioButton>(form, legalIn ? "RadioButtonLegalIn" : "RadioButtonBelongsTo")
                ->setChecked(true);
            Click(form, "ButtonOK");
        });
        QVERIFY(EditCardFilter(filter));
        QCOMPARE(QString::fromStdString(filter.Editions), editions);
        QCOMPARE(filter.LegalIn, legalIn);

        driver.Then([&](QWidget* form) {
            QCOMPARE(Checks(form), editions == "NONE" ? QStringLiteral("...") : checks);
            SetChecks(form, QStringLiteral(".x."));
            Click(form, "ButtonCancel");
        });
        QVERIFY(!EditCardFilter(filter));
        QCOMPARE(QString::fromStdString(filter.Editions), editions);
        QCOMPARE(driver.Pending(), 0);
    }

    // The filter dialog, the values editor and the layout dialog open in the middle of the
    // screen, not over the window that opened them.
    void dialogsOpenCentred_data() {
        QTest::addColumn<int>("dialog");
        QTest::newRow("filter") << 0;
        QTest::newRow("values editor") << 1;
        QTest::newRow("layout") << 2;
    }
    void dialogsOpenCentred() {
        QFETCH(int, dialog);
        QWidget opener;
        opener.resize(240, 160);
        QVERIFY(test::ParkInCorner(opener));
        ModalDriver driver;
        driver.Then([&](QWidget* form) {
            QCOMPARE(form->parentWidget(), &opener);
            QVERIFY(test::CentredOnScreen(*form));
            form->close();
        });
        TCardFilter filter;
        if (dialog == 0)
            EditCardFilter(filter);
        else if (dialog == 1)
            OpenCardValuesEditor();
        else
            ReadCardListLayout(home_.Write("Import/Cardlists/any.txt", "Ember Whelp  C\r\n"));
        QCOMPARE(driver.Pending(), 0);
    }

    // The layout dialog shows the columns the track bars point at and reports the layout.
    void layoutDialogShowsAndReportsTheColumns() {
        const std::string file = home_.Write("Import/Cardlists/amber.txt", "Card list of Amber Bay\r\n"
                                                                           "Ember Whelp       C\r\n"
                                                                           "Grove Tender      U\r\n");
        TReadCardForm form(file);
        QCOMPARE(form.windowTitle(), QStringLiteral("Loading from ") + QString::fromStdString(file));
        QCOMPARE(Child<QLineEdit>(&form, "EditEdition")->text(), QStringLiteral("amber.txt"));
        QCOMPARE(Child<QLineEdit>(&form, "EditED")->text(), QStringLiteral("am"));
        auto* lines = Child<QListWidget>(&form, "ListBoxStrings");
        QCOMPARE(lines->count(), 3);
        QCOMPARE(lines->currentRow(), 0);
        auto* length = Child<QSlider>(&form, "TrackBarNameLength");
        QCOMPARE(length->maximum(), 22);
        lines->setCurrentRow(2);
        length->setValue(12);
        Child<QSlider>(&form, "TrackBarRarityPosition")->setValue(19);
        QCOMPARE(Child<QLineEdit>(&form, "EditName")->text(), QStringLiteral("Grove Tender"));
        QCOMPARE(Child<QLineEdit>(&form, "EditRarity")->text(), QStringLiteral("U"));
        Child<QLineEdit>(&form, "EditED")->setText(QStringLiteral("  AB "));
        Child<QCheckBox>(&form, "CheckBoxTwoSpaces")->setChecked(true);
        QVERIFY(Child<QWidget>(&form, "GroupBoxName")->isHidden());
        const TReadCardRec rec = form.Result(true);
        QCOMPARE(rec.NameLength, 12);
        QCOMPARE(rec.RarityPosition, 19);
        QCOMPARE(rec.FirstLine, 2);
        QCOMPARE(QString::fromStdString(rec.EditionCode), QStringLiteral("AB"));
        QVERIFY(rec.TwoSpaces && rec.Accepted);
    }

    // "Create cards DB": the chosen files each go through the layout dialog; cancelling the
    // second stops there, and Data/cards.txt keeps the first file's cards. The old cards.txt
    // was backed up first.
    void createCardsDbStopsAtACancelledLayout() {
        home_.Write("Data/cards.txt", "OLD;Old Card;C;5\r\n");
        const std::string first =
            home_.Write("Import/Cardlists/one.txt", "Ember Whelp  C\r\nTide Call  U\r\n");
        const std::string second = home_.Write("Import/Cardlists/two.txt", "Stone Idol  R\r\n");
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        prompter.fileLists.push_back({first, second});
        ModalDriver driver;
        driver.Then([](QWidget* form) {
            Child<QLineEdit>(form, "EditED")->setText(QStringLiteral("ON"));
            Child<QCheckBox>(form, "CheckBoxTwoSpaces")->setChecked(true);
            Click(form, "ButtonOK");
        });
        driver.Then([](QWidget* form) { Click(form, "ButtonCancel"); });
        CreateCardsDBCommand();
        QCOMPARE(driver.Pending(), 0);
        QCOMPARE(QString::fromStdString(prompter.asked.at(0).text),
                 QString::fromStdString(home_ / "Import/Cardlists/"));
        QCOMPARE(test::TempDir::Read(home_ / "Data/Backup/cards.txt"), std::string("OLD;Old Card;C;5\r\n"));
        QCOMPARE(test::TempDir::Read(home_ / "Data/cards.txt"),
                 std::string("ON;Ember Whelp;C;5\r\nON;Tide Call;U;5\r\n"));
    }

    // Backup does nothing without Data/cards.txt; with it, base.txt is copied and the user told
    // where. Restore copies it back.
    void backupAndRestore() {
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        std::filesystem::remove(home_ / "Data/cards.txt");
        std::filesystem::remove_all(home_ / "Data/Backup");
        BackupCardsDBCommand();
        QVERIFY(prompter.asked.empty());
        QVERIFY(!std::filesystem::exists(home_ / "Data/Backup/base.txt"));

        home_.Write("Data/cards.txt", "AB;Ember Whelp;C;5\r\n");
        const std::string original = test::TempDir::Read(home_ / "Data/base.txt");
        BackupCardsDBCommand();
        QCOMPARE(prompter.Messages("information"),
                 std::vector<std::string>{"Card base saved to " + (home_ / "Data/Backup/base.txt")});
        QCOMPARE(test::TempDir::Read(home_ / "Data/Backup/base.txt"), original);

        home_.Write("Data/base.txt", "broken");
        RestoreCardsDBCommand(); // no Data/Backup/cards.txt: nothing
        QCOMPARE(test::TempDir::Read(home_ / "Data/base.txt"), std::string("broken"));
        home_.Write("Data/Backup/cards.txt", "AB;Ember Whelp;C;5\r\n");
        RestoreCardsDBCommand();
        QCOMPARE(test::TempDir::Read(home_ / "Data/base.txt"), original);
        QCOMPARE(prompter.Messages("information").back(),
                 "Card base restored from " + (home_ / "Data/Backup/base.txt"));
    }

    // Flow 3: values changed in two editions are saved by "Save changes" and shown on reopening;
    // "Cancel" leaves base.txt untouched. The slider follows the selected card without
    // writing into it, and the header cycles through the seven sort modes.
    void valuesEditorSavesOrCancels() {
        test::WriteSmallWorld(home_);
        const std::string base = home_ / "Data/base.txt";
        auto setValue = [](QWidget* form, int edition, int row, int value) {
            auto* editions = Child<QComboBox>(form, "ComboBoxEditions");
            editions->setCurrentIndex(edition);
            emit editions->activated(edition);
            auto* list = Child<QTreeView>(form, "ListViewCards");
            list->setCurrentIndex(list->model()->index(row, 0));
            Child<QSlider>(form, "TrackBarValue")->setValue(value);
        };
        ModalDriver driver;
        driver.Then([&](QWidget* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Edit card values"));
            auto* list = Child<QTreeView>(form, "ListViewCards");
            QCOMPARE(list->model()->rowCount(), 2); // Amber Bay
            QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("C   Ember Whelp"));
            // Selecting the second card (value 7) moves the slider and changes nothing.
            list->setCurrentIndex(list->model()->index(1, 0));
            QCOMPARE(Child<QSlider>(form, "TrackBarValue")->value(), 7);
            QCOMPARE(CardDatabase().Items(0).Value, 4);
            // The slider shows its number.
            auto* number = Child<QLabel>(form, "LabelValue");
            QVERIFY(number && number->isVisible());
            QCOMPARE(number->text(), QStringLiteral("7"));
            for (int i = 0; i < 7; ++i)
                emit list->header()->sectionClicked(0);
            QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Sort: None"));
            setValue(form, 0, 0, 1); // AB Ember Whelp
            QCOMPARE(number->text(), QStringLiteral("1"));
            setValue(form, 2, 1, 10); // EF Quiet Shroud
            Click(form, "ButtonSave");
        });
        OpenCardValuesEditor();
        QCOMPARE(driver.Pending(), 0);
        LoadCardDatabase(CardDatabase(), base, "");
        QCOMPARE(CardDatabase().Items(CardDatabase().IndexOf("Ember Whelp", "AB")).Value, 1);
        QCOMPARE(CardDatabase().Items(CardDatabase().IndexOf("Ember Whelp", "CD")).Value, 6);
        QCOMPARE(CardDatabase().Items(CardDatabase().IndexOf("Quiet Shroud", "EF")).Value, 10);

        const std::string saved = test::TempDir::Read(base);
        driver.Then([&](QWidget* form) {
            auto* slider = Child<QSlider>(form, "TrackBarValue");
            QCOMPARE(slider->value(), 1); // the saved value comes back
            setValue(form, 1, 0, 0);
            Click(form, "ButtonCancel");
        });
        OpenCardValuesEditor();
        QCOMPARE(driver.Pending(), 0);
        QCOMPARE(test::TempDir::Read(base), saved);

        // A save that fails shows why and keeps the editor open with the changed values.
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        bool keptOpen = false;
        driver.Then([&](QWidget* form) {
            setValue(form, 0, 0, 9);
            std::filesystem::rename(base, base + ".away");
            home_.Write("Data/base.txt/keep", "");
            Click(form, "ButtonSave");
            keptOpen = form->isVisible() && prompter.Messages("error").size() == 1 &&
                       Child<QSlider>(form, "TrackBarValue")->value() == 9;
            std::filesystem::remove_all(base);
            std::filesystem::rename(base + ".away", base);
            Click(form, "ButtonSave");
        });
        OpenCardValuesEditor();
        QCOMPARE(driver.Pending(), 0);
        QVERIFY(keptOpen);
        LoadCardDatabase(CardDatabase(), base, "");
        QCOMPARE(CardDatabase().Items(CardDatabase().IndexOf("Ember Whelp", "AB")).Value, 9);
    }

    // The sideboard utility converts every chosen file and reports the ones it cannot read,
    // after converting the others.
    void insertSideboardConvertsEachFile() {
        const std::string good =
            home_.Write("Decks/foreign.txt", "4 Ember Whelp\r\n// Sideboard\r\n2 Tide Call\r\n");
        ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        prompter.fileLists.push_back({home_ / "Decks/missing.txt", good});
        ModalDriver driver;
        driver.Then([](QWidget* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("InsertSBForm"));
            Click(form, "ButtonInsert");
            form->close();
        });
        OpenInsertSideboard();
        QCOMPARE(driver.Pending(), 0);
        QCOMPARE(prompter.asked.at(0).text, TInsertSBForm::DefaultFolder());
        QCOMPARE(test::TempDir::Read(good + ".dec"), std::string("4 Ember Whelp\r\nSB: 2 Tide Call\r\n"));
        QCOMPARE(prompter.Messages("error").size(), size_t(1));
    }

private:
    test::TempDir home_;
    std::unique_ptr<ProgramSession> session_;
};

TOVEL_WINDOW_TEST_MAIN(TestCardDbForms)

#include "tst_carddbforms.moc"
