#include "color_dialog.h"

#include "app/screen_twips.h"
#include "core/commands/color_dialog_layout.h"
#include "core/ruler/twips.h"
#include "core/settings/setting_values.h"
#include "dialog_layout.h"
#include "ruler/color_value_rgb.h"
#include "ruler/ruler_window.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace Layout = ColorDialogLayout;

Form2::Form2(Form1 &ruler)
    : QDialog(&ruler, fixedDialogFlags)
    , m_ruler(ruler)
    , m_model(ruler.settings())
{
    setWindowTitle(QString::fromUtf8(ColorSettings::windowCaption));
    const double tpp = Twips::perPixel(this);
    setFixedSize(Twips::toPixels(Layout::client.width, tpp),
                 Twips::toPixels(Layout::client.height, tpp));

    m_frame2 = new QGroupBox(this);
    setGeometryTwips(m_frame2, Layout::frame2, tpp);
    m_picture2 = new QWidget(m_frame2);
    setGeometryTwips(m_picture2, Layout::picture2, tpp);
    m_check1 = new QCheckBox(QString::fromUtf8(ColorSettings::switchCaption), m_picture2);
    setGeometryTwips(m_check1, Layout::check1, tpp);
    connect(m_check1, &QCheckBox::toggled, this, &Form2::Check1_Click);

    createRows(tpp);

    // Neither button is the default: Enter in a text box presses nothing.
    m_command1 = new QPushButton(QString::fromUtf8(ColorSettings::okCaption), this);
    m_command1->setAutoDefault(false);
    setGeometryTwips(m_command1, Layout::command1, tpp);
    connect(m_command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    m_command2 = new QPushButton(QString::fromUtf8(ColorSettings::cancelCaption), this);
    m_command2->setAutoDefault(false);
    setGeometryTwips(m_command2, Layout::command2, tpp);
    connect(m_command2, &QPushButton::clicked, this, &Form2::reject);

    setFocusOrder();
    // The dialog opens in the first colour's text box.
    m_text1[0]->setFocus();

    Form_Load();
}

void Form2::createRows(double tpp)
{
    for (int i = 0; i < rowCount; ++i) {
        const Layout::Row &row = Layout::rows[size_t(i)];
        QWidget *container = row.onPicture2 ? m_picture2 : static_cast<QWidget *>(m_frame2);

        // The label sizes itself to its text and ends just left of its text
        // box, centred on the line it was designed for, whatever the font.
        auto *label = new QLabel(QString::fromUtf8(ColorSettings::caption(i)), container);
        label->adjustSize();
        const int labelRight = Twips::toPixels(row.textLeft - Layout::labelGap, tpp);
        const int labelMiddle = Twips::toPixels(row.labelTop + Layout::labelHeight / 2, tpp);
        label->move(labelRight - label->width(), labelMiddle - label->height() / 2);
        m_label1[i] = label;

        auto *text = new QLineEdit(container);
        text->setMaxLength(Layout::colorTextLength);
        setGeometryTwips(text, {row.textLeft, row.textTop, Layout::textWidth, Layout::textHeight},
                         tpp);
        connect(text, &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
        m_text1[i] = text;

        auto *swatch = new QFrame(container);
        swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        swatch->setLineWidth(2);
        swatch->setAutoFillBackground(true);
        setGeometryTwips(swatch,
                         {row.swatchLeft, row.swatchTop, Layout::swatchWidth, Layout::swatchHeight},
                         tpp);
        swatch->installEventFilter(this);
        m_picture1[i] = swatch;
    }
}

void Form2::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    // QDialog hands the focus to its first control as if by Tab, and a line
    // edit reached by Tab selects its whole text: the first key would replace
    // the colour. The caret stands after the text instead, as typing leaves it.
    if (visible) {
        if (auto *text = qobject_cast<QLineEdit *>(focusWidget()))
            text->end(false);
    }
}

void Form2::setFocusOrder()
{
    const std::array<QWidget *, 10> order{m_text1[0], m_text1[1], m_text1[2], m_text1[3],
                                          m_check1,   m_text1[4], m_text1[5], m_text1[6],
                                          m_command1, m_command2};
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form2::Form_Load()
{
    // Each assignment runs the text change, which paints the swatch.
    for (int i = 0; i < rowCount; ++i)
        m_text1[i]->setText(QString::fromStdString(m_model.text(i)));
    // Ticking the box raises its click as well; the enabling it applies is
    // the same, so applying it once more here changes nothing.
    m_check1->setChecked(m_model.customLineColors());
    Check1_Click();
}

void Form2::Text1_Change(int Index)
{
    QLineEdit *text = m_text1[Index];
    const QString typed = text->text();
    // Showing the model's form of the text is a text change of its own; its
    // run finds nothing more to do.
    const QString shown = QString::fromStdString(m_model.setText(Index, typed.toStdString()));
    if (shown != typed)
        text->setText(shown);
    text->setCursorPosition(int(typed.size()));
    showSwatchColor(Index);
}

void Form2::showSwatchColor(int Index)
{
    QFrame *swatch = m_picture1[Index];
    QPalette palette = swatch->palette();
    // Every colour group: a disabled row keeps showing its colour.
    palette.setColor(QPalette::Window,
                     QColor::fromRgb(rgbFromColorValue(m_model.swatchColor(Index))));
    swatch->setPalette(palette);
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto found = std::find(m_picture1.begin(), m_picture1.end(), watched);
        const auto *release = static_cast<QMouseEvent *>(event);
        // A click: the left button let go over the swatch it was pressed on.
        // Event filters see events that a disabled swatch itself would ignore.
        if (found != m_picture1.end() && (*found)->isEnabled() &&
            release->button() == Qt::LeftButton &&
            (*found)->rect().contains(release->position().toPoint())) {
            Picture1_Click(int(found - m_picture1.begin()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Form2::Picture1_Click(int Index)
{
    // The same picker on every platform, rather than each desktop's own.
    const QColor picked =
        QColorDialog::getColor(QColor::fromRgb(rgbFromColorValue(m_model.pickerColor())), this,
                               QStringLiteral("颜色"), QColorDialog::DontUseNativeDialog);
    // An invalid colour is a cancel: row, swatch and picker colour stay.
    if (!picked.isValid())
        return;
    m_text1[Index]->setText(
        QString::fromStdString(m_model.pickColor(Index, colorValueFromRgb(picked.rgb()))));
}

void Form2::Check1_Click()
{
    const Qt::CheckState value = m_check1->checkState();
    if (value == Qt::PartiallyChecked)
        return;
    m_model.setCustomLineColors(value == Qt::Checked);
    for (const int i : ColorSettings::switchedRows)
        setRowEnabled(i, m_model.isRowEnabled(i));
}

void Form2::setRowEnabled(int Index, bool enabled)
{
    m_label1[Index]->setEnabled(enabled);
    m_text1[Index]->setEnabled(enabled);
    m_picture1[Index]->setEnabled(enabled);
}

void Form2::Command1_Click()
{
    m_model.save(m_ruler.settings());
    m_ruler.behaviour().repaintWithStoredUnit();
    accept();
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    // No default and no cancel button: Enter presses only a button that has
    // the focus, as Space does, and Escape presses nothing.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        return;
    }
    if (event->matches(QKeySequence::Cancel))
        return;
    QDialog::keyPressEvent(event);
}
