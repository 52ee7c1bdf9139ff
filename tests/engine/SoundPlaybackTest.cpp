// Real audio output: OpenAL Soft's wave backend records everything the
// program plays into a WAV file, which these tests read back. The backend is
// chosen through the environment before the first audio object of the
// process exists, so each test runs in a fresh process of its own.
#include "support/Environment.h"
#include "support/FreshProcess.h"
#include "support/RunDir.h"
#include "support/Wav.h"

#include "zp/Music.h"
#include "zp/ResourceManager.h"
#include "zp/Sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

namespace {

using zp::test::fixture;

// Samples whose magnitude stays below this are silence; a tone at half
// amplitude peaks far above LOUD.
const float SILENT = 0.002f;
const float LOUD = 0.1f;
const double WINDOW_SECONDS = 0.01;
// What may already be mixed, or buffered in the backend's file stream, when
// play or stop is called.
const double SLACK_SECONDS = 0.5;
const double BEEP_SECONDS = 0.3;

// Route all audio of this process into a WAV file in the run folder.
const std::string& recordingPath()
{
    static const std::string path = [] {
        std::string wav = zp::test::runDir() + "/recording.wav";
        std::string conf = zp::test::writeFile("alsoft.conf", "[general]\nchannels = mono\n"
                                                              "sample-type = int16\nfrequency = 22050\n"
                                                              "[wave]\nfile = " +
                                                                  wav + "\n");
        zp::test::setEnvironmentVariable("ALSOFT_DRIVERS", "wave");
        zp::test::setEnvironmentVariable("ALSOFT_CONF", conf.c_str());
        return wav;
    }();
    return path;
}

// The recording so far: the magnitude of each (mono) frame, from 0 to 1.
struct Recording {
    unsigned rate = 0;
    std::vector<float> frames;

    size_t at(double seconds) const { return size_t(seconds * rate); }
    double seconds() const { return rate ? double(frames.size()) / rate : 0; }
};

Recording readRecording()
{
    const zp::test::WavSamples wav = zp::test::readWav(recordingPath());
    Recording recording;
    recording.rate = unsigned(wav.sample_rate);
    for (float sample : wav.samples)
        recording.frames.push_back(std::abs(sample));
    return recording;
}

// Reads the recording until it holds at least `seconds` of audio; the
// backend writes in real time, so this waits (with a generous deadline).
Recording recordingOf(double seconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    Recording recording = readRecording();
    while (recording.seconds() < seconds && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        recording = readRecording();
    }
    return recording;
}

// Per window of WINDOW_SECONDS between two times: whether it is loud or silent.
int countWindows(const Recording& recording, double from, double to, bool loud)
{
    size_t window = recording.at(WINDOW_SECONDS);
    int count = 0;
    for (size_t start = recording.at(from);
         start + window <= std::min(recording.at(to), recording.frames.size()); start += window) {
        float peak = 0;
        for (size_t i = start; i < start + window; ++i)
            peak = std::max(peak, recording.frames[i]);
        count += loud ? (peak >= LOUD) : (peak <= SILENT);
    }
    return count;
}

// The loudest frame between two times.
float peakBetween(const Recording& recording, double from, double to)
{
    float peak = 0;
    for (size_t i = recording.at(from); i < std::min(recording.at(to), recording.frames.size()); ++i)
        peak = std::max(peak, recording.frames[i]);
    return peak;
}

int windowsBetween(const Recording& recording, double from, double to)
{
    return int((recording.at(to) - recording.at(from)) / recording.at(WINDOW_SECONDS));
}

// The first time at or after `from` where a loud window starts, or -1.
double firstLoud(const Recording& recording, double from)
{
    for (double t = from; t + WINDOW_SECONDS <= recording.seconds(); t += WINDOW_SECONDS)
        if (countWindows(recording, t, t + WINDOW_SECONDS, true) == 1)
            return t;
    return -1;
}

class SoundPlaybackTest : public testing::Test {
protected:
    // Call first in the fresh process: routes its audio into the recording.
    void startRecording()
    {
        recordingPath();
        // The first audio object opens the device, which starts recording.
        device_user = std::make_unique<sf::SoundBuffer>();
        // Something recorded before anything plays: the device is running.
        Recording before = recordingOf(0.2);
        ASSERT_GE(before.seconds(), 0.2) << "no recording: was the wave backend the first audio use?";
        ASSERT_EQ(before.rate, 22050u);
    }

    std::unique_ptr<sf::SoundBuffer> device_user;

    // Plays once: a stretch as long as the sound is loud, then silence again.
    void expectOnePlay(const std::function<void()>& play, double sound_seconds)
    {
        double start = readRecording().seconds();
        EXPECT_EQ(countWindows(readRecording(), 0, start, true), 0) << "loud before playing";
        play();
        Recording after = recordingOf(start + sound_seconds + 2 * SLACK_SECONDS);
        double onset = firstLoud(after, start);
        ASSERT_GE(onset, 0) << "nothing was heard";
        int sound_windows = int(sound_seconds / WINDOW_SECONDS);
        int loud = countWindows(after, onset, after.seconds(), true);
        EXPECT_GE(loud, sound_windows - 2);
        EXPECT_LE(loud, sound_windows + 2);
        EXPECT_EQ(countWindows(after, onset + sound_seconds + WINDOW_SECONDS, after.seconds(), false),
                  windowsBetween(after, onset + sound_seconds + WINDOW_SECONDS, after.seconds()))
            << "not silent after one play";
    }

