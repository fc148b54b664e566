// The tape as data: random sessions of every kind of step, and at checkpoints the current
// calculation fed again to the engine as it stood when the calculation started. The replay
// must write the same tape bytes and reach the same total; and the renderer must give the
// exact text of every kind of entry.

#include "core/engine/engine_harness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace sumiplex::engine::testing {
namespace {

// A session mixes typed lines (with the 万 form, percents, powers, line results and lines
// that fail), Enter, the buttons, the rounding and undo commands, conversions at changing
// rates, tax lines copied, totals keyed back in, "Days" lines, cash tallies, another
// window's output and all clears. Settings (tax rate, fonts) stay as they are: a
// calculation is replayed with the settings it started with.
class Session {
public:
    explicit Session(unsigned seed) : m_random(seed) { calc.engine.markCalculationStart(); }

    void step() {
        const int pick = between(0, 99);
        if (pick < 45)
            return calc.type(std::string(1, kKeys[between(0, sizeof(kKeys) - 2)]));
        if (pick < 60)
            return calc.enter();
        switch (pick) {
        case 60:
            return calc.type(" ");
        case 61:
        case 62:
            return calc.engine.back();
        case 63:
            return calc.engine.forward();
        case 64:
        case 65: {
            const std::u16string place = u16(std::to_string(between(-2, 6)));
            calc.engine.placeTyped(place, static_cast<int>(place.size()));
            return calc.engine.roundTotal(static_cast<RoundMode>(between(0, 2)));
        }
        case 66:
            return calc.engine.undo();
        case 67:
            return calc.engine.convertToYen();
        case 68:
            return calc.engine.convertToDollars();
        case 69: {
            const std::u16string rate = u16(std::to_string(between(0, 150)));
            return calc.engine.rateTyped(rate, static_cast<int>(rate.size()));
        }
        case 70:
            return calc.engine.copyTaxAdded();
        case 71:
            return calc.engine.copyTaxContained();
        case 72:
            // The total keyed back in, as clicking it and pressing Enter does.
            calc.engine.toggleTotalInLine();
            return calc.enter();
        case 73:
            calc.paste("Days" + std::to_string(between(-9, 99)));
            return calc.enter();
        case 74:
            return calc.engine.startCashTally();
        case 75:
            return calc.tape.recordTool(u"      365 Days     \r\n");
        case 76:
            return calc.engine.toggleFourDigit();
        case 77:
            return calc.engine.clearLine();
        case 78:
            return calc.engine.activated();
        case 79:
            calc.paste("3万" + std::to_string(between(0, 9999)) + "+");
            return;
        case 80:
            return calc.engine.recallGrandTotal();
        case 81:
            return between(0, 1) != 0 ? calc.engine.addToMemory()
                                      : calc.engine.subtractFromMemory();
        case 82:
            return calc.engine.recallMemory();
        case 83: {
            // A pasted column: amounts in several forms, one heading skipped.
            calc.engine.beginPastedColumn();
            for (const char* form : {"¥1,2%02d", "△%d", "(%d)", "%d-", "%d万"}) {
                char cell[24];
                std::snprintf(cell, sizeof cell, form, between(0, 99));
                calc.engine.addPastedAmount(u16(cell));
            }
            calc.engine.showPastedTotal();
            return calc.engine.recordPastedSkips(1);
        }
        default:
            // A whole line at once: a number, an operator, perhaps a percent.
            calc.paste(std::to_string(between(-500, 5000)) +
                       std::string(1, kOperators[between(0, sizeof(kOperators) - 2)]));
            return calc.enter();
        }
    }

    Calc calc;

private:
    static constexpr char kKeys[] = "0123456789+-*/%^.";
    static constexpr char kOperators[] = "+-*/%^";

    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }

    std::mt19937 m_random;
};

TEST(Replay, ACalculationFedAgainWritesTheSameTapeAndTotal) {
    int replayed = 0;
    int nonEmpty = 0;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        Session session(seed);
        for (int event = 1; event <= 400; ++event) {
            session.step();
            if (event % 40 != 0)
                continue;
            const Tape& tape = session.calc.tape;
            const std::size_t start = tape.calculationStart();
            const std::vector<TapeEntry> steps = tape.entries().slice(start);
            Tape again;
            const auto engine = session.calc.engine.replay(steps, again);
            ++replayed;
            nonEmpty += steps.empty() ? 0 : 1;
            if (again.text() != std::u16string_view(tape.text()).substr(tape.offsetOf(start)))
                for (const TapeEntry& e : steps)
                    std::printf("step kind %d input [%s] keyed %d follows %d\n",
                                static_cast<int>(e.kind), utf8(e.input).c_str(), e.keyed,
                                e.follows);
            ASSERT_EQ(utf8(again.text()),
                      utf8(std::u16string_view(tape.text()).substr(tape.offsetOf(start))))
                << "seed " << seed << ", event " << event;
            ASSERT_EQ(engine->totalValue(), session.calc.engine.totalValue())
                << "seed " << seed << ", event " << event;
            // The tax lines a replay works out once at its end are those of the total.
            const View& replayView = engine->view();
            const View& originalView = session.calc.engine.view();
            ASSERT_EQ(utf8(replayView.tax.added), utf8(originalView.tax.added))
                << "seed " << seed << ", event " << event;
            ASSERT_EQ(utf8(replayView.tax.contained), utf8(originalView.tax.contained))
                << "seed " << seed << ", event " << event;
        }
    }
    EXPECT_EQ(replayed, 1500);
    // Most checkpoints fall inside a calculation with steps, not just after an all clear.
    EXPECT_GT(nonEmpty, 1000);
}

