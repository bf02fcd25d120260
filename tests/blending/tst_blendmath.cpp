#include "blending/model/BlendMath.h"
#include "core/Errors.h"
#include "core/NumText.h"

#include <QtTest>

namespace {

// A worksheet with the texts the window starts with: imperial, air in the
// tank, top-off with air.
BlendSheet startSheet()
{
    BlendSheet s;
    s.psig = QStringLiteral("3500");
    s.xFo2 = QStringLiteral("36");
    s.xFHe = QStringLiteral("0");
    s.xFN2 = QStringLiteral("0");
    s.psi = QStringLiteral("0");
    s.currentxFO2 = QStringLiteral("21");
    s.currentxFHe = QStringLiteral("0");
    s.currentxFN2 = QStringLiteral("79");
    return s;
}

// Answers the problem dialog from a script and records the questions.
struct ProblemAnswers
{
    QList<bool> answers;
    QStringList asked;
    int beeps = 0;

    BlendWorksheet::ProblemQuestion question()
    {
        return [this](const QString &problem, const QString &solution) {
            asked << problem + u'/' + solution;
            return answers.isEmpty() ? false : answers.takeFirst();
        };
    }
    BlendWorksheet::Beep beep()
    {
        return [this] { ++beeps; };
    }
};

} // namespace

