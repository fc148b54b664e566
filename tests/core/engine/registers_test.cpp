#include "engine_harness.h"

#include <functional>
#include <optional>
#include <string>

namespace sumiplex::engine::testing {
namespace {

std::string plain(const Decimal& value) {
    return value.toPlainAscii();
}

// One step on the calculator, then the tape it wrote (not checked for typed steps: their
// lines are the evaluation's), the input line, the grand total and
// the memory, and which register (if any) refused for overflow.
struct RegisterStep {
    std::function<void(Calc&)> act;
    std::optional<std::string_view> tape;
    std::string_view line;
    std::string_view grandTotal;
    std::string_view memory;
    std::optional<RegisterKind> overflowed = std::nullopt;
};

const auto typed(std::string_view keys) {
    return [keys](Calc& c) { c.type(keys); };
}
const auto allClear = [](Calc& c) { c.engine.allClear(); };
const auto space = [](Calc& c) { c.type(" "); };
const auto gt = [](Calc& c) { c.engine.recallGrandTotal(); };
const auto gtClear = [](Calc& c) { c.engine.clearGrandTotal(); };
const auto memPlus = [](Calc& c) { c.engine.addToMemory(); };
const auto memMinus = [](Calc& c) { c.engine.subtractFromMemory(); };
const auto memRecall = [](Calc& c) { c.engine.recallMemory(); };
const auto memClear = [](Calc& c) { c.engine.clearMemory(); };

void run(Calc& calc, const std::vector<RegisterStep>& steps) {
    int n = 0;
    for (const RegisterStep& s : steps) {
        SCOPED_TRACE(++n);
        s.act(calc);
        const std::string tape = calc.newTape();
        if (s.tape) {
            EXPECT_EQ(tape, *s.tape);
        }
        EXPECT_EQ(calc.text1(), s.line);
        EXPECT_EQ(plain(calc.engine.registers().grandTotal()), s.grandTotal);
        EXPECT_EQ(plain(calc.engine.registers().memory()), s.memory);
        EXPECT_EQ(calc.engine.takeRequests().overflowed, s.overflowed);
    }
}

TEST(GrandTotal, CollectsEachCalculationEndedByAllClear) {
    Calc calc;
    run(calc, {
                  {typed("1200+"), {}, "", "0", "0"},
                  // AC writes its own line and nothing more.
                  {allClear, "      Total = 0\r\n", "", "1200", "0"},
                  // A calculation ending with 0 adds nothing, and AC on AC adds nothing twice.
                  {allClear, "      Total = 0\r\n", "", "1200", "0"},
                  {typed("0.5+"), {}, "", "1200", "0"},
                  {space, "      Total = 0\r\n", "", "1200.5", "0"},
                  {typed("-3000+"), {}, "", "1200.5", "0"},
                  {allClear, "      Total = 0\r\n", "", "-1799.5", "0"},
                  // Recalled, it is the next entry, with the caret after it.
                  {gt, "      GT -1,799.5\r\n", "-1799.5", "-1799.5", "0"},
                  {typed("+"), {}, "", "-1799.5", "0"},
                  {gtClear, "", "", "0", "0"},
                  {gt, "      GT 0\r\n", "0", "0", "0"},
              });
    EXPECT_EQ(calc.view().input.selStart, 1);
}

TEST(Memory, AddsAndSubtractsTheTotalAndRecallsIt) {
    Calc calc;
    run(calc, {
                  {typed("1234.5+"), {}, "", "0", "0"},
                  {memPlus, "      M+ 1,234.5\r\n", "", "0", "1234.5"},
                  {memPlus, "      M+ 1,234.5\r\n", "", "0", "2469"},
                  {allClear, "      Total = 0\r\n", "", "1234.5", "2469"},
                  {typed("5000+"), {}, "", "1234.5", "2469"},
                  {memMinus, "      M- 5,000\r\n", "", "1234.5", "-2531"},
                  {memRecall, "", "-2531", "1234.5", "-2531"},
                  {memClear, "", "-2531", "1234.5", "0"},
                  {memRecall, "", "0", "1234.5", "0"},
              });
}

TEST(Registers, OverflowKeepsTheRegisterAndAsksToSaySo) {
    constexpr std::string_view kMax = "79228162514264337593543950335";
    Calc calc;
    calc.startAt(kMax);
    run(calc, {
                  {memPlus, "      M+ 79,228,162,514,264,337,593,543,950,335\r\n", "", "0", kMax},
                  {memPlus, "", "", "0", kMax, RegisterKind::Memory},
                  {allClear, "      Total = 0\r\n", "", kMax, kMax},
              });
    calc.startAt(kMax);
    run(calc, {
                  {memMinus, "      M- 79,228,162,514,264,337,593,543,950,335\r\n", "", kMax, "0"},
                  // The grand total stays; AC still clears the total.
                  {allClear, "      Total = 0\r\n", "", kMax, "0", RegisterKind::GrandTotal},
              });
    EXPECT_EQ(calc.total(), "0");
}

TEST(Registers, ComeBackFromTheirStoredFormAndShowWhileNotZero) {
    struct Row {
        std::u16string_view stored;
        std::string_view value;
        std::string_view indicator; // of the grand total
    };
    const Row rows[] = {
        {u"12345.25", "12345.25", "GT 12,345.25"},
        {u"-300", "-300", "GT -300"},
        {u"0", "0", ""},
        {u"", "0", ""},
        // A damaged file starts from 0 rather than failing the start.
        {u"12x", "0", ""},
        {u"1e5", "0", ""},
        {u"99999999999999999999999999999999", "0", ""},
    };
    for (const Row& r : rows) {
        Registers registers;
        registers.restore(r.stored, r.stored);
        EXPECT_EQ(plain(registers.grandTotal()), r.value) << utf8(r.stored);
        EXPECT_EQ(plain(registers.memory()), r.value) << utf8(r.stored);
        EXPECT_EQ(utf8(registers.grandTotalIndicator()), r.indicator) << utf8(r.stored);
        EXPECT_EQ(utf8(registers.memoryIndicator()),
                  r.indicator.empty() ? "" : "M " + std::string(r.indicator.substr(3)));
        // What is stored reads back as the same value.
        Registers again;
        again.restore(registers.grandTotal().toPlainString(), registers.memory().toPlainString());
        EXPECT_EQ(again.grandTotal(), registers.grandTotal());
    }
}

} // namespace
} // namespace sumiplex::engine::testing
