#include "core/print/page_area.h"

#include <algorithm>
#include <cmath>

namespace sumiplex::print {

namespace {

double usable(double chosen, double fallback) {
    return std::isfinite(chosen) && chosen >= 0 ? chosen : fallback;
}

// The two margins of one direction: the chosen ones, or the defaults when the chosen ones
// leave too little paper between them; the printer's own minimum always holds.
std::pair<double, double> marginsAlong(double paper, double first, double second,
                                       double defaultFirst, double defaultSecond,
                                       double minimumFirst, double minimumSecond) {
    double a = std::max(usable(first, defaultFirst), minimumFirst);
    double b = std::max(usable(second, defaultSecond), minimumSecond);
    if (paper - a - b < kMinimumAreaMm) {
        a = std::max(defaultFirst, minimumFirst);
        b = std::max(defaultSecond, minimumSecond);
    }
    return {a, b};
}

} // namespace

Area printArea(double paperWidthMm, double paperHeightMm, const Margins& chosen,
               const Margins& printerMinimum) {
    const Margins& d = kDefaultMargins;
    const auto [left, right] = marginsAlong(paperWidthMm, chosen.left, chosen.right, d.left,
                                            d.right, printerMinimum.left, printerMinimum.right);
    const auto [top, bottom] = marginsAlong(paperHeightMm, chosen.top, chosen.bottom, d.top,
                                            d.bottom, printerMinimum.top, printerMinimum.bottom);
    return Area{left, top, std::max(paperWidthMm - left - right, 0.0),
                std::max(paperHeightMm - top - bottom, 0.0)};
}

void placeInArea(Page& page, double naturalWidth, double naturalHeight, const Area& area) {
    double scale = 1;
    if (naturalWidth > area.width && naturalWidth > 0)
        scale = area.width / naturalWidth;
    if (naturalHeight > area.height && naturalHeight > 0)
        scale = std::min(scale, area.height / naturalHeight);
    const auto x = [&](double v) { return area.left + v * scale; };
    const auto y = [&](double v) { return area.top + v * scale; };
    for (PageOp& op : page.ops) {
        op.x1 = x(op.x1);
        op.y1 = y(op.y1);
        if (op.kind == PageOp::Kind::Line) {
            op.x2 = x(op.x2);
            op.y2 = y(op.y2);
        }
        op.radius *= scale;
        op.font.points *= scale;
    }
}

} // namespace sumiplex::print
