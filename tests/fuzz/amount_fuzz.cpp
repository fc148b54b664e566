// Feeds the amount reader texts built from the characters formatted amounts are made of, one
// byte choosing each character. Besides the sanitizers it checks that what the plain number
// reader reads keeps its value, and that a sign form put around an amount that reads either
// negates it or makes no number.

#include "core/engine/kanji_amount.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using sumiplex::Decimal;
using sumiplex::engine::parseAmount;

constexpr std::u16string_view kAlphabet =
    u"0123456789,. -+\u2009\u3000\u2212¥￥$＄円△▲()（）万千億１，";

void require(bool ok) {
    if (!ok)
        std::abort();
}

void requireNegatedOrNothing(const std::u16string& text, const Decimal& value) {
    const auto wrapped = parseAmount(text);
    require(!wrapped || *wrapped == value.negated());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size && i < 64; ++i)
        text.push_back(kAlphabet[data[i] % kAlphabet.size()]);
    const auto value = parseAmount(text);
    if (text.find_first_of(u"万千億") == std::u16string::npos) {
        if (const auto plain = Decimal::parse(text))
            require(value && *value == *plain);
    }
    if (!value)
        return 0;
    requireNegatedOrNothing(u"(" + text + u")", *value);
    requireNegatedOrNothing(u"△" + text, *value);
    return 0;
}
