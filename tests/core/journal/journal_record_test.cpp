#include "core/journal/journal_format.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace sumiplex::journal;
using namespace std::chrono;
using sumiplex::Decimal;
using sumiplex::engine::EntryKind;
using sumiplex::engine::PercentEnd;
using sumiplex::engine::renderEntry;
using sumiplex::engine::RoundMode;
using sumiplex::engine::TapeEntry;
using sumiplex::testing::utf8;

const LocalTime kNine = local_days{2026y / December / 7} + hours{9};

std::optional<Decimal> dec(const char* plain) {
    return Decimal::parse(std::string_view(plain));
}

struct Fields {
    EntryKind kind;
    char16_t op = 0;
    std::u16string input = {};
    std::u16string shown = {};
    const char* operand = nullptr;
    const char* before = nullptr;
    const char* value = nullptr;
    std::u16string note = {};
    bool failed = false;
    bool follows = false;
    PercentEnd end = PercentEnd::Share;
    RoundMode mode = RoundMode::Down;
};

TapeEntry entryOf(const Fields& f) {
    TapeEntry e;
    e.kind = f.kind;
    e.op = f.op;
    e.input = f.input;
    e.shown = f.shown;
    e.operand = f.operand ? dec(f.operand) : std::nullopt;
    e.before = f.before ? dec(f.before) : std::nullopt;
    e.value = f.value ? dec(f.value) : std::nullopt;
    e.note = f.note;
    e.failed = f.failed;
    e.follows = f.follows;
    e.end = f.end;
    e.mode = f.mode;
    return e;
}

std::string amount(const std::optional<Decimal>& d) {
    return d ? d->toPlainAscii() : "none";
}

// Every field, so a failing comparison shows which one differs.
std::string describe(const TapeEntry& e) {
    return std::to_string(static_cast<int>(e.kind)) + " op=" + std::to_string(e.op) +
           " failed=" + std::to_string(e.failed) + " follows=" + std::to_string(e.follows) +
           " end=" + std::to_string(static_cast<int>(e.end)) +
           " mode=" + std::to_string(static_cast<int>(e.mode)) + " input=" + utf8(e.input) +
           " shown=" + utf8(e.shown) + " operand=" + amount(e.operand) +
           " before=" + amount(e.before) + " value=" + amount(e.value) + " note=" + utf8(e.note) +
           " time=" + std::to_string(e.time);
}

std::string journalOf(const std::string& body) {
    return headerLine(JournalState::Complete, body.size(), "0.2.0") + body;
}

// The steps written as the running program writes them, one appendEntry a step.
std::string writeSteps(const std::vector<TapeEntry>& entries, std::u16string* text = nullptr) {
    JournalEncoder encoder;
    std::string body;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::u16string piece = renderEntry(entries[i]);
        body += encoder.appendEntry(entries[i], i, piece, kNine);
        if (text)
            *text += piece;
    }
    body += encoder.takeUnfinished();
    return body;
}

