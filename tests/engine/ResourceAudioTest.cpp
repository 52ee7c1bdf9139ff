// The sound and music tables and the Sound wrapper's copies. Audio runs on
// OpenAL Soft's null backend here (see SoundPlaybackTest for real output).
#include "support/EngineFixture.h"
#include "support/Environment.h"
#include "support/FreshProcess.h"
#include "support/RunDir.h"

#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/ResourceManager.h"
#include "zp/Sound.h"

#include <SFML/Audio/OutputSoundFile.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using zp::test::fixture;

const sf::Uint64 BEEP_SAMPLES = 6615;
const sf::Uint64 CLICK_SAMPLES = 1102;
const sf::Uint64 CHIRP_SAMPLES = 3307;

std::string audio(const std::string& name)
{
    return fixture("audio/" + name);
}

sf::Uint64 samplesOf(const zp::Sound* p_sound)
{
    sf::Sound player = p_sound->getSound();
    return player.getBuffer() ? player.getBuffer()->getSampleCount() : 0;
}

sf::Uint64 samplesOf(zp::Music* p_music)
{
    sf::Music& stream = *p_music->getMusic();
    double seconds = double(stream.getDuration().asMicroseconds()) / 1e6;
    return sf::Uint64(std::llround(seconds * stream.getSampleRate() * stream.getChannelCount()));
}

class ResourceAudioTest : public zp::test::EngineFixture {
protected:
    // The sound and music tables outlive a shut-down: empty them by label.
    void TearDown() override
    {
        for (int i = 0; i <= zp::MAX_SOUNDS; ++i)
            while (resources.unloadSound("s" + std::to_string(i)) == 0) {
            }
        for (const char* label : {"P", "Q", "R", "dup", "m"})
            while (resources.unloadMusic(label) == 0) {
            }
        EXPECT_EQ(resources.getSoundCount(), 0);
        EXPECT_EQ(resources.getMusicCount(), 0);
        EngineFixture::TearDown();
    }

    static std::string log() { return zp::test::readFile(zp::test::runDir() + "/zephane.log"); }

    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
};

TEST_F(ResourceAudioTest, SoundsAreFoundByExactLabel)
{
    ASSERT_EQ(resources.loadSound(audio("beep.wav"), "s0"), 0);
    ASSERT_EQ(resources.loadSound(audio("click.wav"), "s1"), 0);
    EXPECT_EQ(resources.getSoundCount(), 2);
    ASSERT_NE(resources.getSound("s0"), nullptr);
    EXPECT_EQ(resources.getSound("s0")->getLabel(), "s0");
    EXPECT_EQ(samplesOf(resources.getSound("s0")), BEEP_SAMPLES);
    EXPECT_EQ(samplesOf(resources.getSound("s1")), CLICK_SAMPLES);
    EXPECT_EQ(resources.getSound("S0"), nullptr);
    EXPECT_EQ(resources.getSound("s0 "), nullptr);
    EXPECT_EQ(log(), "");
}

TEST_F(ResourceAudioTest, TheHundredAndTwentyNinthSoundIsRefused)
{
    for (int i = 0; i < zp::MAX_SOUNDS; ++i)
        ASSERT_EQ(resources.loadSound(audio("click.wav"), "s" + std::to_string(i)), 0) << i;
    EXPECT_EQ(resources.loadSound(audio("click.wav"), "s128"), -1);
    EXPECT_EQ(resources.getSoundCount(), zp::MAX_SOUNDS);
    EXPECT_EQ(resources.getSound("s128"), nullptr);
    EXPECT_EQ(log(), "Message: Sound array full\n");
}

TEST_F(ResourceAudioTest, TheHundredAndTwentyNinthTrackIsRefused)
{
    for (int i = 0; i < zp::MAX_MUSICS; ++i)
        ASSERT_EQ(resources.loadMusic(audio("click.wav"), "m"), 0) << i;
    EXPECT_EQ(resources.loadMusic(audio("click.wav"), "one more"), -1);
    EXPECT_EQ(resources.getMusicCount(), zp::MAX_MUSICS);
    EXPECT_EQ(resources.getMusic("one more"), nullptr);
    EXPECT_EQ(log(), "Message: Music array full\n");
}

