#include "support/Wav.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zp::test {
namespace {

const std::uint16_t FORMAT_PCM = 1;
const std::uint16_t FORMAT_FLOAT = 3;
const std::uint16_t FORMAT_EXTENSIBLE = 0xFFFE;
// Where the extensible header keeps the real format, from the "fmt " body.
const size_t EXTENSIBLE_FORMAT_OFFSET = 24;

template <typename T> T readAt(const std::vector<char>& bytes, size_t offset)
{
    T value{};
    if (offset + sizeof(T) <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

template <typename T> void put(std::ofstream& out, T value)
{
    out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

WavSamples readWav(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WavSamples wav;
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return wav;

    std::uint16_t format = 0, channels = 0, bits = 0;
    size_t data_start = 0, data_size = 0;
    for (size_t offset = 12; offset + 8 <= bytes.size();) {
        const std::string id(bytes.data() + offset, 4);
        const std::uint32_t size = readAt<std::uint32_t>(bytes, offset + 4);
        const size_t body = offset + 8;
        if (id == "fmt ") {
            format = readAt<std::uint16_t>(bytes, body);
            channels = readAt<std::uint16_t>(bytes, body + 2);
            wav.sample_rate = int(readAt<std::uint32_t>(bytes, body + 4));
            bits = readAt<std::uint16_t>(bytes, body + 14);
            if (format == FORMAT_EXTENSIBLE)
                format = readAt<std::uint16_t>(bytes, body + EXTENSIBLE_FORMAT_OFFSET);
        } else if (id == "data") {
            data_start = body;
            // A recording still being written has no sizes yet: take the rest.
            data_size = (size == 0 || data_start + size > bytes.size()) ? bytes.size() - data_start : size;
            break;
        }
        offset = body + size + (size & 1);
    }
    const size_t frame_bytes = size_t(channels) * bits / 8;
    if (data_start == 0 || frame_bytes == 0)
        return wav;

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
        wav.samples.push_back(float(sum / channels));
    }
    return wav;
}

bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples, unsigned sample_rate)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent);
    std::ofstream out(path, std::ios::binary);
    if (!out)
        return false;
    const std::uint16_t channels = 1;
    const std::uint16_t bits = 16;
    const std::uint32_t data_bytes = std::uint32_t(samples.size() * sizeof(std::int16_t));
    out.write("RIFF", 4);
    put<std::uint32_t>(out, 36 + data_bytes);
    out.write("WAVEfmt ", 8);
    put<std::uint32_t>(out, 16);
    put<std::uint16_t>(out, FORMAT_PCM);
    put<std::uint16_t>(out, channels);
    put<std::uint32_t>(out, sample_rate);
    put<std::uint32_t>(out, sample_rate * channels * bits / 8);
    put<std::uint16_t>(out, channels * bits / 8);
    put<std::uint16_t>(out, bits);
    out.write("data", 4);
    put<std::uint32_t>(out, data_bytes);
    out.write(reinterpret_cast<const char*>(samples.data()), data_bytes);
    return bool(out);
}

bool writeToneWav(const std::string& path, int sample_count)
{
    const unsigned SAMPLE_RATE = 8000;
    const double TONE_HZ = 440.0;
    const double AMPLITUDE = 3000.0;
    const double PI = 3.14159265358979323846; // M_PI is not standard C++
    std::vector<std::int16_t> samples(size_t(sample_count > 0 ? sample_count : 0));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = std::int16_t(AMPLITUDE * std::sin(2.0 * PI * TONE_HZ * double(i) / SAMPLE_RATE));
    return writeWav(path, samples, SAMPLE_RATE);
}

} // namespace zp::test
