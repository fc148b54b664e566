#include "core/print/denomination_table.h"
#include "core/print/page_area.h"
#include "core/print/tax_summary.h"
#include "core/print/text_pages.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sumiplex::print {
namespace {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

// Every character 2 mm wide at 10 pt (scaled with the size), "," 1 mm; lines 5 mm apart.
class FixedMeasure final : public TextMeasure {
public:
    double widthMm(std::u16string_view text, const PageFont& font) const override {
        double w = 0;
        for (char16_t c : text)
            w += c == u',' ? 1 : 2;
        return w * font.points / 10;
    }
    double lineHeightMm(const PageFont&) const override { return 5; }
};

// An area at the paper's corner that fits everything: places read as laid out.
constexpr Area kOrigin{0, 0, 1000, 1000};

DenominationPrintout sample() {
    DenominationPrintout p;
    const char16_t* counts[] = {u"12", u"1", u"0", u"3", u"0", u"0", u"0", u"0", u"4"};
    const char16_t* amounts[] = {u"120,000", u"5,000", u"0", u"1,500", u"0",
                                 u"0",       u"0",     u"0", u"4"};
    const char16_t* faces[] = {u"10,000", u"5,000", u"1,000", u"500", u"100",
                               u"50",     u"10",    u"5",     u"1"};
    for (std::size_t k = 0; k < 9; ++k)
        p.rows[k] = {faces[k], counts[k], amounts[k]};
    p.total = u"126,504";
    return p;
}

std::vector<PageOp> opsOf(const Page& page, PageOp::Kind kind) {
    std::vector<PageOp> out;
    for (const PageOp& op : page.ops)
        if (op.kind == kind)
            out.push_back(op);
    return out;
}

TEST(DenominationTable, LinesAtTheirMillimetrePositionsAndWidths) {
    const Page page = denominationTablePage(sample(), FixedMeasure{}, kOrigin);
    EXPECT_EQ(page.paperCode, 9);
    EXPECT_EQ(page.orientation, Orientation::Portrait);
    const struct {
        double x1, y1, x2, y2;
        int pen;
    } expected[] = {
        {26, 20, 134, 20, 2},   {25, 21, 25, 129, 2},   {26, 130, 134, 130, 2},
        {135, 21, 135, 129, 2}, {25, 30, 135, 30, 2},   {60, 20, 60, 130, 1},
        {95, 20, 95, 130, 1},   {25, 40, 135, 40, 1},   {25, 50, 135, 50, 1},
        {25, 60, 135, 60, 1},   {25, 70, 135, 70, 1},   {25, 80, 135, 80, 1},
        {25, 90, 135, 90, 1},   {25, 100, 135, 100, 1}, {25, 110, 135, 110, 1},
        {25, 120, 135, 120, 2},
    };
    const auto lines = opsOf(page, PageOp::Kind::Line);
    ASSERT_EQ(lines.size(), std::size(expected));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& e = expected[i];
        EXPECT_EQ(lines[i].x1, e.x1) << i;
        EXPECT_EQ(lines[i].y1, e.y1) << i;
        EXPECT_EQ(lines[i].x2, e.x2) << i;
        EXPECT_EQ(lines[i].y2, e.y2) << i;
        EXPECT_EQ(lines[i].penWidth, e.pen) << i;
    }
}

TEST(DenominationTable, CornersAreQuarterArcsMeetingTheSides) {
    const Page page = denominationTablePage(sample(), FixedMeasure{}, kOrigin);
    const struct {
        double cx, cy, start;
    } expected[] = {{26, 21, 90}, {26, 129, 180}, {134, 129, 270}, {134, 21, 0}};
    const auto arcs = opsOf(page, PageOp::Kind::Arc);
    ASSERT_EQ(arcs.size(), 4U);
    for (std::size_t i = 0; i < arcs.size(); ++i) {
        EXPECT_EQ(arcs[i].x1, expected[i].cx) << i;
        EXPECT_EQ(arcs[i].y1, expected[i].cy) << i;
        EXPECT_EQ(arcs[i].radius, 1);
        EXPECT_EQ(arcs[i].startDegrees, expected[i].start) << i;
        EXPECT_EQ(arcs[i].spanDegrees, 90);
        EXPECT_EQ(arcs[i].penWidth, 2);
    }
}

