#include "dialogs/color_dialog.h"
#include "ruler/ruler_window.h"
#include "support/image_probe.h"
#include "support/modal_dialogs.h"
#include "support/ruler_on_file.h"
#include "support/ruler_pixels.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ImageProbe;
using namespace RulerPixels;

namespace {

// The colour a swatch shows, read from its painted middle.
QRgb swatchColor(const Form2 &dialog, int row)
{
    QFrame *swatch = dialog.Picture1(row);
    return swatch->grab().toImage().pixel(swatch->rect().center()) | 0xFF000000;
}

// Clicks a swatch and answers the picker that it opens: records the colour the
// picker opened at, then accepts picked or, when it is invalid, cancels after
// moving the picker to another colour.
struct PickerAnswer
{
    bool opened = false;
    QRgb openedAt = 0;
};

PickerAnswer clickSwatchAndPick(const Form2 &dialog, int row, QColor picked)
{
    PickerAnswer answer;
    const auto driver = whenModalOpens<QColorDialog>([&](QColorDialog &picker) {
        answer.opened = true;
        answer.openedAt = picker.currentColor().rgb();
        if (picked.isValid()) {
            picker.setCurrentColor(picked);
            picker.accept();
        } else {
            picker.setCurrentColor(Qt::magenta);
            picker.reject();
        }
    });
    QTest::mouseClick(dialog.Picture1(row), Qt::LeftButton, {},
                      dialog.Picture1(row)->rect().center());
    QCoreApplication::processEvents();
    return answer;
}

// The dialog's controls by their names in the designed form.
QHash<QString, QWidget *> controls(Form2 &dialog)
{
    QHash<QString, QWidget *> named{
        {QStringLiteral("Form2"), &dialog},
        {QStringLiteral("Frame2"), dialog.Frame2()},
        {QStringLiteral("Picture2"), dialog.Picture2()},
        {QStringLiteral("Check1"), dialog.Check1()},
        {QStringLiteral("Command1"), dialog.Command1()},
        {QStringLiteral("Command2"), dialog.Command2()},
    };
    for (int i = 0; i < Form2::rowCount; ++i) {
        named.insert(QStringLiteral("Text1(%1)").arg(i), dialog.Text1(i));
        named.insert(QStringLiteral("Picture1(%1)").arg(i), dialog.Picture1(i));
    }
    return named;
}

QString controlName(Form2 &dialog, QWidget *widget)
{
    return controls(dialog).key(widget, widget ? widget->metaObject()->className() : "nothing");
}

// For each row, 0 to 6, whether its label, text box and swatch take input:
// '1' or '0', or '?' where they differ.
QString enabledRows(const Form2 &dialog)
{
    QString rows;
    for (int row = 0; row < Form2::rowCount; ++row) {
        const bool label = dialog.Label1(row)->isEnabled();
        const bool same =
            dialog.Text1(row)->isEnabled() == label && dialog.Picture1(row)->isEnabled() == label;
        rows += !same ? u'?' : label ? u'1' : u'0';
    }
    return rows;
}

// Runs the dialog and presses OK as soon as it is open.
int execAndPressOk(Form2 &dialog)
{
    const auto driver = whenModalOpens<Form2>([](Form2 &open) { open.Command1()->click(); });
    return dialog.exec();
}

} // namespace

class TestColorDialog : public QObject
{
    Q_OBJECT

private slots:
    void dialogLooksAsDesigned_data();
    void dialogLooksAsDesigned();
    void labelsEndBesideTheirTextBoxes_data();
    void labelsEndBesideTheirTextBoxes();
    void everyRowLoadsItsOwnKey();
    void checkBoxSwitchesTheRows_data();
    void checkBoxSwitchesTheRows();
    void typingIntoTheMiddle_data();
    void typingIntoTheMiddle();
    void pickerAccepted_data();
    void pickerAccepted();
    void pickerCancelledChangesNothing();
    void disabledSwatchOpensNoPicker();
    void okRepaintsWithTheStoredUnit_data();
    void okRepaintsWithTheStoredUnit();
    void okAppliesTheColours();
    void closingWithoutOkWritesNothing_data();
    void closingWithoutOkWritesNothing();
    void keys_data();
    void keys();
    void focusOrder_data();
    void focusOrder();
};