TEST(Replay, ACorrectedStepChangesEveryLaterTotal) {
    Calc calc;
    calc.type(" ");
    calc.line("500+");
    calc.line("3*4");
    calc.type("+");
    calc.line("10%+");
    std::vector<TapeEntry> steps(calc.tape.entries().begin() +
                                     static_cast<std::ptrdiff_t>(calc.tape.calculationStart()),
                                 calc.tape.entries().end());
    ASSERT_EQ(steps.size(), 4U);
    EXPECT_EQ(utf8(steps[0].input), "500+");
    EXPECT_EQ(utf8(steps[1].input), "3*4");
    EXPECT_EQ(utf8(steps[2].input), "12+");
    EXPECT_EQ(utf8(steps[3].input), "10%+");
    steps[0].input = u"1000+";
    Tape again;
    const auto engine = calc.engine.replay(steps, again);
    EXPECT_EQ(utf8(again.text()), "      0 +1000= 1,000\r\n"
                                  "      (3*4= 12)\r\n"
                                  "      1,000 +12= 1,012\r\n"
                                  "      1,012*10%+= 1,113.2\r\n");
    EXPECT_EQ(engine->totalValue().toPlainAscii(), "1113.2");
}

struct RenderCase {
    const char* name;
    TapeEntry entry;
    const char* text;
};

Decimal d(const char* text) {
    return *Decimal::parse(std::string_view(text));
}

TapeEntry make(EntryKind kind, char16_t op, const char* shown, std::optional<Decimal> before,
               std::optional<Decimal> value, std::optional<Decimal> operand = std::nullopt) {
    TapeEntry e;
    e.kind = kind;
    e.op = op;
    e.shown = u16(shown);
    e.before = before;
    e.value = value;
    e.operand = operand;
    e.failed = !value && kind != EntryKind::AllClear && kind != EntryKind::Tool &&
               kind != EntryKind::TaxLine && kind != EntryKind::Conversion &&
               kind != EntryKind::Register;
    return e;
}

