// The print preview window on a report of three pages: the page spin and
// the up-down kept in step, the zoom spin, the mouse zoom rules, fitting the
// page and its width, and printing through the print dialog.

#include "widgets/PreViewForm.h"

#include "tests/support/PdfFiles.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/UserDriver.h"

#include <QGraphicsView>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int Pages = 3;

int paintPages(QPainter &painter, QPagedPaintDevice &device)
{
    painter.setFont(QFont(QStringLiteral("Arial"), 20));
    for (int page = 1; page <= Pages; ++page) {
        if (page > 1)
            device.newPage();
        painter.drawText(QPointF(200, 400), QStringLiteral("Report page %1").arg(page));
    }
    return Pages;
}

QSpinBox *spin(const QWidget *form, const char *name) { return user::control<QSpinBox>(form, QString::fromLatin1(name)); }
QWidget *pageView(const QWidget *form)
{
    return user::control(form, QStringLiteral("QRPreview1"))->findChild<QGraphicsView *>()->viewport();
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

    std::unique_ptr<TfmtPreViewForm> m_form;

private slots:
    void init()
    {
        m_form = std::make_unique<TfmtPreViewForm>(paintPages);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void cleanup() { m_form.reset(); }

    void opensOnTheFirstPageAtFullSize()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Print preview"));
        QVERIFY(m_form->isMaximized());
        QCOMPARE(m_form->pageCount(), Pages);
        QCOMPARE(spin(m_form.get(), "SpinEdit1")->maximum(), Pages);
        QCOMPARE(spin(m_form.get(), "SpinEdit1")->value(), 1);
        QCOMPARE(user::control<QScrollBar>(m_form.get(), QStringLiteral("UpDown1"))->maximum(), Pages);
        QCOMPARE(m_form->zoom(), 100);
        QCOMPARE(m_form->findChild<QPrintPreviewWidget *>()->zoomFactor(), 1.0);
    }

    void pageSpinAndUpDownStayInStep()
    {
        QSpinBox *page = spin(m_form.get(), "SpinEdit1");
        auto *upDown = user::control<QScrollBar>(m_form.get(), QStringLiteral("UpDown1"));
        user::type(page, QStringLiteral("2"));
        QCOMPARE(m_form->currentPage(), 2);
        QCOMPARE(upDown->value(), 2);
        upDown->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(m_form->currentPage(), 3);
        QCOMPARE(page->value(), 3);
        upDown->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(m_form->currentPage(), 3);
        upDown->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(page->value(), 2);
    }

    void zoomSpin()
    {
        QSpinBox *zoom = spin(m_form.get(), "SpinEdit2");
        QCOMPARE(zoom->minimum(), 10);
        QCOMPARE(zoom->maximum(), 300);
        QCOMPARE(zoom->singleStep(), 10);
        user::type(zoom, QStringLiteral("150"));
        QCOMPARE(m_form->findChild<QPrintPreviewWidget *>()->zoomFactor(), 1.5);
    }

    void mouseZoom_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("onPage");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("expected");
        QTest::newRow("left click on the window") << 100 << false << Qt::LeftButton << 110;
        QTest::newRow("right click on the window") << 100 << false << Qt::RightButton << 90;
        QTest::newRow("left click on the page") << 100 << true << Qt::LeftButton << 120;
        QTest::newRow("right click on the page") << 100 << true << Qt::RightButton << 90;
        QTest::newRow("no further than 300") << 290 << true << Qt::LeftButton << 300;
        QTest::newRow("no smaller than 10") << 10 << true << Qt::RightButton << 10;
    }
    void mouseZoom()
    {
        QFETCH(int, start);
        QFETCH(bool, onPage);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, expected);
        spin(m_form.get(), "SpinEdit2")->setValue(start);
        QWidget *target = onPage ? pageView(m_form.get()) : static_cast<QWidget *>(m_form.get());
        const QPoint at = onPage ? target->rect().center() : QPoint(m_form->width() - 5, m_form->height() - 5);
        QTest::mouseClick(target, button, {}, at);
        QCOMPARE(m_form->zoom(), expected);
        QCOMPARE(m_form->findChild<QPrintPreviewWidget *>()->zoomFactor(), expected / 100.0);
    }

    void fitShowsTheResultingZoom_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("full page") << "ZoomFullPageButton";
        QTest::newRow("width") << "ZoomToWidthButton";
    }
    void fitShowsTheResultingZoom()
    {
        QFETCH(QString, button);
        user::click(m_form.get(), button);
        auto *preview = m_form->findChild<QPrintPreviewWidget *>();
        QCOMPARE(m_form->zoom(), qRound(preview->zoomFactor() * 100));
        QVERIFY(m_form->zoom() != 100);
        // Showing the zoom does not undo the fit.
        QVERIFY(preview->zoomMode() != QPrintPreviewWidget::CustomZoom);
    }

    void pageWidthZoomsFurtherThanTheFullPage()
    {
        user::click(m_form.get(), QStringLiteral("ZoomFullPageButton"));
        const int fullPage = m_form->zoom();
        user::click(m_form.get(), QStringLiteral("ZoomToWidthButton"));
        QVERIFY2(m_form->zoom() > fullPage, qPrintable(QStringLiteral("%1 %2").arg(fullPage).arg(m_form->zoom())));
    }

    void printsEveryPage()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        ScriptedDialogs dialogs;
        dialogs.answerPrint([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        user::click(m_form.get(), QStringLiteral("PrintButton"));
        QCOMPARE(PdfPageCount(pdf), Pages);
        QVERIFY(PdfText(pdf).contains(QStringLiteral("Report page 3")));
    }

    void cancelledPrintDialogPrintsNothing()
    {
        ScriptedDialogs dialogs;
        dialogs.answerPrint([](QPrinter &) { return false; });
        user::click(m_form.get(), QStringLiteral("PrintButton"));
        QCOMPARE(dialogs.asked().size(), 1);
        QVERIFY(dialogs.messageTexts().isEmpty());
        QVERIFY(m_form->isVisible());
    }

    void printSetupLaysThePagesOutAgain()
    {
        ScriptedDialogs dialogs;
        dialogs.answerPrint([](QPrinter &printer) {
            printer.setPageOrientation(QPageLayout::Landscape);
            return true;
        });
        spin(m_form.get(), "SpinEdit1")->setValue(3);
        user::click(m_form.get(), QStringLiteral("PrintSetupButton"));
        QCOMPARE(dialogs.asked().first().kind, QStringLiteral("printerSetup"));
        QCOMPARE(m_form->printer().pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(spin(m_form.get(), "SpinEdit1")->value(), 1);
        QCOMPARE(m_form->pageCount(), Pages);
    }

    void closeButtonClosesTheWindow()
    {
        user::click(m_form.get(), QStringLiteral("CloseButton"));
        QVERIFY(!m_form->isVisible());
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
