#include "zp/InputManager.h"

#include "platform/Platform.h"
#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/InputRecorder.h"
#include "zp/InputReplayer.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <vector>

namespace zp {

namespace {

// Held keys are polled over SFML's whole key range, Unknown (-1) to Pause (100).
const int FIRST_KEY = sf::Keyboard::Unknown;
const int LAST_KEY = sf::Keyboard::KeyCount - 1;

std::unique_ptr<Event> keyboardEvent(int key, KeyboardAction action)
{
    auto event = std::make_unique<EventKeyboard>();
    event->setKey(key);
    event->setKeyboardAction(action);
    return event;
}

// The cell under a pixel, kept within the window: a pointer dragged out of
// the window (a button held) reports pixels beyond its edges, which the
// window's edge cells stand for.
Position windowCell(int x, int y)
{
    const GraphicsManager& graphics = GraphicsManager::getInstance();
    const Position cell = pixelsToSpaces(Position(x, y));
    return Position(std::clamp(cell.getX(), 0, graphics.getHorizontalChars() - 1),
                    std::clamp(cell.getY(), 0, graphics.getVerticalChars() - 1));
}

std::unique_ptr<Event> mouseEvent(MouseAction action, int button, int x, int y)
{
    auto event = std::make_unique<EventMouse>();
    event->setMouseAction(action);
    event->setMouseButton(button);
    event->setMousePosition(windowCell(x, y));
    return event;
}

} // namespace

std::unique_ptr<Event> translateWindowEvent(const sf::Event& window_event)
{
    switch (window_event.type) {
    case sf::Event::KeyPressed:
        return keyboardEvent(window_event.key.code, KEY_PRESSED);
    case sf::Event::KeyReleased:
        return keyboardEvent(window_event.key.code, KEY_RELEASED);
    case sf::Event::MouseMoved:
        return mouseEvent(MOVED, sf::Mouse::Left, window_event.mouseMove.x, window_event.mouseMove.y);
    case sf::Event::MouseButtonPressed:
        return mouseEvent(CLICKED, window_event.mouseButton.button, window_event.mouseButton.x,
                          window_event.mouseButton.y);
    default:
        // Closing (which getInput turns into the end of the game), resizing,
        // focus, text, wheel, button release, enter and leave.
        return nullptr;
    }
}

InputManager& InputManager::getInstance()
{
    static InputManager instance;
    return instance;
}

InputManager::InputManager()
{
    setType("InputManager");
}

int InputManager::startUp()
{
    GraphicsManager& graphics = GraphicsManager::getInstance();
    if (!graphics.isStarted())
        return -1;
    if (sf::RenderWindow* p_window = graphics.getWindow())
        p_window->setKeyRepeatEnabled(false);
    return Manager::startUp();
}

void InputManager::shutDown()
{
    if (sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindow())
        p_window->setKeyRepeatEnabled(true);
    platform::releaseHeldKeys();
    Manager::shutDown();
}

void InputManager::getInput()
{
    if (p_recorder != nullptr)
        p_recorder->beforeInput(GameManager::getInstance().getStepCount());
    if (p_replayer != nullptr) {
        replayInput();
        return;
    }

    sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindow();
    if (p_window == nullptr)
        return;

    // A stop signal ends the frame's input between two events: a flood of
    // them must not keep the loop from ending.
    sf::Event window_event;
    while (platform::stopSignal() == 0 && p_window->pollEvent(window_event)) {
        // The window's close button (or the desktop's close request) ends the
        // game after this frame, as a quit key would.
        if (window_event.type == sf::Event::Closed)
            GameManager::getInstance().setGameOver(true);
        if (std::unique_ptr<Event> p_event = translateWindowEvent(window_event))
            send(*p_event);
    }
    if (platform::stopSignal() != 0)
        return;

    // Held keys and buttons are read from the whole keyboard and mouse, so
    // while another window has the focus they belong to that window.
    if (!p_window->hasFocus())
        return;

    // The whole keyboard in one question rather than one per key: asking
    // the X server a hundred times cost milliseconds of every frame.
    std::vector<bool> held_keys;
    platform::readHeldKeys(held_keys);
    for (int key = FIRST_KEY; key <= LAST_KEY; ++key) {
        if (key >= 0 && held_keys[std::size_t(key)])
            send(*keyboardEvent(key, KEY_DOWN));
    }

    if (sf::Mouse::isButtonPressed(sf::Mouse::Left)) {
        EventMouse held;
        held.setMouseAction(PRESSED);
        held.setMouseButton(sf::Mouse::Left);
        send(held);
    }
}

void InputManager::replayInput()
{
    GameManager& game = GameManager::getInstance();
    // The player's keys and mouse are not the replay's: only a request to
    // close the window is heard.
    if (sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindow()) {
        sf::Event window_event;
        while (p_window->pollEvent(window_event)) {
            if (window_event.type == sf::Event::Closed) {
                p_replayer->interrupt();
                game.setGameOver(true);
            }
        }
    }
    const int step = game.getStepCount();
    // A stop signal interrupts the replay between two events, however many
    // the recording holds for this frame.
    p_replayer->sendInputs(step, [this](const Event& event) {
        send(event);
        if (platform::stopSignal() != 0)
            p_replayer->interrupt();
    });
    if (game.isPaused())
        p_replayer->checkPausedAt(step);
    if (p_replayer->hasFailed() || p_replayer->isComplete(step)) {
        // The world stays where the replay ended or parted.
        game.setStepLimit(step);
        game.setGameOver(true);
    }
}

void InputManager::send(const Event& event)
{
    if (p_recorder != nullptr)
        p_recorder->record(event, GameManager::getInstance().getStepCount());
    onEvent(&event);
}

void InputManager::setRecorder(InputRecorder* p_new_recorder)
{
    p_recorder = p_new_recorder;
}

void InputManager::finishRecording()
{
    if (p_recorder != nullptr)
        p_recorder->finish(GameManager::getInstance().getStepCount());
}

void InputManager::setReplayer(InputReplayer* p_new_replayer)
{
    p_replayer = p_new_replayer;
    const int end = p_replayer != nullptr ? p_replayer->getRecording().getEndStep() : -1;
    GameManager::getInstance().setStepLimit(end >= 0 ? end : NO_STEP_LIMIT);
}

} // namespace zp
