#include <string>

#include "core/decimal/decimal.h"
#include "core/decimal/wide.h"

namespace sumiplex {

using detail::kMax;
using detail::U128;

namespace {

constexpr U128 kMaxOver10 = kMax / 10;
constexpr unsigned kMaxLastDigit = static_cast<unsigned>(kMax % 10);

/// Whether m * 10 + d stays within the mantissa range (constants only: no division per digit).
bool takesDigit(U128 m, unsigned d) {
    return m < kMaxOver10 || (m == kMaxOver10 && d <= kMaxLastDigit);
}

bool isBlank(char32_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

/// Full-width digits, signs, point and comma read as their ASCII counterparts.
char32_t narrow(char32_t c) {
    if (c >= u'\uFF0B' && c <= u'\uFF19') {
        return c - 0xFF0B + u'+';
    }
    return c;
}

/// Collects digits into a mantissa and a scale. Fraction digits that no longer fit only
/// decide the rounding: the first of them, and whether any later one is not zero.
class DigitCollector {
public:
    /// False when the whole part leaves the range.
    bool wholeDigit(unsigned d) {
        if (!takesDigit(m_mantissa, d)) {
            return false;
        }
        m_mantissa = m_mantissa * 10 + d;
        return true;
    }

    void fractionDigit(unsigned d) {
        if (m_roundDigit >= 0) {
            m_sticky |= d != 0;
        } else if (m_scale < Decimal::kMaxScale && takesDigit(m_mantissa, d)) {
            m_mantissa = m_mantissa * 10 + d;
            ++m_scale;
        } else {
            m_roundDigit = static_cast<int>(d);
        }
    }

    /// The value rounded half to even at the last digit kept; empty when rounding up
    /// leaves the range and no fraction digit is left to give up.
    std::optional<Decimal> value(bool negative) {
        if (m_roundDigit >= 0) {
            bool up =
                m_roundDigit > 5 || (m_roundDigit == 5 && (m_sticky || (m_mantissa & 1) != 0));
            if (up && m_mantissa == kMax) {
                // The rounded value needs one digit fewer.
                if (m_scale == 0) {
                    return std::nullopt;
                }
                const auto last = static_cast<int>(m_mantissa % 10);
                m_mantissa /= 10;
                --m_scale;
                // The dropped round digit was at least 5, so a last 5 is more than half.
                up = last >= 5;
            }
            m_mantissa += up ? 1 : 0;
        }
        return Decimal::fromParts(m_mantissa, m_scale, negative && m_mantissa != 0);
    }

private:
    U128 m_mantissa = 0;
    int m_scale = 0;
    int m_roundDigit = -1;
    bool m_sticky = false;
};

/// Reads the body of a number: digits, "," anywhere in the whole part, at most one ".",
/// and at least one digit.
template <class Ch> std::optional<Decimal> parseBody(const Ch* p, const Ch* end, bool negative) {
    DigitCollector digits;
    bool seenPoint = false;
    bool anyDigit = false;
    for (; p != end; ++p) {
        const char32_t c = narrow(static_cast<char32_t>(*p));
        if (c >= u'0' && c <= u'9') {
            const auto d = static_cast<unsigned>(c - u'0');
            anyDigit = true;
            if (!seenPoint) {
                if (!digits.wholeDigit(d)) {
                    return std::nullopt;
                }
            } else {
                digits.fractionDigit(d);
            }
        } else if ((c != u',' && c != u'.') || seenPoint) {
            return std::nullopt; // a stray character, or a "," or "." after the point
        } else {
            seenPoint = c == u'.';
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    return digits.value(negative);
}

template <class Ch> std::optional<Decimal> parseUnits(const Ch* begin, const Ch* end) {
    while (begin != end && isBlank(static_cast<char32_t>(*begin))) {
        ++begin;
    }
    while (end != begin && isBlank(static_cast<char32_t>(end[-1]))) {
        --end;
    }
    if (begin == end) {
        return std::nullopt;
    }
    const auto isSign = [](char32_t c) { return c == u'+' || c == u'-'; };
    bool negative = false;
    const char32_t first = narrow(static_cast<char32_t>(*begin));
    const char32_t last = narrow(static_cast<char32_t>(end[-1]));
    if (isSign(first)) {
        negative = first == u'-';
        ++begin;
        if (begin != end && isSign(last)) {
            return std::nullopt;
        }
    } else if (isSign(last)) {
        negative = last == u'-';
        --end;
    }
    return parseBody(begin, end, negative);
}

/// UTF-8 to UTF-16; empty on malformed input (which cannot be a number anyway).
std::optional<std::u16string> utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        char32_t cp = 0;
        std::size_t len = 0;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1Fu;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0Fu;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07u;
            len = 4;
        } else {
            return std::nullopt;
        }
        if (i + len > s.size()) {
            return std::nullopt;
        }
        for (std::size_t j = 1; j < len; ++j) {
            const auto c = static_cast<unsigned char>(s[i + j]);
            if ((c & 0xC0) != 0x80) {
                return std::nullopt;
            }
            cp = (cp << 6) | (c & 0x3Fu);
        }
        constexpr char32_t kMinForLength[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinForLength[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return std::nullopt;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

/// Text in the plain form the program writes ("-1234.5": a leading minus, digits, one
/// point) whose digits a mantissa and scale hold exactly, read in one pass; false for any
/// other text, which the general reader takes (it also rounds what does not fit). The totals list
/// is read back this way at every Back and Forward.
bool parsePlain(std::u16string_view text, std::optional<Decimal>& value) {
    // 29 digits stay below 2^128 whatever they are; whether they fit is checked at the end.
    constexpr int kMostDigits = 29;
    std::size_t i = !text.empty() && text.front() == u'-' ? 1 : 0;
    const bool negative = i == 1;
    // The first 19 digits go into 64 bits, which hold them whatever they are; the 128-bit
    // arithmetic is for the digits after them.
    constexpr int kDigits64 = 19;
    std::uint64_t head = 0;
    U128 mantissa = 0;
    int digits = 0;
    int scale = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            if (++digits > kMostDigits) {
                return false;
            }
            const auto digit = static_cast<unsigned>(c - u'0');
            if (digits <= kDigits64) {
                head = head * 10 + digit;
            } else {
                mantissa = (digits == kDigits64 + 1 ? U128{head} : mantissa) * 10 + digit;
            }
            scale += point ? 1 : 0;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (digits <= kDigits64) {
        mantissa = head;
    }
    if (digits == 0 || mantissa > kMax || scale > Decimal::kMaxScale) {
        return false;
    }
    value = Decimal::fromParts(mantissa, scale, negative && mantissa != 0);
    return true;
}

} // namespace

std::optional<Decimal> Decimal::parse(std::u16string_view text) {
    if (std::optional<Decimal> plain; parsePlain(text, plain)) {
        return plain;
    }
    return parseUnits(text.data(), text.data() + text.size());
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
    bool ascii = true;
    for (const char c : text) {
        ascii &= static_cast<unsigned char>(c) < 0x80;
    }
    if (ascii) {
        return parseUnits(reinterpret_cast<const unsigned char*>(text.data()),
                          reinterpret_cast<const unsigned char*>(text.data() + text.size()));
    }
    const auto wide = utf8ToUtf16(text);
    if (!wide) {
        return std::nullopt;
    }
    return parse(std::u16string_view(*wide));
}

} // namespace sumiplex
