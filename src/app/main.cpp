#include "app/startup.h"
#include "ruler/ruler_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Startup::choosePlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruler"));
    Startup::installQtTranslation(app);
    const std::unique_ptr<Form1> ruler = Startup::showRuler();
    return QApplication::exec();
}
