#include "atomic_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <unistd.h>
#endif

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

// Gives the replacement the target's name in one step. The old file, which
// an exchange leaves under the replacement's name, is removed.
bool takeName(const QString &replacement, const QString &target, bool targetExists)
{
    const QByteArray from = QFile::encodeName(replacement);
    const QByteArray to = QFile::encodeName(target);
#ifdef RENAME_EXCHANGE
    if (targetExists &&
        ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0) {
        ::unlink(from.constData());
        return true;
    }
#else
    Q_UNUSED(targetExists);
#endif
    std::error_code error;
    std::filesystem::rename(from.constData(), to.constData(), error);
    return !error;
}

} // namespace

bool replaceFileContents(const QString &path, const QByteArray &contents)
{
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const bool existed = QFileInfo::exists(target);
    // A file that we may not write stays as it is: a new file taking its name
    // would get round the read-only mark a user gave it.
    if (existed && !QFileInfo(target).isWritable())
        return false;

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

    if (!takeName(replacement.fileName(), target, existed)) {
        replacement.remove();
        return false;
    }
    return true;
}
