// The packed list of totals must read back every item as pushed, also after the last one
// is replaced or the list cleared, and empty items must keep their place.

#include "core/engine/text_list.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace sumiplex::engine {
namespace {

TEST(TextList, ReadsBackWhatAVectorWouldHold) {
    enum class Op { Push, ReplaceBack, Clear };
    struct Step {
        Op op;
        const char16_t* item;
    };
    const Step steps[] = {
        {Op::Push, u"100"},
        {Op::Push, u""},
        {Op::Push, u"-1234.5678"},
        {Op::ReplaceBack, u"7"},
        {Op::Clear, u""},
        {Op::Push, u"1"},
        {Op::ReplaceBack, u"22"},
        {Op::ReplaceBack, u""},
        {Op::Push, u"79228162514264337593543950335"},
        {Op::Push, u"0.0000001"},
    };
    TextList list;
    std::vector<std::u16string> model;
    for (const Step& step : steps) {
        switch (step.op) {
        case Op::Push:
            list.push_back(step.item);
            model.emplace_back(step.item);
            break;
        case Op::ReplaceBack:
            list.replaceBack(step.item);
            model.back() = step.item;
            break;
        case Op::Clear:
            list.clear();
            model.clear();
            break;
        }
        ASSERT_EQ(list.size(), model.size());
        EXPECT_TRUE(list == model);
        for (std::size_t i = 0; i < model.size(); ++i)
            EXPECT_EQ(std::u16string(list[i]), model[i]) << i;
        std::vector<std::u16string> walked;
        for (const std::u16string_view item : list)
            walked.emplace_back(item);
        EXPECT_EQ(walked, model);
    }
    EXPECT_FALSE(list == (std::vector<std::u16string>{u"22", u"79228162514264337593543950335"}));
    EXPECT_TRUE((list == TextList{u"", u"79228162514264337593543950335", u"0.0000001"}));
}

// Thousands of items move the storage many times; copies and moves keep every item, and a
// list assigned from another or from itself holds the same items.
TEST(TextList, KeepsItsItemsThroughGrowthCopiesAndMoves) {
    TextList list;
    std::vector<std::u16string> model;
    for (int i = 0; i < 5000; ++i) {
        model.push_back(std::u16string(static_cast<std::size_t>(i % 13), u'7') + u"." +
                        static_cast<char16_t>(u'0' + i % 10));
        list.push_back(model.back());
    }
    const TextList copied = list;
    TextList assigned{u"x"};
    assigned = copied;
    const TextList& same = assigned;
    assigned = same;
    TextList moved = std::move(list);
    for (const TextList* l : std::initializer_list<const TextList*>{&copied, &assigned, &moved})
        EXPECT_TRUE(*l == model);
    moved.clear();
    EXPECT_TRUE(moved.empty());
    EXPECT_TRUE(copied == model);
}

} // namespace
} // namespace sumiplex::engine