#ifndef _WIN32 // FIFOs, devices and symbolic links as POSIX has them
// Files that are not audio, or not files: each load fails with the engine's
// line, after a line that names the file and what was wrong when the
// engine could tell before the audio library opened it.
TEST_F(ResourceAudioTest, UnreadableFilesAreLoggedAndTheirPlaceReused)
{
    const std::string fifo = zp::test::runDir() + "/fifo.wav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string file;
        std::string why; // empty: the audio library refused it
    } cases[] = {
        {audio("no-such-file.wav"), "not found"},
        {audio("not_audio.wav"), ""},
        {fifo, "not a regular file"}, // the library would wait for a writer for ever
        {zp::test::runDir(), "not a regular file"},
        {"/dev/zero", "not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string before = log();
        EXPECT_EQ(resources.loadSound(c.file, "bad"), -1);
        EXPECT_EQ(resources.loadMusic(c.file, "bad"), -1);
        const std::string why = c.why.empty() ? "" : "Message: Audio file " + c.file + ": " + c.why + "\n";
        const std::string line = why + "Message: Unable to load from file\n";
        EXPECT_EQ(log(), before + line + line);
    }
    EXPECT_EQ(resources.getSoundCount(), 0);
    EXPECT_EQ(resources.getMusicCount(), 0);

    ASSERT_EQ(resources.loadSound(audio("beep.wav"), "s0"), 0);
    ASSERT_EQ(resources.loadMusic(audio("beep.wav"), "m"), 0);
    EXPECT_EQ(resources.getSoundCount(), 1);
    EXPECT_EQ(resources.getMusicCount(), 1);
    EXPECT_EQ(resources.getSound("bad"), nullptr);
    EXPECT_EQ(resources.getMusic("bad"), nullptr);
}
#endif

// The fields of a PCM WAV file's header, written as they are given.
struct WavShape {
    unsigned channels = 1;
    std::uint32_t rate = 22050;
    unsigned bits = 16;
    unsigned frame_bytes = 2;
    std::uint32_t format_chunk_bytes = 16;
    unsigned frames = 6;
};

std::string writeWavShape(const std::string& name, const WavShape& shape)
{
    std::string bytes;
    const auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(char(v >> (8 * i) & 0xff));
    };
    const auto put16 = [&](unsigned v) {
        bytes.push_back(char(v & 0xff));
        bytes.push_back(char(v >> 8 & 0xff));
    };
    const std::uint32_t data_bytes = shape.frames * shape.frame_bytes;
    bytes += "RIFF";
    put32(36 + data_bytes);
    bytes += "WAVEfmt ";
    put32(shape.format_chunk_bytes);
    put16(1); // PCM
    put16(shape.channels);
    put32(shape.rate);
    put32(shape.rate * shape.frame_bytes);
    put16(shape.frame_bytes);
    put16(shape.bits);
    bytes += "data";
    put32(data_bytes);
    for (std::uint32_t i = 0; i < data_bytes; ++i)
        bytes.push_back(char(i * 37));
    return zp::test::writeFile(name, bytes);
}

// A FLAC file, which the engine does not read itself: only the audio
// library's look at it can refuse it.
std::string writeFlac(const std::string& name, unsigned rate)
{
    const std::string path = zp::test::runDir() + "/" + name;
    sf::OutputSoundFile file;
    if (!file.openFromFile(path, rate, 1))
        return "";
    const std::vector<sf::Int16> samples(600, 1000);
    file.write(samples.data(), samples.size());
    return path;
}

