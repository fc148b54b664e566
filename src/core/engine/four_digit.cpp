#include "core/engine/four_digit.h"

#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace sumiplex::engine {

namespace {

// Unit words in ascending order; nothing follows 垓, so a longer head stays in front of it.
constexpr std::array<char16_t, 5> kUnits = {u'万', u'億', u'兆', u'京', u'垓'};
constexpr std::size_t kBlock = 4;

struct Groups {
    std::u16string head;                // leading digits, with the minus sign if any
    std::vector<std::u16string> blocks; // four digits each, highest first, zeros kept
};

// Splits the digits of the whole part from the right into blocks of four: as many blocks
// as there are unit words, at most, and at least one digit left for the head.
Groups splitWhole(const std::u16string& sign, const std::u16string& digits) {
    Groups g;
    std::size_t blockCount = digits.empty() ? 0 : (digits.size() - 1) / kBlock;
    if (blockCount > kUnits.size())
        blockCount = kUnits.size();
    const std::size_t headLength = digits.size() - blockCount * kBlock;
    g.head = sign + digits.substr(0, headLength);
    for (std::size_t i = 0; i < blockCount; ++i)
        g.blocks.push_back(digits.substr(headLength + i * kBlock, kBlock));
    return g;
}

// With `count` blocks the head carries the highest unit used and block i (0 = highest)
// the next lower one.
char16_t unitAfterHead(std::size_t count) {
    return kUnits[count - 1];
}
char16_t unitAfterBlock(std::size_t i, std::size_t count) {
    return kUnits[count - 2 - i];
}

// The whole part's digits without sign, and the sign as the value shows it.
std::pair<std::u16string, std::u16string> signAndDigits(const Decimal& value) {
    std::u16string whole = value.truncated().toPlainString();
    std::u16string sign;
    if (!whole.empty() && whole[0] == u'-') {
        sign = u"-";
        whole.erase(0, 1);
    }
    return {sign, whole};
}

} // namespace

std::u16string fourDigitFullForm(const Decimal& value) {
    auto [sign, digits] = signAndDigits(value);
    // Between -1 and 0 the whole part is 0; keep the minus so -0.5 does not read as 0.5.
    if (sign.empty() && value.isNegative())
        sign = u"-";
    const Groups g = splitWhole(sign, digits);
    std::u16string text = g.head;
    const std::size_t count = g.blocks.size();
    if (count > 0)
        text += unitAfterHead(count);
    for (std::size_t i = 0; i < count; ++i) {
        text += g.blocks[i];
        if (i + 1 < count)
            text += unitAfterBlock(i, count);
    }
    const std::u16string plain = value.toPlainString();
    if (const auto dot = plain.find(u'.'); dot != std::u16string::npos)
        text += plain.substr(dot);
    return text;
}

std::u16string fourDigitShortReading(const Decimal& value) {
    const auto [sign, digits] = signAndDigits(value);
    const Groups g = splitWhole(sign, digits);
    const std::size_t count = g.blocks.size();
    std::u16string text = g.head;
    if (count == 0)
        return text;
    text += unitAfterHead(count);
    text += g.blocks[0];
    // From 億 on, the one block shown is followed by its unit; below, the block ends it.
    if (count > 1)
        text += unitAfterBlock(0, count);
    return text;
}

std::optional<int> windowWidthForCaption(int captionLength, bool fourDigitMode) {
    struct Row {
        int width;
        int onFrom, onTo;
        int offFrom, offTo;
    };
    static constexpr std::array<Row, 6> kRows = {{
        {9630, 37, 42, 44, 47},
        {8580, 33, 36, 40, 43},
        {7800, 30, 32, 36, 39},
        {6870, 26, 29, 32, 35},
        {6030, 22, 25, 28, 31},
        {5220, 18, 21, 24, 27},
    }};
    for (const Row& row : kRows) {
        const int from = fourDigitMode ? row.onFrom : row.offFrom;
        const int to = fourDigitMode ? row.onTo : row.offTo;
        if (captionLength >= from && captionLength <= to)
            return row.width;
    }
    return std::nullopt;
}

} // namespace sumiplex::engine
