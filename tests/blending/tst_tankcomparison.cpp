#include "blending/ConsumTankSize.h"
#include "core/SettingsFile.h"
#include "shell/Application.h"
#include "tests/blending/BlendTestSupport.h"
#include "tests/support/UserDriver.h"
#include "tests/support/WindowFixture.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/UnitInputs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QtTest>

using namespace blendtest;

namespace {

using Window = TfmConsumptionVersusTankSize;

// What the planner hands over: diver 1's tank varies over `diver1Sizes`,
// diver 2 keeps 100 cubic feet at 0.75 per minute.
TankComparisonRequest plannersRequest(const QStringList &diver1Sizes)
{
    TankComparisonRequest request;
    request.diver[0] = {QString(), QStringLiteral("3000"), localNumbers("0.6")};
    request.diver[1] = {QStringLiteral("100"), QStringLiteral("3000"), localNumbers("0.75")};
    request.variedDiver = 1;
    request.sizes = diver1Sizes;
    request.header = QStringLiteral("Anna / Bert");
    return request;
}

Window *compareLikeThePlanner(TMainForm &main, const QStringList &diver1Sizes)
{
    auto *window = new Window(main);
    main.addChild(window);
    window->apply(plannersRequest(diver1Sizes));
    return window;
}

// A row's parts, by their names (rows count from 1).
QWidget *panel(const Window *w, int row) { return user::control(w, QStringLiteral("Panel%1").arg(row)); }
QString label(const Window *w, int row) { return user::text(w, QStringLiteral("Label%1").arg(row)); }
QProgressBar *bar(const Window *w, int row)
{
    return user::control<QProgressBar>(w, QStringLiteral("ProgressBar%1").arg(row));
}
QCheckBox *helpTextBox(const Window *w) { return user::control<QCheckBox>(w, QStringLiteral("CheckBox1")); }
QWidget *helpPanel(const Window *w) { return user::control(w, QStringLiteral("Panel1x")); }
int rowsWidth(const Window *w) { return user::control(w, QStringLiteral("LowerPanel"))->width(); }

bool markedBest(const Window *w, int row)
{
    return panel(w, row)->palette().color(QPalette::Window) == QColor(0, 128, 0)
           && hintOf(panel(w, row)).endsWith(QStringLiteral(" Best gas selection"));
}

QStringList imperialTankSizes()
{
    QComboBox box;
    FillTankSizeList(&box, false);
    QStringList sizes;
    for (int i = 0; i < box.count(); ++i)
        sizes << box.itemText(i);
    return sizes;
}

} // namespace

