#include "settings_path.h"

#include "core/settings/settings_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// An installed copy knows itself by its desktop entry, which the install
// puts into the data folder beside the program's bin folder; a copy in a
// build tree or in a folder of its own has none there.
bool isInstalled(const QString &programFolder)
{
    return QFileInfo::exists(
        QDir(programFolder).filePath(QStringLiteral(RULER_DESKTOP_ENTRY_FROM_PROGRAM)));
}

QString fileIn(const QString &folder)
{
    return QDir(folder).filePath(
        QString::fromLatin1(settingsFileName.data(), qsizetype(settingsFileName.size())));
}

} // namespace

std::string settingsFilePath()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString besideProgram = fileIn(programFolder);
    const ProgramFolder facts{isInstalled(programFolder), QFileInfo::exists(besideProgram),
                              QFileInfo(programFolder).isWritable()};
    if (keepsSettingsBesideProgram(facts))
        return QFile::encodeName(besideProgram).toStdString();

    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(userFolder);
    return QFile::encodeName(fileIn(userFolder)).toStdString();
}
