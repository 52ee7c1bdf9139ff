#include "zp/ResourceManager.h"

#include "LoopThread.h"
#include "SpriteReader.h"

#include "platform/Platform.h"
#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/Position.h"
#include "zp/Sound.h"
#include "zp/Sprite.h"

#include <SFML/System/Err.hpp>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <sstream>
#include <utility>

namespace zp {

namespace {

struct ColorName {
    const char* name;
    Color color;
};

const ColorName COLOR_NAMES[] = {
    {"black", BLACK}, {"red", RED},         {"green", GREEN}, {"yellow", YELLOW},
    {"blue", BLUE},   {"magenta", MAGENTA}, {"cyan", CYAN},   {"white", WHITE},
};

// The text that follows the keyword and one separator, or nothing when the
// line ends at (or before) that point.
std::string afterKeyword(const std::string& line, const std::string& keyword)
{
    size_t start = keyword.size() + 1;
    if (start >= line.size())
        return std::string();
    return line.substr(start);
}

// Leading blanks, an optional sign and digits; 0 without digits, clamped to int.
int parseNumber(const std::string& text)
{
    long number = std::strtol(text.c_str(), nullptr, 10);
    if (number > INT_MAX)
        return INT_MAX;
    if (number < INT_MIN)
        return INT_MIN;
    return static_cast<int>(number);
}

// Index of the first loaded entry with the label, or -1.
template <typename Entry>
int findLabel(const std::unique_ptr<Entry>* table, int count, const std::string& label)
{
    for (int i = 0; i < count; ++i)
        if (table[i]->getLabel() == label)
            return i;
    return -1;
}

// Frees the entry with the label and moves the later owners down, so every
// other entry keeps its own data and its place in load order.
template <typename Entry> int unloadLabel(std::unique_ptr<Entry>* table, int& count, const std::string& label)
{
    const int found = findLabel(table, count, label);
    if (found < 0)
        return -1;
    for (int j = found; j < count - 1; ++j)
        table[j] = std::move(table[j + 1]);
    table[--count].reset();
    return 0;
}

template <typename Entry>
Entry* getLabel(const std::unique_ptr<Entry>* table, int count, const std::string& label)
{
    const int found = findLabel(table, count, label);
    return found < 0 ? nullptr : table[found].get();
}

} // namespace

int readLineInt(LineReader& file, const std::string& keyword)
{
    std::string line;
    file.readLine(line);
    std::istringstream words(line);
    std::string first_word;
    words >> first_word;
    if (first_word != keyword)
        return -1;
    return parseNumber(afterKeyword(line, keyword));
}

std::string readLineStr(LineReader& file, const std::string& keyword)
{
    std::string line;
    file.readLine(line);
    return afterKeyword(line, keyword);
}

Frame parseFrame(LineReader& file, int width, int height)
{
    std::string frame_str;
    std::string line;
    for (int row = 0; row < height; ++row) {
        if (!file.readLine(line) || static_cast<long>(line.size()) != width)
            return Frame();
        frame_str += line;
    }
    if (!file.readLine(line) || line != END_FRAME_TOKEN)
        return Frame();
    return Frame(width, height, std::move(frame_str));
}

ResourceManager& ResourceManager::getInstance()
{
    static ResourceManager instance;
    return instance;
}

ResourceManager::ResourceManager()
{
    setType("ResourceManager");
    // The audio library reports its errors, also those of a sound or music
    // destroyed without a sound device, on a stream made at its first use.
    // Made before this manager, it is destroyed after it at the program's end.
    sf::err();
}

ResourceManager::~ResourceManager()
{
    for (int i = 0; i < sprite_count; ++i)
        delete p_sprite[i];
}

void ResourceManager::setSilent(bool new_silent)
{
    // OpenAL Soft reads its list of outputs when the audio library first
    // opens the device, on the first sound or music object.
    if (new_silent)
        platform::setEnvironment("ALSOFT_DRIVERS", "null");
    silent = silent || new_silent;
}

bool ResourceManager::isSilent() const
{
    return silent;
}

void ResourceManager::setSoundVolume(int percent)
{
    sound_volume = std::clamp(percent, VOLUME_MIN, VOLUME_MAX);
    applyVolumes();
}

int ResourceManager::getSoundVolume() const
{
    return sound_volume;
}

void ResourceManager::setMusicVolume(int percent)
{
    music_volume = std::clamp(percent, VOLUME_MIN, VOLUME_MAX);
    applyVolumes();
}

int ResourceManager::getMusicVolume() const
{
    return music_volume;
}

void ResourceManager::setMuted(bool new_muted)
{
    muted = new_muted;
    applyVolumes();
}

bool ResourceManager::isMuted() const
{
    return muted;
}

float ResourceManager::heardSoundVolume() const
{
    return muted ? 0.0f : float(sound_volume);
}

float ResourceManager::heardMusicVolume() const
{
    return muted ? 0.0f : float(music_volume);
}

void ResourceManager::applyVolumes()
{
    for (int i = 0; i < sound_count; ++i)
        sound[i]->setVolume(heardSoundVolume());
    for (int i = 0; i < music_count; ++i)
        music[i]->setVolume(heardMusicVolume());
}

void ResourceManager::prepareAudioOutput()
{
    // Without a device every sound and music would report its errors on
    // standard error, the streaming music in an endless flood. The device is
    // looked for once, before the audio library first opens it.
    if (audio_output_prepared)
        return;
    audio_output_prepared = true;
    if (silent || platform::audioDeviceOpens())
        return;
    setSilent(true);
    LogManager::getInstance().writeLog("No sound device could be opened: sound and music play silently");
}

int ResourceManager::startUp()
{
    setType("ResourceManager");
    // A second start-up begins with an empty sprite table. Objects may still
    // show the sprites it held, so they are kept until the shut-down.
    for (int i = 0; i < sprite_count; ++i) {
        retired_sprites.emplace_back(p_sprite[i]);
        p_sprite[i] = nullptr;
    }
    sprite_count = 0;
    return Manager::startUp();
}

void ResourceManager::stopAllMusic()
{
    for (int i = 0; i < music_count; ++i)
        music[i]->stop();
}

void ResourceManager::shutDown()
{
    for (int i = 0; i < sprite_count; ++i) {
        delete p_sprite[i];
        p_sprite[i] = nullptr;
    }
    sprite_count = 0;
    retired_sprites.clear();
    Manager::shutDown();
}

int ResourceManager::loadSprite(std::string filename, std::string label)
{
    ZP_LOOP_THREAD_ONLY("ResourceManager::loadSprite");
    if (sprite_count == MAX_SPRITES) {
        LogManager::getInstance().writeLog("Sprite array full, cannot load %s", filename.c_str());
        return -1;
    }
    // A file that is not a regular file (a FIFO, a device) counts as missing.
    LineReader file(filename);
    if (!file.isOpen()) {
        LogManager::getInstance().writeLog("Could not find sprite file %s", filename.c_str());
        return -1;
    }

    // Read as the format's readers read it; the reader also says what was
    // wrong first, and where.
    SpriteReader reader(file, filename);
    LogManager& log = LogManager::getInstance();
    const auto refuse = [&] {
        log.writeLog(LOG_WARNING, "%s", reader.hasProblem() ? reader.problem().c_str() : filename.c_str());
        return -1;
    };
    const int frames = reader.numberLine(FRAMES_TOKEN, "first");
    const std::size_t header_problems = reader.problems().size();
    const int width = reader.numberLine(WIDTH_TOKEN, "second");
    if (reader.problems().size() == header_problems)
        reader.checkSize(WIDTH_TOKEN, width, 2);
    const std::size_t width_problems = reader.problems().size();
    const int height = reader.numberLine(HEIGHT_TOKEN, "third");
    if (reader.problems().size() == width_problems)
        reader.checkSize(HEIGHT_TOKEN, height, 3);
    bool color_line = false;
    const std::string color_name = reader.colorLine(color_line);
    if (frames < 0) {
        if (header_problems == 0)
            reader.note(1, "\"frames " + std::to_string(frames) + "\": a sprite has 0 frames or more");
        return refuse();
    }
    for (const auto& [keyword, value] : {std::pair{WIDTH_TOKEN, width}, std::pair{HEIGHT_TOKEN, height}}) {
        if (value > MAX_COORDINATE || value < -MAX_COORDINATE) {
            log.writeLog("Sprite file %s: %s %d out of range", filename.c_str(), keyword.c_str(), value);
            return -1;
        }
    }

    auto sprite = std::make_unique<Sprite>(frames);
    sprite->setLabel(std::move(label));
    sprite->setHeight(height);
    sprite->setWidth(width);
    bool color_known = false;
    for (const ColorName& entry : COLOR_NAMES) {
        if (color_name == entry.name) {
            sprite->setColor(entry.color);
            color_known = true;
            break;
        }
    }
    // The sprite stays white, as it always has; the log says why.
    if (!color_known && color_line)
        log.writeLog(LOG_WARNING, "%s",
                     reader
                         .atLine(4, "unknown colour \"" + color_name +
                                        "\" (black, red, green, yellow, blue, magenta, cyan or white): the "
                                        "sprite is white")
                         .c_str());

    // A count larger than the file can hold stops at the end of the file;
    // the "eof" check below then fails.
    std::vector<std::string> empty_frames;
    for (int i = 0; i < frames && !reader.atEnd(); ++i) {
        const std::size_t problems_before = reader.problems().size();
        const Frame frame = reader.frame(width, height, i + 1, frames);
        if (frame.getString().empty() && reader.problems().size() == problems_before)
            empty_frames.push_back(
                reader.atLine(reader.getLineNumber(),
                              "frame " + std::to_string(i + 1) + " is empty: nothing of it is drawn"));
        sprite->pushFrame(frame);
    }

    if (!reader.eofLine(sprite->getFrameCount()))
        return refuse();

    // It loads; what was wrong on the way is still worth a line.
    for (const std::string& problem : reader.problems())
        log.writeLog(LOG_WARNING, "%s", problem.c_str());
    for (const std::string& empty : empty_frames)
        log.writeLog(LOG_WARNING, "%s", empty.c_str());
    p_sprite[sprite_count++] = sprite.release();
    return 0;
}

int ResourceManager::unloadSprite(std::string label)
{
    ZP_LOOP_THREAD_ONLY("ResourceManager::unloadSprite");
    for (int i = 0; i < sprite_count; ++i) {
        if (p_sprite[i]->getLabel() != label)
            continue;
        delete p_sprite[i];
        for (int j = i; j < sprite_count - 1; ++j)
            p_sprite[j] = p_sprite[j + 1];
        p_sprite[--sprite_count] = nullptr;
        return 0;
    }
    return -1;
}

Sprite* ResourceManager::getSprite(std::string label) const
{
    ZP_LOOP_THREAD_ONLY("ResourceManager::getSprite");
    for (int i = 0; i < sprite_count; ++i)
        if (p_sprite[i]->getLabel() == label)
            return p_sprite[i];
    return nullptr;
}

int ResourceManager::getSpriteCount() const
{
    return sprite_count;
}

int ResourceManager::loadSound(std::string filename, std::string label)
{
    ZP_LOOP_THREAD_ONLY("ResourceManager::loadSound");
    if (sound_count == MAX_SOUNDS) {
        LogManager::getInstance().writeLog("Sound array full");
        return -1;
    }
    prepareAudioOutput();
    auto entry = std::make_unique<Sound>();
    if (entry->loadSound(std::move(filename)) != 0) {
        LogManager::getInstance().writeLog("Unable to load from file");
        return -1;
    }
    entry->setLabel(std::move(label));
    entry->setVolume(heardSoundVolume());
    sound[sound_count++] = std::move(entry);
    return 0;
}

int ResourceManager::unloadSound(std::string label)
{
    ZP_LOOP_THREAD_ONLY("ResourceManager::unloadSound");
    return unloadLabel(sound, sound_count, label);
}

Sound* ResourceManager::getSound(std::string label) const
{
    ZP_LOOP_THREAD_ONLY("ResourceManager::getSound");
    return getLabel(sound, sound_count, label);
}

int ResourceManager::getSoundCount() const
{
    return sound_count;
}

int ResourceManager::loadMusic(std::string filename, std::string label)
{
    ZP_LOOP_THREAD_ONLY("ResourceManager::loadMusic");
    if (music_count == MAX_MUSICS) {
        LogManager::getInstance().writeLog("Music array full");
        return -1;
    }
    prepareAudioOutput();
    auto entry = std::make_unique<Music>();
    if (entry->loadMusic(std::move(filename)) != 0) {
        LogManager::getInstance().writeLog("Unable to load from file");
        return -1;
    }
    entry->setLabel(std::move(label));
    entry->setVolume(heardMusicVolume());
    music[music_count++] = std::move(entry);
    return 0;
}

int ResourceManager::unloadMusic(std::string label)
{
    ZP_LOOP_THREAD_ONLY("ResourceManager::unloadMusic");
    return unloadLabel(music, music_count, label);
}

Music* ResourceManager::getMusic(std::string label) const
{
    ZP_LOOP_THREAD_ONLY("ResourceManager::getMusic");
    return getLabel(music, music_count, label);
}

int ResourceManager::getMusicCount() const
{
    return music_count;
}

} // namespace zp
