#pragma once

// Window positions and sizes are kept in twips, 1440 to the logical inch,
// in ruler.ini and in every command that moves or sizes a window: 15 twips to
// a pixel at 96 dpi. These conversions are the only ones in the program; how
// many twips make a pixel is the shell's to say, from its screen.
namespace Twips {

inline constexpr double perInch = 1440;

// The nearest whole pixel; absurd values (1e30, -1e30) are first bounded to
// a range that every window system can take, so that nothing overflows.
int toPixels(double twips, double twipsPerPixel);

double fromPixels(int pixels, double twipsPerPixel);

// The twips to store for pixels: the stored value itself where it already
// comes out as these pixels, so that a length that is no whole number of
// pixels (2000 twips at 15 to the pixel) is kept, not worn down to 1995.
double fromPixelsKeeping(int pixels, double storedTwips, double twipsPerPixel);

} // namespace Twips
