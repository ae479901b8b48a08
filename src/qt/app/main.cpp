#include "app/font_configuration_preload.h"
#include "app/startup.h"
#include "app/termination_signals.h"
#include "ruler/ruler_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Startup::choosePlatform();
    FontConfigurationPreload fontConfiguration;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruler"));
    Startup::installQtTranslation(app);
    // Fontconfig does not wait for a load in progress: were the window's
    // first text drawn before it ended, Qt would parse everything again.
    // Qt's connection to the display usually takes longer than the load.
    fontConfiguration.wait();
    // Ended from outside, the ruler closes as it does when the user quits, so
    // its position is stored; an open dialog's loop ends with the program's.
    // The signals are caught before the window shows: a session may end the
    // program as soon as it sees the window.
    std::unique_ptr<Form1> ruler;
    const TerminationSignals termination([&ruler] {
        // The signal may overtake the window manager's last word on where
        // the window is (a move it has just made): that word comes first.
        QGuiApplication::sync();
        if (ruler)
            ruler->close();
        QApplication::exit();
    });
    ruler = Startup::showRuler();
    return QApplication::exec();
}
