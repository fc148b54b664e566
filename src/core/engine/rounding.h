#pragma once

#include "core/decimal/decimal.h"

#include <cstdint>

#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::engine {

enum class RoundMode : std::uint8_t {
    HalfAwayFromZero, ///< 四捨五入: offset 0.5 units of the place
    Up,               ///< 切り上げ: offset 0.9 units of the place
    Down,             ///< 切り捨て: no offset
};

/// The tape word of a mode: "  Round-Off ", "  Round-Up ", "  Round-Down ".
[[nodiscard]] std::u16string_view roundingTapeWord(RoundMode mode);

/// k = N - 1 for the decimal-place text N of the place box (full-width digits accepted);
/// a fractional k rounds half to even (N = 2.5 gives k = 2); a text that is not a number
/// gives k = 0.
[[nodiscard]] int roundingShift(std::u16string_view placeText);

/// Rounds `original` (the value before the first rounding of a run) keeping k places:
/// add/subtract the mode's offset × 10^-k by sign, scale by 10^k, truncate, scale back.
/// Empty when a step leaves the decimal range; the caller then keeps the total.
[[nodiscard]] std::optional<Decimal> roundAtShift(const Decimal& original, int k, RoundMode mode);

} // namespace sumiplex::engine
