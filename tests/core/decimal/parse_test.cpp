#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "core/decimal/decimal_test_util.h"

namespace sumiplex {
namespace {

using test::plain;

struct ParseCase {
    std::u16string_view text;
    const char* expected; // plain form, or "error"
};

std::string printable(std::u16string_view s);

std::ostream& operator<<(std::ostream& os, const ParseCase& c) {
    return os << printable(c.text);
}

std::string printable(std::u16string_view s) {
    std::string out;
    for (const char16_t c : s) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out += "\\u" + std::to_string(static_cast<unsigned>(c));
        }
    }
    return out;
}

class ParseAccepts : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseAccepts, ReadsTheValue) {
    const auto& c = GetParam();
    EXPECT_EQ(plain(Decimal::parse(c.text)), c.expected) << printable(c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseAccepts,
    ::testing::Values(
        ParseCase{u"1,200", "1200"}, ParseCase{u"5-", "-5"}, ParseCase{u"4+", "4"},
        ParseCase{u"  1,500", "1500"}, ParseCase{u"1,500  ", "1500"}, ParseCase{u"-5", "-5"},
        ParseCase{u"+5", "5"}, ParseCase{u"\t42\t", "42"}, ParseCase{u"\u3000７\u3000", "7"},
        ParseCase{u"１", "1"}, ParseCase{u"１，２３４．５", "1234.5"}, ParseCase{u"－３", "-3"},
        ParseCase{u"３－", "-3"}, ParseCase{u"＋３", "3"}, ParseCase{u"３＋", "3"},
        ParseCase{u".5", "0.5"}, ParseCase{u"5.", "5"}, ParseCase{u"-.5", "-0.5"},
        ParseCase{u".5-", "-0.5"}, ParseCase{u"0.10", "0.1"}, ParseCase{u"1,2,3", "123"},
        ParseCase{u"1,234.5", "1234.5"}, ParseCase{u"-1,234.5", "-1234.5"},
        ParseCase{u"1,234.", "1234"}, ParseCase{u"000123", "123"}, ParseCase{u"-0", "0"},
        ParseCase{u"0", "0"}, ParseCase{u"0.000", "0"},
        ParseCase{u"79228162514264337593543950335", "79228162514264337593543950335"},
        ParseCase{u"-79,228,162,514,264,337,593,543,950,335", "-79228162514264337593543950335"},
        ParseCase{u"0000000000000000000000000000079228162514264337593543950335",
                  "79228162514264337593543950335"},
        ParseCase{u"79228162514264337593543950335.4", "79228162514264337593543950335"},
        ParseCase{u"79228162514264337593543950334.5", "79228162514264337593543950334"},
        ParseCase{u"79228162514264337593543950334.51", "79228162514264337593543950335"},
        ParseCase{u"0.0000000000000000000000000001", "0.0000000000000000000000000001"},
        ParseCase{u"0.00000000000000000000000000015", "0.0000000000000000000000000002"},
        ParseCase{u"0.00000000000000000000000000025", "0.0000000000000000000000000002"},
        ParseCase{u"0.000000000000000000000000000251", "0.0000000000000000000000000003"},
        ParseCase{u"0.00000000000000000000000000005", "0"},
        ParseCase{u"1.23456789012345678901234567891", "1.2345678901234567890123456789"},
        ParseCase{u"1234567890.12345678901234567895", "1234567890.123456789012345679"},
        ParseCase{u"7.92281625142643375935439503359", "7.922816251426433759354395034"},
        ParseCase{u"7.92281625142643375935439503350", "7.9228162514264337593543950335"},
        ParseCase{u"0.1234567890123456789012345678901234567890",
                  "0.1234567890123456789012345679"}));

class ParseRejects : public ::testing::TestWithParam<std::u16string_view> {};

TEST_P(ParseRejects, GivesAnError) {
    EXPECT_FALSE(Decimal::parse(GetParam())) << printable(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseRejects,
    ::testing::Values(u"", u" ", u"\u3000\t ", u"1.2.3", u"abc", u"1a", u"-", u"+", u"－", u"+5-",
                      u"-5-", u"-5+", u"5-3", u"1 000", u"- 5", u"1.5,0", u"--5", u"5--", u"５ー",
                      u"1e5", u"(5)", u"¥5", u"$5", u".", u",", u"-.", u",.", u"0x10",
                      u"Total    1,500", u"79228162514264337593543950336",
                      u"-79228162514264337593543950336", u"100000000000000000000000000000",
                      u"79228162514264337593543950335.5",
                      u"５５５５５５５５５５５５５５５５５５５５５５５５５５５５５５",
                      u"1\u00A0000", u"１２／３"));

TEST(ParseUtf8, ReadsFullWidthFormsAndRejectsMalformedBytes) {
    EXPECT_EQ(plain(Decimal::parse(std::string_view("１，２００"))), "1200");
    EXPECT_EQ(plain(Decimal::parse(std::string_view("\xE3\x80\x80－５"))), "-5");
    EXPECT_EQ(plain(Decimal::parse(std::string_view("  1,500"))), "1500");
    EXPECT_EQ(plain(Decimal::parse(std::string_view("4+"))), "4");
    const std::string_view bad[] = {"\xFF"
                                    "1",
                                    "\xC0\xB1",
                                    "1\xE3\x80",
                                    "\xED\xA0\x80",
                                    "\xEF\xBC",
                                    "\xF8\x88\x80\x80\x80"};
    for (const auto s : bad) {
        EXPECT_FALSE(Decimal::parse(s));
    }
}

TEST(ParseUtf8, AgreesWithTheUtf16Reader) {
    const std::pair<std::string_view, std::u16string_view> table[] = {
        {"1,234.5-", u"1,234.5-"}, {"＋９９", u"＋９９"}, {".5", u".5"}, {"1..2", u"1..2"}};
    for (const auto& [narrowText, wideText] : table) {
        EXPECT_EQ(plain(Decimal::parse(narrowText)), plain(Decimal::parse(wideText))) << narrowText;
    }
}

// Plain text ("-1234.5") is read by a shorter path; a trailing blank sends the same text
// through the general reader. Both must give the same digits, scale and sign, or both fail.
TEST(ParsePlain, ReadsAsTheGeneralReaderDoes) {
    std::vector<std::u16string> texts = {u"",
                                         u"-",
                                         u".",
                                         u"-.",
                                         u"-0",
                                         u"-0.00",
                                         u"0",
                                         u"1.2.3",
                                         u"..5",
                                         u"5..",
                                         u"1-",
                                         u"--1",
                                         u"1.50",
                                         u"0000000000000000000000000001",
                                         u"9999999999999999999999999999",
                                         u"99999999999999999999999999999",
                                         u"79228162514264337593543950335",
                                         u"79228162514264337593543950336",
                                         u"-7.9228162514264337593543950335",
                                         u"0.00000000000000000000000000001",
                                         u"0.0000000000000000000000000001"};
    std::mt19937 rng(7);
    for (int i = 0; i < 3000; ++i) {
        std::u16string t = rng() % 4 == 0 ? u"-" : u"";
        const int digits = static_cast<int>(rng() % 31);
        const int point = static_cast<int>(rng() % (digits + 2)) - 1;
        for (int d = 0; d < digits; ++d) {
            if (d == point)
                t += u'.';
            t += static_cast<char16_t>(u'0' + rng() % 10);
        }
        texts.push_back(t);
    }
    for (const std::u16string& t : texts) {
        const auto fast = Decimal::parse(t);
        const auto general = Decimal::parse(t + u" ");
        ASSERT_EQ(fast.has_value(), general.has_value()) << printable(t);
        if (fast) {
            EXPECT_TRUE(fast->mantissa() == general->mantissa()) << printable(t);
            EXPECT_EQ(fast->scale(), general->scale()) << printable(t);
            EXPECT_EQ(fast->signBit(), general->signBit()) << printable(t);
        }
    }
}

} // namespace
} // namespace sumiplex
