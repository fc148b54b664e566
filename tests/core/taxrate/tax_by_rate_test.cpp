#include "core/text_utf.h"
#include "core/tools/taxrate/rate_sheet.h"
#include "core/tools/taxrate/tax_by_rate.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::taxrate {
namespace {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

Decimal dec(std::string_view text) {
    return Decimal::parse(text).value();
}

std::string plain(const std::optional<Decimal>& value) {
    return value ? value->toPlainAscii() : "<none>";
}

TEST(TaxOnSum, RoundsOnceToWholeYenByTheRuleCode) {
    struct Row {
        std::string_view sum;
        std::string_view rate;
        Basis basis;
        int rule;
        std::string_view tax;
    };
    constexpr auto in = Basis::TaxIncluded;
    constexpr auto ex = Basis::TaxExcluded;
    const Row rows[] = {
        {"11000", "10", in, 1, "1000"},
        {"1080", "8", in, 3, "80"},
        // 100 / 11 = 9.09: 切り上げ lifts any fraction of a yen, unlike the tax lines.
        {"100", "10", in, 2, "10"},
        // 91.09 and -37.04: the magnitude rounds up; exact yen stay as they are.
        {"910.9", "10", ex, 1, "91"},
        {"910.9", "10", ex, 2, "92"},
        {"910.9", "10", ex, 3, "91"},
        {"-370.4", "10", ex, 1, "-37"},
        {"-370.4", "10", ex, 2, "-38"},
        {"-370.4", "10", ex, 3, "-37"},
        {"1000.01", "10", ex, 2, "101"}, // 100.001
        {"1001", "10", in, 2, "91"},
        {"-1100", "10", in, 2, "-100"},
        {"0", "10", in, 2, "0"},
        {"105", "10", in, 1, "9"}, // 9.545
        {"105", "10", in, 2, "10"},
        {"105", "10", in, 3, "10"},
        // Exactly half a yen contained.
        {"5.5", "10", in, 1, "0"},
        {"5.5", "10", in, 3, "1"},
        {"1005", "10", ex, 1, "100"}, // 100.5
        {"1005", "10", ex, 2, "101"},
        {"1005", "10", ex, 3, "101"},
        {"1000.5", "10", ex, 2, "101"}, // 100.05
        {"1006", "8", ex, 3, "80"},     // 80.48
        {"1007", "8", ex, 3, "81"},     // 80.56
        {"-1005", "10", ex, 1, "-100"},
        {"-1005", "10", ex, 3, "-101"},
        {"-105", "10", in, 2, "-10"},
        {"1005", "10", ex, 7, "100"}, // an unknown rule code truncates, as the tax lines do
        {"1005", "0", ex, 3, "0"},
        {"1000", "8.5", ex, 1, "85"},
        {"1234567890123456789012345675", "10", ex, 1, "123456789012345678901234567"},
        {"1234567890123456789012345675", "10", ex, 3, "123456789012345678901234568"},
        {"1234567890123456789012345678", "10", in, 1, "112233444556677889910213243"},
        {"1234567890123456789012345678", "10", in, 2, "112233444556677889910213244"},
        {"1234567890123456789012345678", "10", in, 3, "112233444556677889910213243"},
        // Too large for sum × rate: the share is divided out first.
        {"79000000000000000000000000000", "10", in, 1, "7181818181818181818181818181"},
        {"79000000000000000000000000000", "10", in, 3, "7181818181818181818181818182"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.sum) + " at " + std::string(r.rate) + "% rule " +
                     std::to_string(r.rule));
        EXPECT_EQ(plain(taxOnSum(dec(r.sum), dec(r.rate), r.basis, r.rule)), r.tax);
    }
}

TEST(ParseRate, TakesPercentFromZeroToHundredInHundredths) {
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"10", "10"},        {"８", "8"},          {" 8.5 ", "8.5"},     {"0", "0"},
        {"100", "100"},      {"8.25", "8.25"},     {"８．５０", "8.5"},  {"", "<none>"},
        {"-1", "<none>"},    {"100.01", "<none>"}, {"1O", "<none>"},     {"%", "<none>"},
        {"8.125", "<none>"}, {"1,0", "<none>"},    {"１，０", "<none>"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(plain(parseRate(u16(text))), expected) << text;
}

struct Receipt {
    std::vector<Decimal> amounts;
    std::vector<bool> reduced;
};

// A shop receipt: two standard items, a reduced-rate food item, a returned standard item and
// another food item.
Receipt mixedReceipt() {
    return {{dec("1100"), dec("540"), dec("2200"), dec("-110"), dec("1080")},
            {false, true, false, false, true}};
}

RateSummary summaryOf(const Receipt& r, RateChoice choice) {
    const SummaryResult result = summarise(r.amounts, r.reduced, choice);
    EXPECT_TRUE(std::holds_alternative<RateSummary>(result));
    return std::holds_alternative<RateSummary>(result) ? std::get<RateSummary>(result)
                                                       : RateSummary{};
}

