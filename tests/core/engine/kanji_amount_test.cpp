#include "core/engine/four_digit.h"
#include "core/engine/kanji_amount.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

#include <random>

namespace sumiplex::engine::testing {
namespace {

struct AmountCase {
    const char* text;
    const char* value; // plain form; nullptr when the text is no number
};

class KanjiAmounts : public ::testing::TestWithParam<AmountCase> {};

TEST_P(KanjiAmounts, ReadAsWritten) {
    const auto value = parseAmount(u16(GetParam().text));
    if (GetParam().value == nullptr) {
        EXPECT_FALSE(value) << value->toPlainAscii();
        return;
    }
    ASSERT_TRUE(value);
    EXPECT_EQ(value->toPlainAscii(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, KanjiAmounts,
    ::testing::Values(AmountCase{"3億2500万", "325000000"}, AmountCase{"1万5千", "15000"},
                      AmountCase{"2.5万", "25000"}, AmountCase{"１２万３４５６", "123456"},
                      AmountCase{"-3万", "-30000"}, AmountCase{"3億0370万", "303700000"},
                      AmountCase{"5千300", "5300"}, AmountCase{"5千万", "50000000"},
                      AmountCase{"1,500万", "15000000"}, AmountCase{"1万0000.25", "10000.25"},
                      AmountCase{" 7兆 ", "7000000000000"},
                      AmountCase{"1垓", "100000000000000000000"}, AmountCase{"1234", "1234"},
                      AmountCase{"万3", nullptr}, AmountCase{"3万万", nullptr},
                      AmountCase{"3万2億", nullptr}, AmountCase{"3千千", nullptr},
                      AmountCase{"3万12345", nullptr}, AmountCase{"2.5万3", nullptr},
                      AmountCase{"3万-2", nullptr}, AmountCase{"千", nullptr},
                      AmountCase{"0千", nullptr}, AmountCase{"1万2千3456", nullptr},
                      AmountCase{"3 万", nullptr}, AmountCase{"1,万", nullptr},
                      AmountCase{"99999999999垓", nullptr}));

// Every whole amount the four-digit reading writes in full reads back as itself.
TEST(KanjiAmounts, FullReadingReadsBackToItsValue) {
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 4000; ++i) {
        // Up to 28 digits, with runs of zeros so that empty blocks ("0000") come up.
        const int digits = 1 + static_cast<int>(random() % 28);
        std::string text = random() % 2 ? "-" : "";
        for (int d = 0; d < digits; ++d)
            text += static_cast<char>('0' + (random() % 3 == 0 ? 0 : random() % 10));
        const auto value = Decimal::parse(text);
        ASSERT_TRUE(value) << text;
        const std::u16string reading = fourDigitFullForm(*value);
        const auto back = parseAmount(reading);
        ASSERT_TRUE(back) << utf8(reading);
        EXPECT_EQ(back->toPlainAscii(), value->toPlainAscii()) << utf8(reading);
    }
}

// The input line reads them wherever it reads a number; the tape keeps the line as typed.
TEST(KanjiAmounts, InputLineRowsTakeThem) {
    Calc calc;
    calc.type("3億2500万+");
    calc.line("1万5千*2");
    calc.type("+");
    calc.type("10%-");
    calc.enter();
    EXPECT_EQ(calc.total(), "292527000");
    EXPECT_EQ(calc.newTape(), "      0 +3億2500万= 325,000,000\r\n      (1万5千*2= 30,000)\r\n"
                              "      325,000,000 +30,000= 325,030,000\r\n"
                              "      325,030,000*10%-= 292,527,000\r\n");
    calc.type("3万万+");
    EXPECT_EQ(calc.text1(), "3万万+ ERROR ");
}

} // namespace
} // namespace sumiplex::engine::testing
