#include "temporary_settings.h"

#include <QFile>

QString TemporarySettings::path() const
{
    return QFile::decodeName(QByteArray::fromStdString(m_file.path()));
}

QByteArray TemporarySettings::text() const
{
    return QByteArray::fromStdString(m_file.text());
}

void TemporarySettings::setText(const QByteArray &text) const
{
    m_file.setText(std::string_view(text.constData(), std::size_t(text.size())));
}
