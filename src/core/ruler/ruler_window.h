#pragma once

#include "core/command_state.h"
#include "core/geometry.h"
#include "core/scale/drawing_settings.h"
#include "core/scale/picture_layout.h"
#include "core/scale/scale_geometry.h"
#include "core/settings/ruler_settings.h"

#include <string>

class Shell;

// What the ruler window asks of its command menu: the unit command when it
// loads, the translucency steps on + and -.
class RulerCommands
{
public:
    virtual ~RulerCommands() = default;
    virtual CommandState &state() = 0;
    virtual void mnuScaleMode_Click(int Index) = 0;
    virtual void mnuTran_Click(int Index) = 0;
};

// Keys the ruler window answers; every other key is left to the shell.
enum class RulerKey
{
    Plus,  // also "=", the same key unshifted
    Minus, // also "_"
    Up,
    Down,
    Left,
    Right,
};

enum class PointerButton
{
    Left,
    Right,
    Middle,
    Other,
};

// What a press on the ruler window starts.
enum class PressAction
{
    OpenMenu,
    Move,
    ResizeFromCorner,
};

// The ruler window's behaviour: it restores every stored choice when it
// loads, lays itself out on every size change, paints the scale, answers
// the keys and presses, and stores its position when it closes. Every
// setting is read from ruler.ini when it is needed; the window keeps none.
class RulerWindow
{
public:
    RulerWindow(Shell &shell, const RulerSettings &settings);

    // Runs once, before the window is first shown.
    void Form_Load(RulerCommands &commands);
    // Runs once, as the window closes.
    void Form_Unload();

    // Set by the orientation command to have the next Form_Resize turn the
    // ruler by exchanging its width and height; Form_Resize clears it.
    bool IsDirection = false;

    // Lays the window out from ruler.ini and repaints it. Runs on every size
    // change; the orientation and size-mode commands call it as well.
    void Form_Resize();

    // Works out the whole scale from ruler.ini in the given unit (3 pixels,
    // 5 inches, 6 millimetres) and has the shell show it.
    void DrawRuler(int pScaleMode);
    // DrawRuler from settings already read for the same event.
    void DrawRuler(int pScaleMode, const RulerSettings::Snapshot &stored);
    // DrawRuler in the unit that ruler.ini holds (new colours, a change of screen).
    void repaintWithStoredUnit();
    // What the window shows until the next DrawRuler: the scale it worked
    // out, laid out in the shell's font when first asked for. Measuring a
    // window's first texts loads its fonts, which a shell may rather do
    // once the window is on its way to the screen.
    const Picture &picture();

    double leftTwips() const;
    double topTwips() const;
    // Moves the window, keeping enough of it on the desktop to be reached;
    // a coordinate that does not change is not touched.
    void moveTwips(double left, double top);

    // A key-down, the keyboard's repeats included. Only Shift matters among
    // the modifiers.
    void keyDown(RulerKey key, bool shift);
    // Any button on the grip stretches the ruler from its corner, the right
    // one included; on the body the right button opens the menu and any
    // other moves the window.
    static PressAction pressAction(PointerButton button, bool onGrip);

    // The grip's size in pixels.
    Size gripSize() const;
    // The smallest ruler, lying down, in pixels.
    Size designSize() const;

private:
    enum class FirstLayout
    {
        None,
        Pending,   // from the end of load until the first layout
        Restoring, // while it restores the stored size and position
    };

    void setSizeTwips(double width, double height);
    // Resizes without laying out again: the layout does it itself.
    void resizeQuietly(Size size);

    Shell &m_shell;
    const RulerSettings &m_settings;
    RulerCommands *m_commands = nullptr;
    // What the last DrawRuler worked out, and its picture once laid out.
    Scale m_scale;
    DrawingSettings m_drawing;
    std::string m_hint; // UTF-8
    Size m_device;      // the window's size in device pixels
    PictureLayout m_layout;
    bool m_pictureLaidOut = false;
    FirstLayout m_firstLayout = FirstLayout::None;
    bool m_resizing = false; // while Form_Resize sets the window's size itself
};
