// Runs a fuzz target without libFuzzer: every file named on the command line, and every file
// under every folder named there, goes once through LLVMFuzzerTestOneInput. A failed property
// aborts, so a replayed corpus is a test with any compiler. Finding no input at all fails too,
// so that a wrong corpus path cannot pass unnoticed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsOf(const fs::path& argument) {
    std::vector<fs::path> files;
    if (fs::is_directory(argument)) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(argument)) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
    } else if (fs::is_regular_file(argument)) {
        files.push_back(argument);
    }
    return files;
}

bool replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    if (in.bad()) return false;
    // An empty input still gets a valid pointer, as libFuzzer gives it.
    static const std::uint8_t nothing = 0;
    const auto* data =
        bytes.empty() ? &nothing : reinterpret_cast<const std::uint8_t*>(bytes.data());
    LLVMFuzzerTestOneInput(data, bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " FILE_OR_FOLDER...\n";
        return 2;
    }
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<fs::path> files = inputsOf(argv[i]);
        if (files.empty()) {
            std::cerr << "no input in " << argv[i] << '\n';
            return 1;
        }
        for (const fs::path& file : files) {
            if (!replay(file)) {
                std::cerr << "cannot read " << file << '\n';
                return 1;
            }
            ++replayed;
        }
    }
    std::cout << "replayed " << replayed << " inputs\n";
    return 0;
}
