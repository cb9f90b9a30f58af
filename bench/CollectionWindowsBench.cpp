// The collection windows on a real-size database, offscreen: opening the base viewer (load and
// list), a search keystroke, a re-sort by each column, a filter change, a query keystroke, the
// inventory window's opening, and one pick in the draft window.
// Run on a world made by `tovel-worldgen --large N DIR`, with TOVEL_HOME=DIR, e.g.
//   QT_QPA_PLATFORM=offscreen TOVEL_HOME=/tmp/large/ tovel_windows_bench -median 9

#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardsDB.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/infra/Prompts.h"
#include "core/limited/DraftEngine.h"
#include "core/settings/Settings.h"
#include "ui/app/Startup.h"
#include "ui/app/TovelApplication.h"
#include "ui/collection/CardQueryBar.h"
#include "ui/collection/CardsFrame.h"
#include "ui/collection/InventoryForm.h"
#include "ui/collection/ViewBaseForm.h"
#include "ui/decks/CardListView.h"
#include "ui/limited/DraftMainForm.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace tovel;

class BenchCollectionWindows final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!qEnvironmentVariableIsSet("TOVEL_HOME"))
            QSKIP("set TOVEL_HOME to a folder holding a large generated world");
        session_ = std::make_unique<ProgramSession>(QCoreApplication::applicationFilePath().toStdString());
        Settings().SetEditionsFilter("");
    }
    void cleanupTestCase() { session_.reset(); }

    void openBaseViewer() {
        QBENCHMARK {
            TViewBaseForm form;
            form.Setup();
            form.show();
            QCoreApplication::processEvents();
        }
        QVERIFY(CardDatabase().Count() > 50000);
    }

    void searchKeystroke() {
        TViewBaseForm form;
        form.Setup();
        form.show();
        QLineEdit* search = form.CardsFrameBase()->EditSearch();
        const QStringList prefixes = {"s", "st", "sto", "t", "th", "m", "mo", "z", "a", "ab"};
        int i = 0;
        QBENCHMARK {
            search->setText(prefixes[i++ % prefixes.size()]);
            QCoreApplication::processEvents();
        }
    }

    // A click on a column header, from the edition column to the given one: the median of the
    // clicks alone (a QBENCHMARK loop would time the click back to the edition column too).
    void resort_data() {
        QTest::addColumn<int>("column");
        for (int column :
             {kColumnName, kColumnCost, kColumnType, kColumnRarity, kColumnPowerToughness, kColumnValue})
            QTest::newRow(TCardsFrameModel::ColumnCaption(column)) << column;
    }
    void resort() {
        QFETCH(int, column);
        TViewBaseForm form;
        TCardsFrame* frame = OpenWithCardColumns(form);
        std::vector<qint64> clicks;
        for (int i = 0; i < 9; ++i) {
            frame->SetSortColumn(kColumnEdition);
            QCoreApplication::processEvents();
            clicks.push_back(TimedSort(frame, column));
        }
        QTest::setBenchmarkResult(Median(clicks), QTest::WalltimeMilliseconds);
    }

    // The first click on a column header after the window opened, the median of five openings:
    // of what the list keeps for later sorts, it has only what its opening made.
    void resortFirst_data() { resort_data(); }
    void resortFirst() {
        QFETCH(int, column);
        std::vector<qint64> clicks;
        for (int i = 0; i < 5; ++i) {
            TViewBaseForm form;
            clicks.push_back(TimedSort(OpenWithCardColumns(form), column));
        }
        QTest::setBenchmarkResult(Median(clicks), QTest::WalltimeMilliseconds);
    }

    void filterChange() {
        TViewBaseForm form;
        form.Setup();
        form.show();
        TCardsFrame* frame = form.CardsFrameBase();
        const TCardFilter filters[] = {{"", false}, {"LB;LC;LD;", true}, {"LB;LF;", false}};
        int i = 0;
        QBENCHMARK {
            frame->SetFilter(filters[i++ % 3]);
            frame->Rebuild();
            QCoreApplication::processEvents();
        }
    }

    // A query applied as the pause after a keystroke ends.
    void queryKeystroke() {
        TViewBaseForm form;
        form.Setup();
        form.show();
        TCardQueryBar* bar = form.QueryBar();
        const QStringList queries = {"t:creature", "t:creature c:g", "t:creature c:g o:draw",
                                     "dra",        "o:draw",         ""};
        int i = 0;
        QBENCHMARK {
            bar->Edit()->setText(queries[i++ % queries.size()]);
            bar->Apply();
            do
                QCoreApplication::processEvents();
            while (bar->Searching());
        }
        bar->Edit()->clear();
        bar->Apply();
    }

    void openInventory() {
        QBENCHMARK {
            TInventoryForm form;
            form.Setup();
            form.show();
            QCoreApplication::processEvents();
            form.hide();
        }
    }

    // The user's pick and the seven drafters', the lists refreshed: the median of the picks of
    // three whole drafts (a QBENCHMARK loop could not leave out starting the drafts).
    void draftPick() {
        NonInteractivePrompter prompter(nullptr, nullptr);
        ScopedPrompter scoped(prompter);
        TDraftEngine::LoadTableData();
        // The packs' editions come from the whole database, whatever ran before.
        LoadCardDatabase(CardDatabase(), ProgramPath(kCardDatabaseFile), "");
        TDraftMainForm form; // not shown: its first showing asks for the configuration
        auto* list = form.findChild<TCardListView*>(QStringLiteral("ListView"));
        QVERIFY(list);
        std::vector<qint64> picks;
        for (int draft = 0; draft < 3; ++draft) {
            const TCardsList& cards = CardDatabase();
            std::string editions;
            for (int i = 0; i < 3; ++i)
                editions += std::string(cards.Items(cards.Count() / 4 * (i + 1)).Edition) + ";";
            QVERIFY(form.Engine().StartDraft(editions, 40));
            while (form.Engine().State() == TDraftState::Picking ||
                   form.Engine().State() == TDraftState::BetweenTurns) {
                const bool picking = form.Engine().State() == TDraftState::Picking;
                list->SelectRow(0);
                QElapsedTimer clock;
                clock.start();
                form.ListViewDblClick();
                QCoreApplication::processEvents();
                if (picking)
                    picks.push_back(clock.nsecsElapsed());
            }
        }
        QVERIFY(picks.size() >= 3 * 45);
        QTest::setBenchmarkResult(Median(picks), QTest::WalltimeMilliseconds);
    }

private:
    // Shows the base viewer with every card column, settled.
    static TCardsFrame* OpenWithCardColumns(TViewBaseForm& form) {
        form.Setup();
        form.show();
        TCardsFrame* frame = form.CardsFrameBase();
        frame->SetCardColumns({kColumnCost, kColumnType, kColumnRarity, kColumnPowerToughness, kColumnValue});
        QCoreApplication::processEvents();
        return frame;
    }

    // One click on a column header and its repaint, in nanoseconds.
    static qint64 TimedSort(TCardsFrame* frame, int column) {
        QElapsedTimer clock;
        clock.start();
        frame->SetSortColumn(column);
        QCoreApplication::processEvents();
        return clock.nsecsElapsed();
    }

    // The median of times in nanoseconds, in milliseconds.
    static qreal Median(std::vector<qint64> times) {
        std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2),
                         times.end());
        return static_cast<qreal>(times[times.size() / 2]) / 1e6;
    }

    std::unique_ptr<ProgramSession> session_;
};

int main(int argc, char** argv) {
    TovelApplication app(argc, argv);
    BenchCollectionWindows bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "CollectionWindowsBench.moc"
