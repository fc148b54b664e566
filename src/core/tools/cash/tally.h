#pragma once

#include "core/decimal/decimal.h"
#include "core/tools/cash/breakdown.h"
#include "core/tools/cash/denominations.h"
#include "core/tools/cash/printout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace sumiplex::cash {

/// Counts of a cash tally as the main window keeps them: index 0 the total reached,
/// index k the count entered for denomination k.
using TallyCounts = std::array<double, 10>;

/// One step of the cash tally: the input line holds a denomination, "*" and the count.
struct TallyLine {
    std::u16string line; ///< the line as counted: an empty count reads "0" ("500*0")
    /// The tape line: six blanks, the line, "= " and the amount, or "ERROR" when the line
    /// does not count; CR LF.
    std::u16string tape;
    /// denomination × count; empty when the count (or the denomination) is not a number or
    /// the total would overflow. Nothing else changes then.
    std::optional<Decimal> amount;
    Decimal total;          ///< the total after the step
    double count = 0;       ///< the count entered
    std::u16string caption; ///< "Subtotal    " and the amount
};

[[nodiscard]] TallyLine tallyLine(std::u16string_view inputLine, const Decimal& total);

/// The closing lines of a tally.
struct TallySummary {
    std::u16string caption; ///< "Total    " and the total
    std::u16string tape;    ///< six blanks, "Total  ", the total, CR LF
};

[[nodiscard]] TallySummary tallySummary(const Decimal& total);

/// A double as the tally shows it: plain, at most 15 significant digits, so no binary
/// rounding shows ("0.1", not "0.1000000000000000055").
[[nodiscard]] std::u16string countText(double value);

/// What the tally window shows for a set of counts.
struct TallySheet {
    TallyCounts counts{};                 ///< kept for the print-out
    std::array<std::u16string, 10> texts; ///< Text0..Text9 and the row of the first grid
    std::array<SummaryRow, kDenominations> summary;
    std::u16string label1; ///< "合計　　" and the total
};

[[nodiscard]] TallySheet tallySheet(const TallyCounts& counts);

/// The memo text made from the tally window's text boxes (Text0 the total, Text1..Text9 the
/// counts, as the user may have edited them): nine lines of padded name, count and amount,
/// the total line and an empty line. Returns the index of the first box that does not hold
/// a number instead, so that nothing is pasted with a line missing.
[[nodiscard]] std::variant<std::u16string, std::size_t>
tallyMemoText(const std::array<std::u16string, 10>& boxes);

/// The printed table of a tally: amounts and total written plain.
[[nodiscard]] DenominationPrintout tallyPrintout(const TallyCounts& counts);

} // namespace sumiplex::cash
