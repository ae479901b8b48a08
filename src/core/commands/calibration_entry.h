#pragma once

class CommandShell;
class Commands;
class RulerSettings;
class RulerWindow;
class Shell;

// The calibration command. It puts the ruler into the nominal state
// (horizontal, millimetres, virtual scale) below the middle of its screen,
// asks how long the span that the ruler marks as 200 mm really is on the
// glass, stores real / nominal as the calibration value, and puts the ruler
// back as it was, through the menu's own commands.
void runCalibrationEntry(Commands &commands, RulerWindow &ruler, Shell &window,
                         CommandShell &shell, const RulerSettings &settings);
