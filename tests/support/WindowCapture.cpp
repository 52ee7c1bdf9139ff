#include "support/WindowCapture.h"

#include "support/RunDir.h"
#include "support/Shell.h"

#include "zp/GraphicsManager.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <chrono>
#include <filesystem>
#include <thread>

namespace zp::test {
namespace {

const std::chrono::seconds CAPTURE_DEADLINE(20);
const std::chrono::milliseconds CAPTURE_INTERVAL(50);

} // namespace

sf::Image captureWindow(const std::string& window_id, const std::string& png_path, const std::string& display)
{
    std::error_code ignored;
    std::filesystem::remove(png_path, ignored);
    commandOutput((display.empty() ? "" : "DISPLAY='" + display + "' ") + "import -window " + window_id +
                  " png:" + png_path);
    sf::Image image;
    if (!std::filesystem::exists(png_path) || !image.loadFromFile(png_path))
        return sf::Image();
    return image;
}

sf::Image captureEngineWindow(const std::string& name)
{
    sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindow();
    if (p_window == nullptr)
        return sf::Image();
    return captureWindow(std::to_string(p_window->getSystemHandle()), runDir() + "/" + name);
}

sf::Image captureEngineWindowWhen(const std::function<bool(const sf::Image&)>& ready, const std::string& name)
{
    const auto deadline = std::chrono::steady_clock::now() + CAPTURE_DEADLINE;
    sf::Image image;
    do {
        image = captureEngineWindow(name);
        if (image.getSize().x > 0 && ready(image))
            return image;
        std::this_thread::sleep_for(CAPTURE_INTERVAL);
    } while (std::chrono::steady_clock::now() < deadline);
    return image;
}

int countInCell(const sf::Image& image, Position cell, const std::function<bool(sf::Color)>& match)
{
    const Position from = spacesToPixels(cell);
    const Position to = spacesToPixels(Position(cell.getX() + 1, cell.getY() + 1));
    int count = 0;
    for (int y = from.getY(); y < to.getY() && y < int(image.getSize().y); ++y)
        for (int x = from.getX(); x < to.getX() && x < int(image.getSize().x); ++x)
            count += match(image.getPixel(unsigned(x), unsigned(y))) ? 1 : 0;
    return count;
}

int countColorInCell(const sf::Image& image, Position cell, sf::Color color)
{
    return countInCell(image, cell, [color](sf::Color pixel) { return pixel == color; });
}

int countLitInCell(const sf::Image& image, Position cell)
{
    return countInCell(image, cell, [](sf::Color pixel) { return pixel != sf::Color::Black; });
}

bool allBlack(const sf::Image& image)
{
    const sf::Uint8* p_pixel = image.getPixelsPtr();
    const size_t bytes = size_t(image.getSize().x) * image.getSize().y * 4;
    for (size_t i = 0; i < bytes; i += 4)
        if (p_pixel[i] != 0 || p_pixel[i + 1] != 0 || p_pixel[i + 2] != 0)
            return false;
    return bytes > 0;
}

int differingPixels(const sf::Image& a, const sf::Image& b)
{
    if (a.getSize() != b.getSize())
        return -1;
    int count = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y)
        for (unsigned x = 0; x < a.getSize().x; ++x)
            count += a.getPixel(x, y) != b.getPixel(x, y) ? 1 : 0;
    return count;
}

} // namespace zp::test
