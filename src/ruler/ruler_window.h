#pragma once

#include "core/scale/drawing_settings.h"
#include "core/scale/scale_geometry.h"
#include "core/settings/ruler_settings.h"
#include "ruler_painter.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>

class FormMenu;
class QLabel;
class QPainter;

// The ruler window: a borderless strip on which the scale is painted. It
// restores every stored choice when it is first shown, lays itself out on
// every size change, and stores its position when it closes.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(RulerSettings settings, QWidget *parent = nullptr);
    ~Form1() override;

    // Set by the orientation command to have the next Form_Resize turn the
    // ruler by exchanging its width and height; Form_Resize clears it.
    bool IsDirection = false;

    // Lays the window out from ruler.ini and repaints it. Runs on every size
    // change; the orientation and size-mode commands call it as well.
    void Form_Resize();

    // Repaints the whole scale from ruler.ini in the given unit (3 pixels,
    // 5 inches, 6 millimetres). The window shows that scale until the next
    // call, whenever it is uncovered.
    void DrawRuler(int pScaleMode);

    const RulerSettings &settings() const { return m_settings; }
    FormMenu &formMenu() { return *m_formMenu; }
    QLabel *grip() const { return Label1; }
    // What the window shows, in device pixels, painted as the window paints it.
    QImage image();

    double twipsPerPixel() const;
    double leftTwips() const;
    double topTwips() const;
    // Moves the window, keeping enough of it on the desktop to be reached;
    // a coordinate that does not change is not touched.
    void moveTwips(double left, double top);

    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void setSizeTwips(double width, double height);
    void repaintWithStoredUnit();
    QSize devicePixelSize() const;
    void paintShown(QPainter &painter);

    RulerSettings m_settings;
    std::unique_ptr<FormMenu> m_formMenu;
    QLabel *Label1 = nullptr; // the resize grip in the bottom-right corner
    // What the last DrawRuler read and worked out, which every paint shows.
    // The window paints it straight into its backing store: drawing it into
    // an image of its own first and copying that would cost a pass over the
    // whole window on every step of an interactive resize.
    struct Shown
    {
        Scale scale;
        DrawingSettings drawing;
        QString hint;
    };
    Shown m_shown;
    RulerPainter m_painter;
    // 1 from the end of load until the first layout restores size and
    // position, -1 while it does, 0 afterwards.
    int FirstLayout = 0;
    // 1 while Form_Resize sets the window's size itself.
    int IsResizing = 0;
    bool m_loaded = false;
};
