#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace sumiplex::platform {

/// Colours are stored as 32-bit values with red in the low byte, then green, then blue.
/// A value with the top bit set names a system colour by its index in the low byte; those
/// are taken from `palette` (the desktop's colours on this system).
[[nodiscard]] QColor colourFromValue(std::int32_t value, const QPalette& palette);

/// The stored form of an ordinary colour (never a system colour).
[[nodiscard]] std::int32_t valueFromColour(const QColor& colour);

} // namespace sumiplex::platform