// Files the audio library would open although nothing in them can be played,
// or that would make it reserve more memory than any sound needs (a stream
// holds a second of samples, so a rate of 4294967295 Hz reserves gigabytes):
// failed loads, like files it cannot open at all.
TEST_F(ResourceAudioTest, AudioThatCannotBePlayedIsRefused)
{
    WavShape eight_channels_at_most_hz;
    eight_channels_at_most_hz.channels = 8;
    eight_channels_at_most_hz.rate = 0xFFFFFFFF;
    eight_channels_at_most_hz.frame_bytes = 16;
    WavShape too_fast;
    too_fast.rate = 384001;
    WavShape format_beyond_the_file;
    format_beyond_the_file.format_chunk_bytes = 0xFFFFFFF0;
    WavShape odd_frames;
    odd_frames.frame_bytes = 3;

    const struct {
        std::string file;
        std::string why; // empty: refused by the audio library's look
    } cases[] = {
        {audio("cut_to_1_percent.wav"), "a chunk of its header claims 13230 bytes, more than the file holds"},
        {audio("zero_hz.wav"), "a sample rate of 0 Hz (1 to 384000 Hz are played)"},
        {audio("zero_channels.wav"), "0 channels (1 to 8 are played)"},
        {audio("nine_channels.wav"), "9 channels (1 to 8 are played)"},
        {audio("huge_numbers.wav"), "65535 channels (1 to 8 are played)"},
        {audio("no_samples.wav"), ""},
        {writeWavShape("eight-channels-at-4294967295-hz.wav", eight_channels_at_most_hz),
         "a sample rate of 4294967295 Hz (1 to 384000 Hz are played)"},
        {writeWavShape("384001-hz.wav", too_fast), "a sample rate of 384001 Hz (1 to 384000 Hz are played)"},
        {writeWavShape("format-beyond-the-file.wav", format_beyond_the_file),
         "a chunk of its header claims 4294967280 bytes, more than the file holds"},
        {writeWavShape("odd-frames.wav", odd_frames), "16-bit samples in frames of 3 bytes"},
        {writeFlac("500000-hz.flac", 500000), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_FALSE(c.file.empty());
        const std::string before = log();
        EXPECT_EQ(resources.loadMusic(c.file, "m"), -1);
        EXPECT_EQ(resources.getMusicCount(), 0);
        EXPECT_EQ(resources.getMusic("m"), nullptr);
        // A sound is decoded whole: the same files fail there.
        EXPECT_EQ(resources.loadSound(c.file, "s0"), -1);
        EXPECT_EQ(resources.getSoundCount(), 0);
        const std::string why = c.why.empty() ? "" : "Message: Audio file " + c.file + ": " + c.why + "\n";
        const std::string line = why + "Message: Unable to load from file\n";
        EXPECT_EQ(log(), before + line + line);
    }
    ASSERT_EQ(resources.loadMusic(audio("beep.wav"), "m"), 0);
    EXPECT_EQ(samplesOf(resources.getMusic("m")), BEEP_SAMPLES);
}

// The rates at the ends of the range still play, in either format.
TEST_F(ResourceAudioTest, RatesFromOneHertzTo384KilohertzLoad)
{
    WavShape slowest;
    slowest.rate = 1;
    WavShape fastest;
    fastest.rate = 384000;
    WavShape stereo;
    stereo.channels = 2;
    stereo.frame_bytes = 4;
    for (const std::string& file :
         {writeWavShape("1-hz.wav", slowest), writeWavShape("384000-hz.wav", fastest),
          writeWavShape("stereo.wav", stereo), writeFlac("384000-hz.flac", 384000)}) {
        SCOPED_TRACE(file);
        ASSERT_FALSE(file.empty());
        EXPECT_EQ(resources.loadMusic(file, "m"), 0);
        EXPECT_EQ(resources.loadSound(file, "s0"), 0);
        EXPECT_EQ(resources.unloadMusic("m"), 0);
        EXPECT_EQ(resources.unloadSound("s0"), 0);
    }
    EXPECT_EQ(log(), "");
}

#ifndef _WIN32 // the device is looked for in a child process, as POSIX makes them
// Without a sound device the audio library reports every call of every
// sound and music on standard error, a streaming music without end. The
// manager looks for the device before its first sound, and without one goes
// silent by itself (as setSilent does), with one log line. The audio library
// settles its output once per process, hence a fresh one.
TEST_F(ResourceAudioTest, WithoutASoundDeviceTheManagerGoesSilentByItselfAndQuietly)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        // An output that opens no device: the wave writer with nowhere to write.
        const std::string here = zp::test::runDir();
        const std::string conf =
            zp::test::writeFile("alsoft.conf", "[wave]\nfile = " + here + "/gone/out.wav\n");
        zp::test::setEnvironmentVariable("ALSOFT_DRIVERS", "wave");
        zp::test::setEnvironmentVariable("ALSOFT_CONF", conf.c_str());
        const std::string errors = here + "/stderr.txt";
        std::fflush(stderr);
        const int saved_stderr = dup(STDERR_FILENO);
        const int errors_fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(errors_fd, 0);
        dup2(errors_fd, STDERR_FILENO);
        close(errors_fd);

        const bool sound_loaded = resources.loadSound(audio("beep.wav"), "s0") == 0;
        const bool music_loaded = resources.loadMusic(audio("beep.wav"), "m") == 0;
        if (music_loaded && sound_loaded) {
            resources.getMusic("m")->play(true);
            resources.getSound("s0")->play(false);
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            resources.getMusic("m")->stop();
        }
        std::fflush(stderr);
        dup2(saved_stderr, STDERR_FILENO);
        close(saved_stderr);

        EXPECT_TRUE(sound_loaded && music_loaded) << "silent, sounds and music load as ever";
        EXPECT_TRUE(resources.isSilent());
        EXPECT_STREQ(std::getenv("ALSOFT_DRIVERS"), "null");
        EXPECT_EQ(log(), "Message: No sound device could be opened: sound and music play silently\n");
        EXPECT_EQ(zp::test::readFile(errors), "");
    });
}
#endif

