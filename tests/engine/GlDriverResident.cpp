// Keeps Mesa's software GL driver loaded for the whole test process.
//
// Mesa unloads the driver (dlclose) when the last window's display closes.
// Blocks that the driver still points to from its own globals then look
// unreachable to LeakSanitizer, which reports them as leaks of whoever drew
// last. Holding the driver with RTLD_NODELETE keeps its globals scanned.
#include <dlfcn.h>

namespace {

const char* const MESA_SOFTWARE_DRIVERS[] = {
    "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
    "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so",
    "/usr/lib64/dri/swrast_dri.so",
    "/usr/lib/dri/swrast_dri.so",
};

const bool driver_held = [] {
    for (const char* path : MESA_SOFTWARE_DRIVERS)
        if (dlopen(path, RTLD_LAZY | RTLD_NODELETE) != nullptr)
            return true;
    return false;
}();

} // namespace
