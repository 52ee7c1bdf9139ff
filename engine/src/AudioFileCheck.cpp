#include "AudioFileCheck.h"

#include <SFML/Audio/InputSoundFile.hpp>

#include <vector>

namespace zp {

bool isWholeAudioFile(const std::string& filename)
{
    sf::InputSoundFile file;
    if (!file.openFromFile(filename))
        return false;
    const sf::Uint64 channels = file.getChannelCount();
    if (channels == 0 || channels > MAX_AUDIO_CHANNELS || file.getSampleRate() == 0 ||
        file.getSampleCount() < channels)
        return false;
    std::vector<sf::Int16> last_frame(static_cast<size_t>(channels));
    file.seek(file.getSampleCount() - channels);
    return file.read(last_frame.data(), channels) == channels;
}

} // namespace zp
