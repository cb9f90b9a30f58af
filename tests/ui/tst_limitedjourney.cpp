// The limited journey as a user walks it from the main menu, on a copy of the sample world:
// a whole draft into the deck designer, a sealed pool into the designer, and a saved deck
// edited and saved over its file.

#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardsDB.h"
#include "core/decks/DeckFile.h"
#include "core/settings/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/WindowTests.h"
#include "ui/app/MainForm.h"
#include "ui/decks/BuildDeckForm.h"
#include "ui/decks/CardListView.h"
#include "ui/decks/MakeDeckForm.h"
#include "ui/limited/ConfigForm.h"
#include "ui/limited/ConfigureSealedForm.h"
#include "ui/limited/DraftMainForm.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

using namespace tovel;
using tovel::test::ActiveModal;
using tovel::test::Child;
using tovel::test::WhenReady;

namespace {

QStringList Rows(const TCardListView* list) {
    QStringList rows;
    const auto* model = list->Model();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString();
    return rows;
}

void DoubleClickRow(TCardListView* list, int row) {
    const QRect rect = list->visualRect(list->Model()->index(row, 0));
    // What a double click delivers: a click, then the double-click event.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

// The designer on top, once the deck it offered to build is done with (accepted and applied, or
// declined).
bool DesignerAfterOffer() {
    auto* form = ActiveModal<TMakeDeckForm>();
    return form && !form->findChild<TBuildDeckForm*>();
}

} // namespace

class TestLimitedJourney final : public QObject {
    Q_OBJECT
private slots:
    void init() { sample_ = std::make_unique<test::SampleCase>(); }
    void cleanup() { sample_.reset(); }

