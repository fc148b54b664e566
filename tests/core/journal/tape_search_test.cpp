// Searching tapes by amount as well as by text, and the quick test that lets a search of
// every kept tape pass over the files that cannot hold what it looks for.

#include "core/engine/engine_harness.h"
#include "core/journal/tape_summary.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace sumiplex::journal {
namespace {

using engine::testing::Calc;
using engine::testing::u16;
using engine::testing::utf8;

// The running tape's steps as a file's reader gives them back.
std::vector<JournalEntry> entriesOf(const engine::Tape& tape) {
    std::vector<JournalEntry> entries;
    for (std::size_t i = 0; i < tape.entries().size(); ++i)
        entries.push_back({tape.entries()[i], tape.firstLineOf(i), false});
    return entries;
}

std::vector<std::size_t> union_(std::vector<std::size_t> a, const std::vector<std::size_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    std::sort(a.begin(), a.end());
    a.erase(std::unique(a.begin(), a.end()), a.end());
    return a;
}

TEST(TapeSearch, AnAmountFindsEveryStepAboutItWhateverFormItWasKeyedOrShownIn) {
    Calc calc;
    calc.line("1000+");   // 0: 1,000
    calc.line("3千840+"); // 1: the amount 3840, keyed with 千
    calc.line("1000-");   // 2: the total 3,840
    calc.line("10%+");    // 3: 3,840 before, the share 384
    calc.line("1920*2");  // 4: a line result 3,840
    calc.paste("");
    calc.engine.allClear(); // 5: Total = 0
    calc.line("3840.00");   // 6: the amount 3840.00, the total 3,840
    const std::u16string_view text = calc.tape.text();
    const std::vector<JournalEntry> entries = entriesOf(calc.tape);
    struct Case {
        std::string needle;
        std::vector<std::size_t> lines;
    };
    const std::vector<Case> cases = {
        // The text of the total before a percentage finds its line too.
        {"3840", {1, 2, 3, 4, 6}},
        {"3,840", {1, 2, 3, 4, 6}},
        {"３，８４０", {1, 2, 3, 4, 6}},
        {"3840.00", {1, 2, 4, 6}},
        {"3千840", {1, 2, 4, 6}},
        {"¥3,840", {1, 2, 4, 6}},
        // "384" is in "3,840" as text, and the share of line 3 is 384.
        {"384", {2, 3, 4, 6}},
        {"-3840", {}},
        {"0", {0, 1, 2, 3, 4, 5, 6}},
        {"Total", {5}},
        {"3,841", {}},
    };
    for (const Case& c : cases) {
        const TapeNeedle needle = makeNeedle(u16(c.needle));
        EXPECT_EQ(union_(linesWithText(text, needle), linesWithValue(entries, needle)), c.lines)
            << c.needle << " in\n"
            << utf8(text);
        if (!c.lines.empty()) {
            EXPECT_TRUE(mayHold(utf8(text), needle)) << c.needle;
        }
    }
}

TEST(TapeSearch, AFileIsPassedOverOnlyWhenItCannotHoldTheNeedle) {
    struct Case {
        std::string text;
        std::string needle;
        bool may;
    };
    const std::vector<Case> cases = {
        {"      0 +3,840= 3,840\r\n", "3840", true},
        {"      0 +３，８４０= 3,840\r\n", "38", true},
        {"      0 +1,500= 1,500\r\n", "3840", false},
        {"      0 +1,500= 1,500\r\n", "1,5", true},
        {"      0 +1,500= 1,500\r\n", "0 +1", true},
        {"      0 +1,500= 1,500\r\n", "交通費", false},
        {"      0 +1,500= 1,500  交通費\r\n", "交通費", true},
        // Amounts a file can hold without their digits in a row.
        {"      1,512*10%-= 1,360.8\r\n", "151.2", true},
        {"      1,000 +3万= 31,000\r\n", "30000", true},
        {"      1 +.5= 1.5\r\n", "0.5", true},
        {"      1 +1 234= 1,235\r\n", "1234", true},
        {"      1 +1\xE2\x80\xAF"
         "234= 1,235\r\n",
         "1234", true},
        {"      0\r\n      Cash Total\r\n      10000*2= 20,000\r\n", "20000", true},
        // No amount to hide: a word is looked for by its text alone.
        {"      1,512*10%-= 1,360.8\r\n", "Back", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mayHold(c.text, makeNeedle(u16(c.needle))), c.may)
            << c.needle << " in " << c.text;
}

// A tape file as the journal writes it: each step's record, then its lines.
std::string journalOf(const engine::Tape& tape) {
    JournalEncoder encoder;
    std::string body;
    for (std::size_t i = 0; i < tape.entries().size(); ++i) {
        body += encoder.appendEntry(tape.entries()[i], i, engine::renderEntry(tape.entries()[i]),
                                    LocalTime{});
    }
    return headerLine(JournalState::Complete, body.size(), "0.1.0") + body;
}

TEST(TapeSearch, AFileOfStepRecordsIsReadOnlyWhenARecordHoldsTheAmount) {
    Calc calc;
    calc.line("2万+");  // 0: the operand 20000, keyed in words
    calc.line("1000-"); // 1: the total 19,000
    calc.line("3*4");   // 2: a line result 12
    calc.paste("");
    std::string bytes = journalOf(calc.tape);
    // A note given to the first step after its line was written.
    bytes += JournalEncoder::noteRecord(0, u"交通費");
    struct Case {
        std::string needle;
        bool may;
        std::vector<std::size_t> lines;
    };
    for (const Case& c :
         std::vector<Case>{{"20000", true, {0, 1}}, // line 1 shows it as the total before
                           {"２万", true, {0}},
                           {"19,000", true, {1}},
                           {"12", true, {2}},
                           // Words for amounts stand in the records as digits.
                           {"30000", false, {}},
                           {"18000", false, {}},
                           {"交通費", true, {0}},
                           {"交通", true, {0}},
                           {"(3*4", true, {2}},
                           {"見つからない", false, {}}}) {
        const TapeNeedle needle = makeNeedle(u16(c.needle));
        EXPECT_EQ(mayHold(bytes, needle), c.may) << c.needle;
        std::vector<std::size_t> lines;
        for (const FoundLine& found : searchTapeFile(bytes, needle))
            lines.push_back(found.line);
        EXPECT_EQ(lines, c.lines) << c.needle;
    }
    const std::vector<FoundLine> noted = searchTapeFile(bytes, makeNeedle(u"交通費"));
    ASSERT_EQ(noted.size(), 1U);
    EXPECT_EQ(utf8(noted[0].text), "0 +2万= 20,000  交通費");

    // A percentage's share stands in no record: such a file is read.
    calc.line("10%-");
    EXPECT_TRUE(mayHold(journalOf(calc.tape), makeNeedle(u"1,900.00")));
}

// The quick search (records and lines as written) against reading every step, on random
// sessions written with and without records.
TEST(TapeSearch, TheQuickSearchFindsWhatReadingEveryStepFinds) {
    std::mt19937 random(1);
    const char* const keys[] = {"1000+",   "3千840+", "2万-", "10%+", "10%-",  "3*4",     "1,234+",
                                "3840.00", "-5",      "2*",   "/4",   "12.5+", "５００＋"};
    // "100.0" and "384.0" are found by a percentage's share alone, never by text.
    const char16_t* const needles[] = {u"3840",   u"20000", u"100",      u"384",   u"12",   u"1234",
                                       u"５００", u"Total", u"3,840.00", u"100.0", u"384.0"};
    for (int run = 0; run < 60; ++run) {
        Calc calc;
        for (int n = 1 + static_cast<int>(random() % 25); n > 0; --n) {
            const std::size_t k = random() % (std::size(keys) + 2);
            if (k == std::size(keys))
                calc.engine.allClear();
            else if (k == std::size(keys) + 1)
                calc.engine.back();
            else
                calc.line(keys[k]);
            calc.paste(""); // a line result is not carried on
        }
        const std::string withRecords = journalOf(calc.tape);
        const std::string textOnly =
            headerLine(JournalState::Complete, 0, "0.1.0") + utf8(calc.tape.text());
        for (const char16_t* text : needles) {
            const TapeNeedle needle = makeNeedle(text);
            for (const std::string* bytes : {&withRecords, &textOnly}) {
                const JournalContents tape = readJournal(*bytes);
                const std::vector<std::size_t> expected =
                    union_(linesWithText(tape.text, needle), linesWithValue(tape.entries, needle));
                std::vector<std::size_t> lines;
                for (const FoundLine& found : searchTapeFile(*bytes, needle))
                    lines.push_back(found.line);
                EXPECT_EQ(lines, expected) << utf8(text) << " in\n" << utf8(calc.tape.text());
            }
        }
    }
}

TEST(TapeSummary, TheFirstAndLastTotalsComeFromTheSteps) {
    Calc calc;
    EXPECT_FALSE(tapeTotals(entriesOf(calc.tape)).last);
    calc.line("3*4"); // a line result sets no total
    EXPECT_FALSE(tapeTotals(entriesOf(calc.tape)).last);
    calc.line("+");
    calc.line("1万+");
    calc.line("5/0"); // fails: no total
    const TapeTotals totals = tapeTotals(entriesOf(calc.tape));
    EXPECT_EQ(totals.first->toPlainAscii(), "12");
    EXPECT_EQ(totals.last->toPlainAscii(), "10012");
}

TEST(TapeSummary, AFilesTotalsReadNearItsEndsAreThoseOfAllItsSteps) {
    Calc calc;
    calc.line("7+");
    for (int i = 0; i < 12'000; ++i)
        calc.line(std::to_string(i % 97 + 1) + "+");
    const auto check = [&](const char* what) {
        const std::string bytes = journalOf(calc.tape);
        ASSERT_GT(bytes.size(), 512U * 1024U) << what;
        const TapeTotals whole = tapeTotals(readJournal(bytes).entries);
        const TapeTotals ends = fileTotals(bytes);
        ASSERT_TRUE(ends.first && ends.last) << what;
        EXPECT_EQ(*ends.first, *whole.first) << what;
        EXPECT_EQ(*ends.last, *whole.last) << what;
        EXPECT_EQ(ends.first->toPlainAscii(), "7") << what;
    };
    check("steps to the end");
    // A long tool's output after the last total: its end sets none.
    std::u16string tool;
    for (int i = 0; i < 20'000; ++i)
        tool += u"      4239 Days\r\n";
    calc.tape.recordTool(tool);
    check("text at the end");
}

} // namespace
} // namespace sumiplex::journal
