#pragma once

#include "core/decimal/decimal.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::engine::test {

// UTF-8 copy of a UTF-16 text, so a failing comparison prints readable Japanese.
inline std::string utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

inline std::optional<std::string> utf8Opt(const std::optional<std::u16string>& text) {
    if (!text)
        return std::nullopt;
    return utf8(*text);
}

// A decimal from its plain text; the tables are written with valid numbers only.
inline Decimal dec(std::string_view text) {
    const auto value = Decimal::parse(text);
    EXPECT_TRUE(value.has_value()) << "unreadable test number " << text;
    return value.value_or(Decimal{});
}

} // namespace sumiplex::engine::test
