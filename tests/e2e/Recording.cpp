#include "Recording.h"

namespace e2e {

std::vector<double> sharpnessPerWindow(const zp::test::WavSamples& recording, double window_seconds)
{
    std::vector<double> windows;
    const size_t window = size_t(recording.sample_rate * window_seconds);
    if (window < 2)
        return windows;
    for (size_t start = 1; start + window <= recording.samples.size(); start += window) {
        double energy = 0;
        for (size_t i = start; i < start + window; ++i) {
            const double change = recording.samples[i] - recording.samples[i - 1];
            energy += change * change;
        }
        windows.push_back(energy / window);
    }
    return windows;
}

} // namespace e2e
