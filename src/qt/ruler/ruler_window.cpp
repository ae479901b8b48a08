#include "ruler_window.h"

#include "app/product.h"
#include "app/screen_twips.h"
#include "app/window_services.h"
#include "app/x11_window_state.h"
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

#include <optional>
#include <vector>

namespace {

// A PNG read by Qt's own reader. Left to find the format itself, Qt loads
// every image format plugin, and libjpeg with them, to ask each whether it
// knows the file: milliseconds of every start.
QImage builtInPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

PointerButton pointerButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return PointerButton::Left;
    case Qt::RightButton:
        return PointerButton::Right;
    case Qt::MiddleButton:
        return PointerButton::Middle;
    default:
        return PointerButton::Other;
    }
}

std::optional<RulerKey> rulerKey(int key)
{
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return RulerKey::Plus;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return RulerKey::Minus;
    case Qt::Key_Up:
        return RulerKey::Up;
    case Qt::Key_Down:
        return RulerKey::Down;
    case Qt::Key_Left:
        return RulerKey::Left;
    case Qt::Key_Right:
        return RulerKey::Right;
    default:
        return std::nullopt;
    }
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

    resize(toQt(m_behaviour.designSize()));
    // An explicit position, so that the window manager keeps the one that the
    // first layout restores instead of placing the window where it likes.
    move(0, 0);

    Label1 = new QLabel(QStringLiteral("    "), this);
    Label1->setFixedSize(toQt(m_behaviour.gripSize()));
    Label1->setCursor(Qt::SizeFDiagCursor);
    Label1->installEventFilter(this);
}

Form1::~Form1() = default;

double Form1::twipsPerPixel() const
{
    return Twips::perPixel(this);
}

Rect Form1::windowGeometry() const
{
    return {x(), y(), width(), height()};
}

void Form1::moveWindow(Point topLeft)
{
    move(toQt(topLeft));
}

void Form1::resizeWindow(Size size)
{
    resize(toQt(size));
}

std::vector<Rect> Form1::screens() const
{
    std::vector<Rect> geometries;
    for (const QScreen *screen : QGuiApplication::screens())
        geometries.push_back(toCore(screen->geometry()));
    return geometries;
}

Rect Form1::desktop() const
{
    const QScreen *screen = this->screen();
    return toCore(screen ? screen->virtualGeometry() : QRect(0, 0, 1920, 1080));
}

Rect Form1::windowScreen() const
{
    const QScreen *screen = this->screen();
    return toCore(screen ? screen->geometry() : QRect(0, 0, 1920, 1080));
}

double Form1::devicePixelRatio() const
{
    return devicePixelRatioF();
}

void Form1::setOpacity(int alpha)
{
    SetWindowAlpha(this, alpha);
}

void Form1::setTopmost(bool topmost)
{
    ::setTopmost(this, topmost);
}

void Form1::setTaskbarPresence(bool show)
{
    SetTaskbarPresence(this, show);
}

void Form1::placeGrip(Rect area)
{
    Label1->move(area.x, area.y);
}

void Form1::showPicture()
{
    update();
}

const TextMeasure &Form1::textMeasure()
{
    m_measure.use(font(), devicePixelRatioF());
    return m_measure;
}

void Form1::setVisible(bool visible)
{
    // Showing the window for the first time loads it, before it is visible.
    const bool loading = visible && !m_loaded;
    if (loading) {
        m_loaded = true;
        m_formMenu = std::make_unique<FormMenu>(*this);
        m_behaviour.Form_Load(m_formMenu->commands());
        connect(windowHandle(), &QWindow::screenChanged, this,
                [this] { m_behaviour.repaintWithStoredUnit(); });
    }
    QWidget::setVisible(visible);
    if (loading) {
        // The request to map the window goes out now, and the texts of the
        // first repaint are measured, laid out and drawn while the window
        // manager maps it.
        X11WindowState::flush();
        m_painter.prepare(m_behaviour.picture(), font(), devicePixelRatioF());
    }
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
    m_painter.paint(painter, m_behaviour.picture(), font(), devicePixelRatioF());
}

void Form1::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintShown(painter);
}

void Form1::resizeEvent(QResizeEvent *)
{
    m_behaviour.Form_Resize();
}

void Form1::closeEvent(QCloseEvent *event)
{
    m_behaviour.Form_Unload();
    event->accept();
}

void Form1::startPressAction(QWidget *pressed, QMouseEvent &press, bool onGrip)
{
    switch (RulerWindow::pressAction(pointerButton(press.button()), onGrip)) {
    case PressAction::OpenMenu:
        m_formMenu->popup(press.globalPosition().toPoint());
        break;
    case PressAction::Move:
        BeginWindowDrag(this, pressed, press);
        break;
    case PressAction::ResizeFromCorner:
        beginCornerResize(this, pressed, press);
        break;
    }
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    startPressAction(this, *event, false);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // A double-click on the grip is a press there too; left to travel up,
    // it would reach the body's handler as a press on the body.
    if (watched == Label1 && (event->type() == QEvent::MouseButtonPress ||
                              event->type() == QEvent::MouseButtonDblClick)) {
        startPressAction(Label1, *static_cast<QMouseEvent *>(event), true);
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
    if (const std::optional<RulerKey> key = rulerKey(event->key()))
        m_behaviour.keyDown(*key, event->modifiers().testFlag(Qt::ShiftModifier));
    else
        QWidget::keyPressEvent(event);
}
