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
    const std::unique_ptr<Form1> ruler = Startup::showRuler();
    // Ended from outside, the ruler closes as it does when the user quits, so
    // its position is stored; an open dialog's loop ends with the program's.
    const TerminationSignals termination([&ruler] {
        ruler->close();
        QApplication::exit();
    });
    return QApplication::exec();
}
