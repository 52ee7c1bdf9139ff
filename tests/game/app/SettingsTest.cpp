#include "app/Settings.h"

#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string settingsPath(const std::string& name)
{
    return (fs::path(zp::test::runDir()) / name / "cinderwatch" / "settings").string();
}

void writeSettings(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// The keys of the sounds, as a file without them gets them written.
const std::string AUDIO_LINES = "music_volume = 100\nsound_volume = 100\nmute = false\n";
const std::string DEFAULT_LINES =
    "window_width = 1024\nwindow_height = 768\nfullscreen = false\n" + AUDIO_LINES;

// What a file holds, what is read from it, what is said about it, and what
// is written back once the player has made the window 1280 x 720.
TEST(Settings, EachLineIsReadOrNamedAndWhatThePersonWroteSurvivesARewrite)
{
    const std::string nul_line = std::string("window_width = 12") + '\0' + "34\n";
    const struct {
        const char* name;
        std::string file;
        int width, height;
        bool fullscreen;
        std::vector<std::string> problems; // a piece of each problem, in order
        std::string rewritten;
    } cases[] = {
        {"no file",
         "",
         1024,
         768,
         false,
         {},
         "window_width = 1280\nwindow_height = 720\nfullscreen = false\n" + AUDIO_LINES},
        {"every key",
         "window_width = 1920\nwindow_height = 1080\nfullscreen = true\n",
         1920,
         1080,
         true,
         {},
         "window_width = 1280\nwindow_height = 720\nfullscreen = true\n" + AUDIO_LINES},
        {"spaces, tabs and CRLF",
         "  window_width\t=\t800 \r\nfullscreen=yes\r\n",
         800,
         768,
         true,
         {},
         "window_width = 1280\nfullscreen = true\nwindow_height = 720\n" + AUDIO_LINES},
        {"a value that is no number",
         "window_width = banana\nwindow_height = 900\n",
         1024,
         900,
         false,
         {"line 1: window_width takes a whole number from 1 to 16384, not 'banana'; it keeps its default "
          "(1024)"},
         "window_width = 1280\nwindow_height = 720\nfullscreen = false\n" + AUDIO_LINES},
        {"numbers out of range",
         "window_height = 0\nwindow_width = 99999999999\nwindow_width = -3\n",
         1024,
         768,
         false,
         {"line 1: window_height takes", "line 2: window_width takes", "line 3: window_width takes"},
         "window_height = 720\nwindow_width = 1280\nwindow_width = 1280\nfullscreen = false\n" + AUDIO_LINES},
        {"a bad line keeps the default even after a good one",
         "window_width = 900\nwindow_width = 9x\n",
         1024,
         768,
         false,
         {"line 2: window_width takes"},
         "window_width = 1280\nwindow_width = 1280\nwindow_height = 720\nfullscreen = false\n" + AUDIO_LINES},
        {"no equals sign",
         "fullscreen\nwindow_height = 600\n",
         1024,
         600,
         false,
         {"line 1: 'fullscreen' is not a 'key = value' line; it is ignored"},
         "fullscreen\nwindow_height = 720\nwindow_width = 1280\nfullscreen = false\n" + AUDIO_LINES},
        {"not true or false",
         "fullscreen = maybe\n",
         1024,
         768,
         false,
         {"line 1: fullscreen takes true or false, not 'maybe'"},
         "fullscreen = false\nwindow_width = 1280\nwindow_height = 720\n" + AUDIO_LINES},
        {"unknown keys, comments and blanks stay where they were",
         "# my settings\nmusic_volume = 70\n\nwindow_width = 640\nsome future key = a, b\n",
         640,
         768,
         false,
         {},
         "# my settings\nmusic_volume = 70\n\nwindow_width = 1280\nsome future key = a, b\nwindow_height = "
         "720\nfullscreen = false\nsound_volume = 100\nmute = false\n"},
        {"a NUL byte",
         nul_line + "window_height = 500\n",
         1024,
         500,
         false,
         {"line 1: not a line of text"},
         nul_line + "window_height = 720\nwindow_width = 1280\nfullscreen = false\n" + AUDIO_LINES},
        {"a line far too long",
         std::string(2000, 'x') + "\nfullscreen = on\n",
         1024,
         768,
         true,
         {"line 1: not a line of text"},
         std::string(2000, 'x') + "\nfullscreen = true\nwindow_width = 1280\nwindow_height = 720\n" +
             AUDIO_LINES},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = settingsPath("case" + std::to_string(number++));
        if (!c.file.empty())
            writeSettings(path, c.file);
        Settings settings(path);
        std::vector<std::string> problems;
        EXPECT_EQ(settings.load(problems), 0);
        EXPECT_EQ(settings.getValues().window_width, c.width);
        EXPECT_EQ(settings.getValues().window_height, c.height);
        EXPECT_EQ(settings.getValues().fullscreen, c.fullscreen);
        ASSERT_EQ(problems.size(), c.problems.size());
        for (size_t i = 0; i < problems.size(); ++i) {
            EXPECT_NE(problems[i].find(c.problems[i]), std::string::npos) << problems[i];
            EXPECT_EQ(problems[i].rfind(path, 0), 0u) << "names the file: " << problems[i];
        }
        EXPECT_EQ(readAll(path), c.file) << "reading changes nothing";

        SettingsValues changed = settings.getValues();
        changed.window_width = 1280;
        changed.window_height = 720;
        settings.setValues(changed);
        std::string error;
        ASSERT_EQ(settings.save(error), 0) << error;
        EXPECT_EQ(readAll(path), c.rewritten);
        EXPECT_FALSE(fs::exists(path + ".tmp"));

        Settings again(path);
        std::vector<std::string> none;
        again.load(none);
        EXPECT_EQ(again.getValues(), changed) << "what is written reads back";
    }
}

// The file is replaced whole, by a rename, or not at all; one that cannot be
// read is never replaced.
TEST(Settings, WritingReplacesTheFileWholeOrLeavesItAsItWas)
{
    SettingsValues fullscreen;
    fullscreen.fullscreen = true;
    const std::string old_text = "window_width = 800\n";
    const struct {
        const char* name;
        // Prepares the place; the path of the settings file is given.
        void (*prepare)(const std::string& path, const std::string& old_text);
        int result;
        const char* error; // a piece of the error when it fails
        bool replaced;
    } cases[] = {
        {"a new folder is made", [](const std::string&, const std::string&) {}, 0, "", true},
        {"the old file is replaced by a rename, not written over",
         [](const std::string& path, const std::string& text) {
             writeSettings(path, text);
             fs::create_hard_link(path, path + ".before");
         },
         0, "", true},
        {"no temporary file can be made: the old file stays",
         [](const std::string& path, const std::string& text) {
             writeSettings(path, text);
             fs::create_directories(path + ".tmp");
         },
         -1, "could not be written", false},
        {"a file that could not be read is left as it is",
         [](const std::string& path, const std::string&) { fs::create_directories(path); }, -1,
         "could not be read", false},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = settingsPath("atomic" + std::to_string(number++));
        c.prepare(path, old_text);
        const bool was_file = fs::is_regular_file(path);
        Settings settings(path);
        std::vector<std::string> problems;
        settings.load(problems);
        settings.setValues(fullscreen);
        std::string error;
        EXPECT_EQ(settings.save(error), c.result);
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        if (c.replaced) {
            EXPECT_EQ(readAll(path), settings.text());
            EXPECT_NE(readAll(path).find("fullscreen = true"), std::string::npos);
        } else if (was_file) {
            EXPECT_EQ(readAll(path), old_text);
        } else {
            EXPECT_TRUE(fs::is_directory(path));
        }
        if (fs::exists(path + ".before")) {
            EXPECT_EQ(readAll(path + ".before"), old_text) << "the old file's own bytes were never touched";
        }
    }
}

TEST(Settings, AFolderInsteadOfAFileIsNamedAndEveryKeyTakesItsDefault)
{
    const std::string path = settingsPath("folder");
    fs::create_directories(path);
    Settings settings(path);
    std::vector<std::string> problems;
    EXPECT_EQ(settings.load(problems), -1);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0],
              "the settings file " + path + " is not a plain file; every setting keeps its default");
    EXPECT_EQ(settings.getValues(), SettingsValues());
    EXPECT_EQ(settings.text(), DEFAULT_LINES);
}

