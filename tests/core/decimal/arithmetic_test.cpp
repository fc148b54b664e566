#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "core/decimal/decimal_test_util.h"

namespace sumiplex {
namespace {

using test::dec;
using test::plain;

constexpr const char* kMaxText = "79228162514264337593543950335";
constexpr const char* kMaxAtScale28 = "7.9228162514264337593543950335";
constexpr const char* kTiny = "0.0000000000000000000000000001";

struct BinaryCase {
    const char* a;
    const char* b;
    const char* expected; // plain form, or "error"
};

std::ostream& operator<<(std::ostream& os, const BinaryCase& c) {
    return os << c.a << " with " << c.b;
}

class Addition : public ::testing::TestWithParam<BinaryCase> {};

TEST_P(Addition, GivesExactOrHalfEvenRoundedSum) {
    const auto& c = GetParam();
    EXPECT_EQ(plain(dec(c.a).add(dec(c.b))), c.expected) << c.a << " + " << c.b;
    // Addition commutes, including its rounding and its overflow.
    EXPECT_EQ(plain(dec(c.b).add(dec(c.a))), c.expected) << c.b << " + " << c.a;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Addition,
    ::testing::Values(
        BinaryCase{"1.10", "2.2", "3.3"}, BinaryCase{"0.1", "0.2", "0.3"},
        BinaryCase{"-5", "3", "-2"}, BinaryCase{"5", "-5", "0"},
        BinaryCase{"-0.5", "-0.25", "-0.75"}, BinaryCase{"1500", "-1,500.01", "-0.01"},
        BinaryCase{kMaxText, "0", kMaxText}, BinaryCase{kMaxText, "1", "error"},
        BinaryCase{kMaxText, "0.4", kMaxText}, BinaryCase{kMaxText, "0.5", "error"},
        BinaryCase{"-79228162514264337593543950335", "-1", "error"},
        BinaryCase{"-79228162514264337593543950335", "-0.5", "error"},
        BinaryCase{kMaxText, "-0.5", "79228162514264337593543950334"},
        BinaryCase{kMaxText, "-1.5", "79228162514264337593543950334"},
        BinaryCase{kMaxText, "-79228162514264337593543950335", "0"},
        BinaryCase{"1", kTiny, "1.0000000000000000000000000001"}, BinaryCase{"10", kTiny, "10"},
        BinaryCase{"10", "0.0000000000000000000000000005", "10"},
        BinaryCase{"10", "0.0000000000000000000000000015", "10.000000000000000000000000002"},
        BinaryCase{"10", "0.0000000000000000000000000025", "10.000000000000000000000000002"},
        BinaryCase{kMaxAtScale28, kMaxAtScale28, "15.845632502852867518708790067"}));

class Subtraction : public ::testing::TestWithParam<BinaryCase> {};

TEST_P(Subtraction, GivesExactOrHalfEvenRoundedDifference) {
    const auto& c = GetParam();
    EXPECT_EQ(plain(dec(c.a).sub(dec(c.b))), c.expected) << c.a << " - " << c.b;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Subtraction,
    ::testing::Values(BinaryCase{"0.3", "0.1", "0.2"}, BinaryCase{"1", "1.00", "0"},
                      BinaryCase{"-0.5", "-0.5", "0"}, BinaryCase{"3", "5", "-2"},
                      BinaryCase{"-3", "5", "-8"}, BinaryCase{kMaxText, "-1", "error"},
                      BinaryCase{"-79228162514264337593543950335", "1", "error"},
                      BinaryCase{"0", kMaxText, "-79228162514264337593543950335"},
                      BinaryCase{"10", kTiny, "10"}));

class Multiplication : public ::testing::TestWithParam<BinaryCase> {};

TEST_P(Multiplication, GivesExactOrHalfEvenRoundedProduct) {
    const auto& c = GetParam();
    EXPECT_EQ(plain(dec(c.a).mul(dec(c.b))), c.expected) << c.a << " * " << c.b;
    EXPECT_EQ(plain(dec(c.b).mul(dec(c.a))), c.expected) << c.b << " * " << c.a;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Multiplication,
    ::testing::Values(
        BinaryCase{"1.5", "2", "3"}, BinaryCase{"-1.5", "2", "-3"}, BinaryCase{"-1.5", "-2", "3"},
        BinaryCase{"0.1", "0.1", "0.01"}, BinaryCase{kMaxText, "1", kMaxText},
        BinaryCase{kMaxText, "1.0", kMaxText}, BinaryCase{kMaxText, "2", "error"},
        BinaryCase{"39614081257132168796771975168", "2", "error"},
        BinaryCase{"39614081257132168796771975167", "2", "79228162514264337593543950334"},
        BinaryCase{kMaxAtScale28, "1.0000000000000000000000000001",
                   "7.922816251426433759354395034"},
        BinaryCase{kMaxText, "0.9999999999999999999999999999", "79228162514264337593543950327"},
        BinaryCase{"0.1234567890123456789012345678", "0.1234567890123456789012345678",
                   "0.0152415787532388367504953515"},
        BinaryCase{"12345678901234.5678", "98765432109876.5432", "1219326311370217943225118122.2"},
        BinaryCase{kTiny, kTiny, "0"}, BinaryCase{"0.0000000000000000000000000005", "0.1", "0"},
        BinaryCase{"0.0000000000000000000000000015", "0.1", "0.0000000000000000000000000002"},
        BinaryCase{"0.0000000000000000000000000025", "0.1", "0.0000000000000000000000000002"},
        BinaryCase{"0.0000000000000000000000000035", "0.1", "0.0000000000000000000000000004"}));

class Division : public ::testing::TestWithParam<BinaryCase> {};

TEST_P(Division, GivesExactOrMostDigitsThatFit) {
    const auto& c = GetParam();
    EXPECT_EQ(plain(dec(c.a).div(dec(c.b))), c.expected) << c.a << " / " << c.b;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Division,
    ::testing::Values(
        BinaryCase{"10", "4", "2.5"}, BinaryCase{"10.00", "4", "2.5"},
        BinaryCase{"-10", "4", "-2.5"}, BinaryCase{"-1", "-3", "0.3333333333333333333333333333"},
        BinaryCase{"1", "3", "0.3333333333333333333333333333"},
        BinaryCase{"2", "3", "0.6666666666666666666666666667"},
        BinaryCase{"-2", "3", "-0.6666666666666666666666666667"},
        BinaryCase{"1", "7", "0.1428571428571428571428571429"},
        BinaryCase{"80", "7", "11.428571428571428571428571429"}, BinaryCase{"100", "0.5", "200"},
        BinaryCase{"7", "0.007", "1000"}, BinaryCase{"1", kTiny, "10000000000000000000000000000"},
        BinaryCase{"1", "0", "error"}, BinaryCase{"0", "0", "error"}, BinaryCase{"0", "5", "0"},
        BinaryCase{"0", "-5", "0"}, BinaryCase{kTiny, "2", "0"},
        BinaryCase{"0.0000000000000000000000000003", "2", "0.0000000000000000000000000002"},
        BinaryCase{kMaxText, "1", kMaxText}, BinaryCase{kMaxText, "0.1", "error"},
        BinaryCase{kMaxText, "2", "39614081257132168796771975168"},
        BinaryCase{kMaxText, "0.9999999999999999999999999999", "error"},
        BinaryCase{kMaxText, kMaxText, "1"}, BinaryCase{"1", kMaxText, "0"},
        BinaryCase{"10000000000000000000000000000", kTiny, "error"},
        BinaryCase{"1234567890123456789012345678", "9876543210987654321098765432",
                   "0.1249999988609375000142382812"},
        BinaryCase{kMaxAtScale28, "3", "2.6409387504754779197847983445"},
        BinaryCase{"79228162514264337593543950334", kMaxAtScale28,
                   "10000000000000000000000000000"}));

TEST(Division, ChainedSixtiethsKeepTwentyEightPlaces) {
    const auto minute = dec("1").div(dec("60"));
    ASSERT_TRUE(minute);
    EXPECT_EQ(plain(minute), "0.0166666666666666666666666667");
    EXPECT_EQ(plain(minute->div(dec("60"))), "0.0002777777777777777777777778");
}

TEST(Division, ExactQuotientKeepsItsNaturalScale) {
    EXPECT_EQ(dec("10").div(dec("4"))->scale(), 1);
    EXPECT_EQ(dec("10.00").div(dec("4"))->scale(), 2);
    EXPECT_EQ(dec("6").div(dec("3"))->scale(), 0);
    EXPECT_EQ(dec("100").div(dec("0.5"))->scale(), 0);
}

TEST(SignOfZero, ZeroResultsAreNeverNegative) {
    const Decimal results[] = {
        *dec("5").add(dec("-5")),
        *dec("-0.5").sub(dec("-0.5")),
        *dec("0").mul(dec("-5")),
        *dec("-3").mul(dec("0")),
        *dec("0").div(dec("-5")),
        *dec("-0.0000000000000000000000000001").div(dec("4")),
        dec("-0.4").truncated(),
        dec("-0.4").roundedHalfEven(0),
        dec("-0.4").roundedHalfAwayFromZero(0),
        Decimal{}.negated(),
        *dec("-0.0000000000000000000000000001").mul(dec("0.1")),
    };
    for (const Decimal& z : results) {
        EXPECT_TRUE(z.isZero());
        EXPECT_FALSE(z.isNegative());
        EXPECT_EQ(z.toPlainAscii(), "0");
        EXPECT_EQ(z, Decimal{});
    }
}

struct RoundCase {
    const char* value;
    int places;
    const char* halfEven;
    const char* halfAway;
};

std::ostream& operator<<(std::ostream& os, const RoundCase& c) {
    return os << c.value << " at " << c.places;
}

class Rounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(Rounding, TiesGoToEvenOrAwayFromZero) {
    const auto& c = GetParam();
    EXPECT_EQ(dec(c.value).roundedHalfEven(c.places).toPlainAscii(), c.halfEven) << c.value;
    EXPECT_EQ(dec(c.value).roundedHalfAwayFromZero(c.places).toPlainAscii(), c.halfAway) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Rounding,
    ::testing::Values(RoundCase{"2.5", 0, "2", "3"}, RoundCase{"3.5", 0, "4", "4"},
                      RoundCase{"-2.5", 0, "-2", "-3"}, RoundCase{"-0.5", 0, "0", "-1"},
                      RoundCase{"1.005", 2, "1", "1.01"}, RoundCase{"1.015", 2, "1.02", "1.02"},
                      RoundCase{"1.0051", 2, "1.01", "1.01"}, RoundCase{"0.125", 2, "0.12", "0.13"},
                      RoundCase{"1234.5678", 1, "1234.6", "1234.6"},
                      RoundCase{"1234.5649", 2, "1234.56", "1234.56"}, RoundCase{"5", 3, "5", "5"},
                      RoundCase{"1.25", 28, "1.25", "1.25"}, RoundCase{"1.25", -3, "1", "1"},
                      RoundCase{kMaxAtScale28, 0, "8", "8"},
                      RoundCase{kMaxAtScale28, 27, "7.922816251426433759354395034",
                                "7.922816251426433759354395034"}));

TEST(Truncation, DropsTheFractionTowardZero) {
    const std::pair<const char*, const char*> table[] = {
        {"1.9", "1"},
        {"-1.9", "-1"},
        {"-0.9", "0"},
        {"123", "123"},
        {kMaxAtScale28, "7"},
        {"-1234.5678", "-1234"},
        // Mantissas past 64 bits over a 64-bit power of ten, on both sides of a quotient
        // that fits 64 bits.
        {"7922816251426433759.3543950335", "7922816251426433759"},
        {"-7922816251426433759.3543950335", "-7922816251426433759"},
        {"79228162514264337593.543950335", "79228162514264337593"},
        {"18446744073.709551616", "18446744073"}};
    for (const auto& [in, out] : table) {
        EXPECT_EQ(dec(in).truncated().toPlainAscii(), out) << in;
        EXPECT_EQ(dec(in).truncated().scale(), 0) << in;
    }
}

TEST(FromDouble, KeepsFifteenDigitsHalfEven) {
    const std::pair<double, const char*> table[] = {
        {2.0123456789123456, "2.01234567891235"},
        {0.1, "0.1"},
        {1e-5, "0.00001"},
        {-1.5, "-1.5"},
        {123456789012345678.0, "123456789012346000"},
        {1000000000000005.0, "1000000000000000"}, // tie: even stays
        {1000000000000015.0, "1000000000000020"}, // tie: odd goes up
        {1e28, "10000000000000000000000000000"},
        {7.9228162514264e28, "79228162514264000000000000000"},
        {1e-29, "0"},
        {1.25e-27, "0.0000000000000000000000000012"},
        {0.0, "0"},
        {-0.0, "0"},
    };
    for (const auto& [in, out] : table) {
        EXPECT_EQ(plain(Decimal::fromDouble(in)), out) << in;
    }
}

TEST(FromDouble, RejectsNonFiniteAndHugeValues) {
    const double table[] = {std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            0x1p96,
                            -0x1p96,
                            1e30};
    for (const double v : table) {
        EXPECT_FALSE(Decimal::fromDouble(v)) << v;
    }
    EXPECT_TRUE(Decimal::fromDouble(0x1p96 - 0x1p43));
}

TEST(ToDouble, ConvertsToTheNearestDouble) {
    const std::pair<const char*, double> table[] = {
        {"0.1", 0.1},   {"-1234.5", -1234.5}, {kMaxText, 7.922816251426434e28},
        {kTiny, 1e-28}, {"0", 0.0},           {"2.01234567891235", 2.01234567891235}};
    for (const auto& [in, out] : table) {
        EXPECT_EQ(dec(in).toDouble(), out) << in;
    }
}

TEST(Power, IsComputedInDoubleAndKeepsFifteenDigits) {
    const BinaryCase table[] = {{"2", "10", "1024"},
                                {"1.1", "2", "1.21"},
                                {"2", "-1", "0.5"},
                                {"9", "0.5", "3"},
                                {"-2", "3", "-8"},
                                {"0", "0", "1"},
                                {"-8", "0.5", "error"},
                                {"0", "-1", "error"},
                                {"10", "29", "error"},
                                {"10", "28", "10000000000000000000000000000"},
                                {"1.05", "10", "1.62889462677744"}};
    for (const auto& c : table) {
        EXPECT_EQ(plain(dec(c.a).pow(dec(c.b))), c.expected) << c.a << " ^ " << c.b;
    }
}

TEST(Comparison, OrdersByValueWhateverTheScale) {
    EXPECT_EQ(dec("1.0"), dec("1"));
    EXPECT_EQ(dec("-0"), dec("0"));
    EXPECT_EQ(Decimal{}.negated(), Decimal{});
    EXPECT_LT(dec("0.1"), dec("0.1000000000000000000000000001"));
    EXPECT_LT(dec("-2"), dec("-1"));
    EXPECT_LT(dec("-1"), dec("0"));
    EXPECT_LT(dec("-0.0000000000000000000000000001"), Decimal{});
    EXPECT_GT(dec(kTiny), Decimal{});
    EXPECT_GT(dec(kMaxText), dec(kMaxAtScale28));
    EXPECT_LT(dec("-79228162514264337593543950335"), dec("-7.9228162514264337593543950335"));
    EXPECT_EQ(dec("79228162514264337593543950330"), dec("79228162514264337593543950330.000"));
    EXPECT_GT(dec("2.5"), dec("2.4999999999999999999999999999"));
}

TEST(PowerOfTen, CoversTheScaleRange) {
    EXPECT_EQ(plain(Decimal::pow10(-28)), kTiny);
    EXPECT_EQ(plain(Decimal::pow10(28)), "10000000000000000000000000000");
    EXPECT_EQ(plain(Decimal::pow10(0)), "1");
    EXPECT_EQ(plain(Decimal::pow10(-2)), "0.01");
    EXPECT_FALSE(Decimal::pow10(29));
    EXPECT_FALSE(Decimal::pow10(-29));
}

TEST(FromParts, ChecksMantissaAndScale) {
    EXPECT_EQ(plain(Decimal::fromParts(Decimal::kMaxMantissa, 28, false)), kMaxAtScale28);
    EXPECT_EQ(plain(Decimal::fromParts(12345, 2, true)), "-123.45");
    EXPECT_FALSE(Decimal::fromParts(Decimal::kMaxMantissa + 1, 0, false));
    EXPECT_FALSE(Decimal::fromParts(1, 29, false));
    EXPECT_FALSE(Decimal::fromParts(1, -1, false));
}

TEST(FromInt, CoversTheWholeInt64Range) {
    EXPECT_EQ(Decimal::fromInt(std::numeric_limits<std::int64_t>::min()).toPlainAscii(),
              "-9223372036854775808");
    EXPECT_EQ(Decimal::fromInt(std::numeric_limits<std::int64_t>::max()).toPlainAscii(),
              "9223372036854775807");
    EXPECT_EQ(Decimal::fromInt(0).toPlainAscii(), "0");
}

TEST(Wholeness, DependsOnValueNotScale) {
    EXPECT_TRUE(dec("1.000").isWhole());
    EXPECT_TRUE(dec("0").isWhole());
    EXPECT_TRUE(dec("-3").isWhole());
    EXPECT_FALSE(dec("1.5").isWhole());
    EXPECT_FALSE(dec(kTiny).isWhole());
}

} // namespace
} // namespace sumiplex
