#include "menu/form_menu.h"
#include "ruler/ruler_window.h"
#include "support/ruler_on_file.h"

#include <QLabel>
#include <QMenu>
#include <QTest>

namespace {

void pressKey(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {},
              bool autoRepeat = false)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(widget, &press);
}

} // namespace

class TestRulerInput : public QObject
{
    Q_OBJECT

private slots:
    void arrowKeysMove_data();
    void arrowKeysMove();
    void repeatedKeyDownsMoveEachTime();
    void translucencyKeys_data();
    void translucencyKeys();
    void otherKeysDoNothing();
    void rightButtonOnTheBodyOpensTheMenuAtThePointer();
    void otherButtonsDragTheBody_data();
    void otherButtonsDragTheBody();
    void anyButtonOnTheGripStretches_data();
    void anyButtonOnTheGripStretches();
    void pointerShapes();
};

void TestRulerInput::arrowKeysMove_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("position");

    // From (100, 100) pixels, 1500 twips each: 100 twips is 6.7 pixels, 10 twips 0.7.
    QTest::newRow("down") << int(Qt::Key_Down) << 0 << QPoint(100, 107);
    QTest::newRow("ctrl left moves a full step")
        << int(Qt::Key_Left) << int(Qt::ControlModifier) << QPoint(93, 100);
    QTest::newRow("shift ctrl left")
        << int(Qt::Key_Left) << int(Qt::ShiftModifier | Qt::ControlModifier) << QPoint(99, 100);
    QTest::newRow("alt right") << int(Qt::Key_Right) << int(Qt::AltModifier) << QPoint(107, 100);
    QTest::newRow("keypad arrow") << int(Qt::Key_Up) << int(Qt::KeypadModifier) << QPoint(100, 93);
}

void TestRulerInput::arrowKeysMove()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QPoint, position);
    StartedRuler started("Left=1500\nTop=1500\n");
    const QByteArray before = started.file.text();
    pressKey(&started.ruler, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(started.ruler.pos(), position);
    QCOMPARE(started.file.text(), before);
}

void TestRulerInput::repeatedKeyDownsMoveEachTime()
{
    StartedRuler started("Left=1500\nTop=1500\n");
    for (int press = 0; press < 3; ++press)
        pressKey(&started.ruler, Qt::Key_Right, {}, press > 0);
    // Each step of 100 twips starts from the whole pixel the last one reached:
    // 100 -> 106.7 -> 107 -> 113.7 -> 114 -> 120.7 -> 121.
    QCOMPARE(started.ruler.pos(), QPoint(121, 100));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&started.ruler, &release);
    QCOMPARE(started.ruler.pos(), QPoint(121, 100));
}

void TestRulerInput::translucencyKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("expected");

    QTest::newRow("keypad plus") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << QByteArray("5")
                                 << "0";
    QTest::newRow("equals key") << int(Qt::Key_Equal) << 0 << QByteArray("255") << "245";
    QTest::newRow("shifted equals key")
        << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << QByteArray("100") << "90";
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << int(Qt::KeypadModifier)
                                  << QByteArray("250") << "255";
    QTest::newRow("minus key at 255") << int(Qt::Key_Minus) << 0 << QByteArray("255") << "255";
    QTest::newRow("shifted minus key")
        << int(Qt::Key_Underscore) << int(Qt::ShiftModifier) << QByteArray("0") << "10";
}

void TestRulerInput::translucencyKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QByteArray, stored);
    QFETCH(QString, expected);
    StartedRuler started("Transparent=" + stored + "\n");
    pressKey(&started.ruler, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(started.stored(SettingsKey::Transparent), expected);
    QCOMPARE(qRound(started.ruler.windowOpacity() * 255), expected.toInt());
}

void TestRulerInput::otherKeysDoNothing()
{
    StartedRuler started("Left=1500\nTop=1500\n");
    const QByteArray before = started.file.text();
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Return, Qt::Key_PageUp, Qt::Key_Asterisk})
        pressKey(&started.ruler, key);
    QCOMPARE(started.ruler.pos(), QPoint(100, 100));
    QCOMPARE(started.file.text(), before);
}

void TestRulerInput::rightButtonOnTheBodyOpensTheMenuAtThePointer()
{
    StartedRuler started("Left=1500\nTop=1500\n");
    QMenu *menu = started.ruler.formMenu().mnuRight();
    QTest::mouseClick(&started.ruler, Qt::RightButton, {}, QPoint(200, 50));
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), QPoint(300, 150));
    menu->close();
}

void TestRulerInput::otherButtonsDragTheBody_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("left") << int(Qt::LeftButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void TestRulerInput::otherButtonsDragTheBody()
{
    QFETCH(int, button);
    StartedRuler started("Left=1500\nTop=1500\n");
    Form1 &ruler = started.ruler;
    const QByteArray before = started.file.text();
    // Without a window manager the ruler follows the pointer itself.
    QTest::mousePress(&ruler, Qt::MouseButton(button), {}, QPoint(200, 50));
    QTest::mouseMove(&ruler, QPoint(230, 90));
    QCOMPARE(ruler.pos(), QPoint(130, 140));
    QTest::mouseRelease(&ruler, Qt::MouseButton(button), {}, QPoint(200, 50));
    QTest::mouseMove(&ruler, QPoint(260, 60));
    QCOMPARE(ruler.pos(), QPoint(130, 140));
    QVERIFY(!ruler.formMenu().mnuRight()->isVisible());
    QCOMPARE(started.file.text(), before);
}

void TestRulerInput::anyButtonOnTheGripStretches_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("left") << int(Qt::LeftButton) << false;
    QTest::newRow("right") << int(Qt::RightButton) << false;
    QTest::newRow("middle") << int(Qt::MiddleButton) << false;
    QTest::newRow("right double-click") << int(Qt::RightButton) << true;
}

void TestRulerInput::anyButtonOnTheGripStretches()
{
    QFETCH(int, button);
    QFETCH(bool, doubleClick);
    StartedRuler started;
    QLabel *grip = started.ruler.grip();
    if (doubleClick)
        QTest::mouseDClick(grip, Qt::MouseButton(button), {}, QPoint(5, 5));
    else
        QTest::mousePress(grip, Qt::MouseButton(button), {}, QPoint(5, 5));
    QTest::mouseMove(grip, QPoint(105, 45));
    QCOMPARE(started.ruler.size(), QSize(752, 160));
    QCOMPARE(started.stored(SettingsKey::Width), QStringLiteral("11280"));
    QCOMPARE(started.stored(SettingsKey::Height), QStringLiteral("2400"));
    QCOMPARE(grip->geometry(), QRect(752 - 24, 160 - 12, 24, 12));
    QVERIFY(!started.ruler.formMenu().mnuRight()->isVisible());
    QTest::mouseRelease(grip, Qt::MouseButton(button), {}, QPoint(105, 45));
}

void TestRulerInput::pointerShapes()
{
    StartedRuler started;
    QCOMPARE(started.ruler.grip()->cursor().shape(), Qt::SizeFDiagCursor);
    QCOMPARE(started.ruler.cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(TestRulerInput)
#include "tst_ruler_input.moc"
