// Colours as eyes with a colour vision deficiency see them, and how far
// apart two colours look. The simulation is Machado, Oliveira and Fernandes,
// "A Physiologically-based Model for Simulation of Color Vision Deficiency"
// (IEEE TVCG 15(6), 2009), at severity 1.0 (dichromacy), applied to linear
// sRGB; the distance is CIE 1976 Delta E*ab between CIELAB colours (D65).
#pragma once

#include <SFML/Graphics/Color.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace zp::test {

using Matrix3 = std::array<std::array<double, 3>, 3>;

// The published matrices for full protanopia and deuteranopia.
const Matrix3 PROTANOPIA = {
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
const Matrix3 DEUTERANOPIA = {
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};
const Matrix3 NORMAL_VISION = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

using LinearRgb = std::array<double, 3>;
using Lab = std::array<double, 3>;

inline double srgbToLinear(sf::Uint8 value)
{
    const double s = value / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

// The colour as the eye of the matrix sees it, in linear RGB (clamped to the gamut).
inline LinearRgb simulate(const sf::Color& color, const Matrix3& vision)
{
    const LinearRgb in = {srgbToLinear(color.r), srgbToLinear(color.g), srgbToLinear(color.b)};
    LinearRgb out{};
    for (int i = 0; i < 3; ++i) {
        double sum = 0;
        for (int j = 0; j < 3; ++j)
            sum += vision[i][j] * in[j];
        out[i] = std::clamp(sum, 0.0, 1.0);
    }
    return out;
}

inline Lab toLab(const LinearRgb& rgb)
{
    const double x = 0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2];
    const double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
    const double z = 0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2];
    auto f = [](double t) {
        const double delta = 6.0 / 29.0;
        return t > delta * delta * delta ? std::cbrt(t) : t / (3 * delta * delta) + 4.0 / 29.0;
    };
    const double fx = f(x / 0.95047);
    const double fy = f(y / 1.0);
    const double fz = f(z / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

// Delta E*ab between two colours as the eye of the matrix sees them.
inline double seenDistance(const sf::Color& a, const sf::Color& b, const Matrix3& vision)
{
    const Lab la = toLab(simulate(a, vision));
    const Lab lb = toLab(simulate(b, vision));
    return std::sqrt((la[0] - lb[0]) * (la[0] - lb[0]) + (la[1] - lb[1]) * (la[1] - lb[1]) +
                     (la[2] - lb[2]) * (la[2] - lb[2]));
}

} // namespace zp::test
