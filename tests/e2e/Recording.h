// Looks at what OpenAL Soft's wave backend recorded of a run.
#pragma once

#include "support/Wav.h"

#include <vector>

namespace e2e {

// Energy of the sample-to-sample changes in windows of `window_seconds`:
// high for clicks, shots and noise, low for soft tones.
std::vector<double> sharpnessPerWindow(const zp::test::WavSamples& recording, double window_seconds);

} // namespace e2e
