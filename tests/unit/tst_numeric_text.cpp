#include "core/settings/numeric_text.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace NumericText;

class TestNumericText : public QObject
{
    Q_OBJECT

private slots:
    void readsTheLeadingNumber_data();
    void readsTheLeadingNumber();
    void negativeZeroKeepsItsSign();
    void leadingNumberTellsNoneFromTooLarge_data();
    void leadingNumberTellsNoneFromTooLarge();
    void wholeNumberRoundsHalvesToEven_data();
    void wholeNumberRoundsHalvesToEven();
    void boundedIntTakesAnyDouble();
    void textsOfNumbers_data();
    void textsOfNumbers();
    void textOfANumberReadsBackAsThatNumber();
};

void TestNumericText::readsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("integer") << "90" << 90.0;
    QTest::newRow("decimal") << "90.0" << 90.0;
    QTest::newRow("trailing junk") << "12abc" << 12.0;
    QTest::newRow("plus sign") << "+5" << 5.0;
    QTest::newRow("minus sign") << "-300" << -300.0;
    QTest::newRow("no integer part") << ".5" << 0.5;
    QTest::newRow("no fraction digits") << "5." << 5.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("lone sign") << "-" << 0.0;
    QTest::newRow("exponent") << "1.5e+2x" << 150.0;
    QTest::newRow("D exponent") << "1d2" << 100.0;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "7e-" << 7.0;
    QTest::newRow("leading tab") << "\t7" << 7.0;
    QTest::newRow("second number ignored") << "1.2.3" << 1.2;
    QTest::newRow("hexadecimal") << "&HFF" << 255.0;
    QTest::newRow("hexadecimal lower case") << "&hff" << 255.0;
    QTest::newRow("hexadecimal stops at non-digit") << "&H1Fz" << 31.0;
    QTest::newRow("hexadecimal without digits") << "&H" << 0.0;
    QTest::newRow("too large") << "1e999" << 0.0;
    QTest::newRow("too large negative") << "-1e999" << 0.0;
    QTest::newRow("too small") << "1e-999" << 0.0;
    QTest::newRow("nan is no number") << "nan" << 0.0;
    QTest::newRow("inf is no number") << "inf" << 0.0;
    QTest::newRow("huge digit string") << QString(5000, u'9') << 0.0;
    QTest::newRow("largest double")
        << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::newRow("full-width digits are not digits") << "９０" << 0.0;
}

void TestNumericText::readsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(numericValue(text.toStdString()), expected);
}

void TestNumericText::negativeZeroKeepsItsSign()
{
    const double value = numericValue("-0");
    QCOMPARE(value, 0.0);
    QVERIFY(std::signbit(value));
}

void TestNumericText::leadingNumberTellsNoneFromTooLarge_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hasNumber");
    QTest::addColumn<double>("expected");

    const double infinity = std::numeric_limits<double>::infinity();
    QTest::newRow("none") << "abc" << false << 0.0;
    QTest::newRow("hexadecimal without digits") << "&Hxyz" << false << 0.0;
    QTest::newRow("plain") << "181" << true << 181.0;
    QTest::newRow("too large") << "1e999" << true << infinity;
    QTest::newRow("too large negative") << "-2.5e400" << true << -infinity;
    QTest::newRow("too large by its digits") << QString(400, u'9') << true << infinity;
    QTest::newRow("too large despite a negative exponent")
        << QString(400, u'9') + "e-50" << true << infinity;
    QTest::newRow("too small") << "1e-999" << true << 0.0;
    QTest::newRow("too small by its zeros") << "0." + QString(400, u'0') + "1" << true << 0.0;
    QTest::newRow("too small despite many digits") << "12345e-999" << true << 0.0;
    QTest::newRow("huge exponent") << "1e" + QString(50, u'9') << true << infinity;
}

void TestNumericText::leadingNumberTellsNoneFromTooLarge()
{
    QFETCH(QString, text);
    QFETCH(bool, hasNumber);
    QFETCH(double, expected);
    const std::optional<double> number = leadingNumber(text.toStdString());
    QCOMPARE(number.has_value(), hasNumber);
    if (hasNumber)
        QCOMPARE(*number, expected);
}

void TestNumericText::wholeNumberRoundsHalvesToEven_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("126.5") << "126.5" << 126.0;
    QTest::newRow("127.5") << "127.5" << 128.0;
    QTest::newRow("2.5") << "2.5" << 2.0;
    QTest::newRow("-2.5") << "-2.5" << -2.0;
    QTest::newRow("90.4") << "90.4" << 90.0;
    QTest::newRow("89.6") << "89.6" << 90.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("1e30") << "1e30" << 1e30;
}

void TestNumericText::wholeNumberRoundsHalvesToEven()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(wholeNumber(text.toStdString()), expected);
}

void TestNumericText::boundedIntTakesAnyDouble()
{
    QCOMPARE(boundedInt(1e30, 0, 255), 255);
    QCOMPARE(boundedInt(-1e30, 0, 255), 0);
    QCOMPARE(boundedInt(std::numeric_limits<double>::quiet_NaN(), 0, 255), 0);
    QCOMPARE(boundedInt(std::numeric_limits<double>::infinity(), -5, 5), 5);
    QCOMPARE(boundedInt(128, 0, 255), 128);
}

void TestNumericText::textsOfNumbers_data()
{
    QTest::addColumn<bool>("single");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    // Single precision: the float's shortest text.
    QTest::newRow("single, design width") << true << 9780.0 << "9780";
    QTest::newRow("single, negative") << true << -300.0 << "-300";
    QTest::newRow("single, fraction") << true << 1500.5 << "1500.5";
    QTest::newRow("single, twips at 120 dpi") << true << 8.0 * 12.0 << "96";
    QTest::newRow("single, not exactly a float") << true << 0.1 << "0.1";
    // Double precision: at most fifteen significant digits.
    QTest::newRow("double, calibration") << false << 181.0 / 200.0 << "0.905";
    QTest::newRow("double, default answer") << false << 0.9 * 200.0 << "180";
    QTest::newRow("double, whole") << false << 1.0 << "1";
    QTest::newRow("double, zero") << false << 0.0 << "0";
    QTest::newRow("double, negative") << false << -10.0 / 200.0 << "-0.05";
    QTest::newRow("double, fifteen digits") << false << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("double, rounding noise dropped") << false << 0.1 + 0.2 << "0.3";
    QTest::newRow("double, half") << false << 190.5 << "190.5";
}

void TestNumericText::textsOfNumbers()
{
    QFETCH(bool, single);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(single ? singleText(value) : doubleText(value)), expected);
}

void TestNumericText::textOfANumberReadsBackAsThatNumber()
{
    const double samples[] = {0.905, -0.05, 1e-5, 3.5e12, 1e300, -1e-300, 123456.789, 2.5e-7};
    for (double value : samples) {
        const double back = numericValue(doubleText(value));
        QVERIFY2(std::abs(back - value) <= 1e-14 * std::abs(value), doubleText(value).c_str());
        const float single = float(value);
        if (std::isfinite(single))
            QCOMPARE(float(numericValue(singleText(value))), single);
    }
}

QTEST_GUILESS_MAIN(TestNumericText)
#include "tst_numeric_text.moc"
