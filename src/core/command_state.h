#pragma once

#include <optional>

// A group of like choices of which at most one is marked, addressed by the
// index that their one command receives: the units run from 1 to 3, the
// orientations and the scale modes from 0 to 1.
class ChoiceGroup
{
public:
    constexpr ChoiceGroup(int lowestIndex, int highestIndex)
        : m_lowest(lowestIndex)
        , m_highest(highestIndex)
    {}

    int lowestIndex() const { return m_lowest; }
    int highestIndex() const { return m_highest; }

    // Marks the choice at index alone; an index outside the group leaves
    // none marked (the calibration asks for no unit that way).
    void mark(int index)
    {
        m_marked = index >= m_lowest && index <= m_highest ? std::optional(index) : std::nullopt;
    }
    bool isMarked(int index) const { return m_marked == index; }
    // The marked index, or 0 when none is marked.
    int markedIndex() const { return m_marked.value_or(0); }

private:
    int m_lowest;
    int m_highest;
    std::optional<int> m_marked;
};

// The five choices that the command menu shows with check marks: the one
// record the program keeps in memory. The ruler window's load sets them from
// ruler.ini; from then on only the commands change them, each writing its
// choice to the file at once.
struct CommandState
{
    ChoiceGroup unit{1, 3}; // pixels, inches, millimetres
    ChoiceGroup direction{0, 1}; // horizontal, vertical
    ChoiceGroup size{0, 1}; // virtual scale, physical scale
    bool alwaysOnTop = false;
    bool taskbar = false;
};
