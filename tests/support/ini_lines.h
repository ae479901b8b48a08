#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// The tests' own reading of INI text, written apart from the program's so
// that a fault in one is not repeated in the other: what a write left in a
// file is checked line by line with it.
namespace IniLines {

inline const QByteArray byteOrderMark("\xEF\xBB\xBF");

struct Line
{
    QByteArray content;
    QByteArray end; // "\r\n", "\n", "\r", or nothing for a last line without one
    bool operator==(const Line &) const = default;
};

// The lines of text, each with the line end that closes it.
QList<Line> split(const QByteArray &text);

// The text without the spaces and tabs around it.
QByteArray withoutBlanksAround(const QByteArray &text);

// Section and key names match without regard to ASCII letter case.
bool sameName(const QByteArray &a, const QByteArray &b);

// The section a header line names, up to its "]", or nothing for a line
// that is no header.
std::optional<QByteArray> sectionOf(const Line &line);

} // namespace IniLines
