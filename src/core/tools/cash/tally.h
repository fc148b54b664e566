#pragma once

#include "core/decimal/decimal.h"
#include "core/tools/cash/breakdown.h"
#include "core/tools/cash/printout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::cash {

/// The count boxes' texts of a tally's counts: plain, without trailing zeros ("2.5" for a
/// count typed "2.50").
[[nodiscard]] std::array<std::u16string, kDenominations> countTexts(const Counts& counts);

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
