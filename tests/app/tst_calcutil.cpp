// The no-value arithmetic, maxima, and the locale-free reading and printing of cell numbers.
#include "common/commadecimallocale.h"
#include "app/core/calcutil.h"

#include <QtTest>

#include <charconv>
#include <clocale>
#include <cstdint>
#include <cmath>
#include <limits>

class TestCalcUtil : public QObject
{
    Q_OBJECT

private slots:
    void noValueArithmetic();
    void maxima();
    void readNumber_data();
    void readNumber();
    void readNumberMatchesFullConversion();
    void readValue_data();
    void readValue();
    void formatValue_data();
    void formatValue();
    void decimalsWithinPrecision_data();
    void decimalsWithinPrecision();
    void commaLocaleChangesNothing();
};

void TestCalcUtil::noValueArithmetic()
{
    QCOMPARE(AddIgnoringNoValue(NO_VALUE, NO_VALUE), 0.0);
    QCOMPARE(AddIgnoringNoValue(NO_VALUE, 2.5), 2.5);
    QCOMPARE(AddIgnoringNoValue(-999, 1), -998.0);  // a negative figure is a figure
    QVERIFY(IsNoValue(NO_VALUE) && !IsNoValue(-999) && !IsNoValue(0));
    // What is computed from no value has none.
    QVERIFY(IsNoValue(NO_VALUE * 2 + 1));
    // The largest of the values that have one; none when no argument has one.
    QCOMPARE(FormatValue(NO_VALUE, 2, QStringLiteral("A"), QStringLiteral("-")), QStringLiteral("-"));
    QCOMPARE(MultiplyIgnoringNoValue(NO_VALUE, 5), 5.0);
    QCOMPARE(MultiplyIgnoringNoValue(NO_VALUE, NO_VALUE), 1.0);
    QCOMPARE(MultiplyIgnoringNoValue(2, 3), 6.0);
}

void TestCalcUtil::maxima()
{
    QCOMPARE(GetMaxOf4(NO_VALUE, NO_VALUE, NO_VALUE, NO_VALUE), NO_VALUE);
    QCOMPARE(GetMaxOf2(3, 3), 3.0);
    QCOMPARE(GetMaxOf4(NO_VALUE, 16, NO_VALUE, 25), 25.0);
    QCOMPARE(GetMaxOf6(1, 9, 2, 8, 3, 7), 9.0);
    QCOMPARE(GetMaxOf8(1, 2, 3, 4, 5, 6, 7, 8), 8.0);
    // A NaN compares with nothing and is never taken.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QCOMPARE(GetMaxOf4(1, nan, 4, nan), 4.0);
    // The earliest of equal values wins: -0 before +0 keeps its sign.
    QVERIFY(std::signbit(GetMaxOf2(-0.0, 0.0)));
}

void TestCalcUtil::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("dash") << "-" << 0.0;
    QTest::newRow("decimal") << "1.5" << 1.5;
    QTest::newRow("leading space and sign") << "  -12.25" << -12.25;
    QTest::newRow("plus") << "+3" << 3.0;
    QTest::newRow("trailing unit") << "100AT" << 100.0;
    QTest::newRow("exponent") << "1.5e3" << 1500.0;
    QTest::newRow("bare exponent mark") << "2e" << 2.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("comma is no decimal point") << "2,5" << 2.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("korean") << "가나" << 0.0;
    QTest::newRow("hex") << "0x10" << 16.0;
    QTest::newRow("ct label") << "20/5" << 20.0;
}

void TestCalcUtil::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(ReadLeadingNumber(text), number);
}

// The strict reader behind every engine input: only a whole, finite, sane decimal is a value.
void TestCalcUtil::readValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("NaN") << "NaN" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("-inf") << "-inf" << false << 0.0;
    QTest::newRow("infinity") << "Infinity" << false << 0.0;
    QTest::newRow("1e308 overflows every product") << "1e308" << false << 0.0;
    QTest::newRow("1e400 out of range") << "1e400" << false << 0.0;
    QTest::newRow("-1e13 beyond the limit") << "-1e13" << false << 0.0;
    QTest::newRow("negative stays a number") << "-5" << true << -5.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blanks") << "   " << false << 0.0;
    QTest::newRow("dash") << "-" << false << 0.0;
    QTest::newRow("decimal comma") << "12,5" << false << 0.0;
    QTest::newRow("blanks around") << " 3 " << true << 3.0;
    QTest::newRow("trailing unit") << "3kW" << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << 0.0;
    QTest::newRow("two signs") << "--3" << false << 0.0;
    QTest::newRow("bare exponent mark") << "2e" << false << 0.0;
    QTest::newRow("exponent") << "1.5e3" << true << 1500.0;
    QTest::newRow("point first") << ".5" << true << 0.5;
    QTest::newRow("point last") << "7." << true << 7.0;
    QTest::newRow("plus") << "+0.38" << true << 0.38;
    QTest::newRow("limit itself") << "1e12" << true << 1e12;
}

