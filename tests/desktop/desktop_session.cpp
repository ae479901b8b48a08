#include "desktop_session.h"

#include "settings/profile_file.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

template<typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template<typename Reply>
ReplyPointer<Reply> owned(Reply *reply)
{
    return ReplyPointer<Reply>(reply, &std::free);
}

// Polls until done() holds or the time is up; the desktop's programs run on
// their own, so the tests wait for conditions rather than for fixed times.
template<typename Condition>
bool waitFor(Condition done, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

const QString rulerTitle = QStringLiteral("Ostrel屏幕刻度尺");

} // namespace

DesktopSession::DesktopSession()
{
    QDir(m_folder.path()).mkdir(QStringLiteral("runtime"));
    QFile::setPermissions(m_folder.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString program = m_folder.filePath(QStringLiteral("ruler"));
    if (!QFile::copy(QStringLiteral(RULER_PROGRAM), program))
        return;

    for (int number = 80; number < 200 && !m_connection; ++number) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
            QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            continue;
        m_display = QStringLiteral(":%1").arg(number);
        m_server = startProcess(QStringLiteral("Xvfb"),
                                {m_display, QStringLiteral("-screen"), QStringLiteral("0"),
                                 QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                                 QStringLiteral("tcp"), QStringLiteral("-noreset")});
        waitFor(
            [&] {
                if (m_server->state() == QProcess::NotRunning)
                    return true; // the display was taken after all: try the next
                xcb_connection_t *c = xcb_connect(m_display.toLatin1().constData(), nullptr);
                if (!xcb_connection_has_error(c)) {
                    m_connection = c;
                    return true;
                }
                xcb_disconnect(c);
                return false;
            },
            10000);
        if (!m_connection) {
            stop(m_server);
            m_server = nullptr;
        }
    }
    if (!m_connection)
        return;

    m_windowManager = startProcess(QStringLiteral("openbox"), {});
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const unsigned check = atom("_NET_SUPPORTING_WM_CHECK");
    const bool managed = waitFor(
        [&] {
            auto reply = owned(xcb_get_property_reply(
                m_connection, xcb_get_property(m_connection, 0, root, check, XCB_ATOM_WINDOW, 0, 1),
                nullptr));
            return reply && xcb_get_property_value_length(reply.get()) > 0;
        },
        10000);
    if (!managed) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
    }
}

DesktopSession::~DesktopSession()
{
    stop(m_ruler);
    if (m_connection)
        xcb_disconnect(m_connection);
    stop(m_windowManager);
    stop(m_server);
}

QProcess *DesktopSession::startProcess(const QString &program, const QStringList &arguments)
{
    auto *process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_folder.filePath(QStringLiteral("runtime")));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program, arguments);
    process->waitForStarted();
    return process;
}

