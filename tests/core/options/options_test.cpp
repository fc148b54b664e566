#include "core/options/options.h"

#include "core/text_utf.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace sumiplex::options {
namespace {

struct SizeCase {
    std::u16string text;
    std::optional<float> expected;
};

TEST(OptionsFontSize, ReadsPlainSizesWithinRangeAndRejectsTheRest) {
    const SizeCase cases[] = {
        {u"14", 14.0f},          {u"10.5", 10.5f},        {u" 12 ", 12.0f},
        {u"+9", 9.0f},           {u"１２", 12.0f},        {u"１０．５", 10.5f},
        {u"　８　", 8.0f},       {u"0.5", 0.5f},          {u"999.5", 999.5f},
        {u"1E+1", 10.0f},        {u"", std::nullopt},     {u"abc", std::nullopt},
        {u"12pt", std::nullopt}, {u"1,2", std::nullopt},  {u"0", std::nullopt},
        {u"-3", std::nullopt},   {u"1000", std::nullopt}, {u"1E+3", std::nullopt},
        {u"nan", std::nullopt},  {u"inf", std::nullopt},  {u"1e40", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseFontSize(c.text), c.expected) << sumiplex::testing::utf8(c.text);
}

struct PreviewCase {
    std::u16string family;
    float points;
    std::u16string expected;
};

TEST(OptionsFontSize, PreviewIsFamilyFiveBlanksAndShortestSize) {
    const PreviewCase cases[] = {
        {u"Times New Roman", 14.0f, u"Times New Roman     14"},
        {u"ＭＳ Ｐゴシック", 12.0f, u"ＭＳ Ｐゴシック     12"},
        {u"Serif", 10.5f, u"Serif     10.5"},
        {u"Serif", 0.1f, u"Serif     0.1"},
        {u"", 9.0f, u"     9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fontPreviewText(c.family, c.points), c.expected)
            << sumiplex::testing::utf8(c.expected);
        // What the preview shows is what the size box reads back.
        EXPECT_EQ(parseFontSize(formatFontSize(c.points)), c.points);
    }
}

TEST(OptionsPresets, BothKeepTheSystemWindowColourAndDifferInTheAccent) {
    const struct {
        ColourPreset preset;
        std::int32_t back;
        std::int32_t accent;
    } cases[] = {
        {ColourPreset::Defaults, -2147483643, 8355711},
        {ColourPreset::Recommended, -2147483643, 1006847},
    };
    for (const auto& c : cases) {
        const PresetColours colours = presetColours(c.preset);
        EXPECT_EQ(colours.windowBack, c.back);
        EXPECT_EQ(colours.accent, c.accent);
    }
}

TEST(OptionsVersion, LineJoinsCaptionAndThreeNumbers) {
    const struct {
        Version version;
        std::u16string expected;
    } cases[] = {
        {{0, 1, 0}, u"電卓 Version 0.1.0"},
        {{12, 0, 345}, u"電卓 Version 12.0.345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(versionLine(u"電卓", c.version), c.expected)
            << sumiplex::testing::utf8(c.expected);
}

} // namespace
} // namespace sumiplex::options
