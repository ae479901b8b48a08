// How the settings' files behave on Windows: the text in a code page, and a
// file that another program holds open or the user has barred.
#include "core/settings/profile_file.h"
#include "platform/win32/win32_file_system.h"
#include "temporary_settings_file.h"

#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <doctest/doctest.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The file's identity, which a replacement changes and a write over its
// bytes keeps.
std::uint64_t fileIndexOf(const std::string &path)
{
    const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return known ? (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow : 0;
}

} // namespace

TEST_CASE("valuesAreStoredInTheCodePage")
{
    // A value typed in Chinese is stored in GBK, as a Chinese Windows keeps
    // INI files, and reads back as typed. Only the written line is
    // converted: one with bytes that GBK has no character for (UTF-8 text
    // and a stray 0xFF) stays as it was.
    TemporarySettingsFile file;
    const Win32FileSystem chinese(936);
    const std::string foreign = "Note=\xE6\xAF\xAB\xE7\xB1\xB3\xFF\r\n";
    file.setText("[General]\r\n" + foreign);

    CHECK(WriteIniValue(chinese, file.path(), "General", "BackColor", "红色"));
    CHECK(file.text() == "[General]\r\n" + foreign + "BackColor=\xBA\xEC\xC9\xAB\r\n");
    CHECK(ReadIniValue(chinese, file.path(), "General", "BackColor") == "红色");

    // Four bytes stored, as before, though six in UTF-8: the write goes
    // over the file's own bytes.
    const std::uint64_t index = fileIndexOf(file.path());
    CHECK(WriteIniValue(chinese, file.path(), "General", "BackColor", "#F00"));
    CHECK(file.text() == "[General]\r\n" + foreign + "BackColor=#F00\r\n");
    CHECK(fileIndexOf(file.path()) == index);
}

TEST_CASE("writeWhereTheFileIsHeldOrBarred")
{
    TemporarySettingsFile file;
    file.setText("[General]\r\nA=1\r\n");
    const std::filesystem::path path(file.path());

    SUBCASE("held open by a reader")
    {
        // The C library's reader does not let the file be renamed over, and
        // keeps it open for as long as it likes: the new text goes in place.
        std::ifstream reader(path, std::ios::binary);
        REQUIRE(reader.is_open());
        CHECK(file.write("A", "22"));
        CHECK(file.text() == "[General]\r\nA=22\r\n");
    }
    SUBCASE("read-only")
    {
        REQUIRE(SetFileAttributesA(file.path().c_str(), FILE_ATTRIBUTE_READONLY));
        errno = 0;
        CHECK(!file.write("A", "22"));
        CHECK(errno == EACCES);
        REQUIRE(SetFileAttributesA(file.path().c_str(), FILE_ATTRIBUTE_NORMAL));
        CHECK(file.text() == "[General]\r\nA=1\r\n");
    }
    SUBCASE("a folder in its place")
    {
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
        errno = 0;
        CHECK(!file.write("A", "22"));
        CHECK(errno == EISDIR);
        CHECK(std::filesystem::is_directory(path));
    }
    SUBCASE("its folder missing")
    {
        const std::string inside = file.path() + ".d\\ruler.ini";
        errno = 0;
        CHECK(!WriteIniValue(file.files(), inside, "General", "A", "22"));
        CHECK(errno == ENOENT);
    }
}
