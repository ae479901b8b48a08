#pragma once

#include "dialog_area.h"

// Where the about box's controls stand, in twips: the text (Label2) lies on
// the frame (Frame1), the frame and the button (Command1) on the dialog.
namespace AboutBoxLayout {

constexpr DialogArea client{0, 0, 4800, 2970};
constexpr DialogArea frame1{60, 90, 4665, 2265};
constexpr DialogArea label2{150, 180, 4350, 1980};
constexpr DialogArea command1{3510, 2430, 1215, 405};

} // namespace AboutBoxLayout
