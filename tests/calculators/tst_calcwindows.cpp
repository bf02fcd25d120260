#include "calculators/Childwin.h"
#include "calculators/Distance.h"
#include "calculators/Fathoms.h"
#include "calculators/GasCalcu.h"
#include "calculators/GasNeedsRequest.h"
#include "calculators/IMTankConvert.h"
#include "calculators/Nautical.h"
#include "calculators/TankContent.h"
#include "calculators/Temperature.h"
#include "calculators/Timings.h"
#include "calculators/ToSac.h"
#include "core/NumText.h"
#include "shell/MDIEdit.h"
#include "shell/Main.h"
#include "tests/support/TestNumbers.h"
#include "tests/support/UserDriver.h"
#include "tests/support/WindowFixture.h"
#include "widgets/MShape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

#include <memory>

namespace {
// A main window over a private settings file that starts in the given units.
struct Program : WindowFixture
{
    explicit Program(bool metric, const QByteArray &moreSettings = {})
        : WindowFixture("[Measurements]\nMetric=" + QByteArray(metric ? "1" : "0") + "\n" + moreSettings)
    {
    }

    template <typename Form>
    Form *open(const char *command)
    {
        const int before = main().childForms().size();
        main().action(QString::fromLatin1(command))->trigger();
        const auto children = main().childForms();
        if (children.size() != before + 1)
            return nullptr;
        return qobject_cast<Form *>(children.last());
    }

    QString unitsPanel() { return main().findChild<QLabel *>("UnitsPanel")->text(); }

