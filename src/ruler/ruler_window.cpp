#include "ruler_window.h"

#include "app/product.h"
#include "app/screen_twips.h"
#include "app/window_services.h"
#include "app/x11_window_state.h"
#include "core/ruler/ruler_layout.h"
#include "core/ruler/twips.h"
#include "core/settings/numeric_text.h"
#include "core/settings/setting_values.h"
#include "geometry_conversion.h"
#include "menu/form_menu.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <vector>

namespace {

// The design size, which is also the smallest ruler: 652 x 120 pixels at 96 dpi.
constexpr double designLengthTwips = 9780;
constexpr double designBreadthTwips = 1800;
// The grip is a label of four blanks in the bottom-right corner.
constexpr double gripWidthTwips = 360;
constexpr double gripHeightTwips = 180;

std::vector<Rect> screenGeometries()
{
    std::vector<Rect> geometries;
    for (const QScreen *screen : QGuiApplication::screens())
        geometries.push_back(toCore(screen->geometry()));
    return geometries;
}

Rect desktopGeometry(const QWidget *widget)
{
    const QScreen *screen = widget->screen();
    return toCore(screen ? screen->virtualGeometry() : QRect(0, 0, 1920, 1080));
}

// A PNG read by Qt's own reader. Left to find the format itself, Qt loads
// every image format plugin, and libjpeg with them, to ask each whether it
// knows the file: milliseconds of every start.
QImage builtInPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

Form1::Form1(RulerSettings settings, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_settings(std::move(settings))
{
    setWindowTitle(productTitle());
    setWindowIcon(QPixmap::fromImage(builtInPng(QStringLiteral(":/icons/ruler-32.png"))));
    // The scale's paint covers every pixel; Qt need not clear the window first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);

    const double tpp = twipsPerPixel();
    resize(Twips::toPixels(designLengthTwips, tpp), Twips::toPixels(designBreadthTwips, tpp));
    // An explicit position, so that the window manager keeps the one that the
    // first layout restores instead of placing the window where it likes.
    move(0, 0);

    Label1 = new QLabel(QStringLiteral("    "), this);
    Label1->setFixedSize(Twips::toPixels(gripWidthTwips, tpp),
                         Twips::toPixels(gripHeightTwips, tpp));
    Label1->setCursor(Qt::SizeFDiagCursor);
    Label1->installEventFilter(this);
}

Form1::~Form1() = default;

double Form1::twipsPerPixel() const
{
    return Twips::perPixel(this);
}

double Form1::leftTwips() const
{
    return Twips::fromPixels(x(), twipsPerPixel());
}

double Form1::topTwips() const
{
    return Twips::fromPixels(y(), twipsPerPixel());
}

void Form1::setVisible(bool visible)
{
    // Showing the window for the first time loads it, before it is visible.
    const bool loading = visible && !m_loaded;
    if (loading) {
        m_loaded = true;
        Form_Load();
    }
    QWidget::setVisible(visible);
    if (loading) {
        // The request to map the window goes out now, and the texts of the
        // first repaint are drawn while the window manager maps it.
        X11WindowState::flush();
        m_painter.prepare(devicePixelRatioF(), m_shown.scale, m_shown.drawing, m_shown.hint,
                          font());
    }
}

void Form1::Form_Load()
{
    using NumericText::numericValue;

    m_formMenu = std::make_unique<FormMenu>(*this);

    // Nothing below writes these keys before it has used them: one reading.
    const auto [transparent, showInTaskbar, alwaysOnTop, direction, sizeMode, scaleMode] =
        m_settings.read(std::array{SettingsKey::Transparent, SettingsKey::ShowInTaskBar,
                                   SettingsKey::AlwaysOnTop, SettingsKey::Direction,
                                   SettingsKey::SizeMode, SettingsKey::ScaleMode});

    SetWindowAlpha(this, opacityOf(transparent));

    const bool inTaskbar = isTrueText(showInTaskbar);
    m_formMenu->state().taskbar = inTaskbar;

    const bool topmost = isTrueText(alwaysOnTop);
    m_formMenu->state().alwaysOnTop = topmost;
    // The stays-on-top flag goes on before the native window exists: Qt
    // re-creates a native window whose flags changed before it was first
    // shown, and the taskbar hint set on the old one would be lost.
    setTopmost(this, topmost);
    SetTaskbarPresence(this, inTaskbar);
    connect(windowHandle(), &QWindow::screenChanged, this, &Form1::repaintWithStoredUnit);

    m_formMenu->state().direction.mark(isVerticalText(direction) ? 1 : 0);
    m_formMenu->state().size.mark(numericValue(sizeMode) == 1 ? 1 : 0);
    m_formMenu->mnuScaleMode_Click(unitIndexOf(scaleMode));

    FirstLayout = 1;
}

void Form1::Form_Unload()
{
    m_settings.write(SettingsKey::Left, NumericText::singleText(leftTwips()));
    m_settings.write(SettingsKey::Top, NumericText::singleText(topTwips()));
}

void Form1::setSizeTwips(double width, double height)
{
    const double tpp = twipsPerPixel();
    resize(Twips::toPixels(width, tpp), Twips::toPixels(height, tpp));
}

void Form1::Form_Resize()
{
    using NumericText::numericValue;

    if (IsResizing == 1)
        return;
    // Nothing below writes these keys before it has used them: one reading.
    const auto [direction, storedLength, storedBreadth, scaleMode, storedLeft, storedTop] =
        m_settings.read(std::array{SettingsKey::Direction, SettingsKey::Width, SettingsKey::Height,
                                   SettingsKey::ScaleMode, SettingsKey::Left, SettingsKey::Top});
    const bool vertical = isVerticalText(direction);
    const double length = numericValue(storedLength);
    const double breadth = numericValue(storedBreadth);
    const double tpp = twipsPerPixel();
    const RulerBounds bounds = rulerBounds(
        Size{Twips::toPixels(designLengthTwips, tpp), Twips::toPixels(designBreadthTwips, tpp)},
        desktopGeometry(this));

    if (FirstLayout == 1) {
        FirstLayout = -1;
        // Restore the stored shape at once within its bounds, so that a
        // missing or absurd size never shows, not even for a moment.
        const Size stored{Twips::toPixels(vertical ? breadth : length, tpp),
                          Twips::toPixels(vertical ? length : breadth, tpp)};
        resize(toQt(boundedSize(stored, bounds, vertical)));
        const QPoint position(Twips::toPixels(numericValue(storedLeft), tpp),
                              Twips::toPixels(numericValue(storedTop), tpp));
        move(toQt(reachablePosition(toCore(QRect(position, size())), screenGeometries())));
        FirstLayout = 0;
    } else if (FirstLayout == -1) {
        return; // raised by the restore above
    }

    if (IsDirection) {
        IsDirection = false;
        IsResizing = 1;
        setSizeTwips(vertical ? breadth : length, vertical ? length : breadth);
        IsResizing = 0;
    }

    const QSize bounded = toQt(boundedSize(toCore(size()), bounds, vertical));
    if (bounded != size()) {
        IsResizing = 1;
        resize(bounded);
        IsResizing = 0;
    }

    Label1->move(width() - Label1->width(), height() - Label1->height());
    DrawRuler(unitCodeOf(scaleMode));

    // Width and Height hold the length and breadth whatever the orientation.
    const int lengthPixels = vertical ? height() : width();
    const int breadthPixels = vertical ? width() : height();
    m_settings.write(SettingsKey::Width,
                     NumericText::singleText(Twips::fromPixelsKeeping(lengthPixels, length, tpp)));
    m_settings.write(SettingsKey::Height, NumericText::singleText(Twips::fromPixelsKeeping(
                                              breadthPixels, breadth, tpp)));
}

void Form1::DrawRuler(int pScaleMode)
{
    m_shown.drawing = readDrawingSettings(m_settings);
    const DrawingSettings &drawing = m_shown.drawing;
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels = devicePixelSize();

    ScaleInput input;
    input.unitCode = pScaleMode;
    input.physical = drawing.physical;
    input.calibration = drawing.calibration;
    input.direction = drawing.direction;
    input.lengthPixels = orientationOf(drawing.direction) == ScaleOrientation::Vertical
                             ? devicePixels.height()
                             : devicePixels.width();
    input.logicalDpi = Twips::perInch / twipsPerPixel();
    input.devicePixelRatio = ratio;
    m_shown.scale = computeScale(input);
    m_shown.hint =
        QString::fromStdString(unitHint(pScaleMode, drawing.physical, drawing.calibration));
    update();
}

QSize Form1::devicePixelSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

QImage Form1::image()
{
    QImage shown(devicePixelSize(), QImage::Format_RGB32);
    shown.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(&shown);
    paintShown(painter);
    return shown;
}

void Form1::paintShown(QPainter &painter)
{
    m_painter.paint(painter, devicePixelSize(), devicePixelRatioF(), m_shown.scale, m_shown.drawing,
                    m_shown.hint, font());
}

void Form1::repaintWithStoredUnit()
{
    DrawRuler(unitCodeOf(m_settings.read(SettingsKey::ScaleMode)));
}

void Form1::moveTwips(double left, double top)
{
    const double tpp = twipsPerPixel();
    const QPoint wanted(Twips::toPixels(left, tpp), Twips::toPixels(top, tpp));
    move(toQt(keptReachable(toCore(pos()), toCore(QRect(wanted, size())), desktopGeometry(this),
                            toCore(Label1->size()))));
}

void Form1::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintShown(painter);
}

void Form1::resizeEvent(QResizeEvent *)
{
    Form_Resize();
}

void Form1::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        m_formMenu->popup(event->globalPosition().toPoint());
    else
        BeginWindowDrag(this, this, *event);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // Any button on the grip stretches the ruler from its corner, the right
    // one included: the menu opens from the body only. A double-click is a
    // press too; left to travel up, it would reach the body's handler, which
    // takes it as a press on the body and opens the menu.
    if (watched == Label1 && (event->type() == QEvent::MouseButtonPress ||
                              event->type() == QEvent::MouseButtonDblClick)) {
        beginCornerResize(this, Label1, *static_cast<QMouseEvent *>(event));
        return true;
    }
    // The grip's caption is four blanks over the ruler's own image: there is
    // nothing to paint, and laying the blanks out would cost every repaint.
    if (watched == Label1 && event->type() == QEvent::Paint)
        return true;
    return QWidget::eventFilter(watched, event);
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // Only Shift matters: Ctrl and Alt change nothing, and every key-down
    // counts, those of the keyboard's auto-repeat included.
    const double step = event->modifiers().testFlag(Qt::ShiftModifier) ? 10 : 100;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        m_formMenu->mnuTran_Click(1);
        break;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        m_formMenu->mnuTran_Click(2);
        break;
    case Qt::Key_Up:
        moveTwips(leftTwips(), topTwips() - step);
        break;
    case Qt::Key_Down:
        moveTwips(leftTwips(), topTwips() + step);
        break;
    case Qt::Key_Left:
        moveTwips(leftTwips() - step, topTwips());
        break;
    case Qt::Key_Right:
        moveTwips(leftTwips() + step, topTwips());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
