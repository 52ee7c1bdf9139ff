// Reads back what the X server shows in the game window, for tests that
// check pixels. The capture is taken outside the program (ImageMagick's
// import), so it shows what actually reached the screen.
#pragma once

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include <SFML/Graphics.hpp>

#include "support/RunDir.h"
#include "zp/GraphicsManager.h"
#include "zp/Position.h"

namespace zp::test {

// The window's current picture; an empty image when the capture failed.
inline sf::Image captureWindow(const std::string& name = "capture.png")
{
    sf::Image image;
    sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindow();
    if (p_window == nullptr)
        return image;
    std::string path = runDir() + "/" + name;
    std::string command =
        "import -window " + std::to_string(p_window->getSystemHandle()) + " png:" + path + " 2>/dev/null";
    if (std::system(command.c_str()) == 0)
        image.loadFromFile(path);
    return image;
}

// Captures until the picture satisfies `ready` or a generous deadline passes
// (the X server may lag behind display()); returns the last capture.
inline sf::Image captureWhen(const std::function<bool(const sf::Image&)>& ready,
                             const std::string& name = "capture.png")
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    sf::Image image;
    do {
        image = captureWindow(name);
        if (image.getSize().x > 0 && ready(image))
            return image;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return image;
}

// Pixels inside a cell (its rectangle of the grid) that pass `match`.
inline int countInCell(const sf::Image& image, Position cell, const std::function<bool(sf::Color)>& match)
{
    Position from = spacesToPixels(cell);
    Position to = spacesToPixels(Position(cell.getX() + 1, cell.getY() + 1));
    int count = 0;
    for (int y = from.getY(); y < to.getY() && y < int(image.getSize().y); ++y)
        for (int x = from.getX(); x < to.getX() && x < int(image.getSize().x); ++x)
            count += match(image.getPixel(unsigned(x), unsigned(y))) ? 1 : 0;
    return count;
}

inline int countColorInCell(const sf::Image& image, Position cell, sf::Color color)
{
    return countInCell(image, cell, [color](sf::Color pixel) { return pixel == color; });
}

inline int countLitInCell(const sf::Image& image, Position cell)
{
    return countInCell(image, cell, [](sf::Color pixel) { return pixel != sf::Color::Black; });
}

inline bool allBlack(const sf::Image& image)
{
    const sf::Uint8* p_pixel = image.getPixelsPtr();
    size_t bytes = size_t(image.getSize().x) * image.getSize().y * 4;
    for (size_t i = 0; i < bytes; i += 4)
        if (p_pixel[i] != 0 || p_pixel[i + 1] != 0 || p_pixel[i + 2] != 0)
            return false;
    return bytes > 0;
}

} // namespace zp::test
