#include "engine_harness.h"

#include <vector>

namespace sumiplex::engine::testing {
namespace {

// How the line reaches the engine: typed alone, typed then Enter, or put into the line
// whole (as a paste does; a "+" typed after an operand would be evaluated at once) and Enter.
enum How { Type, Enter, Paste };

struct LineCase {
    const char* start; // total before the step
    const char* keys;
    How how;
    const char* tape;  // tape written by the step
    const char* total; // total afterwards (plain)
    const char* text1; // input line afterwards
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.start << " / " << c.keys;
}

class EvaluateLineTable : public ::testing::TestWithParam<LineCase> {};

TEST_P(EvaluateLineTable, WritesTapeTotalAndInputLine) {
    const LineCase& c = GetParam();
    Calc calc;
    calc.startAt(c.start);
    if (c.how == Paste) {
        calc.paste(c.keys);
        calc.enter();
    } else if (c.how == Enter) {
        calc.line(c.keys);
    } else {
        calc.type(c.keys);
    }
    EXPECT_EQ(calc.newTape(), c.tape);
    EXPECT_EQ(calc.total(), c.total);
    EXPECT_EQ(calc.text1(), c.text1);
}

INSTANTIATE_TEST_SUITE_P(
    SingleAndTwoOperandLines, EvaluateLineTable,
    ::testing::Values(
        LineCase{"1000", "500+", Type, "      1,000 +500= 1,500\r\n", "1500", ""},
        LineCase{"1000", "500-", Type, "      1,000  -500= 500\r\n", "500", ""},
        LineCase{"1000", "500", Enter, "      1,000+500= 1,500\r\n", "1500", ""},
        LineCase{"1000", "-500", Enter, "      1,000 -500= 500\r\n", "500", ""},
        LineCase{"1000", "3*", Enter, "      1,000 3*= 3,000\r\n", "3000", ""},
        LineCase{"1000", "*3", Enter, "      1,000 *3= 3,000\r\n", "3000", ""},
        LineCase{"1000", "4/", Enter, "      1,000 4/= 250\r\n", "250", ""},
        LineCase{"1000", "/4", Enter, "      1,000 /4= 250\r\n", "250", ""},
        LineCase{"1000", "2^", Enter, "      1,000 2^= 1,000,000\r\n", "1000000", ""},
        LineCase{"1000", "^2", Enter, "      1,000 ^2= 1,000,000\r\n", "1000000", ""},
        LineCase{"1000", "3*4", Enter, "      (3*4= 12)\r\n", "1000", "12"},
        LineCase{"1000", "10/4", Enter, "      (10/4= 2.5)\r\n", "1000", "2.5"},
        LineCase{"1000", "-5-3", Enter, "      (-5-3= -8)\r\n", "1000", "-8"},
        LineCase{"1000", "2+3", Paste, "      (2+3= 5)\r\n", "1000", "5"},
        LineCase{"1000", "5-3", Paste, "      (5-3= 2)\r\n", "1000", "2"},
        LineCase{"1000", "+5", Enter, "      1,000+5= 1,005\r\n", "1005", ""},
        LineCase{"1000", "2^10", Enter, "      (2^10= 1,024)\r\n", "1000", "1,024"},
        LineCase{"1000", "-2^2", Enter, "      (-2^2= -4)\r\n", "1000", "-4"},
        LineCase{"1000", "-2^3", Enter, "      (-2^3= -8)\r\n", "1000", "-8"},
        LineCase{"1000", "2^0.5", Enter, "      (2^0.5= 1.4142135623731)\r\n", "1000",
                 "1.4142135623731"},
        LineCase{"-2", "2^", Enter, "      -2 2^= -4\r\n", "-4", ""},
        LineCase{"2", "2^", Enter, "      2 2^= 4\r\n", "4", ""},
        LineCase{"1000", "3*-2", Enter, "      (3*-2= -6)\r\n", "1000", "-6"},
        LineCase{"1000", "3*4+", Type, "      (3*4+= 12)\r\n", "1000", "12"},
        LineCase{"1000", "3*4\n+", Type, "      (3*4= 12)\r\n      1,000 +12= 1,012\r\n", "1012",
                 ""},
        LineCase{"1000", "1,200+", Type, "      1,000 +1,200= 2,200\r\n", "2200", ""},
        LineCase{"1000", "0.5-", Type, "      1,000  -0.5= 999.5\r\n", "999.5", ""},
        LineCase{"0.1", "0.2+", Type, "      0.1 +0.2= 0.3\r\n", "0.3", ""},
        LineCase{"1000", "-5-", Type, "", "1000", "-5-"},
        LineCase{"1000", "0/", Enter, "      1,000 0/ERROR\r\n", "1000", "0/ ERROR "},
        LineCase{"1000", "10/0", Enter, "      (10/0= ERROR\r\n", "1000", "10/0 ERROR "},
        LineCase{"1000", "2+3*4", Paste, "      (2+3*4= ERROR\r\n", "1000", "2+3*4 ERROR "},
        LineCase{"1000", "-8^0.5", Enter, "      (-8^0.5= ERROR\r\n", "1000", "-8^0.5 ERROR "},
        LineCase{"1000", "10^40", Enter, "      (10^40= ERROR\r\n", "1000", "10^40 ERROR "},
        LineCase{"1000", "abc", Enter, "      1,000 abcERROR\r\n", "1000", "abc ERROR "},
        LineCase{"1000", "--5", Enter, "      1,000 --5ERROR\r\n", "1000", "--5 ERROR "},
        LineCase{"1000", "x+", Type, "      1,000 +xERROR\r\n", "1000", "x+ ERROR "}));

TEST(EvaluateLine, ErrorSelectsTheWholeLineAndClearsOpTyped) {
    Calc calc;
    calc.line("10/0");
    EXPECT_EQ(calc.view().input.selStart, 0);
    EXPECT_EQ(calc.view().input.selLength, 11);
    EXPECT_EQ(calc.engine.opTyped(), 0);
    EXPECT_EQ(calc.engine.takeRequests().focus, FocusTarget::Text1);
}

TEST(EvaluateLine, EnterOnAnErrorLineEmptiesItAndWritesNothing) {
    Calc calc;
    calc.line("12/0");
    (void)calc.newTape();
    calc.enter();
    EXPECT_EQ(calc.text1(), "");
    EXPECT_EQ(calc.newTape(), "");
}

TEST(EvaluateLine, StatusPanelShowsTheLineBeingEvaluated) {
    Calc calc;
    calc.type("500+");
    EXPECT_EQ(utf8(calc.view().status.line), "         before    500+");
    Calc negative;
    negative.type("-5-");
    EXPECT_EQ(utf8(negative.view().status.line), "");
}

TEST(EvaluateLine, TwoOperandResultLeavesCaretAtEndAndClearsTaxLines) {
    Calc calc;
    calc.startAt("1000");
    ASSERT_FALSE(calc.view().tax.added.empty());
    calc.line("10/4");
    EXPECT_EQ(calc.view().input.selStart, 3);
    EXPECT_TRUE(calc.view().tax.added.empty());
    EXPECT_TRUE(calc.view().tax.contained.empty());
    EXPECT_TRUE(calc.engine.lineValue().isZero());
}

TEST(EvaluateLine, RecordedTotalsAndLabel) {
    Calc calc;
    calc.type("100+");
    calc.type("250+");
    calc.line("2*");
    EXPECT_EQ(calc.engine.history().totals(),
              (std::vector<std::u16string>{u"100", u"350", u"700"}));
    EXPECT_EQ(calc.engine.history().position(), 3);
    EXPECT_TRUE(calc.view().buttons.back);
    EXPECT_EQ(calc.label1(), "Total    700");
}

struct AmountsCase {
    const char* keys;
    std::vector<std::u16string> list3;
};

class AmountsList : public ::testing::TestWithParam<AmountsCase> {};

TEST_P(AmountsList, FollowsTheStepsThatMakeUpTheTotal) {
    Calc calc;
    calc.type(GetParam().keys);
    calc.enter();
    EXPECT_EQ(calc.view().amounts, GetParam().list3);
}

INSTANTIATE_TEST_SUITE_P(
    SingleOperandSteps, AmountsList,
    ::testing::Values(AmountsCase{"100+250-", {u"100", u"-250"}},
                      AmountsCase{"1,000+-20", {u"1000", u"-20"}}, AmountsCase{"100+3*", {u"300"}},
                      AmountsCase{"100+3*4", {u"100"}}, AmountsCase{"100+10%", {u"10"}},
                      AmountsCase{"100+/0", {u"100"}}, AmountsCase{"100+2^", {u"10000"}}));

// Mended: a leading "+" removed from the line lets the change handling evaluate the rest;
// the step must then count once, not once more in the evaluation that removed the "+".
TEST(EvaluateLine, LeadingPlusWithTrailingSignAppliesTheStepOnce) {
    Calc calc;
    calc.startAt("100");
    calc.type("+5-");
    EXPECT_EQ(calc.newTape(), "      100  -5= 95\r\n");
    EXPECT_EQ(calc.total(), "95");
    EXPECT_EQ(calc.engine.history().totals(), (std::vector<std::u16string>{u"100", u"95"}));
    EXPECT_EQ(calc.text1(), "");
}

} // namespace
} // namespace sumiplex::engine::testing
