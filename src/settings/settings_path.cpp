#include "settings_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
constexpr auto fileName = "ruler.ini";
}

QString settingsFilePath()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString besideProgram = QDir(programFolder).filePath(QLatin1String(fileName));
    if (QFileInfo::exists(besideProgram) || QFileInfo(programFolder).isWritable())
        return besideProgram;

    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(userFolder);
    return QDir(userFolder).filePath(QLatin1String(fileName));
}
