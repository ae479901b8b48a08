#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's contents as a whole: the new text goes to a file of its
// own beside it, which then takes the name in one rename. A process that dies
// at any moment leaves either the old file or the new one, never a truncated
// or half-written one. A symbolic link is followed, and the file keeps its
// permissions.
//
// The file is rewritten on every step of an interactive resize, so nothing
// here waits for the disk. A plain rename over an existing file makes ext4
// write the new data out first, which costs milliseconds on slow disks; an
// exchange of the two names (Linux's RENAME_EXCHANGE) is as atomic and leaves
// the writing to the kernel's usual writeback. Where the folder forbids new
// files but the file itself may be written, it is written in place; a file
// that may not be written is left alone.
bool replaceFileContents(const QString &path, const QByteArray &contents);
