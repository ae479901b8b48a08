#include "desktop_session.h"

#include "core/commands/command_menu.h"
#include "core/settings/profile_file.h"
#include "core/settings/settings_keys.h"
#include "platform/posix/posix_file_system.h"

#include <QColor>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

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

// The sessions started and not yet ended. A program that ends through
// exit() never runs the destructors of what main() holds: these end at exit.
std::vector<DesktopSession *> &startedSessions()
{
    static std::vector<DesktopSession *> sessions;
    return sessions;
}

void endStartedSessions()
{
    const std::vector<DesktopSession *> sessions = startedSessions();
    for (DesktopSession *session : sessions)
        session->end();
}

} // namespace

QString DesktopSession::program()
{
    const QString chosen = qEnvironmentVariable("RULER_TEST_PROGRAM");
    return chosen.isEmpty() ? QStringLiteral(RULER_PROGRAM) : chosen;
}

bool DesktopSession::programBuilt()
{
    return QFileInfo(program()).isFile();
}

bool DesktopSession::windowsProgram()
{
    return program().endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive);
}

bool DesktopSession::start()
{
    end();
    // Registered once the list is made, so that it runs before the list is destroyed.
    static const bool endsAtExit = [] {
        startedSessions();
        return std::atexit(endStartedSessions) == 0;
    }();
    Q_UNUSED(endsAtExit);
    startedSessions().push_back(this);

    m_folder = std::make_unique<QTemporaryDir>();
    QDir(m_folder->path()).mkdir(QStringLiteral("runtime"));
    QFile::setPermissions(m_folder->filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!QFile::copy(program(), programPath()))
        return false;
    // A Wine server of the prefix that was started without this desktop's
    // display (by the prefix's set-up, say) would show the program nowhere:
    // the session waits until it has ended by itself.
    if (windowsProgram())
        runWineTool(QStringLiteral("wineserver"), {QStringLiteral("-w")});

    // Xvfb picks a free display itself and writes its number to its standard
    // output: a number chosen here could be taken by a desktop starting at the
    // same moment, and the connection would then reach that desktop's server.
    m_server = startProcess(QStringLiteral("Xvfb"),
                            {QStringLiteral("-displayfd"), QStringLiteral("1"),
                             QStringLiteral("-screen"), QStringLiteral("0"),
                             QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                             QStringLiteral("tcp"), QStringLiteral("-noreset")},
                            Output::Read);
    QByteArray number;
    const QDeadlineTimer deadline(10000);
    while (!number.endsWith('\n') && m_server->waitForReadyRead(int(deadline.remainingTime())))
        number += m_server->readAllStandardOutput();
    if (!number.endsWith('\n'))
        return false;
    m_display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    xcb_connection_t *connection = xcb_connect(m_display.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return false;
    }
    m_connection = connection;

    m_windowManager = startProcess(QStringLiteral("openbox"), {});
    if (!windowManagerReady()) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
    }
    return isReady();
}

bool DesktopSession::windowManagerReady() const
{
    // openbox announces itself before it has finished starting, and a window
    // mapped in between may never be managed: the desktop is ready once a
    // window of the session's own has been. Its map request is made again
    // after every half second without an answer, in case it was lost.
    const xcb_window_t probe = xcb_generate_id(m_connection);
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, probe, root(), 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    bool managed = false;
    const QDeadlineTimer deadline(10000);
    while (!managed && !deadline.hasExpired()) {
        xcb_unmap_window(m_connection, probe);
        xcb_map_window(m_connection, probe);
        xcb_flush(m_connection);
        managed = waitFor(
            [&] { return property32(root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW).contains(probe); },
            500);
    }
    xcb_destroy_window(m_connection, probe);
    xcb_flush(m_connection);
    return managed;
}

DesktopSession::~DesktopSession()
{
    end();
}