class TestTankComparison : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestNumberFormat(); }

    void bestMatchIsMarked()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        Window *w = compareLikeThePlanner(main, imperialTankSizes());
        QCOMPARE(w->windowTitle(), QStringLiteral("Air consumption / Tank sizes"));
        QCOMPARE(label(w, 8), QStringLiteral("80 CuFt / 100 CuFt"));
        QCOMPARE(hintOf(panel(w, 8)),
                 localNumbers("  133 min /   133 min|Time that divers can stay at surface breathing these tanks "
                              "empty: 133.3 min / 133.3 min Best gas selection"));
        QCOMPARE(bar(w, 8)->maximum(), 133);
        QCOMPARE(bar(w, 8)->value(), 133);
        for (int row = 1; row <= Window::RowCount; ++row)
            QCOMPARE(markedBest(w, row), row == 8);
        QCOMPARE(label(w, 1), QStringLiteral("240 CuFt / 100 CuFt"));
        QCOMPARE(bar(w, 1)->maximum(), 400);
        QCOMPARE(bar(w, 1)->value(), 133);
    }

    // The varied diver's sizes fill the rows in order; the other diver keeps
    // their tank on every row; rows beyond the sizes keep their design text.
    void requestFillsTheRows_data()
    {
        QTest::addColumn<int>("variedDiver");
        QTest::addColumn<int>("sizeCount");
        QTest::addColumn<QStringList>("labels"); // rows 1 to 4
        QTest::addColumn<bool>("marked");        // the last row filled: the best are marked
        const QString design = QStringLiteral("  80 CuFt  /  80 CuFt");
        QTest::newRow("diver 1 varies over three sizes")
            << 1 << 3 << QStringList{"240 CuFt / 100 CuFt", "160 CuFt / 100 CuFt", "120 CuFt / 100 CuFt", design}
            << false;
        QTest::newRow("diver 2 varies over three sizes")
            << 2 << 3 << QStringList{"63 CuFt / 240 CuFt", "63 CuFt / 160 CuFt", "63 CuFt / 120 CuFt", design} << false;
        QTest::newRow("fourteen sizes: twelve rows")
            << 1 << 14
            << QStringList{"240 CuFt / 100 CuFt", "160 CuFt / 100 CuFt", "120 CuFt / 100 CuFt", "108 CuFt / 100 CuFt"}
            << true;
    }

    void requestFillsTheRows()
    {
        QFETCH(int, variedDiver);
        QFETCH(int, sizeCount);
        QFETCH(QStringList, labels);
        QFETCH(bool, marked);
        WindowFixture program;
        TMainForm &main = program.main();
        TankComparisonRequest request;
        request.diver[0] = {QStringLiteral("63"), QStringLiteral("3000"), localNumbers("0.6")};
        request.diver[1] = {QStringLiteral("100"), QStringLiteral("3000"), localNumbers("0.75")};
        request.variedDiver = variedDiver;
        // The list's twelve sizes and two more.
        request.sizes = (imperialTankSizes() << QStringLiteral("50") << QStringLiteral("30")).mid(0, sizeCount);
        request.header = QStringLiteral("Anna / Bert");
        auto *w = new Window(main);
        main.addChild(w);
        w->apply(request);
        QCOMPARE(user::text(w, QStringLiteral("Header")), QStringLiteral("Anna / Bert"));
        for (int row = 1; row <= labels.size(); ++row)
            QCOMPARE(label(w, row), labels.at(row - 1));
        bool anyMarked = false;
        for (int row = 1; row <= Window::RowCount; ++row)
            anyMarked = anyMarked || markedBest(w, row);
        QCOMPARE(anyMarked, marked);
        QCOMPARE(label(w, 12), marked ? QStringLiteral("%1 CuFt / 100 CuFt").arg(imperialTankSizes().value(11))
                                      : QStringLiteral("  80 CuFt  /  80 CuFt"));
        QVERIFY(program.dialogs().asked().isEmpty());
    }

    void tiesAreAllMarked()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        QStringList sizes = imperialTankSizes();
        sizes[2] = QStringLiteral("80");
        Window *w = compareLikeThePlanner(main, sizes);
        QVERIFY(markedBest(w, 3));
        QVERIFY(markedBest(w, 8));
        QVERIFY(!markedBest(w, 1));
    }

    void failingRowStopsTheFilling()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        auto *w = new Window(main);
        main.addChild(w);
        // Four sizes, then rows whose size is empty.
        QStringList sizes = imperialTankSizes().mid(0, 4);
        while (sizes.size() < Window::RowCount)
            sizes << QString();
        guarded([&] { w->apply(plannersRequest(sizes)); });
        QCOMPARE(program.dialogs().messageTexts(),
                 QStringList{QStringLiteral("'' is not a valid floating point value")});
        QCOMPARE(label(w, 4), QStringLiteral("108 CuFt / 100 CuFt"));
        QCOMPARE(label(w, 5), QStringLiteral("  80 CuFt  /  80 CuFt"));
        QCOMPARE(bar(w, 12)->value(), 60);
        for (int row = 1; row <= Window::RowCount; ++row)
            QVERIFY(!markedBest(w, row));
    }

    // Each activation gives the window the rows' width plus its margin, also
    // after the user widened it.
    void activationFitsTheRows()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        main.resize(1000, 900);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        Window *w = compareLikeThePlanner(main, imperialTankSizes());
        QCOMPARE(w->width(), rowsWidth(w) + 28);

        auto *frame = qobject_cast<QMdiSubWindow *>(w->parentWidget());
        QVERIFY(frame);
        frame->resize(frame->width() + 120, frame->height());
        QCOMPARE(w->width(), rowsWidth(w) + 148);
        Window *other = compareLikeThePlanner(main, imperialTankSizes());
        QCOMPARE(main.activeChild(), other);
        frame->mdiArea()->setActiveSubWindow(frame);
        QCOMPARE(main.activeChild(), w);
        QCOMPARE(w->width(), rowsWidth(w) + 28);
    }

    void helpTextChoiceSurvivesReopening()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        main.resize(1000, 900);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        Window *w = compareLikeThePlanner(main, imperialTankSizes());
        QVERIFY(helpTextBox(w)->isChecked());
        QVERIFY(helpPanel(w)->isVisibleTo(w));
        const int shown = w->height();
        helpTextBox(w)->click();
        QVERIFY(!helpPanel(w)->isVisibleTo(w));
        QCOMPARE(w->height(), shown - helpPanel(w)->sizeHint().height());
        helpTextBox(w)->click();
        QCOMPARE(w->height(), shown);
        helpTextBox(w)->click();
        QVERIFY(closeWindow(w));
        QCOMPARE(SettingsFile().readString(QStringLiteral("Defaults"), QStringLiteral("ShowTextInConsumptionTanks"), {}),
                 QStringLiteral("0"));

        Window *again = compareLikeThePlanner(main, imperialTankSizes());
        QVERIFY(!helpTextBox(again)->isChecked());
        QVERIFY(!helpPanel(again)->isVisibleTo(again));
    }
};

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    TestTankComparison test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_tankcomparison.moc"