void TestCalcUtil::readValue()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    double got = 42.0;
    QCOMPARE(ReadValue(text, &got), valid);
    if (valid)
        QCOMPARE(got, value);
    else
        QCOMPARE(got, 42.0);  // untouched
}

void TestCalcUtil::readNumberMatchesFullConversion()
{
    // Printed table numbers read back to the very double the full conversion gives, across
    // magnitudes and decimal counts (the plain-decimal shortcut must never round differently).
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    const auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = std::pow(10.0, int(next() % 12) - 4);
        const double v = double(next() % 1000000007) / 1000000007.0 * magnitude * (i % 3 ? 1 : -1);
        const QString text = FormatFixed(v, int(next() % 8));
        const QByteArray latin = text.toLatin1();
        double full = 0;
        std::from_chars(latin.constData() + (latin.startsWith('-') ? 1 : 0),
                        latin.constData() + latin.size(), full);
        if (latin.startsWith('-'))
            full = -full;
        QVERIFY2(ReadLeadingNumber(text) == full, qPrintable(text));
    }
}

void TestCalcUtil::formatValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no value") << NO_VALUE << 2 << " kW" << "fallback";
    QTest::newRow("one decimal") << 12.345 << 1 << " kW" << "12.3 kW";
    QTest::newRow("none") << 89.373 << 0 << "" << "89";
    QTest::newRow("nine writes eight") << 1.0 << 9 << "" << "1.00000000";
    QTest::newRow("negative writes eight") << 1.0 << -1 << "A" << "1.00000000A";
    QTest::newRow("seven") << 0.5 << 7 << "" << "0.5000000";
    // An exact half rounds away from zero, as a hand calculation does (printf's "%.2f" would
    // print 0.12 and 2); 2.675 is a little below the half and 0.135 a little above it.
    QTest::newRow("half away from zero") << 0.125 << 2 << "" << "0.13";
    QTest::newRow("half, odd below") << 0.375 << 2 << "" << "0.38";
    QTest::newRow("half of a whole") << 2.5 << 0 << "" << "3";
    QTest::newRow("half below one") << 0.5 << 0 << "" << "1";
    QTest::newRow("negative half") << -2.5 << 0 << "" << "-3";
    QTest::newRow("binary below a half") << 9.995 << 2 << "" << "9.99";  // 9.99499999...
    QTest::newRow("half carries over") << 99.5 << 0 << "" << "100";
    QTest::newRow("negative half of four decimals") << -0.90625 << 4 << "" << "-0.9063";
    QTest::newRow("binary below half") << 2.675 << 2 << "" << "2.67";
    QTest::newRow("binary above half") << 0.135 << 2 << "" << "0.14";
    QTest::newRow("negative") << -5.0 << 2 << "" << "-5.00";
    // Sixteen digits before the point: no decimal, a double holds no more.
    QTest::newRow("large") << 1.5e15 << 1 << "" << "1500000000000000";
    QTest::newRow("eleven digits, six decimals") << 52440999999.973801 << 6 << "" << "52440999999.9738";
}

void TestCalcUtil::formatValue()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, unit);
    QFETCH(QString, expected);
    QCOMPARE(FormatValue(value, decimals, unit, "fallback"), expected);
}

// A double holds 15 significant digits: a figure keeps its decimals up to that many digits
// and no further (an impedance of 52440999999.973801 ohm shows 52440999999.9738).
void TestCalcUtil::decimalsWithinPrecision_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("expected");
    QTest::newRow("small") << 0.000123 << 6 << 6;
    QTest::newRow("below one") << 0.5 << 8 << 8;
    QTest::newRow("nine digits") << 123456789.5 << 6 << 6;
    QTest::newRow("ten digits") << 1234567890.5 << 6 << 5;
    QTest::newRow("eleven digits") << 52440999999.973801 << 6 << 4;
    QTest::newRow("twelve digits, negative") << -104882000000.236 << 6 << 3;
    QTest::newRow("the largest quantity") << 1e12 << 6 << 2;
    QTest::newRow("fifteen digits") << 123456789012345.0 << 2 << 0;
    QTest::newRow("no decimals asked") << 52440999999.9 << 0 << 0;
}

void TestCalcUtil::decimalsWithinPrecision()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QTEST(DecimalsWithinPrecision(value, decimals), "expected");
}

void TestCalcUtil::commaLocaleChangesNothing()
{
    const CommaDecimalLocale comma;
    if (!comma.installed())
        QSKIP("the de_DE.UTF-8 locale is not installed (scripts/deps.sh generates it)");
    QCOMPARE(FormatFixed(1234.5, 2), QString("1234.50"));
    QCOMPARE(ReadLeadingNumber(QStringLiteral("0.91")), 0.91);
    QCOMPARE(FormatValue(0.875, 3, "", ""), QString("0.875"));
}

QTEST_GUILESS_MAIN(TestCalcUtil)
#include "tst_calcutil.moc"
