#include "support/PrivateMounts.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32

namespace zp::test {

// Windows has no mount namespaces: the cases that need them are skipped.
bool canMountPrivately(std::string& reason)
{
    reason = "no private mounts on Windows";
    return false;
}

int enterPrivateMounts(std::string& error)
{
    error = "no private mounts on Windows";
    return -1;
}

int mountSmallFolder(const std::string&, int, std::string& error)
{
    error = "no private mounts on Windows";
    return -1;
}

int makeReadOnly(const std::string&, std::string& error)
{
    error = "no private mounts on Windows";
    return -1;
}

void fillUp(const std::string&)
{
}

} // namespace zp::test

#else

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zp::test {

int enterPrivateMounts(std::string& error)
{
    // A namespace of its own, and nothing mounted in it propagates back.
    if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        error = std::string("no mounts of its own: ") + std::strerror(errno);
        return -1;
    }
    return 0;
}

int mountSmallFolder(const std::string& folder, int kilobytes, std::string& error)
{
    std::filesystem::create_directories(folder);
    const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0755";
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        error = "cannot mount a tmpfs on " + folder + ": " + std::strerror(errno);
        return -1;
    }
    return 0;
}

int makeReadOnly(const std::string& folder, std::string& error)
{
    if (mount("tmpfs", folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        error = "cannot make " + folder + " read-only: " + std::strerror(errno);
        return -1;
    }
    return 0;
}

void fillUp(const std::string& folder)
{
    std::FILE* p_file = std::fopen((folder + "/filler").c_str(), "wb");
    if (p_file == nullptr)
        return;
    const std::vector<char> block(512, 'x');
    while (std::fwrite(block.data(), 1, block.size(), p_file) == block.size() && std::fflush(p_file) == 0) {
    }
    // What is left over is less than a block, which no file can have.
    std::fclose(p_file);
}

bool canMountPrivately(std::string& reason)
{
    const pid_t child = fork();
    if (child == 0) {
        std::string ignored;
        const std::string folder = "/tmp/zp-mount-probe-" + std::to_string(getpid());
        const int result =
            enterPrivateMounts(ignored) == 0 && mountSmallFolder(folder, 16, ignored) == 0 ? 0 : 1;
        umount(folder.c_str());
        rmdir(folder.c_str());
        _exit(result);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        reason = "this process may not mount file systems of its own (it needs root)";
        return false;
    }
    return true;
}

} // namespace zp::test

#endif
