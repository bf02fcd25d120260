#include "blending/model/GasRecords.h"
#include "core/Errors.h"
#include "core/SettingsFile.h"
#include "tests/support/TempSettings.h"

#include <QtTest>

namespace {

const QString Index = QStringLiteral("Gas Mixes");

QString indexEntry(const QString &key) { return SettingsFile().readString(Index, key, QStringLiteral("<none>")); }

void listMixes(const QStringList &names)
{
    for (const QString &name : names)
        SaveGasMix(name, {QStringLiteral("30"), QStringLiteral("0"), QStringLiteral("70")});
}

} // namespace

class TestGasRecords : public QObject
{
    Q_OBJECT
private slots:
    void defaultsAreWrittenInOrder()
    {
        TempSettings settings;
        QVERIFY(GasMixNames().isEmpty());
        CreateDefaultGasMixes();
        QCOMPARE(indexEntry(QStringLiteral("Total")), QStringLiteral("4"));
        QCOMPARE(GasMixNames(), (QStringList{"Air", "EAN32", "EAN36", "EAN80"}));
        QCOMPARE(LoadGasMix(QStringLiteral("EAN36")), (GasMix{"36", "0", "64"}));
        QCOMPARE(LoadGasMix(QStringLiteral("EAN80")), (GasMix{"80", "0", "20"}));
        CreateDefaultGasMixes();
        QCOMPARE(GasMixNames().size(), 4);
    }

    void missingRecordReadsZeros()
    {
        TempSettings settings;
        QCOMPARE(LoadGasMix(QStringLiteral("EAN")), (GasMix{"0", "0", "0"}));
        QCOMPARE(StoredDefaultMixName(), QString());
    }

    void savingRewritesOrAppends()
    {
        TempSettings settings;
        CreateDefaultGasMixes();
        QVERIFY(!SaveGasMix(QStringLiteral("EAN32"), {"32.50", "0", "67.50"}));
        QCOMPARE(GasMixNames().size(), 4);
        QCOMPARE(LoadGasMix(QStringLiteral("EAN32")), (GasMix{"32.50", "0", "67.50"}));
        QVERIFY(SaveGasMix(QStringLiteral("Trimix 21/35"), {"21", "35", "44.00"}));
        QCOMPARE(indexEntry(QStringLiteral("5")), QStringLiteral("Trimix 21/35"));
        QCOMPARE(indexEntry(QStringLiteral("Total")), QStringLiteral("5"));
        // Names are compared with case: "air" is a new mix.
        QVERIFY(SaveGasMix(QStringLiteral("air"), {"21", "0", "79"}));
    }

    void deletingClosesTheGap()
    {
        TempSettings settings;
        listMixes({"A", "B", "C"});
        QVERIFY(DeleteGasMix(QStringLiteral("B")));
        QCOMPARE(indexEntry(QStringLiteral("1")), QStringLiteral("A"));
        QCOMPARE(indexEntry(QStringLiteral("2")), QStringLiteral("C"));
        QCOMPARE(indexEntry(QStringLiteral("3")), QStringLiteral("C"));  // left over, above Total
        QCOMPARE(indexEntry(QStringLiteral("Total")), QStringLiteral("2"));
        QCOMPARE(GasMixNames(), (QStringList{"A", "C"}));
        QVERIFY(!SettingsFile().sectionExists(QStringLiteral("B")));
    }

    void deletingTheOnlyMix()
    {
        TempSettings settings;
        listMixes({"Solo"});
        QVERIFY(DeleteGasMix(QStringLiteral("Solo")));
        QCOMPARE(indexEntry(QStringLiteral("Total")), QStringLiteral("0"));
        QVERIFY(GasMixNames().isEmpty());
    }

    void deletingAnUnlistedRecord()
    {
        TempSettings settings;
        listMixes({"A", "B"});
        SettingsFile().writeString(QStringLiteral("Stray"), QStringLiteral("O2"), QStringLiteral("50"));
        QVERIFY(!DeleteGasMix(QStringLiteral("Stray")));
        QVERIFY(!SettingsFile().sectionExists(QStringLiteral("Stray")));
        QCOMPARE(GasMixNames(), (QStringList{"A", "B"}));
        QCOMPARE(indexEntry(QStringLiteral("Total")), QStringLiteral("2"));
    }

    // A mix shares its section with anything of the same name: the program's
    // own settings and the divers' records are never overwritten or erased.
    void refusedNames_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Measurements", "MDIBackground", "WaterType", "Toolbars", "RecentFiles", "Defaults",
                                 "Gas Mixes", "gas mixes", "Divers", "DAN Format", "Time", "Time Total", "Deco", "ToolBar",
                                 "ToolBarMisc", "Jane Diver", "a=b", "[x", "y]", "two\nlines"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }

    void refusedNames()
    {
        QFETCH(QString, name);
        TempSettings settings;
        CreateDefaultGasMixes();
        IniFile ini = SettingsFile();
        ini.writeInteger(QStringLiteral("Divers"), QStringLiteral("Total"), 1);
        ini.writeString(QStringLiteral("Divers"), QStringLiteral("1"), QStringLiteral("Jane Diver"));
        ini.writeString(QStringLiteral("Jane Diver"), QStringLiteral("TankSize"), QStringLiteral("80"));
        ini.writeString(QStringLiteral("Measurements"), QStringLiteral("Metric"), QStringLiteral("1"));
        const QByteArray before = settings.contents();

        QVERIFY_THROWS_EXCEPTION(AppError, SaveGasMix(name, {"21", "0", "79"}));
        QVERIFY_THROWS_EXCEPTION(AppError, DeleteGasMix(name));
        QCOMPARE(settings.contents(), before);
    }
};

QTEST_GUILESS_MAIN(TestGasRecords)
#include "tst_gasrecords.moc"
