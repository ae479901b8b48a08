#include "temporary_settings.h"

#include <QFile>

TemporarySettings::TemporarySettings() = default;

QString TemporarySettings::path() const
{
    return m_folder.filePath(QStringLiteral("ruler.ini"));
}

std::string TemporarySettings::systemPath() const
{
    return QFile::encodeName(path()).toStdString();
}

QByteArray TemporarySettings::text() const
{
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TemporarySettings::setText(const QByteArray &text) const
{
    QFile file(path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        qFatal("cannot write the test's settings file");
}

bool TemporarySettings::exists() const
{
    return QFile::exists(path());
}
