#include "play/PlayControls.h"

#include "content/Controls.h"
#include "content/GameEvents.h"
#include "content/Labels.h"
#include "level/LevelManager.h"
#include "play/RangeView.h"
#include "play/SelectionPanel.h"
#include "play/WavePlan.h"
#include "play/WaveSchedule.h"
#include "progress/SaveSession.h"
#include "shop/Build.h"
#include "turrets/Reach.h"
#include "turrets/Turret.h"
#include "turrets/TurretSummary.h"

#include "zp/Box.h"
#include "zp/EventKeyboard.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/ResourceManager.h"
#include "zp/Utility.h"
#include "zp/WorldManager.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

// The notices stand in the counters' row, between the lives and the wave
// counters: no board uses those cells, and turrets may not stand there.
const zp::Position PAUSED_POS(14, 1);
const char* const PAUSED_TEXT = "PAUSED";
const zp::Position SPEED_POS(24, 1);
// The preview takes the bottom row and the frame overlay the bottom-left
// corner above it, which the tracks of all three levels leave free.
const zp::Position PREVIEW_POS(0, 23);
const zp::Position OVERLAY_POS(0, 21);
const zp::Color TURRET_LINE_COLOR = zp::YELLOW;

// The help: a framed box over the board, as the buy panels are framed, with
// the keys in two columns (the first half of the table in the left one).
const int HELP_LEFT = 1;
const int HELP_TOP = 3;
const int HELP_WIDTH = 78;
const char* const HELP_TITLE = "Cinderwatch: keys and mouse";
const char* const HELP_LEAVE = "H or ? to go back to the game";
const int HELP_COLUMN_LEFTS[] = {2, 40};
const int HELP_KEYS_WIDTH = 12;

// The pause menu: a framed box over the middle of the board.
const int PAUSE_LEFT = 20;
const int PAUSE_TOP = 7;
const int PAUSE_WIDTH = 40;
const char* const PAUSE_TITLE = "Paused";
const char* const PAUSE_CHOICES[] = {"Resume", "Save and quit to the menu", "Give up"};
const int PAUSE_CHOICE_COUNT = 3;
const int PAUSE_RESUME = 0;
const int PAUSE_SAVE_AND_QUIT = 1;
const int PAUSE_GIVE_UP = 2;
const char* const PAUSE_HINT = "Up, Down and Enter; Esc to resume";

const double MICROSECONDS_PER_MILLISECOND = 1000.0;
const char* const SCREENSHOT_PREFIX = "cinderwatch-";
const char* const SCREENSHOT_EXTENSION = ".png";

zp::Music* levelMusic()
{
    return zp::ResourceManager::getInstance().getMusic(LEVEL_MUSIC);
}

// A name not yet taken beside the log, from the local date and time:
// "cinderwatch-2024-05-01_13-45-07.png", or "...-07-2.png" within one second.
std::filesystem::path screenshotPath()
{
    // The log's own folder: the working folder, or the state folder it moved to.
    const std::filesystem::path folder =
        std::filesystem::path(zp::LogManager::getInstance().getLogFile()).parent_path();
    const std::time_t now = std::time(nullptr);
    // The game's one thread is the only user of the shared result.
    const std::tm* p_local = std::localtime(&now);
    char stamp[32] = "unknown-time";
    if (p_local != nullptr)
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", p_local);
    const std::string base = SCREENSHOT_PREFIX + std::string(stamp);
    std::filesystem::path path = folder / (base + SCREENSHOT_EXTENSION);
    for (int n = 2; std::filesystem::exists(path); ++n)
        path = folder / (base + "-" + std::to_string(n) + SCREENSHOT_EXTENSION);
    return path;
}

} // namespace

PlayControls::PlayControls(WaveSchedule& schedule) : waves(schedule)
{
    setType("PlayControls");
    setSolidness(zp::SPECTRAL);
    setAltitude(zp::MAX_ALTITUDE);
}

PlayControls::~PlayControls() = default;

void PlayControls::leavePlay()
{
    // The world must update again to clear the board, and the screen that
    // follows counts its steps at the normal speed. The level's music has
    // been stopped by the controller and stays so.
    ended = true;
    player_paused = false;
    help_shown = false;
    pause_menu_shown = false;
    zp::GameManager& game = zp::GameManager::getInstance();
    game.setPaused(false);
    game.setStepsPerFrame(PLAY_SPEEDS[0]);
}

bool PlayControls::isPausedByPlayer() const
{
    return player_paused;
}

bool PlayControls::isHelpShown() const
{
    return help_shown;
}

bool PlayControls::isFrameOverlayShown() const
{
    return frame_overlay_shown;
}

bool PlayControls::isPauseMenuShown() const
{
    return pause_menu_shown;
}

