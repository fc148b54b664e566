#include "core/settings/values.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace sumiplex::settings {
namespace {

constexpr double kTwipsPerInch = 1440.0;

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Checks the plain decimal grammar: [+-] digits [. digits] [(e|E) [+-] digits], with at least
// one digit in the mantissa. Keeps "inf", "nan" and hexadecimal forms out of from_chars.
bool isPlainNumber(std::u16string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == u'.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == s.size();
}

std::optional<double> parseFinite(std::u16string_view text) {
    text = trimmed(text);
    if (!isPlainNumber(text)) {
        return std::nullopt;
    }
    std::string narrow;
    narrow.reserve(text.size());
    for (char16_t c : text) {
        narrow.push_back(static_cast<char>(c));
    }
    // from_chars takes no leading '+'.
    std::size_t start = narrow.front() == '+' ? 1 : 0;
    double value = 0;
    const auto [end, error] =
        std::from_chars(narrow.data() + start, narrow.data() + narrow.size(), value);
    if (error != std::errc{} || end != narrow.data() + narrow.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

template <typename Int> std::optional<Int> parseWhole(std::u16string_view text) {
    const auto value = parseFinite(text);
    if (!value) {
        return std::nullopt;
    }
    // The default floating-point environment rounds to nearest, ties to even.
    const double whole = std::nearbyint(*value);
    if (whole < static_cast<double>(std::numeric_limits<Int>::min()) ||
        whole > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(whole);
}

std::u16string widen(const char* begin, const char* end) {
    std::u16string out;
    out.reserve(static_cast<std::size_t>(end - begin));
    for (const char* p = begin; p != end; ++p) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*p)));
    }
    return out;
}

template <typename Float> std::u16string formatFloating(Float value) {
    if (!std::isfinite(value) || value == 0) {
        return u"0";
    }
    // Fixed notation of the largest double has 309 digits before the point.
    std::array<char, 400> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed);
    if (error != std::errc{}) {
        return u"0";
    }
    return widen(buffer.data(), end);
}

} // namespace

std::optional<bool> parseTruth(std::u16string_view text) {
    text = trimmed(text);
    const auto equalsIgnoringCase = [text](std::u16string_view word) {
        if (text.size() != word.size()) {
            return false;
        }
        for (std::size_t i = 0; i < text.size(); ++i) {
            char16_t c = text[i];
            if (c >= u'A' && c <= u'Z') {
                c = static_cast<char16_t>(c - u'A' + u'a');
            }
            if (c != word[i]) {
                return false;
            }
        }
        return true;
    };
    if (equalsIgnoringCase(u"true")) {
        return true;
    }
    if (equalsIgnoringCase(u"false")) {
        return false;
    }
    return std::nullopt;
}

std::optional<std::int16_t> parseInt16(std::u16string_view text) {
    return parseWhole<std::int16_t>(text);
}

std::optional<std::int32_t> parseInt32(std::u16string_view text) {
    return parseWhole<std::int32_t>(text);
}

std::optional<float> parseSingle(std::u16string_view text) {
    const auto value = parseFinite(text);
    if (!value || std::fabs(*value) > static_cast<double>(std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return static_cast<float>(*value);
}

std::optional<double> parseDouble(std::u16string_view text) {
    return parseFinite(text);
}

std::u16string formatTruth(bool value) {
    return value ? u"True" : u"False";
}

std::u16string formatNumber(double value) {
    return formatFloating(value);
}

std::u16string formatNumber(float value) {
    return formatFloating(value);
}

std::u16string formatNumber(std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    (void)error; // 24 characters hold every 64-bit value
    return widen(buffer.data(), end);
}

int twipsToPixels(double twips, double dotsPerInch) {
    const double pixels = std::round(twips * dotsPerInch / kTwipsPerInch);
    if (!std::isfinite(pixels)) {
        return 0;
    }
    constexpr double kLimit = 1 << 24; // far beyond any screen, far inside int
    return static_cast<int>(std::fmax(-kLimit, std::fmin(kLimit, pixels)));
}

double pixelsToTwips(int pixels, double dotsPerInch) {
    if (!(dotsPerInch > 0)) {
        return 0;
    }
    return std::round(static_cast<double>(pixels) * kTwipsPerInch / dotsPerInch);
}

} // namespace sumiplex::settings
