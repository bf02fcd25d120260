#include "core/Errors.h"
#include "core/NumText.h"

#include <QRandomGenerator>
#include <QtTest>

#include <charconv>
#include <climits>

#include <cmath>
#include <limits>

// Number text as the windows show it: formats, rounding and parsing.
class TestNumText final : public QObject
{
    Q_OBJECT

private slots:
    void init() { numberFormatSettings() = NumberFormatSettings{u'.', u','}; }

    void format_data();
    void format();
    void formatMismatchRaises_data();
    void formatMismatchRaises();
    void floatToStrF_data();
    void floatToStrF();
    void floatToStr_data();
    void floatToStr();
    void formatFloat_data();
    void formatFloat();
    void myFormat_data();
    void myFormat();
    void round2_data();
    void round2();
    void round2ReadsAsItsText();
    void strToFloat_data();
    void strToFloat();
    void strToFloatRejects_data();
    void strToFloatRejects();
    void strToInt_data();
    void strToInt();
    void strToIntRejects_data();
    void strToIntRejects();
    void decimalCommaLocale();
    void dataFileNumbers_data();
    void dataFileNumbers();
    void dataFileNumbersRoundLikeTheLibrary();
    void roundHalvesToEven_data();
    void roundHalvesToEven();
    void roundedWholeNumberOfText_data();
    void roundedWholeNumberOfText();
    void truncDropsFraction_data();
    void truncDropsFraction();
};

void TestNumText::format_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("expected");
    QTest::newRow("best mix line") << Format("%s %% oxygen.  ", {QStringLiteral("35.0000")})
                                   << QStringLiteral("35.0000 % oxygen.  ");
    QTest::newRow("%f shows two decimals") << Format("%f", {26.666666}) << QStringLiteral("26.67");
    QTest::newRow("%4.2f") << Format("%4.2f", {0.8}) << QStringLiteral("0.80");
    QTest::newRow("%8.2f pads to eight") << Format("%8.2f", {3.5}) << QStringLiteral("    3.50");
    QTest::newRow("%-8.2f pads right") << Format("%-8.2f|", {3.5}) << QStringLiteral("3.50    |");
    QTest::newRow("%*.*f takes width and precision") << Format("%*.*f", {7, 3, 2.5}) << QStringLiteral("  2.500");
    QTest::newRow("%n groups thousands") << Format("%n", {10764.4}) << QStringLiteral("10,764.40");
    QTest::newRow("%.0n") << Format("%.0n", {1234567.0}) << QStringLiteral("1,234,567");
    QTest::newRow("%d") << Format("%d feet", {30}) << QStringLiteral("30 feet");
    QTest::newRow("%5d") << Format("[%5d]", {-42}) << QStringLiteral("[  -42]");
    QTest::newRow("%.3d zero pads") << Format("%.3d", {7}) << QStringLiteral("007");
    QTest::newRow("%d of the smallest integer") << Format("%d", {LLONG_MIN}) << QStringLiteral("-9223372036854775808");
    QTest::newRow("widest field") << Format("%4096d", {1}).trimmed() << QStringLiteral("1");
    QTest::newRow("%x upper case") << Format("%x", {255}) << QStringLiteral("FF");
    QTest::newRow("%.2s cuts") << Format("%.2s", {QStringLiteral("abc")}) << QStringLiteral("ab");
    QTest::newRow("index") << Format("%1:s %0:s", {QStringLiteral("a"), QStringLiteral("b")})
                           << QStringLiteral("b a");
    QTest::newRow("SAC sentence")
        << Format("Your SAC is %4.2f CuFt/Min or %4.2f PSI/Min", {0.8, 30.0})
        << QStringLiteral("Your SAC is 0.80 CuFt/Min or 30.00 PSI/Min");
    QTest::newRow("half away from zero") << Format("%.2f", {0.125}) << QStringLiteral("0.13");
    QTest::newRow("2.675 as typed") << Format("%.2f", {2.675}) << QStringLiteral("2.68");
    QTest::newRow("negative half") << Format("%.1f", {-0.25}) << QStringLiteral("-0.3");
    QTest::newRow("tiny negative shows zero") << Format("%.2f", {-0.001}) << QStringLiteral("0.00");
    QTest::newRow("%e") << Format("%e", {1000.0}) << QStringLiteral("1.00000000000000E+003");
    QTest::newRow("%g") << Format("%g", {0.5}) << QStringLiteral("0.5");
}

