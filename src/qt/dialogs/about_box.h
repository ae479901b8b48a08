#pragma once

#include <QDialog>

class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QShowEvent;

// The about box, which also serves as the help window and the calibration
// tip. An opener creates it on the stack for every opening, may replace its
// caption (setWindowTitle) and the text of Label2 before showing it, may make
// it topmost with setTopmost() from window_services.h, and then runs exec():
//
//     FormAbout box(&ruler);
//     box.setWindowTitle(QStringLiteral("帮助"));
//     box.Label2()->setText(helpText);
//     box.exec();
//
// Every opening thus starts again with the caption "关于" and the about text.
class FormAbout : public QDialog
{
    Q_OBJECT
public:
    explicit FormAbout(QWidget *parent = nullptr);

    QGroupBox *Frame1() const { return m_frame1; }
    // Plain text; "\r\n" breaks a line, and long lines wrap.
    QLabel *Label2() const { return m_label2; }
    QPushButton *Command1() const { return m_command1; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void fitLabel2Text();

    QGroupBox *m_frame1 = nullptr;
    QLabel *m_label2 = nullptr;
    QPushButton *m_command1 = nullptr;
};
