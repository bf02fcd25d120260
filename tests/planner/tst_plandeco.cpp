// The planner and the decompression model: "Compute stops (ZH-L16C)" fills
// the plan's stops or hands the dive to the schedule window, and the label
// under it says whether the plan's stops clear the model's ceiling, with
// the gradient factors of the settings file.
#include "planner/model/PlanFile.h"
#include "planner/window/Rule3.h"
#include "shell/Main.h"
#include "tests/support/TestNumbers.h"
#include "tests/support/UserDriver.h"
#include "tests/support/WindowFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QSpinBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

// Two divers with 80 cubic feet at 3000 psi, and the gradient factors given.
QByteArray settingsWith(const QByteArray &deco)
{
    return localNumbers(QStringLiteral("[Measurements]\r\nMetric=0\r\n"
                                       "[Divers]\r\nTotal=2\r\n1=Ann\r\n2=Bob\r\nDefault=Ann\r\n"
                                       "[Ann]\r\nTankSize=80\r\nCertified=3000\r\nRMV=0.75\r\n"
                                       "[Bob]\r\nTankSize=80\r\nCertified=3000\r\nRMV=0.75\r\n"))
               .toUtf8()
        + deco;
}

// 100 ft on air, deco gas EAN80, ascent and descent 33 ft/min.
const QByteArray Plan = "[Defaults]\r\nMetric=0\r\nDiver1Name=Ann\r\nDiver2Name=Bob\r\nDepth=100\r\n"
                        "BottomMixO2=21\r\nUseRuleOfThirdRadio=1\r\nUsedFixedPressureReserveRadio=0\r\n"
                        "SameAsBottomGas=0\r\nDecoGas=80\r\nSpeed1=60\r\nSpeed2=75\r\nAscentRateEdit=33\r\n";

struct Program : WindowFixture
{
    explicit Program(const QByteArray &deco = {})
    {
        useTestNumberFormat();
        settings().write(settingsWith(deco));
        QFile file(DefaultDiveFileName());
        if (file.open(QIODevice::WriteOnly))
            file.write(Plan);
        file.close();
        main().show();
        planner = open<TfmRuleOfThird>(QStringLiteral("NewDivePlan1"));
        auto *pages = user::control<QTabWidget>(planner, QStringLiteral("LowerPageControl"));
        pages->setCurrentIndex(pages->indexOf(user::control(planner, QStringLiteral("Decompression"))));
    }

    QList<std::pair<int, int>> activeStops() const
    {
        QList<std::pair<int, int>> stops;
        for (int k = 1; k <= 3; ++k)
            if (user::control<QCheckBox>(planner, QStringLiteral("Decom%1Check").arg(k))->isChecked())
                stops << std::pair{user::control<QSpinBox>(planner, QStringLiteral("DecoDepth%1").arg(k))->value(),
                                   user::control<QSpinBox>(planner, QStringLiteral("DecoTime%1").arg(k))->value()};
        return stops;
    }
    QString check() const { return user::text(planner, QStringLiteral("DecoModelCheck")); }
    bool checkIsRed() const
    {
        return user::control<QLabel>(planner, QStringLiteral("DecoModelCheck"))->styleSheet().contains("red");
    }

    TfmRuleOfThird *planner = nullptr;
};

} // namespace

class TestPlanDeco : public QObject
{
    Q_OBJECT

private slots:
    void buttonAndLabelOnTheDecompressionPage();
    void checkFollowsEveryRecalculation();
    void computedStopsFillThePlan();
    void moreStopsThanThePlanHoldsOpenTheSchedule();
    void gradientFactorsFromTheSettings();
};

void TestPlanDeco::buttonAndLabelOnTheDecompressionPage()
{
    Program program;
    QWidget *page = program.planner->findChild<QWidget *>(QStringLiteral("Decompression"));
    QVERIFY(page);
    auto *button = user::control<QPushButton>(page, QStringLiteral("ComputeStopsButton"));
    QCOMPARE(button->text(), QStringLiteral("Compute stops (ZH-L16C)"));
    QVERIFY(page->findChild<QLabel *>(QStringLiteral("DecoModelCheck")));
}

