#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Fuzz {

// A property that does not hold is a finding: the target says which and
// aborts, and libFuzzer keeps the input that did it.
[[noreturn]] inline void fail(const char *property, const QString &detail = QString())
{
    std::fprintf(stderr, "property does not hold: %s\n", property);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", detail.toUtf8().constData());
    std::abort();
}

inline void require(bool holds, const char *property)
{
    if (!holds)
        fail(property);
}

// The bytes as UTF-16 code units, whatever their alignment.
inline QString utf16Text(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    return text;
}

} // namespace Fuzz
