/// \file
/// Turns the window's keyboard and mouse activity into keyboard and mouse
/// events sent to every object, once per game step.
#pragma once

#include "zp/Manager.h"

#include <SFML/Window/Event.hpp>

#include <memory>

namespace zp {

class Event;

class InputManager : public Manager {
public:
    static InputManager& getInstance();

    /// -1 when the graphics manager is not started; turns key repeat off.
    int startUp() override;
    void shutDown() override;

    /// Sends queued window events, then held keys from -1 to 100, then the
    /// held left button; the held ones only while the window has the focus.
    /// A request to close the window sets the game manager's game-over flag,
    /// so the loop ends after this frame. Does nothing without a window.
    void getInput();

private:
    InputManager();
};

/// The engine event that a window event stands for, or nullptr for window
/// events that are consumed without one.
std::unique_ptr<Event> translateWindowEvent(const sf::Event& window_event);

} // namespace zp
