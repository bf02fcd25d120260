// The dockable toolbar: double-click and drag between docked and floating,
// the dock test and its band, the close box, the stored state and when it is
// read, wrapping into rows, and the properties that need a docked panel.

#include "core/IniFile.h"
#include "widgets/DockGeometry.h"
#include "widgets/DockLayout.h"
#include "widgets/Dockbar.h"

#include <QAction>
#include <QRubberBand>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

Q_DECLARE_METATYPE(TDocPanel::TAlign)
Q_DECLARE_METATYPE(TDocPanel::TDockingSides)

namespace {

using Sides = TDocPanel::TDockingSides;
const Sides TopBottom = Sides(TDocPanel::dsTop) | TDocPanel::dsBottom;
const Sides AllSides = TopBottom | TDocPanel::dsLeft | TDocPanel::dsRight;

// A window whose client area holds an editor and one toolbar of six buttons.
struct Host
{
    explicit Host(const QString &iniFile = {}, const std::function<void(TDocPanel *)> &design = {})
    {
        window->setObjectName(QStringLiteral("Host"));
        window->setGeometry(200, 150, 600, 400);
        auto *layout = new DockLayout(window.get());
        auto *editor = new QTextEdit(window.get());
        layout->setClient(editor);
        panel = new TDocPanel(window.get());
        panel->setObjectName(QStringLiteral("Panel1"));
        panel->setTitle(QStringLiteral("Tools"));
        for (const char *caption : {"One", "Two", "Three", "Four", "Five", "Six"})
            panel->addAction(QString::fromLatin1(caption))->setObjectName(QStringLiteral("btn") + caption);
        panel->setToolButtonStyle(Qt::ToolButtonTextOnly);
        panel->setIniFile(iniFile);
        if (design)
            design(panel);
        panel->Loaded();
    }

    bool show()
    {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }

    QRect client() const { return QRect(window->mapToGlobal(QPoint(0, 0)), window->size()); }
    TDocForm *form() const { return panel->floatingWindow(); }
    QToolButton *button(const char *name) const
    {
        return panel->buttonFor(panel->findChild<QAction *>(QString::fromLatin1(name)));
    }
    QWidget *titleBar() const { return form()->findChild<QWidget *>(QStringLiteral("TitleBar")); }

    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    TDocPanel *panel = nullptr;
};

QRubberBand *dragOutline()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == u"DragOutline" && w->isVisible())
            return qobject_cast<QRubberBand *>(w);
    return nullptr;
}

// Presses on the panel's grip, so the mouse sits (2, 2) into the outline.
constexpr QPoint Grip(2, 2);

void moveTo(QWidget *widget, const QPoint &global) { QTest::mouseMove(widget, widget->mapFromGlobal(global)); }

// Calls `painted` on each paint of any widget in `window`.
class PaintWatcher final : public QObject
{
public:
    PaintWatcher(QWidget *window, std::function<void()> painted) : m_window(window), m_painted(std::move(painted))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == m_window)
            m_painted();
        return false;
    }

private:
    QWidget *m_window;
    std::function<void()> m_painted;
};

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestDockbar final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString iniFile(const QString &name = QStringLiteral("dock.ini")) const { return m_dir.filePath(name); }

private slots:
    void newPanelHasItsDesignValues_data();
    void newPanelHasItsDesignValues();
    void dockTestTriesSidesInOrder_data();
    void dockTestTriesSidesInOrder();
    void buttonsWrapIntoRows_data();
    void buttonsWrapIntoRows();
    void doubleClickFloatsAndTitleDocks_data();
    void doubleClickFloatsAndTitleDocks();
    void dragDocksOrFloats_data();
    void dragDocksOrFloats();
    void movingFloatingWindowIntoBandDocks_data();
    void movingFloatingWindowIntoBandDocks();
    void closeBoxHidesUntilVisible();
    void floatingWindowFollowsTheHostsFirstFrame_data();
    void floatingWindowFollowsTheHostsFirstFrame();
    void floatDockFloatKeepsPlaceOverRestart();
    void stateIsReadOnlyWhenFileIsSetBeforeLoading_data();
    void stateIsReadOnlyWhenFileIsSetBeforeLoading();
    void floatingStateIsWrittenAsRemembered();
    void maxWidthFollowsTheWindowWhenNotRestored();
    void dockedWrappingFollowsTheWidth();
    void sidesNeedADockedPanel();
    void alignIsIgnoredWhileFloating();
    void hiddenPanelGivesItsPlaceToTheClient();
    void registryKeyAndIniFileExcludeEachOther();
};