const std::vector<Fields>& everyKind() {
    static const std::vector<Fields> fields = {
        {EntryKind::OnTotal, u'+', u"1万+", u"1万", "10000", "500", "10500"},
        {EntryKind::OnTotal, u'-', u"500-", u"500", "500", "79228162514264337593543950335",
         "79228162514264337593543950334"},
        {EntryKind::OnTotal, u'/', u"0/", u"0/", "0", "1000", nullptr, {}, true},
        {EntryKind::Number, u'+', u"-500", u"-500", "-500", "1000", "500"},
        {EntryKind::PercentOfTotal,
         u'/',
         u"/10%-",
         u"/10%-",
         nullptr,
         "1000",
         "900",
         {},
         false,
         false,
         PercentEnd::TakeOff},
        {EntryKind::PercentOfTotal, u'*', u"*0%", u"*0%", nullptr, "1000", nullptr, {}, true},
        {EntryKind::LineResult, 0, u"3*4", u"3*4", nullptr, nullptr, "12", u"交通費"},
        {EntryKind::LineResult, 0, u"10/0", u"10/0", nullptr, nullptr, nullptr, {}, true},
        {EntryKind::PercentOfLine,
         u'*',
         u"200*10%-",
         u"200*10%-",
         nullptr,
         nullptr,
         "180",
         {},
         false,
         false,
         PercentEnd::TakeOff},
        {EntryKind::AllClear, 0, {}, {}, nullptr, nullptr, "0"},
        {EntryKind::Back, 0, {}, {}, nullptr, nullptr, "1234.5"},
        {EntryKind::Forward, 0, {}, {}, nullptr, nullptr, "12.5", u"伝票No.123"},
        {EntryKind::Rounding,
         0,
         u"0",
         {},
         nullptr,
         "-0.0000000000000000000000000001",
         "0",
         {},
         false,
         false,
         PercentEnd::Share,
         RoundMode::HalfAwayFromZero},
        {EntryKind::Rounding,
         0,
         u"２",
         {},
         nullptr,
         "1234.5678",
         "1234.6",
         {},
         false,
         false,
         PercentEnd::Share,
         RoundMode::Up},
        {EntryKind::RoundingUndo, 0, {}, {}, nullptr, "1235", "1234.5678"},
        {EntryKind::TaxLine, u'-', u"Tax", u"Tax  -   1,000.5      0", nullptr, nullptr, "1000.5"},
        {EntryKind::TotalReEntry, 0, u"Total    1,500", {}, nullptr, nullptr, "1500"},
        {EntryKind::TotalReEntry, 0, u"Total    x", {}, nullptr, nullptr, nullptr, {}, true},
        {EntryKind::Conversion, u'¥', u"80", u"JPY    8,000"},
        {EntryKind::ConvertedReEntry, u'$', u"USD    1.25", {}, nullptr, "100", "1.25"},
        {EntryKind::DaysWord, 0, u"Days 2026/1/1-2026/12/31", {}},
        {EntryKind::CashTallyStart, 0, {}, {}, nullptr, nullptr, "0", u"金庫"},
        {EntryKind::CashTallyStep, 0, u"10000*3", u"      10000*3= 30,000\r\n", "3", nullptr,
         "30000"},
        {EntryKind::CashTallyStep,
         0,
         u"5000*x",
         u"      5000*x= ERROR\r\n",
         nullptr,
         nullptr,
         nullptr,
         {},
         true,
         true},
        {EntryKind::CashTallyEnd,
         0,
         {},
         u"      Total  30,000\r\n",
         nullptr,
         nullptr,
         "30000",
         u"a\\b \\t \\u0041",
         false,
         true},
        {EntryKind::Tool, 0, {}, u"      4239 Days\r\n"},
        // Text that would end a record's line or its fields, or pass for a mark or a record.
        {EntryKind::Tool, 0, u"a\tb\\c\r\n\x1E\x1F\u2028\x85\xD800 🍙",
         u"\x1E"
         u"E2\tnot a record\r\n\x1F"
         u"2026-12-07 09:00:00\r\n\ttab\\n\r\n"},
        {EntryKind::OnTotal,
         u'*',
         u"7922816251426433759354395033.5*",
         u"7922816251426433759354395033.5*",
         "7922816251426433759354395033.5",
         "1",
         "7922816251426433759354395033.5",
         {},
         false,
         true},
    };
    return fields;
}

TEST(JournalRecord, EveryKindOfStepReadsBackWithItsTextAndLine) {
    std::vector<TapeEntry> entries;
    for (const Fields& f : everyKind())
        entries.push_back(entryOf(f));
    std::u16string text;
    const JournalContents read = readJournal(journalOf(writeSteps(entries, &text)));
    EXPECT_EQ(utf8(read.text), utf8(text));
    ASSERT_EQ(read.entries.size(), entries.size());
    const std::int64_t nine = kNine.time_since_epoch().count();
    std::size_t line = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        TapeEntry expected = entries[i];
        expected.time = nine;
        EXPECT_EQ(describe(read.entries[i].entry), describe(expected)) << i;
        EXPECT_EQ(read.entries[i].firstLine, line) << i;
        EXPECT_FALSE(read.entries[i].recovered) << i;
        const std::u16string piece = renderEntry(entries[i]);
        line += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), u'\n'));
    }
    // The viewer's index sees the same tape lines, none of the records.
    const std::string bytes = journalOf(writeSteps(entries));
    const TapeIndex index = indexJournal(bytes);
    ASSERT_EQ(index.lineCount(), line);
    std::u16string joined;
    for (std::size_t i = 0; i < index.lineCount(); ++i)
        joined += lineAt(bytes, index, i);
    EXPECT_EQ(utf8(joined), utf8(text));
    ASSERT_EQ(index.marks.size(), 1u);
    EXPECT_EQ(index.marks[0].firstLine, 0u);
}

