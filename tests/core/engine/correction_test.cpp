// Checking a calculation by keying it again, and correcting its steps: which steps count as
// the same, how edited steps are worked out again, and what applying a correction leaves.

#include "core/engine/check_session.h"
#include "core/engine/correction.h"
#include "core/engine/engine_harness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sumiplex::engine::testing {
namespace {

/// The entry a line makes when it is typed (a trailing sign ends it, else Enter).
TapeEntry keyed(const char* line) {
    Calc calc;
    calc.startAt("1000");
    calc.paste(line);
    calc.enter();
    return calc.tape.entries().back();
}

std::vector<TapeEntry> currentSteps(const Calc& calc) {
    return calculationSteps(calc.tape.entries().slice(calc.tape.calculationStart()));
}

CalculationStart startOf(const Engine& engine) {
    return [&engine](Tape& tape) { return engine.replay({}, tape); };
}

std::vector<std::string> totals(const Recomputation& r) {
    std::vector<std::string> out;
    for (const RowOutcome& row : r.rows)
        out.push_back(row.state == RowOutcome::State::Invalid ? "ERROR"
                      : row.state == RowOutcome::State::Empty ? ""
                                                              : row.total.toPlainAscii());
    return out;
}

TEST(Check, StepsWrittenDifferentlyAreTheSame) {
    const struct {
        const char* recorded;
        const char* typed;
        bool same;
    } cases[] = {
        {"1,000+", "1000+", true},      {"1000+", "１０００＋", true},
        {"10000+", "1万+", true},       {"15000+", "1万5千+", true},
        {"500", "500+", true},          {"-500", "500-", true},
        {"500+", "500-", false},        {"500+", "501+", false},
        {"500*", "500+", false},        {"*2", "2*", true},
        {"3*4", "3*4", true},           {"3*4", "2*6", false},
        {"3*4", "3,000*4", false},      {"10%+", "10%+", true},
        {"10%+", "10%-", false},        {"10%+", "１０％＋", true},
        {"200*10%+", "200*10%+", true}, {"200*10%+", "200*10%-", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sameStep(keyed(c.recorded), keyed(c.typed)), c.same)
            << c.recorded << " / " << c.typed;
}

TEST(Check, FailedLinesAndToolOutputAreNoSteps) {
    Calc calc;
    calc.type(" ");
    calc.line("500+");
    calc.line("abc");
    calc.tape.recordTool(u"      365 Days     \r\n");
    calc.line("3*4");
    const std::vector<TapeEntry> steps = currentSteps(calc);
    ASSERT_EQ(steps.size(), 2U);
    EXPECT_EQ(utf8(stepText(steps[0])), "500+");
    EXPECT_EQ(utf8(stepText(steps[1])), "3*4");
}

/// A calculation of six steps: 100, 200, 300, a line result, 12 added, 10% added.
Calc sixSteps() {
    Calc calc;
    calc.type(" ");
    for (const char* line : {"100+", "200+", "300+", "3*4"})
        calc.line(line);
    calc.type("+");
    calc.line("10%+");
    return calc;
}

TEST(Correct, EditedInsertedAndDeletedRowsAreWorkedOutAgain) {
    Calc calc = sixSteps();
    const std::vector<CorrectionRow> recorded = correctionRows(currentSteps(calc));
    ASSERT_EQ(recorded.size(), 6U);
    const struct {
        const char* name;
        std::function<void(std::vector<CorrectionRow>&)> edit;
        std::vector<std::string> totals;
        bool valid;
    } cases[] = {
        {"as recorded", [](auto&) {}, {"100", "300", "600", "600", "612", "673.2"}, true},
        {"third step edited",
         [](auto& rows) { rows[2].step = typedStep(u"3,000+"); },
         {"100", "300", "3300", "3300", "3312", "3643.2"},
         true},
        {"line result edited, the step after it follows",
         [](auto& rows) { rows[3].step = typedStep(u"5*4"); },
         {"100", "300", "600", "600", "620", "682"},
         true},
        {"row inserted",
         [](auto& rows) { rows.insert(rows.begin() + 1, CorrectionRow{typedStep(u"50+")}); },
         {"100", "150", "350", "650", "650", "662", "728.2"},
         true},
        {"row deleted",
         [](auto& rows) { rows.erase(rows.begin()); },
         {"200", "500", "500", "512", "563.2"},
         true},
        {"empty row passed over",
         [](auto& rows) { rows.insert(rows.begin(), CorrectionRow{typedStep(u"")}); },
         {"", "100", "300", "600", "600", "612", "673.2"},
         true},
        {"invalid row changes nothing",
         [](auto& rows) { rows[1].step = typedStep(u"2x0+"); },
         {"100", "ERROR", "400", "400", "412", "453.2"},
         false},
    };
    for (const auto& c : cases) {
        std::vector<CorrectionRow> rows = recorded;
        c.edit(rows);
        const Recomputation r = recompute(startOf(calc.engine), rows);
        EXPECT_EQ(totals(r), c.totals) << c.name;
        EXPECT_EQ(r.valid(), c.valid) << c.name;
    }
}

TEST(Correct, ApplyingWritesABlockAndTheUndoBringsBackTheRecordedTotal) {
    Calc calc = sixSteps();
    calc.tape.setNote(calc.tape.calculationStart() + 1, u"交通費");
    std::vector<CorrectionRow> rows = correctionRows(currentSteps(calc));
    ASSERT_EQ(utf8(rows[1].step.note), "交通費");
    rows[0].step = typedStep(u"1000+");
    const Recomputation r = recompute(startOf(calc.engine), rows);
    (void)calc.newTape();
    calc.engine.applyCorrection(r.block(rows), r.total());
    EXPECT_EQ(calc.newTape(), "      0 +1000= 1,000\r\n"
                              "      1,000 +200= 1,200  交通費\r\n"
                              "      1,200 +300= 1,500\r\n"
                              "      (3*4= 12)\r\n"
                              "      1,500 +12= 1,512\r\n"
                              "      1,512*10%+= 1,663.2\r\n"
                              "      Total    1,663.2\r\n");
    EXPECT_EQ(calc.total(), "1663.2");
    EXPECT_TRUE(calc.view().menus.undo);
    // The corrected calculation goes on from the new total; rounding rounds it.
    calc.engine.placeTyped(u"0", 1);
    calc.engine.roundTotal(RoundMode::Down);
    EXPECT_EQ(calc.total(), "1660");
    calc.engine.undo();
    EXPECT_EQ(calc.total(), "1663.2");

    Calc again = sixSteps();
    const Recomputation same =
        recompute(startOf(again.engine), correctionRows(currentSteps(again)));
    again.engine.applyCorrection(same.block(correctionRows(currentSteps(again))), same.total());
    again.engine.undo();
    EXPECT_EQ(again.total(), "673.2");
}

TEST(Check, ACalculationOfATapeReadBackRunsBetweenItsStarts) {
    Calc calc;
    calc.type(" ");         // 0: the space clears
    calc.line("100+");      // 1
    calc.line("200+");      // 2
    calc.engine.allClear(); // 3: the all clear ends the calculation before it
    calc.line("7+");        // 4
    calc.engine.toggleTotalInLine();
    calc.enter();    // 5: "Total    7" keyed back in opens the next
    calc.line("3+"); // 6
    const std::vector<TapeEntry> entries = calc.tape.entries().slice(0);
    ASSERT_EQ(entries.size(), 7U);
    const struct {
        std::size_t index;
        std::vector<std::string> steps;
        bool startsFromTotal;
    } cases[] = {
        {0, {"100+", "200+"}, false},
        {1, {"100+", "200+"}, false},
        {2, {"100+", "200+"}, false},
        {3, {"100+", "200+"}, false},
        {4, {"7+"}, false},
        {5, {"3+"}, true},
        {6, {"3+"}, true},
        {99, {"3+"}, true},
    };
    for (const auto& c : cases) {
        const CalculationAt calculation = calculationAt(entries, c.index);
        std::vector<std::string> steps;
        for (const TapeEntry& e : calculation.steps)
            steps.push_back(utf8(e.input));
        EXPECT_EQ(steps, c.steps) << c.index;
        EXPECT_EQ(calculation.start.has_value(), c.startsFromTotal) << c.index;
    }
}

TEST(Check, KeyingAgainComparesEachStep) {
    Calc calc;
    calc.type(" ");
    for (const char* line : {"100+", "200+", "300+"})
        calc.line(line);
    CheckSession session(currentSteps(calc), startOf(calc.engine));
    const auto key = [&session](const char* line) {
        const std::u16string text = u16(line);
        session.engine().typed(text, static_cast<int>(text.size()));
        session.engine().keyReleased(Key::Enter);
        return session.takeKeyed();
    };
    using Event = CheckSession::Event;
    EXPECT_EQ(utf8(session.status()), "検算中 0/3");
    EXPECT_EQ(key("10+"), Event::Mismatch);
    EXPECT_TRUE(session.waiting());
    EXPECT_EQ(key("100+"), Event::None); // waits on the mismatch
    session.keepRecorded();
    EXPECT_EQ(session.engine().totalValue().toPlainAscii(), "0");
    EXPECT_EQ(key("100+"), Event::Same);
    EXPECT_EQ(session.rows()[0].verdict, CheckSession::Verdict::Same);
    // An all clear compares with nothing and keeps the total the check has reached.
    session.engine().allClear();
    EXPECT_EQ(session.takeKeyed(), Event::None);
    EXPECT_EQ(session.engine().totalValue().toPlainAscii(), "100");
    EXPECT_EQ(key("abc"), Event::None); // an ERROR is no step
    EXPECT_EQ(key("250+"), Event::Mismatch);
    EXPECT_EQ(session.takeTyped(), Event::None);
    EXPECT_EQ(utf8(session.status()), "検算中 2/3");
    EXPECT_EQ(session.engine().totalValue().toPlainAscii(), "350");
    EXPECT_EQ(key("300"), Event::Finished);
    EXPECT_EQ(utf8(session.status()), "差 1件");
    const std::vector<CorrectionRow> corrected = session.corrected();
    EXPECT_EQ(recompute(startOf(calc.engine), corrected).total().toPlainAscii(), "650");

    CheckSession clean(currentSteps(calc), startOf(calc.engine));
    for (const char* line : {"100", "200+", "３００＋"}) {
        const std::u16string text = u16(line);
        clean.engine().typed(text, static_cast<int>(text.size()));
        clean.engine().keyReleased(Key::Enter);
    }
    EXPECT_EQ(clean.takeKeyed(), Event::Finished);
    EXPECT_EQ(utf8(clean.status()), "検算OK 3件");
}

} // namespace
} // namespace sumiplex::engine::testing
