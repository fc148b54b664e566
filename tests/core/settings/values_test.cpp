#include "core/settings/values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace sumiplex::settings {
namespace {

struct TruthCase {
    std::u16string text;
    std::optional<bool> expected;
};

TEST(SettingsValues, ReadsTruthWordsInAnyCaseAndRejectsEverythingElse) {
    const TruthCase cases[] = {
        {u"True", true},
        {u"False", false},
        {u"TRUE", true},
        {u"false", false},
        {u"tRuE", true},
        {u" True ", true},
        {u"", std::nullopt},
        {u"1", std::nullopt},
        {u"0", std::nullopt},
        {u"Yes", std::nullopt},
        {u"Truee", std::nullopt},
        {u"Tru", std::nullopt},
        {u"Ｔｒｕｅ", std::nullopt},
        {u"-1", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseTruth(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
    }
}

struct Int16Case {
    std::u16string text;
    std::optional<std::int16_t> expected;
};

TEST(SettingsValues, ReadsSixteenBitWholesRoundingHalfToEven) {
    const Int16Case cases[] = {
        {u"5", 5},
        {u"-3", -3},
        {u"+8", 8},
        {u" 10 ", 10},
        {u"32767", 32767},
        {u"-32768", -32768},
        {u"32768", std::nullopt},
        {u"-32769", std::nullopt},
        {u"5.5", 6},
        {u"4.5", 4},
        {u"4.51", 5},
        {u"-2.5", -2},
        {u"1E+2", 100},
        {u"", std::nullopt},
        {u"abc", std::nullopt},
        {u"5%", std::nullopt},
        {u"1,000", std::nullopt},
        {u"inf", std::nullopt},
        {u"nan", std::nullopt},
        {u"0x10", std::nullopt},
        {u".", std::nullopt},
        {u"1e", std::nullopt},
        {u"--1", std::nullopt},
        {u"１", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseInt16(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(SettingsValues, ReadsSignedThirtyTwoBitColours) {
    EXPECT_EQ(parseInt32(u"-2147483643"), -2147483643);
    EXPECT_EQ(parseInt32(u"1006847"), 1006847);
    EXPECT_EQ(parseInt32(u"2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(parseInt32(u"-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(parseInt32(u"2147483648"), std::nullopt);
    EXPECT_EQ(parseInt32(u"&H80000005"), std::nullopt);
    EXPECT_EQ(parseInt32(u"red"), std::nullopt);
}

struct FloatingCase {
    std::u16string text;
    std::optional<double> expected;
};

TEST(SettingsValues, ReadsPlainDecimalsWithAPointOnly) {
    const FloatingCase cases[] = {
        {u"80", 80.0},
        {u"80.5", 80.5},
        {u"-0.25", -0.25},
        {u".5", 0.5},
        {u"5.", 5.0},
        {u"1.5E+3", 1500.0},
        {u"80,5", std::nullopt},
        {u"8O", std::nullopt},
        {u"1e999", std::nullopt},
        {u"infinity", std::nullopt},
        {u"", std::nullopt},
        {u"   ", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDouble(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(SettingsValues, SingleRejectsWhatDoesNotFitButKeepsWhatDoes) {
    EXPECT_EQ(parseSingle(u"14"), 14.0f);
    EXPECT_EQ(parseSingle(u"10.5"), 10.5f);
    EXPECT_EQ(parseSingle(u"1e39"), std::nullopt);
    EXPECT_EQ(parseSingle(u"-1e39"), std::nullopt);
    EXPECT_EQ(parseSingle(u"x"), std::nullopt);
}

TEST(SettingsValues, WritesNumbersInTheirShortestPlainForm) {
    EXPECT_EQ(formatNumber(1000.0), u"1000");
    EXPECT_EQ(formatNumber(80.0), u"80");
    EXPECT_EQ(formatNumber(80.5), u"80.5");
    EXPECT_EQ(formatNumber(0.1), u"0.1");
    EXPECT_EQ(formatNumber(-0.0), u"0");
    EXPECT_EQ(formatNumber(1e20), u"100000000000000000000");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity()), u"0");
    // A single keeps its own shortest form, not the widened double's digits.
    EXPECT_EQ(formatNumber(14.1f), u"14.1");
    EXPECT_EQ(formatNumber(10.5f), u"10.5");
    EXPECT_EQ(formatNumber(std::int64_t{-2147483643}), u"-2147483643");
    EXPECT_EQ(formatTruth(true), u"True");
    EXPECT_EQ(formatTruth(false), u"False");
}

TEST(SettingsValues, WrittenNumbersReadBackUnchanged) {
    for (double v : {0.0, 1.0, 80.0, 80.5, 123.456, -7.25, 1e-7, 98765.4321, 1e15}) {
        EXPECT_EQ(parseDouble(formatNumber(v)), v) << v;
    }
    for (float v : {14.0f, 14.1f, 12.3f, 1000.0f, 0.3f}) {
        EXPECT_EQ(parseSingle(formatNumber(v)), v) << v;
    }
}

struct TwipsCase {
    double twips;
    double dpi;
    int pixels;
};

TEST(SettingsValues, ConvertsTwipsAndPixelsAtTheScreensDpi) {
    const TwipsCase cases[] = {
        {1000, 96, 67},   {15, 96, 1},      {7000, 96, 467}, {5000, 96, 333},
        {1000, 144, 100}, {1440, 120, 120}, {-300, 96, -20}, {0, 96, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
    EXPECT_EQ(pixelsToTwips(67, 96), 1005);
    EXPECT_EQ(pixelsToTwips(100, 144), 1000);
    EXPECT_EQ(pixelsToTwips(-20, 96), -300);
    EXPECT_EQ(pixelsToTwips(10, 0), 0);
    EXPECT_EQ(twipsToPixels(1e300, 96), 1 << 24);
    EXPECT_EQ(twipsToPixels(100, std::numeric_limits<double>::quiet_NaN()), 0);
}

} // namespace
} // namespace sumiplex::settings