TEST(JournalRecord, EachStepIsOneWriteHoldingItsRecordAndTheLinesItCompletes) {
    JournalEncoder encoder;
    const TapeEntry ac = entryOf({EntryKind::AllClear, 0, {}, {}, nullptr, nullptr, "0"});
    TapeEntry before = entryOf({EntryKind::Tool});
    before.shown = u"      1. fl oz";
    TapeEntry after = entryOf({EntryKind::Tool});
    after.shown = u"      0.00625 British gallon\r\n";
    struct Step {
        const TapeEntry& entry;
        LocalTime time;
        std::size_t records, marks, lines;
    };
    const std::vector<Step> steps = {
        {ac, kNine, 1, 1, 1},
        {ac, kNine, 1, 0, 1},
        // A piece that leaves its line unfinished is written as its record alone.
        {before, kNine + seconds{1}, 1, 0, 0},
        {after, kNine + seconds{2}, 1, 1, 1},
    };
    std::size_t seq = 0;
    for (const Step& s : steps) {
        const std::string bytes = encoder.appendEntry(s.entry, seq++, renderEntry(s.entry), s.time);
        std::size_t records = 0, marks = 0, lines = 0;
        for (std::size_t at = 0; at < bytes.size(); at = bytes.find('\n', at) + 1) {
            const char first = bytes[at];
            (first == kRecord ? records : first == kMark ? marks : lines) += 1;
        }
        EXPECT_EQ(records, s.records) << seq;
        EXPECT_EQ(marks, s.marks) << seq;
        EXPECT_EQ(lines, s.lines) << seq;
        EXPECT_TRUE(bytes.ends_with("\r\n")) << seq;
    }
}

// Lines of an entry record, "E2" TAB …, between the steps of a good file.
std::string bodyWith(const std::string& damaged) {
    const TapeEntry ac = entryOf({EntryKind::AllClear, 0, {}, {}, nullptr, nullptr, "0"});
    const TapeEntry add =
        entryOf({EntryKind::OnTotal, u'+', u"1,000+", u"1,000", "1000", "0", "1000"});
    JournalEncoder encoder;
    std::string body = encoder.appendEntry(ac, 0, renderEntry(ac), kNine);
    body += damaged;
    body += "      0 +5= 5\r\n";
    body += encoder.appendEntry(add, 2, renderEntry(add), kNine);
    return body;
}

TEST(JournalRecord, ADamagedRecordHidesNoLineAndItsStepIsReadFromItsText) {
    const std::string good =
        entryRecord(entryOf({EntryKind::Number, u'+', u"5", u"5", "5", "0", "5"}), 1);
    const std::string fields = good.substr(1, good.size() - 3);
    struct Case {
        const char* name;
        std::string record;
        bool readable;
    };
    const std::vector<Case> cases = {
        {"intact", good, true},
        {"cut", good.substr(0, 20) + "\r\n", false},
        {"a field too many", "\x1E" + fields + "\tx\r\n", false},
        {"a field too few", "\x1E" + fields.substr(0, fields.rfind('\t')) + "\r\n", false},
        {"bad amount",
         "\x1E"
         "E2\t1\tnumber\t-\t+\tshare\tdown\t5\t5\t5\t0\t5,0\t\r\n",
         false},
        {"bad kind",
         "\x1E"
         "E2\t1\tsum\t-\t+\tshare\tdown\t5\t5\t5\t0\t5\t\r\n",
         false},
        {"bad escape",
         "\x1E"
         "E2\t1\tnumber\t-\t+\tshare\tdown\t5\\q\t5\t5\t0\t5\t\r\n",
         false},
        {"invalid UTF-8",
         "\x1E"
         "E2\t1\tnumber\t-\t+\tshare\tdown\t\xFF\t5\t5\t0\t5\t\r\n",
         false},
        {"unknown version",
         "\x1E"
         "E9\t1\twhatever comes\r\n",
         false},
    };
    for (const Case& c : cases) {
        const JournalContents read = readJournal(journalOf(bodyWith(c.record)));
        EXPECT_EQ(utf8(read.text), "      Total = 0\r\n      0 +5= 5\r\n      0 +1,000= 1,000\r\n")
            << c.name;
        ASSERT_EQ(read.entries.size(), 3u) << c.name;
        const JournalEntry& middle = read.entries[1];
        EXPECT_EQ(middle.recovered, !c.readable) << c.name;
        EXPECT_EQ(middle.firstLine, 1u) << c.name;
        EXPECT_EQ(middle.entry.kind, c.readable ? EntryKind::Number : EntryKind::OnTotal) << c.name;
        EXPECT_EQ(amount(middle.entry.operand), "5") << c.name;
        EXPECT_EQ(amount(middle.entry.value), "5") << c.name;
        EXPECT_EQ(middle.entry.time, kNine.time_since_epoch().count()) << c.name;
        EXPECT_EQ(read.entries[2].firstLine, 2u) << c.name;
        EXPECT_FALSE(read.entries[2].recovered) << c.name;
    }
}