TEST(Summarise, SumsAndTaxesEachRateOnItsOwn) {
    struct Row {
        const char* name;
        RateChoice choice;
        std::string_view standard; // sum, tax, with tax, without tax
        std::string_view reduced;
        std::string_view total;
    };
    const Row rows[] = {
        {"included",
         {dec("10"), dec("8"), Basis::TaxIncluded, 1},
         "3190 290 3190 2900",
         "1620 120 1620 1500",
         "4810 410 4810 4400"},
        {"excluded",
         {dec("10"), dec("8"), Basis::TaxExcluded, 3},
         "3190 319 3509 3190",
         "1620 130 1750 1620",
         "4810 449 5259 4810"},
        // Equal rates make one group, rounded up once: 4810 / 11 = 437.27; two groups
        // would give 290 + 148.
        {"equal rates",
         {dec("10"), dec("10"), Basis::TaxIncluded, 2},
         "4810 438 4810 4372",
         "0 0 0 0",
         "4810 438 4810 4372"},
    };
    const auto group = [](const RateGroup& g) {
        return g.sum.toPlainAscii() + " " + g.tax.toPlainAscii() + " " + g.withTax.toPlainAscii() +
               " " + g.withoutTax.toPlainAscii();
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const RateSummary s = summaryOf(mixedReceipt(), r.choice);
        EXPECT_EQ(group(s.standard), r.standard);
        EXPECT_EQ(group(s.reduced), r.reduced);
        EXPECT_EQ(group(s.total), r.total);
        EXPECT_EQ(s.standard.rows + s.reduced.rows, 5U);
    }
}

TEST(Summarise, RefusesSumsBeyondTheDecimalRange) {
    const Receipt r{{dec("79000000000000000000000000000"), dec("79000000000000000000000000000")},
                    {false, false}};
    const SummaryResult result = summarise(r.amounts, r.reduced, {dec("10"), dec("8")});
    ASSERT_TRUE(std::holds_alternative<SummaryError>(result));
    EXPECT_EQ(std::get<SummaryError>(result), SummaryError::Overflow);
}

TEST(SummaryLines, ReadAsAnInvoicesTaxSummary) {
    struct Row {
        const char* name;
        Receipt receipt;
        Basis basis;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"included, both rates",
         mixedReceipt(),
         Basis::TaxIncluded,
         {"10%対象(税込)　3,190円　内消費税　290円", "※8%対象(税込)　1,620円　内消費税　120円",
          "合計　4,810円　内消費税等　410円", "※は軽減税率対象"}},
        {"excluded, both rates",
         mixedReceipt(),
         Basis::TaxExcluded,
         {"10%対象(税抜)　3,190円　消費税　319円", "※8%対象(税抜)　1,620円　消費税　129円",
          "合計(税込)　5,258円　消費税等　448円", "※は軽減税率対象"}},
        {"standard only",
         {{dec("1000.5")}, {false}},
         Basis::TaxExcluded,
         {"10%対象(税抜)　1,000.5円　消費税　100円", "合計(税込)　1,100.5円　消費税等　100円"}},
        {"no rows", {}, Basis::TaxIncluded, {"合計　0円　内消費税等　0円"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const RateSummary s = summaryOf(r.receipt, {dec("10"), dec("8"), r.basis, 1});
        std::vector<std::string> lines;
        for (const std::u16string& line : summaryLines(s))
            lines.push_back(utf8(line));
        EXPECT_EQ(lines, r.lines);
    }
}

TEST(RateSheet, MarksFollowTheListOfAmounts) {
    RateSheet sheet;
    const std::vector<std::u16string> first = {u"1100", u"540"};
    sheet.assign(first);
    sheet.toggle(1);
    sheet.toggle(9); // past the end: nothing
    const std::vector<std::u16string> more = {u"1100", u"540", u"-110"};
    sheet.append(more, 2);
    ASSERT_EQ(sheet.size(), 3U);
    EXPECT_FALSE(sheet.isReduced(0));
    EXPECT_TRUE(sheet.isReduced(1)) << "an earlier row keeps its mark";
    EXPECT_FALSE(sheet.isReduced(2)) << "a new row arrives standard";
    EXPECT_EQ(sheet.amount(2), dec("-110"));

    sheet.assign(first);
    EXPECT_FALSE(sheet.isReduced(1)) << "a replaced list starts all standard";
    sheet.assign(std::vector<std::u16string>{});
    EXPECT_EQ(sheet.size(), 0U);
}

TEST(RateSheet, RefusesToSumARowThatIsNoNumber) {
    RateSheet sheet;
    const std::vector<std::u16string> rows = {u"100", u"ERROR"};
    sheet.assign(rows);
    const SummaryResult result = sheet.summary({dec("10"), dec("8")});
    ASSERT_TRUE(std::holds_alternative<SummaryError>(result));
    EXPECT_EQ(std::get<SummaryError>(result), SummaryError::UnreadableAmount);
    sheet.assign(std::vector<std::u16string>{u"100"});
    EXPECT_TRUE(std::holds_alternative<RateSummary>(sheet.summary({dec("10"), dec("8")})));
}

} // namespace
} // namespace sumiplex::taxrate
