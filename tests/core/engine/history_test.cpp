#include "engine_harness.h"

#include <functional>
#include <vector>

namespace sumiplex::engine::testing {
namespace {

// One command on the calculator and what must hold after it.
struct Step {
    std::function<void(Calc&)> act;
    const char* tape;
    const char* total;
    bool backEnabled;
    bool forwardEnabled;
};

struct Sequence {
    const char* name;
    const char* start; // typed first; its tape is not checked
    std::vector<Step> steps;
};

void PrintTo(const Sequence& s, std::ostream* os) {
    *os << s.name;
}

const auto back = [](Calc& c) { c.engine.back(); };
const auto forward = [](Calc& c) { c.engine.forward(); };
const auto allClear = [](Calc& c) { c.engine.allClear(); };
auto typed(const char* keys) {
    return [keys](Calc& c) { c.type(keys); };
}

class HistorySequence : public ::testing::TestWithParam<Sequence> {};

TEST_P(HistorySequence, MovesThroughRecordedTotals) {
    Calc calc;
    calc.type(GetParam().start);
    (void)calc.newTape();
    int n = 0;
    for (const Step& s : GetParam().steps) {
        SCOPED_TRACE(++n);
        s.act(calc);
        EXPECT_EQ(calc.newTape(), s.tape);
        EXPECT_EQ(calc.total(), s.total);
        EXPECT_EQ(calc.view().buttons.back, s.backEnabled);
        EXPECT_EQ(calc.view().buttons.forward, s.forwardEnabled);
    }
}

INSTANTIATE_TEST_SUITE_P(
    BackAndForward, HistorySequence,
    ::testing::Values(Sequence{"three totals",
                               "100\n150+150+",
                               {{back, "      Back 250\r\n", "250", true, true},
                                {back, "      Back 100\r\n", "100", false, true},
                                {forward, "      Forward 250\r\n", "250", true, true},
                                {forward, "      Forward 400\r\n", "400", true, false}}},
                      Sequence{"fractions",
                               "12.5\n1+",
                               {{back, "      back 12.5\r\n", "12.5", false, true},
                                {forward, "      Forward13.5\r\n", "13.5", true, false},
                                {back, "      back 12.5\r\n", "12.5", false, true},
                                {forward, "      Forward13.5\r\n", "13.5", true, false}}},
                      Sequence{"back from the first total",
                               "100\n",
                               {{back, "      Back 100\r\n", "100", false, true},
                                {forward, "      Forward 100\r\n", "100", true, false},
                                {back, "      Back 100\r\n", "100", false, true}}},
                      Sequence{"forward past a total recorded behind a back",
                               "100\n150+",
                               {{back, "      Back 100\r\n", "100", false, true},
                                {typed("5+"), "      100 +5= 105\r\n", "105", true, true},
                                {forward, "      Forward 105\r\n", "105", true, false},
                                {back, "      Back 105\r\n", "105", true, true},
                                {back, "      Back 250\r\n", "250", true, true}}},
                      Sequence{"all clear",
                               "12.5\n",
                               {{allClear, "      Total = 0\r\n", "0", false, false},
                                {back, "", "0", false, false},
                                {forward, "", "0", false, false},
                                {typed("7+"), "      0 +7= 7\r\n", "7", true, false},
                                {back, "      Back 7\r\n", "7", false, true}}}));

TEST(AllClear, ResetsTotalsLabelsAndLists) {
    Calc calc;
    calc.engine.activated();
    calc.line("12.5");
    calc.engine.convertToYen();
    calc.engine.allClear();
    const View& v = calc.view();
    EXPECT_EQ(calc.label1(), "Total    0");
    EXPECT_EQ(calc.text1(), "");
    EXPECT_TRUE(v.tax.added.empty() && v.tax.contained.empty() && v.currencyMark.empty() &&
                v.reading.empty());
    EXPECT_TRUE(calc.engine.history().totals().empty() && v.amounts.empty());
    EXPECT_FALSE(v.buttons.memo || v.buttons.back || v.buttons.forward || v.rate.visible);
    EXPECT_TRUE(v.menus.cash);
    EXPECT_EQ(calc.engine.takeRequests().focus, FocusTarget::Text1);
    EXPECT_EQ(calc.engine.history().position(), 1); // kept until the next recorded total
}

TEST(AllClear, SpaceBarAnywhereInTheLinePressesIt) {
    Calc calc;
    calc.startAt("500");
    calc.type("12 ");
    EXPECT_EQ(calc.newTape(), "      Total = 0\r\n");
    EXPECT_EQ(calc.total(), "0");
    EXPECT_EQ(calc.text1(), "");
}

TEST(AllClear, RestoresTheInputFontAfterAReadingCopy) {
    Calc calc;
    calc.engine.setInputFontName(u"Input Font");
    calc.engine.toggleFourDigit();
    calc.startAt("12345");
    calc.engine.toggleTotalInLine();
    ASSERT_EQ(calc.view().input.fontName, kFourDigitFontName);
    calc.engine.allClear();
    EXPECT_EQ(calc.view().input.fontName, u"Input Font");
}

TEST(Undo, RestoresTheTotalBeforeTheRoundingRun) {
    Calc calc;
    calc.startAt("1234.5678");
    calc.engine.roundTotal(RoundMode::HalfAwayFromZero);
    calc.engine.roundTotal(RoundMode::Down);
    (void)calc.newTape();
    ASSERT_TRUE(calc.view().menus.undo);
    calc.engine.undo();
    EXPECT_EQ(calc.newTape(), "      1,234. Back 1,234.5678\r\n");
    EXPECT_EQ(calc.total(), "1234.5678");
    EXPECT_EQ(calc.label1(), "Total    1,234.5678");
    EXPECT_EQ(calc.engine.history().totals().back(), u"1234.5678");
    EXPECT_EQ(calc.engine.history().position(),
              static_cast<int>(calc.engine.history().totals().size()));
    EXPECT_FALSE(calc.view().menus.undo);
    EXPECT_TRUE(calc.engine.history().undoValue().isZero());
    // Nothing is left to undo.
    calc.engine.undo();
    EXPECT_EQ(calc.newTape(), "");
}

TEST(Undo, KeepsTheCurrencyWordOfTheTotalLabel) {
    Calc calc;
    calc.engine.activated();
    calc.startAt("12.34");
    calc.engine.convertToYen();
    ASSERT_EQ(calc.label1(), "USD    12.34");
    calc.engine.roundTotal(RoundMode::Down);
    EXPECT_EQ(calc.label1(), "USD    12.");
    calc.engine.undo();
    EXPECT_EQ(calc.label1(), "USD    12.34");
}

struct ClickCase {
    const char* name;
    const char* keys; // typed before the click
    int clicks;
    const char* text1; // input line after the clicks
    const char* label1;
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class ClickOnTotal : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ClickOnTotal, CopiesTheTotalForEditing) {
    Calc calc;
    calc.engine.activated();
    calc.type(GetParam().keys);
    for (int i = 0; i < GetParam().clicks; ++i)
        calc.engine.toggleTotalInLine();
    EXPECT_EQ(calc.text1(), GetParam().text1);
    EXPECT_EQ(calc.label1(), GetParam().label1);
}

INSTANTIATE_TEST_SUITE_P(
    NormalMode, ClickOnTotal,
    ::testing::Values(ClickCase{"copy", "1500\n", 1, "Total    1,500", "Total    1,500"},
                      ClickCase{"second click takes it away", "1500\n", 2, "", "Total    1,500"},
                      ClickCase{"zero total copies nothing", "", 1, "", "Total"},
                      ClickCase{"fraction", "-0.25\n", 1, "Total    -0.25", "Total    -0.25"}));

TEST(ClickOnTotal, KeepsTheCurrencyWord) {
    Calc calc;
    calc.engine.activated();
    calc.startAt("100");
    calc.engine.convertToDollars(); // Label1 now reads "JPY    100"
    calc.engine.convertToDollars(); // takes the converted line away again
    calc.engine.toggleTotalInLine();
    EXPECT_EQ(calc.text1(), "JPY    100");
    calc.engine.convertToYen(); // line starts with "JPY": emptied
    calc.engine.convertToYen(); // Label1 now reads "USD    100"
    calc.engine.clearLine();
    calc.engine.toggleTotalInLine();
    EXPECT_EQ(calc.text1(), "USD    100");
}

TEST(ClickOnTotal, EditedCopyIsReEntered) {
    Calc calc;
    calc.startAt("1500");
    calc.engine.toggleTotalInLine();
    calc.type("0");
    calc.enter();
    EXPECT_EQ(calc.newTape(), "      Total    15,000\r\n");
    EXPECT_EQ(calc.total(), "15000");
}

TEST(ClickOnTotal, FourDigitModeCopiesTheReadingInItsOwnFont) {
    Calc calc;
    calc.startAt("12345678");
    calc.engine.toggleFourDigit();
    calc.engine.toggleTotalInLine();
    EXPECT_EQ(calc.text1(), "Total   1234万5678");
    EXPECT_EQ(calc.view().input.fontName, kFourDigitFontName);
    EXPECT_EQ(calc.view().input.selStart, 17);
    // The next key release ends the reading view.
    calc.type("5");
    EXPECT_EQ(calc.text1(), "");
    EXPECT_EQ(calc.view().input.fontName, calc.engine.inputFontName());
    EXPECT_EQ(calc.total(), "12345678");
}

TEST(MouseDownOnTotal, HidesTheDecimalPlaceEditorAndAsksForThePopupOnTheRightButton) {
    Calc calc;
    calc.engine.showPlaceEditor();
    ASSERT_TRUE(calc.view().place.visible);
    EXPECT_FALSE(calc.engine.totalPressed(MouseButton::Left));
    EXPECT_FALSE(calc.view().place.visible);
    calc.engine.showPlaceEditor();
    EXPECT_TRUE(calc.engine.totalPressed(MouseButton::Right));
    EXPECT_FALSE(calc.view().place.visible);
    calc.engine.showPlaceEditor();
    calc.engine.hidePlaceEditor();
    EXPECT_FALSE(calc.view().place.visible);
}

} // namespace
} // namespace sumiplex::engine::testing