    // New draft → configuration → 45 picks by double click, "Pick" and time-outs, "Next" or a
    // double click between pack turns → "Draft Finished" → "Save all decks" → "Design deck" → a 40-card
    // main deck with basic lands → save → reload shows the same deck.
    void draftIntoDesignerAndBack() {
        TMainForm main;
        main.show();

        WhenReady configure([] { return ActiveModal<TConfigForm>() != nullptr; },
                            [] {
                                auto* form = ActiveModal<TConfigForm>();
                                Child<QComboBox>(form, "ComboBox1")->setCurrentIndex(0); // Verdant Reaches
                                Child<QComboBox>(form, "ComboBox2")->setCurrentIndex(1); // Hollow Crown
                                QComboBox* third = Child<QComboBox>(form, "ComboBox3");
                                third->setCurrentIndex(
                                    third->findText(QStringLiteral("Tidebreak Expedition")));
                                auto* time = Child<QComboBox>(form, "ComboBoxPickTime");
                                time->setCurrentIndex(time->findText(QStringLiteral("40 seconds")));
                                QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
                            });

        QStringList failures;
        auto check = [&failures](bool ok, const QString& what) {
            if (!ok)
                failures << what;
        };
        std::vector<std::string> userPicks;
        const std::string mine = sample_->World / "Decks/mine.dec";

        WhenReady draft(
            [] {
                auto* form = ActiveModal<TDraftMainForm>();
                return form && form->Engine().State() == TDraftState::Picking;
            },
            [&] {
                auto* form = ActiveModal<TDraftMainForm>();
                TDraftEngine& engine = form->Engine();
                auto* list = Child<TCardListView>(form, "ListView");
                auto* button = Child<QPushButton>(form, "Button1");
                auto* timeEdit = Child<QLineEdit>(form, "EditTimer");
                check(timeEdit->text() == QStringLiteral("0:40"),
                      QStringLiteral("fresh booster time ") + timeEdit->text());
                // The times after each pick of a pack turn: booster 1's cards at the reset decide.
                const QStringList expectedTimes = {"0:40", "0:40", "0:35", "0:35", "0:30", "0:30", "0:25",
                                                   "0:25", "0:20", "0:20", "0:15", "0:15", "0:10", "0:10"};
                for (int turn = 1; turn <= 3; ++turn) {
                    check(engine.UserBooster() == 1, QStringLiteral("turn %1 starts at booster 1").arg(turn));
                    check(form->Timer()->isActive(), QStringLiteral("timer runs in turn %1").arg(turn));
                    for (int pick = 1; pick <= 15; ++pick) {
                        const int before = engine.Seats().Items(0).Picks.Count();
                        check(list->Model()->rowCount() == 16 - pick,
                              QStringLiteral("turn %1 pick %2 shows %3 cards")
                                  .arg(turn)
                                  .arg(pick)
                                  .arg(list->Model()->rowCount()));
                        if (pick == 4 || pick == 10) {
                            // By keys: the list has the focus; End, then Enter.
                            check(form->focusWidget() == list && list->SelectedRow() == 0,
                                  QStringLiteral("turn %1 pick %2 starts on the first card")
                                      .arg(turn)
                                      .arg(pick));
                            QTest::keyClick(list, Qt::Key_End);
                            QTest::keyClick(list, Qt::Key_Return);
                        } else if (pick == 1 || pick % 3 == 0) {
                            DoubleClickRow(list, list->Model()->rowCount() - 1);
                        } else if (pick == 2 || pick == 7) {
                            // A time-out: the window's timer slot, tick by tick.
                            const int seconds = engine.PickSeconds();
                            form->TimerTimer();
                            check(timeEdit->text() ==
                                      QStringLiteral("0:%1").arg(seconds - 1, 2, 10, QLatin1Char('0')),
                                  QStringLiteral("countdown shows ") + timeEdit->text());
                            for (int tick = 1; tick < 70 && engine.Seats().Items(0).Picks.Count() == before;
                                 ++tick)
                                form->TimerTimer();
                        } else {
                            list->SelectRow(0);
                            QTest::mouseClick(button, Qt::LeftButton);
                        }
                        check(engine.Seats().Items(0).Picks.Count() == before + 1,
                              QStringLiteral("turn %1 pick %2 was made").arg(turn).arg(pick));
                        if (pick == 1)
                            check(engine.UserBooster() == (turn == 2 ? 2 : 8),
                                  QStringLiteral("passing after the first pick of turn %1").arg(turn));
                        if (turn == 1 && pick < 15)
                            check(timeEdit->text() == expectedTimes[pick - 1],
                                  QStringLiteral("time after pick %1: %2").arg(pick).arg(timeEdit->text()));
                        if (turn == 2 && pick == 5)
                            test::Screenshot(form, "draft-mid");
                    }
                    if (turn < 3) {
                        check(button->text() == QStringLiteral("Next"),
                              QStringLiteral("Next after turn %1").arg(turn));
                        check(!form->Timer()->isActive(),
                              QStringLiteral("timer stopped after turn %1").arg(turn));
                        check(list->Model()->rowCount() == 0, QStringLiteral("empty list between turns"));
                        check(timeEdit->text().isEmpty(), QStringLiteral("no pick time between turns"));
                        // Either opens the next pack turn: a double click on the empty list, "Next".
                        if (turn == 1)
                            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
                        else
                            QTest::mouseClick(button, Qt::LeftButton);
                        check(button->text() == QStringLiteral("Pick"), QStringLiteral("Pick after Next"));
                    }
                }
                check(engine.State() == TDraftState::Finished, QStringLiteral("draft finished"));
                check(!form->Timer()->isActive(), QStringLiteral("timer stopped at the end"));
                check(timeEdit->text().isEmpty(), QStringLiteral("no pick time after the draft"));
                for (int seat = 0; seat < 8; ++seat)
                    check(engine.Seats().Items(seat).Picks.Count() == 45,
                          QStringLiteral("45 picks at seat %1").arg(seat));
                auto* saveAll = Child<QToolButton>(form, "SpeedButtonSaveAll");
                check(saveAll->isVisibleTo(form), QStringLiteral("save buttons shown"));
                for (int32_t card : engine.Seats().Items(0).Picks)
                    userPicks.push_back(CardCaption(CardDatabase().Items(card)));
                Child<QTabBar>(form, "TabControlDecks")->setCurrentIndex(3);
                test::Screenshot(form, "draft-finished");

                sample_->Prompter.fileNames.push_back(mine);
                QTest::mouseClick(saveAll, Qt::LeftButton);
                QTest::mouseClick(Child<QToolButton>(form, "SpeedButtonDesign"), Qt::LeftButton);
            });

        QStringList builtMain;
        QStringList builtSideboard;
        const std::string built = sample_->World / "Decks/built.dec";
        // The designer offers to build the deck at once; this journey builds it by hand.
        WhenReady offer([] { return ActiveModal<TBuildDeckForm>() != nullptr; },
                        [] { ActiveModal<TBuildDeckForm>()->reject(); });
        WhenReady design(
            [&offer] { return offer.Fired() && DesignerAfterOffer(); },
            [&] {
                auto* form = ActiveModal<TMakeDeckForm>();
                TDeckDesigner& designer = form->Designer();
                check(designer.Stats().Sideboard.Cards == 45 && designer.Stats().Main.Cards == 0,
                      QStringLiteral("the 45 picks are in the sideboard"));
                std::vector<std::string> sideboard;
                for (int row = 0; row < designer.RowCount(TZone::Sideboard); ++row)
                    sideboard.push_back(CardCaption(designer.RowCard(TZone::Sideboard, row)));
                std::sort(sideboard.begin(), sideboard.end());
                std::vector<std::string> picks = userPicks;
                std::sort(picks.begin(), picks.end());
                check(sideboard == picks, QStringLiteral("the sideboard holds exactly the user's picks"));

                // 23 cards by double click and by "Deck/Sideboard", 17 basic lands by their buttons.
                TCardListView* sideboardList = form->List(TZone::Sideboard);
                for (int i = 0; i < 23; ++i) {
                    if (i % 2 == 0) {
                        DoubleClickRow(sideboardList, 0);
                    } else {
                        sideboardList->setFocus();
                        sideboardList->SelectRow(0);
                        QTest::mouseClick(Child<QToolButton>(form, "SpeedButtonMove"), Qt::LeftButton);
                    }
                }
                for (int i = 0; i < 9; ++i)
                    QTest::mouseClick(Child<QToolButton>(form, "SpeedButtonAddForest"), Qt::LeftButton);
                for (int i = 0; i < 8; ++i)
                    QTest::mouseClick(Child<QToolButton>(form, "SpeedButtonAddMountain"), Qt::LeftButton);
                check(designer.Stats().Main.Cards == 40,
                      QStringLiteral("main deck of 40: %1").arg(designer.Stats().Main.Cards));
                check(designer.Stats().Sideboard.Cards == 22, QStringLiteral("22 left in the sideboard"));
                check(Child<QLabel>(form, "LabelMainCount")->text() == QStringLiteral("40"),
                      QStringLiteral("main label"));
                check(Rows(form->List(TZone::Main)).contains(QStringLiteral("L   Forest (9)")),
                      QStringLiteral("Forest row"));
                test::Screenshot(form, "designer-mid-build");

                sample_->Prompter.fileNames.push_back(built);
                form->Action(QStringLiteral("ASaveDeck"))->trigger();
                builtMain = Rows(form->List(TZone::Main));
                builtSideboard = Rows(form->List(TZone::Sideboard));
                form->Action(QStringLiteral("AExit"))->trigger(); // saved: closes without asking
            });

        main.Command(QStringLiteral("Newdraft1"))->trigger();
        QVERIFY(configure.Fired());
        QVERIFY(draft.Fired());
        QVERIFY(offer.Fired());
        QVERIFY(design.Fired());
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
        QVERIFY(sample_->Prompter.Messages("error").empty());
        QCOMPARE(sample_->Prompter.Messages("information"), (std::vector<std::string>{"Draft Finished"}));
        QVERIFY(sample_->Prompter.Messages("confirm").empty());
        QVERIFY(!ActiveModal<QDialog>());

        // Eight files, the user's under the chosen name and each drafter's beside it.
        QVERIFY(QFileInfo::exists(QString::fromStdString(mine)));
        for (int seat = 2; seat <= 8; ++seat)
            QVERIFY(QFileInfo::exists(
                QString::fromStdString(sample_->World / ("Decks/mine_bot" + std::to_string(seat) + ".dec"))));
        QCOMPARE(builtMain.size() + builtSideboard.size(), 23 + 2 + 22);

        // "Design deck" from the main menu and "Load deck..." of the saved file.
        const auto [reloadedMain, reloadedSideboard] = LoadInDesigner(main, built);
        QCOMPARE(reloadedMain, builtMain);
        QCOMPARE(reloadedSideboard, builtSideboard);
        QVERIFY(sample_->Prompter.Messages("error").empty());
    }

