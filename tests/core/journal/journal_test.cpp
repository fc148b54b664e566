#include "core/journal/journal_format.h"
#include "core/journal/tape_summary.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace {

using namespace sumiplex::journal;
using namespace std::chrono;
using sumiplex::testing::utf8;

LocalTime at(int h, int m, int s) {
    return local_days{2026y / December / 7} + hours{h} + minutes{m} + seconds{s};
}

std::string journalOf(const std::string& body, JournalState state = JournalState::Open) {
    return headerLine(state, body.size(), "0.1.0") + body;
}

TEST(JournalEncoder, WritesEachLineWhenItsEndArrivesAndReadsBackTheSameText) {
    struct Case {
        const char* name;
        std::vector<std::u16string> pieces;
        std::vector<std::size_t> bytesAfter; // pieces after which bytes came out
    };
    const std::vector<Case> cases = {
        {"one piece a line", {u"      Total = 0\r\n", u"      0 +5= 5\r\n"}, {0, 1}},
        {"line built from pieces", {u"      0 +5", u"= 5\r\n"}, {1}},
        {"CR LF split over two pieces", {u"      1,235. Back \r", u"\n"}, {1}},
        {"two lines in one piece", {u"a\r\nb\r\n"}, {0}},
        {"line starting with the mark",
         {u"\x1F"
          u"x\r\n",
          u"y\r\n"},
         {0, 1}},
        {"Japanese and a surrogate pair", {u"      消費税 8% 🍙\r\n"}, {0}},
    };
    for (const Case& c : cases) {
        JournalEncoder encoder;
        std::string body;
        std::u16string typed;
        std::vector<std::size_t> emitted;
        for (std::size_t i = 0; i < c.pieces.size(); ++i) {
            const std::string bytes = encoder.append(c.pieces[i], at(9, 30, 12));
            if (!bytes.empty())
                emitted.push_back(i);
            body += bytes;
            typed += c.pieces[i];
        }
        EXPECT_EQ(emitted, c.bytesAfter) << c.name;
        const JournalContents read = readJournal(journalOf(body));
        EXPECT_EQ(utf8(read.text), utf8(typed)) << c.name;
        EXPECT_FALSE(read.invalidText) << c.name;
        ASSERT_EQ(read.marks.size(), 1u) << c.name;
        EXPECT_EQ(read.marks[0].time, "2026-12-07 09:30:12") << c.name;
    }
}

TEST(JournalEncoder, MarksTimeOnlyWhenItChangesAndKeepsTheUnfinishedLineForExit) {
    JournalEncoder encoder;
    std::string body = encoder.append(u"a\r\n", at(9, 0, 0));
    body += encoder.append(u"b\r\n", at(9, 0, 0));
    body += encoder.append(u"c\r\n      1,000 0/", at(9, 0, 5));
    body += encoder.takeUnfinished();
    const JournalContents read = readJournal(journalOf(body, JournalState::Complete));
    EXPECT_EQ(utf8(read.text), "a\r\nb\r\nc\r\n      1,000 0/");
    ASSERT_EQ(read.marks.size(), 2u);
    EXPECT_EQ(read.marks[1].firstLine, 2u);
    EXPECT_EQ(read.marks[1].time, "2026-12-07 09:00:05");
    EXPECT_FALSE(read.truncated);
}

