#pragma once

#include "color_settings.h"
#include "dialog_area.h"

#include <array>

// Where the colour dialog's controls stand, in twips, each within its
// container: the frame (Frame2) on the dialog, the panel that the switch
// enables (Picture2) on the frame, the switch (Check1) on the panel. Both
// shells place their controls from here, so the dialog looks alike in each.
namespace ColorDialogLayout {

constexpr DialogArea client{0, 0, 4050, 5070};
constexpr DialogArea frame2{60, 0, 3945, 4395};
constexpr DialogArea picture2{720, 2340, 3135, 1965};
constexpr DialogArea check1{60, 60, 2505, 285};
constexpr DialogArea command1{1320, 4470, 1215, 405};
constexpr DialogArea command2{2670, 4470, 1215, 405};

// Where a colour row stands in its container: rows 0 to 3 on Frame2, rows 4
// to 6 on Picture2.
struct Row
{
    bool onPicture2;
    double labelTop;
    double textLeft;
    double textTop;
    double swatchLeft;
    double swatchTop;
};

constexpr std::array<Row, ColorSettings::rowCount> rows{{
    {false, 285, 1320, 225, 2520, 180},
    {false, 870, 1320, 810, 2520, 765},
    {false, 1455, 1320, 1395, 2520, 1350},
    {false, 2040, 1320, 1965, 2520, 1920},
    {true, 540, 1290, 465, 2490, 420},
    {true, 1050, 1290, 990, 2490, 945},
    {true, 1605, 1290, 1545, 2490, 1500},
}};

// A label sizes itself to its caption and ends this far left of its text
// box, centred on a line of this height.
constexpr double labelHeight = 180;
constexpr double labelGap = 30;
constexpr double textWidth = 1155;
constexpr double textHeight = 315;
constexpr double swatchWidth = 435;
constexpr double swatchHeight = 405;
// "#RRGGBB"
constexpr int colorTextLength = 7;

} // namespace ColorDialogLayout
