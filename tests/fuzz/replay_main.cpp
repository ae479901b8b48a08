// A main() for a fuzz target without libFuzzer: every input named on the
// command line, or every file of a folder named there, goes through
// LLVMFuzzerTestOneInput() once, as libFuzzer's -runs=0 would do. The test
// suite builds one per target with its usual compiler and replays the
// target's seeds, so that a known input that breaks a property fails the
// suite, in the sanitizers' build as well.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsIn(const fs::path &named)
{
    if (!fs::is_directory(named))
        return {named};
    std::vector<fs::path> files;
    for (const fs::directory_entry &entry : fs::directory_iterator(named)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    // In the same order on every machine, so that a failure repeats as it was.
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s INPUT_OR_FOLDER...\n", argv[0]);
        return 2;
    }
    size_t replayed = 0;
    for (int arg = 1; arg < argc; ++arg) {
        for (const fs::path &path : inputsIn(argv[arg])) {
            std::ifstream file(path, std::ios::binary);
            if (!file) {
                std::fprintf(stderr, "cannot read %s\n", path.c_str());
                return 1;
            }
            const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
            // A copy of exactly the input's size, as libFuzzer hands it over,
            // so that the address sanitizer sees any read past its end.
            const std::unique_ptr<uint8_t[]> input(new uint8_t[bytes.size()]);
            std::copy(bytes.begin(), bytes.end(), input.get());
            // Named first: an input that breaks a property aborts the program.
            std::fprintf(stderr, "%s\n", path.c_str());
            LLVMFuzzerTestOneInput(input.get(), bytes.size());
            ++replayed;
        }
    }
    // No input at all is a mistake in the command, not a pass.
    if (replayed == 0) {
        std::fprintf(stderr, "no inputs found\n");
        return 1;
    }
    std::printf("%zu inputs replayed\n", replayed);
    return 0;
}
