#include "core/engine/kanji_amount.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

namespace sumiplex::engine {
namespace {

using sumiplex::testing::u16;

struct FormCase {
    const char* text;
    const char* value; // plain form; nullptr when the text is no number
};

void PrintTo(const FormCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class FormattedAmounts : public ::testing::TestWithParam<FormCase> {};

TEST_P(FormattedAmounts, ReadAsTheirWriterMeant) {
    const auto value = parseAmount(u16(GetParam().text));
    if (GetParam().value == nullptr) {
        EXPECT_FALSE(value) << value->toPlainAscii();
        return;
    }
    ASSERT_TRUE(value);
    EXPECT_EQ(value->toPlainAscii(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, FormattedAmounts,
    ::testing::Values(FormCase{"¥1,234", "1234"}, FormCase{"￥1,234", "1234"},
                      FormCase{"$1,234.50", "1234.5"}, FormCase{"＄１２", "12"},
                      FormCase{"1,234円", "1234"}, FormCase{"１，２３４円", "1234"},
                      FormCase{"¥1234", "1234"}, FormCase{" ¥1,234\t", "1234"},
                      FormCase{"1 234 567", "1234567"}, FormCase{"1\u2009234", "1234"},
                      FormCase{"1\u202F234.5", "1234.5"}, FormCase{"１\u3000２３４", "1234"}));

INSTANTIATE_TEST_SUITE_P(
    Signs, FormattedAmounts,
    ::testing::Values(FormCase{"△1,234", "-1234"}, FormCase{"▲1,234", "-1234"},
                      FormCase{"(1,234)", "-1234"}, FormCase{"（１，２３４）", "-1234"},
                      FormCase{"1 234-", "-1234"}, FormCase{"\u22121,234", "-1234"},
                      FormCase{"－１ ２３４", "-1234"}, FormCase{"-¥1,234", "-1234"},
                      FormCase{"¥-1,234", "-1234"}, FormCase{"¥1,234-", "-1234"}));

INSTANTIATE_TEST_SUITE_P(
    Mixed, FormattedAmounts,
    ::testing::Values(FormCase{"△¥1,234", "-1234"}, FormCase{"($1,234.50)", "-1234.5"},
                      FormCase{"▲1,234円", "-1234"}, FormCase{"(1 234)", "-1234"},
                      FormCase{"¥3万", "30000"}, FormCase{"3万円", "30000"},
                      FormCase{"△2億", "-200000000"}, FormCase{"(1万5千)", "-15000"},
                      FormCase{"1万円-", "-10000"}, FormCase{"￥1,500万", "15000000"},
                      FormCase{"¥-2.5万", "-25000"}));

// What the input line read before keeps its reading; near misses stay no number.
INSTANTIATE_TEST_SUITE_P(Refused, FormattedAmounts,
                         ::testing::Values(FormCase{"1,23,4", "1234"}, FormCase{"300-", "-300"},
                                           FormCase{"¥¥1", nullptr}, FormCase{"(1,234", nullptr},
                                           FormCase{"1,234)", nullptr},
                                           FormCase{"1,234--", nullptr}, FormCase{"△-1", nullptr},
                                           FormCase{"-△1", nullptr}, FormCase{"△1-", nullptr},
                                           FormCase{"(-1)", nullptr}, FormCase{"¥-1-", nullptr},
                                           FormCase{"¥1,234円", nullptr}, FormCase{"()", nullptr},
                                           FormCase{"¥", nullptr}, FormCase{"¥1,2345", nullptr},
                                           FormCase{"¥1,23,4", nullptr}, FormCase{"1 23", nullptr},
                                           FormCase{"1,234 567", nullptr},
                                           FormCase{"12 345,67", nullptr},
                                           FormCase{"1 234\u3000567", nullptr},
                                           FormCase{"¥ 1", nullptr}, FormCase{"¥1 万", nullptr}));

} // namespace
} // namespace sumiplex::engine
