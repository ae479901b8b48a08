#include "app/product.h"
#include "app/window_services.h"
#include "dialogs/about_box.h"
#include "dialogs/about_text.h"
#include "ruler/ruler_window.h"
#include "support/image_probe.h"
#include "support/modal_dialogs.h"
#include "support/temporary_settings.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

using namespace ImageProbe;

namespace {

const QString lineBreak = QStringLiteral("\r\n");

const QString helpText = QStringLiteral(
    "操作指南:\r\n\r\n1、方向键可以移动刻度尺。\r\n\r\n2、Shift+方向键可以更精确地移动刻度尺"
    "\r\n\r\n3、按[+]增大透明度，按[-]减少透明度\r\n\r\n4、在刻度尺右下角处可以拉伸刻度尺"
    "\r\n\r\n    此时鼠标光标会变成拉伸的形状");
const QString tipText = QStringLiteral("** 没有校正值，请在菜单中选择[输入校正值]以校正刻度尺。");

// The vertical extent of each line of ink: rows with ink, apart from the
// next by at least one row without.
QList<QPair<int, int>> inkLines(const QImage &image, const PixelTest &ink)
{
    QList<QPair<int, int>> lines;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        const bool rowHasInk = !inkBox(image, QRect(0, y, image.width(), 1), ink).isNull();
        if (rowHasInk && !inLine)
            lines.append({y, y});
        if (rowHasInk)
            lines.last().second = y;
        inLine = rowHasInk;
    }
    return lines;
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void aboutTextLineByLine_data();
    void aboutTextLineByLine();
    void aboutTextHasSevenLinesAndNoTrailingBreak();
    void titleIsTheRulerWindowsCaption();
    void versionLinePutsRevisionBeforeMinor_data();
    void versionLinePutsRevisionBeforeMinor();
    void boxLooksAsDesigned_data();
    void boxLooksAsDesigned();
    void keys_data();
    void keys();
    void openerReplacesCaptionAndTextUntilTheNextOpening_data();
    void openerReplacesCaptionAndTextUntilTheNextOpening();
    void textShowsWholeLineByLine_data();
    void textShowsWholeLineByLine();
    void openerMakesTheBoxTopmost();
};

void TestAboutBox::aboutTextLineByLine_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("title") << 0 << "^Ostrel屏幕刻度尺$";
    QTest::newRow("empty after the title") << 1 << "^$";
    QTest::newRow("version") << 2 << "^版本: Ver2\\.0\\.0$";
    QTest::newRow("empty after the version") << 3 << "^$";
    QTest::newRow("author and e-mail") << 4 << "^作者: Ostrel [^\\s@]+@[^\\s@]+\\.[a-z]+$";
    QTest::newRow("empty after the author") << 5 << "^$";
    QTest::newRow("forum address") << 6 << "^官方论坛: https://\\S+$";
}

void TestAboutBox::aboutTextLineByLine()
{
    QFETCH(int, line);
    QFETCH(QString, pattern);
    FormAbout box;
    const QStringList lines = box.Label2()->text().split(lineBreak);
    QVERIFY(line < lines.size());
    const QRegularExpression expected(pattern);
    QVERIFY2(expected.match(lines[line]).hasMatch(), qPrintable(lines[line]));
}

void TestAboutBox::aboutTextHasSevenLinesAndNoTrailingBreak()
{
    FormAbout box;
    const QString text = box.Label2()->text();
    QCOMPARE(text.split(lineBreak).size(), 7);
    // Every break is a carriage return and a line feed, and none ends the text.
    QCOMPARE(text.count(u'\r'), 6);
    QCOMPARE(text.count(u'\n'), 6);
    QVERIFY(!text.endsWith(lineBreak));
}

void TestAboutBox::titleIsTheRulerWindowsCaption()
{
    TemporarySettings file;
    const Form1 ruler(file.settings());
    FormAbout box;
    QCOMPARE(box.Label2()->text().split(lineBreak).first(), ruler.windowTitle());
    QCOMPARE(productTitle(), ruler.windowTitle());
}

void TestAboutBox::versionLinePutsRevisionBeforeMinor_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("versionLine");

    QTest::newRow("2.0.0") << 2 << 0 << 0 << "版本: Ver2.0.0";
    QTest::newRow("minor 1, revision 5") << 2 << 1 << 5 << "版本: Ver2.5.1";
    QTest::newRow("two digits") << 10 << 0 << 12 << "版本: Ver10.12.0";
    QTest::newRow("minor only") << 0 << 3 << 0 << "版本: Ver0.0.3";
}

void TestAboutBox::versionLinePutsRevisionBeforeMinor()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, versionLine);
    const QStringList lines = aboutText(major, minor, revision).split(lineBreak);
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[2], versionLine);
}

void TestAboutBox::boxLooksAsDesigned_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry");

    // Twips at 15 to the pixel, relative to the containing control.
    QTest::newRow("Frame1") << "Frame1" << QRect(4, 6, 311, 151);
    QTest::newRow("Label2 on Frame1") << "Label2" << QRect(10, 12, 290, 132);
    QTest::newRow("Command1") << "Command1" << QRect(234, 162, 81, 27);
}

