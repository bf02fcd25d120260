#include "shell/Application.h"
#include "shell/Main.h"
#include "shell/Style.h"
#include "shell/about.h"
#include "tests/support/TempSettings.h"
#include "widgets/Dockbar.h"

#include <QFile>
#include <QImage>
#include <QStyleOption>
#include <QtTest>

// What the program loads to show its first windows: nothing it does not
// need, since every library loaded at start delays the first paint.
class TestStartupLoad final : public QObject
{
    Q_OBJECT

    static bool imagePluginLoaded()
    {
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly))
            return false;
        return maps.readAll().contains("/imageformats/");
    }

    static QImage arrow(QStyle::StandardPixmap pixmap, Qt::LayoutDirection direction = Qt::LeftToRight)
    {
        QStyleOption option;
        option.direction = direction;
        return QApplication::style()->standardIcon(pixmap, &option).pixmap(16, 16).toImage();
    }

    // Where an arrow points: the ink of its tips lies further that way than
    // the ink of its tails. Returns the shift of the middle line's ink
    // against the outermost inked line's, along rows or down columns.
    static double tipShift(const QImage &image, Qt::Orientation along)
    {
        const QImage picture = along == Qt::Horizontal ? image : image.transformed(QTransform(0, 1, 1, 0, 0, 0));
        auto centre = [&picture](int row) {
            double sum = 0, weight = 0;
            for (int x = 0; x < picture.width(); ++x) {
                const int alpha = qAlpha(picture.pixel(x, row));
                sum += x * alpha;
                weight += alpha;
            }
            return weight > 0 ? sum / weight : -1.0;
        };
        int top = 0;
        while (top < picture.height() && centre(top) < 0)
            ++top;
        return centre(picture.height() / 2) - centre(top);
    }

private slots:
    // Runs first, while the process has loaded only what start-up needs.
    void splashAndMainWindowLoadNoImagePlugin()
    {
        TempSettings settings;
        TAboutBox splash;
        splash.makeSplash();
        splash.show();
        TMainForm mainForm(QStringList{});
        mainForm.resize(200, 300); // a small window, its toolbars floating beside it
        mainForm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainForm));
        QVERIFY(!imagePluginLoaded());
        const auto bars = mainForm.findChildren<TDocPanel *>();
        QCOMPARE(bars.size(), 2);
    }

    void extensionArrowsPointTheRightWay()
    {
        const QImage right = arrow(QStyle::SP_ToolBarHorizontalExtensionButton);
        const QImage left = arrow(QStyle::SP_ToolBarHorizontalExtensionButton, Qt::RightToLeft);
        const QImage down = arrow(QStyle::SP_ToolBarVerticalExtensionButton);
        QVERIFY(tipShift(right, Qt::Horizontal) > 1);
        QVERIFY(tipShift(left, Qt::Horizontal) < -1);
        QVERIFY(tipShift(down, Qt::Vertical) > 1);
    }

    void otherIconsComeFromThePlatformStyle()
    {
        TidewellStyle style;
        QVERIFY(!style.standardIcon(QStyle::SP_DialogSaveButton).isNull());
    }
};

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    TestStartupLoad test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startupload.moc"
