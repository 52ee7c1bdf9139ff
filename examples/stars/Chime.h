// The sound of a caught star, written as a short WAV file so the example
// needs no data files of its own.
#pragma once

#include <string>

// Writes a 16-bit mono tone of `milliseconds` at `frequency` Hz; false when the file cannot be written.
bool writeChime(const std::string& path, int frequency, int milliseconds);
