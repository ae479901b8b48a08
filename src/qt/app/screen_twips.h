#pragma once

class QWidget;

namespace Twips {

// Twips per logical pixel on the widget's screen (15 at 96 dpi): the one
// part of the twips arithmetic that asks the window system.
double perPixel(const QWidget *widget);

} // namespace Twips
