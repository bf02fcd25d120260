#include "core/NumText.h"
#include <QtTest>
class TestNumText : public QObject { Q_OBJECT
private slots:
    void smoke() { QCOMPARE(MyFormat(1.0), QStringLiteral("1.00")); }
};
QTEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
