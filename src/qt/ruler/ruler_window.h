#pragma once

#include "core/ruler/ruler_window.h"
#include "core/settings/ruler_settings.h"
#include "core/shell.h"
#include "font_measure.h"
#include "ruler_painter.h"

#include <QImage>
#include <QWidget>

#include <memory>

class FormMenu;
class QLabel;
class QPainter;

// The ruler window on Qt: a borderless strip that shows the core's picture
// of the scale and hands every event to the core's RulerWindow in one call.
// It is the shell that RulerWindow asks for geometry, opacity, topmost and
// taskbar presence.
class Form1 : public QWidget, public Shell
{
    Q_OBJECT
public:
    explicit Form1(RulerSettings settings, QWidget *parent = nullptr);
    ~Form1() override;

    RulerWindow &behaviour() { return m_behaviour; }
    const RulerSettings &settings() const { return m_settings; }
    FormMenu &formMenu() { return *m_formMenu; }
    QLabel *grip() const { return Label1; }
    // What the window shows, in device pixels, painted as the window paints it.
    QImage image();

    double twipsPerPixel() const override;

    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Rect windowGeometry() const override;
    void moveWindow(Point topLeft) override;
    void resizeWindow(Size size) override;
    std::vector<Rect> screens() const override;
    Rect desktop() const override;
    Rect windowScreen() const override;
    double devicePixelRatio() const override;
    void setOpacity(int alpha) override;
    void setTopmost(bool topmost) override;
    void setTaskbarPresence(bool show) override;
    void placeGrip(Rect area) override;
    void showPicture() override;
    const TextMeasure &textMeasure() override;

    // Starts what a press asks for, on the widget that was pressed.
    void startPressAction(QWidget *pressed, QMouseEvent &press, bool onGrip);
    QSize devicePixelSize() const;
    void paintShown(QPainter &painter);

    RulerSettings m_settings;
    RulerWindow m_behaviour{*this, m_settings};
    std::unique_ptr<FormMenu> m_formMenu;
    QLabel *Label1 = nullptr; // the resize grip in the bottom-right corner
    // The window paints the core's picture straight into its backing store:
    // drawing it into an image of its own first and copying that would cost
    // a pass over the whole window on every step of an interactive resize.
    RulerPainter m_painter;
    FontMeasure m_measure;
    bool m_loaded = false;
};
