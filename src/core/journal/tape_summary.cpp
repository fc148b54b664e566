#include "core/journal/tape_summary.h"

#include "core/journal/tape_step.h"

#include "core/engine/kanji_amount.h"

#include <algorithm>
#include <iterator>

namespace sumiplex::journal {

std::size_t countLines(std::u16string_view text) {
    const auto ends = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
    return ends + (!text.empty() && text.back() != u'\n' ? 1 : 0);
}

namespace {

// The total a line shows, as the tape shows it (group separators included), or empty.
std::u16string totalShownBy(std::u16string_view line) {
    if (parseStep(line).total.empty())
        return {};
    const std::u16string_view shown = trimTapeLine(line);
    std::size_t from = shown.size();
    while (from > 0 && isTapeAmountChar(shown[from - 1]))
        --from;
    return std::u16string(shown.substr(from));
}

} // namespace

std::u16string lastTotal(std::u16string_view text) {
    while (!text.empty()) {
        std::u16string_view rest = text;
        rest.remove_suffix(1); // a line's own LF is not its start
        const std::size_t lf = rest.rfind(u'\n');
        const std::size_t start = lf == std::u16string_view::npos ? 0 : lf + 1;
        std::u16string total = totalShownBy(text.substr(start));
        if (!total.empty())
            return total;
        text = text.substr(0, start);
    }
    return {};
}

std::u16string lastTotal(std::string_view bytes, const TapeIndex& index) {
    // Longer than any line the calculator writes (its input line takes some tens of
    // thousands of characters): decoding such a line only to find no total would hold the
    // list of tapes.
    constexpr std::uint32_t kLongestStep = 1U << 20;
    for (std::size_t i = index.lineCount(); i-- > 0;) {
        if (index.lengths[i] > kLongestStep)
            continue;
        std::u16string total = totalShownBy(lineAt(bytes, index, i));
        if (!total.empty())
            return total;
    }
    return {};
}

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

TapeTotals tapeTotals(std::span<const JournalEntry> entries) {
    TapeTotals totals;
    for (const JournalEntry& e : entries) {
        if (!e.entry.setsTotal() || !e.entry.value)
            continue;
        if (!totals.first)
            totals.first = e.entry.value;
        totals.last = e.entry.value;
    }
    return totals;
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
    const Folded folded = fold(text);
    std::size_t line = 0;
    std::size_t counted = 0; // the text before this offset has `line` line ends
    for (std::size_t k = folded.chars.find(needle.key); k != std::u16string::npos;
         k = folded.chars.find(needle.key, k + 1)) {
        const std::size_t at = folded.from[k];
        line += static_cast<std::size_t>(
            std::count(text.begin() + static_cast<std::ptrdiff_t>(counted),
                       text.begin() + static_cast<std::ptrdiff_t>(at), u'\n'));
        counted = at;
        if (lines.empty() || lines.back() != line)
            lines.push_back(line);
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

namespace {

// The UTF-8 of the characters a search folds: the full-width forms U+FF01..U+FF5E
// (EF BC 81..EF BD 9E), the ideographic blank (E3 80 80) and the thin blanks U+2009 and
// U+202F (E2 80 89, E2 80 AF), by which amounts are grouped.
char fullWidthAscii(std::string_view b, std::size_t i) {
    if (i + 2 >= b.size() || static_cast<unsigned char>(b[i]) != 0xEF)
        return 0;
    const auto second = static_cast<unsigned char>(b[i + 1]);
    const auto third = static_cast<unsigned char>(b[i + 2]);
    if (second == 0xBC && third >= 0x81 && third <= 0xBF)
        return static_cast<char>(third - 0x81 + 0x21);
    if (second == 0xBD && third >= 0x80 && third <= 0x9E)
        return static_cast<char>(third - 0x80 + 0x60);
    return 0;
}

bool isBlankAt(std::string_view b, std::size_t i, std::size_t& length) {
    length = 1;
    if (b[i] == ' ')
        return true;
    length = 3;
    const std::string_view rest = b.substr(i, 3);
    return rest == "\xE3\x80\x80" || rest == "\xE2\x80\x89" || rest == "\xE2\x80\xAF";
}

bool digitAt(std::string_view b, std::size_t i) {
    if (i >= b.size())
        return false;
    if (b[i] >= '0' && b[i] <= '9')
        return true;
    const char c = fullWidthAscii(b, i);
    return c >= '0' && c <= '9';
}

// The bytes as a search compares them: full-width forms narrowed, and a comma or a blank
// between two digits left out, so every grouping of an amount reads as its plain digits.
// Only ever used to rule a match out, so folding more than findInTape does is safe as long
// as the needle is folded alike.
std::string foldBytes(std::string_view b) {
    std::string out;
    out.reserve(b.size());
    bool afterDigit = false;
    for (std::size_t i = 0; i < b.size();) {
        char c = fullWidthAscii(b, i);
        std::size_t length = c != 0 ? 3 : 1;
        if (c == 0) {
            std::size_t blank = 1;
            if (isBlankAt(b, i, blank)) {
                c = ' ';
                length = blank;
            } else {
                c = b[i];
            }
        }
        if ((c == ',' || c == ' ') && afterDigit && digitAt(b, i + length)) {
            i += length;
            afterDigit = false;
            continue;
        }
        afterDigit = c >= '0' && c <= '9';
        out += c;
        i += length;
    }
    return out;
}

// The unit words 万, 億, 兆, 京, 垓 and 千, with which an amount can be keyed without its
// digits, and the percent sign, whose share a step never writes.
bool holdsHiddenAmounts(std::string_view folded) {
    static constexpr std::string_view kHidden[] = {
        "\xE4\xB8\x87", "\xE5\x84\x84", "\xE5\x85\x86", "\xE4\xBA\xAC", "\xE5\x9E\x93",
        "\xE5\x8D\x83", "%",
        // The running total of a cash tally is on no line until its end.
        "Cash Total"};
    return std::any_of(std::begin(kHidden), std::end(kHidden), [&](std::string_view word) {
        return folded.find(word) != std::string_view::npos;
    });
}

// The needle's text as a file's folded bytes would hold it; blanks and commas at its ends
// may stand next to a digit of the file and be folded away there, so they are left off.
std::string bytesKey(std::u16string_view key) {
    while (!key.empty() && (key.front() == u' ' || key.front() == u','))
        key.remove_prefix(1);
    while (!key.empty() && (key.back() == u' ' || key.back() == u','))
        key.remove_suffix(1);
    return foldBytes(toUtf8(key));
}

// The digits every written form of the amount holds: its plain form without the sign, and
// without the 0 before the point of an amount under 1 (it may be keyed ".5").
std::string valueDigits(const Decimal& value) {
    std::string digits = value.abs().toPlainAscii();
    if (digits.starts_with("0."))
        digits.erase(0, 1);
    return digits;
}

} // namespace

bool mayHold(std::string_view bytes, const TapeNeedle& needle) {
    const std::string folded = foldBytes(bytes);
    if (const std::string key = bytesKey(needle.key); folded.find(key) != std::string::npos)
        return true;
    return needle.value && (folded.find(valueDigits(*needle.value)) != std::string::npos ||
                            holdsHiddenAmounts(folded));
}

std::vector<FoundLine> searchTapeFile(std::string_view bytes, const TapeNeedle& needle) {
    std::vector<FoundLine> found;
    if (needle.empty() || !mayHold(bytes, needle))
        return found;
    const JournalContents tape = readJournal(bytes);
    std::vector<std::size_t> lines = linesWithText(tape.text, needle);
    const std::vector<std::size_t> byValue = linesWithValue(tape.entries, needle);
    std::vector<std::size_t> all;
    all.reserve(lines.size() + byValue.size());
    std::set_union(lines.begin(), lines.end(), byValue.begin(), byValue.end(),
                   std::back_inserter(all));
    // The lines' texts, walking the text once.
    std::u16string_view text = tape.text;
    std::size_t line = 0;
    for (const std::size_t wanted : all) {
        while (line < wanted && !text.empty()) {
            const std::size_t lf = text.find(u'\n');
            text.remove_prefix(lf == std::u16string_view::npos ? text.size() : lf + 1);
            ++line;
        }
        const std::size_t lf = text.find(u'\n');
        found.push_back({wanted, std::u16string(trimTapeLine(text.substr(0, lf)))});
    }
    return found;
}

} // namespace sumiplex::journal
