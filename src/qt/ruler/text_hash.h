#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A hash of a short UTF-8 text, such as a number of a few digits: FNV-1a,
// a multiplication per byte, where the standard library's hash of a text
// costs as much as a text of a hundred bytes. Looks texts up without making
// a string of them.
struct TextHash
{
    using is_transparent = void;
    size_t operator()(std::string_view text) const
    {
        std::uint64_t hash = 0xcbf29ce484222325u;
        for (const char byte : text)
            hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3u;
        return size_t(hash);
    }
};
