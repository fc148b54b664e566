#include <gtest/gtest.h>

#include <ostream>

#include "core/decimal/decimal_test_util.h"

namespace sumiplex {
namespace {

using test::ascii;
using test::dec;

constexpr const char* kMaxText = "79228162514264337593543950335";

TEST(FormatAmount, ChoosesThePatternByWholeness) {
    const std::pair<const char*, const char*> table[] = {
        {"1234", "1,234"},
        {"-1234.5", "-1,234.5"},
        {"1234.5", "1,234.5"},
        {"0.5", "0.5"},
        {"0.1", "0.1"},
        {"-0.1", "-0.1"},
        {"0", "0"},
        {"-0", "0"},
        {"100", "100"},
        {"1000", "1,000"},
        {"-1000000", "-1,000,000"},
        {"1.000", "1"},
        {"123456.789", "123,456.789"},
        {kMaxText, "79,228,162,514,264,337,593,543,950,335"},
        {"0.0000000000000000000000000001", "0.0000000000000000000000000001"},
        {"7.9228162514264337593543950335", "7.9228162514264337593543950335"},
        {"-999999.999", "-999,999.999"},
    };
    for (const auto& [in, out] : table) {
        EXPECT_EQ(ascii(FormatAmount(dec(in))), out) << in;
    }
}

struct PatternCase {
    const char* value;
    std::u16string_view pattern;
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const PatternCase& c) {
    return os << c.value << " with " << ascii(std::u16string(c.pattern));
}

class Pattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(Pattern, RoundsHalfAwayThenWritesPlaceholders) {
    const auto& c = GetParam();
    EXPECT_EQ(ascii(formatPattern(dec(c.value), c.pattern)), c.expected)
        << c.value << " with " << ascii(std::u16string(c.pattern));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Pattern,
    ::testing::Values(
        PatternCase{"1234", kPatternLong, "1,234."}, PatternCase{"1235", kPatternLong, "1,235."},
        PatternCase{"0", kPatternLong, "0."}, PatternCase{"0.5", kPatternLong, "0.5"},
        PatternCase{"1234.5678", kPatternLong, "1,234.5678"},
        PatternCase{"-1234.5", kPatternLong, "-1,234.5"}, PatternCase{"80", kPatternRate, "80.00"},
        PatternCase{"80.5", kPatternRate, "80.50"},
        PatternCase{"1234.5678", kPatternRate, "1,234.57"},
        PatternCase{"0.005", kPatternRate, "0.01"}, PatternCase{"-0.004", kPatternRate, "0.00"},
        PatternCase{"-0.005", kPatternRate, "-0.01"}, PatternCase{"0.125", kPatternRate, "0.13"},
        PatternCase{"1234.5", kPatternWhole, "1,235"}, PatternCase{"2.5", kPatternWhole, "3"},
        PatternCase{"-2.5", kPatternWhole, "-3"}, PatternCase{"-0.5", kPatternWhole, "-1"},
        PatternCase{"-0.4", kPatternWhole, "0"}, PatternCase{"999.5", kPatternWhole, "1,000"},
        PatternCase{"1234.56789", u"#,##0.####", "1,234.5679"},
        PatternCase{"1234.5", u"#,##0.####", "1,234.5"},
        PatternCase{"1234", u"#,##0.####", "1,234."}, PatternCase{"0.99995", u"#,##0.####", "1."},
        PatternCase{"1234567", u"#0", "1234567"}, PatternCase{"0.5", u"#0", "1"},
        PatternCase{"0.4", u"#0", "0"}, PatternCase{"-1234567.5", u"#0", "-1234568"},
        PatternCase{"1234.5", u"0.00", "1234.50"}, PatternCase{"5", u"000", "005"},
        PatternCase{"1234", u"000", "1234"}, PatternCase{"0.5", u"#.##", ".5"},
        PatternCase{"1234.5", u"#,##0.0#", "1,234.5"}, PatternCase{"1234", u"#,##0.0#", "1,234.0"},
        PatternCase{"12.345", u"#,##0.0#", "12.35"},
        PatternCase{"1", u"0.0000000000000000000000000000000", "1.0000000000000000000000000000000"},
        PatternCase{"5", u"#,##0 yen", "5 yen"}, PatternCase{"-5", u"$#,##0", "-$5"},
        // Values the pattern shows without rounding, written in one pass.
        PatternCase{"-0.050", kPatternLong, "-0.05"}, PatternCase{"0.000", kPatternLong, "0."},
        PatternCase{"-0.00", kPatternWhole, "0"}, PatternCase{"1.50", u"0.00", "1.50"},
        PatternCase{"-1234567.5", u"0.0###", "-1234567.5"}, PatternCase{"0", u"#,###", ""},
        // Whole amounts up to 64 bits and their rounding at the widest place count.
        PatternCase{"18446744073709551615", kPatternWhole, "18,446,744,073,709,551,615"},
        PatternCase{"18446744073709551616", kPatternWhole, "18,446,744,073,709,551,616"},
        PatternCase{"0.5000000000000000000", kPatternWhole, "1"},
        PatternCase{"-0.4999999999999999999", kPatternWhole, "0"},
        PatternCase{"-1844674407370955161.5", kPatternWhole, "-1,844,674,407,370,955,162"},
        PatternCase{"-12345678901234567890123.45", kPatternLong,
                    "-12,345,678,901,234,567,890,123.45"}));

TEST(Pattern, FormatAmountMatchesThePatternChosenByWholeness) {
    const char* values[] = {"0",
                            "1",
                            "-1",
                            "0.5",
                            "1234.5678",
                            "-79228162514264337593543950335",
                            "7.9228162514264337593543950335",
                            "1000.000",
                            "-0.001"};
    for (const char* v : values) {
        const Decimal d = dec(v);
        EXPECT_EQ(FormatAmount(d), formatPattern(d, d.isWhole() ? kPatternWhole : kPatternLong))
            << v;
    }
}

TEST(PlainForm, HasNoGroupingAndNoTrailingZeros) {
    const std::pair<const char*, const char*> table[] = {
        {"1234.5", "1234.5"}, {"0.0125", "0.0125"},
        {"80", "80"},         {"-0", "0"},
        {"1.2300", "1.23"},   {"-0.5", "-0.5"},
        {"100.00", "100"},    {"1,000,000", "1000000"},
        {kMaxText, kMaxText}, {"0.0000000000000000000000000001", "0.0000000000000000000000000001"}};
    // Written over a text of the longest plain form, which must leave nothing behind.
    std::u16string over = dec(kMaxText).negated().toPlainString();
    for (const auto& [in, out] : table) {
        EXPECT_EQ(dec(in).toPlainAscii(), out) << in;
        EXPECT_EQ(ascii(dec(in).toPlainString()), out) << in;
        dec(in).assignPlainString(over);
        EXPECT_EQ(ascii(over), out) << in;
    }
    EXPECT_EQ(Decimal{}.negated().toPlainString(), u"0");
}

} // namespace
} // namespace sumiplex
