#include "shown_ruler.h"

ShownRuler::ShownRuler(std::optional<std::string_view> settingsText)
{
    if (settingsText)
        file.setText("[General]\n" + std::string(*settingsText));
    // The window is made at the design size in the top-left corner; showing
    // it loads it and raises its first resize event.
    const Size design = ruler.designSize();
    shell.window = {0, 0, design.width, design.height};
    shell.ruler = &ruler;
    ruler.Form_Load(commands);
    ruler.Form_Resize();
}

std::string rectText(Rect rect)
{
    return std::to_string(rect.x) + ',' + std::to_string(rect.y) + ' ' +
           std::to_string(rect.width) + 'x' + std::to_string(rect.height);
}