void TestDockbar::newPanelHasItsDesignValues_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("Docked") << "Docked" << QVariant(true);
    QTest::newRow("Visible") << "Visible" << QVariant(true);
    QTest::newRow("Align") << "Align" << QVariant::fromValue(TDocPanel::alTop);
    QTest::newRow("DockingSides") << "DockingSides" << QVariant::fromValue(TopBottom);
    QTest::newRow("DockingMethod") << "DockingMethod" << QVariant::fromValue(TDocPanel::dmDblClick);
    QTest::newRow("Threshhold") << "Threshhold" << QVariant(5);
    QTest::newRow("Arrangement") << "Arrangement" << QVariant::fromValue(TDocPanel::amAuto);
    QTest::newRow("MaxWidth") << "MaxWidth" << QVariant(-1);
    QTest::newRow("MaxWidthRestore") << "MaxWidthRestore" << QVariant(true);
    QTest::newRow("AutoHide") << "AutoHide" << QVariant(true);
    QTest::newRow("FloatBorder") << "FloatBorder" << QVariant::fromValue(TDocPanel::fbSingle);
    QTest::newRow("StayOnTop") << "StayOnTop" << QVariant(true);
    QTest::newRow("NotificationCursor") << "NotificationCursor" << QVariant(true);
    QTest::newRow("IniFile") << "IniFile" << QVariant(QString());
    QTest::newRow("RegistryKey") << "RegistryKey" << QVariant(QString());
}

void TestDockbar::newPanelHasItsDesignValues()
{
    QFETCH(QString, property);
    QFETCH(QVariant, expected);
    QWidget window;
    TDocPanel panel(&window);
    QCOMPARE(panel.property(property.toLatin1()), expected);
}

void TestDockbar::dockTestTriesSidesInOrder_data()
{
    QTest::addColumn<QRect>("outline");
    QTest::addColumn<int>("band");
    QTest::addColumn<Sides>("sides");
    QTest::addColumn<TDocPanel::TAlign>("side");
    // The client area runs from (100, 100) to (499, 399).
    QTest::newRow("4 below top, band 5") << QRect(200, 104, 80, 30) << 5 << TopBottom << TDocPanel::alTop;
    QTest::newRow("4 below top, band 2") << QRect(200, 104, 80, 30) << 2 << TopBottom << TDocPanel::alNone;
    QTest::newRow("spans the top edge") << QRect(200, 80, 80, 40) << 2 << TopBottom << TDocPanel::alTop;
    QTest::newRow("above the band") << QRect(200, 60, 80, 30) << 5 << TopBottom << TDocPanel::alNone;
    QTest::newRow("top sticks out right") << QRect(450, 102, 80, 30) << 5 << TopBottom << TDocPanel::alTop;
    QTest::newRow("beside the client area") << QRect(520, 102, 80, 30) << 5 << AllSides << TDocPanel::alNone;
    QTest::newRow("bottom edge") << QRect(200, 380, 80, 30) << 5 << TopBottom << TDocPanel::alBottom;
    QTest::newRow("left edge, top and bottom only") << QRect(98, 200, 80, 30) << 5 << TopBottom << TDocPanel::alNone;
    QTest::newRow("left edge, all sides") << QRect(98, 200, 80, 30) << 5 << AllSides << TDocPanel::alLeft;
    QTest::newRow("right edge") << QRect(460, 200, 80, 30) << 5 << AllSides << TDocPanel::alRight;
    QTest::newRow("top left corner: top first") << QRect(98, 98, 80, 30) << 5 << AllSides << TDocPanel::alTop;
    QTest::newRow("top left corner, no top") << QRect(98, 98, 80, 30) << 5
                                             << (Sides(TDocPanel::dsLeft) | TDocPanel::dsBottom) << TDocPanel::alLeft;
    QTest::newRow("no sides") << QRect(200, 104, 80, 30) << 5 << Sides() << TDocPanel::alNone;
    QTest::newRow("in the middle") << QRect(200, 200, 80, 30) << 5 << AllSides << TDocPanel::alNone;
}

