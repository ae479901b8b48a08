#include "about_box.h"

#include "app/wide_text.h"
#include "core/commands/about_box_layout.h"
#include "core/commands/about_text.h"
#include "dialog_template.h"

#include <cstdlib>

namespace Layout = AboutBoxLayout;

namespace {

enum Control : int
{
    Command1 = 100,
    Label2,
    Frame1,
};

// Below this the text is no longer worth reading; it is clipped instead.
constexpr double smallestLetterTwips = 120;

} // namespace

FormAbout::FormAbout()
{
    Form_Load();
}

FormAbout::~FormAbout()
{
    if (m_label2Font)
        DeleteObject(m_label2Font);
}

void FormAbout::Form_Load()
{
    m_caption = wideFromUtf8(AboutText::caption);
    m_label2Text = wideFromUtf8(AboutText::text());
}

void FormAbout::setCaption(std::string_view caption)
{
    m_caption = wideFromUtf8(caption);
}

void FormAbout::setLabel2Text(std::string_view text)
{
    m_label2Text = wideFromUtf8(text);
}

void FormAbout::show(HWND owner, bool topmost)
{
    DialogTemplate form(m_caption, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    // The one control that takes the focus, and the default button: Enter
    // presses it. It is not a cancel button: Escape leaves the box open.
    form.add(DialogTemplate::Control::Button, Command1, BS_DEFPUSHBUTTON | WS_TABSTOP,
             wideFromUtf8(AboutText::closeCaption));
    form.add(DialogTemplate::Control::Static, Label2, SS_LEFT | SS_NOPREFIX, m_label2Text);
    form.add(DialogTemplate::Control::Button, Frame1, BS_GROUPBOX);
    run(owner, form, topmost);
}

bool FormAbout::onInit()
{
    setClientSizeTwips(Layout::client.width, Layout::client.height);
    placeTwips(Frame1, Layout::frame1);
    placeTwips(Label2, placedOn(Layout::label2, Layout::frame1));
    placeTwips(Command1, Layout::command1);
    fitLabel2Text();
    return true;
}

void FormAbout::fitLabel2Text()
{
    // Label2 keeps its designed size, which holds eleven lines of a 12-pixel
    // font: the help text has eleven. Where the font's lines are taller, the
    // text is drawn smaller until it fits, rather than losing its last lines.
    HWND label = item(Label2);
    RECT area;
    GetClientRect(label, &area);
    LOGFONTW letters{};
    GetObjectW(font(), sizeof letters, &letters);
    // A negative height is the letters' own, without the room above them.
    letters.lfHeight = -std::abs(letters.lfHeight);
    const LONG smallest = -toPixels(smallestLetterTwips);

    HDC context = GetDC(label);
    const HGDIOBJ original = SelectObject(context, font());
    for (;;) {
        RECT needed = area;
        DrawTextW(context, m_label2Text.data(), int(m_label2Text.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        if (needed.bottom <= area.bottom || letters.lfHeight >= smallest)
            break;
        ++letters.lfHeight;
        HFONT smaller = CreateFontIndirectW(&letters);
        SelectObject(context, smaller);
        if (m_label2Font)
            DeleteObject(m_label2Font);
        m_label2Font = smaller;
    }
    SelectObject(context, original);
    ReleaseDC(label, context);
    if (m_label2Font)
        SendMessageW(label, WM_SETFONT, WPARAM(m_label2Font), FALSE);
}

void FormAbout::onCommand(int id, int)
{
    if (id == Command1)
        end(IDOK);
}
