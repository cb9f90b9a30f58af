// The limited-play windows one by one: the card list model, the configuration dialogs, the
// draft window's states and settings, and the designer's closing rules.

#include "core/carddb/CardDatabase.h"
#include "core/decks/DeckFile.h"
#include "core/infra/IniFile.h"
#include "core/limited/DraftGrade.h"
#include "core/limited/Sealed.h"
#include "core/settings/Settings.h"
#include "support/HandMadeCards.h"
#include "support/ScriptedPrompter.h"
#include "support/WindowTests.h"
#include "ui/Openers.h"
#include "ui/cardviews/CardInfoFrame.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/collection/CardsFrame.h"
#include "ui/decks/CardListView.h"
#include "ui/decks/DeckBrowserPanel.h"
#include "ui/decks/MakeDeckForm.h"
#include "ui/limited/ConfigForm.h"
#include "ui/limited/ConfigureSealedForm.h"
#include "ui/limited/DraftMainForm.h"
#include "ui/limited/DraftReviewForm.h"
#include "ui/limited/SignalChart.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <sstream>

using namespace tovel;
using tovel::test::ActiveModal;
using tovel::test::Child;
using tovel::test::WhenReady;

namespace {

// Opens the draft table as "New draft" does, confirms the stored configuration and runs `act` on
// the window once the first pack is in front of the user; `act` closes the window (if it does
// not, it is hidden).
bool DuringDraft(const std::function<void(TDraftMainForm*)>& act) {
    WhenReady configure([] { return ActiveModal<TConfigForm>() != nullptr; },
                        [] { Child<QPushButton>(ActiveModal<TConfigForm>(), "Button1")->click(); });
    WhenReady draft(
        [] {
            auto* form = ActiveModal<TDraftMainForm>();
            return form && form->Engine().State() == TDraftState::Picking;
        },
        [&act] {
            auto* form = ActiveModal<TDraftMainForm>();
            // A failing check must not leave the window open and the test waiting for it.
            const auto closeAnyway = qScopeGuard([form] { form->hide(); });
            act(form);
        });
    OpenDraft();
    return configure.Fired() && draft.Fired();
}

} // namespace

class TestLimitedWindows final : public QObject {
    Q_OBJECT
private slots:
    void init() { sample_ = std::make_unique<test::SampleCase>(); }
    void cleanup() { sample_.reset(); }

