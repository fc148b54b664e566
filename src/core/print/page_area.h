#pragma once

#include "core/print/page.h"

namespace sumiplex::print {

/// White space left free at each edge of the paper, in millimetres.
struct Margins {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    friend bool operator==(const Margins&, const Margins&) = default;
};

/// The margins a print-out keeps when the user has chosen none.
inline constexpr Margins kDefaultMargins{15, 15, 15, 15};

/// The narrowest and the shortest area a print-out is ever squeezed into; margins that
/// would leave less give way to the default ones in that direction.
inline constexpr double kMinimumAreaMm = 40;

/// A rectangle on the paper, in millimetres from its top-left corner.
struct Area {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    [[nodiscard]] double right() const { return left + width; }
    [[nodiscard]] double bottom() const { return top + height; }
    friend bool operator==(const Area&, const Area&) = default;
};

/// Where a print-out goes on a paper of the size: inside the user's margins, and never
/// nearer an edge than the printer can print. A margin that is negative or no number is the
/// default one; margins that leave less than kMinimumAreaMm across (or down) are replaced
/// by the defaults across (or down).
[[nodiscard]] Area printArea(double paperWidthMm, double paperHeightMm, const Margins& chosen,
                             const Margins& printerMinimum);

/// Moves a page drawn from (0, 0) in a box of the natural size into the area: shifted to
/// the area's corner, and scaled down about that corner, font sizes with it, when the box
/// is wider or taller than the area. Pen widths stay, so lines keep their weight.
void placeInArea(Page& page, double naturalWidth, double naturalHeight, const Area& area);

} // namespace sumiplex::print