// With a device, nothing changes.
TEST_F(ResourceAudioTest, WithASoundDeviceTheManagerPlaysAsItWasTold)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        ASSERT_EQ(resources.loadMusic(audio("beep.wav"), "m"), 0);
        EXPECT_FALSE(resources.isSilent());
        EXPECT_EQ(log(), "");
    });
}

TEST_F(ResourceAudioTest, TheEarlierOfTwoEqualLabelsIsFound)
{
    ASSERT_EQ(resources.loadSound(audio("beep.wav"), "s0"), 0);
    ASSERT_EQ(resources.loadSound(audio("click.wav"), "s0"), 0);
    EXPECT_EQ(resources.getSoundCount(), 2);
    EXPECT_EQ(samplesOf(resources.getSound("s0")), BEEP_SAMPLES);

    ASSERT_EQ(resources.loadMusic(audio("beep.wav"), "dup"), 0);
    ASSERT_EQ(resources.loadMusic(audio("click.wav"), "dup"), 0);
    EXPECT_EQ(resources.getMusicCount(), 2);
    EXPECT_EQ(samplesOf(resources.getMusic("dup")), BEEP_SAMPLES);
}

TEST_F(ResourceAudioTest, UnloadingASoundKeepsTheOthersWithTheirOwnSamples)
{
    ASSERT_EQ(resources.loadSound(audio("beep.wav"), "s0"), 0);
    ASSERT_EQ(resources.loadSound(audio("click.wav"), "s1"), 0);
    ASSERT_EQ(resources.loadSound(audio("chirp.wav"), "s2"), 0);

    EXPECT_EQ(resources.unloadSound("s0"), 0);
    EXPECT_EQ(resources.getSoundCount(), 2);
    EXPECT_EQ(resources.getSound("s0"), nullptr);
    ASSERT_NE(resources.getSound("s1"), nullptr);
    ASSERT_NE(resources.getSound("s2"), nullptr);
    EXPECT_EQ(samplesOf(resources.getSound("s1")), CLICK_SAMPLES);
    EXPECT_EQ(samplesOf(resources.getSound("s2")), CHIRP_SAMPLES);

    EXPECT_EQ(resources.unloadSound("s0"), -1);
    EXPECT_EQ(resources.unloadSound("nothing"), -1);
    EXPECT_EQ(resources.getSoundCount(), 2);

    // The next load goes after the others, and the table stays in load order.
    ASSERT_EQ(resources.loadSound(audio("beep.wav"), "s1"), 0);
    EXPECT_EQ(samplesOf(resources.getSound("s1")), CLICK_SAMPLES);
    EXPECT_EQ(resources.unloadSound("s1"), 0);
    EXPECT_EQ(samplesOf(resources.getSound("s1")), BEEP_SAMPLES);
}

