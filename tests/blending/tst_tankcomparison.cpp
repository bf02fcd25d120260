#include "blending/ConsumTankSize.h"
#include "core/SettingsFile.h"
#include "shell/Application.h"
#include "tests/blending/BlendTestSupport.h"
#include "tests/support/ScriptedDialogs.h"
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

#include <vector>

using namespace blendtest;

namespace {

using Window = TfmConsumptionVersusTankSize;
using RowSetter = void (Window::*)(const QString &, const QString &, const QString &, const QString &,
                                   const QString &, const QString &, bool);
// A vector rather than a plain array: GCC's bounds sanitizer misreads plain
// arrays of member-function pointers.
const std::vector<RowSetter> Setters = {&Window::Set1, &Window::Set2, &Window::Set3, &Window::Set4,
                                        &Window::Set5, &Window::Set6, &Window::Set7, &Window::Set8,
                                        &Window::Set9, &Window::Set10, &Window::Set11, &Window::Set12};

// What the planner does: diver 1's tank varies over the sizes of its list,
// diver 2 keeps 100 cubic feet at 0.75 per minute.
Window *compareLikeThePlanner(TMainForm &main, const QStringList &diver1Sizes)
{
    auto *window = new Window(main);
    main.addChild(window);
    for (int k = 0; k < Window::RowCount; ++k)
        (window->*Setters[k])(QStringLiteral("100"), QStringLiteral("3000"), localNumbers("0.75"),
                              diver1Sizes.value(k), QStringLiteral("3000"), localNumbers("0.6"), false);
    // The planner fills the rows and the header label in code; no user types here.
    window->Header->setText(QStringLiteral("Anna / Bert"));
    return window;
}

bool markedBest(const Window *w, int row)
{
    return w->panel(row)->palette().color(QPalette::Window) == QColor(0, 128, 0)
           && hintOf(w->panel(row)).endsWith(QStringLiteral(" Best gas selection"));
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
        TempSettings settings;
        ScriptedDialogs dialogs;
        TMainForm main;
        Window *w = compareLikeThePlanner(main, imperialTankSizes());
        QCOMPARE(w->windowTitle(), QStringLiteral("Air consumption / Tank sizes"));
        QCOMPARE(w->label(8)->text(), QStringLiteral("80 CuFt / 100 CuFt"));
        QCOMPARE(hintOf(w->panel(8)),
                 localNumbers("  133 min /   133 min|Time that divers can stay at surface breathing these tanks "
                              "empty: 133.3 min / 133.3 min Best gas selection"));
        QCOMPARE(w->bar(8)->maximum(), 133);
        QCOMPARE(w->bar(8)->value(), 133);
        for (int row = 1; row <= Window::RowCount; ++row)
            QCOMPARE(markedBest(w, row), row == 8);
        QCOMPARE(w->label(1)->text(), QStringLiteral("240 CuFt / 100 CuFt"));
        QCOMPARE(w->bar(1)->maximum(), 400);
        QCOMPARE(w->bar(1)->value(), 133);
    }

    void tiesAreAllMarked()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        TMainForm main;
        QStringList sizes = imperialTankSizes();
        sizes[2] = QStringLiteral("80");
        Window *w = compareLikeThePlanner(main, sizes);
        QVERIFY(markedBest(w, 3));
        QVERIFY(markedBest(w, 8));
        QVERIFY(!markedBest(w, 1));
    }

    void failingRowStopsTheFilling()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        TMainForm main;
        auto *w = new Window(main);
        main.addChild(w);
        const QStringList sizes = imperialTankSizes().mid(0, 4);
        guarded([&] {
            for (int k = 0; k < Window::RowCount; ++k)
                (w->*Setters[k])(QStringLiteral("100"), QStringLiteral("3000"), localNumbers("0.75"), sizes.value(k),
                                 QStringLiteral("3000"), localNumbers("0.6"), false);
        });
        QCOMPARE(dialogs.messageTexts(), QStringList{QStringLiteral("'' is not a valid floating point value")});
        QCOMPARE(w->label(4)->text(), QStringLiteral("108 CuFt / 100 CuFt"));
        QCOMPARE(w->label(5)->text(), QStringLiteral("  80 CuFt  /  80 CuFt"));
        QCOMPARE(w->bar(12)->value(), 60);
        for (int row = 1; row <= Window::RowCount; ++row)
            QVERIFY(!markedBest(w, row));
    }

    // Each activation gives the window the rows' width plus its margin, also
    // after the user widened it.
    void activationFitsTheRows()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        TMainForm main;
        main.resize(1000, 900);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        Window *w = compareLikeThePlanner(main, imperialTankSizes());
        QCOMPARE(w->width(), w->LowerPanel->width() + 28);

        auto *frame = qobject_cast<QMdiSubWindow *>(w->parentWidget());
        QVERIFY(frame);
        frame->resize(frame->width() + 120, frame->height());
        QCOMPARE(w->width(), w->LowerPanel->width() + 148);
        Window *other = compareLikeThePlanner(main, imperialTankSizes());
        QCOMPARE(main.activeChild(), other);
        frame->mdiArea()->setActiveSubWindow(frame);
        QCOMPARE(main.activeChild(), w);
        QCOMPARE(w->width(), w->LowerPanel->width() + 28);
    }

    void helpTextChoiceSurvivesReopening()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        TMainForm main;
        main.resize(1000, 900);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        Window *w = compareLikeThePlanner(main, imperialTankSizes());
        QVERIFY(w->CheckBox1->isChecked());
        QVERIFY(w->Panel1x->isVisibleTo(w));
        const int shown = w->height();
        w->CheckBox1->click();
        QVERIFY(!w->Panel1x->isVisibleTo(w));
        QCOMPARE(w->height(), shown - w->Panel1x->sizeHint().height());
        w->CheckBox1->click();
        QCOMPARE(w->height(), shown);
        w->CheckBox1->click();
        QVERIFY(closeWindow(w));
        QCOMPARE(SettingsFile().readString(QStringLiteral("Defaults"), QStringLiteral("ShowTextInConsumptionTanks"), {}),
                 QStringLiteral("0"));

        Window *again = compareLikeThePlanner(main, imperialTankSizes());
        QVERIFY(!again->CheckBox1->isChecked());
        QVERIFY(!again->Panel1x->isVisibleTo(again));
    }
};

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    TestTankComparison test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_tankcomparison.moc"
