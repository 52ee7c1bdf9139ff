/// \file
/// The engine's store of sprites, sound effects and music, each found by
/// its label (exact comparison; the first loaded entry with a label wins).
/// Also the readers of the line-based text formats of sprite files, which
/// the game's own file formats share.
#pragma once

#include "zp/Frame.h"
#include "zp/LineReader.h"
#include "zp/Manager.h"

#include <memory>
#include <string>
#include <vector>

namespace zp {

class Music;
class Sound;
class Sprite;

const int MAX_SPRITES = 1000;
const int MAX_SOUNDS = 128;
const int MAX_MUSICS = 128;
/// Volumes are percentages of the recorded loudness.
const int VOLUME_MIN = 0;
const int VOLUME_MAX = 100;

/// Keywords of the sprite file.
inline const std::string FRAMES_TOKEN = "frames";
inline const std::string WIDTH_TOKEN = "width";
inline const std::string HEIGHT_TOKEN = "height";
inline const std::string COLOR_TOKEN = "color";
inline const std::string END_FRAME_TOKEN = "end";
inline const std::string EOF_TOKEN = "eof";

/// "keyword number": the number, -1 when the first word is not the keyword.
/// Without digits after the keyword (also a line holding only the keyword)
/// the number is 0; numbers beyond the range of int are clamped.
int readLineInt(LineReader& file, const std::string& keyword);
/// "keyword text": the rest of the line after the keyword and one separator,
/// unchanged; the keyword itself is not compared.
std::string readLineStr(LineReader& file, const std::string& keyword);
/// height rows of exactly width characters, then "end"; the empty frame otherwise.
Frame parseFrame(LineReader& file, int width, int height);

class ResourceManager : public Manager {
public:
    static ResourceManager& getInstance();
    ~ResourceManager() override;

    int startUp() override;
    /// Releases every sprite.
    void shutDown() override;

    int loadSprite(std::string filename, std::string label);
    int unloadSprite(std::string label);
    Sprite* getSprite(std::string label) const;
    int getSpriteCount() const;

    int loadSound(std::string filename, std::string label);
    int unloadSound(std::string label);
    Sound* getSound(std::string label) const;
    int getSoundCount() const;

    int loadMusic(std::string filename, std::string label);
    int unloadMusic(std::string label);
    Music* getMusic(std::string label) const;
    int getMusicCount() const;
    /// Stops every music. Each plays on a thread of its own, which must not
    /// outlive the program's end: the game manager's shut-down calls this.
    void stopAllMusic();

    /// Silent, sounds and music load, play and stop as ever, into the audio
    /// library's silent output (OpenAL Soft's null backend) instead of the
    /// audio device: the tables, labels and counts are the same. Takes
    /// effect only before the first sound or music object of the program
    /// opens the device; nothing undoes it within a run. The manager also
    /// goes silent by itself, with one log line, when no sound device opens:
    /// it looks before it loads the program's first sound or music.
    void setSilent(bool new_silent);
    bool isSilent() const;

    /// The loudness of every sound effect, and of every music track, from
    /// VOLUME_MIN to VOLUME_MAX (other values are brought into that range):
    /// applied at once to what is loaded, playing or not, and to what loads
    /// later. Both start at VOLUME_MAX.
    void setSoundVolume(int percent);
    int getSoundVolume() const;
    void setMusicVolume(int percent);
    int getMusicVolume() const;
    /// Muted, sounds and music play on without being heard; the volumes are
    /// kept for when the mute is lifted.
    void setMuted(bool new_muted);
    bool isMuted() const;

private:
    ResourceManager();
    /// Before the first sound or music: silent when no device opens.
    void prepareAudioOutput();

    Sprite* p_sprite[MAX_SPRITES] = {};
    int sprite_count = 0;
    /// Sprites of the table before a second start-up, freed at shut-down.
    std::vector<std::unique_ptr<Sprite>> retired_sprites;
    /// Entries are created when first loaded, so an idle table holds no audio
    /// sources; loaded entries stay packed at the front in load order.
    std::unique_ptr<Sound> sound[MAX_SOUNDS];
    int sound_count = 0;
    std::unique_ptr<Music> music[MAX_MUSICS];
    int music_count = 0;
    bool silent = false;
    int sound_volume = VOLUME_MAX;
    int music_volume = VOLUME_MAX;
    bool muted = false;

    /// Gives every loaded sound and music the loudness the settings make.
    void applyVolumes();
    float heardSoundVolume() const;
    float heardMusicVolume() const;
    bool audio_output_prepared = false;
};

} // namespace zp
