#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/decimal/decimal.h"

namespace sumiplex::test {

/// A value written in plain text; a typo in a table fails loudly instead of reading as zero.
inline Decimal dec(std::string_view text) {
    const auto d = Decimal::parse(text);
    if (!d) {
        throw std::invalid_argument("not a number: " + std::string(text));
    }
    return *d;
}

/// The plain form of a result, or "error" for an empty one: lets tables hold both.
inline std::string plain(const std::optional<Decimal>& d) {
    return d ? d->toPlainAscii() : std::string("error");
}

inline std::string ascii(const std::u16string& s) {
    std::string out;
    for (const char16_t c : s) {
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

} // namespace sumiplex::test
