#include "core/settings/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/WindowTests.h"
#include "ui/app/MainForm.h"
#include "ui/app/OptionsForm.h"
#include "ui/app/Startup.h"
#include "ui/controls/DirEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <cstdlib>

using namespace tovel;

class TestOptions final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        session_ = test::OpenSession(home_);
        QDir().mkpath(QString::fromStdString(home_ / "Pictures"));
    }
    void cleanupTestCase() { session_.reset(); }
    void init() {
        Settings().SetShowImages(false);
        Settings().SetCardImagesDir("/before");
        Settings().SetLanguage(TLanguage::Original);
        ApplyLanguage(TLanguage::Original);
    }
    void cleanup() { ApplyLanguage(TLanguage::Original); }

    // Unchecked: the folder field is disabled and emptied; checked: it shows the folder.
    void loading() {
        TOptionsForm form;
        form.Load();
        QCOMPARE(form.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(form.size(), QSize(358, 210));
        QVERIFY(!form.CheckBoxShowImages()->isChecked());
        QVERIFY(!form.LmDirEditCardImages()->isEnabled());
        QCOMPARE(form.LmDirEditCardImages()->text(), QString());
        // Ticking the box enables the field and keeps its text.
        form.CheckBoxShowImages()->click();
        QVERIFY(form.LmDirEditCardImages()->isEnabled());

        Settings().SetShowImages(true);
        TOptionsForm checked;
        checked.Load();
        QVERIFY(checked.CheckBoxShowImages()->isChecked());
        QVERIFY(checked.LmDirEditCardImages()->isEnabled());
        QCOMPARE(checked.LmDirEditCardImages()->text(), QStringLiteral("/before"));
    }

    void validation_data() {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("error"); // empty: saved and closed
        const QString pictures = QString::fromStdString(home_ / "Pictures");
        QTest::newRow("blanks only") << true << "   "
                                     << "Card images directory not found";
        QTest::newRow("empty") << true << ""
                               << "Card images directory not found";
        // The trim test passes, the existence test uses the text as typed and fails.
        QTest::newRow("leading blank") << true << " " + pictures << "Directory don't exist  " + pictures;
        QTest::newRow("missing folder") << true << "/no/such/folder"
                                        << "Directory don't exist /no/such/folder";
        QTest::newRow("existing folder") << true << pictures << "";
        // Unchecked: saved without any validation.
        QTest::newRow("unchecked, missing folder") << false << "/no/such/folder"
                                                   << "";
    }
    void validation() {
        QFETCH(bool, checked);
        QFETCH(QString, folder);
        QFETCH(QString, error);
        test::ScriptedPrompter prompter;
        ScopedPrompter scoped(prompter);
        TOptionsForm form;
        form.Load();
        form.show();
        form.CheckBoxShowImages()->setChecked(checked);
        form.LmDirEditCardImages()->setText(folder);
        form.Button1()->click();
        if (error.isEmpty()) {
            QVERIFY(prompter.asked.empty());
            QCOMPARE(form.result(), int(QDialog::Accepted));
            QCOMPARE(Settings().ShowImages(), checked);
            QCOMPARE(QString::fromStdString(Settings().CardImagesDir()), folder);
        } else {
            QCOMPARE(prompter.Messages("error"), std::vector<std::string>{error.toStdString()});
            QVERIFY(form.isVisible());
            QCOMPARE(Settings().ShowImages(), false);
            QCOMPARE(Settings().CardImagesDir(), std::string("/before"));
        }
    }

    // Unchecking and confirming keeps the folder; the next confirmation saves it empty.
    void uncheckedFolderFadesAway() {
        Settings().SetShowImages(true);
        {
            TOptionsForm form;
            form.Load();
            form.CheckBoxShowImages()->setChecked(false);
            form.Button1()->click();
        }
        QCOMPARE(Settings().CardImagesDir(), std::string("/before"));
        TOptionsForm again;
        again.Load();
        again.Button1()->click();
        QCOMPARE(Settings().CardImagesDir(), std::string());
    }

    void cancelSavesNothing() {
        TOptionsForm form;
        form.Load();
        form.show();
        form.CheckBoxShowImages()->setChecked(true);
        form.LmDirEditCardImages()->setText(QStringLiteral("/x"));
        form.Button2()->click();
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(Settings().ShowImages(), false);
        QCOMPARE(Settings().CardImagesDir(), std::string("/before"));
    }

    void browse_data() {
        QTest::addColumn<QString>("initialDir");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("oldStyle");
        QTest::addColumn<QString>("start");
        const QString pictures = QString::fromStdString(home_ / "Pictures");
        QTest::newRow("missing initial folder") << "/no/such"
                                                << "" << false << "/";
        QTest::newRow("existing initial folder") << pictures << "" << false << pictures;
        QTest::newRow("text names a folder") << "" << pictures << false << pictures;
        QTest::newRow("old style: folder part") << ""
                                                << "/a/b/c" << true << "/a/b/";
    }
    void browse() {
        QFETCH(QString, initialDir);
        QFETCH(QString, text);
        QFETCH(bool, oldStyle);
        QFETCH(QString, start);
        test::ScriptedPrompter prompter;
        prompter.fileNames = {"/chosen/folder", ""};
        ScopedPrompter scoped(prompter);
        TLmDirEdit edit;
        QCOMPARE(edit.DialogCaption(), QStringLiteral("Выберите каталог"));
        edit.SetInitialDir(initialDir);
        edit.SetOldStyle(oldStyle);
        edit.setText(text);
        QSignalSpy changed(&edit, &QLineEdit::textChanged);
        edit.Button()->click();
        QCOMPARE(QString::fromStdString(prompter.asked.at(0).text), start);
        QCOMPARE(edit.text(), QStringLiteral("/chosen/folder"));
        QCOMPARE(changed.count(), 1);
        // Cancelled: nothing changes.
        edit.Button()->click();
        QCOMPARE(edit.text(), QStringLiteral("/chosen/folder"));
        QCOMPARE(changed.count(), 1);
    }

    // The text never runs under the button.
    void buttonInsideTheEdit() {
        TLmDirEdit edit;
        edit.resize(200, 22);
        edit.show();
        const QRect button = edit.Button()->parentWidget()->geometry();
        QVERIFY(edit.rect().contains(button));
        QCOMPARE(button.width(), TLmDirEdit::kButtonSize);
        QVERIFY(edit.textMargins().right() >= TLmDirEdit::kButtonSize);
    }

    // "Language" is stored and takes effect at once: a dialog opened after English was chosen
    // shows the English caption of its folder browser, one opened after "original" the original.
    void languageChoiceTakesEffectAtOnce() {
        const auto choose = [](int index) {
            TOptionsForm form;
            form.Load();
            form.ComboBoxLanguage()->setCurrentIndex(index);
            form.Button1()->click();
            QCOMPARE(form.result(), int(QDialog::Accepted));
        };
        TOptionsForm first;
        first.Load();
        QCOMPARE(first.ComboBoxLanguage()->currentText(), QStringLiteral("original"));
        choose(static_cast<int>(TLanguage::English));
        QCOMPARE(Settings().Language(), TLanguage::English);
        QCOMPARE(TLmDirEdit().DialogCaption(), QStringLiteral("Choose a folder"));
        choose(static_cast<int>(TLanguage::Original));
        QCOMPARE(Settings().Language(), TLanguage::Original);
        QCOMPARE(TLmDirEdit().DialogCaption(), QStringLiteral("Выберите каталог"));
    }

    void configureOpensTheDialog() {
        TMainForm main;
        QAction* configure = main.Command(QStringLiteral("Configure1"));
        QVERIFY(configure->isEnabled());
        bool seen = false;
        test::ModalDriver driver;
        driver.Then([&](QWidget* modal) {
            auto* form = qobject_cast<TOptionsForm*>(modal);
            QVERIFY(form);
            seen = true;
            form->Button2()->click();
        });
        configure->trigger();
        QVERIFY(seen);
    }

private:
    test::TempDir home_;
    std::unique_ptr<ProgramSession> session_;
};

TOVEL_WINDOW_TEST_MAIN(TestOptions)

#include "tst_options.moc"
