#include "support/RunDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

} // namespace

void enterFreshRunDir()
{
    std::string templ = (fs::temp_directory_path() / "zp-test-XXXXXX").string();
    std::vector<char> buffer(templ.begin(), templ.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        return;
    fs::path root(buffer.data());
    madeRoots().push_back(root);
    fs::path run = root / "run";
    fs::create_directories(run);
    std::error_code ignored;
    fs::create_directory_symlink(fs::path(ZP_SOURCE_DIR) / "GameData", root / "GameData", ignored);
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
