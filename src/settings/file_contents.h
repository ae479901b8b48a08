#pragma once

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <optional>

// A settings file's bytes, read and replaced with as few system calls as the
// job takes: both run on every step of an interactive resize.

// The whole file, or nothing when it cannot be read or holds more than
// limit bytes (errno then tells why: ENOENT when it does not exist). A
// device or a pipe posing as the file is cut off at the limit.
std::optional<QByteArray> readFileContents(const QString &path, qsizetype limit);

// Writes contents over the file's own bytes when they are exactly as many as
// it holds and no more than a page, and says whether it did. The kernel
// copies a page into the file in one piece, so a process that dies at any
// moment leaves the old bytes or the new ones; with no new file nor change of
// size, the disk never holds an empty file in between either. The file keeps
// its inode, links and permissions. A reader at that very instant may see
// some of each; the lock around a write orders writers only. Anything else
// (another size, not a regular file, not writable) is left untouched for
// replaceFileContents().
bool overwriteFileContents(const QString &path, const QByteArray &contents);

// Replaces a file's contents as a whole: the new text goes to a file of its
// own beside it, which then takes the name in one step. A process that dies
// at any moment leaves either the old file or the new one, never a truncated
// or half-written one. A symbolic link is followed, and the file keeps its
// permissions; a file that may not be written is left alone, and where the
// folder forbids new files but the file itself may be written, it is written
// in place.
//
// A power cut is survived too: the new file's data reaches the disk before
// it takes the name, and the folder after, so that the name stays on the new
// file. The names are exchanged (Linux's RENAME_EXCHANGE) where the file
// exists, which is as atomic as a rename over it. Those waits are skipped
// only for a file this process made from nothing a moment before, which
// holds nothing of an earlier run to lose: a first start writes several keys
// in a row.
bool replaceFileContents(const QString &path, const QByteArray &contents);
