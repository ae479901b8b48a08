#pragma once

// Where a dialog's control stands, in twips, within its container: both
// shells place their dialogs' controls from the same figures.
struct DialogArea
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The area as it stands on whatever holds its container.
constexpr DialogArea placedOn(const DialogArea &area, const DialogArea &container)
{
    return {container.left + area.left, container.top + area.top, area.width, area.height};
}
