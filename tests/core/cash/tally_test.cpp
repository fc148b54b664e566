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
        const char* count; // as the tally window shows it
    };
    const Case cases[] = {
        {"1000*7", "0", "      1000*7= 7,000\r\n", "Subtotal    7,000", "7000", "7"},
        {"500*", "0", "      500*0= 0\r\n", "Subtotal    0", "0", "0"},
        {"10000*2.50", "0", "      10000*2.50= 25,000\r\n", "Subtotal    25,000", "25000", "2.5"},
        {"10*0.25", "0", "      10*0.25= 2.5\r\n", "Subtotal    2.5", "2.5", "0.25"},
        // A whole step after a fractional one shows no stray point.
        {"5*1", "2.5", "      5*1= 5\r\n", "Subtotal    5", "7.5", "1"},
        // A count of more digits than a double holds is kept to its last digit.
        {"1*12345678901234567", "0", "      1*12345678901234567= 12,345,678,901,234,567\r\n",
         "Subtotal    12,345,678,901,234,567", "12345678901234567", "12345678901234567"},
        {"1*79228162514264337593543950335", "0",
         "      1*79228162514264337593543950335= 79,228,162,514,264,337,593,543,950,335\r\n",
         "Subtotal    79,228,162,514,264,337,593,543,950,335", "79228162514264337593543950335",
         "79228162514264337593543950335"},
        {"100*abc", "300", "      100*abc= ERROR\r\n", "", "300", "0"},
        {"3", "300", "      3= ERROR\r\n", "", "300", "0"},
        {"10000*79228162514264337593543950335", "1",
         "      10000*79228162514264337593543950335= ERROR\r\n", "", "1", "0"},
    };
    for (const Case& c : cases) {
        const TallyLine step = tallyLine(u16(c.line), *Decimal::parse(std::string_view(c.total)));
        EXPECT_EQ(utf8(step.tape), c.tape) << c.line;
        EXPECT_EQ(utf8(step.caption), c.caption) << c.line;
        EXPECT_EQ(step.amount.has_value(), *c.caption != '\0') << c.line;
        EXPECT_EQ(step.total.toPlainAscii(), c.newTotal) << c.line;
        EXPECT_EQ(step.count.toPlainAscii(), c.count) << c.line;
    }
}

TEST(TallySummary, KeepsTheFractionOfTheTotal) {
    EXPECT_EQ(utf8(tallySummary(Decimal::fromInt(30002)).tape), "      Total  30,002\r\n");
    const TallySummary s = tallySummary(*Decimal::parse(std::string_view("26564.5")));
    EXPECT_EQ(utf8(s.caption), "Total    26,564.5");
    EXPECT_EQ(utf8(s.tape), "      Total  26,564.5\r\n");
}

TEST(CashTally, KeepsEachCountForItsDenominationAndWalksTheList) {
    CashTally tally;
    const Decimal zero;
    (void)tally.count(10000, u"10000*3", zero);
    (void)tally.count(500, u"500*x", zero); // does not count: the count stays
    (void)tally.count(1, u"1*12345678901234567", zero);
    (void)tally.count(7, u"7*2", zero); // no such denomination
    const auto texts = countTexts(tally.counts());
    EXPECT_EQ(utf8(texts[0]), "3");
    EXPECT_EQ(utf8(texts[3]), "0");
    EXPECT_EQ(utf8(texts[8]), "12345678901234567");
    tally.clear();
    EXPECT_EQ(utf8(countTexts(tally.counts())[0]), "0");

    std::vector<std::int64_t> walked{10000};
    while (walked.back() != 0)
        walked.push_back(CashTally::next(walked.back()));
    EXPECT_EQ(walked, (std::vector<std::int64_t>{10000, 5000, 1000, 500, 100, 50, 10, 5, 1, 0}));
    EXPECT_EQ(CashTally::next(7), 0);
}

using Boxes = std::array<std::u16string, kDenominations>;

Boxes boxesOf(std::initializer_list<const char*> counts) {
    Boxes boxes;
    std::size_t k = 0;
    for (const char* count : counts)
        boxes[k++] = u16(count);
    return boxes;
}

