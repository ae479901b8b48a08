#include "core/ruler/ruler_layout.h"
#include "core/ruler/twips.h"
#include "core/settings/numeric_text.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace {

// An 800 x 600 screen at 96 dpi, 15 twips to the pixel, and the design ruler
// of 9780 x 1800 twips as the smallest.
constexpr Rect screen{0, 0, 800, 600};
constexpr double twipsPerPixel = 15;

// The first layout of stored texts: the size within its bounds (a vertical
// ruler's Width is its height), then the position onto the screen.
Rect laidOut(const std::string &width, const std::string &height, const std::string &left,
             const std::string &top, bool vertical)
{
    using NumericText::numericValue;
    const auto pixels = [](const std::string &twips) {
        return Twips::toPixels(numericValue(twips), twipsPerPixel);
    };
    const RulerBounds bounds = rulerBounds(
        Size{Twips::toPixels(9780, twipsPerPixel), Twips::toPixels(1800, twipsPerPixel)}, screen);
    const Size stored{pixels(vertical ? height : width), pixels(vertical ? width : height)};
    const Size size = boundedSize(stored, bounds, vertical);
    const std::array screens{screen};
    const Point position =
        reachablePosition(Rect{pixels(left), pixels(top), size.width, size.height}, screens);
    return {position.x, position.y, size.width, size.height};
}

bool intersects(Rect a, Rect b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

} // namespace

TEST_CASE("absurdStoredGeometryStaysBounded")
{
    const struct
    {
        std::string_view name;
        std::string width, height, left, top;
        bool vertical;
    } rows[] = {
        {"negative", "-1e30", "-5", "-1e30", "-1e30", false},
        {"not numbers", "nan", "inf", "nan", "-0", false},
        {"far right", "", "", "9999999", "100", false},
        {"vertical huge", "1e9", "1e9", "", "", true},
    };
    const int side = std::max(screen.width, screen.height);
    for (const auto &row : rows) {
        CAPTURE(row.name);
        const Rect geometry = laidOut(row.width, row.height, row.left, row.top, row.vertical);
        CAPTURE(geometry.x);
        CAPTURE(geometry.y);
        CHECK((geometry.width <= 2 * side && geometry.height <= 2 * side));
        CHECK(std::min(geometry.width, geometry.height) <= side);
        CHECK(intersects(screen, geometry));
    }
}
