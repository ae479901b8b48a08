#include "app/font_configuration_preload.h"
#include "app/startup.h"
#include "ruler/ruler_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Startup::choosePlatform();
    FontConfigurationPreload fontConfiguration;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruler"));
    Startup::installQtTranslation(app);
    // Loaded by now, while Qt connected to the display; the window's first
    // text needs it.
    fontConfiguration.wait();
    const std::unique_ptr<Form1> ruler = Startup::showRuler();
    return QApplication::exec();
}