void TestAboutBox::boxLooksAsDesigned()
{
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    FormAbout box;
    QCOMPARE(box.windowTitle(), QStringLiteral("关于"));
    QCOMPARE(box.windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
    // A title bar with a close button, nothing to maximise.
    QVERIFY(box.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!box.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // Fixed at the designed client size of 4800 x 2970 twips.
    QCOMPARE(box.minimumSize(), QSize(320, 198));
    QCOMPARE(box.maximumSize(), QSize(320, 198));
    QVERIFY(box.Frame1()->title().isEmpty());
    QCOMPARE(box.Command1()->text(), QStringLiteral("关闭(&C)"));

    const QHash<QString, QWidget *> controls{
        {QStringLiteral("Frame1"), box.Frame1()},
        {QStringLiteral("Label2"), box.Label2()},
        {QStringLiteral("Command1"), box.Command1()},
    };
    QCOMPARE(controls[control]->geometry(), geometry);
    QCOMPARE(box.Label2()->parentWidget(), box.Frame1());
}

void TestAboutBox::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("closes");

    QTest::newRow("Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                           << true;
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << true;
    QTest::newRow("Alt+C") << int(Qt::Key_C) << Qt::KeyboardModifiers(Qt::AltModifier) << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << false;
    QTest::newRow("C alone") << int(Qt::Key_C) << Qt::KeyboardModifiers() << false;
}

void TestAboutBox::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, closes);
    FormAbout box;
    QWidget *focusAtOpening = nullptr;
    bool closedByKey = false;
    const auto driver = whenModalOpens<FormAbout>([&](FormAbout &open) {
        if (QTest::qWaitForWindowActive(&open))
            focusAtOpening = QApplication::focusWidget();
        QTest::keyClick(open.focusWidget(), Qt::Key(key), modifiers);
        // An access key presses its button in an animated click.
        closedByKey = QTest::qWaitFor([&] { return !open.isVisible(); }, 500);
        if (!closedByKey)
            open.close();
    });
    box.exec();
    QCOMPARE(focusAtOpening, box.Command1());
    QCOMPARE(closedByKey, closes);
}

void TestAboutBox::openerReplacesCaptionAndTextUntilTheNextOpening_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");

    QTest::newRow("help") << "帮助" << helpText;
    QTest::newRow("calibration tip") << "提示" << tipText;
}

void TestAboutBox::openerReplacesCaptionAndTextUntilTheNextOpening()
{
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QString shownCaption;
    QString shownText;
    const auto record = [&](FormAbout &open) {
        shownCaption = open.windowHandle()->title();
        shownText = open.Label2()->text();
        open.Command1()->click();
    };
    {
        FormAbout box;
        box.setWindowTitle(caption);
        box.Label2()->setText(text);
        const auto driver = whenModalOpens<FormAbout>(record);
        box.exec();
    }
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownText, text);

    {
        FormAbout box;
        const auto driver = whenModalOpens<FormAbout>(record);
        box.exec();
    }
    QCOMPARE(shownCaption, QStringLiteral("关于"));
    QCOMPARE(shownText, aboutText(2, 0, 0));
}

void TestAboutBox::textShowsWholeLineByLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("linesWithInk");

    QTest::newRow("about") << QString() << 4;
    QTest::newRow("help, eleven lines") << helpText << 6;
    // One line too long for the label, wrapped in two.
    QTest::newRow("calibration tip") << tipText << 2;
}

void TestAboutBox::textShowsWholeLineByLine()
{
    QFETCH(QString, text);
    QFETCH(int, linesWithInk);
    FormAbout box;
    if (!text.isNull())
        box.Label2()->setText(text);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QLabel *label = box.Label2();
    QCOMPARE(label->text(), text.isNull() ? aboutText(2, 0, 0) : text);

    const QImage image = label->grab().toImage();
    const QPalette &palette = label->palette();
    const QList<QPair<int, int>> lines =
        inkLines(image, nearerTo(palette.color(QPalette::WindowText).rgb(),
                                 palette.color(QPalette::Window).rgb()));
    QCOMPARE(lines.size(), linesWithInk);
    // The last line is whole: clear of the label's bottom edge.
    QVERIFY2(lines.last().second < image.height() - 1,
             qPrintable(QStringLiteral("ink down to row %1 of %2")
                            .arg(lines.last().second)
                            .arg(image.height())));
}

void TestAboutBox::openerMakesTheBoxTopmost()
{
    FormAbout box;
    setTopmost(&box, true);
    bool topmost = false;
    QString caption;
    const auto driver = whenModalOpens<FormAbout>([&](FormAbout &open) {
        topmost = open.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
        caption = open.windowHandle()->title();
        open.Command1()->click();
    });
    QCOMPARE(box.exec(), int(QDialog::Accepted));
    QVERIFY(topmost);
    QCOMPARE(caption, QStringLiteral("关于"));
}

QTEST_MAIN(TestAboutBox)
#include "tst_about_box.moc"
