#pragma once

#include "core/decimal/decimal.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace sumiplex::margin {

/// The three figures of a sale. The rate is the margin on the price, in percent.
enum class Figure { Cost, Price, Rate };

/// Why a figure could not be worked out. Each is said in the window; a refused figure is
/// left empty rather than shown wrong.
enum class Refusal {
    CostNotANumber, ///< "1,2,3" or "abc" in the cost box
    PriceNotANumber,
    RateNotANumber,
    RateTooHigh, ///< a margin of 100 % or more, given or worked out: no price gives it
    PriceZero,   ///< a margin on a price of 0 is no number
    OutOfRange,  ///< a result beyond the 28-digit decimal range
};

/// The three figures, all known.
struct Sale {
    Decimal cost;
    Decimal price;
    Decimal rate;
};

/// A worked-out sale, or why not.
using Outcome = std::variant<Sale, Refusal>;

/// price = cost ÷ (1 − rate/100).
[[nodiscard]] Outcome priceFrom(const Decimal& cost, const Decimal& rate);
/// rate = (price − cost) ÷ price × 100.
[[nodiscard]] Outcome rateFrom(const Decimal& cost, const Decimal& price);
/// cost = price × (1 − rate/100).
[[nodiscard]] Outcome costFrom(const Decimal& price, const Decimal& rate);

/// The profit (price − cost) and the markup on the cost, (price − cost) ÷ cost × 100, of a
/// sale that worked out; nothing when either leaves the decimal range.
struct Earnings {
    Decimal profit;
    Decimal markup;
};
[[nodiscard]] std::optional<Earnings> earnings(const Sale& sale);

/// Reads a rate as typed: an amount as the input line reads it, with an optional "%" (or
/// its full-width form) after it.
[[nodiscard]] std::optional<Decimal> parseRate(std::u16string_view text);

/// The sentence the window shows for a refusal.
[[nodiscard]] std::u16string_view refusalText(Refusal refusal);

} // namespace sumiplex::margin
