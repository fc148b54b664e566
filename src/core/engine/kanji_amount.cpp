#include "core/engine/kanji_amount.h"

#include "core/engine/input_forms.h"

#include <string>
#include <vector>

namespace sumiplex::engine {

namespace {

constexpr std::u16string_view kBigUnits = u"万億兆京垓";
constexpr char16_t kThousand = u'千';

int exponentOf(char16_t unit) {
    return 4 * (static_cast<int>(kBigUnits.find(unit)) + 1);
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool allDigits(std::u16string_view s) {
    for (const char16_t c : s)
        if (!isDigit(c))
            return false;
    return true;
}

// One group between unit words: plain digits (commas and a fraction where the caller
// allows them), or "d千" with up to three digits after it.
struct GroupRules {
    bool first = false; // before every unit: any number of digits, commas allowed
    bool fractionAllowed = false;
};

std::optional<Decimal> groupValue(std::u16string_view g, GroupRules rules) {
    if (g.empty())
        return std::nullopt;
    if (const auto k = g.find(kThousand); k != std::u16string_view::npos) {
        const std::u16string_view high = g.substr(0, k);
        const std::u16string_view low = g.substr(k + 1);
        if (high.size() != 1 || !isDigit(high[0]) || high[0] == u'0' || low.size() > 3 ||
            !allDigits(low))
            return std::nullopt;
        // The digits after 千 are the rest as written: "5千300" is 5,300, "5千3" is 5,003.
        std::int64_t v = 0;
        for (const char16_t c : low)
            v = v * 10 + (c - u'0');
        v += static_cast<std::int64_t>(high[0] - u'0') * 1000;
        return Decimal::fromInt(v);
    }
    const auto dot = g.find(u'.');
    const std::u16string_view whole = g.substr(0, dot);
    if (dot != std::u16string_view::npos) {
        const std::u16string_view fraction = g.substr(dot + 1);
        if (!rules.fractionAllowed || fraction.empty() || !allDigits(fraction))
            return std::nullopt;
    }
    if (whole.empty())
        return std::nullopt;
    if (rules.first) {
        // Group commas as a plain number has them ("1,500万"), never a comma at either end.
        if (whole.front() == u',' || whole.back() == u',')
            return std::nullopt;
        for (const char16_t c : whole)
            if (!isDigit(c) && c != u',')
                return std::nullopt;
    } else if (whole.size() > 4 || !allDigits(whole)) {
        return std::nullopt;
    }
    return Decimal::parse(g);
}

struct Piece {
    std::u16string_view group;
    int exponent; // of the unit after the group; 0 for the part after the last unit
};

std::optional<Decimal> parseUnits(std::u16string_view body) {
    std::vector<Piece> pieces;
    std::size_t start = 0;
    int previous = 1000;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (kBigUnits.find(body[i]) == std::u16string_view::npos)
            continue;
        const int exponent = exponentOf(body[i]);
        if (exponent >= previous || i == start)
            return std::nullopt;
        pieces.push_back({body.substr(start, i - start), exponent});
        previous = exponent;
        start = i + 1;
    }
    if (start < body.size())
        pieces.push_back({body.substr(start), 0});
    const bool singleUnit = pieces.size() == 1 && pieces[0].exponent > 0;
    Decimal total;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const bool last = i + 1 == pieces.size();
        const GroupRules rules{i == 0, singleUnit || (last && pieces[i].exponent == 0)};
        const auto value = groupValue(pieces[i].group, rules);
        if (!value)
            return std::nullopt;
        const auto scale = Decimal::pow10(pieces[i].exponent);
        const auto scaled = scale ? value->mul(*scale) : std::nullopt;
        const auto sum = scaled ? total.add(*scaled) : std::nullopt;
        if (!sum)
            return std::nullopt;
        total = *sum;
    }
    return total;
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\u3000';
}

} // namespace

std::optional<Decimal> parseAmount(std::u16string_view text) {
    if (text.find_first_of(u"万億兆京垓千") == std::u16string_view::npos)
        return Decimal::parse(text);
    std::u16string t(text);
    toAsciiInputForms(t);
    std::u16string_view body = t;
    while (!body.empty() && isBlank(body.front()))
        body.remove_prefix(1);
    while (!body.empty() && isBlank(body.back()))
        body.remove_suffix(1);
    bool negative = false;
    if (!body.empty() && (body.front() == u'-' || body.front() == u'+')) {
        negative = body.front() == u'-';
        body.remove_prefix(1);
    }
    const auto value = parseUnits(body);
    if (!value)
        return std::nullopt;
    return negative ? value->negated() : *value;
}

} // namespace sumiplex::engine
