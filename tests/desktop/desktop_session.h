#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

struct xcb_connection_t;

// A desktop of the test's own: an Xvfb server on a free display number with
// openbox as its window manager, and the ruler program installed into a
// folder of its own, so that its ruler.ini lies beside it. Everything started
// here is stopped by its PID when the session ends.
class DesktopSession
{
public:
    DesktopSession();
    ~DesktopSession();

    bool isReady() const { return m_connection != nullptr; }
    QString display() const { return m_display; }
    QRect screen() const { return QRect(0, 0, 1280, 800); }

    // The program's settings file, beside it.
    QString settingsPath() const;
    void writeSettings(const QByteArray &text) const;
    QByteArray settingsText() const;
    QString stored(const QString &key) const;

    // Starts the ruler and waits until its window is mapped; 0 if it is not.
    unsigned startRuler();
    bool rulerRunning() const;
    // Waits for the program to end by itself (after a close), up to timeout.
    bool waitForRulerExit(int milliseconds = 5000);

    // X11 views of a window.
    QRect geometry(unsigned window) const; // in root coordinates
    QStringList netWmState(unsigned window) const;
    qint64 opacityProperty(unsigned window) const; // -1 when the property is absent
    QImage screenshot(QRect area) const;
    // Top-level windows whose _NET_WM_NAME is title.
    QList<unsigned> windowsNamed(const QString &title) const;

    // Whether a popup menu is on screen.
    bool popupMenuShown() const;

    // Asks the window manager to close the window as its close button would.
    void requestClose(unsigned window) const;

    // Runs xdotool with the given arguments on this display; true on success.
    bool xdotool(const QStringList &arguments) const;

private:
    QProcess *startProcess(const QString &program, const QStringList &arguments);
    void stop(QProcess *process);
    unsigned atom(const char *name) const;

    QTemporaryDir m_folder;
    QString m_display;
    xcb_connection_t *m_connection = nullptr;
    QProcess *m_server = nullptr;
    QProcess *m_windowManager = nullptr;
    QProcess *m_ruler = nullptr;
};
