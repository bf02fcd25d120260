#include "blending/MixEditor.h"
#include "blending/ParticialPressureMix.h"
#include "blending/Popup.h"
#include "shell/Application.h"
#include "tests/blending/BlendTestSupport.h"
#include "tests/support/WindowFixture.h"
#include "widgets/Hints.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QtTest>

using namespace blendtest;

namespace {

// Results as the blender reads them: air, oxygen, helium, drain.
QStringList results(const TfmParticialPressureMix *w)
{
    return {user::text(w, "TargetAir"), user::text(w, "TargetO2"), user::text(w, "TargetHe"),
            user::text(w, "DrainAir")};
}

QString status(const TfmParticialPressureMix *w)
{
    return user::control<QStatusBar>(w, "StatusBar1")->currentMessage();
}

// The worksheet's controls, by their names.
QComboBox *list(const QWidget *w, const QString &name) { return user::control<QComboBox>(w, name); }
QAbstractButton *button(const QWidget *w, const QString &name) { return user::control<QAbstractButton>(w, name); }
QProgressBar *gauge(const QWidget *w, const QString &name) { return user::control<QProgressBar>(w, name); }

} // namespace

class TestBlendingWorksheet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestNumberFormat(); }

    void startsWithEan36IntoAnEmptyTank()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Gas blending worksheet"));
        QCOMPARE(list(w, "PSIG")->currentText(), localNumbers("3500"));
        QCOMPARE(list(w, "xFN2")->currentText(), localNumbers("64.00"));
        QCOMPARE(list(w, "PSI")->currentText(), localNumbers("0"));
        QCOMPARE(list(w, "CurrentxFO2")->currentText(), localNumbers("21"));
        QCOMPARE(list(w, "CurrentxFN2")->currentText(), localNumbers("79.00"));
        QCOMPARE(results(w), localNumbers(QStringList{"2832.65", "667.35", "0.00", ""}));
        QCOMPARE(status(w), QStringLiteral("Formular: Gas Mixing"));
        QCOMPARE(list(w, "xFo2")->count(), 201);
        QCOMPARE(list(w, "CurrentxFN2")->count(), 201);
        QCOMPARE(list(w, "PSI")->count(), 372);
        QCOMPARE(gauge(w, "Gauge1")->value(), 100);
        QCOMPARE(gauge(w, "Gauge2")->value(), 100);
        QVERIFY(!list(w, "xFN2")->isEnabled());
        QVERIFY(!list(w, "FillGasFractionO2")->isEnabled());
        QCOMPARE(user::text(w, "TargetAirLabel"), QStringLiteral("Fill Air:"));
        QCOMPARE(hintOf(user::control(w, "TargetO2")),
                 QStringLiteral("Pressure in PSI|Pressure in PSI (Pounds per Square Inch)"));
        QVERIFY(hintOf(w->findChild<QWidget *>(QStringLiteral("Bevel1"))).startsWith(QStringLiteral("Be carefull")));
        QVERIFY(main.action(QStringLiteral("GasBlending2")));
    }

    void typedContents_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QStringList>("typing");   // box, text, box, text ...
        QTest::addColumn<QStringList>("expected");  // air, oxygen, helium, drain
        QTest::addColumn<QString>("status");

        QTest::newRow("3000 psi of air: drain first")
            << false << QStringList{"PSI", "3000"} << QStringList{"", "667.35", "0", "167.35"}
            << "Formular: Gas Mixing";
        QTest::newRow("metric trimix onto 50 bar of air")
            << true << QStringList{"xFo2", "21", "xFHe", "35", "PSI", "50"}
            << QStringList{"60.95", "18.70", "70.35", ""} << "Formular: Gas Mixing";
        QTest::newRow("too much oxygen: adjustment")
            << false << QStringList{"xFo2", "32", "CurrentxFO2", "40", "PSI", "3000"}
            << QStringList{"1479.87", "0.00", "0.00", "1479.87"} << "Formular: Gas Adjustment";
    }

    void typedContents()
    {
        QFETCH(bool, metric);
        QFETCH(QStringList, typing);
        WindowFixture program;
        chooseUnits(program.settings(), metric);
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        for (int i = 0; i < typing.size(); i += 2)
            type(w->findChild<QComboBox *>(typing.at(i)), typing.at(i + 1));
        QFETCH(QStringList, expected);
        QCOMPARE(results(w), localNumbers(expected));
        QTEST(status(w), "status");
        QVERIFY(program.dialogs().asked().isEmpty());
    }

    void noJumpKeepsTheMixingResults()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        type(list(w, "xFo2"), QStringLiteral("32"));
        type(list(w, "CurrentxFO2"), QStringLiteral("40"));
        type(list(w, "PSI"), QStringLiteral("3000"));
        button(w, "CheckBox1")->click();
        QCOMPARE(results(w), localNumbers(QStringList{"735.67", "-235.67", "0.00", ""}));
        QCOMPARE(status(w), QStringLiteral("Formular: Gas Mixing"));
    }

    void emptyTankIsAnIdealFill()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        button(w, "EmptytankCheck")->click();
        QCOMPARE(list(w, "CurrentxFO2")->currentText(), localNumbers("0"));
        QVERIFY(!list(w, "PSI")->isEnabled() && !button(w, "EmptyAutoCalcClick")->isEnabled());
        QCOMPARE(results(w), localNumbers(QStringList{"2847.35", "652.65", "0.00", ""}));
        button(w, "EmptytankCheck")->click();
        QCOMPARE(list(w, "CurrentxFO2")->currentText(), localNumbers("21"));
        QCOMPARE(results(w), localNumbers(QStringList{"2832.65", "667.35", "0.00", ""}));
    }

    void adjustButton()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        type(list(w, "xFo2"), QStringLiteral("50"));
        button(w, "SpeedButton2")->click();
        QCOMPARE(user::text(w, "DrainAir"), localNumbers("1290.21"));
        QCOMPARE(user::text(w, "TargetO2"), localNumbers("1290.21"));
        QCOMPARE(status(w), QStringLiteral("Formular: Gas Adjustment"));

        type(list(w, "xFo2"), QStringLiteral("21"));
        button(w, "SpeedButton2")->click();
        QCOMPARE(status(w), QStringLiteral("Nothing to drain"));

        type(list(w, "PSIG"), QString());
        QCOMPARE(user::text(w, "TargetAir"), localNumbers("3500.00")); // the mixing formula ends silently
        button(w, "SpeedButton2")->click();
        QCOMPARE(program.dialogs().messageTexts(),
                 QStringList{QStringLiteral("'' is not a valid floating point value")});
    }

    void drainBeyondTheContent_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Yes: purge with oxygen") << true << QStringList{"0.00", "3500.00", "0.00", ""};
        QTest::newRow("No: nothing to fill") << false << QStringList{"", "", "", ""};
    }

    void drainBeyondTheContent()
    {
        QFETCH(bool, yes);
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        type(list(w, "PSI"), QStringLiteral("500"));
        QStringList seen;
        program.dialogs().answerDialog([&seen, yes](QDialog &dialog) {
            auto &popup = dynamic_cast<TfmPopup &>(dialog);
            seen << popup.windowTitle() << popup.Problem->text() << popup.Solution->text()
                 << hintOf(popup.YesButton);
            return yes ? QDialog::Accepted : QDialog::Rejected;
        });
        type(list(w, "xFo2"), QStringLiteral("100"));
        QCOMPARE(seen, (QStringList{"Error message", "Too much nitrogen in current tank",
                                    "Drain tank and purge with Oxygen", "Proceed with suggested solution"}));
        QFETCH(QStringList, expected);
        QCOMPARE(results(w), localNumbers(expected));
        QCOMPARE(list(w, "PSI")->currentText(), yes ? localNumbers("0") : localNumbers("500"));
        QCOMPARE(list(w, "CurrentxFO2")->currentText(), yes ? localNumbers("100") : localNumbers("21"));
        QVERIFY(program.dialogs().unanswered().isEmpty());
    }

    void sumsAndMarkers()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        button(w, "EmptyAutoCalcClick")->click();
        QVERIFY(list(w, "CurrentxFN2")->isEnabled());
        type(list(w, "CurrentxFO2"), QStringLiteral("33.3"));
        QCOMPARE(status(w), QStringLiteral("Sum of Current of mix must equal 100%"));
        QCOMPARE(results(w), localNumbers(QStringList{"", "", "", ""}));
        type(list(w, "CurrentxFHe"), QStringLiteral("33.3"));
        type(list(w, "CurrentxFN2"), QStringLiteral("33.4"));
        QVERIFY2(!status(w).startsWith(QStringLiteral("Sum")), qPrintable(status(w)));
        QCOMPARE(gauge(w, "Gauge1")->value(), 100);

        type(list(w, "xFo2"), QStringLiteral("80"));
        type(list(w, "xFHe"), QStringLiteral("30"));
        QVERIFY(user::control(w, "Gauge2Label")->isVisibleTo(w));
        QVERIFY(!gauge(w, "Gauge2")->isVisibleTo(w));
        QCOMPARE(status(w), QStringLiteral("Sum of Desired mix must equal 100%"));
    }

    void unitSwitchResetsThePressures()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        type(list(w, "PSI"), QStringLiteral("1000"));
        type(list(w, "xFo2"), QStringLiteral("32"));
        button(w, "Metric")->click();
        QCOMPARE(list(w, "PSIG")->currentText(), localNumbers("200"));
        QCOMPARE(list(w, "PSI")->currentText(), localNumbers("0"));
        QCOMPARE(list(w, "xFo2")->currentText(), localNumbers("32"));
        QCOMPARE(list(w, "PSI")->count(), 31);
        button(w, "Metric")->click();
        QCOMPARE(list(w, "xFo2")->count(), 201);
        QCOMPARE(list(w, "PSIG")->currentText(), localNumbers("3500"));
    }

    // Recomputing while the blender corrects a pressure leaves the cursor where it is.
    void typingInTheMiddleOfABox()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        type(list(w, "PSI"), QStringLiteral("300"));
        QLineEdit *edit = list(w, "PSI")->lineEdit();
        edit->setCursorPosition(1);
        QTest::keyClick(edit, Qt::Key_5);
        QCOMPARE(list(w, "PSI")->currentText(), localNumbers("3500"));
        QCOMPARE(edit->cursorPosition(), 2);
        QCOMPARE(user::text(w, "DrainAir"), localNumbers("667.35"));
    }

    void topOffGas()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        button(w, "EanxRadio")->click();
        QVERIFY(list(w, "FillGasFractionO2")->isEnabled());
        QCOMPARE(user::text(w, "TargetAirLabel"), QStringLiteral("Fill EAN21:"));
        type(list(w, "FillGasFractionO2"), QStringLiteral("32"));
        QCOMPARE(user::text(w, "TargetAirLabel"), QStringLiteral("Fill EAN32:"));
        type(list(w, "FillGasFractionO2"), QStringLiteral("150"));
        QCOMPARE(list(w, "FillGasFractionO2")->currentText(), localNumbers("0"));
        button(w, "AirRadio")->click();
        QCOMPARE(list(w, "FillGasFractionO2")->currentText(), localNumbers("21"));
        QCOMPARE(user::text(w, "TargetAirLabel"), QStringLiteral("Fill Air:"));
    }

    // A mix handed over by the planner is computed as the same mix typed by a user.
    void handedMixIsComputedAsTyped_data()
    {
        QTest::addColumn<bool>("windowMetric");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QStringList>("mix"); // pressure, oxygen, helium, nitrogen
        QTest::addColumn<QString>("gas");
        QTest::addColumn<QString>("diver");
        QTest::addColumn<QString>("caption");
        QTest::newRow("nitrox for a named diver")
            << false << false << QStringList{"3000", "34.74", "0", "65.26"} << "Nitrox"
            << "Ann"
            << "Gas blending worksheet, Nitrox, Ann";
        QTest::newRow("metric trimix into an imperial worksheet")
            << false << true << QStringList{"200", "18.00", "45.00", "37.00"} << "Trimix"
            << ""
            << "Gas blending worksheet, Trimix";
        QTest::newRow("imperial nitrox into a metric worksheet")
            << true << false << QStringList{"3500", "40.00", "0", "60"} << "Nitrox"
            << "Bob"
            << "Gas blending worksheet, Nitrox, Bob";
    }

    void handedMixIsComputedAsTyped()
    {
        QFETCH(bool, windowMetric);
        QFETCH(bool, metric);
        QFETCH(QStringList, mix);
        QFETCH(QString, gas);
        QFETCH(QString, diver);
        WindowFixture program;
        chooseUnits(program.settings(), windowMetric);
        TMainForm &main = program.main();
        auto *handed = open<TfmParticialPressureMix>(main, "GasBlending1");
        QVERIFY(handed);
        const QStringList sent = localNumbers(mix);
        handed->apply({metric, sent.at(0), sent.at(1), sent.at(2), sent.at(3), gas, diver});
        QTEST(handed->windowTitle(), "caption");
        QCOMPARE(handed->isMetric(), metric);
        QCOMPARE(list(handed, "PSIG")->currentText(), sent.at(0));
        QCOMPARE(list(handed, "xFo2")->currentText(), sent.at(1));
        QCOMPARE(list(handed, "xFHe")->currentText(), sent.at(2));
        QVERIFY(button(handed, "AutoCalc")->isChecked());
        QVERIFY(!list(handed, "xFN2")->isEnabled());
        QVERIFY(program.dialogs().asked().isEmpty());

        // A user's keys pass through mixes on the way (a pressure of "3"):
        // the worksheet's questions on those are declined.
        auto *typed = open<TfmParticialPressureMix>(main, "GasBlending1");
        QVERIFY(typed);
        if (typed->isMetric() != metric)
            button(typed, "Metric")->click();
        type(list(typed, "PSIG"), mix.at(0));
        type(list(typed, "xFo2"), mix.at(1));
        type(list(typed, "xFHe"), mix.at(2));
        QCOMPARE(list(handed, "xFN2")->currentText(), list(typed, "xFN2")->currentText());
        QCOMPARE(results(handed), results(typed));
        QCOMPARE(status(handed), status(typed));
    }

    void loadMixOpensTheMixEditor()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        w->LoadMix();
        QCOMPARE(windows<TfmMixEditor>(main).size(), 1);
    }
};

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    TestBlendingWorksheet test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_blendingworksheet.moc"