void DesktopSession::stop(QProcess *process)
{
    if (!process)
        return;
    if (process->state() != QProcess::NotRunning) {
        process->terminate(); // SIGTERM to this process's PID
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
    delete process;
}

unsigned DesktopSession::atom(const char *name) const
{
    auto reply = owned(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : 0;
}

QString DesktopSession::settingsPath() const
{
    return m_folder.filePath(QStringLiteral("ruler.ini"));
}

void DesktopSession::writeSettings(const QByteArray &text) const
{
    QFile file(settingsPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}

QByteArray DesktopSession::settingsText() const
{
    QFile file(settingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString DesktopSession::stored(const QString &key) const
{
    return ReadIniValue(settingsPath(), QStringLiteral("General"), key);
}

unsigned DesktopSession::startRuler()
{
    stop(m_ruler);
    m_ruler = startProcess(m_folder.filePath(QStringLiteral("ruler")), {});
    unsigned found = 0;
    waitFor(
        [&] {
            if (m_ruler->state() == QProcess::NotRunning)
                return true;
            for (unsigned window : windowsNamed(rulerTitle)) {
                auto attributes = owned(xcb_get_window_attributes_reply(
                    m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
                if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
                    found = window;
            }
            return found != 0;
        },
        15000);
    return found;
}

bool DesktopSession::rulerRunning() const
{
    return m_ruler && m_ruler->state() != QProcess::NotRunning;
}

bool DesktopSession::waitForRulerExit(int milliseconds)
{
    return m_ruler && (m_ruler->state() == QProcess::NotRunning || m_ruler->waitForFinished(milliseconds));
}

QList<unsigned> DesktopSession::windowsNamed(const QString &title) const
{
    QList<unsigned> windows;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    auto clients = owned(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, root, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 0, 1024),
        nullptr));
    if (!clients)
        return windows;
    const auto *ids = static_cast<const xcb_window_t *>(xcb_get_property_value(clients.get()));
    const int count = xcb_get_property_value_length(clients.get()) / int(sizeof(xcb_window_t));
    const unsigned nameAtom = atom("_NET_WM_NAME");
    const unsigned utf8 = atom("UTF8_STRING");
    for (int i = 0; i < count; ++i) {
        auto name = owned(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, ids[i], nameAtom, utf8, 0, 256), nullptr));
        if (!name)
            continue;
        const QString text = QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(name.get())),
                                               xcb_get_property_value_length(name.get()));
        if (text == title)
            windows.append(ids[i]);
    }
    return windows;
}

QRect DesktopSession::geometry(unsigned window) const
{
    auto size = owned(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    if (!size)
        return {};
    auto position = owned(xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, window, size->root, 0, 0), nullptr));
    if (!position)
        return {};
    return QRect(position->dst_x, position->dst_y, size->width, size->height);
}

QStringList DesktopSession::netWmState(unsigned window) const
{
    QStringList names;
    auto reply = owned(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, window, atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 64), nullptr));
    if (!reply)
        return names;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    for (int i = 0; i < count; ++i) {
        auto name = owned(xcb_get_atom_name_reply(m_connection, xcb_get_atom_name(m_connection, atoms[i]), nullptr));
        if (name)
            names.append(QString::fromLatin1(xcb_get_atom_name_name(name.get()),
                                             xcb_get_atom_name_name_length(name.get())));
    }
    return names;
}

qint64 DesktopSession::opacityProperty(unsigned window) const
{
    auto reply = owned(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 0, window, atom("_NET_WM_WINDOW_OPACITY"), XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return -1;
    return *static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
}

QImage DesktopSession::screenshot(QRect area) const
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const QRect clipped = area.intersected(screen());
    auto reply = owned(xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, int16_t(clipped.x()),
                      int16_t(clipped.y()), uint16_t(clipped.width()), uint16_t(clipped.height()), ~0u),
        nullptr));
    if (!reply)
        return {};
    // A 24-bit TrueColor screen: 32 bits a pixel, blue in the lowest byte.
    const QImage view(xcb_get_image_data(reply.get()), clipped.width(), clipped.height(),
                      QImage::Format_RGB32);
    return view.copy();
}

bool DesktopSession::popupMenuShown() const
{
    // Qt's popup menus are override-redirect windows of the program, which
    // the window manager does not manage.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    auto tree = owned(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, root), nullptr));
    if (!tree)
        return false;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        auto attributes = owned(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, children[i]), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE ||
            !attributes->override_redirect)
            continue;
        auto windowClass = owned(xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, children[i], XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64),
            nullptr));
        if (windowClass && QByteArray(static_cast<const char *>(xcb_get_property_value(windowClass.get())),
                                      xcb_get_property_value_length(windowClass.get()))
                               .startsWith("ruler"))
            return true;
    }
    return false;
}

void DesktopSession::requestClose(unsigned window) const
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_CLOSE_WINDOW");
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = 2; // as a pager or taskbar would ask
    xcb_send_event(m_connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(m_connection);
}

bool DesktopSession::xdotool(const QStringList &arguments) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}