    // New sealed deck → a starter and two boosters → OK → the designer shows the 75-card pool.
    void sealedPoolIntoDesigner() {
        TMainForm main;
        main.show();
        QStringList lines;
        WhenReady configure(
            [] { return ActiveModal<TConfigureSealedForm>() != nullptr; },
            [&] {
                auto* form = ActiveModal<TConfigureSealedForm>();
                Child<QComboBox>(form, "ComboBoxStarter")->setCurrentIndex(0);
                QTest::mouseClick(Child<QToolButton>(form, "SpeedButtonAddStarter"), Qt::LeftButton);
                Child<QComboBox>(form, "ComboBoxBooster")->setCurrentIndex(1);
                QTest::mouseClick(Child<QToolButton>(form, "SpeedButtonAddBooster"), Qt::LeftButton);
                QTest::mouseClick(Child<QToolButton>(form, "SpeedButtonAddBooster"), Qt::LeftButton);
                lines = form->ChosenLines();
                test::Screenshot(form, "sealed-config");
                QTest::mouseClick(Child<QPushButton>(form, "Button1"), Qt::LeftButton);
            });
        int64_t poolCards = -1;
        int64_t afterMoveMain = -1;
        int64_t afterMoveSideboard = -1;
        WhenReady offer([] { return ActiveModal<TBuildDeckForm>() != nullptr; },
                        [] { ActiveModal<TBuildDeckForm>()->reject(); });
        WhenReady design([&offer] { return offer.Fired() && DesignerAfterOffer(); },
                         [&] {
                             auto* form = ActiveModal<TMakeDeckForm>();
                             poolCards = form->Designer().Stats().Sideboard.Cards +
                                         form->Designer().Stats().Main.Cards * 1000;
                             test::Screenshot(form, "designer-sealed");
                             DoubleClickRow(form->List(TZone::Sideboard), 0);
                             afterMoveMain = form->Designer().Stats().Main.Cards;
                             afterMoveSideboard = form->Designer().Stats().Sideboard.Cards;
                             sample_->Prompter.answers.push_back(Answer::No);
                             form->Action(QStringLiteral("AExit"))->trigger();
                         });
        main.Command(QStringLiteral("Newsealeddeck1"))->trigger();
        QVERIFY(configure.Fired());
        QVERIFY(offer.Fired());
        QVERIFY(design.Fired());
        QCOMPARE(lines, (QStringList{"Verdant Reaches (STARTER)", "Hollow Crown (BOOSTER)",
                                     "Hollow Crown (BOOSTER)"}));
        QCOMPARE(QString::fromStdString(Settings().SealedConfig()), QStringLiteral("SVR;BHK;BHK;"));
        QCOMPARE(poolCards, int64_t{75}); // all in the sideboard, none in the main deck
        QCOMPARE(afterMoveMain, int64_t{1});
        QCOMPARE(afterMoveSideboard, int64_t{74});
        // The moved card made the deck differ from the pool: closing asked first.
        QCOMPARE(sample_->Prompter.Messages("confirm"), (std::vector<std::string>{kDeckModifiedQuestion}));
        QVERIFY(sample_->Prompter.Messages("error").empty());
        QVERIFY(QFileInfo::exists(QString::fromStdString(sample_->World / "Temp/temp.dec")));
    }

