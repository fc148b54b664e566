#pragma once

#include "core/decimal/decimal.h"
#include "core/tools/units/unit_tables.h"

#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::units {

/// The currency a unit-price line is written in; None for a plain recalculation.
enum class Currency { None, Yen, Dollar };

/// Where a unit-price line comes from: the currency buttons write two blanks before the
/// currency word, the rounding commands and Undo three.
enum class PriceLineSource { Conversion, Rounding };

/// A number typed into a box of the unit window, read as a double: blanks around it, a
/// sign, "," groups, full-width digits. Empty for an empty text and for anything that is not
/// a number.
[[nodiscard]] std::optional<double> readBoxNumber(std::u16string_view text);

/// A double turned into a decimal of at most 15 significant digits; empty when it is not
/// finite or too large for the decimal type.
[[nodiscard]] std::optional<Decimal> toDecimal(double value);

/// A typed quantity as the result lines write it: read as a double, then written with the
/// long pattern (12 gives "12.", "1,000.5" gives "1,000.5"). Empty when it is not a number.
[[nodiscard]] std::optional<std::u16string> quantityText(std::u16string_view text);

struct ConvertedQuantity {
    Decimal value;       ///< quantity × factor, at most 15 significant digits
    std::u16string line; ///< "12. in      0.999996 Feet"
};

/// Converts the typed quantity from the source to the target unit (list positions from 1).
/// Empty when the quantity is not a number, a position is outside the list, or the result
/// does not fit the decimal type.
[[nodiscard]] std::optional<ConvertedQuantity>
convertQuantity(Kind kind, std::u16string_view quantity, int source, int target);

/// "per " + target name + the currency part + the price in the long pattern.
[[nodiscard]] std::u16string unitPriceLine(std::u16string_view targetName, const Decimal& price,
                                           Currency currency, PriceLineSource source);

/// The Q'TY line: the quantity (already written as quantityText does), the target name,
/// "  @", the unit price, then the amount: after four blanks in the long pattern without a
/// currency; after "   JPY " in the long pattern; after "   USD " with at most four decimals.
[[nodiscard]] std::u16string quantityLine(std::u16string_view quantity,
                                          std::u16string_view targetName, const Decimal& price,
                                          const Decimal& amount, Currency currency);

} // namespace sumiplex::units
