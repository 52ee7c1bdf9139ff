#include "zp/Keys.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <gtest/gtest.h>

namespace {

struct Named {
    int zp_value;
    int library_value;
    const char* name;
};

// Every name against the windowing library's value of the same key: games
// compare key codes with these names, and recordings hold the codes.
TEST(KeyNames, EveryKeyHasTheWindowingLibrarysCode)
{
    const Named keys[] = {
        {zp::Key::UNKNOWN, sf::Keyboard::Unknown, "UNKNOWN"},
        {zp::Key::A, sf::Keyboard::A, "A"},
        {zp::Key::B, sf::Keyboard::B, "B"},
        {zp::Key::C, sf::Keyboard::C, "C"},
        {zp::Key::D, sf::Keyboard::D, "D"},
        {zp::Key::E, sf::Keyboard::E, "E"},
        {zp::Key::F, sf::Keyboard::F, "F"},
        {zp::Key::G, sf::Keyboard::G, "G"},
        {zp::Key::H, sf::Keyboard::H, "H"},
        {zp::Key::I, sf::Keyboard::I, "I"},
        {zp::Key::J, sf::Keyboard::J, "J"},
        {zp::Key::K, sf::Keyboard::K, "K"},
        {zp::Key::L, sf::Keyboard::L, "L"},
        {zp::Key::M, sf::Keyboard::M, "M"},
        {zp::Key::N, sf::Keyboard::N, "N"},
        {zp::Key::O, sf::Keyboard::O, "O"},
        {zp::Key::P, sf::Keyboard::P, "P"},
        {zp::Key::Q, sf::Keyboard::Q, "Q"},
        {zp::Key::R, sf::Keyboard::R, "R"},
        {zp::Key::S, sf::Keyboard::S, "S"},
        {zp::Key::T, sf::Keyboard::T, "T"},
        {zp::Key::U, sf::Keyboard::U, "U"},
        {zp::Key::V, sf::Keyboard::V, "V"},
        {zp::Key::W, sf::Keyboard::W, "W"},
        {zp::Key::X, sf::Keyboard::X, "X"},
        {zp::Key::Y, sf::Keyboard::Y, "Y"},
        {zp::Key::Z, sf::Keyboard::Z, "Z"},
        {zp::Key::NUM0, sf::Keyboard::Num0, "NUM0"},
        {zp::Key::NUM1, sf::Keyboard::Num1, "NUM1"},
        {zp::Key::NUM2, sf::Keyboard::Num2, "NUM2"},
        {zp::Key::NUM3, sf::Keyboard::Num3, "NUM3"},
        {zp::Key::NUM4, sf::Keyboard::Num4, "NUM4"},
        {zp::Key::NUM5, sf::Keyboard::Num5, "NUM5"},
        {zp::Key::NUM6, sf::Keyboard::Num6, "NUM6"},
        {zp::Key::NUM7, sf::Keyboard::Num7, "NUM7"},
        {zp::Key::NUM8, sf::Keyboard::Num8, "NUM8"},
        {zp::Key::NUM9, sf::Keyboard::Num9, "NUM9"},
        {zp::Key::ESCAPE, sf::Keyboard::Escape, "ESCAPE"},
        {zp::Key::L_CONTROL, sf::Keyboard::LControl, "L_CONTROL"},
        {zp::Key::L_SHIFT, sf::Keyboard::LShift, "L_SHIFT"},
        {zp::Key::L_ALT, sf::Keyboard::LAlt, "L_ALT"},
        {zp::Key::L_SYSTEM, sf::Keyboard::LSystem, "L_SYSTEM"},
        {zp::Key::R_CONTROL, sf::Keyboard::RControl, "R_CONTROL"},
        {zp::Key::R_SHIFT, sf::Keyboard::RShift, "R_SHIFT"},
        {zp::Key::R_ALT, sf::Keyboard::RAlt, "R_ALT"},
        {zp::Key::R_SYSTEM, sf::Keyboard::RSystem, "R_SYSTEM"},
        {zp::Key::MENU, sf::Keyboard::Menu, "MENU"},
        {zp::Key::L_BRACKET, sf::Keyboard::LBracket, "L_BRACKET"},
        {zp::Key::R_BRACKET, sf::Keyboard::RBracket, "R_BRACKET"},
        {zp::Key::SEMICOLON, sf::Keyboard::Semicolon, "SEMICOLON"},
        {zp::Key::COMMA, sf::Keyboard::Comma, "COMMA"},
        {zp::Key::PERIOD, sf::Keyboard::Period, "PERIOD"},
        {zp::Key::QUOTE, sf::Keyboard::Quote, "QUOTE"},
        {zp::Key::SLASH, sf::Keyboard::Slash, "SLASH"},
        {zp::Key::BACKSLASH, sf::Keyboard::Backslash, "BACKSLASH"},
        {zp::Key::TILDE, sf::Keyboard::Tilde, "TILDE"},
        {zp::Key::EQUAL, sf::Keyboard::Equal, "EQUAL"},
        {zp::Key::HYPHEN, sf::Keyboard::Hyphen, "HYPHEN"},
        {zp::Key::SPACE, sf::Keyboard::Space, "SPACE"},
        {zp::Key::ENTER, sf::Keyboard::Enter, "ENTER"},
        {zp::Key::BACKSPACE, sf::Keyboard::Backspace, "BACKSPACE"},
        {zp::Key::TAB, sf::Keyboard::Tab, "TAB"},
        {zp::Key::PAGE_UP, sf::Keyboard::PageUp, "PAGE_UP"},
        {zp::Key::PAGE_DOWN, sf::Keyboard::PageDown, "PAGE_DOWN"},
        {zp::Key::END, sf::Keyboard::End, "END"},
        {zp::Key::HOME, sf::Keyboard::Home, "HOME"},
        {zp::Key::INSERT, sf::Keyboard::Insert, "INSERT"},
        {zp::Key::DEL, sf::Keyboard::Delete, "DEL"},
        {zp::Key::ADD, sf::Keyboard::Add, "ADD"},
        {zp::Key::SUBTRACT, sf::Keyboard::Subtract, "SUBTRACT"},
        {zp::Key::MULTIPLY, sf::Keyboard::Multiply, "MULTIPLY"},
        {zp::Key::DIVIDE, sf::Keyboard::Divide, "DIVIDE"},
        {zp::Key::LEFT, sf::Keyboard::Left, "LEFT"},
        {zp::Key::RIGHT, sf::Keyboard::Right, "RIGHT"},
        {zp::Key::UP, sf::Keyboard::Up, "UP"},
        {zp::Key::DOWN, sf::Keyboard::Down, "DOWN"},
        {zp::Key::NUMPAD0, sf::Keyboard::Numpad0, "NUMPAD0"},
        {zp::Key::NUMPAD1, sf::Keyboard::Numpad1, "NUMPAD1"},
        {zp::Key::NUMPAD2, sf::Keyboard::Numpad2, "NUMPAD2"},
        {zp::Key::NUMPAD3, sf::Keyboard::Numpad3, "NUMPAD3"},
        {zp::Key::NUMPAD4, sf::Keyboard::Numpad4, "NUMPAD4"},
        {zp::Key::NUMPAD5, sf::Keyboard::Numpad5, "NUMPAD5"},
        {zp::Key::NUMPAD6, sf::Keyboard::Numpad6, "NUMPAD6"},
        {zp::Key::NUMPAD7, sf::Keyboard::Numpad7, "NUMPAD7"},
        {zp::Key::NUMPAD8, sf::Keyboard::Numpad8, "NUMPAD8"},
        {zp::Key::NUMPAD9, sf::Keyboard::Numpad9, "NUMPAD9"},
        {zp::Key::F1, sf::Keyboard::F1, "F1"},
        {zp::Key::F2, sf::Keyboard::F2, "F2"},
        {zp::Key::F3, sf::Keyboard::F3, "F3"},
        {zp::Key::F4, sf::Keyboard::F4, "F4"},
        {zp::Key::F5, sf::Keyboard::F5, "F5"},
        {zp::Key::F6, sf::Keyboard::F6, "F6"},
        {zp::Key::F7, sf::Keyboard::F7, "F7"},
        {zp::Key::F8, sf::Keyboard::F8, "F8"},
        {zp::Key::F9, sf::Keyboard::F9, "F9"},
        {zp::Key::F10, sf::Keyboard::F10, "F10"},
        {zp::Key::F11, sf::Keyboard::F11, "F11"},
        {zp::Key::F12, sf::Keyboard::F12, "F12"},
        {zp::Key::F13, sf::Keyboard::F13, "F13"},
        {zp::Key::F14, sf::Keyboard::F14, "F14"},
        {zp::Key::F15, sf::Keyboard::F15, "F15"},
        {zp::Key::PAUSE, sf::Keyboard::Pause, "PAUSE"},
        {zp::Key::COUNT, sf::Keyboard::KeyCount, "COUNT"},
    };
    for (const Named& key : keys)
        EXPECT_EQ(key.zp_value, key.library_value) << "zp::Key::" << key.name;
    EXPECT_EQ(sizeof(keys) / sizeof(keys[0]), std::size_t(sf::Keyboard::KeyCount) + 2);
}

TEST(KeyNames, EveryMouseButtonHasTheWindowingLibrarysCode)
{
    const Named buttons[] = {
        {zp::MouseButton::LEFT, sf::Mouse::Left, "LEFT"},
        {zp::MouseButton::RIGHT, sf::Mouse::Right, "RIGHT"},
        {zp::MouseButton::MIDDLE, sf::Mouse::Middle, "MIDDLE"},
        {zp::MouseButton::X_BUTTON_1, sf::Mouse::XButton1, "X_BUTTON_1"},
        {zp::MouseButton::X_BUTTON_2, sf::Mouse::XButton2, "X_BUTTON_2"},
        {zp::MouseButton::COUNT, sf::Mouse::ButtonCount, "COUNT"},
    };
    for (const Named& button : buttons)
        EXPECT_EQ(button.zp_value, button.library_value) << "zp::MouseButton::" << button.name;
}

} // namespace
