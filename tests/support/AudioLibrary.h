// Reaches into the audio library that SFML loaded (OpenAL Soft), for tests
// that ask it what SFML does not tell.
#pragma once

namespace zp::test {

// The library's function of that name, or null when it is not loaded.
void* audioLibraryFunction(const char* name);

} // namespace zp::test