void TestNumText::format()
{
    QFETCH(QString, result);
    QFETCH(QString, expected);
    QCOMPARE(result, expected);
}

void TestNumText::formatMismatchRaises_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("%d with a float") << QStringLiteral("%d");
    QTest::newRow("%s with a float") << QStringLiteral("%s");
    QTest::newRow("missing argument") << QStringLiteral("%f %f");
    QTest::newRow("unknown type") << QStringLiteral("%q");
    QTest::newRow("lone percent") << QStringLiteral("100%");
    QTest::newRow("width past int") << QStringLiteral("%99999999999f");
    QTest::newRow("width of gigabytes") << QStringLiteral("%999999999f");
    QTest::newRow("precision past int") << QStringLiteral("%.99999999999f");
}

void TestNumText::formatMismatchRaises()
{
    QFETCH(QString, format);
    QVERIFY_THROWS_EXCEPTION(ConvertError, Format(format, {1.5}));
}

void TestNumText::floatToStrF_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("expected");
    const int fixed = int(FloatFormat::Fixed);
    const int number = int(FloatFormat::Number);
    QTest::newRow("absolute pressure") << 4.0 << fixed << 10 << 6 << QStringLiteral("4.000000");
    QTest::newRow("best mix percent") << 35.0 << fixed << 10 << 4 << QStringLiteral("35.0000");
    QTest::newRow("MOD grouped") << 111.375 << number << 10 << 4 << QStringLiteral("111.3750");
    QTest::newRow("feet grouped") << 10764.4 << number << 10 << 2 << QStringLiteral("10,764.40");
    QTest::newRow("three significant digits") << 45.913 << fixed << 3 << 2 << QStringLiteral("45.90");
    QTest::newRow("three significant, round up") << 31.995 << fixed << 3 << 2 << QStringLiteral("32.00");
    QTest::newRow("precision limits decimals") << 123456.789012345 << fixed << 10 << 6
                                               << QStringLiteral("123456.789000");
    QTest::newRow("too large for precision") << 1e20 << fixed << 10 << 2 << QStringLiteral("1E20");
    QTest::newRow("carry into new digit") << 9.9999 << fixed << 10 << 2 << QStringLiteral("10.00");
    QTest::newRow("zero") << 0.0 << fixed << 10 << 2 << QStringLiteral("0.00");
    QTest::newRow("negative grouped") << -1234.5 << number << 10 << 1 << QStringLiteral("-1,234.5");
    QTest::newRow("exponent") << 1234.5 << int(FloatFormat::Exponent) << 4 << 2 << QStringLiteral("1.235E+03");
}

void TestNumText::floatToStrF()
{
    QFETCH(double, value);
    QFETCH(int, format);
    QFETCH(int, precision);
    QFETCH(int, digits);
    QFETCH(QString, expected);
    QCOMPARE(FloatToStrF(value, FloatFormat(format), precision, digits), expected);
}

void TestNumText::floatToStr_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1.6") << 1.6 << QStringLiteral("1.6");
    QTest::newRow("0.95") << 0.95 << QStringLiteral("0.95");
    QTest::newRow("whole") << 3500.0 << QStringLiteral("3500");
    QTest::newRow("sum noise hidden") << 0.1 + 0.2 << QStringLiteral("0.3");
    QTest::newRow("negative") << -2.5 << QStringLiteral("-2.5");
    QTest::newRow("small stays fixed") << 0.00001 << QStringLiteral("0.00001");
    QTest::newRow("smaller turns scientific") << 0.000001 << QStringLiteral("1E-6");
    QTest::newRow("large scientific") << 1e20 << QStringLiteral("1E20");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QStringLiteral("INF");
}

void TestNumText::floatToStr()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FloatToStr(value), expected);
}