void TestDockbar::dockTestTriesSidesInOrder()
{
    QFETCH(QRect, outline);
    QFETCH(int, band);
    QFETCH(Sides, sides);
    QFETCH(TDocPanel::TAlign, side);
    QCOMPARE(DockTest(outline, QRect(100, 100, 400, 300), band, sides), side);
}

void TestDockbar::buttonsWrapIntoRows_data()
{
    QTest::addColumn<Qt::Orientation>("along");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<QList<QPoint>>("places");
    QTest::addColumn<int>("thickness");
    // Buttons 40, 30, 50 and 20 wide; the second one is the tallest (24).
    QTest::newRow("one row when it fits") << Qt::Horizontal << 200 << true
                                          << QList<QPoint>{{0, 0}, {41, 0}, {72, 0}, {123, 0}} << 24;
    QTest::newRow("third starts a row") << Qt::Horizontal << 100 << true
                                        << QList<QPoint>{{0, 0}, {41, 0}, {0, 25}, {51, 25}} << 49;
    QTest::newRow("exactly full rows") << Qt::Horizontal << 71 << true
                                       << QList<QPoint>{{0, 0}, {41, 0}, {0, 25}, {51, 25}} << 49;
    QTest::newRow("one short of full") << Qt::Horizontal << 70 << true
                                       << QList<QPoint>{{0, 0}, {0, 25}, {0, 50}, {0, 75}} << 99;
    QTest::newRow("wider than the bar alone") << Qt::Horizontal << 10 << true
                                              << QList<QPoint>{{0, 0}, {0, 25}, {0, 50}, {0, 75}} << 99;
    QTest::newRow("no wrapping") << Qt::Horizontal << 50 << false
                                 << QList<QPoint>{{0, 0}, {41, 0}, {72, 0}, {123, 0}} << 24;
    QTest::newRow("columns down a side") << Qt::Vertical << 60 << true
                                         << QList<QPoint>{{0, 0}, {0, 21}, {51, 0}, {51, 21}} << 101;
}

void TestDockbar::buttonsWrapIntoRows()
{
    QFETCH(Qt::Orientation, along);
    QFETCH(int, length);
    QFETCH(bool, wrap);
    QFETCH(QList<QPoint>, places);
    QFETCH(int, thickness);
    const QList<QSize> sizes{{40, 20}, {30, 24}, {50, 20}, {20, 20}};
    const ButtonFlow flow = FlowButtons(sizes, along, length, wrap, 1);
    QCOMPARE(flow.places, places);
    QCOMPARE(flow.thickness, thickness);
}

void TestDockbar::doubleClickFloatsAndTitleDocks_data()
{
    QTest::addColumn<TDocPanel::TDockingMethod>("method");
    QTest::addColumn<bool>("switches");
    QTest::newRow("dmDblClick") << TDocPanel::dmDblClick << true;
    QTest::newRow("dmBoth") << TDocPanel::dmBoth << true;
    QTest::newRow("dmDrag") << TDocPanel::dmDrag << false;
    QTest::newRow("dmNone") << TDocPanel::dmNone << false;
}