TEST(JournalRecord, RecordsOfAKindNotKnownAreSkippedAndLinesThatOnlyLookLikeOnesShow) {
    const std::string body = "\x1EZ7\tfuture\r\n"
                             "\x1E"
                             "lower case is text\r\n"
                             "\x1F\x1E"
                             "E2 kept as text\r\n";
    const JournalContents read = readJournal(journalOf(body));
    EXPECT_EQ(utf8(read.text), "\x1E"
                               "lower case is text\r\n\x1E"
                               "E2 kept as text\r\n");
    EXPECT_TRUE(read.entries.empty());
    EXPECT_EQ(indexJournal(journalOf(body)).lineCount(), 2u);
}

TEST(JournalRecord, ANoteRecordGivesItsEntryTheNoteAndItsLastLineTheNoteText) {
    std::vector<TapeEntry> entries = {
        entryOf({EntryKind::AllClear, 0, {}, {}, nullptr, nullptr, "0"}),
        entryOf({EntryKind::CashTallyStart, 0, {}, {}, nullptr, nullptr, "0", u"前の摘要"}),
        entryOf({EntryKind::OnTotal, u'+', u"1,000+", u"1,000", "1000", "0", "1000"}),
        entryOf({EntryKind::Tool, 0, {}, u"      4239 Days\r\n"}),
    };
    JournalEncoder encoder;
    std::string body;
    for (std::size_t i = 0; i < entries.size(); ++i)
        body += encoder.appendEntry(entries[i], i, renderEntry(entries[i]), kNine);
    body += JournalEncoder::noteRecord(2, u"交通費");
    body += JournalEncoder::noteRecord(2, u"伝票No.123\t\\");
    body += JournalEncoder::noteRecord(1, u"");
    body += JournalEncoder::noteRecord(0, u"AC");
    body += JournalEncoder::noteRecord(9, u"no such step here");
    entries[0].note = u"AC";
    entries[1].note.clear();
    entries[2].note = u"伝票No.123 \\"; // a note is kept on one line
    const JournalContents read = readJournal(journalOf(body));
    std::u16string expected;
    for (const TapeEntry& e : entries)
        expected += renderEntry(e);
    EXPECT_EQ(utf8(read.text), utf8(expected));
    ASSERT_EQ(read.entries.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(utf8(read.entries[i].entry.note), utf8(entries[i].note)) << i;
}

struct Recovered {
    std::u16string line;
    EntryKind kind;
    char16_t op;
    const char* operand;
    const char* before;
    const char* value;
    bool failed = false;
};

TEST(JournalRecover, AnOldTapeLineGivesTheStepItShows) {
    const std::vector<Recovered> cases = {
        {u"      0 +3億2500万= 325,000,000", EntryKind::OnTotal, u'+', "325000000", "0",
         "325000000"},
        {u"      325,000,000  -1万5千= 324,985,000", EntryKind::OnTotal, u'-', "15000", "325000000",
         "324985000"},
        {u"      1,000+5= 1,005", EntryKind::Number, u'+', "5", "1000", "1005"},
        {u"      1,000 -500= 500", EntryKind::Number, u'+', "-500", "1000", "500"},
        {u"      1,000 3*= 3,000", EntryKind::OnTotal, u'*', "3", "1000", "3000"},
        {u"      -2 2^= -4", EntryKind::OnTotal, u'^', "2", "-2", "-4"},
        {u"      1,512*10%-= 1,360.8", EntryKind::PercentOfTotal, u'*', nullptr, "1512", "1360.8"},
        {u"      1,000/10%= 10,000", EntryKind::PercentOfTotal, u'/', nullptr, "1000", "10000"},
        {u"      (2.5万*2= 50,000)", EntryKind::LineResult, 0, nullptr, nullptr, "50000"},
        {u"      (200*10%-  =180)", EntryKind::PercentOfLine, u'*', nullptr, nullptr, "180"},
        {u"      10000*3= 30,000", EntryKind::CashTallyStep, 0, "3", nullptr, nullptr},
        {u"      (10/0= ERROR", EntryKind::LineResult, 0, nullptr, nullptr, nullptr, true},
        {u"      (200/0% =", EntryKind::PercentOfLine, u'/', nullptr, nullptr, nullptr, true},
        {u"      1,000/0%", EntryKind::PercentOfTotal, u'/', nullptr, "1000", nullptr, true},
        {u"      1,000 0/ERROR", EntryKind::OnTotal, u'/', nullptr, "1000", nullptr, true},
        {u"      5000*x= ERROR", EntryKind::CashTallyStep, 0, nullptr, nullptr, nullptr, true},
        {u"ERROR", EntryKind::TotalReEntry, 0, nullptr, nullptr, nullptr, true},
        {u"      1,234.5678  Round-Off 1,235.", EntryKind::Rounding, 0, nullptr, "1234.5678",
         "1235"},
        {u"      -1,234. Back -1,234.5678", EntryKind::RoundingUndo, 0, nullptr, "-1234",
         "-1234.5678"},
        {u"      100. >JPY  8,000.", EntryKind::ConvertedReEntry, u'¥', nullptr, "100", "8000"},
        {u"      back 1,234.5", EntryKind::Back, 0, nullptr, nullptr, "1234.5"},
        {u"      Forward12.5", EntryKind::Forward, 0, nullptr, nullptr, "12.5"},
        {u"      Total = 0", EntryKind::AllClear, 0, nullptr, nullptr, "0"},
        {u"      Total    1,500", EntryKind::TotalReEntry, 0, nullptr, nullptr, "1500"},
        {u"      Total  30,007.5", EntryKind::CashTallyEnd, 0, nullptr, nullptr, "30007.5"},
        {u"      Tax  -   1,000.5      0", EntryKind::TaxLine, u'-', nullptr, nullptr, "1000.5"},
        {u"      USD    1.25", EntryKind::Conversion, u'$', nullptr, nullptr, "1.25"},
    };
    for (const Recovered& c : cases) {
        const std::vector<JournalEntry> got = recoverEntries(c.line + u"\r\n");
        ASSERT_EQ(got.size(), 1u) << utf8(c.line);
        const TapeEntry& e = got[0].entry;
        EXPECT_TRUE(got[0].recovered);
        EXPECT_EQ(e.kind, c.kind) << utf8(c.line);
        EXPECT_EQ(e.op, c.op) << utf8(c.line);
        EXPECT_EQ(e.failed, c.failed) << utf8(c.line);
        EXPECT_EQ(amount(e.operand), c.operand ? c.operand : "none") << utf8(c.line);
        EXPECT_EQ(amount(e.before), c.before ? c.before : "none") << utf8(c.line);
        EXPECT_EQ(amount(e.value), c.value ? c.value : "none") << utf8(c.line);
    }
}

TEST(JournalRecover, AnOldFileLoadsAsBeforeWithItsStepsTimedByTheirMarks) {
    const std::string body = "\x1F"
                             "2026-12-07 09:00:00\r\n      Total = 0\r\n"
                             "      10%対象(税込)　3,190円　内消費税　290円\r\n"
                             "\x1F"
                             "2026-12-07 09:00:05\r\n      0\r\n      Cash Total\r\n"
                             "      10000*3= 30,000\r\n";
    const JournalContents read = readJournal(journalOf(body));
    EXPECT_EQ(utf8(read.text),
              "      Total = 0\r\n      10%対象(税込)　3,190円　内消費税　290円\r\n"
              "      0\r\n      Cash Total\r\n      10000*3= 30,000\r\n");
    ASSERT_EQ(read.entries.size(), 3u);
    const std::int64_t nine = kNine.time_since_epoch().count();
    struct Want {
        EntryKind kind;
        std::size_t firstLine;
        std::int64_t time;
    };
    const std::vector<Want> want = {{EntryKind::AllClear, 0, nine},
                                    {EntryKind::CashTallyStart, 2, nine + 5},
                                    {EntryKind::CashTallyStep, 4, nine + 5}};
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(read.entries[i].entry.kind, want[i].kind) << i;
        EXPECT_EQ(read.entries[i].firstLine, want[i].firstLine) << i;
        EXPECT_EQ(read.entries[i].entry.time, want[i].time) << i;
        EXPECT_TRUE(read.entries[i].recovered) << i;
    }
}

} // namespace