int PlayControls::getPauseMenuChoice() const
{
    return pause_menu_choice;
}

Turret* PlayControls::commandedTurret() const
{
    if (Turret* p_selected = selectedTurret())
        return p_selected;
    return keyboard.pointedTurret();
}

Turret* PlayControls::selectedTurret() const
{
    return command_target.turret();
}

zp::Position PlayControls::getCursor() const
{
    return keyboard.getCursor();
}

int PlayControls::eventHandler(const zp::Event* p_e)
{
    if (ended)
        return 0;
    if (p_e->getType() == GAME_OVER_EVENT || p_e->getType() == QUIT_TO_MENU_EVENT) {
        leavePlay();
        return 0;
    }
    command_target.handle(p_e);
    keyboard.handle(p_e);
    if (p_e->getType() != zp::KEYBOARD_EVENT)
        return 0;
    const auto* p_key = static_cast<const zp::EventKeyboard*>(p_e);
    if (p_key->getKeyboardAction() != zp::KEY_PRESSED)
        return 0;
    handleKey(p_key->getKey());
    return 1;
}

void PlayControls::handleKey(int key)
{
    // The pause menu takes the keys while it shows.
    if (pause_menu_shown) {
        handlePauseMenuKey(key);
        return;
    }
    const Control* p_control = findControl(ControlPlace::PLAY, key);
    if (p_control == nullptr)
        return;
    switch (p_control->command) {
    case Command::MOVE_CURSOR:
        keyboard.moveCursor(keyIndex(*p_control, key));
        break;
    case Command::BUY:
        keyboard.pickPanel(keyIndex(*p_control, key));
        break;
    case Command::PLACE_OR_SELECT:
        keyboard.placeOrSelect();
        break;
    case Command::CANCEL:
        if (!keyboard.cancel())
            escapeWithNothingToCancel();
        break;
    case Command::SELL_SELECTED:
        keyboard.sellSelected();
        break;
    case Command::PAUSE:
        setPlayerPause(!player_paused);
        break;
    case Command::SPEED:
        nextSpeed();
        break;
    case Command::NEXT_WAVE:
        waves.startNextWaveNow();
        break;
    case Command::TARGET:
        // Changes nothing until play goes on, so it works while paused too.
        if (Turret* p_turret = commandedTurret())
            p_turret->cycleTargetMode();
        break;
    case Command::UPGRADE:
        // Refused while paused, like every purchase.
        if (Turret* p_turret = commandedTurret())
            p_turret->upgrade();
        break;
    case Command::HELP:
        setHelpShown(!help_shown);
        break;
    case Command::FRAME_OVERLAY:
        frame_overlay_shown = !frame_overlay_shown;
        break;
    case Command::SCREENSHOT:
        saveScreenshot();
        break;
    default:
        // Another object's (the treasure's F), or the mouse's.
        break;
    }
}

void PlayControls::escapeWithNothingToCancel()
{
    setPauseMenuShown(true);
}

void PlayControls::handlePauseMenuKey(int key)
{
    const Control* p_control = findControl(ControlPlace::PAUSE_MENU, key);
    if (p_control == nullptr)
        return;
    switch (p_control->command) {
    case Command::CHOOSE_PREVIOUS:
        pause_menu_choice = (pause_menu_choice + PAUSE_CHOICE_COUNT - 1) % PAUSE_CHOICE_COUNT;
        break;
    case Command::CHOOSE_NEXT:
        pause_menu_choice = (pause_menu_choice + 1) % PAUSE_CHOICE_COUNT;
        break;
    case Command::TAKE_CHOICE:
        takePauseMenuChoice();
        break;
    case Command::BACK:
        setPauseMenuShown(false);
        break;
    default:
        break;
    }
}

void PlayControls::setPauseMenuShown(bool shown)
{
    SaveSession& session = SaveSession::getInstance();
    if (shown && !pause_menu_shown) {
        pause_menu_choice = PAUSE_RESUME;
        pause_menu_problem.clear();
        // The key that opened it is the last input recorded: a save leaves it out.
        const std::size_t recorded = session.getInputCount();
        session.pauseMenuOpened(recorded > 0 ? recorded - 1 : 0);
    } else if (!shown) {
        session.pauseMenuClosed();
    }
    pause_menu_shown = shown;
    applyPause();
}

void PlayControls::takePauseMenuChoice()
{
    zp::WorldManager& world = zp::WorldManager::getInstance();
    switch (pause_menu_choice) {
    case PAUSE_RESUME:
        setPauseMenuShown(false);
        return;
    case PAUSE_SAVE_AND_QUIT: {
        SaveSession& session = SaveSession::getInstance();
        if (session.isRecording()) {
            std::string error;
            // Without the pause menu's keys: the continued game starts as before the Esc.
            if (session.saveAndStop(error) != 0) {
                pause_menu_problem = "Not saved: " + error;
                return;
            }
        }
        zp::Event quit;
        quit.setType(QUIT_TO_MENU_EVENT);
        world.onEvent(&quit);
        return;
    }
    default: {
        zp::Event over;
        over.setType(GAME_OVER_EVENT);
        world.onEvent(&over);
        return;
    }
    }
}

