#include "engine_harness.h"

namespace sumiplex::engine::testing {
namespace {

TEST(CashTally, CountsEveryDenominationOntoTheTape) {
    Calc calc;
    calc.startAt("1234");
    calc.engine.mnuCashTotal_Click();
    EXPECT_EQ(calc.text1(), "10000*");
    EXPECT_EQ(calc.view().text1SelStart, 6);
    EXPECT_EQ(calc.total(), "0");
    EXPECT_FALSE(calc.view().command3Enabled);
    EXPECT_FALSE(calc.view().command2Enabled);
    calc.line("3");
    for (const char* step : {"5000*", "1000*", "500*", "100*", "50*", "10*", "5*"}) {
        EXPECT_EQ(calc.text1(), step);
        calc.enter();
    }
    EXPECT_EQ(calc.text1(), "1*");
    calc.line("2");
    EXPECT_EQ(calc.newTape(), "      0\r\n"
                              "      Cash Total\r\n"
                              "      10000*3= 30,000\r\n"
                              "      5000*0= 0\r\n"
                              "      1000*0= 0\r\n"
                              "      500*0= 0\r\n"
                              "      100*0= 0\r\n"
                              "      50*0= 0\r\n"
                              "      10*0= 0\r\n"
                              "      5*0= 0\r\n"
                              "      1*2= 2\r\n"
                              "      Total  30,002\r\n");
    EXPECT_EQ(calc.label1(), "Total    30,002");
    EXPECT_EQ(calc.engine.cashStep(), 0);
    EXPECT_EQ(calc.text1(), "");
    const auto& counts = calc.engine.cashCounts();
    EXPECT_EQ(counts[0], 30002);
    EXPECT_EQ(counts[1], 3);
    EXPECT_EQ(counts[9], 2);
    EXPECT_TRUE(calc.engine.takeRequests().showCashTally);
    EXPECT_TRUE(calc.view().command3Enabled);
    EXPECT_TRUE(calc.view().command6Enabled);
    EXPECT_TRUE(calc.view().command7Enabled);
}

TEST(CashTally, ACountThatIsNoNumberIsAskedForAgain) {
    Calc calc;
    calc.engine.mnuCashTotal_Click();
    calc.line("2");
    (void)calc.newTape();
    calc.line("x");
    EXPECT_EQ(calc.newTape(), "      5000*x= ERROR\r\n");
    EXPECT_EQ(calc.text1(), "5000*");
    EXPECT_EQ(calc.engine.cashStep(), 5000);
    EXPECT_EQ(calc.total(), "20000");
    EXPECT_EQ(calc.engine.cashCounts()[2], 0);
    calc.line("1");
    EXPECT_EQ(calc.newTape(), "      5000*1= 5,000\r\n");
    EXPECT_EQ(calc.text1(), "1000*");
    EXPECT_EQ(calc.label1(), "Subtotal    5,000");
}

TEST(CashTally, AbandoningGivesTheButtonsBack) {
    struct Case {
        const char* name;
        void (Engine::*abandon)();
    };
    for (const Case& c :
         {Case{"AC", &Engine::Command1_Click}, Case{"Back", &Engine::Command4_Click}}) {
        Calc calc;
        calc.engine.mnuCashTotal_Click();
        calc.line("1");
        (calc.engine.*c.abandon)();
        EXPECT_EQ(calc.engine.cashStep(), 0) << c.name;
        EXPECT_EQ(calc.text1(), "") << c.name;
        EXPECT_TRUE(calc.view().command3Enabled) << c.name;
        EXPECT_TRUE(calc.view().command6Enabled) << c.name;
        EXPECT_TRUE(calc.view().command7Enabled) << c.name;
        EXPECT_FALSE(calc.engine.takeRequests().showCashTally) << c.name;
    }
}

TEST(CashTally, FractionalTotalKeepsItsFraction) {
    Calc calc;
    calc.engine.mnuCashTotal_Click();
    for (const char* count : {"2.5", "0", "1", "0", "5", "1", "1", "1", "2.5"})
        calc.line(count);
    EXPECT_EQ(calc.total(), "26567.5");
    EXPECT_EQ(calc.label1(), "Total    26,567.5");
    const std::string tape = calc.newTape();
    EXPECT_NE(tape.find("      5*1= 5\r\n"), std::string::npos);
    EXPECT_NE(tape.find("      Total  26,567.5\r\n"), std::string::npos);
}

TEST(CashTally, BreakdownCopiesThePlainTotal) {
    Calc calc;
    calc.startAt("1234.5");
    calc.engine.mnuCash_Click();
    EXPECT_EQ(utf8(calc.view().text4), "1234.5");
}

} // namespace
} // namespace sumiplex::engine::testing
