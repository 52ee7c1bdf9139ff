#include "PrivateXServer.h"

#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace e2e {

PrivateXServer::PrivateXServer(const std::string& screen)
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid = fork();
    if (pid == 0) {
        // Its outputs go nowhere, so it never holds a pipe of the test's.
        const int null = open("/dev/null", O_WRONLY);
        dup2(fds[1], 3);
        dup2(null, 1);
        dup2(null, 2);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // The server writes its display number and a line break once it is ready.
    std::string number;
    pollfd ready{fds[0], POLLIN, 0};
    char ch = 0;
    while (number.find('\n') == std::string::npos && poll(&ready, 1, 20000) == 1 && read(fds[0], &ch, 1) == 1)
        number += ch;
    if (number.find('\n') != std::string::npos)
        display = ":" + number.substr(0, number.find('\n'));
    close(fds[0]);
}

PrivateXServer::~PrivateXServer()
{
    stop();
}

void PrivateXServer::stop()
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

} // namespace e2e
