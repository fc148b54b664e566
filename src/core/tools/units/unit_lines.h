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

/// A double carries 15 significant decimal digits faithfully. Figures typed with more are
/// worked out exactly in decimal instead, so a result never shows digits the input did not
/// have; figures within 15 digits go through a double as they always have, so the results
/// users know for them stay digit for digit.
inline constexpr int kDoubleDigits = 15;

/// The significant digits of a value (0 has none; 1200 and 0.012 have two).
[[nodiscard]] int significantDigits(const Decimal& value);

/// A typed quantity as the figures use it: blanks around it, a sign, "," groups and
/// full-width digits are read; within kDoubleDigits it is rounded through a double as the
/// conversions always did, beyond that it is kept exactly. Empty for anything that is not a
/// number or is too large for the decimal type.
[[nodiscard]] std::optional<Decimal> quantityValue(std::u16string_view text);

/// A typed quantity as the result lines write it: quantityValue in the long pattern (12 gives
/// "12.", "1,000.5" gives "1,000.5"). Empty when it is not a number.
[[nodiscard]] std::optional<std::u16string> quantityText(std::u16string_view text);

/// The price of one target unit: the typed price of one source unit divided by the factor,
/// then for a currency multiplied (Yen) or divided (Dollar) by the typed rate; `rate` is not
/// read without a currency. In double precision, kept to 15 significant digits, while price
/// and rate are within kDoubleDigits; exactly in decimal otherwise. Empty when a text is not a
/// number, the rate is 0 for dollars, or the result does not fit the decimal type.
[[nodiscard]] std::optional<Decimal> unitPriceOf(std::u16string_view price, double factor,
                                                 Currency currency, std::u16string_view rate);

struct ConvertedQuantity {
    Decimal value;       ///< quantity × factor: 15 significant digits, or exact (see above)
    std::u16string line; ///< "12. in      0.999996 Feet"
};

/// Converts the typed quantity from the source to the target unit (list positions from 1).
/// A quantity beyond kDoubleDigits is multiplied exactly by the factor's written decimal.
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
