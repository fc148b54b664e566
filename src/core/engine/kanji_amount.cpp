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

std::u16string_view trimmed(std::u16string_view s, bool (*blank)(char16_t)) {
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<Decimal> unitAmount(std::u16string_view text) {
    std::u16string t(text);
    toAsciiInputForms(t);
    std::u16string_view body = trimmed(t, isBlank);
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

// --- amounts as spreadsheets, accounting programs and web pages format them -----------

// The blanks a pasted amount may be grouped with: an ordinary one or its full-width form,
// and the thin and narrow no-break blanks typesetting puts between groups of three.
bool isGroupBlank(char16_t c) {
    return c == u' ' || c == u'\u3000' || c == u'\u2009' || c == u'\u202F';
}

bool isOuterBlank(char16_t c) {
    return isBlank(c) || isGroupBlank(c) || c == u'\t';
}

// The full-width marks the input line leaves as they are, as their narrow forms.
char16_t narrowMark(char16_t c) {
    switch (c) {
    case u'\uFFE5': // ￥
        return u'\u00A5';
    case u'\uFF04': // ＄
        return u'$';
    case u'\uFF08': // （
        return u'(';
    case u'\uFF09': // ）
        return u')';
    default:
        return c;
    }
}

// Digits grouped in threes by "," or by one kind of blank, or not grouped at all, with an
// optional fraction: "1,234,567.5", "1 234 567", "1234.50". A first group of more than three
// digits, a group of another size or a second kind of separator is no amount: "1,2345" or
// "12 345,67" are not what their writer meant to be read here.
std::optional<Decimal> groupedNumber(std::u16string_view s) {
    const auto dot = s.find(u'.');
    const std::u16string_view whole = s.substr(0, dot);
    std::u16string plain;
    plain.reserve(s.size());
    char16_t separator = 0;
    std::size_t run = 0; // digits since the last separator
    for (const char16_t c : whole) {
        if (isDigit(c)) {
            plain.push_back(c);
            ++run;
            continue;
        }
        if (c != u',' && !isGroupBlank(c))
            return std::nullopt;
        const bool firstGroupFits = separator == 0 && run >= 1 && run <= 3;
        if (!firstGroupFits && (c != separator || run != 3))
            return std::nullopt;
        separator = c;
        run = 0;
    }
    if (run == 0 || (separator != 0 && run != 3))
        return std::nullopt;
    if (dot != std::u16string_view::npos) {
        const std::u16string_view fraction = s.substr(dot + 1);
        if (fraction.empty() || !allDigits(fraction))
            return std::nullopt;
        plain.push_back(u'.');
        plain.append(fraction);
    }
    return Decimal::parse(plain);
}

// An amount with its currency mark, "¥1,234", "$1,234.50", "1,234円", "3万円", or without
// one. A "-" right after a leading mark ("¥-1,234", as spreadsheets write a negative sum)
// is read where no other sign form surrounds the amount.
std::optional<Decimal> markedAmount(std::u16string_view s, bool signAfterMark) {
    bool negative = false;
    if (!s.empty() && (s.front() == u'\u00A5' || s.front() == u'$')) {
        s.remove_prefix(1);
        if (signAfterMark && !s.empty() && s.front() == u'-') {
            negative = true;
            s.remove_prefix(1);
        }
    } else if (!s.empty() && s.back() == u'円') {
        s.remove_suffix(1);
    }
    if (s.empty())
        return std::nullopt;
    const bool units = s.find_first_of(u"万億兆京垓千") != std::u16string_view::npos;
    const auto value = units ? parseUnits(s) : groupedNumber(s);
    if (!value)
        return std::nullopt;
    return negative ? value->negated() : *value;
}

// One sign form around the amount at most: "-", "+", "△" or "▲" in front, a "-" at the end,
// or the whole amount in parentheses; a second one ("△-1", "1,234--") is no amount.
std::optional<Decimal> formattedAmount(std::u16string_view text) {
    std::u16string t(text);
    toAsciiInputForms(t);
    for (char16_t& c : t)
        c = narrowMark(c);
    std::u16string_view s = trimmed(t, isOuterBlank);
    if (s.empty())
        return std::nullopt;
    bool negative = true;
    bool signAfterMark = false;
    if (s.front() == u'(') {
        if (s.size() < 2 || s.back() != u')')
            return std::nullopt;
        s = s.substr(1, s.size() - 2);
    } else if (s.front() == u'-' || s.front() == u'\u25B3' || s.front() == u'\u25B2') { // △ ▲
        s.remove_prefix(1);
    } else if (s.front() == u'+') {
        negative = false;
        s.remove_prefix(1);
    } else if (s.back() == u'-') {
        s.remove_suffix(1);
    } else {
        negative = false;
        signAfterMark = true;
    }
    const auto value = markedAmount(s, signAfterMark);
    if (!value)
        return std::nullopt;
    return negative ? value->negated() : *value;
}

} // namespace

std::optional<Decimal> parseAmount(std::u16string_view text) {
    // The forms read before amounts could be formatted keep their reading ("1,23,4" is 1234).
    const bool units = text.find_first_of(u"万億兆京垓千") != std::u16string_view::npos;
    if (auto value = units ? unitAmount(text) : Decimal::parse(text))
        return value;
    return formattedAmount(text);
}

} // namespace sumiplex::engine
