#include "settings_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr auto fileName = "ruler.ini";

// An installed copy serves every user of the machine, even where one of them
// (root) may write its folder. It knows itself by its desktop entry, which
// the install puts into the data folder beside the program's bin folder; a
// copy in a build tree or in a folder of its own has none there.
bool isInstalled(const QString &programFolder)
{
    return QFileInfo::exists(
        QDir(programFolder).filePath(QStringLiteral(RULER_DESKTOP_ENTRY_FROM_PROGRAM)));
}

} // namespace

QString settingsFilePath()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString besideProgram = QDir(programFolder).filePath(QLatin1String(fileName));
    if (!isInstalled(programFolder) &&
        (QFileInfo::exists(besideProgram) || QFileInfo(programFolder).isWritable()))
        return besideProgram;

    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(userFolder);
    return QDir(userFolder).filePath(QLatin1String(fileName));
}