TEST(Settings, WithoutAHomeNothingIsKept)
{
    Settings settings("");
    std::vector<std::string> problems;
    EXPECT_EQ(settings.load(problems), 0);
    EXPECT_TRUE(problems.empty());
    std::string error;
    EXPECT_EQ(settings.save(error), -1);
    EXPECT_NE(error.find("no home folder"), std::string::npos);
}

TEST(Settings, TheKeyOfALine)
{
    EXPECT_EQ(settingsKeyOf("window_width = 3"), "window_width");
    EXPECT_EQ(settingsKeyOf("  a b = c = d"), "a b");
    EXPECT_EQ(settingsKeyOf("# window_width = 3"), "");
    EXPECT_EQ(settingsKeyOf("no equals"), "");
    EXPECT_EQ(settingsKeyOf(""), "");
}

} // namespace

namespace {

// The sounds' settings: volumes in steps of 10 from 0 to 100, mute on or
// off; anything else named, with its key at its default.
TEST(Settings, VolumesInStepsOfTenAndMute)
{
    const struct {
        const char* name;
        std::string file;
        int music, sound;
        bool mute;
        const char* problem; // a piece of the one problem, or ""
    } cases[] = {
        {"the defaults", "", 100, 100, false, ""},
        {"each key", "music_volume = 30\nsound_volume = 0\nmute = yes\n", 30, 0, true, ""},
        {"not a step of ten", "music_volume = 35\n", 100, 100, false,
         "line 1: music_volume takes a volume from 0 to 100 in steps of 10, not '35'"},
        {"beyond 100", "sound_volume = 110\n", 100, 100, false, "line 1: sound_volume takes a volume"},
        {"below 0", "sound_volume = -10\n", 100, 100, false, "line 1: sound_volume takes a volume"},
        {"mute neither", "mute = loud\n", 100, 100, false, "line 1: mute takes true or false, not 'loud'"},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = settingsPath("audio" + std::to_string(number++));
        if (!c.file.empty())
            writeSettings(path, c.file);
        Settings settings(path);
        std::vector<std::string> problems;
        EXPECT_EQ(settings.load(problems), 0);
        EXPECT_EQ(settings.getValues().music_volume, c.music);
        EXPECT_EQ(settings.getValues().sound_volume, c.sound);
        EXPECT_EQ(settings.getValues().mute, c.mute);
        ASSERT_EQ(problems.size(), std::string(c.problem).empty() ? 0u : 1u);
        if (!problems.empty())
            EXPECT_NE(problems[0].find(c.problem), std::string::npos) << problems[0];
    }
}

} // namespace
