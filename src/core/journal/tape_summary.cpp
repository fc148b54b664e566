#include "core/journal/tape_summary.h"

#include "core/journal/tape_step.h"

#include <algorithm>

namespace sumiplex::journal {
namespace {

// A cell a spreadsheet would run as a formula gets a leading apostrophe, which it shows as
// text; the full-width signs count too, as a Japanese spreadsheet may take them as typed.
bool looksLikeFormula(std::u16string_view text) {
    return !text.empty() &&
           std::u16string_view(u"=+-@\t\r＝＋－＠").find(text.front()) != std::u16string_view::npos;
}

std::string csvField(std::u16string_view text) {
    std::string utf8 = toUtf8(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string csvText(std::u16string_view text) {
    return looksLikeFormula(text) ? csvField(u"'" + std::u16string(text)) : csvField(text);
}

} // namespace

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

std::string tapeCsv(const JournalContents& tape) {
    std::string out = "\xEF\xBB\xBF";
    out += toUtf8(u"時刻,入力,操作,金額,合計") + "\r\n";
    std::size_t mark = 0;
    std::string time;
    std::size_t lineIndex = 0;
    std::u16string_view text = tape.text;
    while (!text.empty()) {
        const std::size_t lf = text.find(u'\n');
        const std::size_t end = lf == std::u16string_view::npos ? text.size() : lf + 1;
        while (mark < tape.marks.size() && tape.marks[mark].firstLine <= lineIndex)
            time = tape.marks[mark++].time;
        const TapeStep step = parseStep(text.substr(0, end));
        out += csvText(std::u16string(time.begin(), time.end())) + ',' + csvText(step.input) + ',' +
               csvText(step.operation) + ',' + csvField(step.amount) + ',' + csvField(step.total) +
               "\r\n";
        text.remove_prefix(end);
        ++lineIndex;
    }
    return out;
}

} // namespace sumiplex::journal
