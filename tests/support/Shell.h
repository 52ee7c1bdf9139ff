// Runs helper programs (xdotool, ImageMagick) from tests.
#pragma once

#include <string>

namespace zp::test {

// What the command printed on standard output, without trailing blanks and
// line breaks; its errors are discarded.
std::string commandOutput(const std::string& command);

} // namespace zp::test
