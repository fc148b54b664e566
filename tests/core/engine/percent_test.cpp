#include "engine_harness.h"

namespace sumiplex::engine::testing {
namespace {

struct PercentCase {
    const char* keys; // typed; a "\n" presses Enter
    const char* tape;
    const char* total;
    const char* text1;
};

void PrintTo(const PercentCase& c, std::ostream* os) {
    *os << c.keys;
}

class PercentTable : public ::testing::TestWithParam<PercentCase> {};

TEST_P(PercentTable, FromATotalOf1000) {
    const PercentCase& c = GetParam();
    Calc calc;
    calc.startAt("1000");
    calc.type(c.keys);
    EXPECT_EQ(calc.newTape(), c.tape);
    EXPECT_EQ(calc.total(), c.total);
    EXPECT_EQ(calc.text1(), c.text1);
}

INSTANTIATE_TEST_SUITE_P(
    PercentOfTotalAndOfLine, PercentTable,
    ::testing::Values(PercentCase{"10%\n", "      1,000*10%= 100\r\n", "100", ""},
                      PercentCase{"10%+", "      1,000*10%+= 1,100\r\n", "1100", ""},
                      PercentCase{"10%-", "      1,000*10%-= 900\r\n", "900", ""},
                      PercentCase{"/10%\n", "      1,000/10%= 10,000\r\n", "10000", ""},
                      PercentCase{"*10%\n", "      1,000*10%= 100\r\n", "100", ""},
                      PercentCase{"200*10%\n", "      (200*10% =20)\r\n", "1000", "20"},
                      PercentCase{"200*10%-", "      (200*10%-  =180)\r\n", "1000", "180"},
                      PercentCase{"200*10%+", "      (200*10%+ =220)\r\n", "1000", "220"},
                      PercentCase{"200/10%\n", "      (200/10% =2,000)\r\n", "1000", "2,000"},
                      PercentCase{"200/10%-", "      (200/10%- =-1,800)\r\n", "1000", "-1,800"},
                      PercentCase{"200/10%+", "      (200/10%+ =2,200)\r\n", "1000", "2,200"},
                      PercentCase{"200*0%\n", "      (200*0% =0)\r\n", "1000", "0"},
                      PercentCase{"12.5%\n", "      1,000*12.5%= 125\r\n", "125", ""},
                      PercentCase{"%10\n", "", "1000", "10%"},
                      PercentCase{"%10\n\n", "      1,000*10%= 100\r\n", "100", ""},
                      PercentCase{"10%x\n", "", "1000", "10%x"},
                      PercentCase{"200*10%x\n", "", "1000", "200*10%x"},
                      PercentCase{"200/0%\n", "      (200/0% =\r\n", "1000", "200/0 ERROR "},
                      PercentCase{"/0%\n", "      1,000/0%\r\n", "1000", "0% ERROR "},
                      PercentCase{"a%\n", "      1,000*a%\r\n", "1000", "a% ERROR "},
                      PercentCase{"a*10%\n", "      (a*10% =\r\n", "1000", "a*10 ERROR "}));

TEST(Percent, StepReplacesTheAmountsList) {
    Calc calc;
    calc.type("100+200+10%+");
    EXPECT_EQ(calc.view().amounts, (std::vector<std::u16string>{u"330"}));
}

TEST(Percent, ErrorSelectsTheLineAndWritesNoErrorMark) {
    Calc calc;
    calc.startAt("1000");
    calc.line("200/0%");
    EXPECT_EQ(calc.newTape().find("ERROR"), std::string::npos);
    EXPECT_EQ(calc.view().input.selStart, 0);
    EXPECT_EQ(calc.view().input.selLength, 12);
    EXPECT_EQ(calc.engine.opTyped(), 0);
}

// Mended: a leading operator removed from the line leaves a trailing sign that the change
// handling would evaluate at once, before the evaluation that removed the operator applied
// the same step again. The line acts once, as typed: "/10%+" stays a division.
struct LeadingOperatorCase {
    const char* keys;
    const char* tape;
    const char* total;
};

class LeadingOperatorOnce : public ::testing::TestWithParam<LeadingOperatorCase> {};

TEST_P(LeadingOperatorOnce, AppliesThePercentOnce) {
    Calc calc;
    calc.startAt("1000");
    calc.type(GetParam().keys);
    EXPECT_EQ(calc.newTape(), GetParam().tape);
    EXPECT_EQ(calc.total(), GetParam().total);
    EXPECT_EQ(calc.engine.history().totals().size(), 2u);
    EXPECT_EQ(calc.text1(), "");
}

INSTANTIATE_TEST_SUITE_P(
    TypedPercentLines, LeadingOperatorOnce,
    ::testing::Values(LeadingOperatorCase{"*10%+", "      1,000*10%+= 1,100\r\n", "1100"},
                      LeadingOperatorCase{"*10%-", "      1,000*10%-= 900\r\n", "900"},
                      LeadingOperatorCase{"/10%+", "      1,000/10%+= 11,000\r\n", "11000"},
                      LeadingOperatorCase{"/10%-", "      1,000/10%-= 900\r\n", "900"}));

} // namespace
} // namespace sumiplex::engine::testing
