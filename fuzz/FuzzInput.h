// What the fuzz targets share: each input is written to a file of its own
// (the readers take file names), in a folder private to this process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zp::fuzz {

// A path in the process's private folder, e.g. "sprite.txt"; made once.
std::string inputPath(const std::string& name);
// Replaces the file's content with the input's bytes.
void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size);

} // namespace zp::fuzz
