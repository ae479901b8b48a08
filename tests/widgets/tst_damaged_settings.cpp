#include "menu/form_menu.h"
#include "ruler/ruler_window.h"
#include "support/image_probe.h"
#include "support/ruler_on_file.h"
#include "support/ruler_pixels.h"
#include "support/settings_lines.h"

#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTest>

using namespace ImageProbe;
using namespace RulerPixels;

// Every damaged settings file in tests/damaged-settings, and one of 5 MB made
// here, through the ruler window's whole start: load, first layout, drawing,
// and then its close. The ruler comes up with each setting it can read and
// the fallback of each it cannot, and leaves every line it did not write as
// it was, byte for byte.

namespace {

enum class Ticks
{
    None,
    AlongX, // a horizontal scale: ticks hang down from the top edge
    AlongY, // a vertical scale: ticks stand out from the left edge
};

// 6 mm at 96 dpi, and where the first numbered big tick stands in each unit.
constexpr int bigTickPixels = 23;
int firstNumberedTick(int unitIndex)
{
    return unitIndex == 1 ? 100 : unitIndex == 2 ? 96 : 37;
}

const QStringList keysWrittenAtStart{QStringLiteral("ScaleMode"), QStringLiteral("Width"),
                                     QStringLiteral("Height")};
const QStringList keysWrittenAtClose =
    keysWrittenAtStart + QStringList{QStringLiteral("Left"), QStringLiteral("Top")};

const QDir damagedSettings(QStringLiteral(RULER_DAMAGED_SETTINGS));

QByteArray damagedFile(const QString &name)
{
    QFile file(damagedSettings.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing damaged settings file %s", qPrintable(name));
    return file.readAll();
}

// Thousands of keys the ruler does not know, with the ones it does at the end.
QByteArray fiveMegabytes()
{
    QByteArray text = "[General]\r\n";
    for (int line = 0; text.size() < 5 * 1024 * 1024; ++line)
        text += "Unknown" + QByteArray::number(line) +
                "=the quick brown fox jumps over the lazy dog\r\n";
    return text + "Transparent=200\r\nScaleMode=Inches\r\n";
}

} // namespace

class TestDamagedSettings : public QObject
{
    Q_OBJECT

private slots:
    void rulerComesUpAndKeepsWhatItDidNotWrite_data();
    void rulerComesUpAndKeepsWhatItDidNotWrite();
};

void TestDamagedSettings::rulerComesUpAndKeepsWhatItDidNotWrite_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("alpha");
    QTest::addColumn<int>("unit"); // menu index: 1 pixels, 2 inches, 3 millimetres
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<Ticks>("ticks");

    QStringList inTable;
    const auto fixture = [&inTable](const char *name) {
        inTable.append(QLatin1String(name));
        return damagedFile(inTable.back());
    };
    const QRect design(0, 0, 652, 120);
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    const int side = qMax(desktop.width(), desktop.height());

