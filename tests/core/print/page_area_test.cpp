#include "core/print/denomination_table.h"
#include "core/print/page_area.h"
#include "core/print/tax_summary.h"
#include "core/print/text_pages.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <utility>

namespace sumiplex::print {
namespace {

using sumiplex::testing::utf8;

// Every character 2 mm wide at 10 pt (scaled with the size); lines 5 mm apart.
class FixedMeasure final : public TextMeasure {
public:
    double widthMm(std::u16string_view text, const PageFont& font) const override {
        return 2.0 * static_cast<double>(text.size()) * font.points / 10;
    }
    double lineHeightMm(const PageFont&) const override { return 5; }
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Margins kPrinterMinimum{4, 4, 4, 4};

TEST(PrintArea, KeepsTheChosenMarginsWithinWhatThePrinterAndPaperAllow) {
    const struct {
        const char* name;
        Margins chosen;
        Margins minimum;
        Area area;
    } cases[] = {
        {"default margins", kDefaultMargins, kPrinterMinimum, {15, 15, 180, 267}},
        {"chosen margins", {25, 20, 10, 30}, kPrinterMinimum, {25, 20, 175, 247}},
        {"below the printer's reach", {0, 1, 2, 3}, kPrinterMinimum, {4, 4, 202, 289}},
        {"a printer reaching less far", kDefaultMargins, {17, 16, 5, 20}, {17, 16, 178, 261}},
        {"negative or no number: default", {-5, kNaN, 10, 10}, kPrinterMinimum, {15, 15, 185, 272}},
        // Too little paper left across: the defaults across; down stays as chosen.
        {"too wide apart", {100, 20, 100, 30}, kPrinterMinimum, {15, 20, 180, 247}},
        {"too far down", {20, 150, 20, 120}, kPrinterMinimum, {20, 15, 170, 267}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printArea(210, 297, c.chosen, c.minimum), c.area) << c.name;
}

// Every drawing lies inside the area (texts by where they start).
void expectInside(const Page& page, const Area& area) {
    for (const PageOp& op : page.ops)
        for (const auto& [x, y] : {std::pair{op.x1, op.y1}, std::pair{op.x2, op.y2}})
            if (x != 0 || y != 0) { // texts and arcs leave the line end unset
                EXPECT_TRUE(x >= area.left - 1e-9 && x + op.radius <= area.right() + 1e-9 &&
                            y >= area.top - 1e-9 && y + op.radius <= area.bottom() + 1e-9)
                    << utf8(op.text) << " at " << x << "," << y;
            }
}

TEST(PrintOutsKeepTheMargins, EveryLayoutStartsAtTheAreaCorner) {
    const FixedMeasure measure;
    const Area area{25, 20, 160, 247};
    TextPager pager(u"first\r\nsecond", TextPageFormat{area, PageFont{u"", 10}}, measure);
    const Page text = pager.nextPage();
    EXPECT_EQ(text.ops.front().x1, 25);
    EXPECT_EQ(text.ops.front().y1, 20);
    EXPECT_EQ(text.ops.back().y1, 25);

    DenominationPrintout table;
    table.total = u"0";
    const Page placed = denominationTablePage(table, measure, area);
    // The box's top-left corner arc is centred 1 mm inside (25 + 25, 20 + 20).
    EXPECT_EQ(placed.ops.front().x1, 51);
    EXPECT_EQ(placed.ops.front().y1, 41);
    expectInside(placed, area);
    // An area narrower than the table: it shrinks to fit instead of running off the paper.
    const Area narrow{60, 20, 90, 247};
    expectInside(denominationTablePage(table, measure, narrow), narrow);
}

TaxSummaryPrintout summary() {
    TaxSummaryPrintout p;
    p.date = u"2026年1月1日";
    p.baseHeading = u"対象額(税込)";
    p.taxHeading = u"内消費税";
    p.rates = {{u"10%対象", u"11,000円", u"1,000円"}, {u"※8%対象", u"5,400円", u"400円"}};
    // A 29-digit total widens its column rather than running into the labels.
    p.totals = {{u"合計", u"79,228,162,514,264,337,593,543,950,335円", u"1,400円"}};
    p.notes = {u"※は軽減税率対象"};
    return p;
}

struct Edges {
    double left = 0;
    double right = 0;
};

// Where each text of the page starts and ends across, by its text.
std::map<std::string, Edges> edgesOf(const Page& page, const TextMeasure& measure) {
    std::map<std::string, Edges> out;
    for (const PageOp& op : page.ops)
        if (op.kind == PageOp::Kind::Text)
            out[utf8(op.text)] = {op.x1, op.x1 + measure.widthMm(op.text, op.font)};
    return out;
}

TEST(TaxSummaryPage, ColumnsRightAlignedAndWideEnoughForTheirLongestAmount) {
    const FixedMeasure measure;
    const Area area{15, 15, 180, 267};
    const Page page = taxSummaryPage(summary(), measure, area);
    const auto at = edgesOf(page, measure);
    for (const char* s : {"11,000円", "5,400円", "79,228,162,514,264,337,593,543,950,335円"}) {
        EXPECT_DOUBLE_EQ(at.at(s).right, at.at("対象額(税込)").right) << s;
        EXPECT_GT(at.at(s).left, at.at("※8%対象").right) << s;
    }
    for (const char* s : {"1,000円", "400円", "1,400円"}) {
        EXPECT_DOUBLE_EQ(at.at(s).right, at.at("内消費税").right) << s;
        EXPECT_GT(at.at(s).left, at.at("11,000円").right) << s;
    }
    EXPECT_DOUBLE_EQ(at.at("2026年1月1日").right, at.at("内消費税").right);
    EXPECT_EQ(at.at(utf8(kTaxSummaryHeading)).left, 15);
    expectInside(page, area);
}

} // namespace
} // namespace sumiplex::print
