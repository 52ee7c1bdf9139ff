// Sets and unsets the test process's environment variables, the same on
// every system (Windows has no setenv).
#pragma once

namespace zp::test {

void setEnvironmentVariable(const char* name, const char* value);
void unsetEnvironmentVariable(const char* name);

} // namespace zp::test
