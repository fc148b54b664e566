#pragma once

#include "core/decimal/decimal.h"
#include "core/tools/cash/breakdown.h"
#include "core/tools/cash/denominations.h"
#include "core/tools/cash/printout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

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

/// The count boxes' texts of a tally's counts (index 0 the total, which they do not need).
[[nodiscard]] std::array<std::u16string, kDenominations> countTexts(const TallyCounts& counts);

/// A tally as its window holds it: the nine counts and the total they make. The total is
/// never kept apart from the counts, so every line and the total always agree.
struct Tally {
    Counts counts; ///< index k - 1 the count of denomination k, as the user may have edited it
    Decimal total; ///< the sum of count × face value
};

/// What the tally window shows for the texts of its nine count boxes.
struct TallySheet {
    /// The counts and their total; empty while a box holds no number (or a count too large
    /// for its amount to be written).
    std::optional<Tally> tally;
    /// The first count box (1..9) that keeps `tally` empty; 0 when every box reads.
    std::size_t unreadable = 0;
    /// Text0: the total, plain; empty while a count does not read.
    std::u16string total;
    /// The first grid's row: the total, then the nine counts, plain; a count that does not
    /// read leaves its cell empty.
    std::array<std::u16string, 10> row;
    std::array<SummaryRow, kDenominations> summary;
    /// "合計　　" and the total; "合計" alone while a count does not read.
    std::u16string label1;
};

[[nodiscard]] TallySheet tallySheet(const std::array<std::u16string, kDenominations>& countBoxes);

/// The memo text of a tally: nine lines of padded name, count and amount, the total line
/// and an empty line, fields joined by tabs, every line ended by CR LF.
[[nodiscard]] std::u16string tallyMemoText(const Tally& tally);

/// The printed table of a tally: amounts and total written plain.
[[nodiscard]] DenominationPrintout tallyPrintout(const Tally& tally);

} // namespace sumiplex::cash
