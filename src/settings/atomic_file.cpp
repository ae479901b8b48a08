#include "atomic_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

bool writeAll(QFile &file, const QByteArray &contents)
{
    return file.write(contents) == contents.size() && file.flush();
}

bool writeInPlace(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && writeAll(file, contents);
}

} // namespace

bool replaceFileContents(const QString &path, const QByteArray &contents)
{
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const bool existed = QFileInfo::exists(target);

    // One name per process: two rulers never write each other's new file.
    QFile replacement(QStringLiteral("%1.%2.new").arg(target).arg(QCoreApplication::applicationPid()));
    if (!replacement.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return existed && writeInPlace(target, contents);
    if (!writeAll(replacement, contents)) {
        replacement.remove();
        return false;
    }
    replacement.close();
    if (existed)
        QFile::setPermissions(replacement.fileName(), QFile::permissions(target));

    std::error_code error;
    std::filesystem::rename(QFile::encodeName(replacement.fileName()).constData(),
                            QFile::encodeName(target).constData(), error);
    if (error) {
        replacement.remove();
        return false;
    }
    return true;
}