// The sum of the amount fields of the nine count lines, and the total line's figure.
std::pair<Decimal, std::string> memoSums(const std::string& memo) {
    Decimal sum;
    std::string total;
    std::size_t begin = 0;
    for (int line = 0; line < 10; ++line) {
        const std::size_t end = memo.find("\r\n", begin);
        std::string field = memo.substr(begin, end - begin);
        field = field.substr(field.rfind('\t') + 1);
        std::erase(field, ',');
        if (line < 9)
            sum = *sum.add(*Decimal::parse(std::string_view(field)));
        else
            total = field;
        begin = end + 2;
    }
    return {sum, total};
}

TEST(TallySheet, TheTotalIsAlwaysTheCountsSum) {
    struct Case {
        Boxes boxes;
        const char* total; // Text0; empty when a count does not read
        const char* label1;
        std::size_t unreadable;
    };
    const Case cases[] = {
        {boxesOf({"3", "0", "0", "0", "0", "0", "0", "0", "2"}), "30002", "合計　　30,002", 0},
        // The count edited after the tally: the total follows it.
        {boxesOf({"4", "0", "0", "0", "0", "0", "0", "0", "2"}), "40002", "合計　　40,002", 0},
        {boxesOf({"2.5", "0", "0", "0", "0", "0", "0", "0", "0.5"}), "25000.5", "合計　　25,000.5",
         0},
        {boxesOf({"-1", "0", "0", "0", "0", "0", "0", "0", "1"}), "-9999", "合計　　-9,999", 0},
        {boxesOf({"３", "1,000", " 0", "0", "0", "0", "0", "0", "0"}), "5030000",
         "合計　　5,030,000", 0},
        {boxesOf({"3", "0", "", "0", "0", "0", "0", "0", "x"}), "", "合計", 3},
        {boxesOf({"79228162514264337593543950335", "0", "0", "0", "0", "0", "0", "0", "0"}), "",
         "合計", 1},
        // Each amount fits, their sum does not.
        {boxesOf({"5000000000000000000000000", "10000000000000000000000000", "0", "0", "0", "0",
                  "0", "0", "0"}),
         "", "合計", 2},
    };
    for (const Case& c : cases) {
        const TallySheet sheet = tallySheet(c.boxes);
        const std::string name = utf8(c.boxes[0]) + "/" + utf8(c.boxes[2]);
        EXPECT_EQ(utf8(sheet.total), c.total) << name;
        EXPECT_EQ(utf8(sheet.row[0]), c.total) << name;
        EXPECT_EQ(utf8(sheet.label1), c.label1) << name;
        EXPECT_EQ(sheet.unreadable, c.unreadable) << name;
        ASSERT_EQ(sheet.tally.has_value(), c.unreadable == 0) << name;
        if (!sheet.tally)
            continue;
        EXPECT_EQ(sheet.tally->total.toPlainAscii(), c.total) << name;
        const auto [sum, total] = memoSums(utf8(tallyMemoText(*sheet.tally)));
        EXPECT_EQ(sum.toPlainAscii(), c.total) << name;
        EXPECT_EQ(total, c.total) << name;
    }
}

TEST(TallyMemo, WritesTheCountsAsEditedAndTheirTotal) {
    const TallySheet sheet = tallySheet(boxesOf({"4", "0", "0", "0", "0", "0", "0", "0", "2.5"}));
    ASSERT_TRUE(sheet.tally);
    const std::string memo = utf8(tallyMemoText(*sheet.tally));
    EXPECT_EQ(memo.substr(0, memo.find("\r\n")), "一万円券\t4\t40,000");
    EXPECT_NE(memo.find("一円玉　\t2.5\t2.5\r\n合計　　\t\t40,002.5\r\n\r\n"), std::string::npos);
    EXPECT_EQ(memo.size() - memo.rfind("\r\n\r\n"), 4u);
}

TEST(TallyPrintout, WritesTheCountsAsEditedAndAmountsPlain) {
    const TallySheet sheet = tallySheet(boxesOf({"13", "0", "0", "0", "0", "0", "0", "0", "0"}));
    ASSERT_TRUE(sheet.tally);
    const DenominationPrintout p = tallyPrintout(*sheet.tally);
    EXPECT_EQ(utf8(p.rows[0].count), "13");
    EXPECT_EQ(utf8(p.rows[0].amount), "130000");
    EXPECT_EQ(utf8(p.total), "130000");
    EXPECT_EQ(utf8(p.rows[4].denomination), "100");
}

} // namespace
} // namespace sumiplex::cash
