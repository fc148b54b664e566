// Rounding, tax lines, currency conversion, four-digit display and the idle clock as the
// main window drives them through the engine.

#include "engine_harness.h"

namespace sumiplex::engine::testing {
namespace {

using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;

struct RoundCase {
    const char* total;
    const char* place; // text of the place box
    RoundMode mode;
    const char* result;
    const char* tape;
};

void PrintTo(const RoundCase& c, std::ostream* os) {
    *os << c.total << " at " << c.place << " mode " << static_cast<int>(c.mode);
}

class Rounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(Rounding, RoundsTheTotalAndWritesTheTapeLine) {
    const RoundCase& c = GetParam();
    Calc calc;
    calc.startAt(c.total);
    calc.engine.placeTyped(u16(c.place), 0);
    calc.engine.roundTotal(c.mode);
    EXPECT_EQ(calc.total(), c.result);
    EXPECT_EQ(calc.newTape(), c.tape);
}

constexpr auto Off = RoundMode::HalfAwayFromZero;
constexpr auto Up = RoundMode::Up;
constexpr auto Down = RoundMode::Down;

INSTANTIATE_TEST_SUITE_P(
    Places, Rounding,
    ::testing::Values(
        RoundCase{"1234.5678", "１", Off, "1235", "      1,234.5678  Round-Off 1,235.\r\n"},
        RoundCase{"1234.5678", "1", Up, "1235", "      1,234.5678  Round-Up 1,235.\r\n"},
        RoundCase{"1234.5678", "1", Down, "1234", "      1,234.5678  Round-Down 1,234.\r\n"},
        RoundCase{"1234.5678", "3", Off, "1234.57", "      1,234.5678  Round-Off 1,234.57\r\n"},
        RoundCase{"1234.5678", "3", Up, "1234.57", "      1,234.5678  Round-Up 1,234.57\r\n"},
        RoundCase{"1234.5678", "3", Down, "1234.56", "      1,234.5678  Round-Down 1,234.56\r\n"},
        RoundCase{"1234.5612", "3", Off, "1234.56", "      1,234.5612  Round-Off 1,234.56\r\n"},
        RoundCase{"1234.5612", "3", Up, "1234.57", "      1,234.5612  Round-Up 1,234.57\r\n"},
        RoundCase{"1234.5601", "3", Up, "1234.56", "      1,234.5601  Round-Up 1,234.56\r\n"},
        RoundCase{"-1234.5678", "1", Off, "-1235", "      -1,234.5678  Round-Off -1,235.\r\n"},
        RoundCase{"-1234.5678", "1", Up, "-1235", "      -1,234.5678  Round-Up -1,235.\r\n"},
        RoundCase{"-1234.5678", "1", Down, "-1234", "      -1,234.5678  Round-Down -1,234.\r\n"},
        RoundCase{"1234.5678", "0", Off, "1230", "      1,234.5678  Round-Off 1,230.\r\n"},
        RoundCase{"1234.5678", "-1", Off, "1200", "      1,234.5678  Round-Off 1,200.\r\n"},
        RoundCase{"1234.5678", "x", Off, "1235", "      1,234.5678  Round-Off 1,235.\r\n"},
        RoundCase{"0", "1", Off, "0", "      0.  Round-Off 0.\r\n"},
        RoundCase{"0", "1", Down, "0", "      0.  Round-Down 0.\r\n"},
        RoundCase{"1234.5678", "-40", Off, "0", "      1,234.5678  Round-Off 0.\r\n"},
        RoundCase{"1234.5678", "40", Down, "1234.5678",
                  "      1,234.5678  Round-Down 1,234.5678\r\n"},
        // Rounding up past the largest decimal keeps the total and writes nothing.
        RoundCase{"79228162514264337593543950335", "0", Off, "79228162514264337593543950335", ""}));

TEST(RoundingRun, EveryCommandStartsFromTheValueBeforeTheRun) {
    Calc calc;
    calc.startAt("0.7");
    calc.engine.roundTotal(Down);
    EXPECT_EQ(calc.total(), "0");
    calc.engine.roundTotal(Off);
    EXPECT_EQ(calc.total(), "1");
    EXPECT_EQ(calc.newTape(), "      0.7  Round-Down 0.\r\n      0.7  Round-Off 1.\r\n");
    EXPECT_EQ(calc.label1(), "Total    1.");
    EXPECT_EQ(calc.engine.history().totals(), (std::vector<std::u16string>{u"0.7", u"0", u"1"}));
    EXPECT_EQ(calc.engine.history().position(), 3);
    // Back and all clear do not end the run.
    calc.engine.back();
    calc.engine.roundTotal(Up);
    EXPECT_EQ(calc.total(), "1");
    EXPECT_EQ(utf8(calc.view().tax.added), "Tax +   1   (  0");
}

TEST(RoundingRun, FailedPlaceStartsNoRun) {
    Calc calc;
    calc.startAt("79228162514264337593543950335");
    calc.engine.placeTyped(u"0", 1);
    calc.engine.roundTotal(Off);
    EXPECT_FALSE(calc.view().menus.undo);
    EXPECT_TRUE(calc.engine.history().undoValue().isZero());
    EXPECT_EQ(calc.engine.history().totals().size(), 1u);
}

TEST(RoundingRun, FourDigitModeRewritesTheLabelInGroups) {
    Calc calc;
    calc.startAt("123456.78");
    calc.engine.toggleFourDigit();
    calc.engine.roundTotal(Off);
    EXPECT_EQ(calc.label1(), "Total   12万3457");
    EXPECT_EQ(utf8(calc.view().reading), "123,457");
}

TEST(DecimalPlace, EditorShowsAndHides) {
    Calc calc;
    calc.engine.showPlaceEditor();
    EXPECT_TRUE(calc.view().place.visible);
    EXPECT_EQ(calc.view().place.caret, 1);
    EXPECT_EQ(calc.engine.takeRequests().focus, FocusTarget::Text3);
    calc.engine.placeTyped(u"", 0);
    calc.engine.placeKeyReleased(Key::Other);
    EXPECT_TRUE(calc.view().place.visible);
    calc.engine.placeLeft();
    EXPECT_EQ(utf8(calc.view().place.text), "1");
    calc.engine.placeKeyReleased(Key::Enter);
    EXPECT_FALSE(calc.view().place.visible);
    calc.engine.placeTyped(u"3", 1);
    calc.engine.placeLeft();
    EXPECT_EQ(utf8(calc.view().place.text), "3");
}

struct TaxCase {
    int rate;
    int rule;
    const char* total;
    const char* label2;
    const char* label3;
};

void PrintTo(const TaxCase& c, std::ostream* os) {
    *os << c.rate << "% rule " << c.rule << " " << c.total;
}

class TaxLinesAfterAStep : public ::testing::TestWithParam<TaxCase> {};

TEST_P(TaxLinesAfterAStep, ShowTheTaxOfTheNewTotal) {
    const TaxCase& c = GetParam();
    Calc calc;
    calc.engine.setTaxRate(c.rate);
    calc.engine.setTaxRule(c.rule);
    calc.line(c.total);
    EXPECT_EQ(utf8(calc.view().tax.added), c.label2);
    EXPECT_EQ(utf8(calc.view().tax.contained), c.label3);
}

INSTANTIATE_TEST_SUITE_P(
    RatesAndRules, TaxLinesAfterAStep,
    ::testing::Values(TaxCase{5, 1, "1000", "Tax +   1,050   (  50", "Tax  -   952      48"},
                      TaxCase{0, 1, "1000", "Tax +   1,000   (  0", "Tax  -   1,000      0"},
                      TaxCase{8, 2, "1001", "Tax +   1,081   (  80", "Tax  -   927      74"},
                      TaxCase{8, 2, "1002", "Tax +   1,083   (  81", "Tax  -   928      74"},
                      TaxCase{8, 3, "1007", "Tax +   1,088   (  81", "Tax  -   932      75"},
                      TaxCase{5, 3, "-1000", "Tax +   -1,050   (  -50", "Tax  -   -952      -48"},
                      TaxCase{5, 1, "1000.5", "Tax +   1,050.5   (  50", "Tax  -   952.9      48"},
                      TaxCase{5, 9, "1000", "Tax +   1,050   (  50", "Tax  -   952      48"}));

TEST(TaxLines, ClickCopiesTheLineAndASecondClickTakesItAway) {
    Calc calc;
    calc.engine.setTaxRate(5);
    calc.startAt("1000");
    calc.engine.copyTaxAdded();
    EXPECT_EQ(calc.text1(), "Tax +   1,050   (  50");
    EXPECT_EQ(calc.newTape(), "      Tax +   1,050   (  50\r\n");
    EXPECT_EQ(calc.view().input.selStart, 21);
    calc.engine.copyTaxAdded();
    EXPECT_EQ(calc.text1(), "");
    EXPECT_EQ(calc.newTape(), "");
    calc.engine.copyTaxContained();
    EXPECT_EQ(calc.text1(), "Tax  -   952      48");
    EXPECT_EQ(calc.newTape(), "      Tax  -   952      48\r\n");
    calc.engine.copyTaxContained();
    EXPECT_EQ(calc.text1(), "");
    // Enter on a copied tax line only empties it.
    calc.engine.copyTaxAdded();
    (void)calc.newTape();
    calc.enter();
    EXPECT_EQ(calc.text1(), "");
    EXPECT_EQ(calc.newTape(), "");
    EXPECT_EQ(calc.total(), "1000");
}

TEST(TaxLines, ANewRateOrRuleTakesEffectOnTheNextRefresh) {
    Calc calc;
    calc.engine.setTaxRate(5);
    calc.startAt("1002");
    calc.engine.setTaxRate(8);
    EXPECT_EQ(utf8(calc.view().tax.added), "Tax +   1,052   (  50");
    calc.engine.refreshTaxLines();
    EXPECT_EQ(utf8(calc.view().tax.added), "Tax +   1,082   (  80");
    calc.engine.setTaxRule(kTaxRoundUp);
    calc.engine.refreshTaxLines();
    EXPECT_EQ(utf8(calc.view().tax.added), "Tax +   1,083   (  81");
    calc.engine.setTaxRate(5);
    calc.engine.setTaxRule(kTaxTruncate);
    calc.engine.refreshTaxLines();
    EXPECT_EQ(utf8(calc.view().tax.added), "Tax +   1,052   (  50");
}

TEST(TaxLines, EmptyLineIsNotCopiedAndTheMenuTogglesThem) {
    Calc calc;
    calc.engine.copyTaxAdded();
    calc.engine.copyTaxContained();
    EXPECT_EQ(calc.text1(), "");
    EXPECT_EQ(calc.newTape(), "");
    EXPECT_TRUE(calc.view().tax.visible);
    calc.engine.toggleTaxLines();
    EXPECT_FALSE(calc.view().tax.visible);
    calc.engine.toggleTaxLines();
    EXPECT_TRUE(calc.view().tax.visible);
}

struct ConversionCase {
    const char* name;
    const char* total;
    const char* rate;
    bool toYen;
    const char* text1;
    const char* label1;
};

void PrintTo(const ConversionCase& c, std::ostream* os) {
    *os << c.name;
}

class Conversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Conversion, WritesTheConvertedLineAndMarksTheTotal) {
    const ConversionCase& c = GetParam();
    Calc calc;
    calc.startAt(c.total);
    calc.engine.rateTyped(u16(c.rate), 0);
    if (c.toYen)
        calc.engine.convertToYen();
    else
        calc.engine.convertToDollars();
    EXPECT_EQ(calc.text1(), c.text1);
    EXPECT_EQ(calc.newTape(), *c.text1 ? "      " + std::string(c.text1) + "\r\n" : "");
    EXPECT_EQ(calc.label1(), c.label1);
    EXPECT_EQ(calc.total(), c.total);
    EXPECT_TRUE(calc.view().rate.visible);
}

INSTANTIATE_TEST_SUITE_P(
    YenAndDollars, Conversion,
    ::testing::Values(
        ConversionCase{"yen", "100", "80", true, "JPY    8,000", "USD    100"},
        ConversionCase{"dollars", "100", "80", false, "USD    1.25", "JPY    100"},
        ConversionCase{"yen of zero", "0", "80", true, "1 USD   JPY   80.00", "USD    0"},
        ConversionCase{"dollars of zero", "0", "80", false, "1 JPY   USD   0.0125", "JPY    0"},
        ConversionCase{"fractional yen", "2.5", "80.5", true, "JPY    201.25", "USD    2.5"},
        ConversionCase{"unreadable rate", "100", "abc", true, "", "Total    100"},
        ConversionCase{"empty rate", "100", "", false, "", "Total    100"},
        ConversionCase{"zero rate", "100", "0", false, "", "Total    100"}));

TEST(Conversion, SecondPressTakesTheLineAway) {
    Calc calc;
    calc.engine.activated();
    calc.startAt("100");
    calc.engine.convertToYen();
    (void)calc.newTape();
    calc.engine.convertToYen();
    EXPECT_EQ(calc.text1(), "");
    EXPECT_EQ(calc.newTape(), "");
    calc.engine.convertToDollars();
    (void)calc.newTape();
    calc.engine.convertToDollars();
    EXPECT_EQ(calc.text1(), "");
    EXPECT_EQ(calc.newTape(), "");
}

TEST(Conversion, EditingTheRateRecomputesTheLineOnDisplay) {
    Calc calc;
    calc.engine.activated();
    calc.startAt("100");
    calc.engine.convertToYen();
    (void)calc.newTape();
    calc.engine.rateTyped(u"8", 1);
    calc.engine.rateTyped(u"85", 2);
    EXPECT_EQ(calc.newTape(), "      JPY    800\r\n      JPY    8,500\r\n");
    EXPECT_EQ(calc.text1(), "JPY    8,500");
    EXPECT_EQ(calc.engine.takeRequests().focus, FocusTarget::Text2);
    // An emptied box and an unreadable rate change nothing.
    calc.engine.rateTyped(u"", 0);
    calc.engine.rateTyped(u"8x", 2);
    EXPECT_EQ(calc.newTape(), "");
    EXPECT_EQ(calc.text1(), "JPY    8,500");
}

TEST(Conversion, ZeroTotalLineRecomputesBothWaysAndKeepsTheYenLine) {
    Calc calc;
    calc.engine.activated();
    calc.engine.convertToDollars();
    (void)calc.newTape();
    calc.engine.rateTyped(u"100", 3);
    EXPECT_EQ(calc.newTape(), "      1 JPY   USD   0.01\r\n      1 USD   JPY   100.00\r\n");
    EXPECT_EQ(calc.text1(), "1 USD   JPY   100.00");
    EXPECT_EQ(calc.label1(), "USD    0");
}

TEST(Conversion, ActivationShowsTheRateAndRecomputesOnlyOnAChange) {
    Calc calc;
    calc.engine.setExchangeRate(80.5);
    calc.engine.activated();
    EXPECT_EQ(utf8(calc.view().status.rate), "1 USD 80.5");
    EXPECT_EQ(utf8(calc.view().rate.text), "80.5");
    calc.startAt("2");
    calc.engine.convertToYen();
    (void)calc.newTape();
    calc.engine.activated();
    EXPECT_EQ(calc.newTape(), "");
    calc.engine.setExchangeRate(100);
    calc.engine.activated();
    EXPECT_EQ(calc.newTape(), "      JPY    200\r\n");
    EXPECT_EQ(calc.engine.takeRequests().focus, FocusTarget::Text1);
}

TEST(Conversion, RestoresTheInputFont) {
    Calc calc;
    calc.engine.activated();
    calc.startAt("12345");
    calc.engine.toggleFourDigit();
    calc.engine.toggleTotalInLine();
    ASSERT_EQ(calc.view().input.fontName, kFourDigitFontName);
    calc.engine.convertToDollars();
    EXPECT_EQ(calc.view().input.fontName, calc.engine.inputFontName());
    EXPECT_EQ(calc.label1(), "JPY   1万2345");
}

struct FourDigitCase {
    const char* total;
    const char* label1On;
    const char* label7On;
    const char* label7Off;
};

void PrintTo(const FourDigitCase& c, std::ostream* os) {
    *os << c.total;
}

class FourDigit : public ::testing::TestWithParam<FourDigitCase> {};

TEST_P(FourDigit, ToggleOnAndOff) {
    const FourDigitCase& c = GetParam();
    Calc calc;
    calc.startAt(c.total);
    const std::string before = calc.label1();
    EXPECT_EQ(utf8(calc.view().reading), c.label7Off);
    calc.engine.toggleFourDigit();
    EXPECT_TRUE(calc.view().menus.fourDigit);
    EXPECT_EQ(calc.label1(), c.label1On);
    EXPECT_EQ(utf8(calc.view().reading), c.label7On);
    EXPECT_EQ(calc.view().total.fontName, kFourDigitFontName);
    calc.engine.toggleFourDigit();
    EXPECT_EQ(calc.label1(), before);
    EXPECT_EQ(utf8(calc.view().reading), c.label7Off);
    EXPECT_EQ(calc.view().total.fontName, calc.engine.inputFontName());
}

INSTANTIATE_TEST_SUITE_P(
    Totals, FourDigit,
    ::testing::Values(
        FourDigitCase{"12345678.25", "Total   1234万5678.25", "12,345,678", "1234万5678"},
        FourDigitCase{"100000005", "Total   1億0000万0005", "100,000,005", "1億0000万"},
        FourDigitCase{"-12345", "Total   -1万2345", "-12,345", "-1万2345"},
        FourDigitCase{"1234", "Total   1234", "1,234", "1234"},
        FourDigitCase{"-0.5", "Total   -0.5", "0", "0"},
        FourDigitCase{"12345678901234567890123456", "Total   123456垓7890京1234兆5678億9012万3456",
                      "12,345,678,901,234,567,890,123,456", "123456垓7890京"}));

TEST(FourDigit, ToggleFitsTheWindowToTheCaption) {
    Calc calc;
    calc.startAt("-12345678");
    (void)calc.engine.takeRequests();
    calc.engine.toggleFourDigit(); // "Total   -1234万5678": 18 characters
    EXPECT_EQ(calc.engine.takeRequests().windowWidthTwips, 5220);
    calc.engine.toggleFourDigit(); // "Total    -12,345,678": 20 characters
    EXPECT_EQ(calc.engine.takeRequests().windowWidthTwips, std::nullopt);
}

TEST(FourDigit, KeepsTheCurrencyWordOfAConvertedTotal) {
    Calc calc;
    calc.engine.activated();
    calc.startAt("123456");
    calc.engine.convertToDollars();
    calc.engine.toggleFourDigit();
    EXPECT_EQ(calc.label1(), "JPY   12万3456");
    calc.engine.toggleFourDigit();
    EXPECT_EQ(calc.label1(), "JPY    123,456");
}

struct ClockCase {
    const char* name;
    seconds lastInput;
    seconds now;
    bool shown;
};

void PrintTo(const ClockCase& c, std::ostream* os) {
    *os << c.name;
}

class IdleClock : public ::testing::TestWithParam<ClockCase> {};

TEST_P(IdleClock, ShowsAfterFiveMinutesWithAnEmptyLine) {
    Calc calc;
    calc.clock = GetParam().lastInput;
    calc.engine.lineClicked();
    calc.clock = GetParam().now;
    calc.engine.clockTick();
    EXPECT_EQ(calc.view().clock.visible, GetParam().shown);
}

// The minute and hour fields count each on its own, so a new hour shows the clock early;
// mended: a new day shows it too instead of keeping it hidden for good.
INSTANTIATE_TEST_SUITE_P(
    ClockFields, IdleClock,
    ::testing::Values(
        ClockCase{"four minutes", hours(10), hours(10) + minutes(4), false},
        ClockCase{"five minutes", hours(10) + seconds(59), hours(10) + minutes(5), true},
        ClockCase{"over the hour, two minutes", hours(10) + minutes(58), hours(11), true},
        ClockCase{"over the hour, four minutes", hours(10) + minutes(58), hours(11) + minutes(2),
                  true},
        ClockCase{"an hour later, earlier minute", hours(10) + minutes(30), hours(11) + minutes(10),
                  true},
        ClockCase{"same hour, minute 56 on", hours(10) + minutes(56), hours(10) + minutes(59),
                  false},
        ClockCase{"over midnight", hours(23) + minutes(58), minutes(2), true},
        ClockCase{"over midnight, much later", hours(23) + minutes(30), hours(22), true}));

TEST(IdleClock, WritesTheTimeAndWaitsForAnEmptyLine) {
    Calc calc;
    calc.clock = hours(9) + minutes(5);
    calc.type("12");
    calc.clock = hours(13) + minutes(7) + seconds(30);
    calc.engine.clockTick();
    EXPECT_EQ(utf8(calc.view().clock.text), "13:07");
    EXPECT_FALSE(calc.view().clock.visible);
    calc.clock = hours(0) + minutes(0);
    calc.engine.clockTick();
    EXPECT_EQ(utf8(calc.view().clock.text), "00:00");
}

TEST(IdleClock, ShowsWhenNothingWasTypedSinceStartUp) {
    Calc calc;
    calc.engine.clockTick();
    EXPECT_TRUE(calc.view().clock.visible);
}

} // namespace
} // namespace sumiplex::engine::testing
