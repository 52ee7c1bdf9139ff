#include "support/RunDir.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace zp::test {
namespace {

fs::path& runFolder()
{
    static fs::path folder;
    return folder;
}

// The temporary roots made by this process, each holding a run folder.
std::vector<fs::path>& madeRoots()
{
    static std::vector<fs::path> roots;
    return roots;
}

// A new folder of this process's own in the system's temporary folder
// ("zp-test-" and eight hexadecimal digits); empty when none could be made.
fs::path makeNewTemporaryFolder()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "zp-test-%08x", unsigned(random()));
        const fs::path folder = fs::temp_directory_path() / name;
        std::error_code error;
        if (fs::create_directory(folder, error))
            return folder;
    }
    return fs::path();
}

} // namespace

void enterFreshRunDir()
{
    const fs::path root = makeNewTemporaryFolder();
    if (root.empty())
        return;
    madeRoots().push_back(root);
    fs::path run = root / "run";
    fs::create_directories(run);
    std::error_code ignored;
    // Where links cannot be made (Windows without the right to), a copy.
    const fs::path data = fs::path(ZP_SOURCE_DIR) / "GameData";
    std::error_code no_link;
    fs::create_directory_symlink(data, root / "GameData", no_link);
    if (no_link)
        fs::copy(data, root / "GameData", fs::copy_options::recursive, ignored);
    fs::copy_file(fs::path(ZP_BUILD_DIR) / "zp-font.ttf", run / "zp-font.ttf", ignored);
    fs::current_path(run);
    runFolder() = run;
}

void removeRunDirs()
{
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    for (const fs::path& root : madeRoots())
        fs::remove_all(root, ignored);
    madeRoots().clear();
}

std::string runDir()
{
    return runFolder().string();
}

std::string fixture(const std::string& name)
{
    return (fs::path(ZP_FIXTURE_DIR) / name).string();
}

std::string writeFile(const std::string& path, const std::string& text)
{
    fs::path full = fs::path(path).is_absolute() ? fs::path(path) : runFolder() / path;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << text;
    return full.string();
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string logTail(int lines)
{
    std::istringstream log(readFile((runFolder() / "zephane.log").string()));
    std::vector<std::string> all;
    for (std::string line; std::getline(log, line);)
        all.push_back(line);
    std::string tail;
    for (size_t i = all.size() > size_t(lines) ? all.size() - lines : 0; i < all.size(); ++i)
        tail += all[i] + "\n";
    return tail;
}

} // namespace zp::test
