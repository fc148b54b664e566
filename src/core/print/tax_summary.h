#pragma once

#include "core/print/page.h"
#include "core/print/page_area.h"

#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::print {

/// An invoice's tax summary as texts: a row per rate with the amount the rate applies to
/// and its tax, the total rows, and notes under the table.
struct TaxSummaryPrintout {
    struct Row {
        std::u16string label;
        std::u16string base; ///< the amount the rate applies to, with its unit
        std::u16string tax;
    };
    std::u16string date;
    std::u16string baseHeading; ///< heading of the amounts column ("対象額(税込)")
    std::u16string taxHeading;  ///< heading of the tax column ("内消費税")
    std::vector<Row> rates;
    std::vector<Row> totals;
    std::vector<std::u16string> notes;
};

inline constexpr std::u16string_view kTaxSummaryHeading = u"税率別集計";

/// The summary on one A4 portrait page inside the area: the heading with the date at its
/// right, a table whose columns are right-aligned on a common edge and wide enough for
/// their longest text, a rule under the column headings and a heavier one above the
/// totals, then the notes. Too wide or too long for the area, it is scaled down to fit.
[[nodiscard]] Page taxSummaryPage(const TaxSummaryPrintout& printout, const TextMeasure& measure,
                                  const Area& area);

} // namespace sumiplex::print
