#pragma once

#include "core/print/page.h"
#include "core/print/page_area.h"

#include <array>
#include <string>

namespace sumiplex::print {

/// What one denomination table print-out shows, as texts: for each of the nine
/// denominations (10,000 yen first) its face value, the count and the amount, and the
/// total. The money windows write the amounts their own way (grouped or plain); the columns
/// are aligned on the plain number, so a text with "," groups ends slightly right of the
/// column edge.
struct DenominationPrintout {
    struct Row {
        std::u16string denomination; ///< the face value as printed: "10,000", … "1"
        std::u16string count;
        std::u16string amount;
    };
    std::array<Row, 9> rows;
    std::u16string total;
};

/// The face family of the table's texts.
inline constexpr std::u16string_view kTableFontFamily = u"ＭＳ Ｐゴシック";

/// The table on one A4 portrait page: a box with rounded corners, three columns headed
/// 金種, 枚数 and 金額, nine denomination rows and a total row, counts and amounts
/// right-aligned. Its places are measured from the area's corner, so the margins hold;
/// an area too small for the table gets it scaled down.
[[nodiscard]] Page denominationTablePage(const DenominationPrintout& printout,
                                         const TextMeasure& measure, const Area& area);

/// Four quarter arcs of the radius at the corners and the four straight sides between
/// them, in the pen width.
void appendRoundedBox(std::vector<PageOp>& ops, double x1, double y1, double x2, double y2,
                      double radius, int penWidth);

/// The text with its "," group separators removed: the plain number an amount stands for.
[[nodiscard]] std::u16string withoutGrouping(std::u16string_view text);

} // namespace sumiplex::print
