#pragma once

#include "core/print/tax_summary.h"
#include "core/tools/taxrate/tax_by_rate.h"

#include <string>

namespace sumiplex::taxrate {

/// The summary as its print-out shows it, dated `date`: a row per rate that has rows (the
/// reduced one marked "※" and explained in a note), then the total. The columns hold what
/// the rate rows hold, so they add up down the page: amounts with their tax included
/// (税込) or excluded (税抜) as the window sums them; on the excluded basis a last row gives
/// the total with tax.
[[nodiscard]] print::TaxSummaryPrintout summaryPrintout(const RateSummary& summary,
                                                        std::u16string date);

} // namespace sumiplex::taxrate
