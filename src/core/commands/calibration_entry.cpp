#include "calibration_entry.h"

#include "command_shell.h"
#include "commands.h"
#include "core/ruler/twips.h"
#include "core/settings/numeric_text.h"
#include "core/shell.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The span the user measures: the uncalibrated ruler's 200 mm.
constexpr double referenceMillimetres = 200;
// The ruler shows this much while the span is measured: the 200 mark, and
// the 210 mark with its whole number.
constexpr double shownMillimetres = 215;
constexpr double millimetresPerInch = 25.4;

std::string prompt()
{
    return "请输入屏幕刻度尺" + NumericText::doubleText(referenceMillimetres) +
           "mm间距的真实尺寸,\r\n\r\n您需要用真实的刻度尺在显示器上测量.\r\n\r\n单位=mm";
}

// The ruler in the nominal state, long enough for the span, centred across
// its screen and one ruler height below the middle, out of the box's way.
void placeForMeasuring(RulerWindow &ruler, Shell &window)
{
    const Rect screen = window.windowScreen();
    const double tpp = window.twipsPerPixel();
    const double pixelsPerMillimetre = Twips::perInch / tpp / millimetresPerInch;
    const int shown = int(std::ceil(shownMillimetres * pixelsPerMillimetre));
    Rect laidOut = window.windowGeometry();
    if (laidOut.width < shown) {
        window.resizeWindow({std::min(shown, screen.width), laidOut.height});
        laidOut = window.windowGeometry();
    }

    const double width = Twips::fromPixels(laidOut.width, tpp);
    const double height = Twips::fromPixels(laidOut.height, tpp);
    ruler.moveTwips(Twips::fromPixels(screen.x, tpp) +
                        (Twips::fromPixels(screen.width, tpp) - width) / 2,
                    Twips::fromPixels(screen.y, tpp) +
                        (Twips::fromPixels(screen.height, tpp) - height) / 2 + height);
}

} // namespace

void runCalibrationEntry(Commands &commands, RulerWindow &ruler, Shell &window, CommandShell &shell,
                         const RulerSettings &settings)
{
    const CommandState &state = commands.state();
    const int direction = state.direction.markedIndex();
    const int unit = state.unit.markedIndex();
    const int sizeMode = state.size.markedIndex();
    const Rect before = window.windowGeometry();
    const RulerSettings::Snapshot stored = settings.snapshot();
    const std::string storedLength = stored.value(SettingsKey::Width);
    const std::string storedBreadth = stored.value(SettingsKey::Height);
    const double lastAnswer =
        NumericText::numericValue(stored.value(SettingsKey::Revision)) * referenceMillimetres;

    commands.mnuDirection_Click(0);
    commands.mnuScaleMode_Click(0);
    commands.mnuSize_Click(0);
    placeForMeasuring(ruler, window);

    const std::string answer =
        shell.askText(prompt(), NumericText::doubleText(lastAnswer), state.alwaysOnTop);
    if (!answer.empty()) {
        // Letters store 0, which every reader takes as "not calibrated". A
        // length too large for its ratio to be a number is not stored at all.
        const double ratio =
            NumericText::leadingNumber(answer).value_or(0.0) / referenceMillimetres;
        if (std::isfinite(ratio))
            settings.write(SettingsKey::Revision, NumericText::doubleText(ratio));
    }

    // The ruler's own length and breadth come back with its orientation.
    settings.write({{SettingsKey::Width, storedLength}, {SettingsKey::Height, storedBreadth}});
    commands.mnuDirection_Click(direction);
    commands.mnuScaleMode_Click(unit);
    commands.mnuSize_Click(sizeMode);
    // Exactly where it was, even where no move command could have taken it.
    window.moveWindow({before.x, before.y});
}
