#pragma once

#include "core/commands/color_settings.h"

#include <QDialog>

#include <array>

class Form1;
class QCheckBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The colour settings dialog: the seven colours of the scale as colour text,
// each with a swatch that opens a colour picker, and the switch between one
// tick colour and a colour each for big, mid and small ticks. It shows its
// model, ColorSettings, and hands it every edit; OK saves the model and
// repaints the ruler, Cancel and closing the window write nothing.
//
// An opener creates it on the stack for every opening, may make it topmost
// with setTopmost() from window_services.h, and runs exec():
//
//     Form2 dialog(ruler);
//     dialog.exec();
class Form2 : public QDialog
{
    Q_OBJECT
public:
    // Reads the ruler's settings file; the ruler is also the dialog's parent.
    explicit Form2(Form1 &ruler);

    // The colour rows, 0 to 6, in the order of colorSettings.
    static constexpr int rowCount = ColorSettings::rowCount;
    QLabel *Label1(int Index) const { return m_label1.at(Index); }
    QLineEdit *Text1(int Index) const { return m_text1.at(Index); }
    QFrame *Picture1(int Index) const { return m_picture1.at(Index); }

    QGroupBox *Frame2() const { return m_frame2; }
    QWidget *Picture2() const { return m_picture2; }
    QCheckBox *Check1() const { return m_check1; }
    QPushButton *Command1() const { return m_command1; }
    QPushButton *Command2() const { return m_command2; }

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createRows(double twipsPerPixel);
    void setFocusOrder();
    void Form_Load();
    void Text1_Change(int Index);
    void Picture1_Click(int Index);
    void Check1_Click();
    void setRowEnabled(int Index, bool enabled);
    void Command1_Click();
    void showSwatchColor(int Index);

    Form1 &m_ruler;
    ColorSettings m_model;
    std::array<QLabel *, rowCount> m_label1{};
    std::array<QLineEdit *, rowCount> m_text1{};
    std::array<QFrame *, rowCount> m_picture1{};
    QGroupBox *m_frame2 = nullptr;
    QWidget *m_picture2 = nullptr;
    QCheckBox *m_check1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
};
