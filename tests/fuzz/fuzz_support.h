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

// The same with what the input was, worked out only when the property fails.
template<typename Detail>
void require(bool holds, const char *property, const Detail &detail)
{
    if (!holds)
        fail(property, detail());
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