    // The rows show the caption (or the given text) in the card's colour; positions outside the
    // card list never become rows; the model passes Qt's consistency checks through resets.
    void cardListModelRowsAndColours() {
        TCardsList cards;
        test::FillTestWorld(cards);
        TCardListModel model(nullptr, &cards);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.SetRows(
            {{1, QStringLiteral("L   Forest (8)")}, {6, {}}, {99, {}}, {-1, {}}, {8, {}}, {12, {}}});
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("L   Forest (8)"));
        QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("C   Ember Whelp"));
        QCOMPARE(model.index(1, 0).data(TCardListModel::CardRole).toInt(), 6);
        QCOMPARE(model.index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 128)); // no cost
        QCOMPARE(model.index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QCOMPARE(model.index(2, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
        QCOMPARE(model.index(3, 0).data(Qt::ForegroundRole).value<QColor>(),
                 QColor(0, 128, 128)); // generic only
        QCOMPARE(model.CardAt(3), 12);
        QCOMPARE(model.CardAt(4), -1);
        model.SetHeader(QStringLiteral("Sort: Name"));
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Sort: Name"));
        model.Clear();
        QCOMPARE(model.rowCount(), 0);

        // White cards: the tooltip colour, or a readable shade of it on a list of like lightness.
        QPalette dark;
        dark.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
        dark.setColor(QPalette::Base, QColor(20, 20, 20));
        QCOMPARE(CardRowColor(TCardColor::W, dark), QColor(255, 255, 220));
        QPalette light = dark;
        light.setColor(QPalette::Base, Qt::white);
        QVERIFY(CardRowColor(TCardColor::W, light).lightness() < 160);
        QCOMPARE(CardRowColor(TCardColor::Z, light), QColor(128, 128, 0));
        QVERIFY(!CardRowColor(static_cast<TCardColor>(9), light).isValid()); // a hybrid: the list's own
    }

    // With no edition to offer there is nothing OK could store: it is unavailable.
    void draftConfigurationWithoutEditions() {
        LoadEditionList(EditionList(), sample_->World.Home().Write("Data/editions.txt", ""));
        TConfigForm form;
        form.Initialize();
        QVERIFY(!Child<QPushButton>(&form, "Button1")->isEnabled());
        QCOMPARE(Child<QComboBox>(&form, "ComboBox1")->count(), 0);
    }

    // The stored configuration is shown (a composite under its display name) and confirming it
    // unchanged stores the same text; Cancel stores nothing.
    void draftConfigurationShowsAndStores() {
        TDraftEngine::LoadTableData();
        Settings().SetDraftConfig("HK;Tidebreak Expedition;VR;");
        Settings().SetDraftPickTime(25);
        WhenReady ok([] { return ActiveModal<TConfigForm>() != nullptr; },
                     [] {
                         auto* form = ActiveModal<TConfigForm>();
                         QStringList shown;
                         for (const char* name : {"ComboBox1", "ComboBox2", "ComboBox3"})
                             shown << Child<QComboBox>(form, name)->currentText();
                         if (shown ==
                                 QStringList{"Hollow Crown", "Tidebreak Expedition", "Verdant Reaches"} &&
                             Child<QComboBox>(form, "ComboBoxPickTime")->currentText() == "30 seconds")
                             Child<QPushButton>(form, "Button1")->click();
                         else
                             form->reject();
                     });
        QVERIFY(ConfigureDraft());
        QVERIFY(ok.Fired());
        QCOMPARE(QString::fromStdString(Settings().DraftConfig()),
                 QStringLiteral("HK;Tidebreak Expedition;VR;"));

        WhenReady cancel([] { return ActiveModal<TConfigForm>() != nullptr; },
                         [] {
                             auto* form = ActiveModal<TConfigForm>();
                             Child<QComboBox>(form, "ComboBox1")->setCurrentIndex(0);
                             Child<QComboBox>(form, "ComboBoxPickTime")->setCurrentIndex(4);
                             Child<QPushButton>(form, "Button2")->click();
                         });
        QVERIFY(!ConfigureDraft());
        QVERIFY(cancel.Fired());
        QCOMPARE(QString::fromStdString(Settings().DraftConfig()),
                 QStringLiteral("HK;Tidebreak Expedition;VR;"));
        QCOMPARE(Settings().DraftPickTime(), 30); // the 25 stored shows as the nearest offered

        // The times offered; a cube from Cubes/ with its cards per pack; confirming picks.
        QStringList times;
        WhenReady cube([] { return ActiveModal<TConfigForm>() != nullptr; },
                       [&times] {
                           auto* form = ActiveModal<TConfigForm>();
                           auto* time = Child<QComboBox>(form, "ComboBoxPickTime");
                           for (int i = 0; i < time->count(); ++i)
                               times << time->itemText(i);
                           time->setCurrentIndex(0);
                           Child<QRadioButton>(form, "RadioButtonCube")->setChecked(true);
                           Child<QSpinBox>(form, "SpinBoxPackSize")->setValue(25); // stops at 20
                           Child<QCheckBox>(form, "CheckBoxConfirmPicks")->setChecked(true);
                           Child<QPushButton>(form, "Button1")->click();
                       });
        QVERIFY(ConfigureDraft());
        QVERIFY(cube.Fired());
        QCOMPARE(times, (QStringList{"Untimed", "30 seconds", "40 seconds", "60 seconds", "90 seconds"}));
        QCOMPARE(Settings().DraftPickTime(), kUntimedPick);
        QVERIFY(Settings().DraftUseCube());
        QCOMPARE(Settings().DraftCube(), std::string("Sample Cube"));
        QCOMPARE(Settings().DraftPackSize(), 20);
        QVERIFY(Settings().DraftConfirmPicks());
    }

    // A draft that cannot start (its card database is unreadable) reports the error and leaves
    // the window idle: nothing to pick, the timer stopped, no save buttons. Leaving it then
    // opens no designer.
    void failedStartLeavesTheWindowIdle() {
        std::filesystem::remove(sample_->World / "Data/base.txt");
        bool idle = false;
        WhenReady configure([] { return ActiveModal<TConfigForm>() != nullptr; },
                            [] { Child<QPushButton>(ActiveModal<TConfigForm>(), "Button1")->click(); });
        WhenReady check(
            [this] { return ActiveModal<TDraftMainForm>() && !sample_->Prompter.Messages("error").empty(); },
            [&idle] {
                auto* form = ActiveModal<TDraftMainForm>();
                idle = form->Engine().State() == TDraftState::Idle && !form->Timer()->isActive() &&
                       Child<TCardListView>(form, "ListView")->Model()->rowCount() == 0 &&
                       !Child<QToolButton>(form, "SpeedButtonSaveAll")->isVisibleTo(form) &&
                       Child<QPushButton>(form, "Button1")->text() == QStringLiteral("Pick");
                Child<QAction>(form, "N5")->trigger();
            });
        bool designerOpened = false;
        WhenReady designer([] { return ActiveModal<TMakeDeckForm>() != nullptr; },
                           [&designerOpened] {
                               designerOpened = true;
                               ActiveModal<TMakeDeckForm>()->reject();
                           },
                           300);
        OpenDraft();
        QVERIFY(configure.Fired());
        QVERIFY(check.Fired());
        QVERIFY(idle);
        QCOMPARE(sample_->Prompter.Messages("error").size(), size_t{1});
        QVERIFY(QString::fromStdString(sample_->Prompter.Messages("error").front())
                    .contains(QStringLiteral("base.txt")));
        // Leaving is synchronous: a designer would have opened before OpenDraft returned.
        QVERIFY(!designerOpened);
    }

    // "New draft" cancelled mid-draft leaves the draft as it was with the timer stopped; the
    // next pick starts it again. Unticking "Show Deck" hides the list and moves nothing else; the
    // box's real state is stored on close.
    void cancelledNewDraftAndShowDeck() {
        Settings().SetShowDeck(true);
        bool unchanged = false;
        bool restarted = false;
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            auto* list = Child<TCardListView>(form, "ListView");
            list->SelectRow(0);
            form->ListViewDblClick();
            const int userBooster = form->Engine().UserBooster();
            const QString time = Child<QLineEdit>(form, "EditTimer")->text();
            WhenReady cancel([] { return ActiveModal<TConfigForm>() != nullptr; },
                             [] { ActiveModal<TConfigForm>()->reject(); });
            sample_->Prompter.answers.push_back(Answer::Yes); // lose the pick made
            form->N6Click();
            unchanged = cancel.Fired() && form->Engine().UserBooster() == userBooster &&
                        form->Engine().Seats().Items(0).Picks.Count() == 1 &&
                        list->Model()->rowCount() == 14 && !form->Timer()->isActive() &&
                        Child<QLineEdit>(form, "EditTimer")->text() == time;
            list->SelectRow(0);
            form->ListViewDblClick();
            restarted = form->Timer()->isActive() && form->Engine().Seats().Items(0).Picks.Count() == 2;
            auto* box = Child<QCheckBox>(form, "CheckBoxShowDeck");
            const QPoint boxAt = box->mapTo(form, QPoint(0, 0));
            box->setChecked(false);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            // The controls above the list stay where they were.
            unchanged = unchanged && !Child<TCardListView>(form, "ListViewDeck")->isVisibleTo(form) &&
                        box->mapTo(form, QPoint(0, 0)) == boxAt;
            sample_->Prompter.answers.push_back(Answer::Yes);
            form->reject();
        }));
        QVERIFY(unchanged);
        QVERIFY(restarted);
        QVERIFY(!Settings().ShowDeck());
        TDraftMainForm next;
        QVERIFY(!Child<QCheckBox>(&next, "CheckBoxShowDeck")->isChecked());
    }

    // Esc leaves the draft table open; every other way out mid-draft asks first, and No keeps it.
    void closingMidDraftAsksFirst() {
        bool keptByEsc = false;
        bool keptByNo = false;
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            QTest::keyClick(Child<TCardListView>(form, "ListView"), Qt::Key_Escape);
            keptByEsc = form->isVisible();
            sample_->Prompter.answers = {Answer::No, Answer::Yes};
            Child<QAction>(form, "N5")->trigger();
            keptByNo = form->isVisible();
            form->close(); // the title bar's button
        }));
        QVERIFY(keptByEsc);
        QVERIFY(keptByNo);
        QCOMPARE(sample_->Prompter.Messages("confirm"),
                 (std::vector<std::string>{kDraftUnsavedQuestion, kDraftUnsavedQuestion}));
    }

    // A manual pick gives the new countdown a whole first second: the one-second timer restarts.
    void aPickRestartsTheCountdownTimer() {
        int before = -1;
        int after = -1;
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            // Well into the current second (a tick on the way starts a new one).
            QTRY_VERIFY_WITH_TIMEOUT(form->Timer()->remainingTime() <= 400, 2000);
            before = form->Timer()->remainingTime();
            Child<TCardListView>(form, "ListView")->SelectRow(0);
            form->ListViewDblClick();
            after = form->Timer()->remainingTime();
            sample_->Prompter.answers.push_back(Answer::Yes);
            form->reject();
        }));
        QVERIFY(before >= 0);
        QVERIFY2(after > 600, qPrintable(QStringLiteral("%1 ms left of the first second").arg(after)));
    }

    // The countdown's ticks leave the booster list alone: the card selected before them is the
    // one "Pick" takes, the list scrolled where the user left it, the focus where it was.
    void countdownLeavesTheSelectionAlone() {
        int32_t selected = -1;
        int32_t taken = -2;
        QString kept;
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            form->resize(1000, 260); // the booster scrolls
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            auto* list = Child<TCardListView>(form, "ListView");
            list->SelectRow(list->Model()->rowCount() - 1);
            selected = list->SelectedCard();
            QScrollBar* scroll = list->verticalScrollBar();
            const int scrolled = scroll->value();
            for (int tick = 0; tick < 5; ++tick)
                form->TimerTimer();
            kept = QStringLiteral("scrolled %1 of %2, now %3; focus on the list: %4; time %5")
                       .arg(scrolled)
                       .arg(scroll->maximum())
                       .arg(scroll->value())
                       .arg(form->focusWidget() == list)
                       .arg(Child<QLineEdit>(form, "EditTimer")->text());
            QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
            const TIntegerList& picks = form->Engine().Seats().Items(0).Picks;
            taken = picks.Count() == 1 ? picks.Items(0) : -1;
            sample_->Prompter.answers.push_back(Answer::Yes);
            form->reject();
        }));
        QVERIFY(selected >= 0);
        QCOMPARE(taken, selected);
        QVERIFY2(!kept.startsWith(QStringLiteral("scrolled 0 ")), qPrintable(kept));
        QVERIFY2(kept.endsWith(
                     QStringLiteral("now %1; focus on the list: 1; time 0:35").arg(kept.section(' ', 1, 1))),
                 qPrintable(kept));
    }

    // Drafting by keys: each booster comes with the list focused on its first card; the keys
    // move; Enter takes the selected card, which Card Info shows. By mouse: a click selects, a
    // double click takes the card under it.
    void draftingByKeysAndMouse() {
        QStringList failures;
        auto check = [&failures](bool ok, const char* what) {
            if (!ok)
                failures << QLatin1String(what);
        };
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            auto* list = Child<TCardListView>(form, "ListView");
            const TIntegerList& picks = form->Engine().Seats().Items(0).Picks;
            check(form->focusWidget() == list && list->SelectedRow() == 0,
                  "first booster: focus, first card");
            Child<QAction>(form, "Viewcardinfo1")->trigger();
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Down);
            check(list->SelectedRow() == 2, "Down moves");
            check(ViewCardForm() &&
                      ViewCardForm()->CardInfoFrame()->Shows(CardDatabase().Items(list->SelectedCard())),
                  "Card Info shows the selected card");
            QTest::keyClick(list, Qt::Key_End);
            check(list->SelectedRow() == 14, "End");
            QTest::keyClick(list, Qt::Key_Home);
            QTest::keyClick(list, Qt::Key_PageDown);
            check(list->SelectedRow() > 0, "PageDown");
            QTest::keyClick(list, Qt::Key_PageUp);
            check(list->SelectedRow() == 0, "PageUp");
            QTest::keyClick(list, Qt::Key_Down);
            const int32_t wanted = list->SelectedCard();
            QTest::keyClick(list, Qt::Key_Return);
            check(picks.Count() == 1 && picks.Items(0) == wanted, "Enter takes the selected card");
            check(list->Model()->rowCount() == 14 && list->SelectedRow() == 0 && form->focusWidget() == list,
                  "the next booster: focus, first card");

            const QRect third = list->visualRect(list->Model()->index(2, TCardListModel::kColumnName));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
            check(list->SelectedRow() == 2 && picks.Count() == 1, "a click selects");
            const QRect fifth = list->visualRect(list->Model()->index(4, TCardListModel::kColumnName));
            const int32_t doubled = list->Model()->CardAt(4);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, fifth.center());
            check(picks.Count() == 2 && picks.Items(1) == doubled, "a double click takes the card under it");
            sample_->Prompter.answers.push_back(Answer::Yes);
            form->reject();
        }));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
    }

    // "Confirm picks": the first Enter or double click marks the card (shown marked), another
    // selection drops the mark, a second press takes the marked card. The menu turns it off.
    void confirmedPicksMarkFirst() {
        Settings().SetDraftConfirmPicks(true);
        QStringList failures;
        auto check = [&failures](bool ok, const char* what) {
            if (!ok)
                failures << QLatin1String(what);
        };
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            auto* list = Child<TCardListView>(form, "ListView");
            TCardListModel* model = list->Model();
            const TIntegerList& picks = form->Engine().Seats().Items(0).Picks;
            const auto name = [model](int row) {
                return model->index(row, TCardListModel::kColumnName).data().toString();
            };
            QTest::keyClick(list, Qt::Key_Return);
            check(picks.Count() == 0 && name(0).startsWith(QStringLiteral("\u2714 ")) &&
                      model->index(0, 0).data(Qt::FontRole).value<QFont>().bold(),
                  "the first Enter marks");
            QTest::keyClick(list, Qt::Key_Down);
            check(form->Engine().MarkedCard() == -1 && !name(0).startsWith(QStringLiteral("\u2714")),
                  "another selection drops the mark");
            const int32_t wanted = list->SelectedCard();
            QTest::keyClick(list, Qt::Key_Return);
            QTest::keyClick(list, Qt::Key_Return);
            check(picks.Count() == 1 && picks.Items(0) == wanted, "the second Enter takes it");
            const QRect row = list->visualRect(model->index(3, TCardListModel::kColumnName));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
            check(picks.Count() == 1 && form->Engine().MarkedCard() == model->CardAt(3),
                  "a double click marks");
            QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
            check(picks.Count() == 2, "\"Pick\" takes the marked card");
            Child<QAction>(form, "ConfirmPicks")->trigger();
            QTest::keyClick(list, Qt::Key_Return);
            check(picks.Count() == 3 && !Settings().DraftConfirmPicks(), "turned off: one Enter takes");
            sample_->Prompter.answers.push_back(Answer::Yes);
            form->reject();
        }));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
    }

    // "New draft" asks before it throws away picks (not before there are any); Cancel leaves the
    // draft as it was, its countdown running.
    void newDraftAsksBeforeLosingPicks() {
        bool quiet = false, kept = false, replaced = false;
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            WhenReady first([] { return ActiveModal<TConfigForm>() != nullptr; },
                            [] { ActiveModal<TConfigForm>()->reject(); });
            form->N6Click(); // nothing picked yet: straight to the configuration
            quiet = first.Fired() && sample_->Prompter.Messages("confirm").empty();
            auto* list = Child<TCardListView>(form, "ListView");
            QTest::keyClick(list, Qt::Key_Return);
            const int seconds = form->Engine().PickSeconds();
            sample_->Prompter.answers.push_back(Answer::Cancel);
            form->N6Click();
            kept = form->Engine().Seats().Items(0).Picks.Count() == 1 && form->Timer()->isActive() &&
                   form->Engine().PickSeconds() == seconds && list->Model()->rowCount() == 14;
            WhenReady again([] { return ActiveModal<TConfigForm>() != nullptr; },
                            [] { Child<QPushButton>(ActiveModal<TConfigForm>(), "Button1")->click(); });
            sample_->Prompter.answers.push_back(Answer::Yes);
            form->N6Click();
            replaced = again.Fired() && form->Engine().Seats().Items(0).Picks.Count() == 0 &&
                       list->Model()->rowCount() == 15;
            sample_->Prompter.answers.push_back(Answer::Yes);
            form->reject();
        }));
        QVERIFY(quiet);
        QVERIFY(kept);
        QVERIFY(replaced);
        const std::string newDraft = "The draft is not finished. Start a new one and lose the picks?";
        QCOMPARE(sample_->Prompter.Messages("confirm"),
                 (std::vector<std::string>{newDraft, newDraft, kDraftUnsavedQuestion}));
    }

    // While a question is open over the table its countdown stands still; afterwards it goes on
    // with the seconds it had.
    void questionsPauseTheCountdown() {
        QList<bool> runningDuringQuestion;
        bool resumed = false;
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            form->TimerTimer();
            const int seconds = form->Engine().PickSeconds();
            sample_->Prompter.onAsk = [&] {
                runningDuringQuestion << form->Timer()->isActive();
            };
            sample_->Prompter.answers = {Answer::No};
            Child<QAction>(form, "N5")->trigger(); // "Exit", and No
            resumed =
                form->isVisible() && form->Timer()->isActive() && form->Engine().PickSeconds() == seconds;
            sample_->Prompter.answers = {Answer::Yes};
            form->reject();
            sample_->Prompter.onAsk = nullptr;
        }));
        QCOMPARE(runningDuringQuestion, (QList<bool>{false, false}));
        QVERIFY(resumed);
    }

    // The cube chosen deals the table's boosters, its cards per pack each; an untimed draft shows no
    // countdown and never picks for the user.
    void untimedCubeDraftFromTheDialog() {
        Settings().SetDraftUseCube(true);
        Settings().SetDraftCube("Sample Cube");
        Settings().SetDraftPackSize(8);
        Settings().SetDraftPickTime(kUntimedPick);
        int rows = -1;
        bool untimed = false;
        std::string packs;
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            rows = Child<TCardListView>(form, "ListView")->Model()->rowCount();
            for (int tick = 0; tick < 100; ++tick)
                form->TimerTimer();
            untimed = !form->Timer()->isActive() && !Child<QLineEdit>(form, "EditTimer")->isVisibleTo(form) &&
                      form->Engine().Seats().Items(0).Picks.Count() == 0;
            packs = form->Engine().Record().Packs;
            test::Screenshot(form, "draft-cube-untimed");
            sample_->Prompter.answers.push_back(Answer::Yes);
            form->reject();
        }));
        QCOMPARE(rows, 8);
        QVERIFY(untimed);
        QCOMPARE(packs, std::string("cube Sample Cube"));
    }

    // Sealed from a cube: the dialog stores the cube and its packs; the generator deals that many
    // packs of 15 into the hand-off deck.
    void sealedFromACube() {
        WhenReady configure([] { return ActiveModal<TConfigureSealedForm>() != nullptr; },
                            [] {
                                auto* form = ActiveModal<TConfigureSealedForm>();
                                Child<QCheckBox>(form, "CheckBoxCube")->setChecked(true);
                                Child<QSpinBox>(form, "SpinBoxCubePacks")->setValue(2);
                                test::Screenshot(form, "sealed-config-cube");
                                Child<QPushButton>(form, "Button1")->click();
                            });
        QVERIFY(OpenSealedConfig());
        QVERIFY(configure.Fired());
        QVERIFY(Settings().SealedUseCube());
        QCOMPARE(Settings().SealedCube(), std::string("Sample Cube"));
        QCOMPARE(Settings().SealedCubePacks(), 2);
        QVERIFY(GenerateSealed(7u));
        TDeckZones zones;
        QVERIFY(ReadDeckIntoZones(zones, CardDatabase(), sample_->World / "Temp/temp.dec", false, false));
        QCOMPARE(zones.Main.Entries.Count(), 30);
    }

    // "Save all decks": a cancelled file dialog ends the command; the files that exist are
    // confirmed by one question (the usual one for a single file), and Cancel writes nothing.
    void saveAllDecksAsksOnce() {
        const std::string mine = sample_->World / "Decks/mine.dec";
        const std::string bot3 = sample_->World / "Decks/mine_bot3.dec";
        bool nothingWritten = false;
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            form->SpeedButtonSaveAllClick(); // no picks yet
            TDraftEngine& engine = form->Engine();
            while (engine.State() != TDraftState::Finished) {
                engine.NextPackTurn();
                engine.AutoPick();
            }
            sample_->Prompter.fileNames = {"", mine, mine};
            form->SpeedButtonSaveAllClick();
            sample_->World.Home().Write("Decks/mine.dec", "old");
            sample_->Prompter.answers = {Answer::Cancel};
            form->SpeedButtonSaveAllClick();
            nothingWritten = !std::filesystem::exists(sample_->World / "Decks/mine_bot2.dec") &&
                             test::TempDir::Read(mine) == "old";
            sample_->World.Home().Write("Decks/mine_bot3.dec", "old");
            sample_->Prompter.answers = {Answer::Yes, Answer::Yes};
            form->SpeedButtonSaveAllClick();
            form->reject(); // saved: no question
        }));
        QCOMPARE(sample_->Prompter.Messages("error"), (std::vector<std::string>{"Decks are empty!"}));
        QCOMPARE(sample_->Prompter.Messages("save").size(), size_t{3});
        QVERIFY(nothingWritten);
        QCOMPARE(sample_->Prompter.Messages("confirm"),
                 (std::vector<std::string>{OverwriteDeckQuestion(mine),
                                           "Files " + mine + ", " + bot3 + " exist. Overwrite?"}));
        QVERIFY(test::TempDir::Read(mine) != "old");
        for (int seat = 2; seat <= 8; ++seat)
            QVERIFY(
                std::filesystem::exists(sample_->World / ("Decks/mine_bot" + std::to_string(seat) + ".dec")));
    }

    // "Show the drafters' choice" outlines the card the drafters would take for the user's picks,
    // pick after pick; "Save all built decks" writes each seat's 45 picks with 17 basic lands.
    void drafterChoiceAndBuiltDecks() {
        Settings().SetDraftShowChoice(true);
        const std::string mine = sample_->World / "Decks/built.dec";
        std::vector<std::pair<int, int>> outlined; // shown, expected
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            TDraftEngine& engine = form->Engine();
            auto* list = Child<TCardListView>(form, "ListView");
            for (int pick = 0; pick < 8; ++pick) {
                outlined.emplace_back(
                    list->OutlinedRow(),
                    DraftersChoice(engine.ShownBooster(), engine.Seats().Items(0).Picks, CardDatabase()));
                form->ListViewDblClick();
            }
            while (engine.State() != TDraftState::Finished) {
                engine.NextPackTurn();
                engine.AutoPick();
            }
            sample_->Prompter.fileNames = {mine};
            Child<QAction>(form, "SaveAllBuiltDecks")->trigger();
            form->reject();
        }));
        for (const auto& [shown, expected] : outlined)
            QCOMPARE(shown, expected);
        for (const std::string& file : {mine, sample_->World / "Decks/built_bot5.dec"}) {
            std::istringstream lines(test::TempDir::Read(file));
            int64_t cards = 0;
            for (std::string line; std::getline(lines, line);)
                cards += std::stoll(line.substr(line.rfind("SB: ", 0) == 0 ? 4 : 0));
            QCOMPARE(cards, int64_t{45 + 17});
        }
    }

    // A finished draft leaves its record in Drafts/ (drafters as the dialog chose them); "Review
    // draft" steps through it by buttons, arrow keys and seat; the cards that came back at P1p9 are
    // the ones marked at P1p1. The grade: the outlined card is the first of the best score, each
    // step's mark is what the pick gave up, the summary counts the agreeing marks, the signals'
    // shares add up and the largest is open. "Open draft record..." shows a card the database
    // lacks by its key.
    void draftReviewStepsThroughTheRecord() {
        Settings().SetDraftConfig("VR;HK;Tidebreak Expedition;");
        Settings().SetDraftBotStrategy(3);
        std::string recordPath;
        int wheeledAtFirstPick = -1, boosterAtNinthPick = -1;
        QString firstLabel, drafterLabel, stepAfterKeys;
        int outlined = -2, firstBest = -1, agreeing = 0;
        QString markAtNinthPick, expectedMark, summary;
        double shares = 0;
        int open = -2, largest = -1;
        WhenReady review([] { return ActiveModal<TDraftReviewForm>() != nullptr; },
                         [&] {
                             auto* form = ActiveModal<TDraftReviewForm>();
                             const auto closeAnyway = qScopeGuard([form] { form->reject(); });
                             auto* tree = Child<QTreeWidget>(form, "TreeBooster");
                             firstLabel = Child<QLabel>(form, "LabelStep")->text();
                             wheeledAtFirstPick = 0;
                             for (int row = 0; row < tree->topLevelItemCount(); ++row)
                                 wheeledAtFirstPick += tree->topLevelItem(row)->text(4) == "wheeled";
                             for (int i = 0; i < 8; ++i)
                                 Child<QPushButton>(form, "ButtonNext")->click();
                             boosterAtNinthPick = tree->topLevelItemCount();
                             // The scores shown, the card taken and the outline at P1p9.
                             qint64 bestScore = 0, takenScore = 0;
                             for (int row = 0; row < tree->topLevelItemCount(); ++row) {
                                 const qint64 score = tree->topLevelItem(row)->text(5).toLongLong();
                                 if (firstBest < 0 || score > bestScore) {
                                     firstBest = row;
                                     bestScore = score;
                                 }
                                 if (!tree->topLevelItem(row)->text(0).isEmpty())
                                     takenScore = score;
                             }
                             outlined = form->OutlinedRow();
                             expectedMark = bestScore == takenScore
                                                ? QStringLiteral("\u2713")
                                                : QStringLiteral("-%1").arg(bestScore - takenScore);
                             auto* stepList = Child<QListWidget>(form, "ListSteps");
                             markAtNinthPick =
                                 stepList->item(8)->data(TDraftReviewForm::kStepGradeRole).toString();
                             for (int row = 0; row < stepList->count(); ++row)
                                 agreeing += stepList->item(row)->data(TDraftReviewForm::kStepGradeRole) ==
                                             QStringLiteral("\u2713");
                             summary = Child<QTextBrowser>(form, "TextSummary")->toPlainText();
                             auto* chart = Child<TSignalChart>(form, "SignalChart");
                             for (int c = 0; c < 5; ++c) {
                                 shares += chart->Share(0, c);
                                 if (largest < 0 || chart->Share(0, c) > chart->Share(0, largest))
                                     largest = c;
                             }
                             open = chart->OpenColor(0);
                             auto* steps = Child<QListWidget>(form, "ListSteps");
                             QTest::keyClick(steps, Qt::Key_Right);
                             QTest::keyClick(form, Qt::Key_Right);
                             QTest::keyClick(steps, Qt::Key_Left);
                             stepAfterKeys = Child<QListWidget>(form, "ListSteps")->currentItem()->text();
                             test::Screenshot(form, "draft-review");
                             Child<QComboBox>(form, "ComboBoxSeat")->setCurrentIndex(2);
                             drafterLabel = Child<QLabel>(form, "LabelStep")->text();
                         });
        QVERIFY(DuringDraft([&](TDraftMainForm* form) {
            auto* list = Child<TCardListView>(form, "ListView");
            while (form->Engine().State() != TDraftState::Finished) {
                if (form->Engine().State() == TDraftState::Picking)
                    list->SelectRow(0);
                form->ListViewDblClick();
            }
            const std::vector<std::string> saved = sample_->World.Home().Names("Drafts");
            recordPath = saved.size() == 1 ? sample_->World / ("Drafts/" + saved[0]) : "";
            auto* reviewButton = Child<QPushButton>(form, "ButtonReview");
            QVERIFY(reviewButton->isVisible());
            reviewButton->click();
            sample_->Prompter.answers.push_back(Answer::Yes); // close without saving the decks
            form->reject();
        }));
        QVERIFY(review.Fired());
        QVERIFY(!recordPath.empty());
        const std::string text = test::TempDir::Read(recordPath);
        QVERIFY(text.find("\r\nDrafters: 3\r\n") != std::string::npos);
        QVERIFY2(firstLabel.startsWith("P1p1, booster 1: ") && firstLabel.endsWith(", taken by the user"),
                 qPrintable(firstLabel));
        QCOMPARE(wheeledAtFirstPick, 7);
        QCOMPARE(boosterAtNinthPick, 7);
        QVERIFY2(stepAfterKeys.startsWith("P1p10  "), qPrintable(stepAfterKeys));
        QVERIFY2(drafterLabel.endsWith(", taken by the computer drafter"), qPrintable(drafterLabel));
        QCOMPARE(outlined, firstBest);
        QCOMPARE(markAtNinthPick, expectedMark);
        QVERIFY2(summary.contains(QStringLiteral("Agreement: %1 of 45 picks (").arg(agreeing)),
                 qPrintable(summary));
        QVERIFY(qAbs(shares - 1) < 1e-9);
        QCOMPARE(open, largest);

        // The record's first card taken renamed to one the database does not have.
        TDraftRecord record = ReadDraftRecord(recordPath);
        record.Keys[static_cast<size_t>(record.Steps[0].Taken())] = "[ZZ] - Lost Card";
        WriteDraftRecord(record, sample_->World / "Drafts/lost.draft");
        sample_->Prompter.fileNames = {sample_->World / "Drafts/lost.draft"};
        QString firstStep;
        bool standingsInOrder = false;
        QString standingsCurrent;
        size_t spells = 0;
        int64_t designerMain = -1;
        const std::string built = sample_->World / "Decks/built.dec";
        WhenReady lost([] { return ActiveModal<TDraftReviewForm>() != nullptr; },
                       [&] {
                           auto* form = ActiveModal<TDraftReviewForm>();
                           const auto closeAnyway = qScopeGuard([form] { form->reject(); });
                           firstStep = Child<QListWidget>(form, "ListSteps")->item(0)->text();
                           auto* standings = Child<QTreeWidget>(form, "TreeStandings");
                           standingsInOrder = standings->topLevelItemCount() == 8;
                           for (int row = 1; row < standings->topLevelItemCount(); ++row)
                               standingsInOrder &= standings->topLevelItem(row - 1)->text(3).toLongLong() >=
                                                   standings->topLevelItem(row)->text(3).toLongLong();
                           standingsCurrent = standings->currentItem()->text(1);
                           spells = form->Grade().Decks[0].Spells.size();
                           sample_->Prompter.fileNames = {built};
                           Child<QPushButton>(form, "ButtonSaveDeck")->click();
                           WhenReady designer([] { return ActiveModal<TMakeDeckForm>() != nullptr; },
                                              [&] {
                                                  auto* deck = ActiveModal<TMakeDeckForm>();
                                                  designerMain = deck->Designer().Stats().Main.Cards;
                                                  deck->reject();
                                              });
                           Child<QPushButton>(form, "ButtonDesign")->click();
                       });
        OpenDraftRecord();
        QVERIFY(lost.Fired());
        QCOMPARE(firstStep, QStringLiteral("P1p1  [ZZ] - Lost Card (not in the database)"));
        QVERIFY(standingsInOrder);
        QCOMPARE(standingsCurrent, QStringLiteral("Me"));
        // The built deck: its spells and 17 lands; every pick kept, the lost card in the sideboard.
        std::istringstream lines(test::TempDir::Read(built));
        int64_t main = 0, total = 0;
        bool lostKept = false;
        for (std::string line; std::getline(lines, line);) {
            const bool sideboard = line.rfind("SB: ", 0) == 0;
            const int64_t count = std::stoll(line.substr(sideboard ? 4 : 0));
            total += count;
            main += sideboard ? 0 : count;
            lostKept |= sideboard && line.find(" [ZZ] - Lost Card\r") != std::string::npos;
        }
        QCOMPARE(main, static_cast<int64_t>(spells) + 17);
        QCOMPARE(total, int64_t{45 + 17});
        QVERIFY(lostKept);
        QCOMPARE(designerMain, main);
    }

    // A record that cannot be read shows nothing of it: the message names each fault by line.
    void aDamagedRecordIsNotReviewed() {
        const std::string path = sample_->World.Home().Write(
            "Drafts/cut.draft", "Tovel draft record 1\r\nPacks: VR;VR;VR;\r\nPick time: 40\r\nSeed: 1\r\n"
                                "Drafters: 2\r\n\r\nP1p1 seat 2 booster 1 user\r\n* [VR] - Anything\r\n");
        sample_->Prompter.fileNames = {path};
        WhenReady opened([] { return ActiveModal<TDraftReviewForm>() != nullptr; },
                         [] { ActiveModal<TDraftReviewForm>()->reject(); });
        OpenDraftRecord();
        QVERIFY(!opened.Fired());
        QCOMPARE(
            sample_->Prompter.Messages("error"),
            std::vector<std::string>{"The draft record cannot be read: " + path +
                                     " is not a draft record (line 7)\n"
                                     "Line 7: step P1p1 seat 2 is out of order (P1p1 seat 1 expected)\n"
                                     "Line 8: the record ends before the draft does (P1p1 seat 3 expected)"});
    }

    // The configuration dialogs name the lines of boosters.ini that spoil a pack, and do not
    // offer that pack; OK on a sealed choice no pool can come from says why and keeps the dialog.
    void configurationDialogsReportWhatCannotBeOpened() {
        sample_->World.Home().Write(
            "Data/boosters.ini", "[Complex]\r\nTidebreak Expedition=TX+9E\r\n[SpecialBoosters]\r\nTX=0R\r\n");
        TDraftEngine::LoadTableData();
        TConfigForm draft;
        draft.Initialize();
        const std::string report = "Data/boosters.ini, line 4: TX=0R - a count below 1 (0R)";
        QCOMPARE(sample_->Prompter.Messages("error"), std::vector<std::string>{report});
        QCOMPARE(Child<QComboBox>(&draft, "ComboBox1")->findText("Tidebreak Expedition"), -1);

        Settings().SetSealedConfig("");
        bool keptOpen = false;
        WhenReady sealed([] { return ActiveModal<TConfigureSealedForm>() != nullptr; },
                         [&] {
                             auto* form = ActiveModal<TConfigureSealedForm>();
                             const auto closeAnyway = qScopeGuard([form] { form->reject(); });
                             Child<QPushButton>(form, "Button1")->click(); // nothing chosen
                             for (int i = 0; i < 101; ++i)
                                 Child<QToolButton>(form, "SpeedButtonAddBooster")->click();
                             Child<QPushButton>(form, "Button1")->click();
                             keptOpen = form->isVisible();
                         });
        QVERIFY(!OpenSealedConfig());
        QVERIFY(sealed.Fired());
        QVERIFY(keptOpen);
        QCOMPARE(sample_->Prompter.Messages("error"),
                 (std::vector<std::string>{
                     report, report, "The sealed configuration names no packs",
                     "The sealed configuration names 101 packs; at most 100 can be opened"}));
        QCOMPARE(QString::fromStdString(Settings().SealedConfig()), QString());
    }

    // A changed deck is never dropped without asking: Cancel keeps the window open, No closes
    // it; the window's place and the sideboard panel's width are stored on close.
    void designerAsksBeforeDroppingChanges() {
        TMakeDeckForm form;
        form.Initialize(false, false);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(Child<QToolButton>(&form, "SpeedButtonAddIsland"), Qt::LeftButton);
        QCOMPARE(form.List(TZone::Main)->Model()->index(0, 0).data().toString(),
                 QStringLiteral("L   Island (1)"));
        sample_->Prompter.answers = {Answer::Cancel, Answer::No};
        form.Action(QStringLiteral("AExit"))->trigger();
        QVERIFY(form.isVisible());
        form.resize(1000, 500); // wide enough for the lists and the odds beside them
        Child<QSplitter>(&form, "Splitter1")->setSizes({300, 280});
        form.Action(QStringLiteral("AExit"))->trigger();
        QVERIFY(!form.isVisible());
        QCOMPARE(sample_->Prompter.Messages("confirm"),
                 (std::vector<std::string>{kDeckModifiedQuestion, kDeckModifiedQuestion}));
        QCOMPARE(Settings().MakeDeckGeometry().width, 1000);
        QCOMPARE(Settings().MakeDeckGeometry().height, 500);
        QCOMPARE(Settings().MakeDeckRightPanelWidth(), Child<QSplitter>(&form, "Splitter1")->sizes().at(1));
    }

    // "Clear deck" and "Import list..." ask before they replace a pool handed over unsaved, and
    // Cancel leaves it as it was; after No they go ahead.
    void designerAsksBeforeReplacingWork() {
        sample_->World.Home().Write("Temp/temp.dec", "    2 [VR] - Kessul Ambush\r\n");
        TMakeDeckForm form;
        form.Initialize(true, false);
        const QString list = QStringLiteral("1 Naalir Oracle\n");
        sample_->Prompter.answers = {Answer::Cancel, Answer::Cancel, Answer::No, Answer::No};
        form.Action(QStringLiteral("AClearDeck"))->trigger();
        QVERIFY(!form.ImportListText(list));
        QCOMPARE(form.Designer().Stats().Sideboard.Cards, int64_t{2});
        QVERIFY(form.ImportListText(list));
        QCOMPARE(form.Designer().Stats().Main.Cards, int64_t{1});
        form.Action(QStringLiteral("AClearDeck"))->trigger();
        QVERIFY(form.Designer().IsEmpty());
        const std::string pool = kPoolNotSavedQuestion;
        QCOMPARE(sample_->Prompter.Messages("confirm"),
                 (std::vector<std::string>{pool, pool, pool, kDeckModifiedQuestion}));
    }

    // Keys in the designer: Enter on a browser row adds the card to the deck (and opens no
    // "Filter cards"), Delete removes the selected copy, Ctrl+S saves.
    void designerKeys() {
        TMakeDeckForm form;
        form.Initialize(false, false);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.ShowBrowser(true);
        bool dialogOpened = false;
        WhenReady dialog([] { return QApplication::activeModalWidget() != nullptr; },
                         [&dialogOpened] {
                             dialogOpened = true;
                             QApplication::activeModalWidget()->close();
                         });
        QTableView* browser = form.Browser()->Frame()->ListView();
        browser->setFocus();
        QTest::keyClick(browser, Qt::Key_Return);
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(form.Designer().Stats().Main.Cards, int64_t{2});
        TCardListView* main = form.List(TZone::Main);
        main->setFocus();
        main->SelectRow(0);
        QTest::keyClick(main, Qt::Key_Delete);
        QCOMPARE(form.Designer().Stats().Main.Cards, int64_t{1});
        sample_->Prompter.fileNames = {sample_->World / "Decks/keys.dec"};
        QTest::keyClick(main, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!form.Designer().Modified()); // saved
        QVERIFY(!dialogOpened);               // a dialog opened by a key would have run inside its key press
        form.close();
    }

    // A designer that never reached the screen (its start failed) leaves the stored geometry
    // alone; sizes too small to use are not taken from the settings.
    void unshownDesignerKeepsTheStoredGeometry() {
        Settings().SetMakeDeckRightPanelWidth(48);
        { TMakeDeckForm form; }
        QCOMPARE(IniFile(Settings().Path()).ReadString("MakeDeck", "Width", "none"), std::string("none"));
        TMakeDeckForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(Child<QSplitter>(&form, "Splitter1")->sizes().at(1) > 200);
    }

    // The right button opens the card window on the selected card, a new selection follows it,
    // and closing the designer destroys it.
    void designerShowsCardInfo() {
        {
            TMakeDeckForm form;
            form.Initialize(false, false);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            for (int land = 0; land < 3; ++land)
                form.AddLand(land);
            TCardListView* list = form.List(TZone::Main);
            list->SelectRow(0);
            QVERIFY(!ViewCardForm()); // a selection alone opens nothing
            const QRect row = list->visualRect(list->Model()->index(1, 0));
            QTest::mousePress(list->viewport(), Qt::RightButton, {}, row.center());
            QVERIFY(ViewCardForm() && ViewCardForm()->isVisible());
            QVERIFY(ViewCardForm()->CardInfoFrame()->Shows(CardDatabase().Items(list->SelectedCard())));
            list->SelectRow(2);
            QVERIFY(ViewCardForm()->CardInfoFrame()->Shows(CardDatabase().Items(list->SelectedCard())));
            sample_->Prompter.answers.push_back(Answer::No);
            form.Action(QStringLiteral("AExit"))->trigger();
            QVERIFY(!ViewCardForm());
        }
        QVERIFY(!ViewCardForm());
    }

    // Saving with both lists empty says so and asks for no file.
    void designerRefusesToSaveAnEmptyDeck() {
        TMakeDeckForm form;
        form.Initialize(false, false);
        form.Action(QStringLiteral("ASaveDeck"))->trigger();
        QCOMPARE(sample_->Prompter.Messages("error"), (std::vector<std::string>{"Deck is empty!"}));
        QVERIFY(sample_->Prompter.Messages("save").empty());
    }

private:
    std::unique_ptr<test::SampleCase> sample_;
};

TOVEL_WINDOW_TEST_MAIN(TestLimitedWindows)

#include "tst_limitedwindows.moc"