TEST(JournalReader, DamagedFilesAreReadAsFarAsTheyCanBe) {
    const std::string body = "\x1F"
                             "2026-12-07 09:00:00\r\n      Total = 0\r\n      0 +5= 5\r\n";
    // Up to "      0" of the second tape line.
    const std::size_t cut = headerLine(JournalState::Open, 0, "0.1.0").size() + 22 + 17 + 7;
    struct Case {
        const char* name;
        std::string bytes;
        bool isJournal, truncated, invalidText;
        JournalState state;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"intact", journalOf(body, JournalState::Complete), true, false, false,
         JournalState::Complete, "      Total = 0\r\n      0 +5= 5\r\n"},
        {"cut inside a line after its close",
         journalOf(body, JournalState::Complete).substr(0, cut), true, true, false,
         JournalState::Complete, "      Total = 0\r\n      0"},
        {"unfinished run cut mid-line is no truncation", journalOf(body).substr(0, cut), true,
         false, false, JournalState::Open, "      Total = 0\r\n      0"},
        {"invalid UTF-8 in a line",
         journalOf("  \xFF\xC3(\r\n  \xE3\x81\r\n", JournalState::Recovered), true, false, true,
         JournalState::Recovered, "  \xEF\xBF\xBD\xEF\xBF\xBD(\r\n  \xEF\xBF\xBD\r\n"},
        {"overlong and surrogate forms", journalOf("\xC0\xAF\xED\xA0\x80"), true, false, true,
         JournalState::Open, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"not a journal at all",
         "hello\r\n\x1F"
         "2026\r\n",
         false, false, false, JournalState::Open,
         "hello\r\n\x1F"
         "2026\r\n"},
        {"header with an unknown state", "#SUMIPLEX-TAPE 1 broken   0000000000000000 0.1.0\r\nx",
         false, false, false, JournalState::Open,
         "#SUMIPLEX-TAPE 1 broken   0000000000000000 0.1.0\r\nx"},
        {"empty file", "", false, false, false, JournalState::Open, ""},
    };
    for (const Case& c : cases) {
        const JournalContents read = readJournal(c.bytes);
        EXPECT_EQ(read.isJournal, c.isJournal) << c.name;
        EXPECT_EQ(read.truncated, c.truncated) << c.name;
        EXPECT_EQ(read.invalidText, c.invalidText) << c.name;
        EXPECT_EQ(read.state, c.state) << c.name;
        EXPECT_EQ(utf8(read.text), c.text) << c.name;
        // The index a long tape is shown through reads the same lines.
        const TapeIndex index = indexJournal(c.bytes);
        std::u16string joined;
        for (std::size_t i = 0; i < index.lineCount(); ++i)
            joined += lineAt(c.bytes, index, i);
        EXPECT_EQ(utf8(joined), c.text) << c.name;
        EXPECT_EQ(utf8(lastTotal(c.bytes, index)), utf8(lastTotal(read.text))) << c.name;
    }
}

TEST(JournalHeader, StateFieldsOverwriteInPlaceWithoutChangingTheHeaderLength) {
    const std::string open = headerLine(JournalState::Open, 0, "0.1.0");
    for (JournalState state : {JournalState::Complete, JournalState::Recovered}) {
        std::string closed = open;
        const std::string fields = stateFields(state, 123456);
        closed.replace(kStateOffset, fields.size(), fields);
        EXPECT_EQ(closed, headerLine(state, 123456, "0.1.0"));
        const auto header = readHeader(closed);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->state, state);
        EXPECT_EQ(header->bodyLength, 123456u);
        EXPECT_EQ(header->version, "0.1.0");
    }
}

TEST(JournalFileName, NamesRunsByTheirStartAndRejectsOtherNames) {
    EXPECT_EQ(fileNameFor(at(9, 30, 12)), "2026-12-07_093012.tape");
    struct Case {
        const char* name;
        bool valid;
    };
    for (const Case& c : std::vector<Case>{{"2026-12-07_093012.tape", true},
                                           {"2026-12-07_093012-2.tape", true},
                                           {"2026-02-30_093012.tape", false},
                                           {"2026-12-07_246012.tape", false},
                                           {"2026-12-07_093012.txt", false},
                                           {"2026-12-07_093012-x.tape", false},
                                           {"notes.tape", false}}) {
        const auto start = startFromFileName(c.name);
        EXPECT_EQ(start.has_value(), c.valid) << c.name;
        if (c.valid) {
            EXPECT_EQ(*start, at(9, 30, 12)) << c.name;
        }
    }
}

