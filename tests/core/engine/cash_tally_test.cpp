#include "engine_harness.h"

namespace sumiplex::engine::testing {
namespace {

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
        EXPECT_TRUE(calc.view().buttons.history) << c.name;
        EXPECT_TRUE(calc.view().buttons.yen) << c.name;
        EXPECT_TRUE(calc.view().buttons.dollar) << c.name;
        EXPECT_FALSE(calc.engine.takeRequests().showCashTally) << c.name;
    }
}

TEST(CashTally, BreakdownCopiesThePlainTotal) {
    Calc calc;
    calc.startAt("1234.5");
    calc.engine.mnuCash_Click();
    EXPECT_EQ(utf8(calc.view().totalCopy), "1234.5");
}

} // namespace
} // namespace sumiplex::engine::testing
