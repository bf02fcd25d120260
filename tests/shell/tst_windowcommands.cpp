#include "shell/Main.h"
#include "tests/support/WindowFixture.h"
#include "widgets/ChildForm.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMultiHash>
#include <QtTest>

// Every command of the main window's menus, pop-up menu and toolbars opens a
// new window of its kind with its caption, each time it is used.
class TestWindowCommands final : public QObject
{
    Q_OBJECT

private slots:
    void opensItsWindow_data();
    void opensItsWindow();
    void menuKeysAreUnique_data();
    void menuKeysAreUnique();
    void ctrlF4OpensFillsWhateverWindowIsActive();
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
        {"DecompressionSchedule1", "TfmDecoSchedule", "Decompression schedule"},
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
    WindowFixture program;
    TMainForm &main = program.main();
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
    QVERIFY(program.dialogs().unanswered().isEmpty());
    // Closing frees the window.
    QPointer<TChildForm> first = children.at(0);
    main.mdiArea()->subWindowList().first()->close();
    QTRY_VERIFY(first.isNull());
}

namespace {

// Who holds each key while `child` is the active window: the main window's
// commands, the child's own (merged menus, toolbar, pop-up menu) and its frame.
QMultiHash<QKeySequence, QString> keyOwners(TMainForm &main, TChildForm *child)
{
    QMultiHash<QKeySequence, QString> owners;
    auto add = [&](const QAction *command, const QString &where) {
        for (const QKeySequence &key : command->shortcuts())
            if (!key.isEmpty())
                owners.insert(key, where + u'/' + command->objectName() + u' ' + command->text());
    };
    auto insideFrames = [&](const QObject *object) {
        for (; object; object = object->parent())
            if (object == main.mdiArea())
                return true;
        return false;
    };
    for (const QAction *command : main.findChildren<QAction *>())
        if (!insideFrames(command))
            add(command, QStringLiteral("main"));
    for (const QAction *command : child->findChildren<QAction *>())
        add(command, QStringLiteral("child"));
    auto *frame = qobject_cast<QMdiSubWindow *>(child->parentWidget());
    for (const QAction *command : frame->systemMenu()->actions())
        add(command, QStringLiteral("frame"));
    return owners;
}

} // namespace

void TestWindowCommands::menuKeysAreUnique_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"NitroxCalculations1", "SurfaceAirConsumption1", "GasCalculations1", "Content1",
                                "SizeConversion1", "Temperatures1", "FeetMeters1", "Fahtoms1", "NauticalMiles1",
                                "BottomTime1", "GasBlending1", "Fills1", "GasMixEditor1", "NewNotepad1",
                                "DecompressionSchedule1"})
        QTest::newRow(command) << QString::fromLatin1(command);
}

void TestWindowCommands::menuKeysAreUnique()
{
    QFETCH(QString, command);
    WindowFixture program;
    TMainForm &main = program.main();
    main.show();
    main.action(command)->trigger();
    TChildForm *child = main.activeChild();
    QVERIFY(child);
    const QMultiHash<QKeySequence, QString> owners = keyOwners(main, child);
    for (const QKeySequence &key : owners.uniqueKeys()) {
        const QStringList holders = owners.values(key);
        QVERIFY2(holders.size() == 1, qPrintable(key.toString() + QStringLiteral(" is held by ") + holders.join(", ")));
    }
}

void TestWindowCommands::ctrlF4OpensFillsWhateverWindowIsActive()
{
    WindowFixture program;
    TMainForm &main = program.main();
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    for (const char *command : {"NitroxCalculations1", "NewNotepad1", "GasBlending1"}) {
        main.action(QString::fromLatin1(command))->trigger();
        TChildForm *active = main.activeChild();
        const int before = main.childForms().size();
        QTest::keyClick(active->focusWidget() ? active->focusWidget() : active, Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(main.childForms().size(), before + 1);
        QCOMPARE(QString::fromLatin1(main.activeChild()->metaObject()->className()), QStringLiteral("TfmtNixtroFill"));
        QVERIFY(main.childForms().contains(active));
    }
    QVERIFY(program.dialogs().unanswered().isEmpty());
}

QTEST_MAIN(TestWindowCommands)
#include "tst_windowcommands.moc"
