// The banded report pages, printed to PDF and read back as text: the order
// of the bands, the decision to print a band, labels set just before they
// print, page breaks with a footer on every page, a memo that grows its
// band, and a device that cannot be opened.

#include "platform/ReportPages.h"

#include "tests/support/PdfFiles.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using report::Band;
using report::Label;

Label text(double y, const QString &caption)
{
    Label label;
    label.rect = QRectF(0, y, 150, 6);
    label.text = caption;
    return label;
}

Band band(Band::Kind kind, double height, const QString &caption)
{
    Band b;
    b.kind = kind;
    b.height = height;
    b.add(text(0, caption));
    return b;
}

Band footer()
{
    Band b = band(Band::PageFooter, 8, QStringLiteral("Page "));
    b.labels.front().field = Label::PageNumber;
    Label printed = text(0, QStringLiteral("at "));
    printed.rect.moveLeft(60);
    printed.field = Label::PrintTime;
    b.add(printed);
    return b;
}

const QDateTime PrintTime(QDate(2026, 12, 8), QTime(9, 41));

} // namespace

class TestReportPages : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString pdf() const { return m_dir.filePath(QStringLiteral("report.pdf")); }

    // Prints on A4 (277 mm high within the margins); returns the pages.
    int print(const report::Report &r)
    {
        QPdfWriter writer(pdf());
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(600);
        return r.print(writer, PrintTime);
    }

    QStringList pageTexts() const { return PdfText(pdf()).split(u'\f', Qt::SkipEmptyParts); }

private slots:
    void bandsPrintByKindInOrder()
    {
        report::Report r;
        r.add(band(Band::Summary, 10, QStringLiteral("Summing up")));
        r.add(band(Band::Detail, 10, QStringLiteral("First detail")));
        r.add(footer());
        r.add(band(Band::Detail, 10, QStringLiteral("Second detail")));
        r.add(band(Band::Title, 10, QStringLiteral("The title")));
        QCOMPARE(print(r), 1);
        const QString page = pageTexts().value(0).simplified();
        QVERIFY2(page.startsWith(QStringLiteral("The title First detail Second detail Summing up Page 1 at ")
                                 + report::PrintTimeText(PrintTime)),
                 qPrintable(page));
    }

    void decisionAndLabelsComeJustBeforePrinting()
    {
        report::Report r;
        int printed = 0;
        QStringList asked;
        for (int n = 1; n <= 3; ++n) {
            Band &b = r.add(band(Band::Detail, 10, QStringLiteral("design text")));
            b.beforePrint = [&asked, &printed, n] {
                asked << QStringLiteral("band %1 after %2").arg(n).arg(printed);
                return n != 2;
            };
            b.labels.front().beforePrint = [&printed, n](QString &shown) {
                shown = QStringLiteral("Band %1 is number %2 printed").arg(n).arg(++printed);
            };
        }
        QCOMPARE(print(r), 1);
        QCOMPARE(asked, (QStringList{"band 1 after 0", "band 2 after 1", "band 3 after 1"}));
        const QString page = pageTexts().value(0).simplified();
        QCOMPARE(page, QStringLiteral("Band 1 is number 1 printed Band 3 is number 2 printed"));
    }

    void bandThatDoesNotFitStartsANewPage_data()
    {
        QTest::addColumn<int>("bands");
        QTest::addColumn<int>("pages");
        QTest::newRow("three fit") << 3 << 1;
        QTest::newRow("the fourth goes on") << 4 << 2;
        QTest::newRow("seven") << 7 << 3;
    }
    void bandThatDoesNotFitStartsANewPage()
    {
        QFETCH(int, bands);
        QFETCH(int, pages);
        report::Report r;
        for (int n = 1; n <= bands; ++n)
            r.add(band(Band::Detail, 85, QStringLiteral("Detail %1").arg(n)));
        r.add(footer());
        QCOMPARE(print(r), pages);
        const QStringList texts = pageTexts();
        QCOMPARE(texts.size(), pages);
        for (int page = 1; page <= pages; ++page)
            QVERIFY(texts[page - 1].contains(QStringLiteral("Page %1").arg(page)));
        QVERIFY(texts.last().contains(QStringLiteral("Detail %1").arg(bands)));
    }

    void memoGrowsItsBand()
    {
        report::Report r;
        Band &notes = r.add(band(Band::Detail, 10, QString()));
        notes.labels.front().shape = Label::Memo;
        notes.labels.front().beforePrint = [](QString &shown) {
            QStringList lines;
            for (int n = 1; n <= 60; ++n)
                lines << QStringLiteral("Line %1").arg(n);
            shown = lines.join(u'\n');
        };
        r.add(band(Band::Detail, 10, QStringLiteral("After the notes")));
        r.add(footer());
        QCOMPARE(print(r), 2);
        const QStringList texts = pageTexts();
        QVERIFY(texts[0].contains(QStringLiteral("Line 60")));
        QVERIFY(texts[1].contains(QStringLiteral("After the notes")));
    }

    void bandTallerThanAPagePrintsOnItsOwn()
    {
        report::Report r;
        r.add(band(Band::Detail, 10, QStringLiteral("Before")));
        r.add(band(Band::Detail, 400, QStringLiteral("Too tall")));
        r.add(band(Band::Detail, 10, QStringLiteral("After")));
        QCOMPARE(print(r), 3);
    }

    void deviceThatCannotBeOpened()
    {
        report::Report r;
        r.add(band(Band::Detail, 10, QStringLiteral("Nothing")));
        QPdfWriter writer(m_dir.filePath(QStringLiteral("missing/report.pdf")));
        QCOMPARE(r.print(writer, PrintTime), 0);
    }
};

QTEST_MAIN(TestReportPages)
#include "tst_reportpages.moc"
