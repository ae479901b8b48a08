#pragma once

// What the targets that read text through Qt add to fuzz_checks.h.

#include "fuzz_checks.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Fuzz {

// A finding with what the input was, as Qt text.
[[noreturn]] inline void fail(const char *property, const QString &detail)
{
    fail(property, detail.toStdString());
}

// Checks the bytes read as text three ways: UTF-8, Latin-1, and UTF-16 code
// units whatever their alignment.
template<typename Check>
void checkEveryReading(const uint8_t *data, size_t size, const Check &check)
{
    const auto *bytes = reinterpret_cast<const char *>(data);
    check(QString::fromUtf8(bytes, qsizetype(size)));
    check(QString::fromLatin1(bytes, qsizetype(size)));
    QString utf16(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(utf16.data(), data, size / 2 * 2);
    check(utf16);
}

} // namespace Fuzz
