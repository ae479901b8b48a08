#include "calibration_entry.h"

#include "app/product.h"
#include "core/ruler/twips.h"
#include "core/settings/numeric_text.h"
#include "form_menu.h"
#include "ruler/ruler_window.h"

#include <QInputDialog>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

// The span the user measures: the uncalibrated ruler's 200 mm.
constexpr double referenceMillimetres = 200;
// The ruler shows this much while the span is measured: the 200 mark, and
// the 210 mark with its whole number.
constexpr double shownMillimetres = 215;
constexpr double millimetresPerInch = 25.4;

QString prompt()
{
    return QStringLiteral("请输入屏幕刻度尺") +
           QString::fromStdString(NumericText::doubleText(referenceMillimetres)) +
           QStringLiteral(
               "mm间距的真实尺寸,\r\n\r\n您需要用真实的刻度尺在显示器上测量.\r\n\r\n单位=mm");
}

// The typed answer, or an empty text when the box was cancelled. The box
// stands above the ruler, never over the span being measured.
QString askLength(FormMenu &menu, Form1 &ruler, const QString &defaultAnswer)
{
    QInputDialog box(&ruler);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(productTitle());
    box.setLabelText(prompt());
    box.setTextValue(defaultAnswer);
    box.adjustSize();
    const QRect screen = ruler.screen()->availableGeometry();
    const int gap = ruler.height() / 2;
    box.move(screen.center().x() - box.width() / 2,
             std::max(screen.top(), ruler.y() - gap - box.frameGeometry().height()));
    return menu.showModal(box) == QDialog::Accepted ? box.textValue() : QString();
}

// The ruler in the nominal state, long enough for the span, centred across
// its screen and one ruler height below the middle, out of the box's way.
void placeForMeasuring(Form1 &ruler)
{
    const QRect screen = ruler.screen()->geometry();
    const double pixelsPerMillimetre = Twips::perInch / ruler.twipsPerPixel() / millimetresPerInch;
    const int shown = int(std::ceil(shownMillimetres * pixelsPerMillimetre));
    if (ruler.width() < shown)
        ruler.resize(std::min(shown, screen.width()), ruler.height());

    const double tpp = ruler.twipsPerPixel();
    const double width = Twips::fromPixels(ruler.width(), tpp);
    const double height = Twips::fromPixels(ruler.height(), tpp);
    ruler.behaviour().moveTwips(Twips::fromPixels(screen.x(), tpp) +
                        (Twips::fromPixels(screen.width(), tpp) - width) / 2,
                    Twips::fromPixels(screen.y(), tpp) +
                        (Twips::fromPixels(screen.height(), tpp) - height) / 2 + height);
}

} // namespace

void runCalibrationEntry(FormMenu &menu, Form1 &ruler)
{
    const int direction = menu.state().direction.markedIndex();
    const int unit = menu.state().unit.markedIndex();
    const int sizeMode = menu.state().size.markedIndex();
    const QPoint position = ruler.pos();
    const RulerSettings &settings = ruler.settings();
    const std::string storedLength = settings.read(SettingsKey::Width);
    const std::string storedBreadth = settings.read(SettingsKey::Height);
    const double lastAnswer =
        NumericText::numericValue(settings.read(SettingsKey::Revision)) * referenceMillimetres;

    menu.mnuDirection_Click(0);
    menu.mnuScaleMode_Click(0);
    menu.mnuSize_Click(0);
    placeForMeasuring(ruler);

    const QString answer =
        askLength(menu, ruler, QString::fromStdString(NumericText::doubleText(lastAnswer)));
    if (!answer.isEmpty()) {
        // Letters store 0, which every reader takes as "not calibrated". A
        // length too large for its ratio to be a number is not stored at all.
        const double ratio =
            NumericText::leadingNumber(answer.toStdString()).value_or(0.0) / referenceMillimetres;
        if (std::isfinite(ratio))
            settings.write(SettingsKey::Revision, NumericText::doubleText(ratio));
    }

    // The ruler's own length and breadth come back with its orientation.
    settings.write(SettingsKey::Width, storedLength);
    settings.write(SettingsKey::Height, storedBreadth);
    menu.mnuDirection_Click(direction);
    menu.mnuScaleMode_Click(unit);
    menu.mnuSize_Click(sizeMode);
    // Exactly where it was, even where no move command could have taken it.
    ruler.move(position);
}
