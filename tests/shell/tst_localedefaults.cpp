#include "core/Units.h"
#include "shell/Main.h"
#include "tests/support/WindowFixture.h"

#include <QtTest>

// A first start without settings takes its units from the system locale:
// metric with an ascent rate of 10, or on a US-measure locale imperial with 33.
// CTest runs this once in a metric locale and once with LC_ALL=en_US.
class TestLocaleDefaults final : public QObject
{
    Q_OBJECT

private slots:
    void firstStartFollowsLocale()
    {
        const bool expectImperial = qEnvironmentVariableIsSet("TIDEWELL_EXPECT_IMPERIAL");
        QCOMPARE(MetricWinStandard(), !expectImperial);
        WindowFixture program;
        TMainForm &main = program.main();
        QCOMPARE(main.isMetric(), !expectImperial);
        QCOMPARE(AscentRate(), expectImperial ? 33 : 10);
        QVERIFY(main.close());
        QVERIFY(program.settings().contents().contains(expectImperial ? "Metric=0" : "Metric=1"));
    }
};

QTEST_MAIN(TestLocaleDefaults)
#include "tst_localedefaults.moc"
