#pragma once

#include "core/tools/cash/denominations.h"

#include <array>
#include <string>
#include <string_view>

namespace sumiplex::cash {

/// One denomination row of the printed table.
struct DenominationPrintRow {
    std::u16string denomination; ///< the face value as printed: "10,000", "5,000", … "1"
    std::u16string count;        ///< the count, plain ("12", "-1", "2.5")
    /// The row's amount (count × face value) as printed: grouped ("120,000") from the
    /// breakdown window, plain ("120000") from the tally window.
    std::u16string amount;
    /// The same amount written plain, whatever the printed form: the text whose width
    /// right-aligns the amount column.
    std::u16string plainAmount;
};

/// Everything the one-page denomination table prints, free of any drawing: the header
/// fields, nine rows in the order of kFaceValues and the total row.
struct DenominationPrintout {
    std::array<std::u16string_view, 3> header{u"金種", u"枚数", u"金額"};
    std::array<DenominationPrintRow, kDenominations> rows;
    std::u16string total;      ///< the total as printed (grouped or plain, as the amounts)
    std::u16string plainTotal; ///< the total written plain, for its alignment width
};

} // namespace sumiplex::cash
