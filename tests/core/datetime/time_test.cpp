#include "core/text_utf.h"
#include "core/tools/datetime/time_calc.h"

#include <gtest/gtest.h>

namespace sumiplex::datetime {
namespace {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

struct ElapsedCase {
    TimeOfDay start, end;
    int h, m, s;
    const char* hoursText;
};

class ElapsedTable : public ::testing::TestWithParam<ElapsedCase> {};

TEST_P(ElapsedTable, BorrowsThroughMinutesAndHoursAndCrossesMidnight) {
    const ElapsedCase& c = GetParam();
    const Elapsed e = elapsedTime(c.start, c.end);
    EXPECT_EQ(e.hours, c.h);
    EXPECT_EQ(e.minutes, c.m);
    EXPECT_EQ(e.seconds, c.s);
    EXPECT_EQ(utf8(elapsedHoursText(e)), c.hoursText);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, ElapsedTable,
    ::testing::Values(ElapsedCase{{9, 0, 0}, {17, 30, 0}, 8, 30, 0, "8.5"},
                      ElapsedCase{{23, 0, 0}, {1, 0, 0}, 2, 0, 0, "2"},
                      ElapsedCase{{22, 30, 0}, {1, 15, 0}, 2, 45, 0, "2.75"},
                      ElapsedCase{{10, 0, 30}, {10, 0, 10}, 23, 59, 40, "23.9944444444444"},
                      ElapsedCase{{0, 0, 0}, {1, 20, 0}, 1, 20, 0, "1.33333333333333"},
                      ElapsedCase{{12, 0, 0}, {12, 0, 0}, 0, 0, 0, "0"}));

struct ConversionCase {
    const char* quantity;
    const char* from;
    const char* to;
    const char* resultLine;
    const char* breakdown;
    const char* converted; // plain form, "" for none
};

class ConversionTable : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTable, ResultLineBreakdownAndValue) {
    const ConversionCase& c = GetParam();
    const TimeConversion r = convertTimeText(u16(c.quantity), u16(c.from), u16(c.to));
    EXPECT_EQ(utf8(r.resultLine), c.resultLine);
    EXPECT_EQ(utf8(r.breakdown), c.breakdown);
    EXPECT_EQ(r.converted ? utf8(r.converted->toPlainString()) : "", c.converted);
}

INSTANTIATE_TEST_SUITE_P(
    Units, ConversionTable,
    ::testing::Values(
        ConversionCase{"8.5", "時間", "分", "8.5 時間 =   510. 分", "8時間 30分 0秒", "510"},
        ConversionCase{"1.5", "時間", "分", "1.5 時間 =   90. 分", "1時間 30分 0秒", "90"},
        ConversionCase{"100", "分", "時間", "100. 分 =   1.6666666666666666666666666667 時間",
                       "1時間 40分 0秒", "1.6666666666666666666666666667"},
        ConversionCase{"1", "秒", "時間", "1. 秒 =   0.0002777777777777777777777778 時間",
                       "0時間 0分 1秒", "0.0002777777777777777777777778"},
        ConversionCase{"1", "分", "秒", "1. 分 =   60. 秒", "0時間 1分 0秒", "60"},
        ConversionCase{"1,000", "時間", "秒", "1,000. 時間 =   3,600,000. 秒", "1000時間 0分 0秒",
                       "3600000"},
        // the rounded seconds make a minute, and the minutes an hour
        ConversionCase{"0.9999", "時間", "時間", "0.9999 時間 =   0.9999 時間", "1時間 0分 0秒",
                       "0.9999"},
        ConversionCase{"-0.9999", "時間", "分", "-0.9999 時間 =   -59.994 分", "-1時間 0分 0秒",
                       "-59.994"},
        ConversionCase{"59.999", "分", "分", "59.999 分 =   59.999 分", "1時間 0分 0秒", "59.999"},
        ConversionCase{"-1.5", "時間", "分", "-1.5 時間 =   -90. 分", "-1時間 -30分 0秒", "-90"},
        ConversionCase{"3661", "秒", "分", "3,661. 秒 =   61.016666666666666666666666667 分",
                       "1時間 1分 1秒", "61.016666666666666666666666667"},
        ConversionCase{"1.5", "時間", "日", "", "1時間 30分 0秒", ""},
        ConversionCase{"1.5", "日", "分", "", "", ""},
        ConversionCase{"abc", "時間", "分", "", "", ""},
        ConversionCase{"", "時間", "分", "", "", ""}, ConversionCase{"1", "", "分", "", "", ""},
        ConversionCase{"70000000000000000000000000000", "時間", "秒", "",
                       "70000000000000000000000000000時間 0分 0秒", ""}));

} // namespace
} // namespace sumiplex::datetime
