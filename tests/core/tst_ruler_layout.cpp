#include "shown_ruler.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

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
    for (const auto &row : rows) {
        CAPTURE(row.name);
        const ShownRuler shown("Width=" + row.width + "\nHeight=" + row.height +
                               "\nLeft=" + row.left + "\nTop=" + row.top +
                               (row.vertical ? "\nDirection=90\n" : "\n"));
        const Rect screen = shown.shell.screen;
        const Rect geometry = shown.shell.window;
        const int side = std::max(screen.width, screen.height);
        CAPTURE(geometry.x);
        CAPTURE(geometry.y);
        CHECK((geometry.width <= 2 * side && geometry.height <= 2 * side));
        CHECK(std::min(geometry.width, geometry.height) <= side);
        CHECK(intersects(screen, geometry));
    }
}
