#include "core/text_utf.h"
#include "core/tools/cash/tally.h"

#include <gtest/gtest.h>

namespace sumiplex::cash {
namespace {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

TEST(TallyLine, WritesEachAmountInItsOwnPattern) {
    struct Case {
        const char* line;
        const char* total;
        const char* tape;
        const char* caption; // empty when the line does not count
        const char* newTotal;
        double count;
    };
    const Case cases[] = {
        {"1000*7", "0", "      1000*7= 7,000\r\n", "Subtotal    7,000", "7000", 7},
        {"500*", "0", "      500*0= 0\r\n", "Subtotal    0", "0", 0},
        {"10000*2.5", "0", "      10000*2.5= 25,000\r\n", "Subtotal    25,000", "25000", 2.5},
        {"10*0.25", "0", "      10*0.25= 2.5\r\n", "Subtotal    2.5", "2.5", 0.25},
        // A whole step after a fractional one shows no stray point.
        {"5*1", "2.5", "      5*1= 5\r\n", "Subtotal    5", "7.5", 1},
        {"100*abc", "300", "      100*abc= ERROR\r\n", "", "300", 0},
        {"3", "300", "      3= ERROR\r\n", "", "300", 0},
        {"10000*79228162514264337593543950335", "1",
         "      10000*79228162514264337593543950335= ERROR\r\n", "", "1", 0},
    };
    for (const Case& c : cases) {
        const TallyLine step = tallyLine(u16(c.line), *Decimal::parse(std::string_view(c.total)));
        EXPECT_EQ(utf8(step.tape), c.tape) << c.line;
        EXPECT_EQ(utf8(step.caption), c.caption) << c.line;
        EXPECT_EQ(step.amount.has_value(), *c.caption != '\0') << c.line;
        EXPECT_EQ(step.total.toPlainAscii(), c.newTotal) << c.line;
        EXPECT_EQ(step.count, c.count) << c.line;
    }
}

TEST(TallySummary, KeepsTheFractionOfTheTotal) {
    EXPECT_EQ(utf8(tallySummary(Decimal::fromInt(30002)).tape), "      Total  30,002\r\n");
    const TallySummary s = tallySummary(*Decimal::parse(std::string_view("26564.5")));
    EXPECT_EQ(utf8(s.caption), "Total    26,564.5");
    EXPECT_EQ(utf8(s.tape), "      Total  26,564.5\r\n");
}

TEST(TallySheet, ShowsCountsPlainAndTheTotalGrouped) {
    TallyCounts counts{};
    counts[0] = 30002.0 + 0.1 * 3 - 0.3; // a binary rounding artefact must not show
    counts[1] = 3;
    counts[9] = 2;
    counts[5] = 0.1 + 0.2;
    const TallySheet sheet = tallySheet(counts);
    EXPECT_EQ(utf8(sheet.texts[0]), "30002");
    EXPECT_EQ(utf8(sheet.texts[5]), "0.3");
    EXPECT_EQ(utf8(sheet.label1), "合計　　30,002");
    EXPECT_EQ(utf8(sheet.summary[0].name), "一万円券");
    EXPECT_EQ(utf8(sheet.summary[0].amount), "30000");
    EXPECT_EQ(utf8(sheet.summary[4].amount), "30");
    EXPECT_EQ(utf8(sheet.summary[8].name), "一円玉");

    counts[0] = 26564.5;
    EXPECT_EQ(utf8(tallySheet(counts).label1), "合計　　26,564.5");
}

TEST(TallyMemo, UsesTheBoxesAsEditedAndRefusesABoxThatIsNoNumber) {
    std::array<std::u16string, 10> boxes{u"30002", u"4", u"0", u"0", u"0",
                                         u"0",     u"0", u"0", u"0", u"2.5"};
    const auto text = tallyMemoText(boxes);
    ASSERT_TRUE(std::holds_alternative<std::u16string>(text));
    const std::string memo = utf8(std::get<std::u16string>(text));
    EXPECT_EQ(memo.substr(0, memo.find("\r\n")), "一万円券\t4\t40,000");
    EXPECT_NE(memo.find("一円玉　\t2.5\t2.5\r\n合計　　\t\t30,002\r\n\r\n"), std::string::npos);
    EXPECT_EQ(memo.size() - memo.rfind("\r\n\r\n"), 4u);

    boxes[3] = u"";
    EXPECT_EQ(std::get<std::size_t>(tallyMemoText(boxes)), 3u);
    boxes[3] = u"0";
    boxes[0] = u"x";
    EXPECT_EQ(std::get<std::size_t>(tallyMemoText(boxes)), 0u);
}

TEST(TallyPrintout, WritesAmountsPlain) {
    TallyCounts counts{};
    counts[0] = 120000;
    counts[1] = 12;
    const DenominationPrintout p = tallyPrintout(counts);
    EXPECT_EQ(utf8(p.rows[0].count), "12");
    EXPECT_EQ(utf8(p.rows[0].amount), "120000");
    EXPECT_EQ(utf8(p.total), "120000");
    EXPECT_EQ(utf8(p.rows[4].denomination), "100");
}

} // namespace
} // namespace sumiplex::cash
