#include "progress/PlayerSettings.h"

#include "content/Controls.h"
#include "progress/PlayerFiles.h"

#include "zp/EventKeyboard.h"
#include "zp/InputManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"

#include <cstdio>

PlayerSettings& PlayerSettings::getInstance()
{
    static PlayerSettings instance;
    return instance;
}

PlayerSettings::PlayerSettings() : settings("")
{
}

void PlayerSettings::start(const std::string& path, bool new_writable)
{
    read(path, new_writable);
    hear();
}

void PlayerSettings::read(const std::string& path, bool new_writable)
{
    settings = Settings(path);
    writable = new_writable;
    problem.clear();
    read_problems.clear();
    settings.load(read_problems);
    // The log may not have started yet (or starts anew with the engine): it
    // hears of them in hear().
    for (const std::string& line : read_problems)
        std::fprintf(stderr, "cinderwatch: %s\n", line.c_str());
}

void PlayerSettings::hear()
{
    for (const std::string& line : read_problems)
        zp::LogManager::getInstance().writeLog("%s", line.c_str());
    read_problems.clear();
    applyToEngine();
}

void PlayerSettings::stop()
{
    settings = Settings("");
    writable = false;
    problem.clear();
    applyToEngine();
}

const SettingsValues& PlayerSettings::getValues() const
{
    return settings.getValues();
}

int PlayerSettings::change(const SettingsValues& values)
{
    settings.setValues(values);
    applyToEngine();
    problem.clear();
    if (!writable || settings.getPath().empty())
        return 0;
    if (settings.save(problem) != 0) {
        reportFileProblem(problem);
        return -1;
    }
    zp::LogManager::getInstance().writeLog("Settings written to %s", settings.getPath().c_str());
    return 0;
}

void PlayerSettings::toggleMute()
{
    SettingsValues values = getValues();
    values.mute = !values.mute;
    change(values);
}

void PlayerSettings::keepWindow(int width, int height, bool fullscreen)
{
    SettingsValues values = getValues();
    values.window_width = width;
    values.window_height = height;
    values.fullscreen = fullscreen;
    if (values != getValues())
        change(values);
}

const std::string& PlayerSettings::getPath() const
{
    return settings.getPath();
}

const std::string& PlayerSettings::getProblem() const
{
    return problem;
}

void PlayerSettings::applyToEngine() const
{
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    const SettingsValues& values = getValues();
    resources.setMusicVolume(values.music_volume);
    resources.setSoundVolume(values.sound_volume);
    resources.setMuted(values.mute);
}

void hearMuteKey()
{
    zp::InputManager::getInstance().setKeyHook([](const zp::EventKeyboard& key) {
        const Control* p_control = findControl(ControlPlace::ANYWHERE, key.getKey());
        if (p_control == nullptr || p_control->command != Command::MUTE)
            return false;
        if (key.getKeyboardAction() == zp::KEY_PRESSED)
            PlayerSettings::getInstance().toggleMute();
        return true;
    });
}
