#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The operations through which every setting is read and written. Nothing is
// cached: each call goes to the file, so the file is always the authority and
// an edit made from outside shows at the next read.

// The key's value with every space and NUL removed, cut to at most 999 bytes
// of its stored text first; empty when the file, the section or the key is
// missing or the file cannot be read.
QString ReadIniValue(const QString &fileName, const QString &section, const QString &key);

// Several keys read as ReadIniValue reads each, from one reading of the file.
QStringList ReadIniValues(const QString &fileName, const QString &section, const QStringList &keys);

// Stores value as the key's text, creating the file and the section where
// they are missing and keeping every other line as it was. The file is
// replaced as a whole, so that an interrupted write never leaves it truncated,
// under a lock on its folder, so that two rulers never lose each other's keys.
// Returns false, and changes nothing, when the file cannot be read or written
// or when the names or the value cannot be stored on one line; errno then
// says why (EINVAL for the names or the value).
bool WriteIniValue(const QString &fileName, const QString &section, const QString &key,
                   const QString &value);
