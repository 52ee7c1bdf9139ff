#include "support/Environment.h"

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zp::test {

#ifdef _WIN32

// The C library's copy (getenv) and the process's own (what libraries that
// ask Windows see) are both changed.
void setEnvironmentVariable(const char* name, const char* value)
{
    _putenv_s(name, value);
    SetEnvironmentVariableA(name, value);
}

void unsetEnvironmentVariable(const char* name)
{
    _putenv_s(name, ""); // an empty value removes the variable
    SetEnvironmentVariableA(name, nullptr);
}

#else

void setEnvironmentVariable(const char* name, const char* value)
{
    setenv(name, value, 1);
}

void unsetEnvironmentVariable(const char* name)
{
    unsetenv(name);
}

#endif

} // namespace zp::test
