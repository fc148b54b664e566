// UTF-8 to and from the UTF-16 text of the tape, strictly decoded.

#include "core/journal/journal_utf8.h"
#include "core/journal/journal_format.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace sumiplex::journal {
namespace {

void appendUtf8(std::string& out, char32_t c) {
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

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// The shape of a UTF-8 sequence by its lead byte: its length, the lead's bits of the code
// point, and the least code point it may encode (below it is an overlong form). Length 0 for
// a byte that leads no sequence.
struct Utf8Lead {
    std::size_t length = 0;
    char32_t bits = 0;
    char32_t least = 0;
};

constexpr Utf8Lead utf8Lead(unsigned char b0) {
    if (b0 >= 0xC2 && b0 <= 0xDF)
        return {2, static_cast<char32_t>(b0 & 0x1F), 0x80};
    if (b0 >= 0xE0 && b0 <= 0xEF)
        return {3, static_cast<char32_t>(b0 & 0x0F), 0x800};
    if (b0 >= 0xF0 && b0 <= 0xF4)
        return {4, static_cast<char32_t>(b0 & 0x07), 0x10000};
    return {};
}

constexpr bool isScalarValue(char32_t c, char32_t least) {
    return c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000);
}

} // namespace

namespace detail {

// Decodes UTF-8 strictly (no overlong forms, no surrogates, nothing past U+10FFFF); each
// bad sequence becomes one U+FFFD. Returns whether the bytes were all valid.
bool decodeUtf8(std::string_view bytes, std::u16string& out) {
    bool valid = true;
    out.reserve(out.size() + bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            // A run of ASCII is widened in one go: a line of megabytes decodes at once.
            std::size_t end = i + 1;
            while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80)
                ++end;
            const std::size_t at = out.size();
            out.resize(at + (end - i));
            std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                      bytes.begin() + static_cast<std::ptrdiff_t>(end),
                      out.begin() + static_cast<std::ptrdiff_t>(at));
            i = end;
            continue;
        }
        const Utf8Lead lead = utf8Lead(b0);
        const std::size_t length = lead.length;
        char32_t c = lead.bits;
        std::size_t taken = 1;
        while (length != 0 && taken < length && i + taken < bytes.size() &&
               (static_cast<unsigned char>(bytes[i + taken]) & 0xC0) == 0x80) {
            c = (c << 6) | (static_cast<unsigned char>(bytes[i + taken]) & 0x3F);
            ++taken;
        }
        if (length == 0 || taken < length || !isScalarValue(c, lead.least)) {
            valid = false;
            out += u'\uFFFD';
            i += taken;
            continue;
        }
        appendUtf16(out, c);
        i += length;
    }
    return valid;
}

// Whether the bytes are UTF-8 throughout, without building the text.
bool validUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Eight bytes at a time through plain ASCII, most of any tape.
        while (i + 8 <= bytes.size()) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + i, 8);
            if ((word & 0x8080808080808080ULL) != 0)
                break;
            i += 8;
        }
        if (i == bytes.size())
            break;
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        // Kana and kanji: three bytes whose lead admits no overlong form and no surrogate.
        if (((b0 >= 0xE1 && b0 <= 0xEC) || b0 >= 0xEE) && b0 <= 0xEF && i + 3 <= bytes.size() &&
            (static_cast<unsigned char>(bytes[i + 1]) & 0xC0) == 0x80 &&
            (static_cast<unsigned char>(bytes[i + 2]) & 0xC0) == 0x80) {
            i += 3;
            continue;
        }
        const Utf8Lead lead = utf8Lead(b0);
        const std::size_t length = lead.length;
        char32_t c = lead.bits;
        if (length == 0 || i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (b & 0x3F);
        }
        if (!isScalarValue(c, lead.least))
            return false;
        i += length;
    }
    return true;
}

} // namespace detail

bool fromUtf8(std::string_view bytes, std::u16string& out) {
    return detail::decodeUtf8(bytes, out);
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return out;
}

} // namespace sumiplex::journal
