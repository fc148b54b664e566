// Feeds arbitrary bytes to the number parser. Input: up to three pieces separated by '\n'
// (two operands and a number pattern); the first byte's low bit says whether the pieces are
// UTF-8 or raw UTF-16 code units. Every value that parses must survive its own text forms,
// and pairs of values must keep the algebraic identities of the arithmetic.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/decimal/decimal.h"

namespace {

using sumiplex::Decimal;

void require(bool ok) {
    if (!ok) {
        std::abort();
    }
}

/// Same presence, and the same value when present.
bool same(const std::optional<Decimal>& a, const std::optional<Decimal>& b) {
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

std::optional<Decimal> read(std::string_view piece, bool utf16, std::u16string& wide) {
    if (!utf16) {
        return Decimal::parse(piece);
    }
    wide.clear();
    for (std::size_t i = 0; i + 1 < piece.size(); i += 2) {
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(piece[i]) |
                                             (static_cast<unsigned char>(piece[i + 1]) << 8)));
    }
    return Decimal::parse(std::u16string_view(wide));
}

void checkTextForms(const Decimal& x) {
    require(same(Decimal::parse(x.toPlainString()), x));
    require(same(Decimal::parse(x.toPlainAscii()), x));
    require(same(Decimal::parse(sumiplex::FormatAmount(x)), x));
    require(same(Decimal::parse(sumiplex::formatPattern(x, sumiplex::kPatternLong)), x));
    require(x.isNegative() == (x < Decimal{}));
    require(same(x.add(Decimal{}), x));
    require(same(x.mul(Decimal::fromInt(1)), x));
    require(same(x.negated().negated(), x));
    require(x.truncated().abs() <= x.abs());
    if (!x.isZero()) {
        require(same(x.div(x), Decimal::fromInt(1)));
    }
    require(!x.div(Decimal{}));
}

int sign(const Decimal& x) {
    return x.isZero() ? 0 : (x.isNegative() ? -1 : 1);
}

void checkPair(const Decimal& a, const Decimal& b) {
    const auto sum = a.add(b);
    require(same(sum, b.add(a)));
    const auto difference = a.sub(b);
    require(same(difference, a.add(b.negated())));
    const auto reverse = b.sub(a);
    require(difference.has_value() == reverse.has_value());
    if (difference) {
        require(*difference == reverse->negated());
        // Both operands are multiples of 10^-28, so a nonzero difference never rounds to 0.
        const auto order = a <=> b;
        require(sign(*difference) == (order < 0 ? -1 : (order > 0 ? 1 : 0)));
    }
    const auto product = a.mul(b);
    require(same(product, b.mul(a)));
    if (product && !product->isZero()) {
        require(product->isNegative() == (a.isNegative() != b.isNegative()));
    }
    const auto quotient = a.div(b);
    require(b.isZero() ? !quotient : true);
    if (quotient && !quotient->isZero()) {
        require(quotient->isNegative() == (a.isNegative() != b.isNegative()));
        require(same(a.negated().div(b), quotient->negated()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool utf16 = (data[0] & 1) != 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (pieces.size() < 2) {
        const std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos) {
            break;
        }
        pieces.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    pieces.push_back(input.substr(start));

    std::u16string wide;
    const auto a = read(pieces[0], utf16, wide);
    if (a) {
        checkTextForms(*a);
    }
    if (pieces.size() < 2) {
        return 0;
    }
    const auto b = read(pieces[1], utf16, wide);
    if (b) {
        checkTextForms(*b);
    }
    if (a && b) {
        checkPair(*a, *b);
    }
    if (a && pieces.size() == 3) {
        // Any pattern text: must not fail; what it writes, when readable, is the value
        // rounded half away from zero to the pattern's fraction places.
        std::u16string pattern;
        for (const char c : pieces[2]) {
            pattern.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
        }
        const std::u16string shown = sumiplex::formatPattern(*a, pattern);
        const std::size_t point = pattern.find(u'.');
        bool plainPattern = !pattern.empty();
        for (const char16_t c : pattern) {
            plainPattern &= c == u'#' || c == u'0' || c == u',' || c == u'.';
        }
        if (plainPattern && pattern.find(u'.', point == std::u16string::npos ? 0 : point + 1) ==
                                std::u16string::npos) {
            int places = 0;
            if (point != std::u16string::npos) {
                for (std::size_t i = point + 1; i < pattern.size(); ++i) {
                    places += pattern[i] == u'#' || pattern[i] == u'0' ? 1 : 0;
                }
            }
            const auto back = Decimal::parse(std::u16string_view(shown));
            if (back) {
                require(*back == a->roundedHalfAwayFromZero(places));
            }
        }
    }
    return 0;
}
