#include "startup.h"

#include "app/settings_path.h"
#include "platform/posix/posix_file_system.h"
#include "ruler/ruler_window.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QtGlobal>

namespace Startup {

void choosePlatform()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsSet("DISPLAY"))
        return;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
        qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void installQtTranslation(QCoreApplication &application)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

std::unique_ptr<Form1> showRuler()
{
    // The ruler's settings reach the disk through it for the whole run.
    static const PosixFileSystem files;
    auto ruler = std::make_unique<Form1>(RulerSettings(files, settingsFilePath()));
    ruler->show();
    return ruler;
}

} // namespace Startup
