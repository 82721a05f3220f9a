#pragma once
// Colour values as the settings store and the chart keep them: 32 bits; below 0x80000000 an
// RGB colour laid out 0x00BBGGRR; with the top bit set a system colour indexed by the low
// byte (0x8000000F is the button face).

#include <QColor>

#include <cstdint>

namespace vx52 {

inline constexpr std::uint32_t kButtonFace = 0x8000000Fu;
inline constexpr std::uint32_t kYellow = 0x0000FFFFu;

// The colour to paint; a system colour is taken from the application's palette.
QColor colorFromValue(std::uint32_t value);
// An RGB colour value (0x00BBGGRR) for a colour the operator chose.
std::uint32_t valueFromColor(const QColor& color);

} // namespace vx52
