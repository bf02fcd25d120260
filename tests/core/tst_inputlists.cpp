#include "core/InputLists.h"
#include "core/SettingsFile.h"
#include "core/Units.h"
#include "tests/support/TempSettings.h"
#include "tests/support/WaterTypeScope.h"

#include <QtTest>

namespace {
// A list held in memory that records the order of the fill steps.
class RecordingList final : public InputList
{
public:
    void setEntries(const QStringList &entries) override
    {
        m_entries = entries;
        steps << QStringLiteral("entries");
    }
    QStringList entries() const override { return m_entries; }
    void setText(const QString &text) override
    {
        m_text = text;
        steps << QStringLiteral("text");
    }
    QString text() const override { return m_text; }
    void setHint(const QString &hint) override { this->hint = hint; }
    void setSelectedIndex(int index) override
    {
        selected = index;
        steps << QStringLiteral("select");
    }

    QString hint;
    int selected = -1;
    QStringList steps;

private:
    QStringList m_entries;
    QString m_text;
};

} // namespace

class TestInputLists : public QObject
{
    Q_OBJECT
private slots:
    void freshSettingsShowDefaults_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("tank");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<QString>("selectedEntry");
        QTest::addColumn<QString>("breathingRate");
        QTest::newRow("metric") << true << "28" << "200" << "232" << "25";
        QTest::newRow("imperial") << false << "240" << "3500" << "3190" << "1";
    }
    void freshSettingsShowDefaults()
    {
        QFETCH(QString, tank);
        QFETCH(QString, pressure);
        QFETCH(QString, selectedEntry);
        QFETCH(QString, breathingRate);
        QFETCH(bool, metric);
        TempSettings settings;
        RecordingList tanks, pressures, rates;
        FillTankSizeList(tanks, metric);
        FillPressureList(pressures, metric);
        FillBreathingRateList(rates, metric);
        QCOMPARE(tanks.text(), tank);
        QCOMPARE(pressures.text(), pressure);
        QCOMPARE(pressures.selected, 2);
        QCOMPARE(pressures.entries().at(pressures.selected), selectedEntry);
        QCOMPARE(rates.text(), breathingRate);
    }

    void fillOrderIsEntriesSelectionText()
    {
        TempSettings settings;
        RecordingList pressures;
        FillPressureList(pressures, true);
        QCOMPARE(pressures.steps, (QStringList{"entries", "select", "text"}));
    }

    void tablesAndHints_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QStringList>("tankEntries");
        QTest::addColumn<QString>("tankHint");
        QTest::addColumn<QStringList>("pressureEntries");
        QTest::addColumn<QString>("pressureHint");
        QTest::newRow("metric")
            << true << QStringList{"28", "20", "14", "12", "10", "9", "8", "7", "6", "5", "4", "3"}
            << "Tank size in Litres"
            << QStringList{"300", "241", "232", "220", "206", "200", "180"} << "Pressure in BAR";
        QTest::newRow("imperial")
            << false
            << QStringList{"240", "160", "120", "108", "104", "100", "95", "80", "70", "50", "45", "13"}
            << "Tank size in CuFt"
            << QStringList{"4000", "3500", "3190", "3000", "2640", "2475", "2450"}
            << "Pressure in PSI|Pressure in PSI (Pounds per Square Inch)";
    }
    void tablesAndHints()
    {
        QFETCH(QStringList, tankEntries);
        QFETCH(QString, tankHint);
        QFETCH(QStringList, pressureEntries);
        QFETCH(QString, pressureHint);
        QFETCH(bool, metric);
        TempSettings settings;
        RecordingList tanks, pressures;
        FillTankSizeList(tanks, metric);
        FillPressureList(pressures, metric);
        QCOMPARE(tanks.entries(), tankEntries);
        QCOMPARE(tanks.hint, tankHint);
        QCOMPARE(pressures.entries(), pressureEntries);
        QCOMPARE(pressures.hint, pressureHint);
    }

    void rememberedTankIsPerUnitSystem()
    {
        TempSettings settings;
        SettingsFile().writeInteger("Defaults", "FillTankM", 12);
        RecordingList metricTanks, imperialTanks;
        FillTankSizeList(metricTanks, true);
        FillTankSizeList(imperialTanks, false);
        QCOMPARE(metricTanks.text(), QStringLiteral("12"));
        QCOMPARE(imperialTanks.text(), QStringLiteral("240"));
    }

    void rememberedValuesOutsideTableOrBroken()
    {
        TempSettings settings;
        settings.write("[Defaults]\nPresurizeTankM=150\nFillTankI=abc\n");
        RecordingList pressures, tanks;
        FillPressureList(pressures, true);
        FillTankSizeList(tanks, false);
        QCOMPARE(pressures.text(), QStringLiteral("150"));
        QCOMPARE(tanks.text(), QStringLiteral("240"));
    }

    void breathingRateSteps_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("hint");
        QTest::newRow("metric") << true << 226 << "9.90" << "10.00" << "32.40"
                                << "Breathing rate in Litres/Min|Range between 9.91 and 32.57";
        QTest::newRow("imperial") << false << 17 << "0.35" << "0.40" << "1.15"
                                  << "Breathing rate in CuFt/Min|Range between 0.35 and 1.15";
    }
    void breathingRateSteps()
    {
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, last);
        QFETCH(QString, hint);
        QFETCH(bool, metric);
        TempSettings settings;
        RecordingList rates;
        FillBreathingRateList(rates, metric);
        QStringList entries = rates.entries();
        QCOMPARE(entries.size(), count);
        QCOMPARE(entries.first(), first);
        QCOMPARE(entries.at(1), second);
        QCOMPARE(entries.last(), last);
        QCOMPARE(rates.hint, hint);
        QCOMPARE(entries.removeDuplicates(), 0);
    }

    void ppO2Steps()
    {
        RecordingList ppo2;
        FillPPO2List(ppo2);
        QCOMPARE(ppo2.entries().size(), 13);
        QCOMPARE(ppo2.entries().first(), QStringLiteral("1.00"));
        QCOMPARE(ppo2.entries().at(9), QStringLiteral("1.45"));
        QCOMPARE(ppo2.entries().last(), QStringLiteral("1.60"));
        QCOMPARE(ppo2.text(), QStringLiteral("1.6"));
    }

    void pressureSteps_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("last");
        QTest::newRow("metric") << true << 31 << "10" << "300";
        QTest::newRow("imperial") << false << 372 << "300" << "4000";
    }
    void pressureSteps()
    {
        QFETCH(int, count);
        QFETCH(QString, second);
        QFETCH(QString, last);
        QFETCH(bool, metric);
        RecordingList steps;
        FillPressureStepList(steps, metric);
        QCOMPARE(steps.entries().size(), count);
        QCOMPARE(steps.entries().first(), QStringLiteral("0"));
        QCOMPARE(steps.entries().at(1), second);
        QCOMPARE(steps.entries().last(), last);
        QCOMPARE(steps.text(), QStringLiteral("0"));
    }

    void unitWords_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<bool>("salt");
        QTest::addColumn<QString>("words");
        QTest::newRow("metric salt") << true << true << "BAR Litres meters M MSW";
        QTest::newRow("metric fresh") << true << false << "BAR Litres meters M MFW";
        QTest::newRow("imperial salt") << false << true << "PSI CuFt feet I FSW";
        QTest::newRow("imperial fresh") << false << false << "PSI CuFt feet I FFW";
    }
    void unitWords()
    {
        QFETCH(QString, words);
        QFETCH(bool, metric);
        QFETCH(bool, salt);
        WaterTypeScope water(salt);
        const QStringList actual{PressureUnitWord(metric), VolumeUnitWord(metric),
                                 DepthUnitWord(metric), UnitKeySuffix(metric), DepthUnitTag(metric)};
        QCOMPARE(actual.join(u' '), words);
    }

    void depthConversion_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("toMetric");
        QTest::addColumn<int>("converted");
        QTest::addColumn<QString>("hint");
        QTest::newRow("100 ft to metres") << 100 << true << 30 << "Depth in Meters - MSW";
        QTest::newRow("30 m to feet") << 30 << false << 98 << "Depth in Feet - FSW";
        QTest::newRow("98 ft back to metres") << 98 << true << 30 << "Depth in Meters - MSW";
        QTest::newRow("130 ft to metres") << 130 << true << 40 << "Depth in Meters - MSW";
        QTest::newRow("130 m to feet") << 130 << false << 427 << "Depth in Feet - FSW";
        QTest::newRow("25 m to feet") << 25 << false << 82 << "Depth in Feet - FSW";
    }
    void depthConversion()
    {
        QFETCH(int, converted);
        QFETCH(QString, hint);
        QFETCH(int, depth);
        QFETCH(bool, toMetric);
        WaterTypeScope water(true);
        QCOMPARE(ConvertedDepth(depth, toMetric), converted);
        QCOMPARE(DepthHint(toMetric), hint);
    }

    void trailingBackslash()
    {
        QCOMPARE(WithTrailingBackslash(QString()), QString());
        QCOMPARE(WithTrailingBackslash("/tmp"), QStringLiteral("/tmp/"));
        QCOMPARE(WithTrailingBackslash("/tmp/"), QStringLiteral("/tmp/"));
    }
};

QTEST_GUILESS_MAIN(TestInputLists)
#include "tst_inputlists.moc"
