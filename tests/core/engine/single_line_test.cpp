#include "core/engine/single_line.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using sumiplex::engine::asSingleLine;
using sumiplex::testing::utf8;

TEST(SingleLine, DropsBreaksAtTheEdgesOfWhatCameInAndRefusesTheRest) {
    struct Case {
        std::u16string text;
        std::size_t caret;
        std::optional<std::u16string> line;
        std::size_t caretAfter;
    };
    const std::vector<Case> cases = {
        {u"1500", 4, u"1500", 4},
        {u"1500\r\n", 6, u"1500", 4},           // a copied spreadsheet cell
        {u"100+1500\n+3", 9, u"100+1500+3", 8}, // pasted "1500\n" before "+3"
        {u"\r\n1500", 6, u"1500", 4},           // a break at the start of the line
        {u"1500\n\n", 2, u"1500", 2},           // trailing breaks, caret elsewhere
        {u"100\n200", 7, std::nullopt, 0},      // would read 100200 or lose 200
        {u"100\r\n200\r\n", 10, std::nullopt, 0},
        {u"1\u20282", 3, std::nullopt, 0},
        {u"1\r2", 1, std::nullopt, 0},
        {u"\n", 1, u"", 0},
    };
    for (const Case& c : cases) {
        std::size_t caret = c.caret;
        const auto line = asSingleLine(c.text, caret);
        ASSERT_EQ(line.has_value(), c.line.has_value()) << utf8(c.text);
        if (line) {
            EXPECT_EQ(utf8(*line), utf8(*c.line)) << utf8(c.text);
            EXPECT_EQ(caret, c.caretAfter) << utf8(c.text);
        }
    }
}

} // namespace