TEST(DenominationTable, TextsPlacedAndRightAlignedOnThePlainNumber) {
    const Page page = denominationTablePage(sample(), FixedMeasure{}, kOrigin);
    // At 11 pt a digit is 2.2 mm, so the column edges are 70 + 11 and 115 + 11.
    const struct {
        std::string_view text;
        double x, y, points;
    } expected[] = {
        {"金種", 35, 25, 9},
        {"10,000", 35, 35, 11},
        {"5,000", 35, 45, 11},
        {"1,000", 35, 55, 11},
        {"500", 35, 65, 11},
        {"100", 35, 75, 11},
        {"50", 35, 85, 11},
        {"10", 35, 95, 11},
        {"5", 35, 105, 11},
        {"1", 35, 115, 11},
        {"枚数", 70, 25, 9},
        {"金額", 105, 25, 9},
        {"12", 81 - 4.4, 35, 11},
        {"1", 81 - 2.2, 45, 11},
        {"0", 81 - 2.2, 55, 11},
        {"3", 81 - 2.2, 65, 11},
        {"0", 81 - 2.2, 75, 11},
        {"0", 81 - 2.2, 85, 11},
        {"0", 81 - 2.2, 95, 11},
        {"0", 81 - 2.2, 105, 11},
        {"4", 81 - 2.2, 115, 11},
        {"120,000", 126 - 13.2, 35, 11},
        {"5,000", 126 - 8.8, 45, 11},
        {"0", 126 - 2.2, 55, 11},
        {"1,500", 126 - 8.8, 65, 11},
        {"0", 126 - 2.2, 75, 11},
        {"0", 126 - 2.2, 85, 11},
        {"0", 126 - 2.2, 95, 11},
        {"0", 126 - 2.2, 105, 11},
        {"4", 126 - 2.2, 115, 11},
        {"126,504", 126 - 13.2, 125, 11},
    };
    const auto texts = opsOf(page, PageOp::Kind::Text);
    ASSERT_EQ(texts.size(), std::size(expected));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto& e = expected[i];
        EXPECT_EQ(utf8(texts[i].text), e.text) << i;
        EXPECT_NEAR(texts[i].x1, e.x, 1e-9) << i;
        EXPECT_EQ(texts[i].y1, e.y) << i;
        EXPECT_EQ(texts[i].font.points, e.points) << i;
        EXPECT_EQ(texts[i].font.family, kTableFontFamily) << i;
    }
}

TEST(DenominationTable, PlainAndGroupedAmountsShareTheirStart) {
    // The alignment measures the plain number, so grouping moves only the text's end.
    DenominationPrintout grouped = sample();
    DenominationPrintout plain = sample();
    plain.rows[0].amount = u"120000";
    const auto a =
        opsOf(denominationTablePage(grouped, FixedMeasure{}, kOrigin), PageOp::Kind::Text);
    const auto b = opsOf(denominationTablePage(plain, FixedMeasure{}, kOrigin), PageOp::Kind::Text);
    EXPECT_EQ(utf8(a[21].text), "120,000");
    EXPECT_EQ(utf8(b[21].text), "120000");
    EXPECT_EQ(a[21].x1, b[21].x1);
}

using Pages = std::vector<std::vector<std::string>>;

Pages paginate(std::u16string_view text, double width, double height) {
    FixedMeasure measure;
    TextPager pager(text, TextPageFormat{Area{0, 0, width, height}, PageFont{u"", 10}}, measure);
    Pages out;
    while (!pager.atEnd()) {
        out.emplace_back();
        for (const PageOp& op : pager.nextPage().ops)
            out.back().push_back(utf8(op.text));
    }
    return out;
}

TEST(TextPager, BreaksLinesAndPages) {
    const struct {
        std::u16string_view text;
        double width, height;
        Pages pages;
    } cases[] = {
        {u"", 100, 20, {}},
        {u"a\r\nb\r\n", 100, 20, {{"a", "b"}}},
        {u"a\nb\rc", 100, 20, {{"a", "b", "c"}}},
        // Four lines a page; the fifth starts the next page; a blank line keeps its place.
        {u"1\r\n2\r\n\r\n4\r\n5\r\n6", 100, 20, {{"1", "2", "4"}, {"5", "6"}}},
        // Too wide: wrapped at the last character that fits, nothing lost.
        {u"abcdefgh\r\nxy", 7, 100, {{"abc", "def", "gh", "xy"}}},
        // Narrower than one character: one character a line.
        {u"abc", 1, 100, {{"a", "b", "c"}}},
        // A pair of surrogates is never split.
        {u"a\U0001F600b", 5, 100, {{"a", "\U0001F600", "b"}}},
        // Shorter than one line: one line a page.
        {u"a\r\nb", 100, 2, {{"a"}, {"b"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paginate(c.text, c.width, c.height), c.pages) << utf8(c.text);
}

TEST(TextPager, LongTapeFillsWholePages) {
    std::u16string tape;
    for (int i = 0; i < 10000; ++i)
        tape += u16(std::to_string(i)) + u"\r\n";
    // 277 mm at 5 mm a line: 55 lines a page.
    const Pages paged = paginate(tape, 190, 277);
    ASSERT_EQ(paged.size(), 182U); // ceil(10000 / 55)
    EXPECT_EQ(paged.front().size(), 55U);
    EXPECT_EQ(paged.back().size(), 10000U - 181U * 55U);
    EXPECT_EQ(paged[1].front(), "55");
    EXPECT_EQ(paged.back().back(), "9999");
}

} // namespace
} // namespace sumiplex::print
