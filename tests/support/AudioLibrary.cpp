#include "support/AudioLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace zp::test {

void* audioLibraryFunction(const char* name)
{
#ifdef _WIN32
    HMODULE library = GetModuleHandleA("OpenAL32.dll");
    return library != nullptr ? reinterpret_cast<void*>(GetProcAddress(library, name)) : nullptr;
#else
    return dlsym(RTLD_DEFAULT, name);
#endif
}

} // namespace zp::test
