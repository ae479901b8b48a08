#include "app/startup.h"
#include "ruler/ruler_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Startup::choosePlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruler"));
    QApplication::setApplicationVersion(QStringLiteral(RULER_VERSION_TEXT));
    const std::unique_ptr<Form1> ruler = Startup::showRuler();
    return QApplication::exec();
}
