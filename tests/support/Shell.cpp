#include "support/Shell.h"

#include <cstdio>

namespace zp::test {

std::string commandOutput(const std::string& command)
{
    std::string output;
    if (FILE* p_pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, p_pipe) != nullptr)
            output += buffer;
        pclose(p_pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == ' '))
        output.pop_back();
    return output;
}

} // namespace zp::test