    // Design deck → load a saved deck, move, remove, sort through all seven modes, save over
    // the file after confirming.
    void designerEditsASavedDeck() {
        LoadCardDatabase(CardDatabase(), sample_->World / "Data/base.txt", {});
        std::string deck;
        int taken = 0;
        for (int i = 0; i < CardDatabase().Count() && taken < 12; ++i) {
            const TCardItem& card = CardDatabase().Items(i);
            if (card.Rarity == TRarity::L || card.Edition != "VR")
                continue;
            deck += (taken < 9 ? "    2 " : "SB: 1 ") + CardKey(card) + "\r\n";
            ++taken;
        }
        deck += "    7 [9E] - Forest\r\nSB: 3 [9E] - Island\r\n";
        const std::string path = sample_->World.Home().Write("Decks/saved.dec", deck);

        TMainForm main;
        main.show();
        QStringList captions;
        QStringList firstRows;
        QStringList savedMain;
        QStringList savedSideboard;
        int64_t mainCards = -1;
        WhenReady edit([] { return ActiveModal<TMakeDeckForm>() != nullptr; },
                       [&] {
                           auto* form = ActiveModal<TMakeDeckForm>();
                           TDeckDesigner& designer = form->Designer();
                           sample_->Prompter.fileNames.push_back(path);
                           form->Action(QStringLiteral("ALoadDeck"))->trigger();
                           mainCards = designer.Stats().Main.Cards; // 9 × 2 + 7 Forests
                           TCardListView* mainList = form->List(TZone::Main);
                           TCardListView* sideboardList = form->List(TZone::Sideboard);
                           // Move one copy each way, then remove one Forest and one other card.
                           DoubleClickRow(mainList, mainList->Model()->rowCount() - 1);
                           sideboardList->setFocus();
                           sideboardList->SelectRow(sideboardList->Model()->rowCount() - 1);
                           QTest::mouseClick(Child<QToolButton>(form, "SpeedButtonMove"), Qt::LeftButton);
                           mainList->setFocus();
                           mainList->SelectRow(0); // the basic lands come first
                           QTest::mouseClick(Child<QToolButton>(form, "SpeedButtonRemove"), Qt::LeftButton);
                           mainList->SelectRow(mainList->Model()->rowCount() - 1);
                           QTest::mouseClick(Child<QToolButton>(form, "SpeedButtonRemove"), Qt::LeftButton);
                           // Seven clicks on the header go once round the modes and back to the first.
                           for (int click = 0; click < 7; ++click) {
                               captions << mainList->Model()->headerData(0, Qt::Horizontal).toString();
                               firstRows << mainList->Model()->index(0, 0).data().toString();
                               mainList->header()->sectionClicked(0);
                           }
                           captions << mainList->Model()->headerData(0, Qt::Horizontal).toString();
                           test::Screenshot(form, "designer-saved-deck");

                           sample_->Prompter.fileNames.push_back(path);
                           sample_->Prompter.answers.push_back(Answer::Yes);
                           form->Action(QStringLiteral("ASaveDeck"))->trigger();
                           savedMain = Rows(mainList);
                           savedSideboard = Rows(sideboardList);
                           form->Action(QStringLiteral("AExit"))->trigger();
                       });
        main.Command(QStringLiteral("Design1"))->trigger();
        QVERIFY(edit.Fired());
        QCOMPARE(mainCards, int64_t{25});
        QCOMPARE(captions, (QStringList{"Sort: Color", "Sort: Value", "Sort: Casting cost", "Sort: None",
                                        "Sort: Name", "Sort: Type", "Sort: Rarity", "Sort: Color"}));
        for (const QString& row : firstRows)
            QCOMPARE(row, QStringLiteral("L   Forest (6)")); // basic lands first in every mode
        QCOMPARE(sample_->Prompter.Messages("confirm"),
                 (std::vector<std::string>{"File " + path + "\rexists Overwrite?"}));
        QVERIFY(sample_->Prompter.Messages("error").empty());

        // The file now holds the edited deck.
        const auto [reloadedMain, reloadedSideboard] = LoadInDesigner(main, path);
        QCOMPARE(reloadedMain, savedMain);
        QCOMPARE(reloadedSideboard, savedSideboard);
    }

private:
    // "Design deck" from the main menu and "Load deck..." of `path`: the designer's main deck and
    // sideboard rows; both empty when the designer did not open.
    std::pair<QStringList, QStringList> LoadInDesigner(TMainForm& main, const std::string& path) {
        std::pair<QStringList, QStringList> rows;
        WhenReady reload([] { return ActiveModal<TMakeDeckForm>() != nullptr; },
                         [&] {
                             auto* form = ActiveModal<TMakeDeckForm>();
                             sample_->Prompter.fileNames.push_back(path);
                             form->Action(QStringLiteral("ALoadDeck"))->trigger();
                             rows = {Rows(form->List(TZone::Main)), Rows(form->List(TZone::Sideboard))};
                             form->Action(QStringLiteral("AExit"))->trigger();
                         });
        main.Command(QStringLiteral("Design1"))->trigger();
        return rows;
    }

    std::unique_ptr<test::SampleCase> sample_;
};

TOVEL_WINDOW_TEST_MAIN(TestLimitedJourney)

#include "tst_limitedjourney.moc"
