#include "core/engine/currency.h"
#include "core/engine/features_test_support.h"
#include "core/engine/four_digit.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::engine {
namespace {

using test::dec;
using test::utf8;
using test::utf8Opt;

struct ConversionCase {
    std::string_view total;
    std::u16string_view rate;
    std::optional<std::string_view> expected;
};

void checkConversion(const ConversionCase& c, const std::optional<std::u16string>& result) {
    SCOPED_TRACE(std::string(c.total) + " at " + utf8(c.rate));
    ASSERT_EQ(result.has_value(), c.expected.has_value()) << utf8Opt(result).value_or("");
    if (result) {
        EXPECT_EQ(utf8(*result), *c.expected);
    }
}

TEST(Currency, YenConversion) {
    const ConversionCase cases[] = {
        {"100", u"80", "JPY    8,000"},
        {"100", u"8", "JPY    800"},
        {"100", u"85", "JPY    8,500"},
        {"100", u"８０", "JPY    8,000"},
        {"-100", u"80", "JPY    -8,000"},
        {"1.5", u"80", "JPY    120"}, // whole product: no fraction shown
        {"1.25", u"80.5", "JPY    100.625"},
        {"12345.67", u"110.37", "JPY    1,362,591.5979"},
        {"0", u"80", "1 USD   JPY   80.00"},
        {"0", u"80.5", "1 USD   JPY   80.50"},
        {"0", u"1234.567", "1 USD   JPY   1,234.57"},
        {"0", u"0.125", "1 USD   JPY   0.13"},
        {"0", u"0", "1 USD   JPY   0.00"},
        {"100", u"", std::nullopt},
        {"0", u"", std::nullopt},
        {"100", u"abc", std::nullopt},
        {"100", u"80円", std::nullopt},
        {"79228162514264337593543950335", u"80", std::nullopt},
    };
    for (const auto& c : cases)
        checkConversion(c, yenConversionText(dec(c.total), c.rate));
}

TEST(Currency, DollarConversion) {
    const ConversionCase cases[] = {
        {"100", u"80", "USD    1.25"},
        {"1000", u"8", "USD    125"},
        {"1", u"8", "USD    0.125"},
        {"-100", u"80", "USD    -1.25"},
        {"1234567", u"100", "USD    12,345.67"},
        {"100", u"８０", "USD    1.25"},
        {"0", u"80", "1 JPY   USD   0.0125"},
        {"0", u"1", "1 JPY   USD   1."},
        {"0", u"3", "1 JPY   USD   0.333333333333333"}, // double precision, 15 digits
        {"0", u"0.5", "1 JPY   USD   2."},
        {"100", u"0", std::nullopt},
        {"0", u"0", std::nullopt},
        {"100", u"", std::nullopt},
        {"100", u"x", std::nullopt},
    };
    for (const auto& c : cases)
        checkConversion(c, dollarConversionText(dec(c.total), c.rate));
}

TEST(Currency, PlainRateTextIsShortestWithoutGroupingOrExponent) {
    const struct {
        double rate;
        std::string_view expected;
    } cases[] = {
        {80, "80"},
        {80.5, "80.5"},
        {0.0125, "0.0125"},
        {110.37, "110.37"},
        {0.1, "0.1"},
        {1, "1"},
        {0, "0"},
        {-0.0, "0"},
        {-2.5, "-2.5"},
        {1e-5, "0.00001"},
        {1.25e-7, "0.000000125"},
        {-3.5e-6, "-0.0000035"},
        {1234567.0, "1234567"},
        {1e22, "10000000000000000000000"},
        {1.5e17, "150000000000000000"},
        {1.2345678901234568e20, "123456789012345680000"},
        {123456.789, "123456.789"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        EXPECT_EQ(utf8(plainRateText(c.rate)), c.expected);
    }
}

// What the rate box shows must read back as the same rate, or reopening the dialog and
// pressing OK would drift the rate.
TEST(Currency, PlainRateTextReadsBackAsTheSameRate) {
    for (const double rate : {80.0, 80.5, 0.0125, 110.37, 1e-5, 123.456789, 1.0 / 3.0}) {
        SCOPED_TRACE(rate);
        EXPECT_EQ(exchangeRateFromText(plainRateText(rate), -1), rate);
    }
}

TEST(Currency, RateFromTheDialogText) {
    const struct {
        std::u16string_view text;
        double expected;
    } cases[] = {
        {u"", 1},
        {u"80", 80},
        {u"80.5", 80.5},
        {u"８０．５", 80.5},
        {u" 95 ", 95},
        {u"1,234.5", 1234.5},
        {u"0", 42},
        {u"0.0125", 0.0125},
        {u"abc", 42},
        {u"80円", 42},
        {u"1e3", 42},
        {u"-1", 42},
        {u"999999999999999", 999999999999999},
        {u"1000000000000000", 42},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        EXPECT_EQ(exchangeRateFromText(c.text, 42), c.expected);
    }
}

// The stored rate is checked against the same rule the dialog keeps to.
TEST(Currency, UsableRatesAreThoseTheConversionsCanWorkWith) {
    const struct {
        double rate;
        bool usable;
    } cases[] = {
        {80, true},
        {0.0125, true},
        {1e-20, true},
        {999999999999999, true},
        {0, false},
        {-0.0, false},
        {-1, false},
        {1e15, false},
        {1.2345678901234568e28, false},
        {1e308, false},
        {1e-30, false},
        {std::numeric_limits<double>::infinity(), false},
        {std::numeric_limits<double>::quiet_NaN(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        EXPECT_EQ(isUsableExchangeRate(c.rate), c.usable);
    }
}

struct FourDigitCase {
    std::string_view value;
    std::string_view full;
    std::string_view shortReading;
};

TEST(FourDigit, FormsAtEachGroupBoundary) {
    const FourDigitCase cases[] = {
        {"0", "0", "0"},
        {"1", "1", "1"},
        {"1234", "1234", "1234"},
        {"9999", "9999", "9999"},
        {"10000", "1万0000", "1万0000"},
        {"12345", "1万2345", "1万2345"},
        {"12345678", "1234万5678", "1234万5678"},
        {"99999999", "9999万9999", "9999万9999"},
        {"100000000", "1億0000万0000", "1億0000万"},
        {"100000005", "1億0000万0005", "1億0000万"},
        {"123456789", "1億2345万6789", "1億2345万"},
        {"999999999999", "9999億9999万9999", "9999億9999万"},
        {"1000000000000", "1兆0000億0000万0000", "1兆0000億"},
        {"9999999999999999", "9999兆9999億9999万9999", "9999兆9999億"},
        {"10000000000000000", "1京0000兆0000億0000万0000", "1京0000兆"},
        {"12345678901234567890", "1234京5678兆9012億3456万7890", "1234京5678兆"},
        {"100000000000000000000", "1垓0000京0000兆0000億0000万0000", "1垓0000京"},
        {"12345678901234567890123456", "123456垓7890京1234兆5678億9012万3456", "123456垓7890京"},
        {"79228162514264337593543950335", "792281625垓1426京4337兆5935億4395万0335",
         "792281625垓1426京"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(utf8(fourDigitFullForm(dec(c.value))), c.full);
        EXPECT_EQ(utf8(fourDigitShortReading(dec(c.value))), c.shortReading);
    }
}

TEST(FourDigit, NegativesAndFractions) {
    const FourDigitCase cases[] = {
        {"-1", "-1", "-1"},
        {"-1234", "-1234", "-1234"},
        {"-12345", "-1万2345", "-1万2345"},
        {"-123456789", "-1億2345万6789", "-1億2345万"},
        {"-100000000000000000000", "-1垓0000京0000兆0000億0000万0000", "-1垓0000京"},
        {"12345678.25", "1234万5678.25", "1234万5678"},
        {"-12345678.9", "-1234万5678.9", "-1234万5678"},
        {"100000005.5", "1億0000万0005.5", "1億0000万"},
        {"0.25", "0.25", "0"},
        {"-0.5", "-0.5", "0"}, // the full form keeps the sign the whole part lost
        {"-0.0000000000000000000000000001", "-0.0000000000000000000000000001", "0"},
        {"1234.50", "1234.5", "1234"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(utf8(fourDigitFullForm(dec(c.value))), c.full);
        EXPECT_EQ(utf8(fourDigitShortReading(dec(c.value))), c.shortReading);
    }
}

// For every length of whole part the full form, with its unit words taken out, gives the
// digits back, and every block between two words has four digits.
TEST(FourDigit, FullFormKeepsEveryDigitAtEveryLength) {
    const std::string digits = "12345678901234567890123456789";
    for (std::size_t n = 1; n <= digits.size(); ++n) {
        for (const bool negative : {false, true}) {
            const std::string value = (negative ? "-" : "") + digits.substr(0, n);
            SCOPED_TRACE(value);
            const std::u16string full = fourDigitFullForm(dec(value));
            std::u16string stripped;
            std::vector<std::size_t> runs{0};
            for (const char16_t ch : full) {
                if (std::u16string_view(u"万億兆京垓").find(ch) != std::u16string_view::npos) {
                    runs.push_back(0);
                } else {
                    stripped += ch;
                    ++runs.back();
                }
            }
            EXPECT_EQ(utf8(stripped), value);
            const std::size_t units = std::min<std::size_t>((n - 1) / 4, 5);
            ASSERT_EQ(runs.size(), units + 1);
            for (std::size_t i = 1; i < runs.size(); ++i)
                EXPECT_EQ(runs[i], 4u);
            EXPECT_EQ(runs[0], n - 4 * units + (negative ? 1 : 0));
        }
    }
}

TEST(FourDigit, WindowWidthTableBoundaries) {
    const struct {
        int length;
        std::optional<int> on;
        std::optional<int> off;
    } cases[] = {
        {0, std::nullopt, std::nullopt},
        {-1, std::nullopt, std::nullopt},
        {17, std::nullopt, std::nullopt},
        {18, 5220, std::nullopt},
        {21, 5220, std::nullopt},
        {22, 6030, std::nullopt},
        {23, 6030, std::nullopt},
        {24, 6030, 5220},
        {25, 6030, 5220},
        {26, 6870, 5220},
        {27, 6870, 5220},
        {28, 6870, 6030},
        {29, 6870, 6030},
        {30, 7800, 6030},
        {31, 7800, 6030},
        {32, 7800, 6870},
        {33, 8580, 6870},
        {35, 8580, 6870},
        {36, 8580, 7800},
        {37, 9630, 7800},
        {39, 9630, 7800},
        {40, 9630, 8580},
        {42, 9630, 8580},
        {43, std::nullopt, 8580},
        {44, std::nullopt, 9630},
        {47, std::nullopt, 9630},
        {48, std::nullopt, std::nullopt},
        {1000, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(windowWidthForCaption(c.length, true), c.on);
        EXPECT_EQ(windowWidthForCaption(c.length, false), c.off);
    }
}

} // namespace
} // namespace sumiplex::engine
