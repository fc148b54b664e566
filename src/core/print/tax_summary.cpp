#include "core/print/tax_summary.h"

#include "core/print/denomination_table.h"

#include <algorithm>

namespace sumiplex::print {

namespace {

constexpr double kHeadingPoints = 16;
constexpr double kDatePoints = 10.5;
constexpr double kColumnHeadingPoints = 10;
constexpr double kFigurePoints = 11;
constexpr double kNotePoints = 9;
constexpr double kHeaderTop = 16;
constexpr double kFirstRowTop = 25;
constexpr double kRowHeight = 8;
constexpr double kGap = 12;
constexpr double kMinimumLabelWidth = 30;
constexpr double kMinimumAmountWidth = 35;

PageFont fontOf(double points) {
    return PageFont{std::u16string(kTableFontFamily), points};
}

PageOp text(double x, double y, const std::u16string& s, double points) {
    PageOp op;
    op.kind = PageOp::Kind::Text;
    op.x1 = x;
    op.y1 = y;
    op.font = fontOf(points);
    op.text = s;
    return op;
}

PageOp rule(double y, double width, int penWidth) {
    PageOp op;
    op.kind = PageOp::Kind::Line;
    op.x1 = 0;
    op.y1 = y;
    op.x2 = width;
    op.y2 = y;
    op.penWidth = penWidth;
    return op;
}

// The widest text of one column of the rows, in the figures' size.
template <typename Field>
double widest(const TaxSummaryPrintout& p, const TextMeasure& measure, Field field) {
    double w = 0;
    for (const auto* rows : {&p.rates, &p.totals})
        for (const TaxSummaryPrintout::Row& row : *rows)
            w = std::max(w, measure.widthMm(row.*field, fontOf(kFigurePoints)));
    return w;
}

} // namespace

Page taxSummaryPage(const TaxSummaryPrintout& p, const TextMeasure& measure, const Area& area) {
    using Row = TaxSummaryPrintout::Row;
    const auto width = [&](const std::u16string& s, double points) {
        return measure.widthMm(s, fontOf(points));
    };
    const double labelWidth = std::max(widest(p, measure, &Row::label), kMinimumLabelWidth);
    const double baseWidth =
        std::max({widest(p, measure, &Row::base), width(p.baseHeading, kColumnHeadingPoints),
                  kMinimumAmountWidth});
    const double taxWidth =
        std::max({widest(p, measure, &Row::tax), width(p.taxHeading, kColumnHeadingPoints),
                  kMinimumAmountWidth});
    const double baseRight = labelWidth + kGap + baseWidth;
    const double taxRight = baseRight + kGap + taxWidth;
    const std::u16string heading(kTaxSummaryHeading);
    const double tableWidth =
        std::max(taxRight, width(heading, kHeadingPoints) + kGap + width(p.date, kDatePoints));

    Page page;
    auto& ops = page.ops;
    const auto rightAligned = [&](double edge, double y, const std::u16string& s, double points) {
        if (!s.empty())
            ops.push_back(text(edge - width(s, points), y, s, points));
    };
    ops.push_back(text(0, 0, heading, kHeadingPoints));
    rightAligned(tableWidth, 2, p.date, kDatePoints);
    rightAligned(baseRight, kHeaderTop, p.baseHeading, kColumnHeadingPoints);
    rightAligned(taxRight, kHeaderTop, p.taxHeading, kColumnHeadingPoints);
    ops.push_back(rule(kFirstRowTop - 2, tableWidth, 1));

    double y = kFirstRowTop;
    const auto putRow = [&](const Row& row) {
        ops.push_back(text(0, y, row.label, kFigurePoints));
        rightAligned(baseRight, y, row.base, kFigurePoints);
        rightAligned(taxRight, y, row.tax, kFigurePoints);
        y += kRowHeight;
    };
    for (const Row& row : p.rates)
        putRow(row);
    ops.push_back(rule(y, tableWidth, 2));
    y += 2;
    for (const Row& row : p.totals)
        putRow(row);
    y += 2;
    for (const std::u16string& note : p.notes) {
        ops.push_back(text(0, y, note, kNotePoints));
        y += measure.lineHeightMm(fontOf(kNotePoints));
    }
    placeInArea(page, tableWidth, y, area);
    return page;
}

} // namespace sumiplex::print
