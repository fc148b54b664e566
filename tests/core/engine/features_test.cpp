#include "core/engine/features_test_support.h"
#include "core/engine/rounding.h"
#include "core/engine/tax.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::engine {
namespace {

using test::dec;
using test::utf8;
using test::utf8Opt;

struct RoundCase {
    std::string_view value;
    int place; // N, the decimal place the user sets
    RoundMode mode;
    std::optional<std::string_view> expected; // plain form; empty when out of range
};

constexpr auto Half = RoundMode::HalfAwayFromZero;
constexpr auto Up = RoundMode::Up;
constexpr auto Down = RoundMode::Down;

TEST(Rounding, RoundsAtThePlaceTheUserSets) {
    const RoundCase cases[] = {
        {"1234.5678", 1, Half, "1235"},
        {"1234.5678", 1, Up, "1235"},
        {"1234.5678", 1, Down, "1234"},
        {"1234.5678", 3, Half, "1234.57"},
        {"1234.5678", 3, Up, "1234.57"},
        {"1234.5678", 3, Down, "1234.56"},
        {"1234.5612", 3, Half, "1234.56"},
        {"1234.5612", 3, Up, "1234.57"},
        {"1234.5601", 3, Up, "1234.56"}, // digit at place 3 is 0: the later 1 is ignored
        {"1234.5601", 3, Half, "1234.56"},
        {"-1234.5678", 1, Half, "-1235"},
        {"-1234.5678", 1, Up, "-1235"},
        {"-1234.5678", 1, Down, "-1234"},
        {"-1234.5601", 3, Up, "-1234.56"},
        {"-1234.5612", 3, Up, "-1234.57"},
        {"1234.5678", 0, Half, "1230"},
        {"1234.5678", 0, Up, "1240"},
        {"1234.5678", 0, Down, "1230"},
        {"1234.5678", -1, Half, "1200"},
        {"1250", -1, Half, "1300"},
        {"1249.99", -1, Half, "1200"},
        {"1209", -1, Up, "1200"},
        {"1210", -1, Up, "1300"},
        {"-1250", -1, Half, "-1300"},
        {"0.7", 1, Down, "0"},
        {"0.7", 1, Half, "1"},
        {"0.7", 1, Up, "1"},
        {"0.4", 1, Half, "0"},
        {"-0.4", 1, Half, "0"},
        {"-0.5", 1, Half, "-1"},
        {"2.5", 1, Half, "3"},
        {"-2.5", 1, Half, "-3"},
        {"2.4999", 1, Half, "2"},
        {"0", 1, Half, "0"},
        {"0", 1, Up, "0"},
        {"0", 1, Down, "0"},
        {"0", -3, Up, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " at N=" + std::to_string(c.place) +
                     " mode=" + std::to_string(static_cast<int>(c.mode)));
        const auto result = roundAtShift(dec(c.value), c.place - 1, c.mode);
        ASSERT_EQ(result.has_value(), c.expected.has_value());
        if (result) {
            EXPECT_EQ(result->toPlainAscii(), *c.expected);
        }
    }
}

// Round up adds 0.9 of a unit, so only the digit at the place decides; a full unit
// would lift 1.00001 and a half unit would miss 1.1.
TEST(Rounding, RoundUpLooksOnlyAtTheDigitAtThePlace) {
    const RoundCase cases[] = {
        {"1.01", 1, Up, "1"},      {"1.09999", 1, Up, "1"}, {"1.1", 1, Up, "2"},
        {"1.19", 1, Up, "2"},      {"1.9", 1, Up, "2"},     {"1.09", 2, Up, "1.1"},
        {"1.001", 2, Up, "1"},     {"-1.05", 1, Up, "-1"},  {"-1.1", 1, Up, "-2"},
        {"2", 1, Up, "2"},         {"0.1", 1, Up, "1"},     {"0.09", 1, Up, "0"},
        {"50.05", 1, Up, "50"},    {"50.1", 1, Up, "51"},   {"99.95", 2, Up, "100"},
        {"-99.95", 2, Up, "-100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " at N=" + std::to_string(c.place));
        const auto result = roundAtShift(dec(c.value), c.place - 1, c.mode);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->toPlainAscii(), *c.expected);
    }
}

TEST(Rounding, HandlesTheLimitsOfTheDecimalRange) {
    const RoundCase cases[] = {
        // 28 places: the last place the decimal holds.
        {"0.1234567890123456789012345678", 28, Half, "0.123456789012345678901234568"},
        {"0.1234567890123456789012345678", 28, Up, "0.123456789012345678901234568"},
        {"0.1234567890123456789012345678", 28, Down, "0.123456789012345678901234567"},
        {"0.0000000000000000000000000005", 28, Half, "0.000000000000000000000000001"},
        {"0.0000000000000000000000000005", 28, Down, "0"},
        // Past the last digit nothing is dropped.
        {"0.1234567890123456789012345678", 29, Half, "0.1234567890123456789012345678"},
        {"1234.5678", 40, Up, "1234.5678"},
        {"-1234.5678", 500, Down, "-1234.5678"},
        // Digits that an offset added in the decimal type would round away.
        {"4.9999999999999999999999999995", 0, Half, "0"},
        {"4.9999999999999999999999999995", 1, Half, "5"},
        {"0.4999999999999999999999999999", 1, Half, "0"},
        {"-4.9999999999999999999999999995", 0, Half, "0"},
        // The largest decimal: rounding up past it has nowhere to go.
        {"79228162514264337593543950335", 0, Half, std::nullopt},
        {"79228162514264337593543950335", 0, Down, "79228162514264337593543950330"},
        {"79228162514264337593543950335", 1, Up, "79228162514264337593543950335"},
        {"-79228162514264337593543950335", 0, Up, std::nullopt},
        {"79228162514264337593543950335", -27, Down, "70000000000000000000000000000"},
        {"79228162514264337593543950335", -28, Down, "0"},
        {"79228162514264337593543950335", -28, Half, std::nullopt}, // 10^29
        {"49228162514264337593543950335", -28, Half, "0"},
        {"1234", -200, Up, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " at N=" + std::to_string(c.place) +
                     " mode=" + std::to_string(static_cast<int>(c.mode)));
        const auto result = roundAtShift(dec(c.value), c.place - 1, c.mode);
        ASSERT_EQ(result.has_value(), c.expected.has_value());
        if (result) {
            EXPECT_EQ(result->toPlainAscii(), *c.expected);
        }
    }
}

TEST(Rounding, AZeroResultCarriesNoMinus) {
    for (const auto mode : {Half, Up, Down}) {
        const auto result = roundAtShift(dec("-0.01"), 0, mode);
        ASSERT_TRUE(result.has_value());
        EXPECT_FALSE(result->signBit());
        EXPECT_EQ(formatPattern(*result, kPatternLong), u"0.");
    }
}

TEST(Rounding, ShiftComesFromThePlaceText) {
    const struct {
        std::u16string_view text;
        int k;
    } cases[] = {
        {u"1", 0},
        {u"１", 0},
        {u"３", 2},
        {u"3", 2},
        {u"0", -1},
        {u"-1", -2},
        {u"－１", -2},
        {u"１０", 9},
        {u" 2 ", 1},
        {u"2.5", 2}, // k = 1.5 rounds to the even 2
        {u"3.5", 2}, // k = 2.5 rounds to the even 2
        {u"4.5", 4},
        {u"1.5", 0},
        {u"2.49", 1},
        {u"-0.5", -2},
        {u"", 0},
        {u"abc", 0},
        {u"1a", 0},
        {u"28", 27},
        {u"29", 28},
        {u"99999999999999999999", 99},
        {u"-99999999999999999999", -101},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        EXPECT_EQ(roundingShift(c.text), c.k);
    }
}

TEST(Rounding, TapeWords) {
    EXPECT_EQ(roundingTapeWord(Half), u"  Round-Off ");
    EXPECT_EQ(roundingTapeWord(Up), u"  Round-Up ");
    EXPECT_EQ(roundingTapeWord(Down), u"  Round-Down ");
}

struct TaxCase {
    std::string_view total;
    int rate;
    int rule;
    std::optional<std::string_view> label2;
    std::optional<std::string_view> label3;
};

void checkTax(const TaxCase& c) {
    SCOPED_TRACE(std::string(c.total) + " rate " + std::to_string(c.rate) + " rule " +
                 std::to_string(c.rule));
    const TaxLines lines = computeTaxLines(dec(c.total), c.rate, c.rule);
    const auto expect = [](const std::optional<std::string_view>& v) {
        return v ? std::optional<std::string>(std::string(*v)) : std::nullopt;
    };
    EXPECT_EQ(utf8Opt(lines.label2), expect(c.label2));
    EXPECT_EQ(utf8Opt(lines.label3), expect(c.label3));
}

TEST(Tax, LinesForWholeTotals) {
    const TaxCase cases[] = {
        {"1000", 5, 1, "Tax +   1,050   (  50", "Tax  -   952      48"},
        {"1000", 0, 1, "Tax +   1,000   (  0", "Tax  -   1,000      0"},
        {"1000", 0, 2, "Tax +   1,000   (  0", "Tax  -   1,000      0"},
        {"1000", 0, 3, "Tax +   1,000   (  0", "Tax  -   1,000      0"},
        {"1234", 10, 1, "Tax +   1,357   (  123", "Tax  -   1,122      112"},
        {"1234", 10, 2, "Tax +   1,358   (  124", "Tax  -   1,122      112"},
        {"1234", 10, 3, "Tax +   1,357   (  123", "Tax  -   1,122      112"},
        {"1001", 8, 2, "Tax +   1,081   (  80", "Tax  -   927      74"},
        {"1002", 8, 2, "Tax +   1,083   (  81", "Tax  -   928      74"},
        {"1006", 8, 3, "Tax +   1,086   (  80", "Tax  -   932      74"},
        {"1007", 8, 3, "Tax +   1,088   (  81", "Tax  -   932      75"},
        {"1006", 8, 1, "Tax +   1,086   (  80", "Tax  -   932      74"},
        {"1010", 5, 3, "Tax +   1,061   (  51", "Tax  -   962      48"}, // 50.5
        {"1009", 5, 3, "Tax +   1,059   (  50", "Tax  -   961      48"}, // 50.45
        {"1001", 5, 2, "Tax +   1,051   (  50", "Tax  -   953      48"}, // 50.05
        {"1002", 5, 2, "Tax +   1,053   (  51", "Tax  -   954      48"}, // 50.1
        {"1000", 5, 2, "Tax +   1,050   (  50", "Tax  -   952      48"}, // exact 50
        {"0", 5, 1, "Tax +   0   (  0", "Tax  -   0      0"},
        {"0", 5, 2, "Tax +   0   (  0", "Tax  -   0      0"},
        {"0", 5, 3, "Tax +   0   (  0", "Tax  -   0      0"},
        {"1234567", 8, 1, "Tax +   1,333,332   (  98,765", "Tax  -   1,143,118      91,449"},
    };
    for (const auto& c : cases)
        checkTax(c);
}

TEST(Tax, LinesForNegativeTotals) {
    const TaxCase cases[] = {
        {"-1000", 5, 3, "Tax +   -1,050   (  -50", "Tax  -   -952      -48"},
        {"-1000", 5, 1, "Tax +   -1,050   (  -50", "Tax  -   -952      -48"},
        {"-1001", 8, 2, "Tax +   -1,081   (  -80", "Tax  -   -927      -74"},
        {"-1002", 8, 2, "Tax +   -1,083   (  -81", "Tax  -   -928      -74"},
        {"-1006", 8, 3, "Tax +   -1,086   (  -80", "Tax  -   -932      -74"},
        {"-1007", 8, 3, "Tax +   -1,088   (  -81", "Tax  -   -932      -75"},
        {"-1", 5, 1, "Tax +   -1   (  0", "Tax  -   -1      0"},
    };
    for (const auto& c : cases)
        checkTax(c);
}

// The amount columns follow the total's wholeness: a fractional total shows its fraction
// even where the tax brings the sum to a whole number.
TEST(Tax, LinesForFractionalTotals) {
    const TaxCase cases[] = {
        {"1000.5", 5, 1, "Tax +   1,050.5   (  50", "Tax  -   952.9      48"},
        {"1000.5", 5, 3, "Tax +   1,050.5   (  50", "Tax  -   952.9      48"},
        {"1000.5", 5, 2, "Tax +   1,050.5   (  50", "Tax  -   952.9      48"}, // 50.925
        {"1023.5", 5, 2, "Tax +   1,075.5   (  52", "Tax  -   974.8      49"}, // 52.075
        {"1023.5", 5, 1, "Tax +   1,074.5   (  51", "Tax  -   974.8      49"},
        {"0.5", 10, 2, "Tax +   0.5   (  0", "Tax  -   0.5      0"},
        {"0.5", 10, 1, "Tax +   0.5   (  0", "Tax  -   0.5      0"},
        {"-0.5", 10, 2, "Tax +   -0.5   (  0", "Tax  -   -0.5      0"},
        {"999.99", 8, 3, "Tax +   1,079.99   (  80", "Tax  -   925.99      74"},
    };
    for (const auto& c : cases)
        checkTax(c);
}

TEST(Tax, UnknownRuleCodesTruncate) {
    for (const int rule : {0, 4, -1, 99}) {
        checkTax({"1002", 8, rule, "Tax +   1,082   (  80", "Tax  -   928      74"});
        checkTax({"1007", 8, rule, "Tax +   1,087   (  80", "Tax  -   932      75"});
    }
}

TEST(Tax, AFailingLineLeavesOnlyThatLineEmpty) {
    // A rate of -100 percent divides by zero for the tax contained; the tax added works.
    checkTax({"1000", -100, 1, "Tax +   0   (  -1,000", std::nullopt});
    // The sum with tax overflows at the top of the range; the contained tax still fits.
    const TaxLines lines = computeTaxLines(dec("79228162514264337593543950335"), 5, 1);
    EXPECT_FALSE(lines.label2.has_value());
    ASSERT_TRUE(lines.label3.has_value());
    EXPECT_EQ(lines.label3->rfind(u"Tax  -   75,455,392,870,727,940,565,279,952,", 0), 0u)
        << utf8(*lines.label3);
}

// The memo refills its two slots in turn, reusing their captions' storage: whatever a slot
// held before (a longer caption, a line that failed), the lines it gives are those worked
// out afresh.
TEST(Tax, MemoGivesTheLinesWorkedOutAfresh) {
    const struct {
        std::string_view total;
        int rate;
    } sequence[] = {
        {"123456789012.5", 10},               // long captions first
        {"7", 10},                            // a short one into a slot of long ones
        {"79228162514264337593543950335", 5}, // the tax added fails
        {"1000", -100},                       // the tax contained fails
        {"12", 8},                            // full lines into a slot that had a failure
        {"1000", 10},                         //
        {"79228162514264337593543950335", 5}, // again, now from a slot of full lines
        {"7", 10},                            // asked again: from the memo
    };
    TaxLinesMemo memo;
    for (const auto& step : sequence) {
        SCOPED_TRACE(std::string(step.total) + " rate " + std::to_string(step.rate));
        const TaxLines expected = computeTaxLines(dec(step.total), step.rate, kTaxTruncate);
        const TaxLines& got = memo.linesFor(dec(step.total), step.rate, kTaxTruncate);
        EXPECT_EQ(got.label2, expected.label2);
        EXPECT_EQ(got.label3, expected.label3);
        EXPECT_EQ(got.withTax, expected.withTax);
        EXPECT_EQ(got.taxAdded, expected.taxAdded);
        EXPECT_EQ(got.net, expected.net);
        EXPECT_EQ(got.taxContained, expected.taxContained);
    }
}

// Where the check says both lines cannot fail, both are worked out, up to its limits; at
// the limits it gives up (a rate of -100 percent divides by zero).
TEST(Tax, LinesThatCannotFailAreAlwaysWorkedOut) {
    const struct {
        std::string_view total;
        int rate;
        bool cannotFail;
    } cases[] = {
        {"9999999999999999999999.9999", 100000, true},
        {"-9999999999999999999999", -100000, true},
        {"9999999999999999999999", -99, true}, // divides by 0.01
        {"9999999999999999999999", -101, true},
        {"0.0000000000000000000000000001", 10, true},
        {"10000000000000000000000", 10, false},
        {"1000", -100, false},
        {"1000", 100001, false},
        {"1000", -100001, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.total) + " rate " + std::to_string(c.rate));
        EXPECT_EQ(taxLinesCannotFail(dec(c.total), c.rate), c.cannotFail);
        if (!c.cannotFail)
            continue;
        for (const int rule : {kTaxTruncate, kTaxRoundUp, kTaxRoundHalf}) {
            const TaxLines lines = computeTaxLines(dec(c.total), c.rate, rule);
            EXPECT_TRUE(lines.label2.has_value()) << "rule " << rule;
            EXPECT_TRUE(lines.label3.has_value()) << "rule " << rule;
        }
    }
}

