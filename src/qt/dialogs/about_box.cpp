#include "about_box.h"

#include "app/screen_twips.h"
#include "core/commands/about_box_layout.h"
#include "core/commands/about_text.h"
#include "core/ruler/twips.h"
#include "dialog_layout.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace Layout = AboutBoxLayout;

namespace {

constexpr Qt::Alignment label2Alignment = Qt::AlignLeft | Qt::AlignTop;
// How the label lays out its text: its alignment, wrapping long lines.
constexpr int label2TextFlags = label2Alignment.toInt() | Qt::TextWordWrap;
// Below this the text is no longer worth reading; it is clipped instead.
constexpr int smallestPixelSize = 8;

} // namespace

FormAbout::FormAbout(QWidget *parent)
    : QDialog(parent, fixedDialogFlags)
{
    setWindowTitle(QString::fromUtf8(AboutText::caption));
    const double tpp = Twips::perPixel(this);
    setFixedSize(Twips::toPixels(Layout::client.width, tpp),
                 Twips::toPixels(Layout::client.height, tpp));

    m_frame1 = new QGroupBox(this);
    setGeometryTwips(m_frame1, Layout::frame1, tpp);

    m_label2 = new QLabel(m_frame1);
    m_label2->setTextFormat(Qt::PlainText);
    m_label2->setAlignment(label2Alignment);
    // Without wrapping, a long line such as the calibration tip would run
    // past the frame.
    m_label2->setWordWrap(true);
    setGeometryTwips(m_label2, Layout::label2, tpp);

    m_command1 = new QPushButton(QString::fromUtf8(AboutText::closeCaption), this);
    setGeometryTwips(m_command1, Layout::command1, tpp);
    connect(m_command1, &QPushButton::clicked, this, &FormAbout::accept);
    // The one control that takes the focus: Enter presses it.
    m_command1->setFocus();

    Form_Load();
}

void FormAbout::Form_Load()
{
    m_label2->setText(QString::fromStdString(AboutText::text()));
}

void FormAbout::keyPressEvent(QKeyEvent *event)
{
    // The close button is not a cancel button: Escape leaves the box open.
    if (event->matches(QKeySequence::Cancel))
        return;
    QDialog::keyPressEvent(event);
}

void FormAbout::showEvent(QShowEvent *event)
{
    fitLabel2Text();
    QDialog::showEvent(event);
}

void FormAbout::fitLabel2Text()
{
    // Label2 keeps its designed size, which holds eleven lines of a 12-pixel
    // font: the help text has eleven. Where the font's lines are taller, the
    // text is drawn smaller until it fits, rather than losing its last lines.
    const QRect area = m_label2->contentsRect();
    QFont font = this->font();
    int pixelSize = QFontInfo(font).pixelSize();
    while (pixelSize > smallestPixelSize &&
           QFontMetrics(font).boundingRect(area, label2TextFlags, m_label2->text()).height() >
               area.height()) {
        font.setPixelSize(--pixelSize);
    }
    m_label2->setFont(font);
}
