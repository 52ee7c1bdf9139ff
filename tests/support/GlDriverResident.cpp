#include "support/GlDriverResident.h"

#include <dlfcn.h>

namespace zp::test {
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

} // namespace zp::test