    // Loops without a gap until stopped, then falls silent.
    void expectLoopUntilStop(const std::function<void()>& play, const std::function<void()>& stop,
                             double sound_seconds)
    {
        double start = readRecording().seconds();
        play();
        Recording playing = recordingOf(start + SLACK_SECONDS + 3 * sound_seconds);
        double onset = firstLoud(playing, start);
        ASSERT_GE(onset, 0) << "nothing was heard";
        double loop_end = onset + 3 * sound_seconds;
        playing = recordingOf(loop_end);
        EXPECT_EQ(countWindows(playing, onset, loop_end, true), windowsBetween(playing, onset, loop_end))
            << "the loop has gaps or ended by itself";

        stop();
        double stopped = readRecording().seconds();
        Recording after = recordingOf(stopped + 3 * SLACK_SECONDS);
        EXPECT_EQ(countWindows(after, stopped + SLACK_SECONDS, after.seconds(), false),
                  windowsBetween(after, stopped + SLACK_SECONDS, after.seconds()))
            << "still sounding after stop";
    }
};

TEST_F(SoundPlaybackTest, ASoundPlaysOnceOrLoopsUntilStopped)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        ASSERT_NO_FATAL_FAILURE(startRecording());
        zp::ResourceManager& resources = zp::ResourceManager::getInstance();
        ASSERT_EQ(resources.loadSound(fixture("audio/beep.wav"), "beep"), 0);
        zp::Sound* p_beep = resources.getSound("beep");
        expectOnePlay([&] { p_beep->play(false); }, BEEP_SECONDS);
        expectLoopUntilStop([&] { p_beep->play(true); }, [&] { p_beep->stop(); }, BEEP_SECONDS);
    });
}

TEST_F(SoundPlaybackTest, ACopiedSoundPlaysItsOwnSamplesAfterTheOriginalIsGone)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        ASSERT_NO_FATAL_FAILURE(startRecording());
        auto p_original = std::make_unique<zp::Sound>();
        ASSERT_EQ(p_original->loadSound(fixture("audio/beep.wav")), 0);
        zp::Sound copy(*p_original);
        p_original.reset();
        expectOnePlay([&] { copy.play(false); }, BEEP_SECONDS);
    });
}

TEST_F(SoundPlaybackTest, SoundsMovedUpByAnUnloadStillPlay)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        ASSERT_NO_FATAL_FAILURE(startRecording());
        zp::ResourceManager& resources = zp::ResourceManager::getInstance();
        ASSERT_EQ(resources.loadSound(fixture("audio/click.wav"), "first"), 0);
        ASSERT_EQ(resources.loadSound(fixture("audio/beep.wav"), "second"), 0);
        ASSERT_EQ(resources.unloadSound("first"), 0);
        expectOnePlay([&] { resources.getSound("second")->play(false); }, BEEP_SECONDS);
    });
}

TEST_F(SoundPlaybackTest, MusicLoopsUntilStopped)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        ASSERT_NO_FATAL_FAILURE(startRecording());
        zp::ResourceManager& resources = zp::ResourceManager::getInstance();
        ASSERT_EQ(resources.loadMusic(fixture("audio/beep.wav"), "tune"), 0);
        zp::Music* p_tune = resources.getMusic("tune");
        expectLoopUntilStop([&] { p_tune->play(true); }, [&] { p_tune->stop(); }, BEEP_SECONDS);
    });
}

// The volumes and the mute change what is heard: a sound at half volume
// peaks at half the height, a muted one is silent; a music's volume changes
// while it plays.
TEST_F(SoundPlaybackTest, VolumesAndMuteChangeWhatIsHeard)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        ASSERT_NO_FATAL_FAILURE(startRecording());
        zp::ResourceManager& resources = zp::ResourceManager::getInstance();
        ASSERT_EQ(resources.loadSound(fixture("audio/beep.wav"), "beep"), 0);
        zp::Sound* p_beep = resources.getSound("beep");
        // Plays the beep once; its loudest frame.
        const auto playedPeak = [&] {
            const double start = readRecording().seconds();
            p_beep->play(false);
            const Recording after = recordingOf(start + BEEP_SECONDS + 2 * SLACK_SECONDS);
            return peakBetween(after, start, after.seconds());
        };
        const float full = playedPeak();
        ASSERT_GE(full, LOUD);
        resources.setSoundVolume(50);
        EXPECT_NEAR(playedPeak(), full / 2, full * 0.1);
        resources.setMuted(true);
        EXPECT_LE(playedPeak(), SILENT);
        EXPECT_EQ(resources.getSoundVolume(), 50) << "the volume is kept under the mute";
        resources.setMuted(false);
        EXPECT_NEAR(playedPeak(), full / 2, full * 0.1);

        ASSERT_EQ(resources.loadMusic(fixture("audio/beep.wav"), "tune"), 0);
        zp::Music* p_tune = resources.getMusic("tune");
        const double start = readRecording().seconds();
        p_tune->play(true);
        const Recording loud = recordingOf(start + SLACK_SECONDS + 2 * BEEP_SECONDS);
        EXPECT_NEAR(peakBetween(loud, start, loud.seconds()), full, full * 0.1);
        resources.setMusicVolume(30);
        const double quieter = readRecording().seconds() + SLACK_SECONDS;
        const Recording soft = recordingOf(quieter + 2 * BEEP_SECONDS);
        EXPECT_NEAR(peakBetween(soft, quieter, soft.seconds()), full * 0.3, full * 0.1);
        resources.setMuted(true);
        const double muted = readRecording().seconds() + SLACK_SECONDS;
        const Recording silent = recordingOf(muted + 2 * BEEP_SECONDS);
        EXPECT_LE(peakBetween(silent, muted, silent.seconds()), SILENT);
        p_tune->stop();
    });
}

} // namespace
