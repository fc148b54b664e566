#include "core/engine/classify.h"
#include "core/engine/history.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

namespace sumiplex::engine {
namespace {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

struct ClassCase {
    const char* line;
    LineKind kind;
    char op;
    bool dropsLeading;
    const char* acted; // the line the row acts on
    const char* first;
    const char* second;
    PercentEnd end = PercentEnd::Share;
};

void PrintTo(const ClassCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class ClassifyTable : public ::testing::TestWithParam<ClassCase> {};

TEST_P(ClassifyTable, FindsTheRowTheEvaluationActsOn) {
    const ClassCase& c = GetParam();
    const std::u16string line = u16(c.line);
    const LineClass got = classify(line);
    EXPECT_EQ(got.kind, c.kind);
    if (c.kind == LineKind::Incomplete)
        return;
    EXPECT_EQ(got.op, static_cast<char16_t>(c.op));
    EXPECT_EQ(got.dropsLeadingOperator, c.dropsLeading);
    EXPECT_EQ(utf8(got.line), c.acted);
    EXPECT_EQ(utf8(got.first), c.first);
    EXPECT_EQ(utf8(got.second), c.second);
    EXPECT_EQ(got.end, c.end);
}

using K = LineKind;
using E = PercentEnd;

INSTANTIATE_TEST_SUITE_P(
    EveryRow, ClassifyTable,
    ::testing::Values(
        ClassCase{"", K::Incomplete, 0, false, "", "", ""},
        ClassCase{"-5-", K::Incomplete, 0, false, "", "", ""},
        // One operand at either end; "^" before "*" before "/".
        ClassCase{"2^", K::OnTotal, '^', false, "2^", "2", ""},
        ClassCase{"^2", K::OnTotal, '^', false, "^2", "2", ""},
        ClassCase{"3*", K::OnTotal, '*', false, "3*", "3", ""},
        ClassCase{"/4", K::OnTotal, '/', false, "/4", "4", ""},
        ClassCase{"2*3^", K::OnTotal, '^', false, "2*3^", "2*3", ""},
        ClassCase{"500+", K::OnTotal, '+', false, "500+", "500", ""},
        ClassCase{"500-", K::OnTotal, '-', false, "500-", "500", ""},
        // Two operands: only the first occurrence of the row's operator counts.
        ClassCase{"2^10", K::TwoOperands, '^', false, "2^10", "2", "10"},
        ClassCase{"2+3*4", K::TwoOperands, '*', false, "2+3*4", "2+3", "4"},
        ClassCase{"3*4+", K::TwoOperands, '*', false, "3*4+", "3", "4+"},
        ClassCase{"3*-2", K::TwoOperands, '*', false, "3*-2", "3", "-2"},
        ClassCase{"10/4/2", K::TwoOperands, '/', false, "10/4/2", "10", "4/2"},
        ClassCase{"2+3", K::TwoOperands, '+', false, "2+3", "2", "3"},
        ClassCase{"5-3", K::TwoOperands, '-', false, "5-3", "5", "3"},
        ClassCase{"-5-3", K::TwoOperands, '-', false, "-5-3", "-5", "3"},
        ClassCase{"-5", K::BareNumber, '+', false, "-5", "-5", ""},
        // A sign right after a leading currency mark belongs to the amount.
        ClassCase{"¥-5", K::BareNumber, '+', false, "¥-5", "¥-5", ""},
        ClassCase{"＄-5-3", K::TwoOperands, '-', false, "＄-5-3", "＄-5", "3"},
        ClassCase{"¥5-3", K::TwoOperands, '-', false, "¥5-3", "¥5", "3"},
        ClassCase{"500", K::BareNumber, '+', false, "500", "500", ""},
        ClassCase{"3億2500万", K::BareNumber, '+', false, "3億2500万", "3億2500万", ""},
        // A leading "+" goes and the rest is classified as it then reads.
        ClassCase{"+5", K::BareNumber, '+', true, "5", "5", ""},
        ClassCase{"++5", K::BareNumber, '+', true, "+5", "+5", ""},
        ClassCase{"+2+3", K::TwoOperands, '+', true, "2+3", "2", "3"},
        ClassCase{"+5-", K::OnTotal, '-', true, "5-", "5", ""},
        ClassCase{"+", K::OnTotal, '+', false, "+", "", ""},
        // Percent lines: "/" anywhere makes a division.
        ClassCase{"%10", K::PercentTypedFirst, '*', false, "%10", "10", ""},
        ClassCase{"%10/", K::PercentTypedFirst, '/', false, "%10/", "10/", ""},
        ClassCase{"10%", K::PercentOfTotal, '*', false, "10%", "10", ""},
        ClassCase{"10%+", K::PercentOfTotal, '*', false, "10%+", "10", "", E::Add},
        ClassCase{"10%-", K::PercentOfTotal, '*', false, "10%-", "10", "", E::TakeOff},
        ClassCase{"*10%+", K::PercentOfTotal, '*', true, "10%+", "10", "", E::Add},
        ClassCase{"/10%+", K::PercentOfTotal, '/', true, "10%+", "10", "", E::Add},
        ClassCase{"200*10%", K::PercentOfLine, '*', false, "200*10%", "200", "10"},
        ClassCase{"200*10%-", K::PercentOfLine, '*', false, "200*10%-", "200", "10", E::TakeOff},
        ClassCase{"200/10%+", K::PercentOfLine, '/', false, "200/10%+", "200", "10", E::Add},
        ClassCase{"5*%", K::PercentOfLine, '*', false, "5*%", "5", ""},
        ClassCase{"10%5", K::Nothing, '*', false, "10%5", "", ""},
        ClassCase{"*", K::OnTotal, '*', false, "*", "", ""},
        ClassCase{"*%", K::PercentOfTotal, '*', true, "%", "", ""}));

// After a leading operator is dropped, the change handling may refuse an operator at the
// end of what is left; the rows then go on with the line as it reads, keeping the
// operation the whole line chose.
TEST(ClassifyRest, GoesOnWithTheLineAsItReadsAfterTheDrop) {
    const std::u16string pasted = u"/0%/+*";
    const LineClass dropped = classify(pasted);
    ASSERT_TRUE(dropped.dropsLeadingOperator);
    EXPECT_EQ(dropped.kind, LineKind::Nothing);
    const LineClass rest = classifyRest(dropped, u"0%/+");
    EXPECT_EQ(rest.kind, LineKind::PercentOfLine);
    EXPECT_EQ(rest.op, u'/');
    EXPECT_EQ(utf8(rest.first), "0%");
    EXPECT_EQ(rest.end, PercentEnd::Add);
    EXPECT_TRUE(rest.dropsLeadingOperator);

    const LineClass plus = classifyRest(classify(u"+5"), u"5+");
    EXPECT_EQ(plus.kind, LineKind::TwoOperands);
    EXPECT_EQ(utf8(plus.first), "5");
}

TEST(History, BackAndForwardReadOnlyTheRecordedTotals) {
    History history;
    for (const char16_t* total : {u"100", u"250", u"x"})
        history.record(total);
    EXPECT_EQ(history.position(), 3);
    EXPECT_EQ(history.back()->toPlainString(), u"250");
    EXPECT_EQ(history.position(), 2);
    ASSERT_TRUE(history.back().has_value());
    EXPECT_TRUE(history.atFirst());
    // Outside the list, and an item that does not read: nothing, the position still moves.
    EXPECT_FALSE(history.back().has_value());
    EXPECT_EQ(history.position(), 0);
    EXPECT_EQ(history.forward()->toPlainString(), u"100");
    EXPECT_EQ(history.forward()->toPlainString(), u"250");
    EXPECT_FALSE(history.forward().has_value());
    EXPECT_TRUE(history.atLast());
    history.clearTotals();
    EXPECT_EQ(history.position(), 3);
    EXPECT_TRUE(history.totals().empty());
}

TEST(History, ARoundingRunStartsFromTheValueBeforeIt) {
    History history;
    const Decimal total = Decimal::fromInt(1234);
    EXPECT_EQ(history.roundingBase(total), total);
    history.beginRoundingRun(total);
    EXPECT_EQ(history.roundingBase(Decimal::fromInt(1200)), total);
    history.endRoundingRun();
    EXPECT_TRUE(history.undoValue().isZero());
}

} // namespace
} // namespace sumiplex::engine
