#include "support/GlDriverResident.h"

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace zp::test {

#ifdef _WIN32

// Windows' OpenGL drivers are the system's, loaded once.
void keepGlDriverLoaded()
{
}

#else
namespace {

const char* const MESA_SOFTWARE_DRIVERS[] = {
    "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
    "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so",
    "/usr/lib64/dri/swrast_dri.so",
    "/usr/lib/dri/swrast_dri.so",
};

} // namespace

void keepGlDriverLoaded()
{
    for (const char* path : MESA_SOFTWARE_DRIVERS)
        if (dlopen(path, RTLD_LAZY | RTLD_NODELETE) != nullptr)
            return;
}

#endif

} // namespace zp::test
