#include "shell/Main.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempSettings.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

// Every command of the main window's menus, pop-up menu and toolbars opens a
// new window of its kind with its caption, each time it is used.
class TestWindowCommands final : public QObject
{
    Q_OBJECT

private slots:
    void opensItsWindow_data();
    void opensItsWindow();
};

void TestWindowCommands::opensItsWindow_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    const struct { const char *command, *className, *caption; } rows[] = {
        {"FeetMeters1", "TfmDistance", "Distance"},
        {"Temperatures1", "TfmTemperature", "Temperature"},
        {"Fahtoms1", "TfmFathoms", "Fahtoms, depth at sea"},
        {"NauticalMiles1", "TfmNauticalMiles", "Nautical miles"},
        {"GasBlending1", "TfmParticialPressureMix", "Gas blending worksheet"},
        {"GasMixEditor1", "TfmMixEditor", "Mix Editor"},
        {"Content1", "TfmTankContent", "Tank content"},
        {"Fills1", "TfmtNixtroFill", "NITROX Fills"},
        {"SizeConversion1", "TfmIMTankConverter", "Tank Converter"},
        {"NitroxCalculations1", "TFmNitrox", "NITROX Calculations"},
        {"BottomTime1", "TfmtTimeCalcs", "Bottom time calculations"},
        {"SurfaceAirConsumption1", "TfmPSIToCuFtSAC", "Surface Air Consumption"},
        {"GasCalculations1", "TfmGasCalc", "Gas calculations"},
        {"NewNotepad1", "TEditForm", "Untitled"},
        {"GasBlending2", "TfmParticialPressureMix", "Gas blending worksheet"},
        {"FeetMeters2", "TfmDistance", "Distance"},
        {"Temperatures2", "TfmTemperature", "Temperature"},
        {"Fahtoms2", "TfmFathoms", "Fahtoms, depth at sea"},
        {"NauticalMiles2", "TfmNauticalMiles", "Nautical miles"},
        {"btnBlend", "TfmParticialPressureMix", "Gas blending worksheet"},
        {"btnSAC", "TfmPSIToCuFtSAC", "Surface Air Consumption"},
        {"btnGas", "TfmGasCalc", "Gas calculations"},
        {"btnNitrox", "TFmNitrox", "NITROX Calculations"},
        {"btnFills", "TfmtNixtroFill", "NITROX Fills"},
        {"btnTemperature", "TfmTemperature", "Temperature"},
        {"btnTime", "TfmtTimeCalcs", "Bottom time calculations"},
        {"btnFahtoms", "TfmFathoms", "Fahtoms, depth at sea"},
        {"btnContent", "TfmTankContent", "Tank content"},
        {"btnTankSizes", "TfmIMTankConverter", "Tank Converter"},
        {"btnFeetMeter", "TfmDistance", "Distance"},
        {"btnNauticalMiles", "TfmNauticalMiles", "Nautical miles"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.command) << QString::fromLatin1(r.command) << QString::fromLatin1(r.className)
                                 << QString::fromLatin1(r.caption);
}

void TestWindowCommands::opensItsWindow()
{
    QFETCH(QString, command);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    TempSettings settings;
    ScriptedDialogs dialogs;
    TMainForm main;
    main.show();
    QAction *action = main.action(command);
    QVERIFY2(action, qPrintable(command));
    QVERIFY(action->isEnabled());
    action->trigger();
    action->trigger();
    const QList<TChildForm *> children = main.childForms();
    QCOMPARE(children.size(), 2);
    QVERIFY(children.at(0) != children.at(1));
    for (TChildForm *child : children) {
        QCOMPARE(QString::fromLatin1(child->metaObject()->className()), className);
        QCOMPARE(child->windowTitle(), caption);
    }
    QVERIFY(dialogs.unanswered().isEmpty());
    // Closing frees the window.
    QPointer<TChildForm> first = children.at(0);
    main.mdiArea()->subWindowList().first()->close();
    QTRY_VERIFY(first.isNull());
}

QTEST_MAIN(TestWindowCommands)
#include "tst_windowcommands.moc"
