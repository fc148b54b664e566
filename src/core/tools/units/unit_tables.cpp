#include "core/tools/units/unit_tables.h"

#include <array>

namespace sumiplex::units {

namespace {

constexpr std::array<Unit, 4> kLengthUnits{{
    {u"m", u"Meter"},
    {u"in", u"Inch"},
    {u"ft", u"Feet"},
    {u"yd", u"Yard"},
}};

constexpr std::array<Unit, 4> kMassUnits{{
    {u"Kg", u"Kilogram"},
    {u"gr", u"Grain"},
    {u"oz", u"Ounce"},
    {u"lb", u"Pound"},
}};

constexpr std::array<Unit, 6> kVolumeUnits{{
    {u"L", u"Liter"},
    {u"m3", u"Cubic meter"},
    {u"fl oz", u"U.S. fluid ounce"},
    {u"gal", u"U.S. gallon"},
    {u"fl oz", u"British fluid ounce"},
    {u"gal", u"British gallon"},
}};

// Rows are source units, columns target units, both in list order. The figures are the
// published ones, rounded as published; a round trip through two of them is not 1.
constexpr std::array<std::array<double, 4>, 4> kLengthFactors{{
    {1, 39.37, 3.2808, 1.0936},
    {0.0254, 1, 0.083333, 0.027778},
    {0.3048, 12, 1, 0.33333},
    {0.9144, 36, 3, 1},
}};

constexpr std::array<std::array<double, 4>, 4> kMassFactors{{
    {1, 15432, 35.274, 2.2046},
    {0.00006479891, 1, 0.0022857, 0.00014285},
    {0.028349523125, 437.5, 1, 0.0625},
    {0.45359237, 7000, 16, 1},
}};

constexpr std::array<std::array<double, 6>, 6> kVolumeFactors{{
    {1, 0.001, 33.814, 0.264172, 35.1951, 0.219969},
    {1000, 1, 33814, 264.172, 35195.1, 219.969},
    {0.0295735295625, 0.0000295735295625, 1, 0.0078125, 1.04084, 0.00650527},
    {3.785411784, 0.003785411784, 128, 1, 133.228, 0.832674},
    {0.0284130625, 0.0000284130625, 0.9607599, 0.00750594, 1, 0.00625},
    {4.54609, 0.00454609, 153.722, 1.20095, 160, 1},
}};

template <std::size_t N>
std::optional<double> cell(const std::array<std::array<double, N>, N>& table, int source,
                           int target) {
    const auto inRange = [](int position) {
        return position >= 1 && position <= static_cast<int>(N);
    };
    if (!inRange(source) || !inRange(target))
        return std::nullopt;
    return table[static_cast<std::size_t>(source - 1)][static_cast<std::size_t>(target - 1)];
}

} // namespace

std::span<const Unit> unitsOf(Kind kind) {
    switch (kind) {
    case Kind::Length:
        return kLengthUnits;
    case Kind::Mass:
        return kMassUnits;
    case Kind::Volume:
        break;
    }
    return kVolumeUnits;
}

std::optional<double> unitFactor(Kind kind, int source, int target) {
    switch (kind) {
    case Kind::Length:
        return cell(kLengthFactors, source, target);
    case Kind::Mass:
        return cell(kMassFactors, source, target);
    case Kind::Volume:
        break;
    }
    return cell(kVolumeFactors, source, target);
}

} // namespace sumiplex::units
