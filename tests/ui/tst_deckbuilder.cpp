// The deck designer's building aids on the sample world: the card browser, the curve chart and
// the land suggestion, plain-text lists, the sample hand, the deck built from a pool and the odds.

#include "core/carddb/CardDatabase.h"
#include "core/decks/DeckBuilder.h"
#include "core/decks/DeckList.h"
#include "core/decks/DeckOdds.h"
#include "core/settings/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/WindowTests.h"
#include "ui/Openers.h"
#include "ui/collection/CardQueryBar.h"
#include "ui/collection/CardsFrame.h"
#include "ui/decks/BuildDeckForm.h"
#include "ui/decks/CardListView.h"
#include "ui/decks/CurveChart.h"
#include "ui/decks/DeckBrowserPanel.h"
#include "ui/decks/DeckListForm.h"
#include "ui/decks/DeckStatsPanel.h"
#include "ui/decks/MakeDeckForm.h"
#include "ui/decks/OddsPanel.h"
#include "ui/decks/SampleHandForm.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

using namespace tovel;
using tovel::test::ActiveModal;
using tovel::test::Child;
using tovel::test::WhenReady;

namespace {

// The designer on top, once the deck it offered to build is done with (accepted and applied, or
// declined).
bool DesignerAfterOffer() {
    auto* form = ActiveModal<TMakeDeckForm>();
    return form && !form->findChild<TBuildDeckForm*>();
}

QStringList Rows(TMakeDeckForm& form, TZone zone) {
    QStringList rows;
    for (int row = 0; row < form.List(zone)->Model()->rowCount(); ++row)
        rows << form.List(zone)->Model()->index(row, 0).data().toString();
    return rows;
}

// Seven spells of the sample world: Kessul Ambush XR (instant), Naalir Oracle 4(r / w)
// (creature), Quelarr Orrery 2UB (enchantment), Knight of Fennora 3W (creature).
const char* const kList = "2 Kessul Ambush\n1 Naalir Oracle\nthree Quelarr Orrery\n3 Quelarr Orrery [VR]\n"
                          "1 Knight of Fennora\n1 Nowhere Card\n";

} // namespace

class TestDeckBuilder : public QObject {
    Q_OBJECT

private slots:
    void init() { sample_ = std::make_unique<test::SampleCase>(); }
    void cleanup() { sample_.reset(); }

    // The browser is hidden until asked for; a double click adds to the deck, Shift and the
    // button to the sideboard; its width and being shown are remembered.
    void addFromTheBrowser() {
        {
            TMakeDeckForm form;
            form.Initialize(false, false);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QVERIFY(!form.Browser()->isVisible());
            const int narrow = form.width();
            form.Action(QStringLiteral("AShowBrowser"))->trigger();
            QVERIFY(form.Browser()->isVisible());
            QVERIFY(form.width() > narrow); // the deck lists keep their room
            TCardsFrame* frame = form.Browser()->Frame();
            QTest::keyClicks(frame->EditSearch(), QStringLiteral("Knight of Fen"));
            QTRY_VERIFY(frame->CurrentCard() && frame->CurrentCard()->Name == "Knight of Fennora");
            QTableView* view = frame->ListView();
            const QRect row = view->visualRect(view->model()->index(frame->SelectedRow(), 1));
            // A widget double click from QTest comes without the press and release a real one
            // starts with; the view needs that press on the same row to take it as a double click.
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
            QCOMPARE(Rows(form, TZone::Main), QStringList{QStringLiteral("C   Knight of Fennora")});
            QTest::mouseClick(form.Browser()->AddButton(), Qt::LeftButton, Qt::ShiftModifier);
            // `own` counts the copies of the collection file.
            sample_->World.Home().Write("Inventory/inventory.inv",
                                        "VR;Kessul Ambush;3;1;\r\nBF;Knight of Fennora;1;0;\r\n");
            form.Browser()->QueryBar()->Edit()->setText(QStringLiteral("own>=2"));
            form.Browser()->QueryBar()->Apply();
            QCOMPARE(frame->Model().RowCount(), 1);
            QCOMPARE(frame->CurrentCard()->Name, std::string_view("Kessul Ambush"));
            form.Browser()->QueryBar()->Edit()->clear();
            form.Browser()->QueryBar()->Apply();
            QCOMPARE(Rows(form, TZone::Sideboard), QStringList{QStringLiteral("C   Knight of Fennora")});
            QCOMPARE(Child<QLabel>(&form, "LabelMainCount")->text(), QStringLiteral("1"));
            Child<QSplitter>(&form, "SplitterBrowser")->setSizes({333, form.width() - 333});
            sample_->Prompter.answers = {Answer::No};
            form.Action(QStringLiteral("AExit"))->trigger();
        }
        QCOMPARE(Settings().MakeDeckBrowserWidth(), 333);
        QVERIFY(Settings().MakeDeckShowBrowser());
        TMakeDeckForm again;
        again.Initialize(false, false);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QVERIFY(again.Browser()->isVisible());
        QCOMPARE(Child<QSplitter>(&again, "SplitterBrowser")->sizes().at(0), 333);
        test::Screenshot(&again, "designer-browser");
    }

