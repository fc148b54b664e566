#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace sumiplex::units {

/// The three kinds of quantity; the numbers are the ones the window keeps as its active
/// kind (0 meaning none yet).
enum class Kind { Length = 1, Mass = 2, Volume = 3 };

inline constexpr int kKindCount = 3;

/// A unit as its two lists show it: the symbol in the source list, the name in the target
/// list. Symbols repeat in the volume list ("fl oz", "gal" for both the U.S. and the British
/// units), so a unit is always identified by its position, never by its text.
struct Unit {
    std::u16string_view symbol;
    std::u16string_view name;
};

/// The units of a kind in list order.
[[nodiscard]] std::span<const Unit> unitsOf(Kind kind);

/// The factor that turns a quantity in the source unit into the target unit, for list
/// positions counted from 1. Empty for a position outside the kind's list. Every factor is
/// the double nearest its decimal in the table, used as it stands: the factors are not
/// derived from one another, so inch to meter (0.0254) is not 1 / 39.37.
[[nodiscard]] std::optional<double> unitFactor(Kind kind, int source, int target);

} // namespace sumiplex::units
