#include "zp/Music.h"

#include <utility>
#include <vector>

namespace zp {

namespace {

// The audio library opens some files it cannot play: no samples, no rate, a
// channel count it has no format for (it then reports 0 channels), or fewer
// samples in the file than its header promises. The last sample frame is
// read back to catch the cut file.
bool isPlayable(const sf::Music& music, const std::string& filename)
{
    if (music.getChannelCount() == 0 || music.getSampleRate() == 0 || music.getDuration() <= sf::Time::Zero)
        return false;
    sf::InputSoundFile file;
    if (!file.openFromFile(filename) || file.getSampleCount() == 0 || file.getChannelCount() == 0)
        return false;
    const sf::Uint64 channels = file.getChannelCount();
    std::vector<sf::Int16> last_frame(static_cast<size_t>(channels));
    file.seek(file.getSampleCount() - channels);
    return file.read(last_frame.data(), channels) == channels;
}

} // namespace

int Music::loadMusic(std::string filename)
{
    if (!music.openFromFile(filename))
        return -1;
    return isPlayable(music, filename) ? 0 : -1;
}

void Music::play(bool loop)
{
    music.setLoop(loop);
    music.play();
}

void Music::stop()
{
    music.stop();
}

void Music::pause()
{
    music.pause();
}

void Music::setLabel(std::string new_label)
{
    label = std::move(new_label);
}

const std::string& Music::getLabel() const
{
    return label;
}

sf::Music* Music::getMusic()
{
    return &music;
}

} // namespace zp
