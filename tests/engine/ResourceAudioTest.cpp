// The sound and music tables and the Sound wrapper's copies. Audio runs on
// OpenAL Soft's null backend here (see SoundPlaybackTest for real output).
#include "support/EngineFixture.h"
#include "support/RunDir.h"

#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/ResourceManager.h"
#include "zp/Sound.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST_F(ResourceAudioTest, UnreadableFilesAreLoggedAndTheirPlaceReused)
{
    const char* bad_files[] = {"no-such-file.wav", "not_audio.wav"};
    for (const char* file : bad_files) {
        SCOPED_TRACE(file);
        EXPECT_EQ(resources.loadSound(audio(file), "bad"), -1);
        EXPECT_EQ(resources.loadMusic(audio(file), "bad"), -1);
    }
    std::string line = "Message: Unable to load from file\n";
    EXPECT_EQ(log(), line + line + line + line);
    EXPECT_EQ(resources.getSoundCount(), 0);
    EXPECT_EQ(resources.getMusicCount(), 0);

    ASSERT_EQ(resources.loadSound(audio("beep.wav"), "s0"), 0);
    ASSERT_EQ(resources.loadMusic(audio("beep.wav"), "m"), 0);
    EXPECT_EQ(resources.getSoundCount(), 1);
    EXPECT_EQ(resources.getMusicCount(), 1);
    EXPECT_EQ(resources.getSound("bad"), nullptr);
    EXPECT_EQ(resources.getMusic("bad"), nullptr);
}

// Files the audio library opens as a stream although nothing in them can be
// played count as failed loads, like files it cannot open at all.
TEST_F(ResourceAudioTest, MusicThatOpensButCannotPlayIsRefused)
{
    const char* unplayable[] = {"cut_to_1_percent.wav", "zero_hz.wav", "zero_channels.wav",
                                "nine_channels.wav", "no_samples.wav"};
    std::string lines;
    for (const char* file : unplayable) {
        SCOPED_TRACE(file);
        EXPECT_EQ(resources.loadMusic(audio(file), "m"), -1);
        EXPECT_EQ(resources.getMusicCount(), 0);
        EXPECT_EQ(resources.getMusic("m"), nullptr);
        // A sound is decoded whole, so the same files already fail there.
        EXPECT_EQ(resources.loadSound(audio(file), "s0"), -1);
        lines += "Message: Unable to load from file\nMessage: Unable to load from file\n";
        EXPECT_EQ(log(), lines);
    }
    ASSERT_EQ(resources.loadMusic(audio("beep.wav"), "m"), 0);
    EXPECT_EQ(samplesOf(resources.getMusic("m")), BEEP_SAMPLES);
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