    // An import with unknown lines asks once and takes the rest; the chart and the colour
    // figures follow the deck; the land suggestion fills the main deck to 40.
    void importChartAndLandSuggestion() {
        TMakeDeckForm form;
        form.Initialize(false, false);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        sample_->Prompter.answers = {Answer::Yes};
        QVERIFY(form.ImportListText(QString::fromLatin1(kList)));
        QCOMPARE(sample_->Prompter.Messages("confirm"),
                 (std::vector<std::string>{"2 lines were not understood or not found:\n"
                                           "3: three Quelarr Orrery - not understood\n"
                                           "6: 1 Nowhere Card - card not found\nImport the rest?"}));
        TCurveChart* chart = form.Chart();
        const std::vector<std::pair<int64_t, int64_t>> expected = {{0, 0}, {0, 2}, {0, 0}, {0, 0},
                                                                   {2, 3}, {0, 0}, {0, 0}, {0, 0}};
        for (int column = 0; column < kCurveColumns; ++column) {
            QCOMPARE(chart->Creatures(column), expected[static_cast<size_t>(column)].first);
            QCOMPARE(chart->Others(column), expected[static_cast<size_t>(column)].second);
        }
        QCOMPARE(Child<QLabel>(&form, "LabelSymbolsB")->text(), QStringLiteral("B 3.0"));
        QCOMPARE(Child<QLabel>(&form, "LabelSymbolsR")->text(), QStringLiteral("R 2.5"));
        QCOMPARE(Child<QLabel>(&form, "LabelSymbolsW")->text(), QStringLiteral("W 1.5"));
        test::Screenshot(&form, "designer-statistics");

        // Halves B 6, R 5, U 6, W 3 over 33 lands: 9.9, 8.25, 9.9, 4.95.
        QPushButton* apply = form.StatsPanel()->ApplyButton();
        QVERIFY(apply->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton);
        const TDeckZone& main = form.Designer().Zones().Main;
        QCOMPARE(main.Lands, (std::array<int32_t, 5>{10, 0, 8, 10, 5}));
        QCOMPARE(Child<QLabel>(&form, "LabelMainCount")->text(), QStringLiteral("40"));
        QVERIFY(!apply->isEnabled());  // nothing left to apply
        QCOMPARE(chart->Others(1), 2); // lands stay off the curve

        // The list written back holds what was imported.
        QVERIFY(
            form.ExportListText().startsWith(QStringLiteral("10 Island\n8 Mountain\n5 Plains\n10 Swamp\n")));
        sample_->Prompter.answers = {Answer::No};
        form.Action(QStringLiteral("AExit"))->trigger();
    }

    // "No" to the question leaves the deck as it was.
    void declinedImportChangesNothing() {
        TMakeDeckForm form;
        form.Initialize(false, false);
        form.AddLand(1);
        sample_->Prompter.answers = {Answer::No};
        QVERIFY(!form.ImportListText(QString::fromLatin1(kList)));
        QCOMPARE(Rows(form, TZone::Main), QStringList{QStringLiteral("L   Forest (1)")});
    }

