// The CSV of a session with every kind of step, cell by cell: the amounts exact and plain
// whatever form they were keyed in, texts guarded against spreadsheet formulas.

#include "core/engine/engine_harness.h"
#include "core/journal/tape_csv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace sumiplex::journal {
namespace {

using engine::RoundMode;
using engine::testing::Calc;
using engine::testing::u16;

std::vector<std::string> rowsOf(const std::string& csv) {
    std::vector<std::string> rows;
    std::size_t start = 0;
    for (std::size_t end = csv.find("\r\n"); end != std::string::npos;
         end = csv.find("\r\n", start)) {
        rows.push_back(csv.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, csv.size()) << "the last row ends with CR LF";
    return rows;
}

std::int64_t localSeconds(std::chrono::year_month_day day, int hour, int minute) {
    const auto at =
        std::chrono::sys_days(day) + std::chrono::hours(hour) + std::chrono::minutes(minute);
    return std::chrono::duration_cast<std::chrono::seconds>(at.time_since_epoch()).count();
}

TEST(TapeCsv, EveryKindOfStepGivesItsExactCells) {
    using namespace std::chrono_literals;
    struct Step {
        std::function<void(Calc&)> act;
        std::vector<std::string> rows; // time,input,operator,amount,total,note
    };
    const auto line = [](const char* keys) { return [keys](Calc& c) { c.line(keys); }; };
    const std::vector<Step> session = {
        {line("3億2500万+"), {",3億2500万+,'+,325000000,325000000,"}},
        {line("1万5千"), {",1万5千,'+,15000,325015000,"}},
        {line("-1,000.50"), {",\"'-1,000.50\",'+,-1000.5,325013999.5,"}},
        {line("2*"), {",2*,*,2,650027999,"}},
        {line("10%-"), {",10%-,%-,65002799.9,585025199.1,"}},
        {line("3*4"), {",3*4,'=,12,,"}},
        {[](Calc& c) { c.engine.back(); }, {",,Back,,650027999,"}},
        {[](Calc& c) { c.engine.forward(); }, {",,Forward,,585025199.1,"}},
        {[](Calc& c) {
             c.engine.placeTyped(u"1", 0);
             c.engine.roundTotal(RoundMode::HalfAwayFromZero);
         },
         {",1,Round-Off,585025199.1,585025199,"}},
        {[](Calc& c) { c.engine.undo(); }, {",,Back,585025199,585025199.1,"}},
        // The line result stays in the input line, and the next keys follow it.
        {line("5/0"), {",125/0,ERROR,,,"}},
        {[](Calc& c) { c.engine.allClear(); }, {",,AC,,0,"}},
        {line("1000+"), {",1000+,'+,1000,1000,"}},
        {[](Calc& c) { c.engine.copyTaxAdded(); }, {",\"Tax +   1,100   (  100\",Tax +,1100,,"}},
        {[](Calc& c) {
             c.engine.copyTaxAdded();
             c.engine.rateTyped(u"80", 0);
             c.engine.convertToDollars();
         },
         {",80,USD,12.5,,"}},
        {[](Calc& c) {
             c.paste("Total    2,500");
             c.enter();
         },
         {",\"Total    2,500\",Total,,2500,"}},
        {[](Calc& c) { c.tape.recordTool(u"      =4239 Days\r\n      2026/01/01\r\n"); },
         {",'=4239 Days / 2026/01/01,,,,"}},
        {[](Calc& c) { (void)c.tape.setNote(c.tape.entries().size() - 2, u"=交通費"); }, {}},
        {[](Calc& c) {
             c.tape.setClock([] { return localSeconds(2026y / 12 / 7, 9, 30); });
             c.engine.startCashTally();
             c.line("2");
         },
         {"2026-12-07 09:30:00,,Cash Total,,0,", "2026-12-07 09:30:00,10000*2,'=,20000,20000,"}},
    };
    Calc calc;
    calc.engine.setTaxRate(10);
    std::vector<std::string> expected = {"\xEF\xBB\xBF時刻,入力,操作,金額,合計,摘要"};
    for (const Step& step : session) {
        step.act(calc);
        expected.insert(expected.end(), step.rows.begin(), step.rows.end());
    }
    // The note given to the re-entered total after the fact.
    expected[16] += "'=交通費";
    const std::vector<std::string> rows = rowsOf(tapeCsv(calc.tape.entries().slice(0)));
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], expected[i]) << "row " << i;
}

TEST(TapeCsv, AStepOfAFileWithoutItsOwnTimeTakesItsLinesTimeMark) {
    const auto entry = [](std::u16string input, std::size_t firstLine, std::int64_t time) {
        JournalEntry e;
        e.entry.input = std::move(input);
        e.entry.time = time;
        e.firstLine = firstLine;
        return e;
    };
    JournalContents tape;
    tape.marks = {{0, "2026-12-07 09:00:00"}, {2, "2026-12-07 09:00:07"}};
    tape.entries = {entry(u"a", 0, 0), entry(u"b", 1, 0),
                    entry(u"Say \"hi\"", 3, localSeconds(std::chrono::year{2026} / 12 / 8, 8, 1)),
                    entry(u"d", 4, 0)};
    EXPECT_EQ(tapeCsv(tape), "\xEF\xBB\xBF時刻,入力,操作,金額,合計,摘要\r\n"
                             "2026-12-07 09:00:00,a,,,,\r\n"
                             "2026-12-07 09:00:00,b,,,,\r\n"
                             "2026-12-08 08:01:00,\"Say \"\"hi\"\"\",,,,\r\n"
                             "2026-12-07 09:00:07,d,,,,\r\n");
}

TEST(TapeCsv, ATextCellASpreadsheetWouldRunAsAFormulaIsQuotedAsText) {
    struct Case {
        std::u16string text;
        std::string cell;
    };
    for (const Case& c :
         std::vector<Case>{{u"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
                           {u"@SUM(A1)", "'@SUM(A1)"},
                           {u"\tx", "'\tx"},
                           {u"＝1+1", "'＝1+1"},
                           {u"－1", "'－1"},
                           {u"1+1", "1+1"}}) {
        engine::TapeEntry e;
        e.note = c.text;
        const std::vector<std::string> rows = rowsOf(tapeCsv(std::span(&e, 1)));
        ASSERT_EQ(rows.size(), 2U);
        EXPECT_EQ(rows[1], ",,,,," + c.cell) << c.cell;
    }
}

} // namespace
} // namespace sumiplex::journal

namespace sumiplex::journal {
namespace {

TEST(TapeRows, StepsBecomeTabSeparatedRowsForASpreadsheet) {
    Calc calc;
    calc.line("¥1,200+");
    calc.line("-5");
    calc.line("3*");
    calc.line("1/0");
    calc.engine.clearLine();
    calc.line("3*4");
    calc.tape.setNote(0, u"交通費");
    calc.tape.recordTool(u"      365 Days     \r\n");
    EXPECT_EQ(engine::testing::utf8(tapeRows(calc.tape.entries().slice(0))),
              "¥1,200+\t'+\t1200\t1200\t交通費\n"
              "'-5\t'+\t-5\t1195\t\n"
              "3*\t*\t3\t3585\t\n"
              "1/0\tERROR\t\t\t\n"
              "3*4\t'=\t12\t\t\n"
              "365 Days\t\t\t\t\n");
}

} // namespace
} // namespace sumiplex::journal
