#pragma once

#include "core/decimal/decimal.h"

#include <optional>
#include <string_view>

namespace sumiplex::engine {

/// Reads a number of the input line as a user types or pastes it: a plain number as
/// Decimal::parse reads it, or an amount written with the unit words 万 (10^4), 億 (10^8),
/// 兆 (10^12), 京 (10^16) and 垓 (10^20) as Japanese people write amounts: "3億2500万",
/// "1万5千", "2.5万", "-3万", "3億0370万" (the four-digit reading's own form, leading
/// zeros and a trailing fraction included). Units come in descending order, each after a
/// group of its own; a group below the first has at most four digits, or is written with
/// 千 ("5千", "5千300"); a fraction belongs to the first group when a single unit follows
/// it, or to the last.
///
/// Amounts formatted by other programs read too, in full width as well:
/// - a currency mark: "¥1,234", "￥1,234", "$1,234.50" in front or "1,234円" behind, one only;
/// - grouping in threes by "," or by one kind of blank (ordinary, full-width, U+2009,
///   U+202F): "1 234 567"; these forms group strictly ("¥1,2345" is no number), while a
///   plain number keeps the grouping Decimal::parse allows ("1,23,4" is 1234);
/// - one sign form: "-" (U+2212 too), "+", "△" or "▲" in front, "-" behind, the whole amount
///   in parentheses, or "-" right after a leading currency mark ("¥-1,234");
/// - combined with the unit words: "¥3万", "3万円", "△2億", "(1万5千)".
/// Anything else ("¥¥1", "(1,234", "1,234--", "△-1") is no number.
[[nodiscard]] std::optional<Decimal> parseAmount(std::u16string_view text);

} // namespace sumiplex::engine