TEST(TapeSteps, EachKindOfTapeLineGivesItsExactAmountAndTotal) {
    struct Case {
        std::u16string line;
        std::string input, operation, amount, total;
    };
    const std::vector<Case> cases = {
        // Steps on the total: the operand as the calculator reads it.
        {u"      0 +3億2500万= 325,000,000", "+3億2500万", "+", "325000000", "325000000"},
        {u"      325,000,000 +1万5千= 325,015,000", "+1万5千", "+", "15000", "325015000"},
        {u"      325,000,000  -1万5千= 324,985,000", "-1万5千", "-", "15000", "324985000"},
        {u"      0 +１２万３４５６= 123,456", "+１２万３４５６", "+", "123456", "123456"},
        {u"      1,000 +1,200= 2,200", "+1,200", "+", "1200", "2200"},
        {u"      1,000+5= 1,005", "+5", "+", "5", "1005"},
        {u"      1,000 -500= 500", "-500", "+", "-500", "500"},
        {u"      0 0= 0", "0", "+", "0", "0"},
        {u"      -1,000 +2000.5= 1,000.5", "+2000.5", "+", "2000.5", "1000.5"},
        {u"      1,000 3*= 3,000", "3*", "*", "3", "3000"},
        {u"      1,000 /4= 250", "/4", "/", "4", "250"},
        {u"      -2 2^= -4", "2^", "^", "2", "-4"},
        {u"      -1,234.5678 *-1= 1,234.5678", "*-1", "*", "-1", "1234.5678"},
        {u"      0 +79228162514264337593543950335= 79,228,162,514,264,337,593,543,950,335",
         "+79228162514264337593543950335", "+", "79228162514264337593543950335",
         "79228162514264337593543950335"},
        // Percent of the total: the share added, taken off, or become the total.
        {u"      1,000*10%+= 1,100", "*10%+", "%+", "100", "1100"},
        {u"      1,512*10%-= 1,360.8", "*10%-", "%-", "151.2", "1360.8"},
        {u"      1,000/10%-= 900", "/10%-", "%-", "100", "900"},
        {u"      1,000/10%= 10,000", "/10%", "%", "10000", "10000"},
        // Line results, percent of a line and tally lines leave the total alone.
        {u"      (3*4= 12)", "3*4", "=", "12", ""},
        {u"      (2.5万*2= 50,000)", "2.5万*2", "=", "50000", ""},
        {u"      (200*10%-  =180)", "200*10%-", "=", "180", ""},
        {u"      10000*3= 30,000", "10000*3", "=", "30000", ""},
        {u"      10*0.25= 2.5", "10*0.25", "=", "2.5", ""},
        // Failures keep what was tried.
        {u"      (200/0% =", "200/0%", "ERROR", "", ""},
        {u"      1,000/0%", "/0%", "ERROR", "", ""},
        {u"      (10/0= ERROR", "10/0", "ERROR", "", ""},
        {u"      1,000 0/ERROR", "0/", "ERROR", "", ""},
        {u"      1,000 +abcERROR", "+abc", "ERROR", "", ""},
        {u"      5000*x= ERROR", "5000*x", "ERROR", "", ""},
        {u"ERROR", "ERROR", "ERROR", "", ""},
        // Rounding, undo and conversion of the total: the total before, then after.
        {u"      1,234.5678  Round-Off 1,235.", "1,234.5678  Round-Off 1,235.", "Round-Off",
         "1234.5678", "1235"},
        {u"      -1,234. Back -1,234.5678", "-1,234. Back -1,234.5678", "Back", "-1234",
         "-1234.5678"},
        {u"      100. >JPY  8,000.", "100. >JPY  8,000.", ">JPY", "100", "8000"},
        // Totals shown again or set.
        {u"      Back 250", "Back 250", "Back", "", "250"},
        {u"      back 1,234.5", "back 1,234.5", "Back", "", "1234.5"},
        {u"      Forward12.5", "Forward12.5", "Forward", "", "12.5"},
        {u"      Total = 0", "Total = 0", "AC", "", "0"},
        {u"      Total    1,500", "Total    1,500", "Total", "", "1500"},
        {u"      0", "0", "", "", "0"},
        {u"      Cash Total", "Cash Total", "Cash Total", "", ""},
        {u"      Total  30,007.5", "Total  30,007.5", "Total", "", "30007.5"},
        // Lines copied from the tax and currency lines: the amount they show.
        {u"      Tax +   1,100   (  100", "Tax +   1,100   (  100", "Tax +", "1100", ""},
        {u"      Tax  -   1,000.5      0", "Tax  -   1,000.5      0", "Tax -", "1000.5", ""},
        {u"      JPY    8,000", "JPY    8,000", "JPY", "8000", ""},
        {u"      USD    1.25", "USD    1.25", "USD", "1.25", ""},
        {u"      1 USD   JPY   80.00", "1 USD   JPY   80.00", "1 USD", "80", ""},
        {u"      1 JPY   USD   0.0125", "1 JPY   USD   0.0125", "1 JPY", "0.0125", ""},
        // Lines of the tools and of other writers are text; a formula is never run.
        {u"      10%対象(税込)　3,190円　内消費税　290円",
         "10%対象(税込)　3,190円　内消費税　290円", "", "", ""},
        {u"      1. fl oz      0.00625 British gallon", "1. fl oz      0.00625 British gallon", "",
         "", ""},
        {u"      4239 Days", "4239 Days", "", "", ""},
        {u"=HYPERLINK(\"http://x\")", "=HYPERLINK(\"http://x\")", "", "", ""},
        {u"@SUM(A1)", "@SUM(A1)", "", "", ""},
        {u"\tx", "\tx", "", "", ""},
        {u"＝1+1", "＝1+1", "", "", ""},
    };
    for (const Case& c : cases) {
        const TapeStep step = parseStep(c.line + u"\r\n");
        EXPECT_EQ(utf8(step.input), c.input) << utf8(c.line);
        EXPECT_EQ(utf8(step.operation), c.operation) << utf8(c.line);
        EXPECT_EQ(utf8(step.amount), c.amount) << utf8(c.line);
        EXPECT_EQ(utf8(step.total), c.total) << utf8(c.line);
    }
}