void PlayControls::setPlayerPause(bool new_paused)
{
    player_paused = new_paused;
    applyPause();
}

void PlayControls::setHelpShown(bool shown)
{
    help_shown = shown;
    applyPause();
}

void PlayControls::applyPause()
{
    zp::GameManager& game = zp::GameManager::getInstance();
    const bool paused = player_paused || help_shown || pause_menu_shown;
    if (paused == game.isPaused())
        return;
    game.setPaused(paused);
    zp::Music* p_music = levelMusic();
    if (p_music == nullptr)
        return;
    if (paused)
        p_music->pause();
    else
        p_music->play(true);
}

void PlayControls::nextSpeed()
{
    zp::GameManager& game = zp::GameManager::getInstance();
    const int speed_count = static_cast<int>(sizeof PLAY_SPEEDS / sizeof PLAY_SPEEDS[0]);
    int next = PLAY_SPEEDS[0];
    for (int i = 0; i + 1 < speed_count; ++i)
        if (PLAY_SPEEDS[i] == game.getStepsPerFrame())
            next = PLAY_SPEEDS[i + 1];
    game.setStepsPerFrame(next);
}

void PlayControls::saveScreenshot() const
{
    zp::LogManager& log = zp::LogManager::getInstance();
    const std::string path = screenshotPath().string();
    if (zp::GraphicsManager::getInstance().saveScreenshot(path) == 0)
        log.writeLog("Screenshot saved to %s", path.c_str());
    else
        log.writeLog("Screenshot not saved: no window to capture, or '%s' cannot be written", path.c_str());
}

void PlayControls::draw()
{
    drawReach();
    drawNotices();
    if (frame_overlay_shown)
        drawFrameOverlay();
    if (help_shown)
        drawHelp();
    if (pause_menu_shown)
        drawPauseMenu();
}

void PlayControls::drawReach() const
{
    const Level* p_level = LevelManager::getInstance().getLevel();
    if (p_level == nullptr || ended)
        return;
    if (const Build* p_build = carriedBuild()) {
        const int range = p_build->getKind().base.range;
        shadeReach(*p_level, p_build->getPosition(), range);
        drawCoverage(zp::getWorldBox(p_build), trackCellsCovered(*p_level, p_build->getPosition(), range));
        return;
    }
    if (const Turret* p_turret = selectedTurret()) {
        shadeReach(*p_level, p_turret->getPosition(), p_turret->getRange());
        drawSelectionPanel(*p_turret,
                           trackCellsCovered(*p_level, p_turret->getPosition(), p_turret->getRange()));
    }
}

void PlayControls::drawNotices() const
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    if (player_paused)
        graphics.drawString(PAUSED_POS, PAUSED_TEXT, zp::LEFT_JUSTIFIED, zp::YELLOW);
    const int speed = zp::GameManager::getInstance().getStepsPerFrame();
    if (speed != PLAY_SPEEDS[0])
        graphics.drawString(SPEED_POS, "Speed " + std::to_string(speed) + "x", zp::LEFT_JUSTIFIED, zp::CYAN);
    // The line of the turret the commands act on takes the preview's row.
    if (const Turret* p_turret = commandedTurret())
        graphics.drawString(PREVIEW_POS, turretSummary(*p_turret), zp::LEFT_JUSTIFIED, TURRET_LINE_COLOR);
    else if (!waves.isSpawning() && !waves.isEnded())
        graphics.drawString(PREVIEW_POS, wavePreviewText(waves.getWave(), waves.getComingWave()),
                            zp::LEFT_JUSTIFIED, zp::CYAN);
}

