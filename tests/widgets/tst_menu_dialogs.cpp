#include "dialogs/about_box.h"
#include "dialogs/color_dialog.h"
#include "support/modal_dialogs.h"
#include "support/ruler_on_file.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

QAction *itemCaptioned(FormMenu &menu, const QString &caption)
{
    for (QAction *item : menu.mnuRight()->actions()) {
        if (item->text() == caption)
            return item;
    }
    qFatal("no such menu item");
}

// What a modal window showed while it was open.
struct Seen
{
    int count = 0;
    QString title;
    QString text;
    bool topmost = false;
};

// Records every about box (about, help, tip) that opens, and closes it.
std::unique_ptr<QTimer> recordAboutBoxes(Seen &seen)
{
    return whenModalOpens<FormAbout>(
        [&seen](FormAbout &box) {
            ++seen.count;
            seen.title = box.windowTitle();
            seen.text = box.Label2()->text();
            seen.topmost = box.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box.Command1()->click();
        },
        Openings::Every);
}

// What the calibration box showed.
struct CalibrationSeen
{
    bool opened = false;
    QString title;
    QString prompt;
    QString defaultText;
    bool topmost = false;
};

// Answers the calibration box with answer.
std::unique_ptr<QTimer> answerCalibration(CalibrationSeen &seen, const QString &answer)
{
    return whenModalOpens<QInputDialog>([&seen, answer](QInputDialog &box) {
        seen.opened = true;
        seen.title = box.windowTitle();
        seen.prompt = box.labelText();
        seen.defaultText = box.textValue();
        seen.topmost = box.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        box.setTextValue(answer);
        box.accept();
    });
}

} // namespace

class TestMenuDialogs : public QObject
{
    Q_OBJECT

private slots:
    void colourCommandOpensTheColourDialog_data();
    void colourCommandOpensTheColourDialog();
    void aboutHelpAndTipTexts();
    void calibrationBoxShowsWhatItAsks();
    void shortRulerIsLengthenedForTheSpanAndTheBoxStandsClear();
};

void TestMenuDialogs::colourCommandOpensTheColourDialog_data()
{
    QTest::addColumn<bool>("topmost");
    QTest::newRow("ruler not topmost") << false;
    QTest::newRow("ruler topmost") << true;
}

void TestMenuDialogs::colourCommandOpensTheColourDialog()
{
    QFETCH(bool, topmost);
    StartedRuler started(topmost ? QByteArray("AlwaysOnTop=True\n") : QByteArray());
    bool opened = false;
    bool dialogTopmost = false;
    const auto answer = whenModalOpens<Form2>([&](Form2 &dialog) {
        opened = true;
        dialogTopmost = dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        dialog.Text1(0)->setText(QStringLiteral("#0000FF"));
        dialog.Command1()->click();
    });
    itemCaptioned(started.menu(), QStringLiteral("设置颜色(&R)"))->trigger();
    QVERIFY(opened);
    QCOMPARE(dialogTopmost, topmost);
    QCOMPARE(started.stored(SettingsKey::BackColor), QStringLiteral("#0000FF"));
    QCOMPARE(started.ruler.image().pixel(1, 60), qRgb(0, 0, 255));
}

void TestMenuDialogs::aboutHelpAndTipTexts()
{
    StartedRuler started("AlwaysOnTop=True\n");
    Seen seen;
    const auto recorder = recordAboutBoxes(seen);

    itemCaptioned(started.menu(), QStringLiteral("帮助(&H)"))->trigger();
    QCOMPARE(seen.count, 1);
    QCOMPARE(seen.title, QStringLiteral("帮助"));
    QCOMPARE(seen.text, helpText);
    QVERIFY(seen.topmost);

    // The about box after the help window shows nothing of it.
    itemCaptioned(started.menu(), QStringLiteral("关于(&A)"))->trigger();
    QCOMPARE(seen.count, 2);
    QCOMPARE(seen.title, QStringLiteral("关于"));
    QVERIFY(seen.text.startsWith(QStringLiteral("Ostrel屏幕刻度尺\r\n\r\n版本: Ver2.0.0\r\n")));
    QVERIFY(seen.topmost);

    // Not topmost: neither is the box.
    started.menu().item(MenuCommand::AlwaysOnTop)->trigger();
    started.menu().commands().mnuAbout_Click();
    QCOMPARE(seen.count, 3);
    QVERIFY(!seen.topmost);
}

void TestMenuDialogs::calibrationBoxShowsWhatItAsks()
{
    StartedRuler started("AlwaysOnTop=True\nRevision=0.9\n");
    CalibrationSeen seen;
    const auto box = answerCalibration(seen, QStringLiteral("181"));
    itemCaptioned(started.menu(), QStringLiteral("输入校正值(&R)"))->trigger();
    QVERIFY(seen.opened);
    QCOMPARE(seen.title, QStringLiteral("Ostrel屏幕刻度尺"));
    QCOMPARE(seen.prompt, QStringLiteral("请输入屏幕刻度尺200mm间距的真实尺寸,\r\n\r\n"
                                         "您需要用真实的刻度尺在显示器上测量.\r\n\r\n单位=mm"));
    QCOMPARE(seen.defaultText, QStringLiteral("180"));
    QVERIFY(seen.topmost);
    QCOMPARE(started.stored(SettingsKey::Revision), QStringLiteral("0.905"));
}

void TestMenuDialogs::shortRulerIsLengthenedForTheSpanAndTheBoxStandsClear()
{
    // The design size is 172.5 mm: too short to show a 200 mm span.
    StartedRuler started;
    QRect rulerGeometry;
    QRect boxGeometry;
    const auto box = whenModalOpens<QInputDialog>([&](QInputDialog &dialog) {
        rulerGeometry = started.ruler.geometry();
        boxGeometry = dialog.frameGeometry();
        dialog.reject();
    });
    started.menu().commands().mnuRevise_Click();
    // 215 mm at 96 dpi are 812.6 pixels, as far as the screen is wide.
    QCOMPARE(rulerGeometry.width(), qMin(813, started.ruler.screen()->geometry().width()));
    QVERIFY(!boxGeometry.intersects(rulerGeometry));
    QVERIFY(started.ruler.screen()->geometry().contains(boxGeometry));

    QCOMPARE(started.ruler.geometry(), QRect(0, 0, 652, 120));
    QCOMPARE(started.stored(SettingsKey::Width), QStringLiteral("9780"));
    QCOMPARE(started.stored(SettingsKey::Height), QStringLiteral("1800"));
}

QTEST_MAIN(TestMenuDialogs)
#include "tst_menu_dialogs.moc"
