// The banded report pages, printed to PDF and read back as text: the order
// of the bands, the decision to print a band, labels set just before they
// print, page breaks with a footer on every page, a memo that grows its
// band, texts that need more room than their design gives them, and a
// device that cannot be opened.

#include "platform/ReportPages.h"

#include "tests/support/PdfFiles.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

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

Label text(double x, double y, double w, double h, const QString &caption)
{
    Label label;
    label.rect = QRectF(x, y, w, h);
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
    double m_pageWidth = 0;   // mm, of the last placedTexts()

    QString pdf() const { return m_dir.filePath(QStringLiteral("report.pdf")); }

    // Prints on A4 (277 mm high within the margins); returns the pages.
    int print(const report::Report &r)
    {
        QPdfWriter writer(pdf());
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(600);
        return r.print(writer, PrintTime);
    }

    // Prints on A4 and returns where each text went.
    std::vector<report::PlacedText> placedTexts(const report::Report &r)
    {
        QPdfWriter writer(pdf());
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(600);
        r.setUp(writer);
        QPainter painter(&writer);
        std::vector<report::PlacedText> placed;
        r.print(painter, writer, PrintTime, &placed);
        m_pageWidth = writer.width() * 25.4 / writer.logicalDpiX();
        return placed;
    }

    static const report::PlacedText &placed(const std::vector<report::PlacedText> &texts, const QString &text)
    {
        const auto found = std::ranges::find(texts, text, &report::PlacedText::text);
        if (found == texts.end())
            qFatal("%s was not printed", qPrintable(text));
        return *found;
    }

    // The width of `text` in `font` on the pages print() prints, in millimetres.
    double widthMm(const QFont &font, const QString &text) const
    {
        QPdfWriter writer(m_dir.filePath(QStringLiteral("metrics.pdf")));
        writer.setResolution(600);
        return QFontMetricsF(font, &writer).horizontalAdvance(text) * 25.4 / writer.logicalDpiX();
    }

    // The line spacing of `font` on the pages print() prints, in millimetres.
    double lineSpacingMm(const QFont &font) const
    {
        QPdfWriter writer(m_dir.filePath(QStringLiteral("metrics.pdf")));
        writer.setResolution(600);
        return QFontMetricsF(font, &writer).lineSpacing() * 25.4 / writer.logicalDpiY();
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

    // As many lines as fill 262 of the 269 mm between the top of the page
    // and its footer, in the line spacing of the font the report prints
    // with: the memo fits on the first page and the band after it does not.
    void memoGrowsItsBand()
    {
        report::Report r;
        QFont font(r.fontFamily);
        font.setPointSizeF(Label().pointSize);
        const int lines = int(262 / lineSpacingMm(font));

        Band &notes = r.add(band(Band::Detail, 10, QString()));
        notes.labels.front().shape = Label::Memo;
        notes.labels.front().beforePrint = [lines](QString &shown) {
            QStringList text;
            for (int n = 1; n <= lines; ++n)
                text << QStringLiteral("Line %1").arg(n);
            shown = text.join(u'\n');
        };
        r.add(band(Band::Detail, 10, QStringLiteral("After the notes")));
        r.add(footer());
        QCOMPARE(print(r), 2);
        const QStringList texts = pageTexts();
        QVERIFY(texts[0].contains(QStringLiteral("Line %1").arg(lines)));
        QVERIFY(texts[1].contains(QStringLiteral("After the notes")));
    }

    // A caption 10 mm wide whose text needs more: the text beside it moves
    // right, and so does the one below that shares its left edge (the
    // column stays aligned), and the one after that on its line.
    void wideTextMovesWhatFollowsItsLine()
    {
        report::Report r;
        Band b;
        b.height = 12;
        const QString wide = QStringLiteral("A caption far wider than ten millimetres");
        b.add(text(0, 0, 10, 5, wide));
        b.add(text(10, 0, 30, 5, QStringLiteral("beside")));
        b.add(text(10, 6, 30, 5, QStringLiteral("below")));
        b.add(text(45, 6, 20, 5, QStringLiteral("after")));
        b.add(text(0, 6, 10, 5, QStringLiteral("left")));
        r.add(b);
        const auto texts = placedTexts(r);
        QCOMPARE(texts.size(), 5u);
        const auto &caption = placed(texts, wide);
        const auto &beside = placed(texts, QStringLiteral("beside"));
        const auto &below = placed(texts, QStringLiteral("below"));
        const auto &after = placed(texts, QStringLiteral("after"));
        QVERIFY(caption.rect.width() > widthMm(caption.font, wide));
        QVERIFY(beside.rect.left() >= caption.rect.right());
        QCOMPARE(below.rect.left(), beside.rect.left());
        QCOMPARE(below.rect.width(), 30.0);
        QVERIFY(after.rect.left() >= below.rect.right());
        QCOMPARE(placed(texts, QStringLiteral("left")).rect, QRectF(0, 6, 10, 5));
        QCOMPARE(beside.rect.top(), 0.0);
        QCOMPARE(after.rect.top(), 6.0);
    }

    // A label 1 mm high holds a line of 9 point text only by growing: what
    // lies below it in its band moves down, the band grows, and the text
    // beside it stays where it is.
    void tallTextMovesDownWhatIsBelow()
    {
        report::Report r;
        Band first;
        first.height = 7;
        first.add(text(0, 0, 50, 1, QStringLiteral("Tall")));
        first.add(text(0, 1, 50, 5, QStringLiteral("Under")));
        first.add(text(60, 0, 50, 5, QStringLiteral("Beside")));
        r.add(first);
        r.add(band(Band::Detail, 6, QStringLiteral("Next band")));
        const auto texts = placedTexts(r);
        const auto &tall = placed(texts, QStringLiteral("Tall"));
        const auto &under = placed(texts, QStringLiteral("Under"));
        QFont font(r.fontFamily);
        font.setPointSizeF(9);
        QVERIFY(tall.rect.height() >= lineSpacingMm(font));
        QVERIFY(under.rect.top() >= tall.rect.bottom());
        QCOMPARE(under.rect.height(), 5.0);
        QCOMPARE(placed(texts, QStringLiteral("Beside")).rect, QRectF(60, 0, 50, 5));
        QVERIFY(placed(texts, QStringLiteral("Next band")).rect.top() >= under.rect.bottom());
    }

    // 120 mm from the left of a page about 180 mm wide, a text about 80 mm
    // long in 9 points ends at the page's edge in a smaller size that holds it.
    void textPastThePageEdgeShrinks()
    {
        report::Report r;
        Band b;
        b.height = 6;
        const QString longText = QStringLiteral("A text too long for the last sixty millimetres");
        b.add(text(120, 0, 5, 5, longText));
        r.add(b);
        const auto texts = placedTexts(r);
        const auto &shrunk = placed(texts, longText);
        QCOMPARE(shrunk.rect.left(), 120.0);
        QVERIFY(m_pageWidth > 179 && m_pageWidth <= 180);
        QCOMPARE(shrunk.rect.right(), m_pageWidth);
        QVERIFY(shrunk.font.pointSizeF() < 9);
        QVERIFY(widthMm(shrunk.font, longText) <= shrunk.rect.width());
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
