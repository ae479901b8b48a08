#pragma once

#include <utility>
#include <windows.h>

// A handle from CreateFileW, closed with the object; empty where the call
// failed.
class FileHandle
{
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE handle)
        : m_handle(handle)
    {}
    ~FileHandle()
    {
        if (*this)
            CloseHandle(m_handle);
    }

    FileHandle(FileHandle &&other) noexcept
        : m_handle(std::exchange(other.m_handle, INVALID_HANDLE_VALUE))
    {}
    FileHandle &operator=(FileHandle &&other) noexcept
    {
        std::swap(m_handle, other.m_handle);
        return *this;
    }

    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
