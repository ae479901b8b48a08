#pragma once

// What every fuzz target uses, in standard C++ alone, so that a target of
// the core builds without Qt.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace Fuzz {

// A property that does not hold is a finding: the target says which and
// aborts, and libFuzzer keeps the input that did it.
[[noreturn]] inline void fail(const char *property, const std::string &detail = std::string())
{
    std::fprintf(stderr, "property does not hold: %s\n", property);
    if (!detail.empty())
        std::fprintf(stderr, "  %s\n", detail.c_str());
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