void TestNumText::formatFloat_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("00 pads") << QStringLiteral("00") << 5.0 << QStringLiteral("05");
    QTest::newRow("00 keeps larger") << QStringLiteral("00") << 123.0 << QStringLiteral("123");
    QTest::newRow("00 rounds") << QStringLiteral("00") << 7.5 << QStringLiteral("08");
    QTest::newRow("decimals") << QStringLiteral("0.00") << 1.005 << QStringLiteral("1.01");
    QTest::newRow("optional decimals") << QStringLiteral("0.##") << 1.5 << QStringLiteral("1.5");
    QTest::newRow("grouping") << QStringLiteral("#,##0.0") << 12345.67 << QStringLiteral("12,345.7");
    QTest::newRow("literal") << QStringLiteral("0 'min'") << 11.0 << QStringLiteral("11 min");
    QTest::newRow("negative section") << QStringLiteral("0;(0)") << -3.0 << QStringLiteral("(3)");
}

void TestNumText::formatFloat()
{
    QFETCH(QString, picture);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatFloat(picture, value), expected);
}

void TestNumText::myFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("trimmed") << 30.48 << QStringLiteral("30.48");
    QTest::newRow("wider than eight") << 123456.789 << QStringLiteral("123456.79");
    QTest::newRow("no grouping") << 2832.65 << QStringLiteral("2832.65");
    QTest::newRow("negative") << -5.0 << QStringLiteral("-5.00");
}

void TestNumText::myFormat()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(MyFormat(value), expected);
}

void TestNumText::round2_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("two decimals kept") << 30.48 << 30.48;
    QTest::newRow("third decimal rounds down") << 13.934 << 13.93;
    QTest::newRow("half up: 0.125") << 0.125 << 0.13;
    QTest::newRow("half up although stored below: 2.675") << 2.675 << 2.68;
    QTest::newRow("half up although stored below: 1.005") << 1.005 << 1.01;
    QTest::newRow("negative half away from zero") << -0.125 << -0.13;
    QTest::newRow("negative stored below the half") << -2.675 << -2.68;
    QTest::newRow("small negative reads as zero") << -0.001 << 0.0;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("carry into the whole number") << 9.995 << 10.0;
    QTest::newRow("big value") << 123456.789 << 123456.79;
    QTest::newRow("fifteen digits keep two decimals") << 1234567890123.456 << 1234567890123.46;
    QTest::newRow("beyond fifteen digits the decimals go") << 12345678901234.567 << 12345678901234.6;
    QTest::newRow("beyond the fixed form") << 1.234567890123456e17 << 1.23456789012346e17;
}

void TestNumText::round2()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    const double rounded = Round2(value);
    QCOMPARE(rounded, expected);
    QVERIFY(!std::signbit(rounded) || rounded != 0);
    // Rounding first does not change what is shown.
    QCOMPARE(MyFormat(rounded), MyFormat(value));
}

void TestNumText::round2ReadsAsItsText()
{
    // What a step reads is exactly the number its shown text parses to, in
    // both the point and the comma locale, for values of every size and sign.
    QRandomGenerator random(7);
    for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
        numberFormatSettings() = NumberFormatSettings{separator, separator == u'.' ? u',' : u'.'};
        for (int n = 0; n < 50000; ++n) {
            const double magnitude = std::pow(10.0, random.bounded(21.0) - 4);
            const double value = (random.bounded(2) ? -1 : 1) * random.bounded(1.0) * magnitude;
            QCOMPARE(Round2(value), StrToFloat(MyFormat(value)));
            QCOMPARE(MyFormat(Round2(value)), MyFormat(value));
        }
        for (const double half : {0.005, 0.015, 0.125, 1.005, 2.675, 8.345, 1000.005, -0.005, -1.005, -8.345})
            QCOMPARE(Round2(half), StrToFloat(MyFormat(half)));
    }
    QVERIFY(std::isinf(Round2(std::numeric_limits<double>::infinity())));
    QVERIFY(std::isnan(Round2(std::numeric_limits<double>::quiet_NaN())));
}

