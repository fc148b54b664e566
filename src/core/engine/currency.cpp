#include "core/engine/currency.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace sumiplex::engine {

std::optional<std::u16string> yenConversionText(const Decimal& total,
                                                std::u16string_view rateText) {
    const auto rate = Decimal::parse(rateText);
    if (!rate)
        return std::nullopt;
    if (total.isZero())
        return u"1 USD   JPY   " + formatPattern(*rate, kPatternRate);
    const auto yen = total.mul(*rate);
    if (!yen)
        return std::nullopt;
    return u"JPY    " + FormatAmount(*yen);
}

std::optional<std::u16string> dollarConversionText(const Decimal& total,
                                                   std::u16string_view rateText) {
    const auto rate = Decimal::parse(rateText);
    if (!rate || rate->isZero())
        return std::nullopt;
    if (total.isZero()) {
        // The one-unit line is worked out in double precision, as the rate itself is kept.
        const auto perYen = Decimal::fromDouble(1.0 / rate->toDouble());
        if (!perYen)
            return std::nullopt;
        return u"1 JPY   USD   " + formatPattern(*perYen, kPatternLong);
    }
    const auto dollars = total.div(*rate);
    if (!dollars)
        return std::nullopt;
    return u"USD    " + FormatAmount(*dollars);
}

namespace {

// Rewrites the exponent form of std::to_chars ("1.25e-05", "1e+22") as plain digits.
std::string expandExponent(const std::string& text) {
    const auto ePos = text.find('e');
    if (ePos == std::string::npos)
        return text;
    const bool negative = !text.empty() && text[0] == '-';
    const std::string significand = text.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    const int exponent = std::stoi(text.substr(ePos + 1));
    std::string digits;
    int pointAt = static_cast<int>(significand.size()); // digits before the point
    if (const auto dot = significand.find('.'); dot != std::string::npos) {
        digits = significand.substr(0, dot) + significand.substr(dot + 1);
        pointAt = static_cast<int>(dot);
    } else {
        digits = significand;
    }
    pointAt += exponent;
    // Built by appending into one string: GCC 12 warns falsely (-Wrestrict) about assigning
    // short literals and chains of operator+ on temporaries here.
    std::string out;
    if (negative)
        out.push_back('-');
    if (pointAt <= 0) {
        out.append("0.");
        out.append(static_cast<std::size_t>(-pointAt), '0');
        out.append(digits);
    } else if (pointAt >= static_cast<int>(digits.size())) {
        out.append(digits);
        out.append(static_cast<std::size_t>(pointAt) - digits.size(), '0');
    } else {
        out.append(digits, 0, static_cast<std::size_t>(pointAt));
        out.push_back('.');
        out.append(digits, static_cast<std::size_t>(pointAt));
    }
    return out;
}

} // namespace

std::u16string plainRateText(double rate) {
    if (rate == 0.0)
        return u"0"; // also for -0.0
    std::array<char, 64> buffer{};
    // The scientific form gives the fewest significant digits that read back as the same
    // double; the plain form of large numbers would spell out every binary digit instead.
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), rate,
                                      std::chars_format::scientific);
    std::string text(buffer.data(), result.ptr);
    if (std::isfinite(rate))
        text = expandExponent(text);
    return std::u16string(text.begin(), text.end());
}

bool isUsableExchangeRate(double rate) {
    constexpr double kRateLimit = 1e15;
    if (!(rate > 0.0) || !(rate < kRateLimit))
        return false;
    // The conversions read the rate back from the text the rate box shows.
    const auto asDecimal = Decimal::parse(plainRateText(rate));
    return asDecimal && !asDecimal->isZero();
}

double exchangeRateFromText(std::u16string_view text, double oldRate) {
    const auto value = Decimal::parse(text.empty() ? std::u16string_view{u"1"} : text);
    if (!value)
        return oldRate;
    const double rate = value->toDouble();
    return isUsableExchangeRate(rate) ? rate : oldRate;
}

std::optional<std::u16string> totalCaptionWithAmount(std::u16string_view caption,
                                                     std::u16string_view amount, int blanks) {
    std::u16string_view word;
    if (caption.starts_with(u"USD"))
        word = u"USD";
    else if (caption.starts_with(u"JPY"))
        word = u"JPY";
    else if (caption.starts_with(u"Tot"))
        word = u"Total";
    else
        return std::nullopt;
    std::u16string out;
    out.reserve(word.size() + static_cast<std::size_t>(blanks) + amount.size());
    out.append(word).append(static_cast<std::size_t>(blanks), u' ').append(amount);
    return out;
}

} // namespace sumiplex::engine
