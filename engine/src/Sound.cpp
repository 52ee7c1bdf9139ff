#include "zp/Sound.h"

#include "AudioFileCheck.h"

#include <utility>

namespace zp {

Sound::Sound(const Sound& other) : sound_buffer(other.sound_buffer), sound(other.sound), label(other.label)
{
    // The copied player still points at the other's buffer; bind it to ours.
    if (other.sound.getBuffer() != nullptr)
        sound.setBuffer(sound_buffer);
}

Sound& Sound::operator=(const Sound& other)
{
    if (this == &other)
        return *this;
    sound_buffer = other.sound_buffer;
    sound = other.sound;
    if (other.sound.getBuffer() != nullptr)
        sound.setBuffer(sound_buffer);
    else
        sound.resetBuffer();
    label = other.label;
    return *this;
}

Sound::~Sound() = default;

int Sound::loadSound(std::string filename)
{
    if (!isWholeAudioFile(filename) || !sound_buffer.loadFromFile(filename))
        return -1;
    sound.setBuffer(sound_buffer);
    return 0;
}

void Sound::play(bool loop)
{
    sound.setLoop(loop);
    sound.play();
}

void Sound::stop()
{
    sound.stop();
}

void Sound::pause()
{
    sound.pause();
}

void Sound::setVolume(float new_volume)
{
    sound.setVolume(new_volume);
}

float Sound::getVolume() const
{
    return sound.getVolume();
}

void Sound::setLabel(std::string new_label)
{
    label = std::move(new_label);
}

const std::string& Sound::getLabel() const
{
    return label;
}

sf::Sound Sound::getSound() const
{
    return sound;
}

} // namespace zp
