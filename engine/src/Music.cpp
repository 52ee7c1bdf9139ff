#include "zp/Music.h"

#include "AudioFileCheck.h"

#include <utility>

namespace zp {

int Music::loadMusic(std::string filename)
{
    // The stream also reports 0 channels for a count it has no format for.
    if (!isWholeAudioFile(filename) || !music.openFromFile(filename) || music.getChannelCount() == 0)
        return -1;
    return 0;
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

void Music::setVolume(float new_volume)
{
    music.setVolume(new_volume);
}

float Music::getVolume() const
{
    return music.getVolume();
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
