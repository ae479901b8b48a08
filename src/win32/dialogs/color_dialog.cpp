#include "color_dialog.h"

#include "app/system_function.h"
#include "app/wide_text.h"
#include "core/commands/color_dialog_layout.h"
#include "core/settings/setting_values.h"
#include "dialog_template.h"
#include "ruler/ruler_window.h"

#include <commdlg.h>
#include <cstdint>
#include <string>

namespace Layout = ColorDialogLayout;

namespace {

// Control identifiers; a row's controls are the base plus the row's index.
enum Control : int
{
    Check1 = 100,
    Command1,
    Command2,
    Frame2,
    Label1 = 200,
    Text1 = 300,
    Picture1 = 400,
};

// The containers as they stand on the dialog: Picture2 lies on Frame2.
constexpr DialogArea picture2 = placedOn(Layout::picture2, Layout::frame2);

std::wstring windowText(HWND window)
{
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

// The row of a control of a row's group, or -1.
int rowOf(int id, int group)
{
    return id >= group && id < group + ColorSettings::rowCount ? id - group : -1;
}

} // namespace

Form2::Form2(Form1 &ruler)
    : m_ruler(ruler)
    , m_model(ruler.settings())
{}

void Form2::show(bool topmost)
{
    DialogTemplate form(wideFromUtf8(ColorSettings::windowCaption),
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    // In focus order: the first four colours, the switch, the last three,
    // OK, Cancel. Neither button is a default or a cancel button: Enter in a
    // text box and Escape press nothing.
    for (int i = 0; i < rowCount; ++i) {
        if (i == ColorSettings::switchedRows.front())
            form.add(DialogTemplate::Control::Button, Check1, BS_AUTOCHECKBOX | WS_TABSTOP,
                     wideFromUtf8(ColorSettings::switchCaption));
        form.add(DialogTemplate::Control::Static, Label1 + i, SS_LEFT | SS_NOPREFIX,
                 wideFromUtf8(ColorSettings::caption(i)));
        form.add(DialogTemplate::Control::Edit, Text1 + i, ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER);
        form.add(DialogTemplate::Control::Static, Picture1 + i, SS_NOTIFY, {}, WS_EX_CLIENTEDGE);
    }
    form.add(DialogTemplate::Control::Button, Command1, BS_PUSHBUTTON | WS_TABSTOP,
             wideFromUtf8(ColorSettings::okCaption));
    form.add(DialogTemplate::Control::Button, Command2, BS_PUSHBUTTON | WS_TABSTOP,
             wideFromUtf8(ColorSettings::cancelCaption));
    form.add(DialogTemplate::Control::Button, Frame2, BS_GROUPBOX);
    run(m_ruler.hwnd(), form, topmost);
}

bool Form2::onInit()
{
    layOut();
    Form_Load();
    // The dialog opens in the first colour's text box with the caret after
    // the text, as typing leaves it, rather than with the text selected,
    // which the first key would replace.
    HWND first = item(Text1);
    SetFocus(first);
    const int length = GetWindowTextLengthW(first);
    SendMessageW(first, EM_SETSEL, WPARAM(length), LPARAM(length));
    return false;
}

void Form2::layOut()
{
    setClientSizeTwips(Layout::client.width, Layout::client.height);
    placeTwips(Frame2, Layout::frame2);
    placeTwips(Check1, placedOn(Layout::check1, picture2));
    placeTwips(Command1, Layout::command1);
    placeTwips(Command2, Layout::command2);

    HWND dialog = hwnd();
    HDC context = GetDC(dialog);
    const HGDIOBJ original = SelectObject(context, font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    for (int i = 0; i < rowCount; ++i) {
        const Layout::Row &row = Layout::rows[size_t(i)];
        const DialogArea &container = row.onPicture2 ? picture2 : Layout::frame2;
        // The label sizes itself to its text and ends just left of its text
        // box, centred on the line it was designed for, whatever the font.
        const std::wstring caption = wideFromUtf8(ColorSettings::caption(i));
        SIZE extent{};
        GetTextExtentPoint32W(context, caption.data(), int(caption.size()), &extent);
        const int right = toPixels(container.left + row.textLeft - Layout::labelGap);
        const int middle = toPixels(container.top + row.labelTop + Layout::labelHeight / 2);
        SetWindowPos(item(Label1 + i), nullptr, right - extent.cx, middle - metrics.tmHeight / 2,
                     extent.cx, metrics.tmHeight, SWP_NOZORDER | SWP_NOACTIVATE);

        placeTwips(Text1 + i,
                   placedOn({row.textLeft, row.textTop, Layout::textWidth, Layout::textHeight},
                            container));
        SendMessageW(item(Text1 + i), EM_SETLIMITTEXT, Layout::colorTextLength, 0);
        placeTwips(Picture1 + i, placedOn({row.swatchLeft, row.swatchTop, Layout::swatchWidth,
                                           Layout::swatchHeight},
                                          container));
    }
    SelectObject(context, original);
    ReleaseDC(dialog, context);
}

void Form2::Form_Load()
{
    // Each assignment is a text change, which paints the row's swatch.
    for (int i = 0; i < rowCount; ++i)
        SetWindowTextW(item(Text1 + i), wideFromUtf8(m_model.text(i)).c_str());
    // Setting the box raises no click: the enabling is applied here.
    CheckDlgButton(hwnd(), Check1, m_model.customLineColors() ? BST_CHECKED : BST_UNCHECKED);
    Check1_Click();
}

void Form2::onCommand(int id, int code)
{
    if (const int row = rowOf(id, Text1); row >= 0 && code == EN_CHANGE)
        Text1_Change(row);
    else if (const int swatch = rowOf(id, Picture1); swatch >= 0 && code == STN_CLICKED)
        Picture1_Click(swatch);
    else if (id == Check1 && code == BN_CLICKED)
        Check1_Click();
    else if (id == Command1)
        Command1_Click();
    else if (id == Command2)
        end(IDCANCEL);
}

INT_PTR Form2::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A swatch is a box filled with its row's colour, enabled or not.
    if (message == WM_CTLCOLORSTATIC) {
        if (const int row = rowOf(GetDlgCtrlID(HWND(lParam)), Picture1); row >= 0) {
            HDC context = HDC(wParam);
            SetDCBrushColor(context, COLORREF(m_model.swatchColor(row)) & 0xFFFFFF);
            return INT_PTR(GetStockObject(DC_BRUSH));
        }
    }
    return FALSE;
}

void Form2::Text1_Change(int Index)
{
    HWND text = item(Text1 + Index);
    const std::wstring typed = windowText(text);
    // Showing the model's form of the text is a text change of its own; its
    // run finds nothing more to do.
    const std::wstring shown = wideFromUtf8(m_model.setText(Index, utf8FromWide(typed)));
    if (shown != typed)
        SetWindowTextW(text, shown.c_str());
    SendMessageW(text, EM_SETSEL, typed.size(), LPARAM(typed.size()));
    InvalidateRect(item(Picture1 + Index), nullptr, TRUE);
}

void Form2::Picture1_Click(int Index)
{
    CHOOSECOLORW picker{};
    picker.lStructSize = sizeof picker;
    picker.hwndOwner = hwnd();
    picker.rgbResult = COLORREF(m_model.pickerColor()) & 0xFFFFFF;
    picker.lpCustColors = m_customColors.data();
    picker.Flags = CC_RGBINIT;
    // The picker's library loads with its first opening, not at every start.
    static const auto chooseColor =
        loadedFunction<decltype(ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    // A cancel: row, swatch and picker colour stay.
    if (!chooseColor || !chooseColor(&picker))
        return;
    const std::string &text = m_model.pickColor(Index, std::int32_t(picker.rgbResult & 0xFFFFFF));
    SetWindowTextW(item(Text1 + Index), wideFromUtf8(text).c_str());
}

void Form2::Check1_Click()
{
    const UINT value = IsDlgButtonChecked(hwnd(), Check1);
    if (value != BST_CHECKED && value != BST_UNCHECKED)
        return;
    m_model.setCustomLineColors(value == BST_CHECKED);
    for (const int i : ColorSettings::switchedRows)
        setRowEnabled(i, m_model.isRowEnabled(i));
}

void Form2::setRowEnabled(int Index, bool enabled)
{
    EnableWindow(item(Label1 + Index), enabled);
    EnableWindow(item(Text1 + Index), enabled);
    EnableWindow(item(Picture1 + Index), enabled);
}

void Form2::Command1_Click()
{
    m_model.save(m_ruler.settings());
    m_ruler.behaviour().repaintWithStoredUnit();
    end(IDOK);
}
