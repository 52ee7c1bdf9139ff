#include "Chime.h"

#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

const int SAMPLE_RATE = 22050;
const double PI = 3.14159265358979323846; // M_PI is not standard C++

void put(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

} // namespace

bool writeChime(const std::string& path, int frequency, int milliseconds)
{
    std::ofstream out(path, std::ios::binary);
    const std::uint32_t samples = std::uint32_t(SAMPLE_RATE) * std::uint32_t(milliseconds) / 1000;
    out << "RIFF";
    put(out, 36 + samples * 2, 4);
    out << "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2); // PCM
    put(out, 1, 2); // mono
    put(out, SAMPLE_RATE, 4);
    put(out, SAMPLE_RATE * 2, 4);
    put(out, 2, 2);
    put(out, 16, 2);
    out << "data";
    put(out, samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        // Fades out, so the chime ends without a click.
        const double fade = 1.0 - double(i) / samples;
        const double wave = std::sin(2 * PI * frequency * double(i) / SAMPLE_RATE);
        put(out, std::uint32_t(std::int16_t(12000 * fade * wave)) & 0xffff, 2);
    }
    return bool(out);
}
