#pragma once

#include "core/commands/color_settings.h"
#include "modal_dialog.h"

#include <array>

class Form1;

// The colour settings dialog: the seven colours of the scale as colour text,
// each with a swatch that opens the system's colour picker, and the switch
// between one tick colour and a colour each for big, mid and small ticks. It
// shows its model, ColorSettings, and hands it every edit; OK saves the model
// and repaints the ruler, Cancel and closing the window write nothing.
//
// An opener makes one for every opening and shows it:
//
//     Form2 dialog(ruler);
//     dialog.show(topmost);
class Form2 : private ModalDialog
{
public:
    // Reads the ruler's settings file; the ruler is also the dialog's owner.
    explicit Form2(Form1 &ruler);

    // Returns when the dialog has closed.
    void show(bool topmost);

private:
    static constexpr int rowCount = ColorSettings::rowCount;

    bool onInit() override;
    void onCommand(int id, int code) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void layOut();
    void Form_Load();
    void Text1_Change(int Index);
    void Picture1_Click(int Index);
    void Check1_Click();
    void setRowEnabled(int Index, bool enabled);
    void Command1_Click();

    Form1 &m_ruler;
    ColorSettings m_model;
    // The picker's own custom colours, kept while the dialog lives.
    std::array<COLORREF, 16> m_customColors{};
};
