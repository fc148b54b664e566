#pragma once

#include "core/decimal/decimal.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::engine::test {

using sumiplex::testing::utf8;

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
