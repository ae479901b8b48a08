#pragma once

class Form1;
class FormMenu;

// The calibration command. It puts the ruler into the nominal state
// (horizontal, millimetres, virtual scale) below the middle of its screen,
// asks how long the span that the ruler marks as 200 mm really is on the
// glass, stores real / nominal as the calibration value, and puts the ruler
// back as it was, through the menu's own commands.
void runCalibrationEntry(FormMenu &menu, Form1 &ruler);