void DesktopSession::end()
{
    stop(m_ruler);
    m_ruler = nullptr;
    // Wine's own processes (its server, services and desktop) outlive the
    // program by a few seconds, and would then meet the next session's.
    if (windowsProgram() && m_folder)
        runWineTool(QStringLiteral("wineserver"), {QStringLiteral("-k")});
    if (m_connection)
        xcb_disconnect(m_connection);
    m_connection = nullptr;
    stop(m_windowManager);
    m_windowManager = nullptr;
    stop(m_server);
    m_server = nullptr;
    m_display.clear();
    m_folder.reset();
    std::erase(startedSessions(), this);
}

QProcess *DesktopSession::startProcess(const QString &program, const QStringList &arguments,
                                       Output output)
{
    auto *process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                       m_folder ? m_folder->filePath(QStringLiteral("runtime")) : QString());
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (windowsProgram()) {
        // Wine quiet, without the .NET and HTML engines that it would
        // otherwise offer to install, and its own dialogs in English
        // whatever the machine's language.
        environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    }
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test program that crashes or is killed runs no code of its own on
    // the way out: the kernel then sends SIGTERM to what it started here.
    // (It does so when the thread that started them ends: a session is used
    // from the thread that runs the tests, which lives as long as they do.)
    const pid_t parent = ::getpid();
    process->setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) // the test program was gone before the line above
            ::_exit(127);
    });
    if (output == Output::Discard)
        process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program, arguments);
    process->waitForStarted();
    return process;
}

void DesktopSession::runWineTool(const QString &tool, const QStringList &arguments)
{
    QProcess *process = startProcess(tool, arguments);
    process->waitForFinished(10000);
    stop(process);
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
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : 0;
}

unsigned DesktopSession::root() const
{
    return xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
}

QList<quint32> DesktopSession::property32(unsigned window, const char *name, unsigned type) const
{
    auto reply = owned(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, atom(name), type, 0, 1024),
        nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto *items = static_cast<const quint32 *>(xcb_get_property_value(reply.get()));
    return QList<quint32>(items, items + xcb_get_property_value_length(reply.get()) / 4);
}

QByteArray DesktopSession::property8(unsigned window, unsigned name, unsigned type) const
{
    auto reply = owned(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, name, type, 0, 256), nullptr));
    if (!reply || reply->format != 8)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

QString DesktopSession::programPath() const
{
    return m_folder ? m_folder->filePath(QFileInfo(program()).fileName()) : QString();
}

QString DesktopSession::settingsPath() const
{
    return m_folder ? m_folder->filePath(QStringLiteral("ruler.ini")) : QString();
}

