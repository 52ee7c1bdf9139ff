#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace zp::fuzz {
namespace {

namespace fs = std::filesystem;

// Memory-backed when the system offers it: millions of inputs are written.
fs::path privateFolder()
{
    static const fs::path folder = [] {
        std::error_code ignored;
        const fs::path base =
            fs::is_directory("/dev/shm", ignored) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string templ = (base / "zp-fuzz-XXXXXX").string();
        if (mkdtemp(templ.data()) == nullptr) {
            std::perror("zp-fuzz: no private folder");
            std::abort();
        }
        const fs::path made(templ);
        // Removed when the fuzzer ends normally; a crash leaves it for a look.
        static const struct Remover {
            fs::path path;
            ~Remover()
            {
                std::error_code error;
                fs::remove_all(path, error);
            }
        } remover{made};
        return made;
    }();
    return folder;
}

} // namespace

std::string inputPath(const std::string& name)
{
    return (privateFolder() / name).string();
}

void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* p_file = std::fopen(path.c_str(), "wb");
    if (p_file == nullptr) {
        std::perror(path.c_str());
        std::abort();
    }
    if (size > 0 && std::fwrite(data, 1, size, p_file) != size) {
        std::perror(path.c_str());
        std::abort();
    }
    std::fclose(p_file);
}

} // namespace zp::fuzz
