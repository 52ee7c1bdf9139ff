// What the X server shows of a window, taken outside the program with
// ImageMagick's import, so a test sees what really reached the screen; and
// helpers that look at the cells of such a picture.
#pragma once

#include "support/GlyphText.h"

#include "zp/Position.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Text.hpp>

#include <functional>
#include <string>

namespace zp::test {

// The window's current picture, saved at `png_path` too; an empty image when
// the capture failed. On `display` when given, else the test's own.
sf::Image captureWindow(const std::string& window_id, const std::string& png_path,
                        const std::string& display = "");
// The engine's own window (the graphics manager's), saved in the run folder.
sf::Image captureEngineWindow(const std::string& name = "capture.png");
// Captures until the picture satisfies `ready` or a generous deadline passes
// (the X server may lag behind the program); returns the last capture.
sf::Image captureEngineWindowWhen(const std::function<bool(const sf::Image&)>& ready,
                                  const std::string& name = "capture.png");

// Pixels inside a cell (its rectangle of the engine's grid) that pass `match`.
int countInCell(const sf::Image& image, Position cell, const std::function<bool(sf::Color)>& match);
int countColorInCell(const sf::Image& image, Position cell, sf::Color color);
int countLitInCell(const sf::Image& image, Position cell);
bool allBlack(const sf::Image& image);
// Pixels in which two pictures differ; -1 when their sizes differ.
int differingPixels(const sf::Image& a, const sf::Image& b);

} // namespace zp::test
