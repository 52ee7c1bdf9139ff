#include "AudioFileCheck.h"

#include "platform/Platform.h"
#include "zp/LogManager.h"

#include <SFML/Audio/InputSoundFile.hpp>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace zp {
namespace {

const std::size_t CHUNK_HEADER_BYTES = 8;
const std::size_t FORMAT_FIELDS_BYTES = 16;
const unsigned int BITS_PER_BYTE = 8;

struct FileCloser {
    void operator()(std::FILE* p_file) const { std::fclose(p_file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::uint32_t littleEndian32(const unsigned char* p_bytes)
{
    return std::uint32_t(p_bytes[0]) | std::uint32_t(p_bytes[1]) << 8 | std::uint32_t(p_bytes[2]) << 16 |
           std::uint32_t(p_bytes[3]) << 24;
}

std::uint16_t littleEndian16(const unsigned char* p_bytes)
{
    return std::uint16_t(p_bytes[0] | p_bytes[1] << 8);
}

bool refuse(const std::string& filename, const std::string& why)
{
    LogManager::getInstance().writeLog("Audio file %s: %s", filename.c_str(), why.c_str());
    return false;
}

bool rateIsPlayable(std::uint64_t rate)
{
    return rate >= MIN_SAMPLE_RATE && rate <= MAX_SAMPLE_RATE;
}

std::string rateRange()
{
    return std::to_string(MIN_SAMPLE_RATE) + " to " + std::to_string(MAX_SAMPLE_RATE) + " Hz";
}

// The header of a RIFF WAVE file, chunk by chunk up to the samples: the
// format's rate, channels and sample size, and every chunk's size within
// the file. Files of other formats pass; the library looks at them next.
bool wavHeaderIsSound(std::FILE* p_file, const std::string& filename)
{
    unsigned char riff[12];
    if (std::fread(riff, 1, sizeof riff, p_file) != sizeof riff || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return true;
    if (std::fseek(p_file, 0, SEEK_END) != 0)
        return refuse(filename, "its size cannot be told");
    const long file_bytes = std::ftell(p_file);
    long at = sizeof riff;
    bool format_seen = false;
    while (at + long(CHUNK_HEADER_BYTES) <= file_bytes) {
        unsigned char chunk[CHUNK_HEADER_BYTES];
        if (std::fseek(p_file, at, SEEK_SET) != 0 ||
            std::fread(chunk, 1, sizeof chunk, p_file) != sizeof chunk)
            return refuse(filename, "its header cannot be read");
        const std::uint32_t size = littleEndian32(chunk + 4);
        const long content = at + long(CHUNK_HEADER_BYTES);
        if (size > std::uint64_t(file_bytes - content))
            return refuse(filename, "a chunk of its header claims " + std::to_string(size) +
                                        " bytes, more than the file holds");
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char fields[FORMAT_FIELDS_BYTES];
            if (size < sizeof fields || std::fread(fields, 1, sizeof fields, p_file) != sizeof fields)
                return refuse(filename, "its format chunk is too short");
            const unsigned int channels = littleEndian16(fields + 2);
            const std::uint32_t rate = littleEndian32(fields + 4);
            const unsigned int block_bytes = littleEndian16(fields + 12);
            const unsigned int bits = littleEndian16(fields + 14);
            if (channels == 0 || channels > MAX_AUDIO_CHANNELS)
                return refuse(filename, std::to_string(channels) + " channels (1 to " +
                                            std::to_string(MAX_AUDIO_CHANNELS) + " are played)");
            if (!rateIsPlayable(rate))
                return refuse(filename, "a sample rate of " + std::to_string(rate) + " Hz (" + rateRange() +
                                            " are played)");
            if (bits == 0 || bits % BITS_PER_BYTE != 0 || block_bytes != channels * (bits / BITS_PER_BYTE))
                return refuse(filename, std::to_string(bits) + "-bit samples in frames of " +
                                            std::to_string(block_bytes) + " bytes");
            format_seen = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!format_seen)
                return refuse(filename, "its samples come before their format");
            return true;
        }
        // Chunks are padded to an even size.
        at = content + long(size) + long(size % 2);
    }
    return refuse(filename, "it holds no samples");
}

} // namespace

bool isWholeAudioFile(const std::string& filename)
{
    std::string problem;
    const File p_file(platform::openRegularFile(filename, problem));
    if (!p_file)
        return refuse(filename, problem);
    if (!wavHeaderIsSound(p_file.get(), filename))
        return false;

    sf::InputSoundFile file;
    if (!file.openFromFile(filename))
        return false;
    const sf::Uint64 channels = file.getChannelCount();
    if (channels == 0 || channels > MAX_AUDIO_CHANNELS || !rateIsPlayable(file.getSampleRate()) ||
        file.getSampleCount() < channels)
        return false;
    std::vector<sf::Int16> last_frame(static_cast<size_t>(channels));
    file.seek(file.getSampleCount() - channels);
    return file.read(last_frame.data(), channels) == channels;
}

} // namespace zp
