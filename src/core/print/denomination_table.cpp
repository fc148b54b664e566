#include "core/print/denomination_table.h"

#include <algorithm>

namespace sumiplex::print {

namespace {

constexpr double kLeft = 25;
constexpr double kTop = 20;
constexpr double kRight = 135;
constexpr double kBottom = 130;
constexpr double kRowHeight = 10;
constexpr double kFirstRowTop = 35;
constexpr double kTotalTop = 125;
constexpr double kCountEdgeBase = 70;
constexpr double kAmountEdgeBase = 115;
constexpr double kLabelPoints = 9;
constexpr double kFigurePoints = 11;

PageOp line(double x1, double y1, double x2, double y2, int penWidth) {
    PageOp op;
    op.kind = PageOp::Kind::Line;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.penWidth = penWidth;
    return op;
}

PageOp arc(double cx, double cy, double radius, double start, int penWidth) {
    PageOp op;
    op.kind = PageOp::Kind::Arc;
    op.x1 = cx;
    op.y1 = cy;
    op.radius = radius;
    op.startDegrees = start;
    op.spanDegrees = 90;
    op.penWidth = penWidth;
    return op;
}

PageOp text(double x, double y, std::u16string_view s, double points) {
    PageOp op;
    op.kind = PageOp::Kind::Text;
    op.x1 = x;
    op.y1 = y;
    op.font = PageFont{std::u16string(kTableFontFamily), points};
    op.text = std::u16string(s);
    return op;
}

} // namespace

std::u16string withoutGrouping(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [](char16_t c) { return c != u','; });
    return out;
}

void appendRoundedBox(std::vector<PageOp>& ops, double x1, double y1, double x2, double y2,
                      double radius, int penWidth) {
    const double r = radius;
    ops.push_back(arc(x1 + r, y1 + r, r, 90, penWidth));
    ops.push_back(arc(x1 + r, y2 - r, r, 180, penWidth));
    ops.push_back(arc(x2 - r, y2 - r, r, 270, penWidth));
    ops.push_back(arc(x2 - r, y1 + r, r, 0, penWidth));
    ops.push_back(line(x1 + r, y1, x2 - r, y1, penWidth));
    ops.push_back(line(x1, y1 + r, x1, y2 - r, penWidth));
    ops.push_back(line(x1 + r, y2, x2 - r, y2, penWidth));
    ops.push_back(line(x2, y1 + r, x2, y2 - r, penWidth));
}

Page denominationTablePage(const DenominationPrintout& printout, const TextMeasure& measure,
                           const Area& area) {
    Page page;
    auto& ops = page.ops;
    appendRoundedBox(ops, kLeft, kTop, kRight, kBottom, 1, 2);
    ops.push_back(line(kLeft, 30, kRight, 30, 2));
    ops.push_back(line(60, kTop, 60, kBottom, 1));
    ops.push_back(line(95, kTop, 95, kBottom, 1));
    ops.push_back(text(35, 25, u"金種", kLabelPoints));
    for (int k = 0; k < 8; ++k) {
        const double y = 40 + kRowHeight * k;
        ops.push_back(line(kLeft, y, kRight, y, 1));
    }
    ops.push_back(line(kLeft, 120, kRight, 120, 2));
    for (std::size_t k = 0; k < printout.rows.size(); ++k)
        ops.push_back(text(35, kFirstRowTop + kRowHeight * static_cast<double>(k),
                           printout.rows[k].denomination, kFigurePoints));
    ops.push_back(text(70, 25, u"枚数", kLabelPoints));
    ops.push_back(text(105, 25, u"金額", kLabelPoints));

    const PageFont figures{std::u16string(kTableFontFamily), kFigurePoints};
    const double alignWidth = measure.widthMm(u"10000", figures);
    const auto rightAligned = [&](double edgeBase, double y, const std::u16string& s) {
        const double x = edgeBase + alignWidth - measure.widthMm(withoutGrouping(s), figures);
        ops.push_back(text(x, y, s, kFigurePoints));
    };
    for (std::size_t k = 0; k < printout.rows.size(); ++k)
        rightAligned(kCountEdgeBase, kFirstRowTop + kRowHeight * static_cast<double>(k),
                     printout.rows[k].count);
    for (std::size_t k = 0; k < printout.rows.size(); ++k)
        rightAligned(kAmountEdgeBase, kFirstRowTop + kRowHeight * static_cast<double>(k),
                     printout.rows[k].amount);
    rightAligned(kAmountEdgeBase, kTotalTop, printout.total);
    placeInArea(page, kRight, kBottom, area);
    return page;
}

} // namespace sumiplex::print