void TestNumText::strToFloat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << QStringLiteral("1.4") << 1.4;
    QTest::newRow("whole") << QStringLiteral("32") << 32.0;
    QTest::newRow("blanks around") << QStringLiteral("  2.5 ") << 2.5;
    QTest::newRow("sign") << QStringLiteral("-0.5") << -0.5;
    QTest::newRow("plus sign") << QStringLiteral("+3") << 3.0;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("trailing point") << QStringLiteral("5.") << 5.0;
    QTest::newRow("exponent") << QStringLiteral("1.5E2") << 150.0;
}

void TestNumText::strToFloat()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(StrToFloat(text), expected);
}

void TestNumText::strToFloatRejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("comma") << QStringLiteral("1,5");
    QTest::newRow("two points") << QStringLiteral("1.2.3");
    QTest::newRow("unit after number") << QStringLiteral("30m");
    QTest::newRow("bare exponent") << QStringLiteral("1e");
    QTest::newRow("sign only") << QStringLiteral("-");
    QTest::newRow("overflow") << QStringLiteral("1e999");
}

void TestNumText::strToFloatRejects()
{
    QFETCH(QString, text);
    try {
        StrToFloat(text);
        QFAIL("no error raised");
    } catch (const ConvertError &e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
}

void TestNumText::strToInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << QStringLiteral("130") << 130;
    QTest::newRow("leading blanks") << QStringLiteral("  7") << 7;
    QTest::newRow("negative") << QStringLiteral("-12") << -12;
    QTest::newRow("hex with $") << QStringLiteral("$1F") << 31;
    QTest::newRow("hex with 0x") << QStringLiteral("0x1F") << 31;
    QTest::newRow("largest") << QStringLiteral("2147483647") << 2147483647;
}

void TestNumText::strToInt()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(StrToInt(text), expected);
}

void TestNumText::strToIntRejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("decimal") << QStringLiteral("1.5");
    QTest::newRow("trailing blank") << QStringLiteral("12 ");
    QTest::newRow("too large") << QStringLiteral("2147483648");
    QTest::newRow("0x alone") << QStringLiteral("0x");
    QTest::newRow("word") << QStringLiteral("yes");
}

