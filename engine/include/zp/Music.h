/// \file
/// One music track, streamed from its file while it plays.
#pragma once

#include <SFML/Audio.hpp>

#include <string>

namespace zp {

class Music {
public:
    Music() = default;
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    /// -1 when the file cannot be opened as a stream, or opens but cannot be
    /// played (no samples, a rate of 0, a channel count without a sound
    /// format, fewer samples than its header says).
    int loadMusic(std::string filename);
    void play(bool loop = true);
    void stop();
    void pause();
    /// 0 (silent) to 100 (as recorded); takes effect at once, also on a
    /// track that is playing.
    void setVolume(float new_volume);
    float getVolume() const;
    void setLabel(std::string new_label);
    const std::string& getLabel() const;
    sf::Music* getMusic();

private:
    sf::Music music;
    std::string label;
};

} // namespace zp
