// A column pasted into the input line: how its text divides into cells, and what adding
// them does to the tape, the recorded totals and Undo.

#include "core/engine/engine_harness.h"
#include "core/engine/paste_column.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sumiplex::engine::testing {
namespace {

// Cells as "row:text", joined by "|", so a table row shows the whole split at a glance.
std::string cellsOf(std::string_view text, PastedLayout layout) {
    std::string out;
    for (const PastedCell& cell : splitPastedCells(u16(text), layout)) {
        if (!out.empty())
            out += '|';
        out += std::to_string(cell.row) + ":" + utf8(cell.text);
    }
    return out;
}

TEST(PasteColumn, SplitsTextIntoCellsWithTheirRows) {
    constexpr auto kRows = PastedLayout::Rows;
    constexpr auto kCsv = PastedLayout::Csv;
    struct Case {
        const char* text;
        PastedLayout layout;
        const char* cells;
    };
    const Case cases[] = {
        {"100\n200\n", kRows, "1:100|2:200"},
        {"100\r\n200\r\n300", kRows, "1:100|2:200|3:300"},
        {"100\r200", kRows, "1:100|2:200"},
        {"金額\n\n ¥1,234 \n", kRows, "1:金額|2:|3:¥1,234"},
        {"1\t2\n3\t\n", kRows, "1:1|1:2|2:3|2:"},
        {"\t1,234\n", kRows, "1:|1:1,234"},
        {"a,b\n\"1,234\",5\n", kCsv, "1:a|1:b|2:1,234|2:5"},
        {"\"say \"\"x\"\"\",1\n", kCsv, "1:say \"x\"|1:1"},
        // A quoted field with a line break stays one cell; the next record knows its line.
        {"\"two\nlines\",1\n9\n", kCsv, "1:two\nlines|1:1|3:9"},
        {"1,,3\r\n", kCsv, "1:1|1:|1:3"},
        {" \"△500\" ,x\n", kCsv, "1:△500|1:x"},
        {"\"open,1\n", kCsv, "1:open,1"},
        {"", kRows, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellsOf(c.text, c.layout), c.cells) << c.text;
}

TEST(PasteColumn, TellsAColumnFromALineAndAnAmountFromText) {
    EXPECT_TRUE(isPastedColumn(u"1\n2"));
    EXPECT_TRUE(isPastedColumn(u"1\r\n\r\n"));
    EXPECT_FALSE(isPastedColumn(u"1,234\r\n"));
    EXPECT_FALSE(isPastedColumn(u"500+"));
    struct Case {
        const char* cell;
        bool amount;
    };
    const Case cases[] = {
        {"¥1,234", true}, {"△500", true}, {"(200)", true}, {"300-", true},    {"3万", true},
        {"-5", true},     {"", false},    {"合計", false}, {"5+", false},     {"3*4", false},
        {"10%", false},   {"2^3", false}, {"¥¥1", false},  {"(1,234", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isPastedAmount(u16(c.cell)), c.amount) << c.cell;
}

TEST(PasteColumn, SkippedCellsAreCountedAndListedByRow) {
    const PastedColumn column =
        readPastedColumn(u"品名\n1\nx\n\n2\na\nb\nc\nd\n", PastedLayout::Rows);
    ASSERT_EQ(column.amounts.size(), 2U);
    EXPECT_EQ(utf8(skippedTapeLine(column.skipped.size())), "      読み飛ばし 7 件\r\n");
    EXPECT_EQ(utf8(skippedMessage(column.skipped)), "金額でないセル 7 件を読み飛ばしました。\n"
                                                    "1 行目: 「品名」\n3 行目: 「x」\n"
                                                    "4 行目: （空欄）\n6 行目: 「a」\n"
                                                    "7 行目: 「b」\nほか 2 件");
}

void pasteColumn(Calc& calc, std::string_view text) {
    calc.engine.beginPastedColumn();
    const PastedColumn column = readPastedColumn(u16(text), PastedLayout::Rows);
    for (const PastedCell& cell : column.amounts)
        calc.engine.addPastedAmount(cell.text);
    calc.engine.showPastedTotal();
    calc.engine.recordPastedSkips(column.skipped.size());
}

TEST(PasteColumn, AddsEachAmountOnItsOwnLineAndRecordsOneTotal) {
    Calc calc;
    calc.line("100+");
    (void)calc.newTape();
    pasteColumn(calc, "金額\n¥200\n\n△50\n(25)\n1,000円\n");
    EXPECT_EQ(calc.newTape(), "      100 +¥200= 300\r\n"
                              "      300 +△50= 250\r\n"
                              "      250 +(25)= 225\r\n"
                              "      225 +1,000円= 1,225\r\n"
                              "      読み飛ばし 2 件\r\n");
    EXPECT_EQ(calc.total(), "1225");
    EXPECT_EQ(calc.label1(), "Total    1,225");
    EXPECT_EQ(calc.engine.history().totals(), (std::vector<std::u16string>{u"100", u"1225"}));
    EXPECT_EQ(calc.view().amounts,
              (std::vector<std::u16string>{u"100", u"200", u"-50", u"-25", u"1000"}));
    EXPECT_TRUE(calc.view().menus.undo);

    // One Undo takes the whole column back, amounts and all; a second has nothing to undo.
    calc.engine.undo();
    EXPECT_EQ(calc.total(), "100");
    EXPECT_EQ(calc.view().amounts, (std::vector<std::u16string>{u"100"}));
    EXPECT_FALSE(calc.view().menus.undo);
    (void)calc.newTape();
    calc.engine.undo();
    EXPECT_EQ(calc.newTape(), "");
}

TEST(PasteColumn, UndoReturnsToAZeroTotalAndEndsWithTheNextStep) {
    Calc calc;
    pasteColumn(calc, "1\n2\n");
    calc.engine.undo();
    EXPECT_EQ(calc.total(), "0");

    pasteColumn(calc, "1\n2\n");
    calc.line("5+");
    calc.engine.undo();
    EXPECT_EQ(calc.total(), "8");
}

TEST(PasteColumn, ASumPastTheRangeFailsItsLineAndKeepsTheTotal) {
    Calc calc;
    pasteColumn(calc, "79228162514264337593543950335\n1\n2\n");
    const std::string tape = calc.newTape();
    EXPECT_NE(tape.find("+1ERROR\r\n"), std::string::npos) << tape;
    EXPECT_EQ(calc.total(), "79228162514264337593543950335");
}

TEST(PasteColumn, APastedColumnReplaysToTheSameTapeAndTotals) {
    Calc calc;
    calc.engine.markCalculationStart();
    calc.line("100+");
    pasteColumn(calc, "x\n¥200\n300-\n");
    calc.engine.back();
    pasteColumn(calc, "4\n5\n");
    calc.engine.undo();
    calc.line("7+");
    Tape again;
    const auto replayed = calc.engine.replay(calc.tape.entries().slice(0), again);
    EXPECT_EQ(utf8(again.text()), utf8(calc.tape.text()));
    EXPECT_EQ(replayed->totalValue(), calc.engine.totalValue());
    EXPECT_EQ(replayed->history().totals(), calc.engine.history().totals());
    EXPECT_EQ(replayed->view().amounts, calc.view().amounts);
}

TEST(PasteColumn, ACorrectedPastedAmountReplaysAsCorrected) {
    Calc calc;
    calc.engine.markCalculationStart();
    pasteColumn(calc, "¥100\n¥200\n");
    std::vector<TapeEntry> steps = calc.tape.entries().slice(0);
    steps[1].input = u"¥250+";
    Tape again;
    const auto replayed = calc.engine.replay(steps, again);
    EXPECT_EQ(utf8(again.text()), "      0 +¥100= 100\r\n      100 +¥250= 350\r\n");
    EXPECT_EQ(replayed->history().totals(), std::vector<std::u16string>{u"350"});
}

} // namespace
} // namespace sumiplex::engine::testing