TEST(Replay, EachKindOfEntryRendersItsTapeText) {
    TapeEntry rounding = make(EntryKind::Rounding, 0, "", d("1234.5678"), d("1234.57"));
    rounding.mode = RoundMode::HalfAwayFromZero;
    TapeEntry takeOff = make(EntryKind::PercentOfLine, u'*', "200*10", std::nullopt, d("180"));
    takeOff.end = PercentEnd::TakeOff;
    TapeEntry share = make(EntryKind::PercentOfTotal, u'/', "10%", d("1000"), std::nullopt);
    TapeEntry days;
    days.kind = EntryKind::DaysWord;
    days.input = u"Days12";
    TapeEntry noted = make(EntryKind::OnTotal, u'+', "500", d("1000"), d("1500"), d("500"));
    noted.note = u"交通費";
    TapeEntry re = make(EntryKind::ConvertedReEntry, u'$', "", d("8000"), d("100"));
    const RenderCase cases[] = {
        {"sum", make(EntryKind::OnTotal, u'+', "1万", d("0"), d("10000"), d("10000")),
         "      0 +1万= 10,000\r\n"},
        {"difference", make(EntryKind::OnTotal, u'-', "5", d("100"), d("95"), d("5")),
         "      100  -5= 95\r\n"},
        {"product", make(EntryKind::OnTotal, u'*', "3*", d("1.5"), d("4.5"), d("3")),
         "      1.5 3*= 4.5\r\n"},
        {"failed step", make(EntryKind::OnTotal, u'+', "x", d("7"), std::nullopt),
         "      7 +xERROR\r\n"},
        {"negative number", make(EntryKind::Number, u'+', "-5", d("7"), d("2"), d("-5")),
         "      7 -5= 2\r\n"},
        {"positive number", make(EntryKind::Number, u'+', "5", d("7"), d("12"), d("5")),
         "      7+5= 12\r\n"},
        {"percent failed", share, "      1,000/10%\r\n"},
        {"line result", make(EntryKind::LineResult, u'*', "3*4", std::nullopt, d("12")),
         "      (3*4= 12)\r\n"},
        {"line failed", make(EntryKind::LineResult, u'/', "3/0", std::nullopt, std::nullopt),
         "      (3/0= ERROR\r\n"},
        {"percent off a line", takeOff, "      (200*10%-  =180)\r\n"},
        {"all clear", make(EntryKind::AllClear, 0, "", d("5"), d("0")), "      Total = 0\r\n"},
        {"back, fraction", make(EntryKind::Back, 0, "", d("1"), d("2.5")), "      back 2.5\r\n"},
        {"forward, whole", make(EntryKind::Forward, 0, "", d("1"), d("2")), "      Forward 2\r\n"},
        {"rounding", rounding, "      1,234.5678  Round-Off 1,234.57\r\n"},
        {"undo", make(EntryKind::RoundingUndo, 0, "", d("1234"), d("1234.5678")),
         "      1,234. Back 1,234.5678\r\n"},
        {"total keyed in", make(EntryKind::TotalReEntry, 0, "", d("0"), d("15000")),
         "      Total    15,000\r\n"},
        {"total keyed in wrong", make(EntryKind::TotalReEntry, 0, "", d("0"), std::nullopt),
         "ERROR\r\n"},
        {"dollars keyed in", re, "      8,000. >USD  100.\r\n"},
        {"days", days, "      Days12      \r\n"},
        {"tally start", make(EntryKind::CashTallyStart, 0, "", d("9"), d("0")),
         "      0\r\n      Cash Total\r\n"},
        {"tool", make(EntryKind::Tool, 0, "      1 Days     \r\n", std::nullopt, std::nullopt),
         "      1 Days     \r\n"},
        {"memory minus", make(EntryKind::Register, u'-', "", std::nullopt, d("-1250.5")),
         "      M- -1,250.5\r\n"},
        {"note after the figures", noted, "      1,000 +500= 1,500  交通費\r\n"},
    };
    for (const RenderCase& c : cases)
        EXPECT_EQ(utf8(renderEntry(c.entry)), c.text) << c.name;
}

TEST(Replay, AStoredAmountKeepsHowItWasWrittenAndComparesByValue) {
    // The tape shows an amount as it was worked out; a journal keeps its plain form.
    const StoredAmount written = d("1.50");
    EXPECT_EQ((*written).scale(), 2);
    EXPECT_EQ(written, StoredAmount(d("1.5")));
    EXPECT_NE(written, StoredAmount(d("-1.5")));
    EXPECT_NE(written, StoredAmount(std::nullopt));
    EXPECT_EQ(StoredAmount(std::nullopt), StoredAmount());
    EXPECT_EQ(utf8((*StoredAmount(d("-12345678901234567890.12345678"))).toPlainString()),
              "-12345678901234567890.12345678");
}

TEST(Replay, NotesAreKeptOnOneLineAndShort) {
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {
        {"  交通費 ", "交通費"},
        {"伝票\r\nNo.123\t", "伝票 No.123"},
        {"a\r\rb", "a  b"},
        {"\x1F"
         "a",
         "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8(cleanNote(u16(c.typed))), c.kept) << c.typed;
    const std::u16string longNote(150, u'字');
    EXPECT_EQ(cleanNote(longNote).size(), kMaxNoteLength);
    // A pair of surrogates is never cut in half.
    std::u16string pairs;
    for (int i = 0; i < 60; ++i)
        pairs += u"\U0001F600";
    EXPECT_EQ(cleanNote(pairs).size(), kMaxNoteLength);
    EXPECT_EQ(cleanNote(pairs.substr(1)).size(), kMaxNoteLength - 1);
}

TEST(Replay, ANoteRewritesOnlyItsOwnLine) {
    Calc calc;
    calc.line("500+");
    calc.line("300+");
    const std::string before = utf8(calc.tape.text());
    EXPECT_TRUE(calc.tape.setNote(0, u"交通費"));
    EXPECT_FALSE(calc.tape.setNote(0, u"交通費"));
    EXPECT_FALSE(calc.tape.setNote(9, u"x"));
    EXPECT_EQ(utf8(calc.tape.text()), "      0 +500= 500  交通費\r\n      500 +300= 800\r\n");
    calc.line("1+");
    EXPECT_EQ(calc.tape.entryAtLine(2), 2U);
    EXPECT_TRUE(calc.tape.setNote(0, u""));
    EXPECT_EQ(utf8(calc.tape.text()).substr(0, before.size()), before);
    EXPECT_EQ(calc.tape.offsetOf(2), before.size());
}

} // namespace
} // namespace sumiplex::engine::testing