void PlayControls::drawPauseMenu() const
{
    const int height = PAUSE_CHOICE_COUNT + 7;
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.clearBox(zp::Box(zp::Position(PAUSE_LEFT, PAUSE_TOP), PAUSE_WIDTH, height));
    const std::string inside(PAUSE_WIDTH - 2, '-');
    const int right = PAUSE_LEFT + PAUSE_WIDTH - 1;
    const int bottom = PAUSE_TOP + height - 1;
    graphics.drawString(zp::Position(PAUSE_LEFT, PAUSE_TOP), "." + inside + ".", zp::LEFT_JUSTIFIED,
                        zp::WHITE);
    graphics.drawString(zp::Position(PAUSE_LEFT, bottom), "'" + inside + "'", zp::LEFT_JUSTIFIED, zp::WHITE);
    for (int row = PAUSE_TOP + 1; row < bottom; ++row) {
        graphics.drawCh(zp::Position(PAUSE_LEFT, row), '|', zp::WHITE);
        graphics.drawCh(zp::Position(right, row), '|', zp::WHITE);
    }
    const int centre = PAUSE_LEFT + PAUSE_WIDTH / 2;
    graphics.drawString(zp::Position(centre, PAUSE_TOP + 1), PAUSE_TITLE, zp::CENTER_JUSTIFIED, zp::YELLOW);
    for (int i = 0; i < PAUSE_CHOICE_COUNT; ++i) {
        const bool chosen = i == pause_menu_choice;
        graphics.drawString(zp::Position(PAUSE_LEFT + 4, PAUSE_TOP + 3 + i),
                            std::string(chosen ? "> " : "  ") + PAUSE_CHOICES[i], zp::LEFT_JUSTIFIED,
                            chosen ? zp::CYAN : zp::WHITE);
    }
    if (!pause_menu_problem.empty())
        graphics.drawString(zp::Position(PAUSE_LEFT + 2, bottom - 2),
                            pause_menu_problem.substr(0, PAUSE_WIDTH - 4), zp::LEFT_JUSTIFIED, zp::RED);
    graphics.drawString(zp::Position(centre, bottom - 1), PAUSE_HINT, zp::CENTER_JUSTIFIED, zp::YELLOW);
}

void PlayControls::drawFrameOverlay() const
{
    const zp::GameManager& game = zp::GameManager::getInstance();
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    // The last frame's drawing and showing, and the cells it drew again, on
    // the second row: the first keeps to the corner that no track crosses.
    const zp::FrameCost drawn = graphics.getLastFrameCost();
    char steps[48];
    std::snprintf(steps, sizeof steps, "%d steps/s", game.getStepsPerSecond());
    char step_time[64];
    std::snprintf(step_time, sizeof step_time, "step %.1f ms, draw %.1f ms, %d cells",
                  static_cast<double>(game.getLastStepTime()) / MICROSECONDS_PER_MILLISECOND,
                  static_cast<double>(drawn.microseconds) / MICROSECONDS_PER_MILLISECOND,
                  drawn.cells_redrawn);
    graphics.drawString(OVERLAY_POS, steps, zp::LEFT_JUSTIFIED, zp::GREEN);
    graphics.drawString(zp::Position(OVERLAY_POS.getX(), OVERLAY_POS.getY() + 1), step_time,
                        zp::LEFT_JUSTIFIED, zp::GREEN);
}

void PlayControls::drawHelp() const
{
    const std::vector<std::pair<std::string, std::string>> lines = helpOverlayLines();
    const int line_count = static_cast<int>(lines.size());
    const int rows = (line_count + 1) / 2;
    // Frame, title, blank, the rows, blank, how to leave, frame.
    const int height = rows + 6;
    const int top = HELP_TOP;
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.clearBox(zp::Box(zp::Position(HELP_LEFT, top), HELP_WIDTH, height));

    const std::string inside(HELP_WIDTH - 2, '-');
    const int right = HELP_LEFT + HELP_WIDTH - 1;
    const int bottom = top + height - 1;
    graphics.drawString(zp::Position(HELP_LEFT, top), "." + inside + ".", zp::LEFT_JUSTIFIED, zp::WHITE);
    graphics.drawString(zp::Position(HELP_LEFT, bottom), "'" + inside + "'", zp::LEFT_JUSTIFIED, zp::WHITE);
    for (int row = top + 1; row < bottom; ++row) {
        graphics.drawCh(zp::Position(HELP_LEFT, row), '|', zp::WHITE);
        graphics.drawCh(zp::Position(right, row), '|', zp::WHITE);
    }

    const int centre = HELP_LEFT + HELP_WIDTH / 2;
    graphics.drawString(zp::Position(centre, HELP_TOP + 1), HELP_TITLE, zp::CENTER_JUSTIFIED, zp::YELLOW);
    for (int i = 0; i < line_count; ++i) {
        const int left = HELP_LEFT + HELP_COLUMN_LEFTS[i / rows];
        const int row = HELP_TOP + 3 + i % rows;
        const auto& [keys, action] = lines[static_cast<std::size_t>(i)];
        graphics.drawString(zp::Position(left, row), keys, zp::LEFT_JUSTIFIED, zp::CYAN);
        graphics.drawString(zp::Position(left + HELP_KEYS_WIDTH, row), action, zp::LEFT_JUSTIFIED, zp::WHITE);
    }
    graphics.drawString(zp::Position(centre, bottom - 1), HELP_LEAVE, zp::CENTER_JUSTIFIED, zp::YELLOW);
}
