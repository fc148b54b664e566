// Arbitrary text as a value of the settings file: every reader of a stored value. The first
// byte's low bit says whether the rest is UTF-8 bytes widened one by one or raw UTF-16 code
// units. Checks that each value read is within its type's range, that what the program
// would write back reads as the same value, and that the tape limit is a day count it can
// keep or nothing.

#include "core/journal/retention.h"
#include "core/settings/values.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace sumiplex::settings;

void require(bool ok) {
    if (!ok)
        std::abort();
}

std::u16string textOf(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    if (size == 0)
        return text;
    if ((data[0] & 1) == 0) {
        for (std::size_t i = 1; i < size; ++i)
            text += static_cast<char16_t>(data[i]);
    } else {
        for (std::size_t i = 1; i + 1 < size; i += 2)
            text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = textOf(data, size);
    if (const auto truth = parseTruth(text))
        require(parseTruth(formatTruth(*truth)) == truth);
    if (const auto value = parseInt16(text))
        require(parseInt16(formatNumber(static_cast<std::int64_t>(*value))) == value);
    if (const auto value = parseInt32(text))
        require(parseInt32(formatNumber(static_cast<std::int64_t>(*value))) == value);
    if (const auto value = parseSingle(text)) {
        require(std::isfinite(*value));
        require(parseSingle(formatNumber(*value)) == value);
    }
    if (const auto value = parseDouble(text)) {
        require(std::isfinite(*value));
        require(parseDouble(formatNumber(*value)) == value);
    }
    if (const auto days = sumiplex::journal::parseKeepDays(text)) {
        require(*days >= 1 && *days <= sumiplex::journal::kMaxKeepDays);
    } else {
        const std::u16string notice = sumiplex::journal::keepEveryTapeNotice(text);
        require(notice.find(u"TapeKeepDays") != std::u16string::npos);
        require(notice.find(u'\n') == std::u16string::npos &&
                notice.find(u'\r') == std::u16string::npos);
    }
    return 0;
}
