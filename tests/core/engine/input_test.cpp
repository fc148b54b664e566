#include "engine_harness.h"

namespace sumiplex::engine::testing {
namespace {

struct TypingCase {
    const char* keys;
    const char* text1; // line after typing
    const char* tape;
    int opTyped;
};

void PrintTo(const TypingCase& c, std::ostream* os) {
    *os << c.keys;
}

class Typing : public ::testing::TestWithParam<TypingCase> {};

TEST_P(Typing, ChangeHandlingOfTheInputLine) {
    Calc calc;
    calc.type(GetParam().keys);
    EXPECT_EQ(calc.text1(), GetParam().text1);
    EXPECT_EQ(calc.newTape(), GetParam().tape);
    EXPECT_EQ(calc.engine.opTyped(), GetParam().opTyped);
}

// "3**" and "3*/" keep their first operator: only the refused second one goes (mended; the
// shortened line used to be taken for another second operator and lose the first as well).
INSTANTIATE_TEST_SUITE_P(
    OperatorsAsTheyAreTyped, Typing,
    ::testing::Values(TypingCase{"123", "123", "", 0},
                      TypingCase{"123+", "", "      0 +123= 123\r\n", 0},
                      TypingCase{"-", "-", "", 1}, TypingCase{"+", "+", "", 1},
                      TypingCase{"3*-", "3*-", "", 1}, TypingCase{"3/+", "3/+", "", 1},
                      TypingCase{"3*4*", "3*4", "", 1}, TypingCase{"-3*4*", "-3*4*", "", 1},
                      TypingCase{"+3*4/", "+3*4/", "", 1}, TypingCase{"3**", "3*", "", 1},
                      TypingCase{"3*/", "3*", "", 1}, TypingCase{"3/4/", "3/4", "", 1},
                      TypingCase{"10%", "10%", "", 0}, TypingCase{"2^", "2^", "", 0}));

TEST(Typing, SecondOperatorLeavesTheCaretAtTheEnd) {
    Calc calc;
    calc.type("3*4*");
    EXPECT_EQ(calc.view().input.selStart, 3);
    calc.type("5");
    EXPECT_EQ(calc.text1(), "3*45");
}

TEST(Typing, ChangeEnablesMemoPasteHidesClockAndStampsTime) {
    Calc calc;
    calc.engine.showClock();
    calc.clock = std::chrono::seconds(10 * 3600 + 7 * 60);
    calc.type("5");
    EXPECT_TRUE(calc.view().buttons.memo);
    EXPECT_FALSE(calc.view().clock.visible);
    EXPECT_EQ(calc.engine.lastInputTime(), calc.clock);
}

struct EnterCase {
    const char* name;
    const char* line; // put into the line whole
    const char* tape;
    const char* total;
    const char* text1; // line after Enter
};

void PrintTo(const EnterCase& c, std::ostream* os) {
    *os << c.name;
}

class EnterDispatch : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterDispatch, FromATotalOf100) {
    Calc calc;
    calc.startAt("100");
    calc.paste(GetParam().line);
    calc.enter();
    EXPECT_EQ(calc.newTape(), GetParam().tape);
    EXPECT_EQ(calc.total(), GetParam().total);
    EXPECT_EQ(calc.text1(), GetParam().text1);
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, EnterDispatch,
    ::testing::Values(
        EnterCase{"lone plus", "+", "", "100", "+"}, EnterCase{"lone percent", "%", "", "100", "%"},
        EnterCase{"error line", "12 ERROR ", "", "100", ""},
        EnterCase{"tax line", "Tax +   105   (  5", "", "100", ""},
        EnterCase{"edited total", "Total    1,500", "      Total    1,500\r\n", "1500", ""},
        EnterCase{"edited negative total", "Total    -2.5", "      Total    -2.5\r\n", "-2.5", ""},
        EnterCase{"unreadable total", "Totalx", "ERROR\r\n", "100", "x ERROR "},
        EnterCase{"yen line", "JPY    8,000", "      100. >JPY  8,000.\r\n", "8000", ""},
        EnterCase{"dollar line", "USD    1.25", "      100. >USD  1.25\r\n", "1.25", ""},
        EnterCase{"unreadable converted line", "JPY    x", "      100. ERROR\r\n", "100",
                  "    x ERROR "},
        EnterCase{"rate line", "1 USD   JPY   80.00", "", "100", ""},
        EnterCase{"days line", "Days 30", "      Days 30      \r\n      100+ 30= 130\r\n", "130",
                  ""}));

TEST(EnterDispatch, EditedTotalIsRecordedAndRefreshesTaxAndReading) {
    Calc calc;
    calc.paste("Total    123,456");
    calc.enter();
    EXPECT_EQ(calc.label1(), "Total    123,456");
    EXPECT_EQ(calc.engine.history().totals(), (std::vector<std::u16string>{u"123456"}));
    EXPECT_EQ(calc.engine.history().position(), 1);
    EXPECT_TRUE(calc.view().buttons.back);
    // At the default rate of 10 %.
    EXPECT_EQ(utf8(calc.view().tax.added), "Tax +   135,801   (  12,345");
    EXPECT_EQ(utf8(calc.view().reading), "12万3456");
    // The re-entry of an edited total leaves the amounts list alone.
    EXPECT_TRUE(calc.view().amounts.empty());
}

TEST(EnterDispatch, ConvertedYenTotalBecomesTheTotalInYen) {
    Calc calc;
    calc.engine.activated();
    calc.startAt("100");
    calc.engine.convertToYen();
    ASSERT_EQ(calc.text1(), "JPY    8,000");
    ASSERT_TRUE(calc.view().rate.visible);
    (void)calc.newTape();
    calc.enter();
    EXPECT_EQ(calc.newTape(), "      100. >JPY  8,000.\r\n");
    EXPECT_EQ(calc.total(), "8000");
    EXPECT_EQ(calc.label1(), "JPY    8,000");
    EXPECT_EQ(utf8(calc.view().currencyMark), "JPY");
    EXPECT_TRUE(calc.view().menus.cash);
    EXPECT_FALSE(calc.view().rate.visible);
    EXPECT_EQ(calc.view().amounts, (std::vector<std::u16string>{u"8000"}));
    EXPECT_EQ(calc.engine.history().totals().back(), u"8000");
}

TEST(EnterDispatch, ConvertedDollarTotalDisablesTheCashItems) {
    Calc calc;
    calc.engine.activated();
    calc.startAt("100");
    calc.engine.convertToDollars();
    calc.enter();
    EXPECT_EQ(calc.label1(), "USD    1.25");
    EXPECT_EQ(utf8(calc.view().currencyMark), "USD");
    EXPECT_FALSE(calc.view().menus.cash);
    calc.engine.allClear();
    EXPECT_TRUE(calc.view().menus.cash);
}

TEST(EnterDispatch, RateLineShowsTheTotalAgainAndHidesTheRateBox) {
    Calc calc;
    calc.engine.activated();
    calc.engine.convertToYen();
    ASSERT_EQ(calc.text1(), "1 USD   JPY   80.00");
    ASSERT_EQ(calc.label1(), "USD    0");
    calc.enter();
    EXPECT_EQ(calc.label1(), "Total    0");
    EXPECT_FALSE(calc.view().rate.visible);
    EXPECT_EQ(calc.text1(), "");
}

TEST(PostEvaluation, EnterEndsTheRoundingRunAndRefreshesTheReading) {
    Calc calc;
    calc.startAt("12345.5");
    calc.engine.roundTotal(RoundMode::Down);
    ASSERT_TRUE(calc.view().menus.undo);
    calc.line("3");
    EXPECT_FALSE(calc.view().menus.undo);
    EXPECT_TRUE(calc.engine.history().undoValue().isZero());
    EXPECT_EQ(utf8(calc.view().reading), "1万2348");
}

// Mended: the reading line follows a total that a trailing sign gave, as it does on Enter.
TEST(PostEvaluation, TrailingSignRefreshesTheReadingLine) {
    Calc calc;
    calc.type("12345+");
    EXPECT_EQ(utf8(calc.view().reading), "1万2345");
    calc.line("1");
    EXPECT_EQ(utf8(calc.view().reading), "1万2346");
}

// Mended: an evaluation started by a trailing sign also ends the rounding run, so a later
// rounding or undo starts from the new total instead of silently dropping the step.
TEST(PostEvaluation, TrailingSignAlsoEndsTheRoundingRun) {
    Calc calc;
    calc.startAt("1234.5678");
    calc.engine.roundTotal(RoundMode::HalfAwayFromZero);
    calc.type("5+");
    EXPECT_EQ(calc.total(), "1240");
    EXPECT_FALSE(calc.view().menus.undo);
    calc.engine.roundTotal(RoundMode::HalfAwayFromZero);
    EXPECT_EQ(calc.total(), "1240");
}

struct WidthCase {
    const char* total;
    bool fourDigit;
    int captionLength;
    int width; // 0: left as it is
};

void PrintTo(const WidthCase& c, std::ostream* os) {
    *os << c.total;
}

class WindowWidth : public ::testing::TestWithParam<WidthCase> {};

TEST_P(WindowWidth, FollowsTheCaptionLengthAfterEnter) {
    Calc calc;
    if (GetParam().fourDigit)
        calc.engine.toggleFourDigit();
    (void)calc.engine.takeRequests();
    calc.line(GetParam().total);
    EXPECT_EQ(static_cast<int>(calc.view().total.caption.size()), GetParam().captionLength)
        << calc.label1();
    const auto width = calc.engine.takeRequests().windowWidthTwips;
    if (GetParam().width == 0)
        EXPECT_FALSE(width.has_value()) << *width;
    else
        EXPECT_EQ(width, GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    CaptionLengths, WindowWidth,
    ::testing::Values(WidthCase{"12345678901", false, 23, 0},
                      WidthCase{"123456789012", false, 24, 5220},
                      WidthCase{"12345678901234", false, 27, 5220},
                      WidthCase{"-12345678901234", false, 28, 6030},
                      WidthCase{"-123456789012345678901234567.8", false, 47, 9630},
                      WidthCase{"1234567890123456789012345678.9", false, 48, 0},
                      WidthCase{"12345678", true, 17, 0}, WidthCase{"-12345678", true, 18, 5220},
                      WidthCase{"123456789012345678901234.1234", true, 42, 9630},
                      WidthCase{"123456789012345678901234.12345", true, 43, 0}));

TEST(InputLine, DoubleClickEmptiesAndLostFocusCopiesTheTotal) {
    Calc calc;
    calc.startAt("1234.5");
    calc.type("77");
    calc.engine.clearLine();
    EXPECT_EQ(calc.text1(), "");
    calc.engine.refreshTotalCopy();
    EXPECT_EQ(utf8(calc.view().totalCopy), "1234.5");
}

TEST(InputLine, ClickHidesTheClockAndStampsTheTime) {
    Calc calc;
    calc.engine.showClock();
    calc.clock = std::chrono::seconds(12 * 3600);
    calc.engine.lineClicked();
    EXPECT_FALSE(calc.view().clock.visible);
    EXPECT_EQ(calc.engine.lastInputTime(), calc.clock);
}

// Mended: what an input method commits in full width, as a whole string or key by key,
// works as the ASCII keys do, and the line shows the ASCII forms.
struct FullWidthCase {
    const char* commits; // each piece arrives whole; "\n" presses Enter
    const char* total;
    const char* text1;
};

class FullWidthInput : public ::testing::TestWithParam<FullWidthCase> {};

TEST_P(FullWidthInput, ActsAsTheAsciiKeys) {
    Calc calc;
    calc.startAt("1000");
    std::string_view rest = GetParam().commits;
    while (!rest.empty()) {
        const auto enter = rest.find('\n');
        calc.paste(rest.substr(0, enter));
        if (enter == std::string_view::npos)
            break;
        calc.enter();
        rest.remove_prefix(enter + 1);
    }
    EXPECT_EQ(calc.total(), GetParam().total);
    EXPECT_EQ(calc.text1(), GetParam().text1);
}

INSTANTIATE_TEST_SUITE_P(
    Commits, FullWidthInput,
    ::testing::Values(FullWidthCase{"１２３＋", "1123", ""},
                      FullWidthCase{"３＊４\n", "1000", "12"},
                      FullWidthCase{"１０％－\n", "900", ""}, FullWidthCase{"５０ー", "950", ""},
                      FullWidthCase{"２．５−", "997.5", ""},
                      FullWidthCase{"１，０００＋", "2000", ""},
                      FullWidthCase{"／４", "1000", "/4"}, FullWidthCase{"２＾\n", "1000000", ""},
                      FullWidthCase{"１２", "1000", "12"}, FullWidthCase{"あ１", "1000", "あ1"}));

} // namespace
} // namespace sumiplex::engine::testing
