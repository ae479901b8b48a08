#include "core/settings/color_text.h"
#include "ruler/color_value_rgb.h"

#include <QTest>

class TestColorText : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void colorTextIsUpperCaseRedGreenBlue_data();
    void colorTextIsUpperCaseRedGreenBlue();
    void textAndValueRoundTrip();
};

void TestColorText::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("yellow") << "#FFFF00" << 65535;
    QTest::newRow("lower-case yellow") << "#ffff00" << 65535;
    QTest::newRow("red") << "#FF0000" << 255;
    QTest::newRow("blue") << "#0000FF" << 16711680;
    QTest::newRow("black") << "#000000" << 0;
    QTest::newRow("mixed") << "#12aB9c" << 0x9CAB12;
    QTest::newRow("six characters") << "FFFF00" << -1;
    QTest::newRow("no hash") << "FFFF000" << -1;
    QTest::newRow("letter G") << "#FFFF0G" << -1;
    QTest::newRow("eight characters") << "#FFFF000" << -1;
    QTest::newRow("too short") << "#FF80" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("blank inside") << "#FF FF0" << -1;
    QTest::newRow("sign inside") << "#-FFFF0" << -1;
    QTest::newRow("full-width digit") << "#FFFF0０" << -1;
}

void TestColorText::parse()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(ParseColorText(text.toStdString()), expected);
}

void TestColorText::colorTextIsUpperCaseRedGreenBlue_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("pure red") << 255 << "#FF0000";
    QTest::newRow("black") << 0 << "#000000";
    QTest::newRow("blue 10") << 10 * 65536 << "#00000A";
    QTest::newRow("yellow") << 65535 << "#FFFF00";
}

void TestColorText::colorTextIsUpperCaseRedGreenBlue()
{
    QFETCH(int, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(colorText(value)), expected);
}

void TestColorText::textAndValueRoundTrip()
{
    for (std::int32_t value = 0; value <= 0xFFFFFF; value += 0x010307) {
        QCOMPARE(ParseColorText(colorText(value)), value);
        QCOMPARE(colorValueFromRgb(rgbFromColorValue(value)), value);
    }
}

QTEST_GUILESS_MAIN(TestColorText)
#include "tst_color_text.moc"
