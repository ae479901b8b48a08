#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

// A dialog's template built in memory, as the resource compiler would lay it
// out (the extended form, DLGTEMPLATEEX): the window, then its controls in
// focus order. Sizes and places are left to the dialog, which lays its
// controls out in twips once it knows its screen.
//
// The font is the shell's dialog font (DS_SHELLFONT, "MS Shell Dlg"), the
// name that Windows, and Wine's font substitutes, map to the desktop's own.
class DialogTemplate
{
public:
    // The predefined control classes.
    enum class Control : WORD
    {
        Button = 0x0080,
        Edit = 0x0081,
        Static = 0x0082,
    };

    DialogTemplate(std::wstring_view caption, DWORD style);

    void add(Control control, int id, DWORD style, std::wstring_view text = {},
             DWORD extendedStyle = 0);

    const DLGTEMPLATE *data() const
    {
        return reinterpret_cast<const DLGTEMPLATE *>(m_words.data());
    }

private:
    void addDword(DWORD value);
    void addText(std::wstring_view text);
    void alignToDword();

    std::vector<WORD> m_words;
};
