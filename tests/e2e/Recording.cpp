#include "Recording.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

const std::uint16_t FORMAT_PCM = 1;
const std::uint16_t FORMAT_FLOAT = 3;
const std::uint16_t FORMAT_EXTENSIBLE = 0xFFFE;

template <typename T>
T readAt(const std::vector<char>& bytes, size_t offset)
{
    T value{};
    if (offset + sizeof(T) <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

} // namespace

Recording readRecording(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Recording recording;
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0)
        return recording;

    std::uint16_t format = 0, channels = 0, bits = 0;
    size_t data_start = 0, data_size = 0;
    for (size_t offset = 12; offset + 8 <= bytes.size();) {
        const std::string id(bytes.data() + offset, 4);
        const std::uint32_t size = readAt<std::uint32_t>(bytes, offset + 4);
        if (id == "fmt ") {
            format = readAt<std::uint16_t>(bytes, offset + 8);
            channels = readAt<std::uint16_t>(bytes, offset + 10);
            recording.sample_rate = int(readAt<std::uint32_t>(bytes, offset + 12));
            bits = readAt<std::uint16_t>(bytes, offset + 22);
            if (format == FORMAT_EXTENSIBLE)
                format = readAt<std::uint16_t>(bytes, offset + 32);
        } else if (id == "data") {
            data_start = offset + 8;
            // A recording cut short never had its sizes written: take the rest.
            data_size = (size == 0 || data_start + size > bytes.size()) ? bytes.size() - data_start : size;
            break;
        }
        offset += 8 + size + (size & 1);
    }
    if (data_start == 0 || channels == 0)
        return recording;

    const size_t frame_bytes = size_t(channels) * bits / 8;
    for (size_t frame = data_start; frame + frame_bytes <= data_start + data_size; frame += frame_bytes) {
        double sum = 0;
        for (size_t c = 0; c < channels; ++c) {
            const size_t at = frame + c * bits / 8;
            if (format == FORMAT_FLOAT && bits == 32)
                sum += readAt<float>(bytes, at);
            else if (format == FORMAT_PCM && bits == 16)
                sum += readAt<std::int16_t>(bytes, at) / 32768.0;
            else if (format == FORMAT_PCM && bits == 8)
                sum += (std::uint8_t(bytes[at]) - 128) / 128.0;
        }
        recording.samples.push_back(float(sum / channels));
    }
    return recording;
}

std::vector<double> sharpnessPerWindow(const Recording& recording, double window_seconds)
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
