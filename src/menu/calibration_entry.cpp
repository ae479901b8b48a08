#include "calibration_entry.h"

#include "app/product.h"
#include "app/twips.h"
#include "app/window_services.h"
#include "form_menu.h"
#include "ruler/ruler_window.h"
#include "settings/numeric_text.h"

#include <QAction>
#include <QInputDialog>
#include <QScreen>

#include <cmath>

namespace {

// The span the user measures: the uncalibrated ruler's 200 mm.
constexpr double referenceMillimetres = 200;

QString prompt()
{
    return QStringLiteral("请输入屏幕刻度尺") + NumericText::doubleText(referenceMillimetres) +
           QStringLiteral("mm间距的真实尺寸,\r\n\r\n您需要用真实的刻度尺在显示器上测量.\r\n\r\n单位=mm");
}

// The typed answer, or an empty text when the box was cancelled.
QString askLength(Form1 &ruler, bool topmost, const QString &defaultAnswer)
{
    QInputDialog box(&ruler);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(productTitle());
    box.setLabelText(prompt());
    box.setTextValue(defaultAnswer);
    if (topmost)
        setTopmost(&box, true);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

} // namespace

void runCalibrationEntry(FormMenu &menu, Form1 &ruler)
{
    const int direction = menu.mnuDirection().checkedIndex();
    const int unit = menu.mnuScaleMode().checkedIndex();
    const int sizeMode = menu.mnuSize().checkedIndex();
    const double left = ruler.leftTwips();
    const double top = ruler.topTwips();

    const RulerSettings &settings = ruler.settings();
    const double lastAnswer =
        NumericText::numericValue(settings.read(SettingsKey::Revision)) * referenceMillimetres;

    menu.mnuDirection_Click(0);
    menu.mnuScaleMode_Click(0);
    menu.mnuSize_Click(0);

    // Centred across the ruler's screen, one ruler height below the middle,
    // out of the way of the input box.
    const double tpp = ruler.twipsPerPixel();
    const QRect screen = ruler.screen()->geometry();
    const double width = Twips::fromPixels(ruler.width(), tpp);
    const double height = Twips::fromPixels(ruler.height(), tpp);
    ruler.moveTwips(Twips::fromPixels(screen.x(), tpp) +
                        (Twips::fromPixels(screen.width(), tpp) - width) / 2,
                    Twips::fromPixels(screen.y(), tpp) +
                        (Twips::fromPixels(screen.height(), tpp) - height) / 2 + height);

    const QString answer = askLength(ruler, menu.mnuAlwaysOnTop()->isChecked(),
                                     NumericText::doubleText(lastAnswer));
    if (!answer.isEmpty()) {
        // Letters store 0, which every reader takes as "not calibrated". A
        // length too large for its ratio to be a number is not stored at all.
        const double ratio =
            NumericText::leadingNumber(answer).value_or(0.0) / referenceMillimetres;
        if (std::isfinite(ratio))
            settings.write(SettingsKey::Revision, NumericText::doubleText(ratio));
    }

    menu.mnuDirection_Click(direction);
    menu.mnuScaleMode_Click(unit);
    menu.mnuSize_Click(sizeMode);
    ruler.moveTwips(left, top);
}
