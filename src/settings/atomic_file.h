#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's contents as a whole: the new text goes to a file of its
// own beside it, which then takes the name in one rename. A process that dies
// at any moment leaves either the old file or the new one, never a truncated
// or half-written one. A symbolic link is followed, and the file keeps its
// permissions.
//
// There is no fsync: the file is rewritten on every step of an interactive
// resize, and a sync costs half a millisecond there. Where the folder forbids
// new files but the file itself may be written, it is written in place.
bool replaceFileContents(const QString &path, const QByteArray &contents);
