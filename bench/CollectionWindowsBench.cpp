// The collection windows on a real-size database, offscreen: opening the base viewer (load and
// list), a search keystroke, a re-sort, a filter change, and the inventory window's opening.
// Run on a world made by `tovel-worldgen --large N DIR`, with TOVEL_HOME=DIR, e.g.
//   QT_QPA_PLATFORM=offscreen TOVEL_HOME=/tmp/large/ tovel_windows_bench -median 9

#include "core/carddb/CardsDB.h"
#include "core/settings/Settings.h"
#include "ui/app/Startup.h"
#include "ui/app/TovelApplication.h"
#include "ui/collection/CardsFrame.h"
#include "ui/collection/InventoryForm.h"
#include "ui/collection/ViewBaseForm.h"

#include <QLineEdit>
#include <QTableView>
#include <QtTest>

#include <memory>

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

    void resort() {
        TViewBaseForm form;
        form.Setup();
        form.show();
        int column = 0;
        QBENCHMARK {
            column = 1 - column;
            form.CardsFrameBase()->SetSortColumn(column);
            QCoreApplication::processEvents();
        }
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

    void openInventory() {
        QBENCHMARK {
            TInventoryForm form;
            form.Setup();
            form.show();
            QCoreApplication::processEvents();
            form.hide();
        }
    }

private:
    std::unique_ptr<ProgramSession> session_;
};

int main(int argc, char** argv) {
    TovelApplication app(argc, argv);
    BenchCollectionWindows bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "CollectionWindowsBench.moc"
