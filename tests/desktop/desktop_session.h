#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

struct xcb_connection_t;

// A desktop of the test's own: an Xvfb server on a free display number with
// openbox as its window manager, and the ruler program installed into a
// folder of its own, so that its ruler.ini lies beside it.
//
// The program is the Linux one built beside the tests, or the one that
// RULER_TEST_PROGRAM names. A Windows program (ruler.exe) runs under Wine in
// the prefix that WINEPREFIX names; its Wine server is stopped with the session.
//
// Nothing starts before start(): a test program asked only to list its tests
// must not leave a desktop behind. Everything started is stopped by its PID
// on every way out of the program: by end() or the destructor, by an exit()
// that skips the destructor, and, where the program dies of a signal, by the
// kernel, which sends each of them SIGTERM when the program is gone.
class DesktopSession
{
public:
    DesktopSession() = default;
    ~DesktopSession();
    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

    // The program under test, as built.
    static QString program();
    static bool programBuilt();
    // Whether it is a Windows program, run under Wine.
    static bool windowsProgram();

    // Starts the X server and the window manager and installs the program;
    // whether the desktop is ready.
    bool start();
    // Stops everything the session started and removes its folder. Any
    // number of times; the session can start again.
    void end();

    // The ruler's title, which its calibration box carries too.
    static inline const QString rulerTitle = QStringLiteral("Ostrel屏幕刻度尺");

    bool isReady() const { return m_connection != nullptr; }
    QString display() const { return m_display; }
    QRect screen() const { return QRect(0, 0, 1280, 800); }

    // The program's settings file, beside it.
    QString settingsPath() const;
    // The program as installed into the session's folder, beside its ruler.ini.
    QString programPath() const;
    void writeSettings(const QByteArray &text) const;
    // Lines ended by newlines as the program writes them into a new file:
    // ended by carriage return and newline on Windows.
    static QByteArray newFileText(QByteArray lines);
    QByteArray settingsText() const;
    QString stored(const QString &key) const;

    // Starts the ruler and waits until its window is mapped; 0 if it is not.
    unsigned startRuler();
    // The same on a ruler.ini of section General with these lines.
    unsigned startRuler(const QByteArray &generalLines);
    bool rulerRunning() const;
    // Waits for the program to end by itself (after a close), up to timeout.
    bool waitForRulerExit(int milliseconds = 5000);
    // The program's exit code once it has ended by itself; -1 while it runs
    // or when it crashed.
    int rulerExitCode() const;

    // X11 views of a window.
    QRect geometry(unsigned window) const; // in root coordinates
    QStringList netWmState(unsigned window) const;
    qint64 opacityProperty(unsigned window) const; // -1 when the property is absent
    QImage screenshot(QRect area) const;
    // Top-level windows whose _NET_WM_NAME is title.
    QList<unsigned> windowsNamed(const QString &title) const;
    // Waits until a window titled title is on screen, one not in except (a
    // dialog may carry the ruler's title); 0 if none comes.
    unsigned waitForWindow(const QString &title, const QList<unsigned> &except = {}) const;
    bool isViewable(unsigned window) const;
    // The window with its title bar and border, as the window manager frames it.
    QRect frameGeometry(unsigned window) const;
    // The window that a dialog belongs to (WM_TRANSIENT_FOR); 0 when none.
    unsigned transientFor(unsigned window) const;
    // Whether a dialog keeps the input from the window it belongs to.
    bool isModal(unsigned dialog) const;
    // The window that has the keyboard focus, as the window manager tells.
    unsigned activeWindow() const;
    // Gives the window the focus and waits until the window manager has done so.
    bool activate(unsigned window) const;

    // Whether a popup menu is on screen.
    bool popupMenuShown() const;
    // Where the program's popup menu is on screen; null when none is shown.
    QRect popupMenu() const;
    // Right-clicks at a point of the screen and waits for the popup menu.
    bool openMenu(QPoint at) const;
    // Opens the popup menu at a point, presses the keys there (access keys,
    // arrows, Return) and waits until the menu has closed. A letter pressed
    // n times and Return chooses the n-th item with that access key.
    bool chooseFromMenu(QPoint at, const QStringList &keys) const;
    // Chooses from the menu and waits until a window titled title, one not
    // in except, is on screen with the focus; 0 if none comes.
    unsigned openDialog(QPoint at, const QStringList &menuKeys, const QString &title,
                        const QList<unsigned> &except = {}) const;
    // Waits until the window has the focus.
    bool waitForFocus(unsigned window) const;
    // The title of the system's colour picker.
    static QString colorPickerTitle();
    // Picks a colour in the system's colour picker, which has the focus, and
    // waits until the picker has closed.
    bool pickColor(unsigned picker, QRgb color) const;
    // Presses keys in a dialog and waits until it has left the screen.
    bool closeDialog(unsigned window, const QStringList &keys) const;
    // Presses keys (xdotool key names such as "Return", "alt+y") and types
    // text into the window that has the focus.
    bool pressKeys(const QStringList &keys) const;
    bool typeText(const QString &text) const;
    // Presses the mouse button at from, moves to to in steps as a hand does,
    // so that the window manager follows, and lets go.
    bool drag(int button, QPoint from, QPoint to) const;

    // Asks the window manager to close the window as its close button would.
    void requestClose(unsigned window) const;
    // Ends the desktop session the program runs in, as logging out does:
    // SIGTERM on Linux, WM_QUERYENDSESSION and WM_ENDSESSION under Wine.
    void endUserSession();

    // Runs xdotool with the given arguments on this display; true on success.
    bool xdotool(const QStringList &arguments) const;

    // Paints the desktop behind the windows in one colour (black until then).
    void setDesktopColor(QRgb color) const;

private:
    enum class Output
    {
        Discard,
        Read,
    };
    QProcess *startProcess(const QString &program, const QStringList &arguments,
                           Output output = Output::Discard);
    void stop(QProcess *process);
    // Runs a Wine tool in the session's prefix and waits for it.
    void runWineTool(const QString &tool, const QStringList &arguments);
    unsigned atom(const char *name) const;
    unsigned root() const;
    bool windowManagerReady() const;
    // The keys that choose the item that keys choose on Windows.
    static QStringList keysUnderWine(const QStringList &keys);
    // Listening for what clients ask of the window manager.
    void watchRootRequests(bool watch) const;
    // Whether a request to move or resize a window came since the last look.
    bool moveResizeRequested() const;
    // Whether no client, the window manager included, holds the pointer.
    bool pointerFree() const;
    // A property of 32-bit items (atoms, windows, cardinals); empty when absent.
    QList<quint32> property32(unsigned window, const char *name, unsigned type) const;
    // A property of bytes (strings); empty when absent.
    QByteArray property8(unsigned window, unsigned name, unsigned type) const;

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_display;
    xcb_connection_t *m_connection = nullptr;
    QProcess *m_server = nullptr;
    QProcess *m_windowManager = nullptr;
    QProcess *m_ruler = nullptr;
};
