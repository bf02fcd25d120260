#include "blending/MixEditor.h"
#include "blending/ParticialPressureMix.h"
#include "blending/Popup.h"
#include "shell/Application.h"
#include "widgets/Hints.h"
#include "tests/blending/BlendTestSupport.h"
#include "tests/support/ScriptedDialogs.h"

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
    return {w->TargetAir->text(), w->TargetO2->text(), w->TargetHe->text(), w->DrainAir->text()};
}

QString status(const TfmParticialPressureMix *w) { return w->StatusBar1->currentMessage(); }

} // namespace

class TestBlendingWorksheet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestNumberFormat(); }

    void startsWithEan36IntoAnEmptyTank()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        chooseUnits(settings, false);
        TMainForm main;
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Gas blending worksheet"));
        QCOMPARE(w->PSIG->currentText(), localNumbers("3500"));
        QCOMPARE(w->xFN2->currentText(), localNumbers("64.00"));
        QCOMPARE(w->PSI->currentText(), localNumbers("0"));
        QCOMPARE(w->CurrentxFO2->currentText(), localNumbers("21"));
        QCOMPARE(w->CurrentxFN2->currentText(), localNumbers("79.00"));
        QCOMPARE(results(w), localNumbers(QStringList{"2832.65", "667.35", "0.00", ""}));
        QCOMPARE(status(w), QStringLiteral("Formular: Gas Mixing"));
        QCOMPARE(w->xFo2->count(), 201);
        QCOMPARE(w->CurrentxFN2->count(), 201);
        QCOMPARE(w->PSI->count(), 372);
        QCOMPARE(w->Gauge1->value(), 100);
        QCOMPARE(w->Gauge2->value(), 100);
        QVERIFY(!w->xFN2->isEnabled());
        QVERIFY(!w->FillGasFractionO2->isEnabled());
        QCOMPARE(w->TargetAirLabel->text(), QStringLiteral("Fill Air:"));
        QCOMPARE(hintOf(w->TargetO2), QStringLiteral("Pressure in PSI|Pressure in PSI (Pounds per Square Inch)"));
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
        TempSettings settings;
        ScriptedDialogs dialogs;
        chooseUnits(settings, metric);
        TMainForm main;
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        for (int i = 0; i < typing.size(); i += 2)
            type(w->findChild<QComboBox *>(typing.at(i)), typing.at(i + 1));
        QFETCH(QStringList, expected);
        QCOMPARE(results(w), localNumbers(expected));
        QTEST(status(w), "status");
        QVERIFY(dialogs.asked().isEmpty());
    }

    void noJumpKeepsTheMixingResults()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        chooseUnits(settings, false);
        TMainForm main;
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        type(w->xFo2, QStringLiteral("32"));
        type(w->CurrentxFO2, QStringLiteral("40"));
        type(w->PSI, QStringLiteral("3000"));
        w->CheckBox1->click();
        QCOMPARE(results(w), localNumbers(QStringList{"735.67", "-235.67", "0.00", ""}));
        QCOMPARE(status(w), QStringLiteral("Formular: Gas Mixing"));
    }

    void emptyTankIsAnIdealFill()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        chooseUnits(settings, false);
        TMainForm main;
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        w->EmptytankCheck->click();
        QCOMPARE(w->CurrentxFO2->currentText(), localNumbers("0"));
        QVERIFY(!w->PSI->isEnabled() && !w->EmptyAutoCalcClick->isEnabled());
        QCOMPARE(results(w), localNumbers(QStringList{"2847.35", "652.65", "0.00", ""}));
        w->EmptytankCheck->click();
        QCOMPARE(w->CurrentxFO2->currentText(), localNumbers("21"));
        QCOMPARE(results(w), localNumbers(QStringList{"2832.65", "667.35", "0.00", ""}));
    }

    void adjustButton()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        chooseUnits(settings, false);
        TMainForm main;
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        type(w->xFo2, QStringLiteral("50"));
        w->SpeedButton2->click();
        QCOMPARE(w->DrainAir->text(), localNumbers("1290.21"));
        QCOMPARE(w->TargetO2->text(), localNumbers("1290.21"));
        QCOMPARE(status(w), QStringLiteral("Formular: Gas Adjustment"));

        type(w->xFo2, QStringLiteral("21"));
        w->SpeedButton2->click();
        QCOMPARE(status(w), QStringLiteral("Nothing to drain"));

        type(w->PSIG, QString());
        QCOMPARE(w->TargetAir->text(), localNumbers("3500.00"));   // the mixing formula ends silently
        w->SpeedButton2->click();
        QCOMPARE(dialogs.messageTexts(), QStringList{QStringLiteral("'' is not a valid floating point value")});
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
        TempSettings settings;
        ScriptedDialogs dialogs;
        chooseUnits(settings, false);
        TMainForm main;
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        type(w->PSI, QStringLiteral("500"));
        QStringList seen;
        dialogs.answerDialog([&seen, yes](QDialog &dialog) {
            auto &popup = dynamic_cast<TfmPopup &>(dialog);
            seen << popup.windowTitle() << popup.Problem->text() << popup.Solution->text()
                 << hintOf(popup.YesButton);
            return yes ? QDialog::Accepted : QDialog::Rejected;
        });
        type(w->xFo2, QStringLiteral("100"));
        QCOMPARE(seen, (QStringList{"Error message", "Too much nitrogen in current tank",
                                    "Drain tank and purge with Oxygen", "Proceed with suggested solution"}));
        QFETCH(QStringList, expected);
        QCOMPARE(results(w), localNumbers(expected));
        QCOMPARE(w->PSI->currentText(), yes ? localNumbers("0") : localNumbers("500"));
        QCOMPARE(w->CurrentxFO2->currentText(), yes ? localNumbers("100") : localNumbers("21"));
        QVERIFY(dialogs.unanswered().isEmpty());
    }

    void sumsAndMarkers()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        chooseUnits(settings, false);
        TMainForm main;
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        w->EmptyAutoCalcClick->click();
        QVERIFY(w->CurrentxFN2->isEnabled());
        type(w->CurrentxFO2, QStringLiteral("33.3"));
        QCOMPARE(status(w), QStringLiteral("Sum of Current of mix must equal 100%"));
        QCOMPARE(results(w), localNumbers(QStringList{"", "", "", ""}));
        type(w->CurrentxFHe, QStringLiteral("33.3"));
        type(w->CurrentxFN2, QStringLiteral("33.4"));
        QVERIFY2(!status(w).startsWith(QStringLiteral("Sum")), qPrintable(status(w)));
        QCOMPARE(w->Gauge1->value(), 100);

        type(w->xFo2, QStringLiteral("80"));
        type(w->xFHe, QStringLiteral("30"));
        QVERIFY(w->Gauge2Label->isVisibleTo(w));
        QVERIFY(!w->Gauge2->isVisibleTo(w));
        QCOMPARE(status(w), QStringLiteral("Sum of Desired mix must equal 100%"));
    }

    void unitSwitchResetsThePressures()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        chooseUnits(settings, false);
        TMainForm main;
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        type(w->PSI, QStringLiteral("1000"));
        type(w->xFo2, QStringLiteral("32"));
        w->Metric->click();
        QCOMPARE(w->PSIG->currentText(), localNumbers("200"));
        QCOMPARE(w->PSI->currentText(), localNumbers("0"));
        QCOMPARE(w->xFo2->currentText(), localNumbers("32"));
        QCOMPARE(w->PSI->count(), 31);
        w->Metric->click();
        QCOMPARE(w->xFo2->count(), 201);
        QCOMPARE(w->PSIG->currentText(), localNumbers("3500"));
    }

    // Recomputing while the blender corrects a pressure leaves the cursor where it is.
    void typingInTheMiddleOfABox()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        chooseUnits(settings, false);
        TMainForm main;
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        type(w->PSI, QStringLiteral("300"));
        QLineEdit *edit = w->PSI->lineEdit();
        edit->setCursorPosition(1);
        QTest::keyClick(edit, Qt::Key_5);
        QCOMPARE(w->PSI->currentText(), localNumbers("3500"));
        QCOMPARE(edit->cursorPosition(), 2);
        QCOMPARE(w->DrainAir->text(), localNumbers("667.35"));
    }

    void topOffGas()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        chooseUnits(settings, false);
        TMainForm main;
        auto *w = open<TfmParticialPressureMix>(main, "GasBlending1");
        w->EanxRadio->click();
        QVERIFY(w->FillGasFractionO2->isEnabled());
        QCOMPARE(w->TargetAirLabel->text(), QStringLiteral("Fill EAN21:"));
        type(w->FillGasFractionO2, QStringLiteral("32"));
        QCOMPARE(w->TargetAirLabel->text(), QStringLiteral("Fill EAN32:"));
        type(w->FillGasFractionO2, QStringLiteral("150"));
        QCOMPARE(w->FillGasFractionO2->currentText(), localNumbers("0"));
        w->AirRadio->click();
        QCOMPARE(w->FillGasFractionO2->currentText(), localNumbers("21"));
        QCOMPARE(w->TargetAirLabel->text(), QStringLiteral("Fill Air:"));
    }

    void loadMixOpensTheMixEditor()
    {
        TempSettings settings;
        ScriptedDialogs dialogs;
        TMainForm main;
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