void DesktopSession::writeSettings(const QByteArray &text) const
{
    QFile file(settingsPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}

QByteArray DesktopSession::newFileText(QByteArray lines)
{
    return windowsProgram() ? lines.replace("\n", "\r\n") : lines;
}

QByteArray DesktopSession::settingsText() const
{
    QFile file(settingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString DesktopSession::stored(const QString &key) const
{
    const PosixFileSystem files;
    return QString::fromStdString(ReadIniValue(files,
                                               QFile::encodeName(settingsPath()).toStdString(),
                                               settingsSection, key.toStdString()));
}

unsigned DesktopSession::startRuler(const QByteArray &generalLines)
{
    // A ruler still running stores its position as it ends: it must end
    // before the new file is written, not over it.
    stop(std::exchange(m_ruler, nullptr));
    writeSettings("[General]\n" + generalLines);
    return startRuler();
}

unsigned DesktopSession::startRuler()
{
    stop(std::exchange(m_ruler, nullptr));
    // Wine runs the program in its own process: the PID is the program's.
    m_ruler = windowsProgram() ? startProcess(QStringLiteral("wine"), {programPath()})
                               : startProcess(programPath(), {});
    unsigned found = 0;
    waitFor(
        [&] {
            if (m_ruler->state() == QProcess::NotRunning)
                return true;
            for (unsigned window : windowsNamed(rulerTitle)) {
                if (isViewable(window))
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
    return m_ruler &&
           (m_ruler->state() == QProcess::NotRunning || m_ruler->waitForFinished(milliseconds));
}

int DesktopSession::rulerExitCode() const
{
    if (!m_ruler || m_ruler->state() != QProcess::NotRunning ||
        m_ruler->exitStatus() != QProcess::NormalExit)
        return -1;
    return m_ruler->exitCode();
}

QList<unsigned> DesktopSession::windowsNamed(const QString &title) const
{
    QList<unsigned> windows;
    const unsigned nameAtom = atom("_NET_WM_NAME");
    const unsigned utf8 = atom("UTF8_STRING");
    for (unsigned window : property32(root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW)) {
        if (QString::fromUtf8(property8(window, nameAtom, utf8)) == title)
            windows.append(window);
    }
    return windows;
}

unsigned DesktopSession::waitForWindow(const QString &title, const QList<unsigned> &except) const
{
    unsigned found = 0;
    waitFor(
        [&] {
            for (unsigned window : windowsNamed(title)) {
                if (!except.contains(window) && isViewable(window))
                    found = window;
            }
            return found != 0;
        },
        10000);
    return found;
}

bool DesktopSession::isViewable(unsigned window) const
{
    auto attributes = owned(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool DesktopSession::isModal(unsigned dialog) const
{
    if (!windowsProgram())
        return netWmState(dialog).contains(QStringLiteral("_NET_WM_STATE_MODAL"));
    // Windows keeps the input from a dialog's owner by disabling the owner.
    // X has no word for that; Wine shows it by taking the close function out
    // of the owner's Motif hints (flags, functions, decorations, ...).
    constexpr quint32 functionsGiven = 1;
    constexpr quint32 closeFunction = 1 << 5;
    const QList<quint32> hints =
        property32(transientFor(dialog), "_MOTIF_WM_HINTS", XCB_GET_PROPERTY_TYPE_ANY);
    return hints.size() >= 2 && (hints[0] & functionsGiven) && !(hints[1] & closeFunction);
}

QRect DesktopSession::frameGeometry(unsigned window) const
{
    const QRect client = geometry(window);
    // Left, right, top and bottom.
    const QList<quint32> extents = property32(window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    if (extents.size() != 4)
        return client;
    return client.adjusted(-int(extents[0]), -int(extents[2]), int(extents[1]), int(extents[3]));
}

unsigned DesktopSession::transientFor(unsigned window) const
{
    const QList<quint32> owner = property32(window, "WM_TRANSIENT_FOR", XCB_ATOM_WINDOW);
    return owner.isEmpty() ? 0 : owner.first();
}

unsigned DesktopSession::activeWindow() const
{
    const QList<quint32> active = property32(root(), "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    return active.isEmpty() ? 0 : active.first();
}

bool DesktopSession::activate(unsigned window) const
{
    return xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                    QString::number(window)}) &&
           waitForFocus(window);
}

QRect DesktopSession::geometry(unsigned window) const
{
    auto size = owned(
        xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
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
    for (unsigned state : property32(window, "_NET_WM_STATE", XCB_ATOM_ATOM)) {
        auto name = owned(
            xcb_get_atom_name_reply(m_connection, xcb_get_atom_name(m_connection, state), nullptr));
        if (name)
            names.append(QString::fromLatin1(xcb_get_atom_name_name(name.get()),
                                             xcb_get_atom_name_name_length(name.get())));
    }
    return names;
}

qint64 DesktopSession::opacityProperty(unsigned window) const
{
    const QList<quint32> opacity = property32(window, "_NET_WM_WINDOW_OPACITY", XCB_ATOM_CARDINAL);
    return opacity.size() == 1 ? qint64(opacity.first()) : -1;
}

QImage DesktopSession::screenshot(QRect area) const
{
    const QRect clipped = area.intersected(screen());
    auto reply = owned(xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root(), int16_t(clipped.x()),
                      int16_t(clipped.y()), uint16_t(clipped.width()), uint16_t(clipped.height()),
                      ~0u),
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
    return popupMenu().isValid();
}

QRect DesktopSession::popupMenu() const
{
    // Qt's popup menus are override-redirect windows of the program, which
    // the window manager does not manage.
    auto tree =
        owned(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, root()), nullptr));
    if (!tree)
        return {};
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        auto attributes = owned(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, children[i]), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE ||
            !attributes->override_redirect)
            continue;
        if (property8(children[i], XCB_ATOM_WM_CLASS, XCB_ATOM_STRING).startsWith("ruler"))
            return geometry(children[i]);
    }
    return {};
}

bool DesktopSession::openMenu(QPoint at) const
{
    return xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                    QStringLiteral("click"), QStringLiteral("3")}) &&
           waitFor([&] { return popupMenuShown(); }, 5000);
}

QStringList DesktopSession::keysUnderWine(const QStringList &keys)
{
    // Where items share an access key, Windows only selects the next of them
    // until Return, but Wine runs the first at once: under Wine the item is
    // reached with the arrow keys instead, counted in the core's menu.
    const QString letter = keys.value(0);
    if (letter.size() != 1 || keys.last() != QStringLiteral("Return") ||
        keys.count(letter) != keys.size() - 1)
        return keys;
    qsizetype wanted = keys.size() - 1;
    qsizetype downs = 0;
    for (const MenuEntry &entry : commandMenu()) {
        if (entry.isSeparator())
            continue;
        ++downs;
        const std::size_t mark = entry.caption.find('&');
        if (mark != std::string_view::npos && mark + 1 < entry.caption.size() &&
            QChar::fromLatin1(entry.caption[mark + 1]).toUpper() == letter.front().toUpper() &&
            --wanted == 0)
            return QStringList(downs, QStringLiteral("Down")) << QStringLiteral("Return");
    }
    return keys;
}

bool DesktopSession::chooseFromMenu(QPoint at, const QStringList &keys) const
{
    return openMenu(at) && pressKeys(windowsProgram() ? keysUnderWine(keys) : keys) &&
           waitFor([&] { return !popupMenuShown(); }, 5000);
}

unsigned DesktopSession::openDialog(QPoint at, const QStringList &menuKeys, const QString &title,
                                    const QList<unsigned> &except) const
{
    if (!chooseFromMenu(at, menuKeys))
        return 0;
    const unsigned dialog = waitForWindow(title, except);
    return dialog && waitForFocus(dialog) ? dialog : 0;
}

bool DesktopSession::waitForFocus(unsigned window) const
{
    return waitFor([&] { return activeWindow() == window; }, 5000);
}

bool DesktopSession::closeDialog(unsigned window, const QStringList &keys) const
{
    return pressKeys(keys) && waitFor([&] { return !isViewable(window); }, 5000);
}

bool DesktopSession::pressKeys(const QStringList &keys) const
{
    QStringList pressed{QStringLiteral("key")};
    for (const QString &key : keys) {
        // Wine's text boxes select nothing on Ctrl+A; End and Shift+Home
        // select the line on both systems.
        if (key == QStringLiteral("ctrl+a") && windowsProgram())
            pressed << QStringLiteral("End") << QStringLiteral("shift+Home");
        else
            pressed << key;
    }
    return xdotool(pressed);
}

QString DesktopSession::colorPickerTitle()
{
    // The system's picker: Qt's in Chinese, Wine's in the English that it
    // shows without a Chinese locale.
    return windowsProgram() ? QStringLiteral("Color") : QStringLiteral("颜色");
}

bool DesktopSession::pickColor(unsigned picker, QRgb color) const
{
    if (!windowsProgram())
        return pressKeys({QStringLiteral("alt+h"), QStringLiteral("ctrl+a")}) &&
               typeText(QColor(color).name()) && closeDialog(picker, {QStringLiteral("Return")});
    // Wine's picker takes red, green and blue in numbers, in boxes of the
    // part that opens with its custom colours: red has an access key, green
    // and blue follow it. A box reached so has its text selected.
    const bool typed =
        pressKeys({QStringLiteral("alt+d"), QStringLiteral("alt+r")}) &&
        typeText(QString::number(qRed(color))) && pressKeys({QStringLiteral("Tab")}) &&
        typeText(QString::number(qGreen(color))) && pressKeys({QStringLiteral("Tab")}) &&
        typeText(QString::number(qBlue(color)));
    return typed && closeDialog(picker, {QStringLiteral("Return")});
}

bool DesktopSession::typeText(const QString &text) const
{
    return xdotool({QStringLiteral("type"), text});
}

bool DesktopSession::drag(int button, QPoint from, QPoint to) const
{
    const auto number = [](int value) {
        return QString::number(value);
    };
    // A left press hands the window to the window manager, which moves or
    // resizes it by how far the pointer goes from where it was when the
    // program asked: the hand moves on only once that request is out. The
    // program follows other buttons itself, from the press.
    const bool handedOver = button == 1;
    if (handedOver)
        watchRootRequests(true);
    bool pressed = xdotool({QStringLiteral("mousemove"), number(from.x()), number(from.y()),
                            QStringLiteral("mousedown"), number(button)});
    if (handedOver) {
        // Wine hands the window manager moves, but keeps to itself the
        // resizing of a window without a sizing frame, where it loses no
        // motion: a request that has not come within a second is not coming.
        pressed = pressed &&
                  (waitFor([&] { return moveResizeRequested(); }, windowsProgram() ? 1000 : 5000) ||
                   windowsProgram());
        watchRootRequests(false);
    }
    QStringList arguments;
    for (int step = 1; step <= 10; ++step) {
        const QPoint at = from + (to - from) * step / 10;
        arguments << QStringLiteral("sleep") << QStringLiteral("0.02")
                  << QStringLiteral("mousemove") << number(at.x()) << number(at.y());
    }
    arguments << QStringLiteral("sleep") << QStringLiteral("0.05") << QStringLiteral("mouseup")
              << number(button);
    const bool released = xdotool(arguments);
    // Until the window manager has seen the release it keeps the pointer,
    // and the next press would go to it instead of to the program.
    return released && waitFor([&] { return pointerFree(); }, 5000) && pressed;
}

bool DesktopSession::pointerFree() const
{
    // A grab of our own succeeds only while no one else holds the pointer;
    // it is let go at once.
    auto reply = owned(xcb_grab_pointer_reply(
        m_connection,
        xcb_grab_pointer(m_connection, 0, root(), 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                         XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
        nullptr));
    if (!reply || reply->status != XCB_GRAB_STATUS_SUCCESS)
        return false;
    xcb_ungrab_pointer(m_connection, XCB_CURRENT_TIME);
    xcb_flush(m_connection);
    return true;
}

void DesktopSession::watchRootRequests(bool watch) const
{
    // Requests to the window manager are client messages to the root window
    // for everyone who listens to its substructure.
    const uint32_t mask = watch ? XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY : 0;
    xcb_change_window_attributes(m_connection, root(), XCB_CW_EVENT_MASK, &mask);
    // A round trip: the server has taken the change before anything is pressed.
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    if (watch) {
        while (auto event = owned(xcb_poll_for_event(m_connection)))
            ; // what came before is not the answer to this press
    }
}

bool DesktopSession::moveResizeRequested() const
{
    const unsigned moveResize = atom("_NET_WM_MOVERESIZE");
    bool requested = false;
    while (auto event = owned(xcb_poll_for_event(m_connection))) {
        if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE &&
            reinterpret_cast<const xcb_client_message_event_t *>(event.get())->type == moveResize)
            requested = true;
    }
    return requested;
}

void DesktopSession::endUserSession()
{
    if (windowsProgram())
        runWineTool(QStringLiteral("wineboot"),
                    {QStringLiteral("--end-session"), QStringLiteral("--force")});
    else if (m_ruler && m_ruler->processId() > 0)
        ::kill(pid_t(m_ruler->processId()), SIGTERM);
}

void DesktopSession::requestClose(unsigned window) const
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_CLOSE_WINDOW");
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = 2; // as a pager or taskbar would ask
    xcb_send_event(m_connection, 0, root(),
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

void DesktopSession::setDesktopColor(QRgb color) const
{
    // On a 24-bit TrueColor screen a pixel value is the colour itself.
    const uint32_t pixel = color & 0xFFFFFF;
    xcb_change_window_attributes(m_connection, root(), XCB_CW_BACK_PIXEL, &pixel);
    xcb_clear_area(m_connection, 0, root(), 0, 0, 0, 0);
    xcb_flush(m_connection);
}
