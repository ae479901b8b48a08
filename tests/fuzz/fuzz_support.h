#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// Texts taken one after the other from the front of an input, in the form
// of libFuzzer's FuzzedDataProvider::ConsumeRandomLengthString(): a text
// ends at a backslash followed by any byte but a backslash, or at the end,
// and two backslashes stand for one. Written out here, a few lines, so that
// the seeds replay in a build without clang's headers.
class Texts
{
public:
    Texts(const uint8_t *data, size_t size)
        : m_next(reinterpret_cast<const char *>(data))
        , m_end(m_next + size)
    {
    }

    std::string next()
    {
        std::string text;
        while (m_next != m_end) {
            const char c = *m_next++;
            if (c == '\\' && m_next != m_end && *m_next++ != '\\')
                break;
            text += c;
        }
        return text;
    }

    // Whatever follows the texts taken.
    std::string rest()
    {
        std::string bytes(m_next, m_end);
        m_next = m_end;
        return bytes;
    }

private:
    const char *m_next;
    const char *m_end;
};

} // namespace Fuzz
