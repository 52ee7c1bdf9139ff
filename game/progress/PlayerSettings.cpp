#include "progress/PlayerSettings.h"

#include "content/Controls.h"
#include "progress/PlayerFiles.h"

#include "zp/EventKeyboard.h"
#include "zp/InputManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"

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
    settings = Settings(path);
    writable = new_writable;
    problem.clear();
    std::vector<std::string> problems;
    settings.load(problems);
    for (const std::string& line : problems)
        reportFileProblem(line);
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