void TestColorDialog::dialogLooksAsDesigned_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");

    // Each control by its name, twips at 15 to the pixel, relative to the containing control.
    QTest::newRow("Frame2") << "Form2" << QRect(4, 0, 263, 293);
    QTest::newRow("Picture2") << "Frame2" << QRect(48, 156, 209, 131);
    QTest::newRow("Check1") << "Picture2" << QRect(4, 4, 167, 19);
    QTest::newRow("Command1") << "Form2" << QRect(88, 298, 81, 27);
    QTest::newRow("Command2") << "Form2" << QRect(178, 298, 81, 27);
    QTest::newRow("Text1(0)") << "Frame2" << QRect(88, 15, 77, 21);
    QTest::newRow("Picture1(0)") << "Frame2" << QRect(168, 12, 29, 27);
    QTest::newRow("Text1(2)") << "Frame2" << QRect(88, 93, 77, 21);
    QTest::newRow("Picture1(3)") << "Frame2" << QRect(168, 128, 29, 27);
    QTest::newRow("Text1(4)") << "Picture2" << QRect(86, 31, 77, 21);
    QTest::newRow("Picture1(5)") << "Picture2" << QRect(166, 63, 29, 27);
    QTest::newRow("Text1(6)") << "Picture2" << QRect(86, 103, 77, 21);
    QTest::newRow("Picture1(6)") << "Picture2" << QRect(166, 100, 29, 27);
}

void TestColorDialog::dialogLooksAsDesigned()
{
    const QString control = QString::fromLatin1(QTest::currentDataTag());
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    RulerOnFile setup;
    Form2 dialog(setup.ruler);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("设置颜色"));
    QCOMPARE(dialog.windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
    // A title bar with a close button, nothing to maximise.
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // Fixed at the designed client size of 4050 x 5070 twips.
    QCOMPARE(dialog.minimumSize(), QSize(270, 338));
    QCOMPARE(dialog.maximumSize(), QSize(270, 338));

    const QHash<QString, QWidget *> named = controls(dialog);
    QVERIFY(named.contains(control));
    QCOMPARE(named[control]->geometry(), geometry);
    QCOMPARE(named[control]->parentWidget(), named[container]);
}

void TestColorDialog::labelsEndBesideTheirTextBoxes_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("middle");

    // Rows 0 to 3 end at 1290 twips on Frame2, rows 4 to 6 at 1260 on
    // Picture2; each is centred on its designed 180-twip line.
    QTest::newRow("0") << 0 << "背景颜色:" << 86 << 25;
    QTest::newRow("1") << 1 << "刻度数字颜色:" << 86 << 64;
    QTest::newRow("2") << 2 << "单位提示颜色:" << 86 << 103;
    QTest::newRow("3") << 3 << "刻度线颜色:" << 86 << 142;
    QTest::newRow("4") << 4 << "大刻度线颜色:" << 84 << 42;
    QTest::newRow("5") << 5 << "中刻度线颜色:" << 84 << 76;
    QTest::newRow("6") << 6 << "小刻度线颜色:" << 84 << 113;
}

void TestColorDialog::labelsEndBesideTheirTextBoxes()
{
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(int, right);
    QFETCH(int, middle);
    RulerOnFile setup;
    Form2 dialog(setup.ruler);
    const QLabel *label = dialog.Label1(row);
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->parentWidget(), dialog.Text1(row)->parentWidget());
    QCOMPARE(label->size(), label->sizeHint());
    QCOMPARE(label->geometry().left() + label->width(), right);
    QVERIFY2(qAbs(label->geometry().center().y() - middle) <= 1,
             qPrintable(QString::number(label->geometry().center().y())));
    QVERIFY(label->geometry().right() < dialog.Text1(row)->geometry().left());
}

void TestColorDialog::everyRowLoadsItsOwnKey()
{
    RulerOnFile setup("BackColor=#010203\nRulerWordColor=#111213\nTipWordColor=#212223\n"
                      "RulerLineColor=#313233\nBigRulerLineColor=#414243\n"
                      "MidRulerLineColor=#515253\nSmallRulerLineColor=#616263\n");
    Form2 dialog(setup.ruler);
    const QStringList texts{"#010203", "#111213", "#212223", "#313233",
                            "#414243", "#515253", "#616263"};
    for (int row = 0; row < Form2::rowCount; ++row) {
        QCOMPARE(dialog.Text1(row)->text(), texts[row]);
        QCOMPARE(swatchColor(dialog, row), QColor(texts[row]).rgb());
        QCOMPARE(dialog.Text1(row)->cursorPosition(), 7);
        QCOMPARE(dialog.Text1(row)->maxLength(), 7);
    }
}

