#include "app/window_services.h"
#include "core/commands/about_text.h"
#include "dialogs/about_box.h"
#include "support/image_probe.h"
#include "support/modal_dialogs.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace ImageProbe;

namespace {
const QString aboutText = QString::fromStdString(AboutText::text());
} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void boxLooksAsDesigned();
    void keys_data();
    void keys();
    void everyOpeningStartsWithTheAboutCaptionAndText_data();
    void everyOpeningStartsWithTheAboutCaptionAndText();
    void textShowsWholeLineByLine_data();
    void textShowsWholeLineByLine();
};

void TestAboutBox::boxLooksAsDesigned()
{
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

    // Twips at 15 to the pixel, relative to the containing control.
    QCOMPARE(box.Frame1()->geometry(), QRect(4, 6, 311, 151));
    QCOMPARE(box.Label2()->parentWidget(), box.Frame1());
    QCOMPARE(box.Label2()->geometry(), QRect(10, 12, 290, 132));
    QCOMPARE(box.Command1()->geometry(), QRect(234, 162, 81, 27));
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
        closedByKey = closesSoon(open);
    });
    box.exec();
    QCOMPARE(focusAtOpening, box.Command1());
    QCOMPARE(closedByKey, closes);
}

void TestAboutBox::everyOpeningStartsWithTheAboutCaptionAndText_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");

    QTest::newRow("after the help") << "帮助" << helpText;
    QTest::newRow("after the calibration tip") << "提示" << tipText;
}

void TestAboutBox::everyOpeningStartsWithTheAboutCaptionAndText()
{
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QString shownCaption;
    QString shownText;
    bool topmost = true;
    const auto record = [&](FormAbout &open) {
        shownCaption = open.windowHandle()->title();
        shownText = open.Label2()->text();
        topmost = open.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
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
    QVERIFY(!topmost);

    FormAbout box;
    setTopmost(&box, true);
    const auto driver = whenModalOpens<FormAbout>(record);
    QCOMPARE(box.exec(), int(QDialog::Accepted));
    QCOMPARE(shownCaption, QStringLiteral("关于"));
    QCOMPARE(shownText, aboutText);
    QVERIFY(topmost);
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
    // Fitting the text changes its font, never the text.
    QCOMPARE(label->text(), text.isNull() ? aboutText : text);
    const QImage image = label->grab().toImage();
    const PixelTest ink = nearerTo(label->palette().color(QPalette::WindowText).rgb(),
                                   label->palette().color(QPalette::Window).rgb());
    QCOMPARE(textLineCount(image, image.rect(), ink), linesWithInk);
    // The last line is whole: clear of the label's bottom edge.
    const int inkBottom = inkBox(image, image.rect(), ink).bottom();
    QVERIFY2(
        inkBottom < image.height() - 1,
        qPrintable(QStringLiteral("ink down to row %1 of %2").arg(inkBottom).arg(image.height())));
}

QTEST_MAIN(TestAboutBox)
#include "tst_about_box.moc"
