#include "core/journal/retention.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <vector>

namespace {

using namespace sumiplex::journal;
using namespace std::chrono;
using sumiplex::testing::utf8;

LocalTime on(year_month_day date, int h = 12) {
    return local_days{date} + hours{h};
}

TEST(TapeRetention, OnlyAWholeNumberOfDaysWithinACenturyRemovesTapes) {
    const std::vector<std::pair<std::u16string, std::optional<int>>> cases = {
        {u"400", 400}, {u" 30\t", 30}, {u"1", 1},      {u"36525", 36525},
        {u"0", {}},    {u"-1", {}},    {u"36526", {}}, {u"999999999999", {}},
        {u"abc", {}},  {u"", {}},      {u"  ", {}},    {u"1.5", {}},
        {u"+5", {}},   {u"３０", {}},  {u"30日", {}},  {u"99999999999999999999999", {}},
    };
    for (const auto& [text, days] : cases) {
        EXPECT_EQ(parseKeepDays(text), days) << utf8(text);
        if (!days) {
            const std::string notice = utf8(keepEveryTapeNotice(text));
            EXPECT_NE(notice.find("TapeKeepDays"), std::string::npos) << notice;
            EXPECT_NE(notice.find(utf8(text.substr(0, 40))), std::string::npos) << notice;
        }
    }
    EXPECT_EQ(utf8(keepEveryTapeNotice(u"a\r\nb")).find('\n'), std::string::npos);
}

// The folder a clock is judged by: tapes of the last year and one changed just now.
std::vector<StoredTape> folder(LocalTime newest) {
    return {
        {"2025-11-01_120000.tape", true, JournalState::Complete, on(2025y / November / 1, 13)},
        {"2025-10-01_120000.tape", true, JournalState::Recovered, on(2025y / October / 1, 13)},
        {"2025-10-02_120000.tape", true, JournalState::Open, on(2025y / October / 2, 13)},
        {"2025-09-01_120000.tape", false, JournalState::Open, on(2025y / September / 1)},
        {"2025-11-02_000000.tape", true, JournalState::Complete, on(2025y / November / 2)},
        {"2025-09-03_120000.tape", true, JournalState::Complete, on(2026y / December / 6)},
        {"holiday.tape", true, JournalState::Complete, on(2025y / January / 1)},
        {"2026-12-07_115000.tape", true, JournalState::Complete, newest},
    };
}

TEST(TapeRetention, MovesClosedTapesPastTheLimitOnlyWhileTheClockFitsTheTapes) {
    const LocalTime newest = on(2026y / December / 7, 11) + minutes{59};
    const std::vector<std::string> oldTwo = {"2025-10-01_120000.tape", "2025-11-01_120000.tape"};
    struct Case {
        const char* name;
        std::vector<StoredTape> tapes;
        LocalTime now;
        int keepDays;
        RetentionVerdict verdict;
        std::vector<std::string> toTrash;
    };
    // A run under a clock set to 2000 wrote this tape seconds before the clock was put right.
    std::vector<StoredTape> wrongStart = folder(newest);
    wrongStart.push_back({"2000-01-01_000000.tape", true, JournalState::Complete, newest});
    // A planted file changed "in the future" says nothing about the program's clock.
    std::vector<StoredTape> planted = folder(newest);
    planted.push_back({"9999-01-01_000000.tape", false, JournalState::Open, on(9999y / 1 / 1)});
    const std::vector<Case> cases = {
        {"clock right", folder(newest), on(2026y / December / 7), 400, RetentionVerdict::Run,
         oldTwo},
        {"tape of a run under a wrong clock kept", wrongStart, on(2026y / December / 7), 400,
         RetentionVerdict::Run, oldTwo},
        {"a long limit removes nothing",
         folder(newest),
         on(2026y / December / 7),
         36525,
         RetentionVerdict::Run,
         {}},
        {"clock in 2000",
         folder(newest),
         on(2000y / January / 1),
         400,
         RetentionVerdict::ClockBeforeTapes,
         {}},
        {"clock a second before the newest change",
         folder(newest),
         newest - seconds{1},
         1,
         RetentionVerdict::ClockBeforeTapes,
         {}},
        {"clock before a tape's own start",
         folder(on(2026y / May / 1)),
         on(2026y / December / 1),
         400,
         RetentionVerdict::ClockBeforeTapes,
         {}},
        {"clock at 9999-12-31",
         folder(newest),
         on(9999y / December / 31),
         400,
         RetentionVerdict::ClockFarAhead,
         {}},
        {"clock a year and two days on",
         folder(newest),
         newest + days{367},
         400,
         RetentionVerdict::ClockFarAhead,
         {}},
        {"clock a year on",
         folder(newest),
         newest + days{365},
         400,
         RetentionVerdict::Run,
         {"2025-10-01_120000.tape", "2025-11-01_120000.tape", "2025-11-02_000000.tape"}},
        {"planted file ignored", planted, on(2026y / December / 7), 400, RetentionVerdict::Run,
         oldTwo},
        {"no journal to judge by",
         {{"a.tape", false, JournalState::Open, newest}},
         on(9999y / December / 31),
         1,
         RetentionVerdict::NoTapes,
         {}},
    };
    for (const Case& c : cases) {
        const RetentionPlan plan = planRetention(c.tapes, {}, c.now, c.keepDays);
        EXPECT_EQ(plan.verdict, c.verdict) << c.name;
        EXPECT_EQ(plan.toTrash, c.toTrash) << c.name;
    }
}

TEST(TapeRetention, EmptiesTheTrashAfterThirtyDaysUnderAClockItBelieves) {
    const LocalTime now = on(2026y / December / 7);
    const std::vector<StoredTape> trashed = {
        {"2025-01-02_120000.tape", true, JournalState::Complete, now - days{31}},
        {"2025-01-01_120000.tape", true, JournalState::Complete, now - days{30} - seconds{1}},
        {"2025-01-03_120000.tape", true, JournalState::Complete, now - days{29}},
    };
    const std::vector<std::string> gone = {"2025-01-01_120000.tape", "2025-01-02_120000.tape"};
    // The trash alone is evidence enough of the clock.
    EXPECT_EQ(planRetention({}, trashed, now, 400).fromTrash, gone);
    EXPECT_TRUE(planRetention({}, trashed, on(2000y / January / 1), 400).fromTrash.empty());
    EXPECT_TRUE(planRetention({}, trashed, on(9999y / December / 31), 400).fromTrash.empty());
}

} // namespace