void TestColorDialog::checkBoxSwitchesTheRows_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("custom");

    QTest::newRow("True") << QByteArray("True") << true;
    QTest::newRow("False") << QByteArray("False") << false;
}

void TestColorDialog::checkBoxSwitchesTheRows()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, custom);
    RulerOnFile setup("RulerLineColor=#123456\nBigRulerLineColor=#0000FF\n"
                      "MidRulerLineColor=#00FF00\nSmallRulerLineColor=#FF00FF\n"
                      "IfCustomRulerLineColor=" +
                      stored + '\n');
    Form2 dialog(setup.ruler);
    // Rows 0 to 6: one colour for every tick, or a colour per tick class.
    const QString oneTickColour = QStringLiteral("1111000");
    const QString colourPerClass = QStringLiteral("1110111");
    QCheckBox *check = dialog.Check1();
    QCOMPARE(check->isChecked(), custom);
    QCOMPARE(enabledRows(dialog), custom ? colourPerClass : oneTickColour);

    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->height() / 2, check->height() / 2));
    QCOMPARE(check->isChecked(), !custom);
    QCOMPARE(enabledRows(dialog), custom ? oneTickColour : colourPerClass);
    // A greyed row keeps its text and its colour.
    const QStringList texts{"#123456", "#0000FF", "#00FF00", "#FF00FF"};
    for (int row = 3; row < Form2::rowCount; ++row) {
        QCOMPARE(dialog.Text1(row)->text(), texts[row - 3]);
        QCOMPARE(swatchColor(dialog, row), QColor(texts[row - 3]).rgb());
    }
}

void TestColorDialog::typingIntoTheMiddle_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("afterEachKey");
    QTest::addColumn<QList<int>>("caretAfterEachKey");

    // Every key that changes the text puts the caret at the end, so the next
    // key lands there.
    QTest::newRow("lower case after the hash")
        << "#1234" << 1 << "ab" << QStringList{"#A1234", "#A1234B"} << QList<int>{6, 7};
    QTest::newRow("digits in the middle")
        << "#FF00" << 3 << "12" << QStringList{"#FF100", "#FF1002"} << QList<int>{6, 7};
    QTest::newRow("lower case at the start")
        << "1234" << 0 << "f#" << QStringList{"F1234", "F1234#"} << QList<int>{5, 6};
    // A key that a full box refuses is no change: the caret stays.
    QTest::newRow("full box takes nothing")
        << "#FF0000" << 2 << "a" << QStringList{"#FF0000"} << QList<int>{2};
}

void TestColorDialog::typingIntoTheMiddle()
{
    QFETCH(QString, start);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QStringList, afterEachKey);
    QFETCH(QList<int>, caretAfterEachKey);
    RulerOnFile setup;
    Form2 dialog(setup.ruler);
    QLineEdit *text = dialog.Text1(1);
    text->setText(start);
    text->setCursorPosition(caret);
    for (qsizetype i = 0; i < typed.size(); ++i) {
        QTest::keyClicks(text, typed.mid(i, 1));
        QCOMPARE(text->text(), afterEachKey[i]);
        QCOMPARE(text->cursorPosition(), caretAfterEachKey[i]);
    }
}

void TestColorDialog::pickerAccepted_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("picked");
    QTest::addColumn<QString>("text");

    QTest::newRow("pure red") << 0 << QColor(255, 0, 0) << "#FF0000";
    QTest::newRow("black") << 1 << QColor(0, 0, 0) << "#000000";
    QTest::newRow("blue 10") << 2 << QColor(0, 0, 10) << "#00000A";
    QTest::newRow("every channel") << 3 << QColor(0x12, 0x0A, 0xBC) << "#120ABC";
}

void TestColorDialog::pickerAccepted()
{
    QFETCH(int, row);
    QFETCH(QColor, picked);
    QFETCH(QString, text);
    RulerOnFile setup;
    Form2 dialog(setup.ruler);
    const PickerAnswer answer = clickSwatchAndPick(dialog, row, picked);
    QVERIFY(answer.opened);
    // The first picker opens at black, whatever the swatch shows.
    QCOMPARE(answer.openedAt, black);
    QCOMPARE(dialog.Text1(row)->text(), text);
    QCOMPARE(swatchColor(dialog, row), picked.rgb());
}