    // Mulligans count down from the opening hand, draws add to the hand.
    void sampleHandMulligan() {
        TMakeDeckForm form;
        form.Initialize(false, false);
        form.SetSampleHandSeed(7);
        sample_->Prompter.answers = {Answer::Yes};
        form.ImportListText(QString::fromLatin1(kList));
        form.StatsPanel()->ApplyButton()->click();
        std::vector<int> sizes;
        WhenReady hand([] { return ActiveModal<TSampleHandForm>() != nullptr; },
                       [&sizes] {
                           auto* window = ActiveModal<TSampleHandForm>();
                           const auto closeAnyway = qScopeGuard([window] { window->reject(); });
                           sizes.push_back(window->List()->count());
                           window->Button(QStringLiteral("ButtonMulligan"))->click();
                           sizes.push_back(window->List()->count());
                           window->Button(QStringLiteral("ButtonDraw"))->click();
                           sizes.push_back(window->List()->count());
                           window->Button(QStringLiteral("ButtonMulligan"))->click();
                           sizes.push_back(window->List()->count());
                           window->List()->setCurrentRow(0);
                           test::Screenshot(window, "sample-hand");
                           window->Button(QStringLiteral("ButtonNewHand"))->click();
                           sizes.push_back(window->List()->count());
                       });
        form.Action(QStringLiteral("ASampleHand"))->trigger();
        QVERIFY(hand.Fired());
        QCOMPARE(sizes, (std::vector<int>{7, 6, 7, 5, 7}));
        sample_->Prompter.answers = {Answer::No};
        form.Action(QStringLiteral("AExit"))->trigger();
    }

    // A pool handed over as a draft's picks: the designer offers the built deck at once, the best
    // set chosen; OK fills both lists and the odds show it. Ctrl+B builds again from the same
    // pool, asking before it replaces a main deck: No keeps it, Yes takes the set chosen.
    void buildDeckFromAHandedPool() {
        LoadCardDatabase(CardDatabase(), sample_->World / "Data/base.txt", {});
        TIntegerList picks;
        for (int i = 0; i < CardDatabase().Count() && picks.Count() < 45; ++i)
            if (std::string_view(CardDatabase().Items(i).Edition) == "VR" &&
                !IsBasicLand(CardDatabase().Items(i)))
                picks.Add(i);
        WriteHandOffDeck(CardDatabase(), picks);

        QStringList offered;
        int offeredRow = -1;
        WhenReady offer([] { return ActiveModal<TBuildDeckForm>() != nullptr; },
                        [&] {
                            auto* form = ActiveModal<TBuildDeckForm>();
                            for (int row = 0; row < form->List()->topLevelItemCount(); ++row)
                                offered << form->List()->topLevelItem(row)->text(0);
                            offeredRow = form->List()->indexOfTopLevelItem(form->List()->currentItem());
                            test::Screenshot(form, "build-deck");
                            QTest::mouseClick(form->OkButton(), Qt::LeftButton);
                        });
        TBuiltDeck expected;
        int64_t mainCards = -1, sideboardCards = -1;
        QString keepable, expectedKeepable, landDrop, expectedLandDrop;
        int curveRows = -1, expectedCurveRows = -2;
        bool keptDeck = false;
        TDeckZone rebuilt;
        WhenReady design(
            [&offer] { return offer.Fired() && DesignerAfterOffer(); },
            [&] {
                auto* form = ActiveModal<TMakeDeckForm>();
                TDeckDesigner& designer = form->Designer();
                expected = BuildDeck(PoolCards(CardDatabase(), designer.Pool()));
                mainCards = designer.Stats().Main.Cards;
                sideboardCards = designer.Stats().Sideboard.Cards;
                const TDeckOdds odds = ZoneOdds(CardDatabase(), designer.Zones().Main, false);
                keepable = form->Odds()->Keepable()->text();
                expectedKeepable =
                    QStringLiteral("Keepable: ") + QString::fromStdString(PercentText(odds.Keepable));
                curveRows = form->Odds()->OnCurve()->topLevelItemCount();
                expectedCurveRows = static_cast<int>(odds.OnCurve.size());
                form->Odds()->PlayDrawSwitch()->setCurrentIndex(1);
                landDrop = form->Odds()->LandDrop(1)->text();
                expectedLandDrop = QStringLiteral("1: ") +
                                   QString::fromStdString(PercentText(
                                       ZoneOdds(CardDatabase(), designer.Zones().Main, true).LandDrops[0]));
                test::Screenshot(form, "designer-built");

                // Again, with the fourth set: asked first, since the main deck holds cards.
                auto pickFourth = [] {
                    auto* again = ActiveModal<TBuildDeckForm>();
                    again->List()->setCurrentItem(again->List()->topLevelItem(3));
                    again->accept();
                };
                const std::vector<int32_t> before = designer.Zones().Main.Entries.Raw();
                WhenReady no([] { return ActiveModal<TBuildDeckForm>() != nullptr; }, pickFourth);
                sample_->Prompter.answers = {Answer::No};
                QApplication::setActiveWindow(form); // shortcuts go to the active window
                QTest::keyClick(form, Qt::Key_B, Qt::ControlModifier);
                keptDeck = no.Fired() && designer.Zones().Main.Entries.Raw() == before;
                WhenReady yes([] { return ActiveModal<TBuildDeckForm>() != nullptr; }, pickFourth);
                sample_->Prompter.answers = {Answer::Yes};
                form->Action(QStringLiteral("ABuildDeck"))->trigger();
                rebuilt = designer.Zones().Main;
                sample_->Prompter.answers = {Answer::No};
                form->Action(QStringLiteral("AExit"))->trigger();
            });
        OpenDeckDesigner(true, false);
        QVERIFY(offer.Fired());
        QVERIFY(design.Fired());
        QCOMPARE(offered.size(), kColourSetCount);
        QCOMPARE(offeredRow, 0);
        QCOMPARE(offered.front(), QString::fromStdString(ColourSetText(expected.Colours)));
        // 23 spells and 17 lands; the rest of the 45 in the sideboard.
        QCOMPARE(mainCards, int64_t{kDeckCards} - expected.ShortBy());
        QCOMPARE(mainCards + sideboardCards, int64_t{45 + kDeckLands});
        QCOMPARE(keepable, expectedKeepable);
        QCOMPARE(curveRows, expectedCurveRows);
        QCOMPARE(landDrop, expectedLandDrop);
        QVERIFY(keptDeck); // "No" kept the deck
        // "Yes" took the fourth set: every spell of the main deck is on colour for it.
        const TColourSet fourth = *ParseColourSet(offered.at(3).toStdString());
        QVERIFY(!rebuilt.Empty());
        for (int32_t position : rebuilt.Entries) {
            const TCardItem& card = CardDatabase().Items(position);
            QVERIFY2(IsBasicLand(card) || IsOnColour(card, fourth),
                     std::string(std::string_view(card.Name)).c_str());
        }
        QCOMPARE(sample_->Prompter.Messages("confirm"),
                 (std::vector<std::string>{kReplaceWithBuiltDeckQuestion, kReplaceWithBuiltDeckQuestion,
                                           kDeckModifiedQuestion}));
    }