TEST_F(ResourceAudioTest, UnloadingATrackKeepsTheOthersUnderTheirLabels)
{
    ASSERT_EQ(resources.loadMusic(audio("beep.wav"), "P"), 0);
    ASSERT_EQ(resources.loadMusic(audio("click.wav"), "Q"), 0);
    ASSERT_EQ(resources.loadMusic(audio("chirp.wav"), "R"), 0);
    zp::Music* p_r = resources.getMusic("R");
    p_r->play(true);

    EXPECT_EQ(resources.unloadMusic("Q"), 0);
    EXPECT_EQ(resources.getMusicCount(), 2);
    EXPECT_EQ(resources.getMusic("Q"), nullptr);
    ASSERT_NE(resources.getMusic("P"), nullptr);
    EXPECT_EQ(samplesOf(resources.getMusic("P")), BEEP_SAMPLES);
    // The track itself did not move: it is still the same stream, still playing.
    EXPECT_EQ(resources.getMusic("R"), p_r);
    EXPECT_EQ(samplesOf(p_r), CHIRP_SAMPLES);
    EXPECT_EQ(p_r->getMusic()->getStatus(), sf::SoundSource::Playing);
    EXPECT_TRUE(p_r->getMusic()->getLoop());

    EXPECT_EQ(resources.unloadMusic("Q"), -1);
    EXPECT_EQ(resources.getMusicCount(), 2);
}

TEST_F(ResourceAudioTest, MusicPlaysPausesAndStops)
{
    ASSERT_EQ(resources.loadMusic(audio("beep.wav"), "m"), 0);
    zp::Music* p_music = resources.getMusic("m");
    sf::Music& stream = *p_music->getMusic();
    EXPECT_EQ(p_music->getLabel(), "m");
    EXPECT_EQ(stream.getStatus(), sf::SoundSource::Stopped);
    p_music->play(true);
    EXPECT_TRUE(stream.getLoop());
    EXPECT_EQ(stream.getStatus(), sf::SoundSource::Playing);
    p_music->pause();
    EXPECT_EQ(stream.getStatus(), sf::SoundSource::Paused);
    p_music->play(false);
    EXPECT_FALSE(stream.getLoop());
    p_music->stop();
    EXPECT_EQ(stream.getStatus(), sf::SoundSource::Stopped);
}

TEST(SoundCopy, ACopyHoldsItsOwnSamplesAndOutlivesTheOriginal)
{
    auto p_original = std::make_unique<zp::Sound>();
    ASSERT_EQ(p_original->loadSound(audio("beep.wav")), 0);
    p_original->setLabel("beep");
    p_original->play(true);

    zp::Sound copy(*p_original);
    EXPECT_EQ(copy.getLabel(), "beep");
    EXPECT_TRUE(copy.getSound().getLoop());
    const sf::SoundBuffer* p_copy_buffer = copy.getSound().getBuffer();
    ASSERT_NE(p_copy_buffer, nullptr);
    EXPECT_NE(p_copy_buffer, p_original->getSound().getBuffer());

    zp::Sound assigned;
    ASSERT_EQ(assigned.loadSound(audio("click.wav")), 0);
    assigned = *p_original;
    EXPECT_NE(assigned.getSound().getBuffer(), p_original->getSound().getBuffer());
    EXPECT_EQ(samplesOf(&assigned), BEEP_SAMPLES);

    // The original's samples are gone; the copies still read their own.
    p_original.reset();
    EXPECT_EQ(copy.getSound().getBuffer(), p_copy_buffer);
    EXPECT_EQ(samplesOf(&copy), BEEP_SAMPLES);
    EXPECT_EQ(copy.getSound().getBuffer()->getSamples()[BEEP_SAMPLES - 1],
              assigned.getSound().getBuffer()->getSamples()[BEEP_SAMPLES - 1]);
    copy.play(false);
    copy.stop();

    zp::Sound& self = assigned;
    assigned = self;
    EXPECT_EQ(samplesOf(&assigned), BEEP_SAMPLES);
}

TEST(SoundCopy, ACopyOfAnUnloadedSoundHasNoSamples)
{
    zp::Sound loaded;
    ASSERT_EQ(loaded.loadSound(audio("beep.wav")), 0);
    zp::Sound empty;
    zp::Sound copy(empty);
    EXPECT_EQ(copy.getSound().getBuffer(), nullptr);
    loaded = empty;
    EXPECT_EQ(loaded.getSound().getBuffer(), nullptr);
}

TEST(SoundLoad, FailureLeavesNoSamples)
{
    zp::Sound sound;
    EXPECT_EQ(sound.loadSound(audio("not_audio.wav")), -1);
    EXPECT_EQ(sound.getSound().getBuffer(), nullptr);
    EXPECT_EQ(sound.loadSound(audio("missing.wav")), -1);
    EXPECT_EQ(sound.loadSound(audio("click.wav")), 0);
    EXPECT_EQ(samplesOf(&sound), CLICK_SAMPLES);
}

} // namespace
