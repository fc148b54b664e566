// Finding a text or an amount in a tape's text and steps held in memory.

#include "core/journal/tape_search.h"

#include "core/engine/kanji_amount.h"

#include <algorithm>

namespace sumiplex::journal {

namespace {

// Full-width forms (U+FF01..U+FF5E) and the ideographic space fold to ASCII.
char16_t narrowed(char16_t c) {
    if (c >= u'\uFF01' && c <= u'\uFF5E')
        return static_cast<char16_t>(c - 0xFEE0);
    return c == u'\u3000' ? u' ' : c;
}

bool isDigitAt(std::u16string_view s, std::size_t i) {
    const char16_t c = narrowed(s[i]);
    return c >= u'0' && c <= u'9';
}

// The characters a search compares, narrowed, with every comma between two digits left
// out, so that an amount reads the same whatever its grouping; `from` holds where each
// came from in the searched text.
struct Folded {
    std::u16string chars;
    std::vector<std::size_t> from;
};

Folded fold(std::u16string_view s) {
    Folded f;
    f.chars.reserve(s.size());
    f.from.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = narrowed(s[i]);
        if (c == u',' && i > 0 && i + 1 < s.size() && isDigitAt(s, i - 1) && isDigitAt(s, i + 1))
            continue;
        f.chars += c;
        f.from.push_back(i);
    }
    return f;
}

} // namespace

std::optional<TapeMatch> findInTape(std::u16string_view text, std::u16string_view needle,
                                    std::size_t from) {
    const std::u16string key = fold(needle).chars;
    if (key.empty())
        return std::nullopt;
    const Folded folded = fold(text);
    const auto start = static_cast<std::size_t>(
        std::lower_bound(folded.from.begin(), folded.from.end(), from) - folded.from.begin());
    std::size_t k = folded.chars.find(key, start);
    if (k == std::u16string::npos)
        k = folded.chars.find(key); // round to the start; a match there begins before `from`
    if (k == std::u16string::npos)
        return std::nullopt;
    const std::size_t first = folded.from[k];
    return TapeMatch{first, folded.from[k + key.size() - 1] + 1 - first};
}

TapeNeedle makeNeedle(std::u16string_view text) {
    TapeNeedle needle;
    needle.key = fold(text).chars;
    // Full-width digits and commas read as the calculator reads them; a needle of blanks
    // or signs alone is no amount.
    if (std::any_of(text.begin(), text.end(), [&](char16_t c) {
            const char16_t n = narrowed(c);
            return n >= u'0' && n <= u'9';
        }))
        needle.value = engine::parseAmount(text);
    return needle;
}

bool entryHasValue(const engine::TapeEntry& entry, const Decimal& value) {
    if (entry.failed)
        return false;
    const std::optional<Decimal> amount = entry.amount();
    return (amount && *amount == value) || (entry.value && *entry.value == value);
}

std::vector<std::size_t> linesWithText(std::u16string_view text, const TapeNeedle& needle) {
    std::vector<std::size_t> lines;
    if (needle.key.empty())
        return lines;
    // Line by line: a match never spans a line end, and no line's fold outlives its look.
    for (std::size_t line = 0; !text.empty(); ++line) {
        const std::size_t lf = text.find(u'\n');
        const std::size_t end = lf == std::u16string_view::npos ? text.size() : lf + 1;
        if (fold(text.substr(0, end)).chars.find(needle.key) != std::u16string::npos)
            lines.push_back(line);
        text.remove_prefix(end);
    }
    return lines;
}

std::vector<std::size_t> linesWithValue(std::span<const JournalEntry> entries,
                                        const TapeNeedle& needle) {
    std::vector<std::size_t> lines;
    if (!needle.value)
        return lines;
    for (const JournalEntry& e : entries)
        if (entryHasValue(e.entry, *needle.value))
            lines.push_back(e.firstLine);
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

} // namespace sumiplex::journal
