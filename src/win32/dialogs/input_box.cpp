#include "input_box.h"

#include "app/wide_text.h"
#include "dialog_template.h"

#include <algorithm>

namespace {

enum Control : int
{
    Prompt = 100,
    Text,
};

constexpr std::wstring_view okCaption = L"确定";
constexpr std::wstring_view cancelCaption = L"取消";

// The layout, in twips.
constexpr double clientWidth = 5400;
constexpr double margin = 165;
constexpr double gap = 120;
constexpr double textHeight = 345;
constexpr double buttonWidth = 1215;
constexpr double buttonHeight = 405;

} // namespace

InputBox::InputBox(std::string_view title, std::string_view prompt, std::string_view defaultText)
    : m_title(wideFromUtf8(title))
    , m_prompt(wideFromUtf8(prompt))
    , m_text(wideFromUtf8(defaultText))
{}

std::string InputBox::ask(HWND owner, bool topmost)
{
    DialogTemplate form(m_title, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    // The text box first: it opens with the focus and its text selected.
    form.add(DialogTemplate::Control::Edit, Text, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, m_text);
    form.add(DialogTemplate::Control::Button, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, okCaption);
    form.add(DialogTemplate::Control::Button, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, cancelCaption);
    form.add(DialogTemplate::Control::Static, Prompt, SS_LEFT | SS_NOPREFIX, m_prompt);
    return run(owner, form, topmost) == IDOK ? utf8FromWide(m_text) : std::string();
}

int InputBox::promptHeight(int width) const
{
    HWND prompt = item(Prompt);
    HDC context = GetDC(prompt);
    const HGDIOBJ original = SelectObject(context, font());
    RECT needed{0, 0, width, 0};
    DrawTextW(context, m_prompt.data(), int(m_prompt.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(context, original);
    ReleaseDC(prompt, context);
    return needed.bottom;
}

bool InputBox::onInit()
{
    const double tpp = twipsPerPixel();
    const double inner = clientWidth - 2 * margin;
    const double prompt = promptHeight(toPixels(inner)) * tpp;
    const double textTop = margin + prompt + gap;
    const double buttonTop = textTop + textHeight + gap + margin / 2;
    setClientSizeTwips(clientWidth, buttonTop + buttonHeight + margin);
    placeTwips(Prompt, {margin, margin, inner, prompt});
    placeTwips(Text, {margin, textTop, inner, textHeight});
    placeTwips(
        IDOK, {clientWidth - margin - 2 * buttonWidth - gap, buttonTop, buttonWidth, buttonHeight});
    placeTwips(IDCANCEL,
               {clientWidth - margin - buttonWidth, buttonTop, buttonWidth, buttonHeight});
    standAbove(owner());
    return true;
}

void InputBox::standAbove(HWND ruler)
{
    // Centred across the ruler's screen, above the ruler by half its
    // breadth, so that the span being measured stays in sight.
    RECT box;
    RECT rulerArea;
    GetWindowRect(hwnd(), &box);
    GetWindowRect(ruler, &rulerArea);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    GetMonitorInfoW(MonitorFromWindow(ruler, MONITOR_DEFAULTTONEAREST), &screen);
    const RECT &work = screen.rcWork;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int left = (work.left + work.right - width) / 2;
    const int top =
        std::max<int>(work.top, rulerArea.top - (rulerArea.bottom - rulerArea.top) / 2 - height);
    SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InputBox::onCommand(int id, int)
{
    if (id == IDOK) {
        const int length = GetWindowTextLengthW(item(Text));
        m_text.assign(size_t(length) + 1, L'\0');
        GetWindowTextW(item(Text), m_text.data(), length + 1);
        m_text.resize(size_t(length));
        end(IDOK);
    } else if (id == IDCANCEL) {
        end(IDCANCEL);
    }
}
