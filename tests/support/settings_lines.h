#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Comparing a settings file before and after the ruler wrote to it, line by
// line, with a reading of the INI text of the test's own: section and key
// names match without regard to ASCII letter case and to the blanks around
// them, and the first line of a key in any section General is the one the
// ruler writes.
namespace SettingsLines {

// The first line, other than those the ruler may have written, that is not
// as it was, line end included; empty when there is none. The ruler may
// write the first line of each of writtenKeys in section General, and a
// header for General where the file had none. A line end may follow a last
// line that had none, and every line end is one that the file used before
// ("\n" for a file without any).
QString firstChangedLine(const QByteArray &before, const QByteArray &after,
                         const QStringList &writtenKeys);

} // namespace SettingsLines
