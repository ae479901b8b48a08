#include "ruler_window.h"

#include "core/ruler/ruler_layout.h"
#include "core/ruler/twips.h"
#include "core/settings/numeric_text.h"
#include "core/settings/setting_values.h"
#include "core/shell.h"

#include <cmath>

namespace {

// The design size, which is also the smallest ruler: 652 x 120 pixels at 96 dpi.
constexpr double designLengthTwips = 9780;
constexpr double designBreadthTwips = 1800;
// The grip is a label of four blanks in the bottom-right corner.
constexpr double gripWidthTwips = 360;
constexpr double gripHeightTwips = 180;

} // namespace

RulerWindow::RulerWindow(Shell &shell, const RulerSettings &settings)
    : m_shell(shell)
    , m_settings(settings)
{}

Size RulerWindow::designSize() const
{
    const double tpp = m_shell.twipsPerPixel();
    return {Twips::toPixels(designLengthTwips, tpp), Twips::toPixels(designBreadthTwips, tpp)};
}

Size RulerWindow::gripSize() const
{
    const double tpp = m_shell.twipsPerPixel();
    return {Twips::toPixels(gripWidthTwips, tpp), Twips::toPixels(gripHeightTwips, tpp)};
}

void RulerWindow::Form_Load(RulerCommands &commands)
{
    using NumericText::numericValue;
    m_commands = &commands;

    // Nothing below writes these keys before it has used them: one reading.
    const RulerSettings::Snapshot stored = m_settings.snapshot();

    m_shell.setOpacity(opacityOf(stored.value(SettingsKey::Transparent)));

    CommandState &state = commands.state();
    state.taskbar = isTrueText(stored.value(SettingsKey::ShowInTaskBar));
    state.alwaysOnTop = isTrueText(stored.value(SettingsKey::AlwaysOnTop));
    // Topmost before the taskbar presence: a Qt window whose flags change
    // before it is first shown is made anew, and loses what was set on it.
    m_shell.setTopmost(state.alwaysOnTop);
    m_shell.setTaskbarPresence(state.taskbar);

    state.direction.mark(isVerticalText(stored.value(SettingsKey::Direction)) ? 1 : 0);
    state.size.mark(numericValue(stored.value(SettingsKey::SizeMode)) == 1 ? 1 : 0);
    commands.mnuScaleMode_Click(unitIndexOf(stored.value(SettingsKey::ScaleMode)));

    m_firstLayout = FirstLayout::Pending;
}

void RulerWindow::Form_Unload()
{
    m_settings.write({{SettingsKey::Left, NumericText::singleText(leftTwips())},
                      {SettingsKey::Top, NumericText::singleText(topTwips())}});
}

double RulerWindow::leftTwips() const
{
    return Twips::fromPixels(m_shell.windowGeometry().x, m_shell.twipsPerPixel());
}

double RulerWindow::topTwips() const
{
    return Twips::fromPixels(m_shell.windowGeometry().y, m_shell.twipsPerPixel());
}

void RulerWindow::resizeQuietly(Size size)
{
    m_resizing = true;
    m_shell.resizeWindow(size);
    m_resizing = false;
}

void RulerWindow::setSizeTwips(double width, double height)
{
    const double tpp = m_shell.twipsPerPixel();
    resizeQuietly({Twips::toPixels(width, tpp), Twips::toPixels(height, tpp)});
}

