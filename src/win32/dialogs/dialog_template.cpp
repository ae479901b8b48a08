#include "dialog_template.h"

namespace {

constexpr std::wstring_view fontName = L"MS Shell Dlg";
constexpr WORD fontPoints = 9;
// Where the count of controls stands in the template, in words.
constexpr size_t itemCountAt = 8;

} // namespace

DialogTemplate::DialogTemplate(std::wstring_view caption, DWORD style)
{
    m_words.push_back(1);      // dlgVer
    m_words.push_back(0xFFFF); // signature of the extended form
    addDword(0);               // helpID
    addDword(0);               // exStyle
    addDword(style | DS_SHELLFONT);
    m_words.push_back(0); // cDlgItems, counted by add()
    for (int i = 0; i < 4; ++i)
        m_words.push_back(0); // x, y, cx, cy
    m_words.push_back(0);     // no menu
    m_words.push_back(0);     // the dialog class
    addText(caption);
    m_words.push_back(fontPoints);
    m_words.push_back(FW_NORMAL);
    m_words.push_back(MAKEWORD(FALSE, DEFAULT_CHARSET)); // italic, charset
    addText(fontName);
}

void DialogTemplate::add(Control control, int id, DWORD style, std::wstring_view text,
                         DWORD extendedStyle)
{
    alignToDword();
    addDword(0); // helpID
    addDword(extendedStyle);
    addDword(style | WS_CHILD | WS_VISIBLE);
    for (int i = 0; i < 4; ++i)
        m_words.push_back(0); // x, y, cx, cy
    addDword(DWORD(id));
    m_words.push_back(0xFFFF);
    m_words.push_back(WORD(control));
    addText(text);
    m_words.push_back(0); // no creation data
    ++m_words[itemCountAt];
}

void DialogTemplate::addDword(DWORD value)
{
    m_words.push_back(LOWORD(value));
    m_words.push_back(HIWORD(value));
}

void DialogTemplate::addText(std::wstring_view text)
{
    m_words.insert(m_words.end(), text.begin(), text.end());
    m_words.push_back(0);
}

void DialogTemplate::alignToDword()
{
    if (m_words.size() % 2 != 0)
        m_words.push_back(0);
}