void TestColorDialog::pickerCancelledChangesNothing()
{
    RulerOnFile setup("RulerWordColor=#123456\n");
    Form2 dialog(setup.ruler);
    QVERIFY(clickSwatchAndPick(dialog, 0, QColor(0, 0, 10)).opened);

    const PickerAnswer cancelled = clickSwatchAndPick(dialog, 1, QColor());
    QVERIFY(cancelled.opened);
    QCOMPARE(dialog.Text1(1)->text(), QStringLiteral("#123456"));
    QCOMPARE(swatchColor(dialog, 1), qRgb(0x12, 0x34, 0x56));

    // The picker still opens at the colour last accepted, not at the one it
    // was moved to before the cancel.
    QCOMPARE(clickSwatchAndPick(dialog, 2, QColor()).openedAt, qRgb(0, 0, 10));
}

void TestColorDialog::disabledSwatchOpensNoPicker()
{
    RulerOnFile setup("IfCustomRulerLineColor=False\n");
    Form2 dialog(setup.ruler);
    const PickerAnswer answer = clickSwatchAndPick(dialog, 4, QColor(0, 0, 10));
    QVERIFY(!answer.opened);
    QCOMPARE(dialog.Text1(4)->text(), QStringLiteral("#FF0000"));
    // The swatch it replaced as the enabled one opens the picker.
    QVERIFY(clickSwatchAndPick(dialog, 3, QColor(0, 0, 10)).opened);
    QCOMPARE(dialog.Text1(3)->text(), QStringLiteral("#00000A"));
}

void TestColorDialog::okRepaintsWithTheStoredUnit_data()
{
    QTest::addColumn<QByteArray>("scaleMode");
    QTest::addColumn<int>("drawnBefore");
    QTest::addColumn<int>("bigTickX");

    // A big tick at 200 px only in pixels, at 96 (an inch) only in inches,
    // at 37 (a centimetre) only in millimetres.
    QTest::newRow("Pixels") << QByteArray("Pixels") << 6 << 200;
    QTest::newRow("Inches") << QByteArray("Inches") << 6 << 96;
    QTest::newRow("Millimeters") << QByteArray("Millimeters") << 3 << 37;
    QTest::newRow("pixels in lower case") << QByteArray("pixels") << 3 << 37;
    QTest::newRow("INCHES in upper case") << QByteArray("INCHES") << 5 << 37;
    QTest::newRow("missing") << QByteArray() << 5 << 37;
}

void TestColorDialog::okRepaintsWithTheStoredUnit()
{
    QFETCH(QByteArray, scaleMode);
    QFETCH(int, drawnBefore);
    QFETCH(int, bigTickX);
    RulerOnFile setup(scaleMode.isNull() ? QByteArray() : "ScaleMode=" + scaleMode + '\n');
    setup.ruler.behaviour().DrawRuler(drawnBefore);
    QVERIFY(topTick(setup.ruler.image(), bigTickX) != 23);

    Form2 dialog(setup.ruler);
    execAndPressOk(dialog);

    // Nothing changed in the dialog, yet the ruler is painted anew.
    const QImage image = setup.ruler.image();
    for (const int x : {37, 96, 200})
        QCOMPARE(topTick(image, x) == 23, x == bigTickX);
}

void TestColorDialog::okAppliesTheColours()
{
    RulerOnFile setup("ScaleMode=Millimeters\n");
    setup.ruler.behaviour().DrawRuler(6);
    QCOMPARE(setup.ruler.image().pixel(1, 60), yellow);

    Form2 dialog(setup.ruler);
    dialog.Text1(0)->setText(QStringLiteral("#0000ff"));
    dialog.Check1()->click();
    dialog.Text1(4)->setText(QStringLiteral("#00ff00"));
    execAndPressOk(dialog);

    const QImage image = setup.ruler.image();
    QCOMPARE(image.pixel(1, 60), blue);
    QCOMPARE(topTick(image, 37, green), 23);
    // Mid ticks keep their red.
    QCOMPARE(topTick(image, 18), 16);
}

void TestColorDialog::closingWithoutOkWritesNothing_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("Alt+N") << "Alt+N";
    QTest::newRow("window closed") << "close";
}

