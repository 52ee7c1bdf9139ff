// Reading and writing WAV files in tests: recordings of what the engine
// played (OpenAL Soft's wave backend), and sounds for the engine to load.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zp::test {

struct WavSamples {
    int sample_rate = 0;
    // One value per frame, the channels mixed, in -1 ... 1.
    std::vector<float> samples;

    double seconds() const { return sample_rate > 0 ? double(samples.size()) / sample_rate : 0; }
    size_t frameAt(double time) const { return size_t(time * sample_rate); }
};

// Reads a PCM 8/16-bit or 32-bit float WAV file, also one whose sizes were
// never filled in (a recording still being written); empty when there is
// nothing to read.
WavSamples readWav(const std::string& path);

// Writes mono 16-bit samples; false when the file cannot be written.
bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples, unsigned sample_rate);
// A quiet 440 Hz tone of `sample_count` samples at 8 kHz.
bool writeToneWav(const std::string& path, int sample_count);

} // namespace zp::test
