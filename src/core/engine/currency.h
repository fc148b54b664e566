#pragma once

#include "core/decimal/decimal.h"

#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::engine {

/// The input-line text of a yen conversion: "1 USD   JPY   " + rate ("#,##0.#0") for a
/// zero total, else "JPY    " + total × rate (pattern by wholeness). Empty when the rate
/// text is empty, not a number, or the product leaves the decimal range.
[[nodiscard]] std::optional<std::u16string> yenConversionText(const Decimal& total,
                                                              std::u16string_view rateText);

/// The input-line text of a dollar conversion: "1 JPY   USD   " + 1 / rate (double,
/// long pattern) for a zero total, else "USD    " + total / rate (pattern by wholeness).
/// Empty when the rate text is empty, not a number, or zero.
[[nodiscard]] std::optional<std::u16string> dollarConversionText(const Decimal& total,
                                                                 std::u16string_view rateText);

/// A rate as the rate box and the status bar show it: the shortest plain decimal text of
/// the double (80, 80.5, 0.0125).
[[nodiscard]] std::u16string plainRateText(double rate);

/// The total's caption rewritten with another amount, keeping its currency word: "USD",
/// "JPY" or "Total" (from a caption starting "Tot") followed by `blanks` blanks and
/// `amount`. Nothing for any other caption, which then stays as it is.
[[nodiscard]] std::optional<std::u16string>
totalCaptionWithAmount(std::u16string_view caption, std::u16string_view amount, int blanks);

/// True for a rate the conversions can work with: more than 0 and below 10^15 (15 whole
/// digits, all of which a double keeps), and small enough in its decimals to read back as a
/// decimal number. A rate of 0 or below would turn 5 dollars into "JPY -5" or "JPY 0".
[[nodiscard]] bool isUsableExchangeRate(double rate);

/// The rate typed into the exchange-rate dialog: an empty box means 1; text that is not a
/// number, or not a usable rate, keeps `oldRate`. Full-width digits and "," groups are read.
[[nodiscard]] double exchangeRateFromText(std::u16string_view text, double oldRate);

} // namespace sumiplex::engine
