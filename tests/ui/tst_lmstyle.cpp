#include "support/WindowTests.h"
#include "ui/style/LmActnCtrls.h"
#include "ui/style/LmCoolBar.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QtTest>

using namespace tovel;

class TestLmStyle final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterLmStyle(); }
    void cleanupTestCase() { UnregisterLmStyle(); }

    // Registered once under its name; a second registration of the name changes nothing.
    void registration() {
        QStyle* style = ActionBarStyle(QStringLiteral("Lm Style"));
        QVERIFY(qobject_cast<TLmStyle*>(style));
        QVERIFY(!RegisterActionBarStyle(QStringLiteral("Lm Style"), [] { return nullptr; }));
        QCOMPARE(ActionBarStyle(QStringLiteral("Lm Style")), style);
        QVERIFY(!ActionBarStyle(QStringLiteral("No Such Style")));
    }

    // A pop-up item: the left band runs from white into the band colour, the rest is the menu
    // colour; a selected item is filled whole with the selection colour.
    void popupMenuBand() {
        TLmActionMainMenuBar bar;
        QMenu* menu = bar.AddMenu(QStringLiteral("&File"));
        menu->addAction(QStringLiteral("&Open"));
        menu->addAction(QStringLiteral("&Save"));
        auto* style = qobject_cast<TLmStyle*>(menu->style());
        QVERIFY(style);
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QImage image = menu->grab().toImage();
        const QRect item = menu->actionGeometry(menu->actions().at(0));
        const int y = item.center().y();
        QCOMPARE(image.pixelColor(item.left(), y), QColor(255, 255, 255));
        const TRgb end = MenuBandEndColor(style->Colors().Color);
        const TRgb last = MenuBandColumns(end).back();
        QCOMPARE(image.pixelColor(item.left() + kMenuBandWidth - 1, y), QColor(last.r, last.g, last.b));
        const TRgb menuColor = style->Colors().MenuColor;
        QCOMPARE(image.pixelColor(item.right() - 3, y), QColor(menuColor.r, menuColor.g, menuColor.b));

        menu->setActiveAction(menu->actions().at(1));
        const QImage selected = menu->grab().toImage();
        const QRect second = menu->actionGeometry(menu->actions().at(1));
        QCOMPARE(selected.pixelColor(second.left() + 3, second.center().y()), QColor(198, 211, 239));
        QCOMPARE(selected.pixelColor(second.left(), second.center().y()), QColor(49, 105, 198));
        menu->hide();
    }

    // AutoHide off: the bar keeps its full height after the mouse leaves. AutoHide on: after
    // the hide interval it shrinks to MinimizedHeight; entering shows it again after the show
    // interval.
    void coolBarTimers() {
        QWidget window;
        window.resize(300, 200);
        auto* cool = new TLmCoolBar(&window);
        QCOMPARE(cool->HideTimerInterval(), 600);
        QCOMPARE(cool->ShowTimerInterval(), 300);
        QCOMPARE(cool->MinimizedHeight(), 13);
        QVERIFY(!cool->AutoHide());
        auto* bar = new TLmActionMainMenuBar;
        bar->AddMenu(QStringLiteral("&Deck"));
        cool->AddBand(bar);
        cool->AddBand(new TLmActionToolBar);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const int full = cool->height();
        QVERIFY(full > 13);
        QVERIFY(cool->Minimized());

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QEvent leave(QEvent::Leave);
        cool->SetShowTimerInterval(10);
        cool->SetHideTimerInterval(0); // a pending hide runs on the event loop's next pass
        QApplication::sendEvent(cool, &enter);
        QTRY_VERIFY(!cool->Minimized());
        QApplication::sendEvent(cool, &leave);
        QVERIFY(cool->Minimized());
        QCoreApplication::processEvents();
        QCOMPARE(cool->height(), full);

        cool->SetAutoHide(true);
        QApplication::sendEvent(cool, &enter);
        QTRY_VERIFY(!cool->Minimized());
        QApplication::sendEvent(cool, &leave);
        QCoreApplication::processEvents(); // the same pass shrinks it with AutoHide on
        QCOMPARE(cool->height(), 13);
        QApplication::sendEvent(cool, &enter);
        QTRY_COMPARE(cool->height(), full);
        // Whenever it changes state it spans its parent from the left edge.
        QCOMPARE(cool->x(), 0);
        QCOMPARE(cool->width(), window.contentsRect().width());
    }

    // A menu bar that receives its menus after joining the bar (as the collection windows
    // build theirs) must not be squeezed into its overflow button: the bar grows with it.
    void coolBarFollowsBandsFilledLater() {
        QWidget window;
        window.resize(300, 200);
        auto* cool = new TLmCoolBar(&window);
        auto* bar = new QMenuBar;
        cool->AddBand(bar);
        auto* tools = new QToolBar;
        cool->AddBand(tools);
        bar->addMenu(QStringLiteral("&Base"));
        tools->addAction(QStringLiteral("Exit"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(cool->height(), cool->BandsHeight());
        QVERIFY(bar->height() >= bar->sizeHint().height());
        QVERIFY(tools->height() >= tools->sizeHint().height());
    }
};

TOVEL_WINDOW_TEST_MAIN(TestLmStyle)

#include "tst_lmstyle.moc"
