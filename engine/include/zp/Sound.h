/// \file
/// One sound effect, decoded into memory and played from there.
#pragma once

#include <SFML/Audio.hpp>

#include <string>

namespace zp {

class Sound {
public:
    Sound() = default;
    /// A copy plays its own copy of the samples, never the source's buffer.
    Sound(const Sound& other);
    Sound& operator=(const Sound& other);
    ~Sound();

    /// -1 when the file cannot be read or decoded, or does not hold all the
    /// samples its header promises.
    int loadSound(std::string filename);
    void play(bool loop = false);
    void stop();
    void pause();
    /// 0 (silent) to 100 (as recorded); takes effect at once, also on a
    /// sound that is playing.
    void setVolume(float new_volume);
    float getVolume() const;
    void setLabel(std::string new_label);
    const std::string& getLabel() const;
    sf::Sound getSound() const;

private:
    /// The buffer is declared first so that it outlives the player bound to it.
    sf::SoundBuffer sound_buffer;
    sf::Sound sound;
    std::string label;
};

} // namespace zp
