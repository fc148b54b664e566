#include "core/engine/four_digit.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

namespace sumiplex::engine {

namespace {

// Unit words in ascending order; nothing follows 垓, so a longer head stays in front of it.
constexpr std::array<char16_t, 5> kUnits = {u'万', u'億', u'兆', u'京', u'垓'};
constexpr std::size_t kBlock = 4;

// The digits of a value's whole part, without its sign, and the sign as the whole part
// shows it: a whole part of 0 has none.
struct WholeDigits {
    char16_t buffer[40];
    std::size_t first = std::size(buffer);
    bool negative = false;

    explicit WholeDigits(const Decimal& value) {
        const Decimal whole = value.truncated();
        Decimal::Mantissa m = whole.mantissa();
        // Digits above 64 bits need the slow 128-bit division; the rest do not.
        while ((m >> 64U) != 0) {
            buffer[--first] = static_cast<char16_t>(u'0' + static_cast<unsigned>(m % 10));
            m /= 10;
        }
        auto low = static_cast<std::uint64_t>(m);
        do {
            buffer[--first] = static_cast<char16_t>(u'0' + low % 10);
            low /= 10;
        } while (low != 0);
        negative = whole.isNegative();
    }
    [[nodiscard]] std::u16string_view digits() const {
        return {buffer + first, std::size(buffer) - first};
    }
};

// Splits the digits of the whole part from the right into blocks of four: as many blocks
// as there are unit words, at most, and at least one digit left for the head.
std::size_t blockCount(std::size_t digitCount) {
    return std::min((digitCount - 1) / kBlock, kUnits.size());
}

// With `count` blocks the head carries the highest unit used and block i (0 = highest)
// the next lower one.
char16_t unitAfterHead(std::size_t count) {
    return kUnits[count - 1];
}
char16_t unitAfterBlock(std::size_t i, std::size_t count) {
    return kUnits[count - 2 - i];
}

} // namespace

std::u16string fourDigitFullForm(const Decimal& value) {
    const WholeDigits whole(value);
    const std::u16string_view digits = whole.digits();
    const std::size_t count = blockCount(digits.size());
    const std::size_t headLength = digits.size() - count * kBlock;
    std::u16string text;
    text.reserve(digits.size() + count + 32);
    // Between -1 and 0 the whole part is 0; keep the minus so -0.5 does not read as 0.5.
    if (whole.negative || value.isNegative())
        text += u'-';
    text += digits.substr(0, headLength);
    if (count > 0)
        text += unitAfterHead(count);
    for (std::size_t i = 0; i < count; ++i) {
        text += digits.substr(headLength + i * kBlock, kBlock);
        if (i + 1 < count)
            text += unitAfterBlock(i, count);
    }
    if (!value.isWhole()) {
        const std::u16string plain = value.toPlainString();
        text += std::u16string_view(plain).substr(plain.find(u'.'));
    }
    return text;
}

std::u16string fourDigitShortReading(const Decimal& value) {
    const WholeDigits whole(value);
    const std::u16string_view digits = whole.digits();
    const std::size_t count = blockCount(digits.size());
    const std::size_t headLength = digits.size() - count * kBlock;
    std::u16string text;
    text.reserve(headLength + kBlock + 3);
    if (whole.negative)
        text += u'-';
    text += digits.substr(0, headLength);
    if (count == 0)
        return text;
    text += unitAfterHead(count);
    text += digits.substr(headLength, kBlock);
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