    // The odds follow every change of the main deck: three Forests and a red spell that needs a
    // Mountain, then the Mountain; the chance is coloured by how it reads.
    void oddsFollowTheMainDeck() {
        TMakeDeckForm form;
        form.Initialize(false, false);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (int i = 0; i < 3; ++i)
            form.AddLand(1);
        QCOMPARE(form.Odds()->Keepable()->text(), QStringLiteral("Keepable: 100.0%"));
        QCOMPARE(form.Odds()->OnCurve()->topLevelItemCount(), 0);
        form.AddCard(CardDatabase().IndexOfName("Kessul Ambush"), false); // XR
        QTreeWidget* curve = form.Odds()->OnCurve();
        QCOMPARE(curve->topLevelItemCount(), 1);
        QCOMPARE(curve->topLevelItem(0)->text(1), QStringLiteral("0.0%"));
        QCOMPARE(curve->topLevelItem(0)->text(3), QStringLiteral("Kessul Ambush"));
        QCOMPARE(curve->topLevelItem(0)->foreground(1).color(), QColor(200, 0, 0));
        form.AddLand(2);
        QCOMPARE(curve->topLevelItem(0)->text(1), QStringLiteral("100.0%"));
        QCOMPARE(curve->topLevelItem(0)->text(2), QStringLiteral("100.0%"));
        QCOMPARE(curve->topLevelItem(0)->foreground(1).color(), QColor(0, 128, 0));
        QCOMPARE(form.Odds()->LandDrop(5)->text(), QStringLiteral("5: 0.0%"));
        sample_->Prompter.answers = {Answer::No};
        form.Action(QStringLiteral("AExit"))->trigger();
    }

private:
    std::unique_ptr<test::SampleCase> sample_;
};

TOVEL_WINDOW_TEST_MAIN(TestDeckBuilder)

#include "tst_deckbuilder.moc"
