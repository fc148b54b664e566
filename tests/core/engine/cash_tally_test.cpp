#include "engine_harness.h"

namespace sumiplex::engine::testing {
namespace {

TEST(CashTally, ACountThatIsNoNumberIsAskedForAgain) {
    Calc calc;
    calc.engine.startCashTally();
    calc.line("2");
    (void)calc.newTape();
    calc.line("x");
    EXPECT_EQ(calc.newTape(), "      5000*x= ERROR\r\n");
    EXPECT_EQ(calc.text1(), "5000*");
    EXPECT_EQ(calc.engine.cashStep(), 5000);
    EXPECT_EQ(calc.total(), "20000");
    EXPECT_TRUE(calc.engine.cashCounts()[1].isZero());
    calc.line("1");
    EXPECT_EQ(calc.newTape(), "      5000*1= 5,000\r\n");
    EXPECT_EQ(calc.text1(), "1000*");
    EXPECT_EQ(calc.label1(), "Subtotal    5,000");
}

TEST(CashTally, TheTallyWindowGetsEachCountAsTyped) {
    // More digits than a double holds: the window's counts must still make the tape's total.
    Calc calc;
    calc.engine.startCashTally();
    for (const char* count : {"3", "0", "0", "2.50", "0", "0", "0", "0", "12345678901234567"})
        calc.line(count);
    EXPECT_TRUE(calc.engine.takeRequests().showCashTally);
    EXPECT_EQ(calc.total(), "12345678901265817");
    const char* expected[] = {"3", "0", "0", "2.5", "0", "0", "0", "0", "12345678901234567"};
    for (std::size_t k = 0; k < std::size(expected); ++k)
        EXPECT_EQ(calc.engine.cashCounts()[k].toPlainAscii(), expected[k]) << k;
    // The journal keeps the count as typed too.
    std::optional<TapeEntry> last;
    for (const TapeEntry& entry : calc.tape.entries())
        if (entry.kind == EntryKind::CashTallyStep)
            last = entry;
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(last->operand->toPlainAscii(), "12345678901234567");
}

TEST(CashTally, AbandoningGivesTheButtonsBack) {
    struct Case {
        const char* name;
        void (Engine::*abandon)();
    };
    for (const Case& c : {Case{"AC", &Engine::allClear}, Case{"Back", &Engine::back}}) {
        Calc calc;
        calc.engine.startCashTally();
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
    calc.engine.refreshTotalCopy();
    EXPECT_EQ(utf8(calc.view().totalCopy), "1234.5");
}

} // namespace
} // namespace sumiplex::engine::testing
