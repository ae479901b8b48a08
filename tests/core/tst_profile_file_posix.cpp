// How the settings' files behave on a POSIX system: identities, links,
// modes, pipes and the error stream, through the system's own calls.
#include "core/settings/ruler_settings.h"
#include "temporary_settings_file.h"

#include <doctest/doctest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ino_t inodeOf(const std::string &path)
{
    struct stat info
    {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

std::string contentsOf(std::istream &&stream)
{
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

} // namespace

TEST_CASE("writeReplacesTheFileAsAWhole")
{
    // A reader that opened the file before a write that changes its size
    // keeps seeing the whole old file: the new text goes to a new file that
    // then takes the name, so no moment exists at which the file is
    // truncated or half written.
    TemporarySettingsFile file;
    file.setText("[General]\nA=1\nB=2\n");
    std::ifstream before(file.path(), std::ios::binary);
    REQUIRE(before.is_open());
    const ino_t oldInode = inodeOf(file.path());

    CHECK(file.write("A", "33"));
    CHECK(contentsOf(std::move(before)) == "[General]\nA=1\nB=2\n");
    CHECK(inodeOf(file.path()) != oldInode);
    CHECK(file.text() == "[General]\nA=33\nB=2\n");
}

TEST_CASE("sameSizeWriteGoesOverTheFile")
{
    // A value that keeps its length, as a size or a position dragged with
    // the mouse mostly does, is written over the file's own bytes: the same
    // file, seen through every link to it. Beyond a page the kernel may
    // write it in pieces, so the file is replaced as a whole.
    const struct
    {
        std::string_view name;
        std::string padding;
        bool inPlace;
    } rows[] = {
        {"usual file", "", true},
        {"larger than a page", std::string(4096, ';'), false},
    };
    for (const auto &row : rows) {
        CAPTURE(row.name);
        TemporarySettingsFile file;
        const std::string before = row.padding + "\n[General]\nA=1\nB=2\n";
        file.setText(before);
        const std::string otherName = file.path() + ".link";
        REQUIRE(::link(file.path().c_str(), otherName.c_str()) == 0);
        const ino_t oldInode = inodeOf(file.path());

        CHECK(file.write("A", "3"));
        const std::string after = row.padding + "\n[General]\nA=3\nB=2\n";
        CHECK(file.text() == after);
        CHECK((inodeOf(file.path()) == oldInode) == row.inPlace);
        CHECK(contentsOf(std::ifstream(otherName, std::ios::binary)) ==
              (row.inPlace ? after : before));
    }
}

TEST_CASE("replacementKeepsPermissionsAndFollowsLinks")
{
    namespace fs = std::filesystem;
    TemporarySettingsFile file;
    file.setText("[General]\nA=1\n");
    REQUIRE(::chmod(file.path().c_str(), 0640) == 0);
    CHECK(file.write("A", "22"));
    CHECK((fs::status(file.path()).permissions() & fs::perms::all) == fs::perms(0640));

    // A ruler.ini that links elsewhere: the file linked to is written, the link stays.
    const std::string linked = file.path() + ".real";
    fs::rename(file.path(), linked);
    fs::create_symlink(linked, file.path());
    CHECK(file.write("A", "333"));
    CHECK(fs::is_symlink(file.path()));
    CHECK(contentsOf(std::ifstream(linked, std::ios::binary)) == "[General]\nA=333\n");
    // Nothing is left beside it.
    const fs::directory_iterator folder(fs::path(file.path()).parent_path());
    CHECK(std::distance(fs::begin(folder), fs::end(folder)) == 2);
}

TEST_CASE("unchangedWriteLeavesTheFileAlone")
{
    // Read-only, and last changed long ago: a write of the value the file
    // already holds reports success without touching it. Any write at all
    // would fail on the mode or, as root, which ignores the mode, give the
    // file a new modification time, even with the same bytes.
    TemporarySettingsFile file;
    const std::string original = "[General]\nA=1\n";
    file.setText(original);
    const char *path = file.path().c_str();
    const timespec longAgo[2] = {{1000000000, 0}, {1000000000, 0}};
    REQUIRE(::utimensat(AT_FDCWD, path, longAgo, 0) == 0);
    REQUIRE(::chmod(path, 0444) == 0);
    const ino_t inode = inodeOf(file.path());

    const bool written = file.write("A", "1");
    struct stat after
    {};
    CHECK(::stat(path, &after) == 0);
    CHECK(::chmod(path, 0600) == 0);

    CHECK(written);
    CHECK(file.text() == original);
    CHECK(after.st_ino == inode);
    CHECK(after.st_mtim.tv_sec == longAgo[1].tv_sec);
    CHECK(after.st_mtim.tv_nsec == 0);
}

TEST_CASE("namedPipeReadsEmptyAndIsReplaced")
{
    // Nothing ever writes into this pipe: a read that waited for a writer
    // would hold the ruler up for good.
    TemporarySettingsFile file;
    REQUIRE(::mkfifo(file.path().c_str(), 0600) == 0);
    CHECK(file.read("A") == "");
    CHECK(file.write("A", "1"));
    CHECK(std::filesystem::is_regular_file(file.path()));
    CHECK(file.text() == "[General]\nA=1\n");
}

TEST_CASE("firstFailedWriteIsToldOnce")
{
    TemporarySettingsFile file;
    const RulerSettings settings(file.files(), file.path() + ".d/ruler.ini");
    std::FILE *told = std::tmpfile();
    REQUIRE(told != nullptr);
    std::fflush(stderr);
    const int standardError = ::dup(STDERR_FILENO);
    REQUIRE(::dup2(::fileno(told), STDERR_FILENO) == STDERR_FILENO);
    settings.write(SettingsKey::Width, "9780");
    settings.write(SettingsKey::Height, "1800");
    std::fflush(stderr);
    ::dup2(standardError, STDERR_FILENO);
    ::close(standardError);

    std::rewind(told);
    std::string text;
    for (int c = std::fgetc(told); c != EOF; c = std::fgetc(told))
        text += char(c);
    std::fclose(told);
    CAPTURE(text);
    CHECK(std::regex_match(text, std::regex("ruler: cannot write .*\\.d/ruler\\.ini: No such "
                                            "file or directory [^\\n]*\\n")));
}
