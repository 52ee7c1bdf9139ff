// The player's controls during play beyond F: pause, speed, the next wave
// now, the selection and the turret commands, play from the keyboard, help,
// a screenshot and the frame overlay, with what they put on the board: the
// notices, the preview of the next wave during the countdown (or the
// selected turret's line), the reach of a turret carried or selected and the
// selected turret's panel. The level controller creates it with the board;
// it leaves with the board. Its keys are the play rows of the controls table
// (content/Controls.h).
#pragma once

#include "play/CommandTarget.h"
#include "play/KeyboardPlay.h"

#include "zp/Object.h"

#include <string>

class Turret;
class WaveSchedule;

// The speeds that the speed key goes through, in world steps per frame.
const int PLAY_SPEEDS[] = {1, 2, 4};

class PlayControls : public zp::Object {
public:
    // Reads the waves of this schedule (the level controller), which outlives it.
    explicit PlayControls(WaveSchedule& schedule);
    ~PlayControls() override;

    // Keys act when pressed (held keys repeat nothing). On "GameOver" the
    // engine gets its normal pace back (running, 1x), so the game-over screen
    // comes whatever the state of play; every later event is ignored.
    int eventHandler(const zp::Event* p_e) override;
    // The notices, the preview, the overlay and the help, over the board.
    void draw() override;

    // Play ends (a game over, or a save and quit): the engine gets its
    // normal pace back (running, 1x) and every later event is ignored.
    void leavePlay();

    // Paused by the pause key; the help pauses as well.
    bool isPausedByPlayer() const;
    bool isHelpShown() const;
    bool isFrameOverlayShown() const;
    // The pause menu (Esc with nothing to cancel), which pauses the game
    // too, and its chosen line.
    bool isPauseMenuShown() const;
    int getPauseMenuChoice() const;
    // The turret that the turret commands act on now: the selected one, or
    // with none selected the one under the cursor (the pointer); null when
    // neither.
    Turret* commandedTurret() const;
    // The selected turret, or null.
    Turret* selectedTurret() const;
    // Where the turret carried would be placed.
    zp::Position getCursor() const;

private:
    void handleKey(int key);
    // Esc with no turret carried and none selected: the pause menu.
    void escapeWithNothingToCancel();
    void handlePauseMenuKey(int key);
    void setPauseMenuShown(bool shown);
    void takePauseMenuChoice();
    void setPlayerPause(bool new_paused);
    void setHelpShown(bool shown);
    // The engine and the level music follow the player's pause and the help.
    void applyPause();
    void nextSpeed();
    void saveScreenshot() const;

    // The reach of the turret carried, with the track cells it covers, or
    // else the selected turret's reach and panel.
    void drawReach() const;
    void drawNotices() const;
    void drawFrameOverlay() const;
    void drawHelp() const;
    void drawPauseMenu() const;

    WaveSchedule& waves;
    CommandTarget command_target;
    KeyboardPlay keyboard{command_target};
    bool player_paused = false;
    bool help_shown = false;
    bool frame_overlay_shown = false;
    bool pause_menu_shown = false;
    int pause_menu_choice = 0;
    // Why the last save and quit did not save, shown in the pause menu.
    std::string pause_menu_problem;
    bool ended = false;
};