    // The text of the newest note window.
    QString lastNote()
    {
        const auto children = main().childForms();
        auto *note = qobject_cast<TEditForm *>(children.last());
        return note ? note->Editor->toPlainText() : QStringLiteral("<no note>");
    }
};

template <typename W>
W *control(QWidget *form, const char *name)
{
    W *w = form->findChild<W *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

QString text(QWidget *form, const char *name) { return user::text(form, QString::fromLatin1(name)); }

// The user types a number written with "." in the separators of the run.
void type(QWidget *form, const char *name, const QString &value)
{
    user::type(form, QString::fromLatin1(name), localNumbers(value));
}

void setValue(QWidget *form, const char *name, int value) { user::type(form, QString::fromLatin1(name), IntToStr(value)); }
int value(QWidget *form, const char *name) { return control<QSpinBox>(form, name)->value(); }

void closeWindow(QWidget *form) { form->parentWidget()->close(); }

// The named controls of `form` in the order Tab visits them, among `names`.
QStringList tabSequence(QWidget *form, const QStringList &names)
{
    QStringList visited;
    QWidget *next = form->nextInFocusChain();
    while (next && next != form) {
        if (form->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && names.contains(next->objectName())
            && !visited.contains(next->objectName()))
            visited << next->objectName();
        next = next->nextInFocusChain();
    }
    return visited;
}

// Keys of a section in the order they stand in the settings file.
QStringList keysInOrder(const QByteArray &contents)
{
    QStringList keys;
    for (const QByteArray &line : contents.split('\n'))
        if (line.contains('='))
            keys << QString::fromLatin1(line.left(line.indexOf('=')));
    return keys;
}
} // namespace

class TestCalcWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestNumberFormat(); }

    void tabFollowsTheLayout_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("nitrox EAD page")
            << "NitroxCalculations1" << QStringList{"BottomMixO2", "EADDepth", "TrackBar2", "Edit2", "BitBot3"};
        QTest::newRow("surface air consumption")
            << "SurfaceAirConsumption1"
            << QStringList{"Metric", "PSI", "Tanksize", "Depth", "GasUsed", "TrackBar1", "GasUsedOverMin",
                           "TrackBar2", "BitBot1"};
        QTest::newRow("gas needs")
            << "GasCalculations1"
            << QStringList{"Gas", "PSI", "Bre_Rate", "Depth", "BitBot1", "Memo1", "NDepth", "N_Time", "NBre_rate",
                           "BitBot2", "Memo2"};
        QTest::newRow("fathoms") << "Fahtoms1" << QStringList{"F", "C", "TrackBar1", "TrackBar2", "Metric", "BitBot1"};
        QTest::newRow("nautical miles")
            << "NauticalMiles1" << QStringList{"F", "C", "TrackBar1", "TrackBar2", "RadioGroup1", "BitBot1"};
        QTest::newRow("bottom time") << "BottomTime1" << QStringList{"TH", "TM", "BH", "BM", "Edit4", "Edit5"};
    }

    void tabFollowsTheLayout()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, order);
        Program program(true);
        auto *form = program.open<TChildForm>(command.toLatin1().constData());
        QVERIFY(form);
        // The choices of a radio group stand for the group itself.
        for (QRadioButton *item : form->findChildren<QRadioButton *>())
            item->setObjectName(item->parentWidget()->objectName());
        QCOMPARE(tabSequence(form, order), order);
    }

    void activeControlOnOpen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("control");
        QTest::newRow("gas needs") << "GasCalculations1" << "Gas";
        QTest::newRow("temperature") << "Temperatures1" << "F";
        QTest::newRow("distance") << "btnFeetMeter" << "F";
    }

    void activeControlOnOpen()
    {
        QFETCH(QString, command);
        QFETCH(QString, control);
        Program program(false);
        program.main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.main()));
        auto *form = program.open<TChildForm>(command.toLatin1().constData());
        QVERIFY(form);
        QTRY_VERIFY(QApplication::focusWidget());
        QWidget *focused = QApplication::focusWidget();
        // The edit line inside a box stands for the box.
        if (!form->findChild<QWidget *>(control)->isAncestorOf(focused))
            QCOMPARE(focused->objectName(), control);
    }

    void nitroxBestMixAndUnitSwitch()
    {
        Program program(true);
        auto *form = program.open<TFmNitrox>("NitroxCalculations1");
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("NITROX Calculations"));
        QCOMPARE(value(form, "Depth"), 30);
        QCOMPARE(value(form, "EADDepth"), 40);
        QCOMPARE(text(form, "PO2"), localNumbers("1.6"));
        QCOMPARE(control<QSlider>(form, "TrackBar1")->value(), 30);
        type(form, "PO2", "1.4");
        QCOMPARE(text(form, "NITROXMix"), localNumbers("4.000000"));
        QCOMPARE(text(form, "Label2"), localNumbers("35.0000 % oxygen.  "));
        QCOMPARE(program.unitsPanel(), QStringLiteral("Units: Metric"));

        control<QCheckBox>(form, "Metric")->click();
        QCOMPARE(value(form, "Depth"), 98);
        QCOMPARE(text(form, "Label14"), localNumbers("feet"));
        QCOMPARE(control<QSpinBox>(form, "Depth")->toolTip(), QStringLiteral("Depth in Feet - FSW"));
        QCOMPARE(program.unitsPanel(), QStringLiteral("Units: Imperial"));
        control<QCheckBox>(form, "Metric")->click();
        QCOMPARE(value(form, "Depth"), 30);
        QCOMPARE(text(form, "Label4"), localNumbers("meters"));
    }

    void nitroxModEadAndNotes()
    {
        Program program(false);
        auto *form = program.open<TFmNitrox>("btnNitrox");
        QVERIFY(form);
        QCOMPARE(value(form, "Depth"), 82);
        QCOMPARE(value(form, "EADDepth"), 427);
        type(form, "MODPO2", "1.4");
        type(form, "MODEAN", "32");
        QCOMPARE(text(form, "Edit1"), localNumbers("111.3750"));
        setValue(form, "EADDepth", 130);
        QCOMPARE(text(form, "Edit2"), localNumbers("107.30"));
        QCOMPARE(control<QSlider>(form, "TrackBar2")->value(), 130);

        control<QPushButton>(form, "BitBot2")->click();
        QCOMPARE(program.lastNote(), localNumbers("Maximum Operating Depth for a 32 % oxygen mix with max 1.4 "
                                                  "ATA is 111.3750 feet"));
        control<QPushButton>(form, "BitBot3")->click();
        QCOMPARE(program.lastNote(),
                 localNumbers("Equivalent Air Depth for a 32 % oxygen mix at 130 feet is 107.30 feet."));
    }

    void nitroxBadInputKeepsResults()
    {
        Program program(true);
        auto *form = program.open<TFmNitrox>("NitroxCalculations1");
        type(form, "PO2", "1.4");
        type(form, "PO2", "1.4x");
        QCOMPARE(program.dialogs().messageTexts(),
                 localNumbers(QStringList{"'1.4x' is not a valid floating point value"}));
        QCOMPARE(text(form, "Label2"), localNumbers("35.0000 % oxygen.  "));
        type(form, "MODPO2", "1.4");
        const QString mod = text(form, "Edit1");
        type(form, "MODEAN", "0");
        QCOMPARE(program.dialogs().messageTexts().size(), 2);
        QCOMPARE(text(form, "Edit1"), mod);
    }

    void depthBeyondSliderStays()
    {
        Program program(true);
        auto *form = program.open<TFmNitrox>("NitroxCalculations1");
        setValue(form, "Depth", 600);
        QCOMPARE(value(form, "Depth"), 600);
        QCOMPARE(control<QSlider>(form, "TrackBar1")->value(), 500);
        control<QSlider>(form, "TrackBar1")->setValue(20);
        QCOMPARE(value(form, "Depth"), 20);
    }

    void sacExampleAndClosingWrites()
    {
        Program program(false);
        auto *form = program.open<TfmPSIToCuFtSAC>("SurfaceAirConsumption1");
        QVERIFY(form);
        QCOMPARE(text(form, "GasUsed"), localNumbers("3500"));
        type(form, "Tanksize", "80");
        type(form, "PSI", "3000");
        setValue(form, "Depth", 33);
        type(form, "GasUsed", "600");
        type(form, "GasUsedOverMin", "10");
        const QString result = localNumbers("Your SAC is 0.80 CuFt/Min or 30.00 PSI/Min\n\n(22.65 Liters/Min)");
        QCOMPARE(text(form, "MyResult"), result);
        QCOMPARE(control<QSlider>(form, "TrackBar1")->maximum(), 3000);
        QCOMPARE(control<QSlider>(form, "TrackBar1")->tickInterval(), 300);

        type(form, "GasUsedOverMin", "0");
        QCOMPARE(text(form, "MyResult"), result);
        QVERIFY(program.dialogs().messageTexts().isEmpty());

        control<QPushButton>(form, "BitBot1")->click();
        QCOMPARE(program.lastNote(), QStringLiteral("Breathing test\nTank Certified to:  3000 PSI\nSize 80 CuFt\n"
                                                    "Breathing test performed at  33 feet\n"
                                                    "Gas used 600 PSI over 0 minutes\n\n") + result);

        closeWindow(form);
        QCOMPARE(keysInOrder(program.settings().contents()).filter("Tank"),
                 (QStringList{"PresurizeTankI", "FillTankI"}));
        auto *next = program.open<TfmPSIToCuFtSAC>("btnSAC");
        QCOMPARE(text(next, "Tanksize"), localNumbers("80"));
        QCOMPARE(text(next, "PSI"), localNumbers("3000"));
    }

    void sacDecimalsRaiseAfterResult()
    {
        Program program(true);
        auto *form = program.open<TfmPSIToCuFtSAC>("SurfaceAirConsumption1");
        type(form, "Tanksize", "12");
        type(form, "PSI", "200");
        setValue(form, "Depth", 10);
        type(form, "GasUsedOverMin", "10");
        type(form, "GasUsed", "40.5");
        QCOMPARE(text(form, "MyResult"),
                 localNumbers("Your SAC is 24.30 Litres/Min or 2.03 BAR/Min\n\n(0.86 CuFt/Min)"));
        QCOMPARE(program.dialogs().messageTexts().last(), localNumbers("'40.5' is not a valid integer value"));
    }

    void tankListRememberedPerUnitSystem()
    {
        Program program(true);
        auto *form = program.open<TfmTankContent>("Content1");
        type(form, "Tanksize1", "12");
        closeWindow(form);
        auto *metric = program.open<TfmTankContent>("btnContent");
        QCOMPARE(text(metric, "Tanksize1"), localNumbers("12"));
        control<QCheckBox>(metric, "Metric")->click();
        QCOMPARE(text(metric, "Tanksize1"), localNumbers("240"));
    }

    void gasNeedsPages()
    {
        Program program(false);
        auto *form = program.open<TfmGasCalc>("GasCalculations1");
        QVERIFY(form);
        QVERIFY(!control<QComboBox>(form, "PSI")->isEnabled());
        QCOMPARE(value(form, "Depth"), 100);
        type(form, "Gas", "80");
        setValue(form, "Depth", 66);
        type(form, "Bre_Rate", "1.0");
        QVERIFY2(text(form, "Memo1").contains(localNumbers("Your  80.0 CuFt is now only  26.7 CuFt. \n")), qPrintable(text(form, "Memo1")));
        QVERIFY(text(form, "Memo1").contains(localNumbers("for 26.67 minutes.")));
        type(form, "Bre_Rate", "0");
        QVERIFY(text(form, "Memo1").contains(localNumbers("for 26.67 minutes.")));

        control<QCheckBox>(form, "Metric")->click();
        QVERIFY(control<QComboBox>(form, "PSI")->isEnabled());
        QCOMPARE(value(form, "NDepth"), 30);
        setValue(form, "N_Time", 20);
        type(form, "NBre_rate", "25");
        QVERIFY(text(form, "Memo2").startsWith(localNumbers("At 30 meters the absolute pressure is 4.00 ATA. \n")));
        QVERIFY(text(form, "Memo2").contains(localNumbers("you need 2000.00 Litres of gas to stay for 20 minutes.")));
        control<QPushButton>(form, "BitBot2")->click();
        QCOMPARE(program.lastNote(), text(form, "Memo2"));
    }

    // A stay handed over by the planner is answered as the same stay typed by a user.
    void gasNeedsTakesAHandedStay_data()
    {
        QTest::addColumn<bool>("windowMetric");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("need"); // what the answer says, "" for no check beyond the typed one
        QTest::newRow("metric stay, imperial window: the units switch")
            << false << true << 30 << 20 << "25"
            << "you need 2000.00 Litres of gas to stay for 20 minutes.";
        QTest::newRow("imperial stay, imperial window") << false << false << 99 << 37 << "0.8"
                                                        << "";
        QTest::newRow("imperial stay, metric window: the units switch") << true << false << 130 << 1 << "1.25"
                                                                        << "";
        QTest::newRow("no time at the depth") << true << true << 40 << 0 << "20"
                                              << "";
    }

    void gasNeedsTakesAHandedStay()
    {
        QFETCH(bool, windowMetric);
        QFETCH(bool, metric);
        QFETCH(int, depth);
        QFETCH(int, minutes);
        QFETCH(QString, rate);
        QFETCH(QString, need);
        Program program(windowMetric);
        auto *handed = program.open<TfmGasCalc>("GasCalculations1");
        QVERIFY(handed);
        handed->apply({metric, depth, minutes, localNumbers(rate)});
        QCOMPARE(control<QCheckBox>(handed, "Metric")->isChecked(), metric);
        QCOMPARE(control<QTabWidget>(handed, "PageControl1")->currentWidget()->objectName(),
                 QStringLiteral("HowMuchAir"));
        QCOMPARE(value(handed, "NDepth"), depth);
        QCOMPARE(value(handed, "N_Time"), minutes);
        QCOMPARE(text(handed, "NBre_rate"), localNumbers(rate));
        QVERIFY(text(handed, "Memo2").contains(localNumbers(need)));

        auto *typed = program.open<TfmGasCalc>("GasCalculations1");
        QVERIFY(typed);
        if (windowMetric != metric)
            control<QCheckBox>(typed, "Metric")->click();
        control<QTabWidget>(typed, "PageControl1")->setCurrentIndex(1);
        setValue(typed, "NDepth", depth);
        setValue(typed, "N_Time", minutes);
        type(typed, "NBre_rate", rate);
        QCOMPARE(text(handed, "Memo2"), text(typed, "Memo2"));
        QVERIFY(program.dialogs().asked().isEmpty());
    }

    void tankContentExamples()
    {
        Program program(true);
        auto *form = program.open<TfmTankContent>("Content1");
        type(form, "Tanksize1", "12");
        type(form, "CurrentPressure", "150");
        QCOMPARE(text(form, "Label9"), localNumbers("The tank currently contains 1800 Litres."));
        type(form, "PSI1", "232");
        QCOMPARE(text(form, "CurrentPressure"), localNumbers("232"));
        control<QCheckBox>(form, "Metric")->click();
        type(form, "PSI1", "3000");
        type(form, "Tanksize1", "80");
        type(form, "CurrentPressure", "1500");
        QCOMPARE(text(form, "Label9"), localNumbers("The tank currently contains 40.00 CuFt."));
        type(form, "CurrentPressure", "abc");
        QCOMPARE(text(form, "Label9"), localNumbers("The tank currently contains 40.00 CuFt."));
        QCOMPARE(program.dialogs().messageTexts().last(), QStringLiteral("'abc' is not a valid floating point value"));
    }

    void tankConverterPagesAndClosingWrites()
    {
        Program program(true);
        auto *form = program.open<TfmIMTankConverter>("SizeConversion1");
        QVERIFY(form);
        auto *pages = control<QTabWidget>(form, "PageControl1");
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("MI"));
        QCOMPARE(program.unitsPanel(), QStringLiteral("Units: Metric"));
        type(form, "MTanksize", "12");
        type(form, "MCertified", "200");
        QCOMPARE(text(form, "Label10"), localNumbers("84.76 CuFt with 2900.8 PSI.\n 2400 free litres."));
        pages->setCurrentIndex(0);
        QCOMPARE(program.unitsPanel(), QStringLiteral("Units: Imperial"));
        type(form, "ICertified", "3000");
        type(form, "ITanksize", "80");
        QCOMPARE(text(form, "Label2"), localNumbers("10.96 litres with 206.8 BAR. \n 2267 free litres"));
        control<QPushButton>(form, "BitBot1")->click();
        QCOMPARE(program.lastNote(), localNumbers("Tank, Imperial mesurements\nCertified to:  3000 PSI\nSize 80 CuFt\n"
                                                  "Equals Tank, Metric mesurements\n"
                                                  "10.96 litres with 206.8 BAR. \n 2267 free litres"));
        closeWindow(form);
        QCOMPARE(keysInOrder(program.settings().contents()).filter("Tank"),
                 (QStringList{"PresurizeTankM", "FillTankM", "PresurizeTankI", "FillTankI"}));
    }

    void temperatureAndDistance()
    {
        Program program(false);
        auto *temperature = program.open<TfmTemperature>("Temperatures1");
        QVERIFY(temperature);
        setValue(temperature, "F", 33);
        setValue(temperature, "F", 32);
        QCOMPARE(text(temperature, "Label3"), localNumbers("32 degree Fahrenheit equals 0.00 degree Centigrade"));
        setValue(temperature, "C", -40);
        QCOMPARE(text(temperature, "Label3"), localNumbers("-40 degree Centigrade equals -40.00 degree Fahrenheit"));
        QCOMPARE(control<QSlider>(temperature, "TrackBar2")->value(), -40);

        auto *distance = program.open<TfmDistance>("btnFeetMeter");
        QVERIFY(distance);
        setValue(distance, "C", 3281);
        QCOMPARE(text(distance, "Label3"), localNumbers("3281 meters equals 10,764.40 feet"));
        control<QSlider>(distance, "TrackBar1")->setValue(100);
        QCOMPARE(text(distance, "Label3"), localNumbers("100 feet equals 30.48 meters"));
        control<QPushButton>(distance, "BitBot1")->click();
        QCOMPARE(program.lastNote(), localNumbers("100 feet equals 30.48 meters"));
    }

    void fathomsFollowTheirMetricBox()
    {
        Program program(false);
        auto *form = program.open<TfmFathoms>("Fahtoms1");
        QVERIFY(form);
        QCOMPARE(text(form, "Label3"), QString());
        setValue(form, "F", 10);
        QCOMPARE(text(form, "Label3"), localNumbers("10 Fahtoms equals 60.00 feet"));
        control<QCheckBox>(form, "Metric")->click();
        QCOMPARE(text(form, "Label2"), localNumbers("meters"));
        QCOMPARE(text(form, "Label3"), localNumbers("10 Fahtoms equals 18.29 meters"));
        QCOMPARE(program.unitsPanel(), QStringLiteral("Units: Imperial"));
        control<QCheckBox>(form, "Metric")->click();
        setValue(form, "C", 60);
        QCOMPARE(text(form, "Label3"), localNumbers("60 feet equals 10.00 Fahtoms"));
        // Beyond what the box lets a user type: only code can set it.
        control<QSpinBox>(form, "F")->setValue(400000000);
        QCOMPARE(program.dialogs().messageTexts().last(), QStringLiteral("Integer overflow"));
        QCOMPARE(text(form, "Label3"), localNumbers("60 feet equals 10.00 Fahtoms"));
    }

    void nauticalMilesUnitChoice()
    {
        Program program(true);
        auto *form = program.open<TfmNauticalMiles>("NauticalMiles1");
        QVERIFY(form);
        auto *meters = form->findChildren<QRadioButton *>().at(2);
        meters->click();
        QCOMPARE(text(form, "Label3"), localNumbers("0 Intl.Nautical miles equals 0.00 Meters"));
        setValue(form, "F", 1);
        QCOMPARE(text(form, "Label3"), localNumbers("1 Intl.Nautical miles equals 1852.00 Meters"));
        setValue(form, "C", 1000);
        form->findChildren<QRadioButton *>().at(4)->click();
        QCOMPARE(text(form, "Label3"), localNumbers("1000 Miles equals 1000.64 Intl.Nautical miles"));
        QCOMPARE(text(form, "Label2"), localNumbers("Miles"));
        QCOMPARE(control<QLabel>(form, "Label2")->toolTip(), QStringLiteral("British Nautical Miles"));
    }

    void bottomTimeRunningTotal()
    {
        Program program(true);
        auto *form = program.open<TfmtTimeCalcs>("BottomTime1");
        QVERIFY(form);
        QCOMPARE(text(form, "Edit5"), localNumbers("00:00"));
        QCOMPARE(text(form, "Edit4"), QString());
        QVERIFY(form->findChild<TMultiShape *>("MultiShape1"));
        setValue(form, "TH", 10);
        setValue(form, "TM", 45);
        setValue(form, "BM", 30);
        QCOMPARE(text(form, "Edit4"), localNumbers("11:15"));
        QCOMPARE(text(form, "Edit5"), localNumbers("11:15"));
        closeWindow(form);
        QCOMPARE(keysInOrder(program.settings().contents()), (QStringList{"Metric", "TotalTime", "Hours", "Minutes"}));

        auto *next = program.open<TfmtTimeCalcs>("btnTime");
        QCOMPARE(value(next, "TH"), 11);
        QCOMPARE(value(next, "TM"), 15);
        QCOMPARE(text(next, "Edit5"), localNumbers("11:15"));
        setValue(next, "BH", 5);
        setValue(next, "BM", 5);
        QCOMPARE(text(next, "Edit4"), localNumbers("16:20"));
    }

    void bottomTimeMinutesWrap()
    {
        Program program(true);
        auto *form = program.open<TfmtTimeCalcs>("BottomTime1");
        setValue(form, "BH", 5);
        setValue(form, "BM", 5);
        QCOMPARE(text(form, "Edit4"), localNumbers(" 5:05"));
        setValue(form, "TM", 59);
        control<QSpinBox>(form, "TM")->stepUp();
        QCOMPARE(value(form, "TM"), 0);
        QCOMPARE(value(form, "TH"), 0);
        QCOMPARE(text(form, "Edit4"), localNumbers(" 5:05"));
        control<QSpinBox>(form, "BM")->setValue(0);
        control<QSpinBox>(form, "BM")->stepDown();
        QCOMPARE(value(form, "BM"), 59);
        QCOMPARE(text(form, "Edit4"), localNumbers(" 5:59"));
    }
};

QTEST_MAIN(TestCalcWindows)
#include "tst_calcwindows.moc"