void TestDockbar::doubleClickFloatsAndTitleDocks()
{
    QFETCH(TDocPanel::TDockingMethod, method);
    QFETCH(bool, switches);
    Host host({}, [&](TDocPanel *panel) { panel->setDockingMethod(method); });
    QVERIFY(host.show());
    QSignalSpy dockChanged(host.panel, &TDocPanel::OnDockChanged);
    const QPoint wasAt = host.panel->mapToGlobal(QPoint(0, 0));

    QTest::mouseDClick(host.panel, Qt::LeftButton, {}, Grip);
    QCOMPARE(host.panel->Docked(), !switches);
    if (!switches) {
        QCOMPARE(dockChanged.count(), 0);
        return;
    }
    QCOMPARE(dockChanged.count(), 1);
    QCOMPARE(dockChanged.at(0).at(0).value<TDocPanel *>(), host.panel);
    QVERIFY(host.form()->isVisible());
    QCOMPARE(host.panel->parentWidget(), host.form());
    // The window takes the place the toolbar had, and stays there although
    // that place is in the top dock band.
    QCOMPARE(host.form()->pos(), wasAt);

    QTest::mouseDClick(host.titleBar(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(host.panel->Docked());
    QCOMPARE(dockChanged.count(), 2);
    QVERIFY(!host.form()->isVisible());
    QCOMPARE(host.panel->parentWidget(), host.window.get());
    QCOMPARE(host.panel->geometry().topLeft(), QPoint(0, 0));
    QCOMPARE(host.panel->width(), host.window->width());
}

void TestDockbar::dragDocksOrFloats_data()
{
    QTest::addColumn<int>("threshhold");
    QTest::addColumn<Sides>("sides");
    QTest::addColumn<QPoint>("outlineFromClient");  // where the outline ends, from the client's top left
    QTest::addColumn<TDocPanel::TAlign>("side");     // alNone: floats
    QTest::newRow("4 below the top, Threshhold 5") << 5 << TopBottom << QPoint(100, 4) << TDocPanel::alTop;
    QTest::newRow("4 below the top, Threshhold 2") << 2 << TopBottom << QPoint(100, 4) << TDocPanel::alNone;
    QTest::newRow("left edge, top and bottom") << 5 << TopBottom << QPoint(-2, 150) << TDocPanel::alNone;
    QTest::newRow("left edge, all sides") << 5 << AllSides << QPoint(-2, 150) << TDocPanel::alLeft;
}

void TestDockbar::dragDocksOrFloats()
{
    QFETCH(int, threshhold);
    QFETCH(Sides, sides);
    QFETCH(QPoint, outlineFromClient);
    QFETCH(TDocPanel::TAlign, side);
    Host host({}, [&](TDocPanel *panel) {
        panel->setAlign(TDocPanel::alBottom);
        panel->setDockingMethod(TDocPanel::dmDrag);
        panel->setDockingSides(sides);
        panel->setThreshhold(threshhold);
    });
    QVERIFY(host.show());
    const QPoint target = host.client().topLeft() + outlineFromClient + Grip;

    QTest::mousePress(host.panel, Qt::LeftButton, {}, Grip);
    moveTo(host.panel, host.panel->mapToGlobal(Grip) + QPoint(0, -20));
    moveTo(host.panel, target);
    QRubberBand *outline = dragOutline();
    QVERIFY(outline);
    if (side == TDocPanel::alNone) {
        QCOMPARE(outline->geometry().topLeft(), target - Grip);
        QCOMPARE(host.panel->cursor().shape(), Qt::DragMoveCursor);
    } else {
        // Full length along the side it would dock to.
        const QRect client = host.client();
        QCOMPARE(outline->geometry().topLeft(), client.topLeft());
        if (side == TDocPanel::alTop)
            QCOMPARE(outline->width(), client.width());
        else
            QCOMPARE(outline->height(), client.height());
        QCOMPARE(host.panel->cursor().shape(), side == TDocPanel::alTop ? Qt::SizeVerCursor : Qt::SizeHorCursor);
    }
    QTest::mouseRelease(host.panel, Qt::LeftButton, {}, host.panel->mapFromGlobal(target));

    QVERIFY(!dragOutline());
    QCOMPARE(host.panel->Docked(), side != TDocPanel::alNone);
    if (side == TDocPanel::alNone) {
        QVERIFY(host.form()->isVisible());
        QCOMPARE(host.form()->pos(), target - Grip);
        QCOMPARE(host.panel->Align(), TDocPanel::alBottom);
    } else {
        QCOMPARE(host.panel->Align(), side);
        QCOMPARE(host.panel->geometry().topLeft(), QPoint(0, 0));
    }
}

void TestDockbar::movingFloatingWindowIntoBandDocks_data()
{
    QTest::addColumn<TDocPanel::TDockingMethod>("method");
    QTest::addColumn<bool>("docks");
    QTest::newRow("dmBoth") << TDocPanel::dmBoth << true;
    QTest::newRow("dmDblClick") << TDocPanel::dmDblClick << false;
}

void TestDockbar::movingFloatingWindowIntoBandDocks()
{
    QFETCH(TDocPanel::TDockingMethod, method);
    QFETCH(bool, docks);
    Host host({}, [&](TDocPanel *panel) { panel->setDockingMethod(method); });
    QVERIFY(host.show());
    host.panel->setDocked(false);
    const QRect client = host.client();
    host.form()->move(client.left() + 100, client.top() + 100);
    QTRY_COMPARE(host.form()->pos(), QPoint(client.left() + 100, client.top() + 100));
    QVERIFY(!host.panel->Docked());

    // Dragged by the title bar down into the bottom band.
    QTest::mousePress(host.titleBar(), Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint grab = host.titleBar()->mapToGlobal(QPoint(5, 5));
    const QPoint into = QPoint(grab.x(), client.bottom() - host.form()->height() + 3 + (grab.y() - host.form()->y()));
    moveTo(host.titleBar(), into);
    QTest::mouseRelease(host.titleBar(), Qt::LeftButton, {}, host.titleBar()->mapFromGlobal(into));
    QTRY_COMPARE(host.panel->Docked(), docks);
    if (docks)
        QCOMPARE(host.panel->Align(), TDocPanel::alBottom);
}

void TestDockbar::closeBoxHidesUntilVisible()
{
    Host host;
    QVERIFY(host.show());
    host.panel->setDocked(false);
    const QPoint place = host.client().topLeft() + QPoint(150, 120);
    host.form()->move(place);
    QSignalSpy visibleChanged(host.panel, &TDocPanel::OnVisibleChanged);

    QTest::mouseClick(host.form()->findChild<QToolButton *>(QStringLiteral("CloseBox")), Qt::LeftButton);
    QVERIFY(!host.panel->Visible());
    QVERIFY(!host.form()->isVisible());
    QVERIFY(!host.panel->Docked());
    QCOMPARE(visibleChanged.count(), 1);

    host.panel->setVisible(true);
    QVERIFY(host.form()->isVisible());
    QCOMPARE(host.form()->pos(), place);
    QCOMPARE(visibleChanged.count(), 2);
}

void TestDockbar::floatingWindowFollowsTheHostsFirstFrame_data()
{
    QTest::addColumn<bool>("hiddenBeforeFirstFrame");
    QTest::newRow("host stays shown") << false;
    QTest::newRow("host hidden before its first frame") << true;
}

void TestDockbar::floatingWindowFollowsTheHostsFirstFrame()
{
    QFETCH(bool, hiddenBeforeFirstFrame);
    const QPoint place(40, 30);
    Host host({}, [&](TDocPanel *panel) {
        panel->setDocked(false);
        panel->setFloatPlacer([place](const QSize &) { return place; });
    });
    std::optional<bool> floatingAtFirstPaint;
    PaintWatcher watcher(host.window.get(), [&] {
        if (!floatingAtFirstPaint)
            floatingAtFirstPaint = host.form()->isVisible();
    });
    host.window->show();
    QVERIFY(!host.form()->isVisible());
    if (hiddenBeforeFirstFrame) {
        host.window->hide();
        QCoreApplication::processEvents();
        QVERIFY(!host.form()->isVisible());
        host.window->show();
    }
    QVERIFY(QTest::qWaitForWindowExposed(host.window.get()));
    // Up once the host has painted, at the place its placer gives.
    QCOMPARE(floatingAtFirstPaint, std::optional(false));
    QVERIFY(host.form()->isVisible());
    QCOMPARE(host.form()->pos(), place);
    // Floated again while the host is up, it shows at once.
    host.panel->setDocked(true);
    host.panel->setDocked(false);
    QVERIFY(host.form()->isVisible());
}

void TestDockbar::floatDockFloatKeepsPlaceOverRestart()
{
    const QString file = iniFile(QStringLiteral("restart.ini"));
    QPoint place;
    {
        Host host(file);
        QVERIFY(host.show());
        host.panel->setDocked(false);
        place = host.client().topLeft() + QPoint(220, 90);
        host.form()->move(place);
        host.panel->setDocked(true);
        QCOMPARE(IniFile(file).readInteger(QStringLiteral("Panel1"), QStringLiteral("FTop"), 0), place.y());
        QCOMPARE(IniFile(file).readInteger(QStringLiteral("Panel1"), QStringLiteral("FLeft"), 0), place.x());
        host.panel->setDocked(false);
        QCOMPARE(host.form()->pos(), place);
    }
    Host again(file);
    QVERIFY(again.show());
    QVERIFY(!again.panel->Docked());
    QCOMPARE(again.form()->pos(), place);
    again.panel->setDocked(true);
    QTest::mouseDClick(again.panel, Qt::LeftButton, {}, Grip);
    QCOMPARE(again.form()->pos(), place);
}

void TestDockbar::stateIsReadOnlyWhenFileIsSetBeforeLoading_data()
{
    QTest::addColumn<bool>("fileBeforeLoading");
    QTest::newRow("file before loading") << true;
    QTest::newRow("file named late") << false;
}

void TestDockbar::stateIsReadOnlyWhenFileIsSetBeforeLoading()
{
    QFETCH(bool, fileBeforeLoading);
    const QString file = iniFile(QStringLiteral("late.ini"));
    writeFile(file, "[Panel1]\nDocked=1\nVisible=0\nAlign=3\nWidth=77\n");
    {
        Host host(fileBeforeLoading ? file : QString());
        if (!fileBeforeLoading)
            host.panel->setIniFile(file);
        QVERIFY(host.show());
        QCOMPARE(host.panel->Align(), fileBeforeLoading ? TDocPanel::alLeft : TDocPanel::alTop);
        QCOMPARE(host.panel->Visible(), !fileBeforeLoading);
        QCOMPARE(host.panel->isVisible(), !fileBeforeLoading);
        if (fileBeforeLoading)
            host.panel->setVisible(true);
        host.panel->setAlign(TDocPanel::alBottom);
    }
    // Written when the panel is destroyed, in both cases.
    const IniFile stored(file);
    QCOMPARE(stored.readInteger(QStringLiteral("Panel1"), QStringLiteral("Align"), -1), 2);
    QCOMPARE(stored.readInteger(QStringLiteral("Panel1"), QStringLiteral("Visible"), -1), 1);
    QCOMPARE(stored.readInteger(QStringLiteral("Panel1"), QStringLiteral("Docked"), -1), 1);
    QCOMPARE(stored.readInteger(QStringLiteral("Panel1"), QStringLiteral("Width"), -1), 600);
}

void TestDockbar::floatingStateIsWrittenAsRemembered()
{
    const QString file = iniFile(QStringLiteral("floating.ini"));
    int dockedHeight = 0;
    {
        Host host(file, [](TDocPanel *panel) { panel->setAutoHide(false); });
        QVERIFY(host.show());
        host.panel->setAlign(TDocPanel::alBottom);
        dockedHeight = host.panel->height();
        host.panel->setDocked(false);
    }
    const IniFile stored(file);
    QCOMPARE(stored.readSection(QStringLiteral("Panel1")),
             (QStringList{"Docked", "Align", "Top", "Left", "Width", "Height"}));
    QCOMPARE(stored.readInteger(QStringLiteral("Panel1"), QStringLiteral("Docked"), -1), 0);
    QCOMPARE(stored.readInteger(QStringLiteral("Panel1"), QStringLiteral("Align"), -1), 2);
    QCOMPARE(stored.readInteger(QStringLiteral("Panel1"), QStringLiteral("Top"), -1), 400 - dockedHeight);
    QCOMPARE(stored.readInteger(QStringLiteral("Panel1"), QStringLiteral("Height"), -1), dockedHeight);
}

void TestDockbar::maxWidthFollowsTheWindowWhenNotRestored()
{
    const QString file = iniFile(QStringLiteral("maxwidth.ini"));
    writeFile(file, "[Panel1]\nMaxWidth=90\n");
    Host host(file, [](TDocPanel *panel) { panel->setMaxWidthRestore(false); });
    QVERIFY(host.show());
    host.panel->setDocked(false);
    QCOMPARE(host.panel->MaxWidth(), 90);
    QCOMPARE(host.panel->width(), 90);
    // Buttons wrap to the narrow window.
    const QToolButton *first = host.button("btnOne");
    const QToolButton *last = host.button("btnSix");
    QVERIFY(last->y() > first->y());
    host.panel->setMaxWidth(120);
    host.panel->setDocked(true);
    QCOMPARE(IniFile(file).readInteger(QStringLiteral("Panel1"), QStringLiteral("MaxWidth"), 0), 120);
}

void TestDockbar::dockedWrappingFollowsTheWidth()
{
    Host host({}, [](TDocPanel *panel) { panel->setAutoWrap(true); });
    QVERIFY(host.show());
    const int oneRow = host.panel->height();
    auto buttons = host.panel->findChildren<QToolButton *>();
    QCOMPARE(buttons.size(), 6);

    host.window->resize(130, 400);
    QTRY_VERIFY(host.panel->height() > oneRow);
    QCOMPARE(host.panel->width(), 130);
    int rows = 0;
    int lastY = -1;
    for (const char *name : {"btnOne", "btnTwo", "btnThree", "btnFour", "btnFive", "btnSix"}) {
        const QToolButton *button = host.button(name);
        QVERIFY(button->geometry().right() < host.panel->width());
        if (button->y() != lastY) {
            QVERIFY(button->y() > lastY);  // design order kept, row after row
            lastY = button->y();
            ++rows;
        }
    }
    QVERIFY(rows > 1);
    // The editor starts below the rows.
    QCOMPARE(host.window->findChild<QTextEdit *>()->y(), host.panel->height());

    host.panel->setArrangement(TDocPanel::amNone);
    QTRY_COMPARE(host.panel->height(), oneRow);
}

void TestDockbar::sidesNeedADockedPanel()
{
    Host host;
    QVERIFY(host.show());
    host.panel->setDocked(false);
    try {
        host.panel->setDockingSides(AllSides);
        QFAIL("no error while floating");
    } catch (const ENotDocked &e) {
        QCOMPARE(e.message(), QStringLiteral("The Panel must be docked to change this property"));
    }
    QCOMPARE(host.panel->DockingSides(), TopBottom);

    host.panel->setDocked(true);
    host.panel->setDockingMethod(TDocPanel::dmBoth);
    host.panel->setDockingSides(Sides());
    QCOMPARE(host.panel->DockingMethod(), TDocPanel::dmDblClick);
    host.panel->setDockingMethod(TDocPanel::dmDrag);
    QCOMPARE(host.panel->DockingSides(), TopBottom);
}

void TestDockbar::alignIsIgnoredWhileFloating()
{
    Host host;
    QVERIFY(host.show());
    host.panel->setDocked(false);
    host.panel->setAlign(TDocPanel::alRight);
    QCOMPARE(host.panel->Align(), TDocPanel::alTop);
    host.panel->setDocked(true);
    QCOMPARE(host.panel->geometry().topLeft(), QPoint(0, 0));
    host.panel->setAlign(TDocPanel::alRight);
    QCOMPARE(host.panel->geometry().right(), host.window->width() - 1);
    QCOMPARE(host.panel->height(), host.window->height());
}

void TestDockbar::hiddenPanelGivesItsPlaceToTheClient()
{
    Host host;
    QVERIFY(host.show());
    const QWidget *editor = host.window->findChild<QTextEdit *>();
    const int below = host.panel->height();
    QCOMPARE(editor->y(), below);
    host.panel->setVisible(false);
    QTRY_COMPARE(editor->y(), 0);
    host.panel->setVisible(true);
    QTRY_COMPARE(editor->y(), below);
}

void TestDockbar::registryKeyAndIniFileExcludeEachOther()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("user")));
    {
        Host host(iniFile(QStringLiteral("unused.ini")));
        host.panel->setRegistryKey(QStringLiteral("Software\\Tidewell"));
        QVERIFY(host.panel->IniFile().isEmpty());
        host.panel->setAlign(TDocPanel::alBottom);
    }
    QVERIFY(!QFile::exists(iniFile(QStringLiteral("unused.ini"))));
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::applicationName());
    QCOMPARE(settings.value(QStringLiteral("Software/Tidewell/Panel1/Align")).toInt(), 2);

    Host again({}, [](TDocPanel *panel) { panel->setRegistryKey(QStringLiteral("Software\\Tidewell")); });
    QCOMPARE(again.panel->Align(), TDocPanel::alBottom);
    again.panel->setIniFile(iniFile());
    QVERIFY(again.panel->RegistryKey().isEmpty());
}

QTEST_MAIN(TestDockbar)

#include "tst_dockbar.moc"
