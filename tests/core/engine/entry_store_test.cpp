// The packed entry store must give back every entry exactly as it was recorded, whatever
// its kind, its strings and its amounts, and keep notes apart from the packed runs.

#include "core/engine/entry_store.h"
#include "core/engine/features_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sumiplex::engine {
namespace {

using test::dec;

// Everything a reader of an entry may look at; amounts also by how they are written
// (1.50 stays 1.50).
void expectSame(const TapeEntry& a, const TapeEntry& b) {
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.failed, b.failed);
    EXPECT_EQ(a.follows, b.follows);
    EXPECT_EQ(a.op, b.op);
    EXPECT_EQ(a.keyed, b.keyed);
    EXPECT_EQ(a.end, b.end);
    EXPECT_EQ(a.mode, b.mode);
    EXPECT_EQ(a.time, b.time);
    EXPECT_EQ(a.input, b.input);
    EXPECT_EQ(a.shown, b.shown);
    EXPECT_EQ(a.note, b.note);
    const auto plain = [](const StoredAmount& s) {
        return s.has_value() ? (*s).toPlainString() + u"/" + std::u16string(1, u'0' + (*s).scale())
                             : std::u16string(u"none");
    };
    EXPECT_EQ(plain(a.operand), plain(b.operand));
    EXPECT_EQ(plain(a.before), plain(b.before));
    EXPECT_EQ(plain(a.value), plain(b.value));
}

std::vector<TapeEntry> sampleEntries() {
    std::vector<TapeEntry> out;
    const auto add = [&out](auto&& fill) {
        TapeEntry e;
        fill(e);
        out.push_back(std::move(e));
    };
    add([](TapeEntry& e) {
        e.kind = EntryKind::OnTotal;
        e.op = u'+';
        e.time = 1'765'000'000;
        e.input = u"500+";
        e.before = dec("0");
        e.operand = dec("500");
        e.value = dec("500");
    });
    add([](TapeEntry& e) { // wide characters, a negative time, the largest amounts
        e.kind = EntryKind::Number;
        e.failed = true;
        e.follows = true;
        e.keyed = TapeEntry::kOperatorAtEvaluation | TapeEntry::kPastedFirst;
        e.op = u'¥';
        e.time = -86'400;
        e.input = u"１万２千-";
        e.shown = u"1万2千";
        e.operand = dec("-79228162514264337593543950335");
        e.before = dec("0.0000000000000000000000000001");
        e.value = dec("-1.50");
    });
    add([](TapeEntry& e) { // amounts whose low or high bits are all zero
        e.kind = EntryKind::OnTotal;
        e.op = u'+';
        e.operand = dec("18446744073709551616");         // 2^64
        e.before = dec("-4294967296.0000000000");        // 2^32, scaled
        e.value = dec("1844674407370955161.5000000001"); // past 64 bits, fraction kept
    });
    add([](TapeEntry& e) { // nothing set at all
        e.kind = EntryKind::AllClear;
    });
    add([](TapeEntry& e) {
        e.kind = EntryKind::PercentOfLine;
        e.end = PercentEnd::TakeOff;
        e.mode = RoundMode::HalfAwayFromZero;
        e.input = u"200*10%-";
        e.value = dec("180");
        e.note = u"交通費";
    });
    add([](TapeEntry& e) { // longer than a page of the store
        e.kind = EntryKind::Tool;
        e.shown = std::u16string(70'000, u'日') + u"\r\n";
        e.time = INT64_MAX;
    });
    add([](TapeEntry& e) {
        e.kind = EntryKind::Rounding;
        e.mode = RoundMode::Up;
        e.input = u"2";
        e.time = INT64_MIN;
        e.value = dec("12.35");
    });
    return out;
}

TEST(EntryStore, EveryEntryReadsBackAsRecorded) {
    const std::vector<TapeEntry> entries = sampleEntries();
    EntryStore store;
    // Enough rounds that the runs fill several pages.
    for (int round = 0; round < 3000; ++round)
        for (const TapeEntry& e : entries)
            store.push_back(e);
    ASSERT_EQ(store.size(), 3000 * entries.size());
    for (std::size_t i = 0; i < store.size(); i += 997)
        expectSame(store[i], entries[i % entries.size()]);
    expectSame(store.back(), entries.back());
    std::size_t i = 0;
    for (const TapeEntry& e : store)
        if (i++ < entries.size())
            expectSame(e, entries[i - 1]);
    EXPECT_EQ(store.slice(store.size() - 2).size(), 2U);
    EXPECT_TRUE(store.slice(5, 3).empty());
    EXPECT_THROW((void)store.at(store.size()), std::out_of_range);
}

TEST(EntryStore, NotesChangeBesideTheRuns) {
    EntryStore store;
    TapeEntry e;
    e.kind = EntryKind::Number;
    for (int i = 0; i < 5; ++i)
        store.push_back(e);
    struct Step {
        std::size_t index;
        std::u16string note;
    };
    const Step steps[] = {{3, u"c"}, {1, u"a"}, {4, u"d"}, {1, u"A"}, {3, u""}, {0, u""}};
    std::u16string expected[5];
    for (const Step& step : steps) {
        store.setNote(step.index, step.note);
        expected[step.index] = step.note;
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(store.note(i), expected[i]) << i;
            EXPECT_EQ(store[i].note, expected[i]) << i;
        }
    }
}

} // namespace
} // namespace sumiplex::engine
