#include "blending/NitroxFills.h"
#include "core/SettingsFile.h"
#include "shell/Application.h"
#include "shell/MDIEdit.h"
#include "tests/blending/BlendTestSupport.h"
#include "tests/support/WindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

using namespace blendtest;

class TestNitroxFills : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestNumberFormat(); }

    void startsWithTheBestMix_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("pressureWord");
        QTest::addColumn<QString>("gasPercentages");
        QTest::addColumn<QString>("airTopFill");
        QTest::addColumn<QString>("idealFill");
        QTest::newRow("imperial")
            << false << 82 << "PSI"
            << "The best NITROX gas mix to use at 82 feet would be an EAN45.  (45.90% O2 and 54.10% N2)."
            << "To make an EAN45, fill with 2396.26 PSI Air and 1103.74 PSI O2"
            << "To make an EAN45, fill with 1606.96 PSI O2 and 1893.04 PSI N2";
        QTest::newRow("metric")
            << true << 30 << "BAR"
            << "The best NITROX gas mix to use at 30 meters would be an EAN40.  (40.00% O2 and 60.00% N2)."
            << "To make an EAN40, fill with 151.90 BAR Air and 48.10 BAR O2"
            << "To make an EAN40, fill with 80.00 BAR O2 and 120.00 BAR N2";
    }

    void startsWithTheBestMix()
    {
        QFETCH(bool, metric);
        WindowFixture program;
        chooseUnits(program.settings(), metric);
        TMainForm &main = program.main();
        auto *w = open<TfmtNixtroFill>(main, "Fills1");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("NITROX Fills"));
        QTEST(w->Depth->value(), "depth");
        QCOMPARE(w->PO2->currentText(), localNumbers("1.6"));
        QTEST(w->Label7->text(), "pressureWord");
        QFETCH(QString, gasPercentages);
        QCOMPARE(w->Label3->text(), localNumbers(gasPercentages));
        QFETCH(QString, airTopFill);
        QCOMPARE(w->Label6->text(), localNumbers(airTopFill));
        QFETCH(QString, idealFill);
        QCOMPARE(w->Label5->text(), localNumbers(idealFill));
    }

    void eanxPage()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmtNixtroFill>(main, "Fills1");
        w->PageControl->setCurrentIndex(1);
        QCOMPARE(w->Label3->text(), localNumbers("32.00% O2 and 68.00% N2"));
        QCOMPARE(w->Label6->text(), localNumbers("To make an EAN32, fill with 3012.66 PSI Air and 487.34 PSI O2"));
        type(w->EANxCombox, QStringLiteral("100"));
        QCOMPARE(w->Label6->text(), QStringLiteral("Best gas mix is 100% Oxygen (O2). Fill with 3500 PSI O2"));
        // A named mix above 100 % is refused like a negative one.
        type(w->EANxCombox, QStringLiteral("150"));
        QCOMPARE(w->Label3->text(), QStringLiteral("Invalid mix"));
        QVERIFY(w->Label5->text().isEmpty() && w->Label6->text().isEmpty());
    }

    void surfaceBestMixIsPureOxygen()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmtNixtroFill>(main, "Fills1");
        w->Depth->setValue(0);
        QCOMPARE(w->Label3->text(), QStringLiteral("The best gas mix to use at 0 feet would be 100% Oxygen (O2)."));
        QCOMPARE(w->Label5->text(), localNumbers("To make an EAN100, fill with 3500.00 PSI O2 and 0.00 PSI N2"));
    }

    void resultsGoToANote()
    {
        WindowFixture program;
        chooseUnits(program.settings(), true);
        TMainForm &main = program.main();
        auto *w = open<TfmtNixtroFill>(main, "Fills1");
        w->BitBot1->click();
        const QList<TEditForm *> notes = windows<TEditForm>(main);
        QCOMPARE(notes.size(), 1);
        const QString text = notes.first()->Editor->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("Gas percentages:The best NITROX gas mix to use at 30 meters")), qPrintable(text));
        QVERIFY(text.contains(localNumbers("Air Top Fill:To make an EAN40, fill with 151.90 BAR Air")));
        QVERIFY(text.contains(localNumbers("Ideal fill:To make an EAN40, fill with 80.00 BAR O2")));
    }

    void fillPressureIsRemembered()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmtNixtroFill>(main, "Fills1");
        type(w->PSI, QStringLiteral("207.5"));
        // Each keystroke recomputes: the separator and the digit after it
        // are each reported.
        const QString separator = numberFormatSettings().decimalSeparator;
        QCOMPARE(program.dialogs().messageTexts(),
                 (QStringList{QStringLiteral("'207%1' is not a valid integer value").arg(separator),
                              localNumbers("'207.5' is not a valid integer value")}));
        QVERIFY(!closeWindow(w));
        QCOMPARE(windows<TfmtNixtroFill>(main).size(), 1);

        type(w->PSI, QStringLiteral("3000"));
        QVERIFY(w->Label6->text().contains(localNumbers("2053.94 PSI Air and 946.06 PSI O2")));
        w->OKBtn->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(windows<TfmtNixtroFill>(main).size(), 0);
        QCOMPARE(SettingsFile().readInteger(QStringLiteral("Defaults"), QStringLiteral("PresurizeTankI"), 0), 3000);
        QCOMPARE(open<TfmtNixtroFill>(main, "Fills1")->PSI->currentText(), localNumbers("3000"));
    }

    // Only the user's closing insists on a whole number; ending the program
    // goes on and leaves the remembered pressure alone.
    void unreadablePressureDoesNotHoldUpTheProgram()
    {
        WindowFixture program;
        chooseUnits(program.settings(), false);
        TMainForm &main = program.main();
        auto *w = open<TfmtNixtroFill>(main, "Fills1");
        type(w->PSI, QStringLiteral("207.5"));
        QCOMPARE(program.dialogs().messageTexts().size(), 2);
        QVERIFY(main.close());
        QCOMPARE(program.dialogs().messageTexts().size(), 2);
        QVERIFY(!SettingsFile().valueExists(QStringLiteral("Defaults"), QStringLiteral("PresurizeTankI")));
    }
};

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    TestNitroxFills test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_nitroxfills.moc"