void TestPlanDeco::checkFollowsEveryRecalculation()
{
    Program program;
    // 60 ft: the bottom time the gas allows stays inside the limit.
    user::type(program.planner, QStringLiteral("Depth"), QStringLiteral("60"));
    QCOMPARE(program.check(), QStringLiteral("Stops clear ZH-L16C GF 30/85"));
    QVERIFY(!program.checkIsRed());
    // 130 ft without a stop: the ceiling is above the diver on the way up.
    user::type(program.planner, QStringLiteral("Depth"), QStringLiteral("130"));
    QVERIFY2(program.check().startsWith(QStringLiteral("Stops do not clear ZH-L16C GF 30/85: ceiling ")),
             qPrintable(program.check()));
    QVERIFY(QRegularExpression(QStringLiteral("ceiling \\d+ feet at \\d+ min$")).match(program.check()).hasMatch());
    QVERIFY(program.checkIsRed());
    // The message line is the plan's own: the check writes nothing there.
    QVERIFY(!program.main().messageLine().contains(QStringLiteral("ZH-L16C")));
}

void TestPlanDeco::computedStopsFillThePlan()
{
    // GF 60/85: the first stop shallow enough for the plan's three stops.
    Program program("[Deco]\r\nGFLow=60\r\nGFHigh=85\r\n");
    user::type(program.planner, QStringLiteral("Depth"), QStringLiteral("130"));
    QVERIFY(program.activeStops().isEmpty());
    user::click(program.planner, QStringLiteral("ComputeStopsButton"));
    const QList<std::pair<int, int>> stops = program.activeStops();
    QVERIFY(!stops.isEmpty());
    QVERIFY(stops.size() <= 3);
    for (int k = 0; k < stops.size(); ++k) {
        QCOMPARE(stops[k].first % 10, 0);          // the 10 ft stop grid
        QVERIFY(stops[k].second >= 1);
        QVERIFY(k == 0 || stops[k].first < stops[k - 1].first);
    }
    QCOMPARE(stops.last().first, 10);
    // With the model's stops the plan clears the model.
    QCOMPARE(program.check(), QStringLiteral("Stops clear ZH-L16C GF 60/85"));
    QCOMPARE(user::windows(program.main(), "TfmDecoSchedule").size(), 0);
    QVERIFY(program.dialogs().unanswered().isEmpty());
}

void TestPlanDeco::moreStopsThanThePlanHoldsOpenTheSchedule()
{
    // GF 10/50: the first stop deep, many stops.
    Program program("[Deco]\r\nGFLow=10\r\nGFHigh=50\r\n");
    user::type(program.planner, QStringLiteral("Depth"), QStringLiteral("150"));
    const QList<std::pair<int, int>> before = program.activeStops();
    user::click(program.planner, QStringLiteral("ComputeStopsButton"));
    QCOMPARE(program.activeStops(), before);
    const QList<TChildForm *> schedules = user::windows(program.main(), "TfmDecoSchedule");
    QCOMPARE(schedules.size(), 1);
    TChildForm *schedule = schedules.first();
    QCOMPARE(user::text(schedule, QStringLiteral("DecoDepth")), QStringLiteral("150"));
    QCOMPARE(user::text(schedule, QStringLiteral("GFLow")), QStringLiteral("10"));
    QCOMPARE(user::text(schedule, QStringLiteral("GFHigh")), QStringLiteral("50"));
    QCOMPARE(user::text(schedule, QStringLiteral("DecoGas1O2")), QStringLiteral("80"));
    QVERIFY(!user::control<QCheckBox>(schedule, QStringLiteral("Metric"))->isChecked());
    QVERIFY(user::control<QTableWidget>(schedule, QStringLiteral("StopTable"))->rowCount() > 3);
    QVERIFY2(program.main().messageLine().contains(QStringLiteral("\"Decompression schedule\"")),
             qPrintable(program.main().messageLine()));
}

void TestPlanDeco::gradientFactorsFromTheSettings()
{
    Program program("[Deco]\r\nGFLow=45\r\nGFHigh=95\r\n");
    user::type(program.planner, QStringLiteral("Depth"), QStringLiteral("60"));
    QCOMPARE(program.check(), QStringLiteral("Stops clear ZH-L16C GF 45/95"));
}

QTEST_MAIN(TestPlanDeco)
#include "tst_plandeco.moc"