    // clang-format off
    QTest::newRow("empty") << fixture("empty.ini")
        << 255 << 3 << false << design << yellow << Ticks::AlongX;
    QTest::newRow("only a byte-order mark") << fixture("only_byte_order_mark.ini")
        << 255 << 3 << false << design << yellow << Ticks::AlongX;
    QTest::newRow("CR-only line ends") << fixture("cr_only_line_ends.ini")
        << 200 << 2 << true << QRect(0, 0, 120, 800) << yellow << Ticks::AlongY;
    QTest::newRow("mixed line ends") << fixture("mixed_line_ends.ini")
        << 150 << 1 << false << design << yellow << Ticks::AlongX;
    QTest::newRow("no section: nothing is read") << fixture("no_section.ini")
        << 255 << 3 << false << design << yellow << Ticks::AlongX;
    QTest::newRow("section twice: the first line of a key wins") << fixture("section_twice.ini")
        << 100 << 2 << false << design << green << Ticks::AlongX;
    QTest::newRow("duplicate keys: the first wins") << fixture("duplicate_keys.ini")
        << 100 << 2 << false << QRect(0, 0, 800, 120) << yellow << Ticks::AlongX;
    QTest::newRow("keys in other letter case") << fixture("keys_in_other_case.ini")
        << 100 << 2 << false << QRect(0, 0, 800, 120) << blue << Ticks::AlongX;
    QTest::newRow("NUL bytes vanish from values, not from names") << fixture("nul_bytes.ini")
        << 255 << 2 << true << QRect(0, 0, 120, 652) << green << Ticks::AlongY;
    QTest::newRow("invalid UTF-8") << fixture("invalid_utf8.ini")
        << 150 << 3 << false << design << yellow << Ticks::AlongX;
    QTest::newRow("values of 1200 characters are cut to 999") << fixture("value_of_1200_characters.ini")
        << 100 << 3 << false << design << yellow << Ticks::AlongX;
    QTest::newRow("5 MB") << fiveMegabytes()
        << 200 << 2 << false << design << yellow << Ticks::AlongX;
    QTest::newRow("1e999 is no number") << fixture("value_1e999.ini")
        << 0 << 3 << false << design << yellow << Ticks::AlongX;
    QTest::newRow("nan is no number") << fixture("value_nan.ini")
        << 0 << 3 << false << design << yellow << Ticks::AlongX;
    QTest::newRow("inf is no number") << fixture("value_inf.ini")
        << 0 << 3 << false << design << yellow << Ticks::AlongX;
    QTest::newRow("-0 is 0") << fixture("value_minus_zero.ini")
        << 0 << 3 << false << design << yellow << Ticks::AlongX;
    // Opacity at its top, the largest ruler brought onto the screen, and a
    // direction that is neither 0 nor 90: no ticks.
    QTest::newRow("1e30") << fixture("value_1e30.ini")
        << 255 << 3 << false << QRect(0, 0, 2 * side, side) << yellow << Ticks::None;
    // The layout compares Direction's text with "90", the drawing reads &H5A as 90.
    QTest::newRow("hexadecimal &HFF") << fixture("value_hex_ffh.ini")
        << 128 << 3 << false << QRect(17, 0, 800, 133) << yellow << Ticks::AlongY;
    // clang-format on

    // A damaged file without a row would be tested nowhere.
    inTable.sort();
    QCOMPARE(damagedSettings.entryList(QDir::Files, QDir::Name), inTable);
}

void TestDamagedSettings::rulerComesUpAndKeepsWhatItDidNotWrite()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, alpha);
    QFETCH(int, unit);
    QFETCH(bool, vertical);
    QFETCH(QRect, geometry);
    QFETCH(QRgb, background);
    QFETCH(Ticks, ticks);

    RulerOnFile ruler;
    ruler.file.setText(settings);
    ruler.start();

    Form1 &window = ruler.ruler;
    QVERIFY(window.isVisible());
    QCOMPARE(qRound(window.windowOpacity() * 255), alpha);
    QCOMPARE(ruler.menu().commands().state().unit.markedIndex(), unit);
    QCOMPARE(ruler.stored(SettingsKey::ScaleMode),
             QStringList({"Pixels", "Inches", "Millimeters"}).value(unit - 1));
    QCOMPARE(ruler.menu().commands().state().direction.markedIndex(), vertical ? 1 : 0);
    QCOMPARE(window.geometry(), geometry);

    const QImage image = window.image();
    QCOMPARE(image.size(), geometry.size());
    const QPoint clear =
        vertical ? QPoint(geometry.width() / 2, 5) : QPoint(5, geometry.height() / 2);
    QCOMPARE(image.pixel(clear), background);
    const int at = firstNumberedTick(unit);
    switch (ticks) {
    case Ticks::None:
        QVERIFY(inkBox(image, image.rect(), exactly(red)).isNull());
        break;
    case Ticks::AlongX:
        QCOMPARE(topTick(image, at), bigTickPixels);
        break;
    case Ticks::AlongY:
        QCOMPARE(leftTick(image, at), bigTickPixels);
        break;
    }
    QCOMPARE(SettingsLines::firstChangedLine(settings, ruler.file.text(), keysWrittenAtStart),
             QString());

    window.close();
    QCOMPARE(ruler.stored(SettingsKey::Left), QString::number(geometry.x() * 15));
    QCOMPARE(ruler.stored(SettingsKey::Top), QString::number(geometry.y() * 15));
    QCOMPARE(SettingsLines::firstChangedLine(settings, ruler.file.text(), keysWrittenAtClose),
             QString());
}

QTEST_MAIN(TestDamagedSettings)
#include "tst_damaged_settings.moc"
