// For checks of what holds at the start of a program (the first object's id,
// the first step's count, the first user of the audio device): the statements
// run in a new process of this test binary that runs only this test, so they
// hold however many tests ran before it in the same binary.
#pragma once

#include <gtest/gtest.h>

#include <functional>

namespace zp::test {

// Runs the body, prints its failures on standard error and ends the process:
// status 0 when it passed, 1 otherwise.
[[noreturn]] void runAndExit(const std::function<void()>& body);

} // namespace zp::test

// gtest's "threadsafe" death-test style starts the binary anew rather than
// forking, which gives the statements a fresh program; their failures come
// back through the exit status and the messages printed.
#define ZP_EXPECT_IN_FRESH_PROCESS(...)                                                                      \
    do {                                                                                                     \
        const std::function<void()> zp_fresh_body = [&] { __VA_ARGS__; };                                    \
        GTEST_FLAG_SET(death_test_style, "threadsafe");                                                      \
        EXPECT_EXIT(zp::test::runAndExit(zp_fresh_body), ::testing::ExitedWithCode(0), "");                  \
    } while (0)
