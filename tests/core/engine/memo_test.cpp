#include "engine_harness.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace sumiplex::engine::testing {
namespace {

struct PasteCase {
    const char* name;
    const char* keys; ///< typed before the paste; "\n" is Enter
    std::optional<std::string> pasted;
};

class Command2Paste : public ::testing::TestWithParam<PasteCase> {};

TEST_P(Command2Paste, PastesLineOrTotalCaptionOnce) {
    const PasteCase& c = GetParam();
    Calc calc;
    calc.type(c.keys);
    const auto first = calc.engine.takeMemoLine();
    ASSERT_EQ(first.has_value(), c.pasted.has_value());
    if (first) {
        EXPECT_EQ(utf8(*first), *c.pasted);
    }
    EXPECT_FALSE(calc.view().buttons.memo);
    // The button stays disabled until the line changes, so a second press pastes nothing.
    EXPECT_FALSE(calc.engine.takeMemoLine().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Memo, Command2Paste,
    ::testing::Values(PasteCase{"LineText", "12*3", std::string("12*3")},
                      // 1234+ evaluates and empties the line; the caption is pasted then.
                      PasteCase{"EmptyLineGivesCaption", "1234+", std::string("Total    1,234")},
                      PasteCase{"FractionCaption", "0.5+", std::string("Total    0.5")},
                      PasteCase{"DisabledAtStart", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Memo, Command2IsEnabledAgainByTheNextChange) {
    Calc calc;
    calc.type("7");
    ASSERT_TRUE(calc.engine.takeMemoLine().has_value());
    calc.type("8");
    const auto again = calc.engine.takeMemoLine();
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(utf8(*again), "78");
}

struct TotalLineCase {
    const char* name;
    const char* keys;
    std::optional<std::string> line;
};

class TotalMemoLine : public ::testing::TestWithParam<TotalLineCase> {};

TEST_P(TotalMemoLine, WritesTotalByWholeness) {
    const TotalLineCase& c = GetParam();
    Calc calc;
    calc.type(c.keys);
    const auto line = calc.engine.totalMemoLine();
    ASSERT_EQ(line.has_value(), c.line.has_value());
    if (line) {
        EXPECT_EQ(utf8(*line), *c.line);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Memo, TotalMemoLine,
    ::testing::Values(TotalLineCase{"ZeroGivesNothing", "", std::nullopt},
                      TotalLineCase{"BackToZeroGivesNothing", "5+5-", std::nullopt},
                      TotalLineCase{"Whole", "1234567+", std::string("Total    1,234,567")},
                      TotalLineCase{"Negative", "3-", std::string("Total    -3")},
                      TotalLineCase{"Fraction", "1.25+", std::string("Total    1.25")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Memo, TotalLineSaysTotalWhateverTheCurrencyWord) {
    Calc calc;
    calc.type("160+");
    calc.engine.convertToDollars(); // total to dollars: the label may read USD
    const auto line = calc.engine.totalMemoLine();
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(utf8(*line).rfind("Total    ", 0), 0u);
}

} // namespace
} // namespace sumiplex::engine::testing