TEST(TapeSteps, TheAmountOfALineIsTheTotalAfterItElseItsOwnValue) {
    struct Case {
        std::u16string line;
        std::string amount;
    };
    for (const Case& c : std::vector<Case>{{u"      1,000 +1万5千= 16,000\r\n", "16000"},
                                           {u"      (3*4= 12)\r\n", "12"},
                                           {u"      10000*3= 30,000\r\n", "30000"},
                                           {u"      100. >JPY  8,000.\r\n", "8000"},
                                           {u"      Tax +   1,100   (  100\r\n", "1100"},
                                           {u"      Cash Total\r\n", ""},
                                           {u"      (200/0% =\r\n", ""}}) {
        EXPECT_EQ(utf8(amountOfLine(c.line)), c.amount) << utf8(c.line);
    }
}

TEST(TapeSummary, CountsLinesAndFindsTheLastTotalShown) {
    struct Case {
        std::u16string text;
        std::size_t lines;
        std::string total;
    };
    const std::vector<Case> cases = {
        {u"", 0, ""},
        {u"      Total = 0\r\n", 1, "0"},
        {u"      0 +1,500= 1,500\r\n      (3*4= 12)\r\n      1,500 0/ERROR\r\n", 3, "1,500"},
        {u"      0 +5= 5\r\n      5 +", 2, "5"},
        {u"      Back 250\r\n", 1, "250"},
        {u"hello\r\nworld", 2, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(countLines(c.text), c.lines) << utf8(c.text);
        EXPECT_EQ(utf8(lastTotal(c.text)), c.total) << utf8(c.text);
    }
}

TEST(TapeSearch, MatchesFullAndHalfWidthAndAnyGroupingAlikeAndWrapsRound) {
    const std::u16string text =
        u"      0 +１,５００= 1,500\r\n      (3*4= 12)\r\n      3,730 +110= 3,840\r\n";
    struct Case {
        std::u16string needle;
        std::size_t from;
        std::optional<TapeMatch> match;
    };
    for (const Case& c : std::vector<Case>{{u"1,500", 0, TapeMatch{9, 5}},
                                           {u"１,５００", 10, TapeMatch{16, 5}},
                                           {u"1,500", 20, TapeMatch{9, 5}},
                                           {u"３＊４", 0, TapeMatch{30, 3}},
                                           {u"3840", 0, TapeMatch{58, 5}},
                                           {u"3,840", 0, TapeMatch{58, 5}},
                                           {u"３，８４０", 0, TapeMatch{58, 5}},
                                           {u"38,40", 0, TapeMatch{58, 5}},
                                           {u"1500", 0, TapeMatch{9, 5}},
                                           {u"384", 0, TapeMatch{58, 4}},
                                           {u"3840", 60, TapeMatch{58, 5}},
                                           {u"3,7301", 0, std::nullopt},
                                           {u",", 0, std::nullopt},
                                           {u"9", 0, std::nullopt},
                                           {u"", 0, std::nullopt}}) {
        EXPECT_EQ(findInTape(text, c.needle, c.from), c.match) << utf8(c.needle);
    }
}

TEST(JournalReader, LinesEndAtCrLfLfOrALoneCr) {
    struct Case {
        const char* name;
        std::string body;
        std::vector<std::string> lines; // as lineAt gives them
    };
    const std::vector<Case> cases = {
        {"CR LF", "a\r\nb\r\n", {"a\r\n", "b\r\n"}},
        {"LF only", "a\nb", {"a\n", "b"}},
        {"CR only reads as CR LF", "a\rb\r", {"a\r\n", "b\r\n"}},
        {"mixed, CR CR is two ends", "a\r\rb\n\r\nc", {"a\r\n", "\r\n", "b\n", "\r\n", "c"}},
        {"LF CR is two ends", "a\n\rb", {"a\n", "\r\n", "b"}},
        {"time mark ended by a lone CR",
         "\x1F"
         "2026-12-07 09:00:00\rx\r",
         {"x\r\n"}},
    };
    for (const Case& c : cases) {
        const std::string bytes = journalOf(c.body);
        const TapeIndex index = indexJournal(bytes);
        std::vector<std::string> lines;
        std::string text;
        for (std::size_t i = 0; i < index.lineCount(); ++i) {
            lines.push_back(utf8(lineAt(bytes, index, i)));
            text += lines.back();
        }
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(utf8(readJournal(bytes).text), text) << c.name;
    }
}

TEST(JournalEncoder, NoLineBreakInsideALineReachesTheFile) {
    JournalEncoder encoder;
    std::string body = encoder.append(u"      1\r2\u2028"
                                      u"3\v= 6\r\n",
                                      at(9, 0, 0));
    body += encoder.append(u"tail\rend", at(9, 0, 0));
    body += encoder.takeUnfinished();
    const JournalContents read = readJournal(journalOf(body));
    EXPECT_EQ(utf8(read.text), "      1 2 3 = 6\r\ntail end");
    EXPECT_EQ(utf8(tapeLines(u"a\rb\nc\r\nd\u2029e")), "a\r\nb\r\nc\r\nd e");
}

TEST(JournalReader, ShowsTheHeadOfALongLineOnWholeCharacters) {
    const std::string bytes = journalOf("ab\xE3\x81\x82\xE3\x81\x84\r\n"); // abあい
    const TapeIndex index = indexJournal(bytes);
    EXPECT_EQ(utf8(lineHeadAt(bytes, index, 0, 3)), "ab");
    EXPECT_EQ(utf8(lineHeadAt(bytes, index, 0, 4)), "ab");
    EXPECT_EQ(utf8(lineHeadAt(bytes, index, 0, 5)), "ab\xE3\x81\x82");
    EXPECT_EQ(utf8(lineHeadAt(bytes, index, 0, 100)), "ab\xE3\x81\x82\xE3\x81\x84\r\n");
}

} // namespace
