// The settings screen, opened from the menu with S: the music's and the
// sounds' volumes and the mute, chosen with Up and Down and changed with
// Left, Right and Enter; each change is heard at once and kept in the
// settings file. Esc or S goes back to the menu, whose music plays on.
#pragma once

#include "zp/ViewObject.h"

#include <string>
#include <vector>

class SettingsScreen : public zp::ViewObject {
public:
    SettingsScreen();
    ~SettingsScreen() override;

    int eventHandler(const zp::Event* p_e) override;
    void draw() override;

    // The line chosen: 0 music volume, 1 sound volume, 2 mute.
    int getChoice() const;
    // The lines as drawn, from the first setting's row on.
    std::vector<std::string> settingLines() const;

private:
    void change(int direction);
    void leave();

    int choice = 0;
};
