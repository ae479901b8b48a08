// Writes settings as a ruler does, for the tests that kill it, run it as
// another user, or run two of it on one file.
//
//   settings_writer loop FILE KEY...
//       Writes each key in turn, round after round, until it is killed.
//       Says "writing" once the first round is in the file.
//   settings_writer rounds FILE COUNT KEY...
//       Writes each key in turn for COUNT rounds. After every write that
//       succeeded it reads its keys back and counts those that no longer
//       hold what it last wrote there: another writer that replaced the file
//       from an older reading would have lost them. Ends by saying
//       "written W refused R lost L".
//
// In round N every value is "N-N", so that a value cut short shows.
#include "core/settings/profile_file.h"
#include "platform/posix/posix_file_system.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view section = "General";
const PosixFileSystem files;

std::string valueOfRound(long long round)
{
    return std::to_string(round) + '-' + std::to_string(round);
}

int usage()
{
    std::fputs("usage: settings_writer loop FILE KEY... | rounds FILE COUNT KEY...\n", stderr);
    return 2;
}

[[noreturn]] void loop(const std::string &file, const std::vector<std::string_view> &keys)
{
    for (long long round = 0;; ++round) {
        for (const std::string_view key : keys)
            WriteIniValue(files, file, section, key, valueOfRound(round));
        if (round == 0) {
            std::puts("writing");
            std::fflush(stdout);
        }
    }
}

void rounds(const std::string &file, long long count, const std::vector<std::string_view> &keys)
{
    std::map<std::string_view, std::string> lastWritten;
    long long written = 0;
    long long refused = 0;
    long long lost = 0;
    for (long long round = 0; round < count; ++round) {
        for (const std::string_view key : keys) {
            if (!WriteIniValue(files, file, section, key, valueOfRound(round))) {
                ++refused;
                continue;
            }
            ++written;
            lastWritten.insert_or_assign(key, valueOfRound(round));
            const IniFileText stored(files, file);
            for (const std::string_view other : keys) {
                const auto expected = lastWritten.find(other);
                if (expected != lastWritten.end() &&
                    stored.value(section, other) != expected->second)
                    ++lost;
            }
        }
    }
    std::printf("written %lld refused %lld lost %lld\n", written, refused, lost);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (arguments.size() >= 3 && arguments[0] == "loop")
        loop(std::string(arguments[1]), {arguments.begin() + 2, arguments.end()});
    char *end = nullptr;
    const long long count = arguments.size() >= 4 ? std::strtoll(argv[3], &end, 10) : 0;
    const bool isNumber = end != nullptr && end != argv[3] && *end == '\0';
    if (arguments.size() < 4 || arguments[0] != "rounds" || !isNumber)
        return usage();
    rounds(std::string(arguments[1]), count, {arguments.begin() + 3, arguments.end()});
    return EXIT_SUCCESS;
}
