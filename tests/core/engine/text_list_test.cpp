// The packed list of totals must read back every item as pushed, also after the last one
// is replaced or the list cleared, and empty items must keep their place.

#include "core/engine/text_list.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace sumiplex::engine
