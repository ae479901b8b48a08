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

// What the calibration box showed, and the state of the ruler behind it.
struct CalibrationSeen
{
    bool opened = false;
    QString title;
    QString prompt;
    QString defaultText;
    bool topmost = false;
    int checkedUnit = -1;
    int checkedDirection = -1;
    int checkedSize = -1;
    QRect rulerGeometry;
    QString storedUnit;
};

// Answers the calibration box with answer, or cancels it when answer is null.
std::unique_ptr<QTimer> answerCalibration(RulerOnFile &started, CalibrationSeen &seen,
                                          const QString &answer)
{
    return whenModalOpens<QInputDialog>([&started, &seen, answer](QInputDialog &box) {
        seen.opened = true;
        seen.title = box.windowTitle();
        seen.prompt = box.labelText();
        seen.defaultText = box.textValue();
        seen.topmost = box.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        seen.checkedUnit = started.menu().commands().state().unit.markedIndex();
        seen.checkedDirection = started.menu().commands().state().direction.markedIndex();
        seen.checkedSize = started.menu().commands().state().size.markedIndex();
        seen.rulerGeometry = started.ruler.geometry();
        seen.storedUnit = started.stored(SettingsKey::ScaleMode);
        if (answer.isNull()) {
            box.reject();
        } else {
            box.setTextValue(answer);
            box.accept();
        }
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
    void physicalScaleWithoutCalibrationShowsTheTip_data();
    void physicalScaleWithoutCalibrationShowsTheTip();
    void calibrationStoresRealOverNominal_data();
    void calibrationStoresRealOverNominal();
    void calibrationShowsTheNominalRulerThenRestoresIt();
    void cancelledCalibrationOfAnUncalibratedPhysicalRulerShowsTheTip();
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

void TestMenuDialogs::physicalScaleWithoutCalibrationShowsTheTip_data()
{
    QTest::addColumn<QByteArray>("revision");
    QTest::addColumn<int>("tips");
    QTest::newRow("missing") << QByteArray() << 1;
    QTest::newRow("zero") << QByteArray("Revision=0\n") << 1;
    QTest::newRow("letters") << QByteArray("Revision=abc\n") << 1;
    QTest::newRow("negative") << QByteArray("Revision=-0.05\n") << 1;
    QTest::newRow("calibrated") << QByteArray("Revision=0.9\n") << 0;
}

void TestMenuDialogs::physicalScaleWithoutCalibrationShowsTheTip()
{
    QFETCH(QByteArray, revision);
    QFETCH(int, tips);
    StartedRuler started(revision);
    Seen seen;
    const auto recorder = recordAboutBoxes(seen);
    itemCaptioned(started.menu(), QStringLiteral("物理刻度尺(&S)"))->trigger();
    QCOMPARE(seen.count, tips);
    if (tips) {
        QCOMPARE(seen.title, QStringLiteral("提示"));
        QCOMPARE(seen.text, tipText);
    }
    // The switch goes ahead either way.
    QCOMPARE(started.stored(SettingsKey::SizeMode), QStringLiteral("1"));
    QCOMPARE(started.menu().commands().state().size.markedIndex(), 1);

    // The virtual scale never asks.
    started.menu().commands().mnuSize_Click(0);
    QCOMPARE(seen.count, tips);
}

void TestMenuDialogs::calibrationStoresRealOverNominal_data()
{
    QTest::addColumn<QByteArray>("revision");
    QTest::addColumn<QString>("defaultText");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("stored");

    // clang-format off
    QTest::newRow("first calibration")
        << QByteArray() << "0" << "181" << "0.905";
    QTest::newRow("again from 0.9")
        << QByteArray("Revision=0.9\n") << "180" << "181" << "0.905";
    QTest::newRow("half millimetres")
        << QByteArray("Revision=0.9525\n") << "190.5" << "200" << "1";
    QTest::newRow("cancel keeps the value")
        << QByteArray("Revision=0.9\n") << "180" << QString() << "0.9";
    QTest::newRow("emptied answer keeps it")
        << QByteArray("Revision=0.9\n") << "180" << "" << "0.9";
    QTest::newRow("letters store 0")
        << QByteArray("Revision=0.9\n") << "180" << "abc" << "0";
    QTest::newRow("leading number")
        << QByteArray() << "0" << "190mm" << "0.95";
    QTest::newRow("negative")
        << QByteArray() << "0" << "-10" << "-0.05";
    QTest::newRow("too large to be a ratio")
        << QByteArray("Revision=0.9\n") << "180" << "1e999" << "0.9";
    // clang-format on
}

void TestMenuDialogs::calibrationStoresRealOverNominal()
{
    QFETCH(QByteArray, revision);
    QFETCH(QString, defaultText);
    QFETCH(QString, answer);
    QFETCH(QString, stored);
    StartedRuler started(revision);
    CalibrationSeen seen;
    const auto box = answerCalibration(started, seen, answer);
    itemCaptioned(started.menu(), QStringLiteral("输入校正值(&R)"))->trigger();
    QVERIFY(seen.opened);
    QCOMPARE(seen.title, QStringLiteral("Ostrel屏幕刻度尺"));
    QCOMPARE(seen.prompt, QStringLiteral("请输入屏幕刻度尺200mm间距的真实尺寸,\r\n\r\n"
                                         "您需要用真实的刻度尺在显示器上测量.\r\n\r\n单位=mm"));
    QCOMPARE(seen.defaultText, defaultText);
    QCOMPARE(started.stored(SettingsKey::Revision), stored);
}

void TestMenuDialogs::calibrationShowsTheNominalRulerThenRestoresIt()
{
    StartedRuler started(
        "AlwaysOnTop=True\nDirection=90\nScaleMode=Inches\nSizeMode=1\nRevision=0.9\n"
        "Width=12000\nHeight=2000\nLeft=11850\nTop=300\n");
    // Further right than a move command would take it: it comes back exactly.
    const QRect before = started.ruler.geometry();
    QCOMPARE(before, QRect(790, 20, 133, 800));
    CalibrationSeen seen;
    const auto box = answerCalibration(started, seen, QStringLiteral("181"));
    started.menu().commands().mnuRevise_Click();

    // While the box was open: horizontal, millimetres with no unit marked,
    // virtual, centred across the screen one ruler height below the middle.
    QCOMPARE(seen.checkedDirection, 0);
    QCOMPARE(seen.checkedUnit, 0);
    QCOMPARE(seen.checkedSize, 0);
    QCOMPARE(seen.storedUnit, QStringLiteral("Millimeters"));
    const QRect screen = started.ruler.screen()->geometry();
    QCOMPARE(seen.rulerGeometry.size(), QSize(800, 133));
    QCOMPARE(seen.rulerGeometry.topLeft(), QPoint(qRound((screen.width() - 800) / 2.0),
                                                  qRound((screen.height() - 133) / 2.0 + 133)));
    QVERIFY(seen.topmost);

    // Afterwards: vertical, inches, physical, where it was.
    QCOMPARE(started.stored(SettingsKey::Revision), QStringLiteral("0.905"));
    QCOMPARE(started.ruler.geometry(), before);
    QCOMPARE(started.menu().commands().state().direction.markedIndex(), 1);
    QCOMPARE(started.menu().commands().state().unit.markedIndex(), 2);
    QCOMPARE(started.menu().commands().state().size.markedIndex(), 1);
    QCOMPARE(started.stored(SettingsKey::Direction), QStringLiteral("90"));
    QCOMPARE(started.stored(SettingsKey::ScaleMode), QStringLiteral("Inches"));
    QCOMPARE(started.stored(SettingsKey::SizeMode), QStringLiteral("1"));
    QCOMPARE(started.stored(SettingsKey::Width), QStringLiteral("12000"));
    QCOMPARE(started.stored(SettingsKey::Height), QStringLiteral("2000"));
}

void TestMenuDialogs::cancelledCalibrationOfAnUncalibratedPhysicalRulerShowsTheTip()
{
    StartedRuler started("SizeMode=1\n");
    Seen tips;
    const auto recorder = recordAboutBoxes(tips);
    CalibrationSeen seen;
    const auto box = answerCalibration(started, seen, QString());
    started.menu().commands().mnuRevise_Click();
    QVERIFY(seen.opened);
    QCOMPARE(tips.count, 1);
    QCOMPARE(tips.title, QStringLiteral("提示"));
    QCOMPARE(started.stored(SettingsKey::SizeMode), QStringLiteral("1"));
    QCOMPARE(started.stored(SettingsKey::Revision), QString());
}

void TestMenuDialogs::shortRulerIsLengthenedForTheSpanAndTheBoxStandsClear()
{
    // The design size is 172.5 mm: too short to show a 200 mm span.
    StartedRuler started;
    CalibrationSeen seen;
    QRect boxGeometry;
    const auto box = whenModalOpens<QInputDialog>([&](QInputDialog &dialog) {
        seen.rulerGeometry = started.ruler.geometry();
        boxGeometry = dialog.frameGeometry();
        dialog.reject();
    });
    started.menu().commands().mnuRevise_Click();
    // 215 mm at 96 dpi are 812.6 pixels, as far as the screen is wide.
    QCOMPARE(seen.rulerGeometry.width(), qMin(813, started.ruler.screen()->geometry().width()));
    QVERIFY(!boxGeometry.intersects(seen.rulerGeometry));
    QVERIFY(started.ruler.screen()->geometry().contains(boxGeometry));

    QCOMPARE(started.ruler.geometry(), QRect(0, 0, 652, 120));
    QCOMPARE(started.stored(SettingsKey::Width), QStringLiteral("9780"));
    QCOMPARE(started.stored(SettingsKey::Height), QStringLiteral("1800"));
}

QTEST_MAIN(TestMenuDialogs)
#include "tst_menu_dialogs.moc"