void RulerWindow::Form_Resize()
{
    using NumericText::numericValue;

    if (m_resizing)
        return;
    // Nothing below writes a key before it has used it, the scale's
    // included: one reading of the file for the whole step.
    const RulerSettings::Snapshot stored = m_settings.snapshot();
    const bool vertical = isVerticalText(stored.value(SettingsKey::Direction));
    const double length = numericValue(stored.value(SettingsKey::Width));
    const double breadth = numericValue(stored.value(SettingsKey::Height));
    const double tpp = m_shell.twipsPerPixel();
    const RulerBounds bounds = rulerBounds(designSize(), m_shell.desktop());

    if (m_firstLayout == FirstLayout::Pending) {
        m_firstLayout = FirstLayout::Restoring;
        // Restore the stored shape at once within its bounds, so that a
        // missing or absurd size never shows, not even for a moment.
        const Size storedSize{Twips::toPixels(vertical ? breadth : length, tpp),
                              Twips::toPixels(vertical ? length : breadth, tpp)};
        m_shell.resizeWindow(boundedSize(storedSize, bounds, vertical));
        const Rect restored = m_shell.windowGeometry();
        const Rect wanted{Twips::toPixels(numericValue(stored.value(SettingsKey::Left)), tpp),
                          Twips::toPixels(numericValue(stored.value(SettingsKey::Top)), tpp),
                          restored.width, restored.height};
        m_shell.moveWindow(reachablePosition(wanted, m_shell.screens()));
        m_firstLayout = FirstLayout::None;
    } else if (m_firstLayout == FirstLayout::Restoring) {
        return; // raised by the restore above
    }

    if (IsDirection) {
        IsDirection = false;
        setSizeTwips(vertical ? breadth : length, vertical ? length : breadth);
    }

    const Rect window = m_shell.windowGeometry();
    const Size bounded = boundedSize({window.width, window.height}, bounds, vertical);
    if (bounded.width != window.width || bounded.height != window.height)
        resizeQuietly(bounded);

    const Rect laidOut = m_shell.windowGeometry();
    const Size grip = gripSize();
    m_shell.placeGrip(
        {laidOut.width - grip.width, laidOut.height - grip.height, grip.width, grip.height});
    DrawRuler(unitCodeOf(stored.value(SettingsKey::ScaleMode)), stored);

    // Width and Height hold the length and breadth whatever the orientation.
    const int lengthPixels = vertical ? laidOut.height : laidOut.width;
    const int breadthPixels = vertical ? laidOut.width : laidOut.height;
    m_settings.write(
        {{SettingsKey::Width,
          NumericText::singleText(Twips::fromPixelsKeeping(lengthPixels, length, tpp))},
         {SettingsKey::Height,
          NumericText::singleText(Twips::fromPixelsKeeping(breadthPixels, breadth, tpp))}});
}

void RulerWindow::DrawRuler(int pScaleMode)
{
    DrawRuler(pScaleMode, m_settings.snapshot());
}

void RulerWindow::DrawRuler(int pScaleMode, const RulerSettings::Snapshot &stored)
{
    m_drawing = readDrawingSettings(stored);
    const Rect window = m_shell.windowGeometry();
    const double ratio = m_shell.devicePixelRatio();
    const bool vertical = orientationOf(m_drawing.direction) == ScaleOrientation::Vertical;
    // The scale is worked out in device pixels, so that every tick lights
    // whole pixels of the screen, whatever its scaling.
    m_device = {int(std::lround(window.width * ratio)), int(std::lround(window.height * ratio))};

    ScaleInput input;
    input.unitCode = pScaleMode;
    input.physical = m_drawing.physical;
    input.calibration = m_drawing.calibration;
    input.direction = m_drawing.direction;
    input.lengthPixels = vertical ? m_device.height : m_device.width;
    input.logicalDpi = Twips::perInch / m_shell.twipsPerPixel();
    input.devicePixelRatio = ratio;
    m_scale = computeScale(input);
    m_hint = unitHint(pScaleMode, m_drawing.physical, m_drawing.calibration);
    m_pictureLaidOut = false;
    m_shell.showPicture();
}

const Picture &RulerWindow::picture()
{
    if (!m_pictureLaidOut) {
        m_layout.layOut(m_scale, m_drawing, m_hint, m_device, m_shell.textMeasure());
        m_pictureLaidOut = true;
    }
    return m_layout.picture();
}

void RulerWindow::repaintWithStoredUnit()
{
    const RulerSettings::Snapshot stored = m_settings.snapshot();
    DrawRuler(unitCodeOf(stored.value(SettingsKey::ScaleMode)), stored);
}

void RulerWindow::moveTwips(double left, double top)
{
    const double tpp = m_shell.twipsPerPixel();
    const Rect window = m_shell.windowGeometry();
    const Rect wanted{Twips::toPixels(left, tpp), Twips::toPixels(top, tpp), window.width,
                      window.height};
    const Size grip = gripSize();
    m_shell.moveWindow(keptReachable({window.x, window.y}, wanted, m_shell.desktop(), grip));
}

void RulerWindow::keyDown(RulerKey key, bool shift)
{
    const double step = shift ? 10 : 100;
    switch (key) {
    case RulerKey::Plus:
        m_commands->mnuTran_Click(1);
        break;
    case RulerKey::Minus:
        m_commands->mnuTran_Click(2);
        break;
    case RulerKey::Up:
        moveTwips(leftTwips(), topTwips() - step);
        break;
    case RulerKey::Down:
        moveTwips(leftTwips(), topTwips() + step);
        break;
    case RulerKey::Left:
        moveTwips(leftTwips() - step, topTwips());
        break;
    case RulerKey::Right:
        moveTwips(leftTwips() + step, topTwips());
        break;
    }
}

PressAction RulerWindow::pressAction(PointerButton button, bool onGrip)
{
    if (onGrip)
        return PressAction::ResizeFromCorner;
    return button == PointerButton::Right ? PressAction::OpenMenu : PressAction::Move;
}