TEST(Tax, RateFromTheDialogText) {
    const struct {
        std::u16string_view text;
        int expected;
    } cases[] = {
        {u"", 0},      {u"8", 8},           {u"８", 8},
        {u"１０", 10}, {u" 10 ", 10},       {u"2.5", 2},
        {u"3.5", 4},   {u"2.51", 3},        {u"-2.5", -2},
        {u"0", 0},     {u"32767", 32767},   {u"32767.5", 7},
        {u"32768", 7}, {u"-32768", -32768}, {u"-32769", 7},
        {u"abc", 7},   {u"5%", 7},          {u"99999999999999999999", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        EXPECT_EQ(taxRateFromText(c.text, 7), c.expected);
    }
}

TEST(Tax, RuleFromTheCheckedOption) {
    const struct {
        TaxRuleOptions options;
        int expected;
    } cases[] = {
        {{.option1 = true}, kTaxTruncate},
        {{.option2 = true}, kTaxRoundUp},
        {{.option3 = true}, kTaxRoundHalf},
        {{.option1 = true, .option3 = true}, kTaxTruncate}, // tested in order 1, 2, 3
        {{.option2 = true, .option3 = true}, kTaxRoundUp},
        {{}, 9}, // none checked: unchanged
    };
    for (const auto& c : cases)
        EXPECT_EQ(taxRuleFromOptions(c.options, 9), c.expected);
}

} // namespace
} // namespace sumiplex::engine
