// An X server of a test's own (Xvfb), with a screen of the size the test
// needs, which the test can also take away.
#pragma once

#include <string>

#include <sys/types.h>

namespace e2e {

class PrivateXServer {
public:
    // `screen` as Xvfb takes it: width x height x depth.
    explicit PrivateXServer(const std::string& screen = "1280x1024x24");
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // Ends the server (the programs on it lose their display).
    void stop();

    // ":N", or empty when the server did not start.
    std::string display;

private:
    pid_t pid = -1;
};

} // namespace e2e
