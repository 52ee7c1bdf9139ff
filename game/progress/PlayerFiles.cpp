#include "progress/PlayerFiles.h"

#include "zp/AtomicFile.h"
#include "zp/LogManager.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

int readPlayerFile(const std::string& path, std::string& text, std::string& error)
{
    std::error_code code;
    const fs::file_status status = fs::status(path, code);
    if (status.type() == fs::file_type::not_found)
        return 0;
    if (code) {
        error = "\"" + path + "\" cannot be read: " + code.message();
        return -1;
    }
    if (status.type() != fs::file_type::regular) {
        error = "\"" + path + "\" is not a regular file";
        return -1;
    }
    const std::uintmax_t size = fs::file_size(path, code);
    if (code || size > PLAYER_FILE_MAX_BYTES) {
        error = "\"" + path + "\" is too large to be the game's (" + std::to_string(size) + " bytes)";
        return -1;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "\"" + path + "\" cannot be read: " + std::strerror(errno);
        return -1;
    }
    std::ostringstream whole;
    whole << in.rdbuf();
    if (in.bad()) {
        error = "\"" + path + "\" cannot be read";
        return -1;
    }
    text = whole.str();
    if (text.find('\0') != std::string::npos) {
        error = "\"" + path + "\" holds NUL bytes: it is not a text file";
        return -1;
    }
    return 1;
}

int writePlayerFile(const std::string& path, const std::string& text, std::string& error)
{
    std::error_code code;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, code)) {
        fs::create_directories(folder, code);
        if (code) {
            error =
                "cannot make the folder \"" + folder.string() + "\" for \"" + path + "\": " + code.message();
            return -1;
        }
    }
    errno = 0;
    if (zp::writeFileAtomically(path, text) != 0) {
        const int reason = errno;
        error = "cannot write \"" + path + "\"" +
                (reason != 0 ? std::string(": ") + std::strerror(reason) : "") +
                " (the file as it was is kept)";
        return -1;
    }
    return 0;
}

std::string fileDateStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char stamp[32] = "unknown-time";
#ifdef _WIN32
    const bool known = localtime_s(&local, &now) == 0;
#else
    const bool known = localtime_r(&now, &local) != nullptr;
#endif
    if (known)
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    return stamp;
}

std::string moveAside(const std::string& path, std::string& error)
{
    const std::string base = path + ".bad-" + fileDateStamp();
    std::string aside = base;
    std::error_code code;
    for (int n = 2; fs::exists(aside, code); ++n)
        aside = base + "-" + std::to_string(n);
    fs::rename(path, aside, code);
    if (code) {
        error = "cannot move \"" + path + "\" aside: " + code.message();
        return "";
    }
    return aside;
}

void reportFileProblem(const std::string& problem)
{
    std::fprintf(stderr, "cinderwatch: %s\n", problem.c_str());
    zp::LogManager& log = zp::LogManager::getInstance();
    if (log.isStarted())
        log.writeLog("%s", problem.c_str());
}
