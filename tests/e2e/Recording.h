// Reads what OpenAL Soft's wave backend recorded of a run.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct Recording {
    int sample_rate = 0;
    // Mono samples in -1 ... 1.
    std::vector<float> samples;
};

// Reads a PCM 16-bit or 32-bit float WAV file, also one whose sizes were
// never filled in; empty when there is nothing to read.
Recording readRecording(const std::string& path);
// Energy of the sample-to-sample changes in windows of `window_seconds`:
// high for clicks, shots and noise, low for soft tones.
std::vector<double> sharpnessPerWindow(const Recording& recording, double window_seconds);

} // namespace e2e
