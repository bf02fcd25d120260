#include "shell/Main.h"
#include "shell/ToolbarPlaces.h"
#include "tests/support/WindowFixture.h"
#include "widgets/ChildForm.h"
#include "widgets/Dockbar.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QtTest>

// Where the main window's toolbars float when they have no place of their
// own. Run on a 1280 x 1024 screen (CTest gives the offscreen platform one).
class TestToolbarPlaces final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rightEdgePlace_data();
    void rightEdgePlace();
    void firstStartFloatsClearOfTheChildWindows();
    void rememberedPlaceIsKept();
};

void TestToolbarPlaces::initTestCase()
{
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1280, 1024));
}

void TestToolbarPlaces::rightEdgePlace_data()
{
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("above");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("first") << QRect(0, 0, 1280, 1024) << 40 << 0 << QSize(120, 200) << QPoint(1160, 48);
    QTest::newRow("second") << QRect(0, 0, 1280, 1024) << 40 << 208 << QSize(120, 150) << QPoint(1160, 256);
    QTest::newRow("work area beside a panel") << QRect(100, 30, 800, 600) << 60 << 0 << QSize(100, 90)
                                              << QPoint(800, 68);
    QTest::newRow("kept above the bottom") << QRect(0, 0, 800, 600) << 40 << 500 << QSize(120, 200)
                                           << QPoint(680, 400);
    QTest::newRow("wider than the work area") << QRect(0, 0, 100, 600) << 0 << 0 << QSize(120, 50)
                                              << QPoint(0, 8);
}

void TestToolbarPlaces::rightEdgePlace()
{
    QFETCH(QRect, workArea);
    QFETCH(int, top);
    QFETCH(int, above);
    QFETCH(QSize, size);
    QFETCH(QPoint, place);
    QCOMPARE(RightEdgePlace(workArea, top, above, size), place);
}

void TestToolbarPlaces::firstStartFloatsClearOfTheChildWindows()
{
    WindowFixture program;
    TMainForm &main = program.main();
    main.move(0, 0);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QRect screen = main.screen()->availableGeometry();
    QList<QRect> bars;
    for (const char *name : {"ToolBar", "ToolBarMisc"}) {
        auto *bar = main.findChild<TDocPanel *>(QString::fromLatin1(name));
        // Still floating, as designed.
        QVERIFY2(!bar->Docked() && bar->floatingWindow()->isVisible(), name);
        const QRect frame = bar->floatingWindow()->frameGeometry();
        QVERIFY2(screen.contains(frame), name);
        QCOMPARE(frame.right(), screen.right());
        bars << frame;
    }
    // One under the other, below the top of the window area.
    QVERIFY(bars[0].top() > main.mdiArea()->mapToGlobal(QPoint(0, 0)).y());
    QVERIFY(bars[1].top() > bars[0].bottom());

    // The windows a new user opens first: none lies under a toolbar.
    for (ChildKind kind : {ChildKind::DivePlan, ChildKind::ProfileViewer, ChildKind::Notepad, ChildKind::Blending}) {
        TChildForm *child = main.openChild(kind);
        QVERIFY(child);
        const QRect window = main.windowFrame(*child).translated(main.mdiArea()->viewport()->mapToGlobal(QPoint(0, 0)));
        for (const QRect &bar : bars)
            QVERIFY2(!window.intersects(bar),
                     qPrintable(QStringLiteral("%1 under a toolbar").arg(child->windowTitle())));
    }
}

void TestToolbarPlaces::rememberedPlaceIsKept()
{
    WindowFixture program("[ToolBar]\nDocked=0\nFTop=300\nFLeft=200\n");
    TMainForm &main = program.main();
    main.move(0, 0);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    auto *bar = main.findChild<TDocPanel *>(QStringLiteral("ToolBar"));
    QVERIFY(!bar->Docked());
    QCOMPARE(bar->floatingWindow()->pos(), QPoint(200, 300));
    // The other one, without a place of its own, goes under the first one's slot at the right edge.
    const QRect misc = main.findChild<TDocPanel *>(QStringLiteral("ToolBarMisc"))->floatingWindow()->frameGeometry();
    QCOMPARE(misc.right(), main.screen()->availableGeometry().right());
    // Moved by the user while it floats, it stays where it was put when the window shows again.
    bar->floatingWindow()->move(400, 500);
    main.hide();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QCOMPARE(bar->floatingWindow()->pos(), QPoint(400, 500));
}

QTEST_MAIN(TestToolbarPlaces)
#include "tst_toolbarplaces.moc"
