#pragma once

#include <string>
#include <string_view>

namespace sumiplex::journal {

/// One step of the tape, split for a spreadsheet. Amounts are the step's exact values in
/// plain form ("-1234.5": no group separators, "." as the decimal point, no trailing ".",
/// 万 and 億 forms and full-width digits read as the calculator reads them); a field that
/// does not apply is empty.
///
/// What `amount` holds, by kind of line:
/// - a step on the total ("+500", "  -500", "3*", "/4", "2^", a bare "-500"): the operand;
///   the operation is "+" (a bare number is added, with its sign), "-", "*", "/" or "^"
/// - a percent of the total: "%+" and "%-" the share added or taken off, so the total
///   before plus or minus the amount is the total after; "%" the share, which becomes
///   the total
/// - a line result "(3*4= 12)", a percent of a line, a cash tally line "10000*3= 30,000":
///   the result, operation "="; the total is untouched
/// - rounding, an undone rounding ("Back") and a conversion of the total (">JPY", ">USD"):
///   the total before
/// - a copied tax line ("Tax +", "Tax -"): the amount with or without the tax; a converted
///   amount ("JPY", "USD"): that amount; an exchange rate line ("1 USD", "1 JPY"): the rate
/// - Back, Forward, AC, a total typed back in, a tally's total: no amount, only the total
struct TapeStep {
    std::string time;         ///< "YYYY-MM-DD HH:MM:SS", empty when the file has no mark
    std::u16string input;     ///< what was typed or done, as the tape shows it
    std::u16string operation; ///< "+", "-", "*", "/", "^", "%+", "%-", "%", "=", or a word
    std::u16string amount;    ///< see above
    std::u16string total;     ///< the total after the step, when the line shows it
    /// The total before the step, when the line shows it (a step on the total, a percent
    /// of it, a rounding, an undone rounding, a conversion of it).
    std::u16string before;
};

[[nodiscard]] TapeStep parseStep(std::u16string_view line);

/// A tape line without its indent (blanks, ideographic blanks) and its line end.
[[nodiscard]] std::u16string_view trimTapeLine(std::u16string_view line);
/// A character of an amount as the tape writes one: a digit of either width, ",", "." or "-".
[[nodiscard]] bool isTapeAmountChar(char16_t c);

/// The amount a tape line offers for the input line: the total after the step, else the
/// line result or operand, in plain form; empty when the line holds none.
[[nodiscard]] std::u16string amountOfLine(std::u16string_view line);

} // namespace sumiplex::journal