void TestColorDialog::closingWithoutOkWritesNothing()
{
    QFETCH(QString, how);
    RulerOnFile setup("ScaleMode=Inches\nBackColor=#ff8000\n");
    setup.ruler.behaviour().DrawRuler(6);
    const QImage before = setup.ruler.image();
    const QByteArray fileBefore = setup.file.text();

    Form2 dialog(setup.ruler);
    bool closedAsAsked = false;
    const auto driver = whenModalOpens<Form2>([&](Form2 &open) {
        open.Text1(0)->setText(QStringLiteral("#0000FF"));
        open.Check1()->click();
        if (how == u"Cancel") {
            open.Command2()->click();
        } else if (how == u"Alt+N") {
            if (QTest::qWaitForWindowActive(&open))
                QTest::keyClick(open.focusWidget(), Qt::Key_N, Qt::AltModifier);
        } else {
            open.close();
        }
        closedAsAsked = closesSoon(open);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(closedAsAsked);
    QCOMPARE(setup.file.text(), fileBefore);
    QCOMPARE(setup.ruler.image(), before);
}

void TestColorDialog::keys_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("outcome");

    const Qt::KeyboardModifiers none;
    QTest::newRow("Return in a text box") << "Text1(0)" << int(Qt::Key_Return) << none << "open";
    QTest::newRow("Enter in a text box")
        << "Text1(2)" << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << "open";
    QTest::newRow("Return on the check box") << "Check1" << int(Qt::Key_Return) << none << "open";
    QTest::newRow("Escape in a text box") << "Text1(0)" << int(Qt::Key_Escape) << none << "open";
    QTest::newRow("Escape on OK") << "Command1" << int(Qt::Key_Escape) << none << "open";
    QTest::newRow("Alt+Y") << "Text1(0)" << int(Qt::Key_Y) << Qt::KeyboardModifiers(Qt::AltModifier)
                           << "OK";
    QTest::newRow("Alt+N") << "Text1(0)" << int(Qt::Key_N) << Qt::KeyboardModifiers(Qt::AltModifier)
                           << "Cancel";
    QTest::newRow("Return on OK") << "Command1" << int(Qt::Key_Return) << none << "OK";
    QTest::newRow("Space on Cancel") << "Command2" << int(Qt::Key_Space) << none << "Cancel";
}

void TestColorDialog::keys()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, outcome);
    RulerOnFile setup;
    Form2 dialog(setup.ruler);
    bool active = false;
    bool anyDefault = true;
    bool openAfterKey = false;
    const auto driver = whenModalOpens<Form2>([&](Form2 &open) {
        active = QTest::qWaitForWindowActive(&open);
        anyDefault = open.Command1()->isDefault() || open.Command2()->isDefault();
        QWidget *focused = controls(open).value(focus);
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key(key), modifiers);
        openAfterKey = !closesSoon(open);
    });
    const int result = dialog.exec();
    QVERIFY(active);
    QVERIFY(!anyDefault);
    if (outcome == u"open") {
        QVERIFY(openAfterKey);
        QVERIFY(!setup.file.exists());
    } else {
        QVERIFY(!openAfterKey);
        QCOMPARE(result, int(outcome == u"OK" ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(setup.file.exists(), outcome == u"OK");
    }
}

void TestColorDialog::focusOrder_data()
{
    QTest::addColumn<QByteArray>("custom");
    QTest::addColumn<QStringList>("order");

    // Greyed rows are passed over.
    QTest::newRow("one tick colour")
        << QByteArray("False") << QStringList{"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)",
                                              "Check1",   "Command1", "Command2", "Text1(0)"};
    QTest::newRow("a colour per tick class")
        << QByteArray("True")
        << QStringList{"Text1(0)", "Text1(1)", "Text1(2)", "Check1",   "Text1(4)",
                       "Text1(5)", "Text1(6)", "Command1", "Command2", "Text1(0)"};
}

void TestColorDialog::focusOrder()
{
    QFETCH(QByteArray, custom);
    QFETCH(QStringList, order);
    RulerOnFile setup("IfCustomRulerLineColor=" + custom + '\n');
    Form2 dialog(setup.ruler);
    QStringList visited;
    QString selectedAtOpening = QStringLiteral("unseen");
    int caretAtOpening = -1;
    const auto driver = whenModalOpens<Form2>([&](Form2 &open) {
        if (QTest::qWaitForWindowActive(&open)) {
            // The first key typed goes after the colour, not over it.
            selectedAtOpening = open.Text1(0)->selectedText();
            caretAtOpening = open.Text1(0)->cursorPosition();
            visited.append(controlName(open, QApplication::focusWidget()));
            for (qsizetype i = 1; i < order.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                visited.append(controlName(open, QApplication::focusWidget()));
            }
        }
        open.reject();
    });
    dialog.exec();
    QCOMPARE(visited, order);
    QCOMPARE(selectedAtOpening, QString());
    QCOMPARE(caretAtOpening, 7);
}

QTEST_MAIN(TestColorDialog)
#include "tst_color_dialog.moc"