void TestNumText::strToIntRejects()
{
    QFETCH(QString, text);
    try {
        StrToInt(text);
        QFAIL("no error raised");
    } catch (const ConvertError &e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void TestNumText::decimalCommaLocale()
{
    numberFormatSettings() = NumberFormatSettings{u',', u'.'};
    QCOMPARE(StrToFloat(QStringLiteral("1,4")), 1.4);
    QVERIFY_THROWS_EXCEPTION(ConvertError, StrToFloat(QStringLiteral("1.4")));
    QCOMPARE(MyFormat(2.5), QStringLiteral("2,50"));
    QCOMPARE(Format("%n", {10764.4}), QStringLiteral("10.764,40"));
}

void TestNumText::dataFileNumbers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<char>("separator");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("12.30") << QByteArray("12.30") << '.' << true << 12.3;
    QTest::newRow("blanks and sign") << QByteArray("  -0.05 ") << '.' << true << -0.05;
    QTest::newRow("plus") << QByteArray("+3") << '.' << true << 3.0;
    QTest::newRow("exponent") << QByteArray("1.5e2") << '.' << true << 150.0;
    QTest::newRow("comma file") << QByteArray("-1,25") << ',' << true << -1.25;
    QTest::newRow("dot in a comma file") << QByteArray("1.25") << ',' << false << 0.0;
    QTest::newRow("comma in a dot file") << QByteArray("1,25") << '.' << false << 0.0;
    QTest::newRow("plus minus") << QByteArray("+-1") << '.' << false << 0.0;
    QTest::newRow("empty") << QByteArray("") << '.' << false << 0.0;
    QTest::newRow("trailing letter") << QByteArray("0.4x") << '.' << false << 0.0;
    QTest::newRow("bare exponent") << QByteArray("2e") << '.' << false << 0.0;
}

void TestNumText::dataFileNumbers()
{
    QFETCH(QByteArray, text);
    QFETCH(char, separator);
    QFETCH(bool, valid);
    QFETCH(double, value);
    // The user's separators play no part.
    numberFormatSettings() = NumberFormatSettings{u',', u'.'};
    double parsed = -99;
    QCOMPARE(TryStrToFloat(std::string_view(text.constData(), std::size_t(text.size())), separator, parsed), valid);
    if (valid)
        QCOMPARE(parsed, value);
    int whole = -99;
    const bool isInteger = !text.contains('.') && !text.contains(',') && !text.contains('e');
    QCOMPARE(TryDecimalToInt(std::string_view(text.constData(), std::size_t(text.size())), whole), valid && isInteger);
    if (valid && isInteger)
        QCOMPARE(whole, int(value));
}

void TestNumText::dataFileNumbersRoundLikeTheLibrary()
{
    // Short decimals take a quicker path than long ones; both must give the
    // double nearest to the text.
    QRandomGenerator random(15);
    for (int n = 0; n < 200000; ++n) {
        const int digits = 1 + int(random.bounded(17));
        QByteArray text;
        for (int d = 0; d < digits; ++d)
            text += char('0' + random.bounded(10));
        text.insert(int(random.bounded(digits + 1)), '.');
        if (random.bounded(2))
            text.prepend('-');
        if (text == "." || text == "-.")
            continue;
        double expected = 0, parsed = 0;
        std::from_chars(text.constData(), text.constData() + text.size(), expected);
        QVERIFY2(TryStrToFloat(std::string_view(text.constData(), std::size_t(text.size())), '.', parsed), text.constData());
        QVERIFY2(parsed == expected && std::signbit(parsed) == std::signbit(expected), text.constData());
    }
}

void TestNumText::roundHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<long long>("expected");
    QTest::newRow("0.5") << 0.5 << 0LL;
    QTest::newRow("1.5") << 1.5 << 2LL;
    QTest::newRow("2.5") << 2.5 << 2LL;
    QTest::newRow("-2.5") << -2.5 << -2LL;
    QTest::newRow("1.75 (7 entries x 0.25)") << 1.75 << 2LL;
    QTest::newRow("98.42 feet") << 30 * 3.28083 << 98LL;
    QTest::newRow("2.51") << 2.51 << 3LL;
}

void TestNumText::roundHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(long long, expected);
    QCOMPARE(Round(value), expected);
}

void TestNumText::roundedWholeNumberOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<int>("expected");
    QTest::newRow("whole") << "3000" << true << 3000;
    QTest::newRow("fraction down") << "11.1" << true << 11;
    QTest::newRow("fraction up") << "11.6" << true << 12;
    QTest::newRow("half to even, down") << "12.5" << true << 12;
    QTest::newRow("half to even, up") << "232.5" << true << 232;
    QTest::newRow("half to even, odd below") << "13.5" << true << 14;
    QTest::newRow("blanks around") << " 80 " << true << 80;
    QTest::newRow("negative") << "-2.6" << true << -3;
    QTest::newRow("largest int") << "2147483647.4" << true << 2147483647;
    QTest::newRow("past the largest int") << "2147483647.6" << false << -1;
    QTest::newRow("far past it") << "1e300" << false << -1;
    QTest::newRow("empty") << "" << false << -1;
    QTest::newRow("word") << "big" << false << -1;
    QTest::newRow("two separators") << "1.2.3" << false << -1;
}

void TestNumText::roundedWholeNumberOfText()
{
    QFETCH(QString, text);
    QFETCH(bool, converts);
    QFETCH(int, expected);
    int value = -1;
    QCOMPARE(TryStrToRoundedInt(text, value), converts);
    QCOMPARE(value, expected);
}

void TestNumText::truncDropsFraction_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<long long>("expected");
    QTest::newRow("positive") << 2.99 << 2LL;
    QTest::newRow("negative toward zero") << -2.99 << -2LL;
    QTest::newRow("whole") << 5.0 << 5LL;
}

void TestNumText::truncDropsFraction()
{
    QFETCH(double, value);
    QFETCH(long long, expected);
    QCOMPARE(Trunc(value), expected);
}

QTEST_GUILESS_MAIN(TestNumText)
#include "tst_numtext.moc"