class TestBlendMath : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { numberFormatSettings() = NumberFormatSettings{}; }

    void percentageList()
    {
        const QStringList list = PercentageList();
        QCOMPARE(list.size(), 201);
        QCOMPARE(list.first(), QStringLiteral("0.00"));
        QCOMPARE(list.at(1), QStringLiteral("0.50"));
        QCOMPARE(list.at(199), QStringLiteral("99.50"));
        QCOMPARE(list.last(), QStringLiteral("100.00"));
    }

    void mixing_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("psig");
        QTest::addColumn<QString>("oxygen");
        QTest::addColumn<QString>("helium");
        QTest::addColumn<QString>("psi");
        QTest::addColumn<QString>("currentOxygen");
        QTest::addColumn<bool>("emptyTank");
        QTest::addColumn<bool>("noJump");
        QTest::addColumn<QString>("air");
        QTest::addColumn<QString>("o2");
        QTest::addColumn<QString>("he");
        QTest::addColumn<QString>("drain");
        QTest::addColumn<QString>("status");

        const QString mixing = QStringLiteral("Formular: Gas Mixing");
        QTest::newRow("EAN36 into an empty tank of air")
            << false << "3500" << "36" << "0" << "0" << "21" << false << false
            << "2832.65" << "667.35" << "0.00" << "" << mixing;
        QTest::newRow("too much nitrogen: drain first")
            << false << "3500" << "36" << "0" << "3000" << "21" << false << false
            << "" << "667.35" << "0" << "167.35" << mixing;
        QTest::newRow("ideal fill of an empty tank")
            << false << "3500" << "36" << "0" << "0" << "0" << true << false
            << "2847.35" << "652.65" << "0.00" << "" << mixing;
        QTest::newRow("metric trimix on 50 bar of air")
            << true << "200" << "21" << "35" << "50" << "21" << false << false
            << "60.95" << "18.70" << "70.35" << "" << mixing;
        QTest::newRow("too much oxygen jumps to the adjustment")
            << false << "3500" << "32" << "0" << "3000" << "40" << false << false
            << "1479.87" << "0.00" << "0.00" << "1479.87" << "Formular: Gas Adjustment";
        QTest::newRow("no jump keeps the negative oxygen")
            << false << "3500" << "32" << "0" << "3000" << "40" << false << true
            << "735.67" << "-235.67" << "0.00" << "" << mixing;
    }

    void mixing()
    {
        QFETCH(bool, metric);
        QFETCH(QString, psig);
        QFETCH(QString, oxygen);
        QFETCH(QString, helium);
        QFETCH(QString, psi);
        QFETCH(QString, currentOxygen);
        QFETCH(bool, emptyTank);
        QFETCH(bool, noJump);

        BlendSheet s = startSheet();
        s.metric = metric;
        s.psig = psig;
        s.xFo2 = oxygen;
        s.xFHe = helium;
        s.psi = psi;
        s.currentxFO2 = currentOxygen;
        s.emptyTank = emptyTank;
        s.noJump = noJump;
        if (emptyTank) {
            s.currentxFHe = s.currentxFN2 = QStringLiteral("0");
        }
        ProblemAnswers answers;
        BlendWorksheet(s, answers.question(), answers.beep()).TotalGasChange();

        QTEST(s.targetAir, "air");
        QTEST(s.targetO2, "o2");
        QTEST(s.targetHe, "he");
        QTEST(s.drainAir, "drain");
        QTEST(s.status, "status");
        QVERIFY(answers.asked.isEmpty());
        QCOMPARE(s.drainEnabled, !s.drainAir.isEmpty());
    }

    void balancing()
    {
        BlendSheet s = startSheet();
        s.xFo2 = QStringLiteral("21");
        s.xFHe = QStringLiteral("35");
        s.currentxFO2 = QStringLiteral("32");
        ProblemAnswers answers;
        BlendWorksheet(s, answers.question(), answers.beep()).TotalGasChange();
        QCOMPARE(s.xFN2, QStringLiteral("44.00"));
        QCOMPARE(s.currentxFN2, QStringLiteral("68.00"));
        QCOMPARE(s.currentSumGauge, 100);
        QCOMPARE(s.desiredSumGauge, 100);
        QVERIFY(s.purgeGasHint);
        QVERIFY(s.mixTrace.startsWith(QStringLiteral("Mix: A=3500.000, B=3514.700, C1=0.210, C2=0.350, C3=0.440")));
    }

    void drainBeyondContentOffersPurge_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("o2");
        QTest::addColumn<QString>("psi");
        QTest::addColumn<QString>("currentOxygen");
        QTest::newRow("Yes purges and mixes again") << true << "3500.00" << "0" << "100";
        QTest::newRow("No empties the results") << false << "" << "500" << "21";
    }

    void drainBeyondContentOffersPurge()
    {
        QFETCH(bool, yes);
        BlendSheet s = startSheet();
        s.xFo2 = QStringLiteral("100");
        s.psi = QStringLiteral("500");
        ProblemAnswers answers;
        answers.answers = {yes};
        BlendWorksheet(s, answers.question(), answers.beep()).TotalGasChange();

        QCOMPARE(answers.asked, QStringList{QStringLiteral("Too much nitrogen in current tank/Drain tank and purge with Oxygen")});
        QTEST(s.targetO2, "o2");
        QTEST(s.psi, "psi");
        QTEST(s.currentxFO2, "currentOxygen");
        if (yes) {
            QCOMPARE(s.currentxFHe, QStringLiteral("0"));
            QCOMPARE(s.currentxFN2, QStringLiteral("0"));
            QCOMPARE(s.drainAir, QString());
            QCOMPARE(s.targetAir, QStringLiteral("0.00"));
        } else {
            QVERIFY(s.drainAir.isEmpty() && s.targetAir.isEmpty() && s.targetHe.isEmpty());
        }
    }

    void adjust_data()
    {
        QTest::addColumn<bool>("shortCalc");
        QTest::addColumn<QString>("drain");
        QTest::newRow("full precision") << false << "1290.21";
        QTest::newRow("short calc") << true << "1289.90";
    }

    void adjust()
    {
        QFETCH(bool, shortCalc);
        QFETCH(QString, drain);
        BlendSheet s = startSheet();
        s.xFo2 = QStringLiteral("50");
        s.xFN2 = QStringLiteral("50");
        s.psi = QStringLiteral("3000");
        s.shortCalc = shortCalc;
        ProblemAnswers answers;
        BlendWorksheet(s, answers.question(), answers.beep()).CalcDrain();
        QCOMPARE(s.drainAir, drain);
        QCOMPARE(s.targetO2, drain);
        QCOMPARE(s.targetAir, QStringLiteral("0.00"));
        QCOMPARE(s.targetHe, QStringLiteral("0.00"));
        QCOMPARE(s.status, QStringLiteral("Formular: Gas Adjustment"));
        QVERIFY(s.adjustTrace.startsWith(QStringLiteral("Adjust: A=3500.000, B=3514.700, C=0.210, D=0.500")));
    }

    void adjustWithNothingToDrain()
    {
        BlendSheet s = startSheet();
        s.xFo2 = QStringLiteral("21");
        s.xFN2 = QStringLiteral("79");
        s.targetO2 = QStringLiteral("kept");
        ProblemAnswers answers;
        BlendWorksheet(s, answers.question(), answers.beep()).CalcDrain();
        QCOMPARE(s.status, QStringLiteral("Nothing to drain"));
        QCOMPARE(s.targetO2, QStringLiteral("kept"));
    }

    void adjustFailures()
    {
        ProblemAnswers answers;
        BlendSheet s = startSheet();
        s.xFN2 = QStringLiteral("64");
        s.psig.clear();
        QVERIFY_THROWS_EXCEPTION(ConvertError, BlendWorksheet(s, answers.question(), answers.beep()).CalcDrain());

        s = startSheet();
        s.xFN2 = QStringLiteral("64");
        s.fillGasFractionO2 = QStringLiteral("100");
        try {
            BlendWorksheet(s, answers.question(), answers.beep()).CalcDrain();
            QFAIL("pure oxygen top-off gas must fail");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), QStringLiteral("Floating point division by zero"));
        }
    }

    void sums_data()
    {
        QTest::addColumn<QString>("oxygen");
        QTest::addColumn<QString>("helium");
        QTest::addColumn<QString>("nitrogen");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("beeps");
        QTest::newRow("33.3 + 33.3 + 33.4 is 100") << "33.3" << "33.3" << "33.4" << "Formular: Gas Mixing" << 0;
        QTest::newRow("a sum of 99") << "21" << "0" << "78" << "Sum of Current of mix must equal 100%" << 0;
        QTest::newRow("negative nitrogen") << "60" << "50" << "-10" << "Sum of Current mix must equal 100%" << 1;
    }

    void sums()
    {
        BlendSheet s = startSheet();
        s.emptyAutoCalc = false;
        s.noJump = true;
        s.psi = QStringLiteral("500");
        QFETCH(QString, oxygen);
        QFETCH(QString, helium);
        QFETCH(QString, nitrogen);
        s.currentxFO2 = oxygen;
        s.currentxFHe = helium;
        s.currentxFN2 = nitrogen;
        s.targetO2 = QStringLiteral("previous");
        ProblemAnswers answers;
        BlendWorksheet(s, answers.question(), answers.beep()).TotalGasChange();
        QTEST(s.status, "status");
        QTEST(answers.beeps, "beeps");
        if (s.status != QStringLiteral("Formular: Gas Mixing"))
            QVERIFY(s.targetO2.isEmpty() && s.targetAir.isEmpty() && s.drainAir.isEmpty());
    }

    void unreadableBoxes()
    {
        ProblemAnswers answers;
        BlendSheet s = startSheet();
        BlendWorksheet(s, answers.question(), answers.beep()).TotalGasChange();
        s.psig.clear();
        BlendWorksheet(s, answers.question(), answers.beep()).TotalGasChange();
        QCOMPARE(s.targetAir, QStringLiteral("2832.65"));
        QCOMPARE(s.targetO2, QStringLiteral("667.35"));

        s.psig = QStringLiteral("3500");
        s.psi.clear();
        QVERIFY_THROWS_EXCEPTION(ConvertError, BlendWorksheet(s, answers.question(), answers.beep()).TotalGasChange());
    }
};

QTEST_GUILESS_MAIN(TestBlendMath)
#include "tst_blendmath.moc"
