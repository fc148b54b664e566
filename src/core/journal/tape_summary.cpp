#include "core/journal/tape_summary.h"

#include <algorithm>

namespace sumiplex::journal {
namespace {

constexpr std::u16string_view kIndent = u"      ";

bool isAmountChar(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u',' || c == u'.' || c == u'-';
}

std::u16string_view trim(std::u16string_view s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\u3000'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == u' ' || s.back() == u'\r' || s.back() == u'\n'))
        s.remove_suffix(1);
    return s;
}

// The amount a text starts with ("1,234.5" of "1,234.5 >JPY  ..."), or empty.
std::u16string_view leadingAmount(std::u16string_view s) {
    std::size_t n = 0;
    while (n < s.size() && isAmountChar(s[n]))
        ++n;
    return s.substr(0, n);
}

bool holdsDigit(std::u16string_view s) {
    return std::any_of(s.begin(), s.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

std::u16string plain(std::u16string_view amount) {
    std::u16string out;
    for (char16_t c : amount)
        if (c != u',')
            out += c;
    return out;
}

// "word amount" steps whose amount follows a fixed word: Back, Forward, an edited total.
struct WordStep {
    std::u16string_view prefix;
    std::u16string_view operation;
};
constexpr WordStep kWordSteps[] = {
    {u"Total = ", u"AC"}, {u"Total    ", u"Total"},  {u"Back ", u"Back"},
    {u"back ", u"Back"},  {u"Forward ", u"Forward"}, {u"Forward", u"Forward"},
};

// Words that stand between the value before and the value after.
constexpr std::u16string_view kMiddleWords[] = {u" Back ",        u"  Round-Off ", u"  Round-Up ",
                                                u"  Round-Down ", u" >JPY  ",      u" >USD  "};

char16_t operatorOf(std::u16string_view input) {
    for (char16_t op : {u'%', u'^', u'*', u'/'})
        if (input.find(op) != std::u16string_view::npos)
            return op;
    return input.find(u'-') != std::u16string_view::npos ? u'-' : u'+';
}

std::u16string operandOf(std::u16string_view input) {
    std::u16string out;
    for (char16_t c : input)
        if ((c >= u'0' && c <= u'9') || c == u'.')
            out += c;
    return out;
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

} // namespace

std::size_t countLines(std::u16string_view text) {
    const auto ends = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
    return ends + (!text.empty() && text.back() != u'\n' ? 1 : 0);
}

TapeStep parseStep(std::u16string_view line) {
    TapeStep step;
    const std::u16string_view body = trim(line);
    step.input = std::u16string(body);
    if (body.empty())
        return step;
    if (body.ends_with(u"ERROR")) {
        step.operation = u"ERROR";
        return step;
    }
    if (!line.starts_with(kIndent))
        return step; // a line of another writer: kept whole as the input
    if (body.front() == u'(' && body.back() == u')') {
        const std::u16string_view inner = body.substr(1, body.size() - 2);
        const std::size_t eq = inner.rfind(u'=');
        if (eq == std::u16string_view::npos)
            return step;
        step.input = std::u16string(trim(inner.substr(0, eq)));
        step.operation = u"=";
        step.amount = plain(trim(inner.substr(eq + 1)));
        return step;
    }
    for (const WordStep& word : kWordSteps) {
        if (body.starts_with(word.prefix) &&
            leadingAmount(body.substr(word.prefix.size())).size() ==
                body.size() - word.prefix.size()) {
            step.operation = std::u16string(word.operation);
            step.total = plain(body.substr(word.prefix.size()));
            return step;
        }
    }
    for (std::u16string_view word : kMiddleWords) {
        const std::size_t at = body.find(word);
        if (at == std::u16string_view::npos)
            continue;
        const std::u16string_view before = body.substr(0, at);
        const std::u16string_view after = body.substr(at + word.size());
        if (leadingAmount(before).size() != before.size() ||
            leadingAmount(after).size() != after.size())
            continue;
        step.operation = std::u16string(trim(word));
        step.amount = plain(before);
        step.total = plain(after);
        return step;
    }
    const std::size_t eq = body.rfind(u"= ");
    if (eq != std::u16string_view::npos) {
        const std::u16string_view after = body.substr(eq + 2);
        const std::u16string_view oldTotal = leadingAmount(body);
        if (!oldTotal.empty() && leadingAmount(after).size() == after.size() && holdsDigit(after)) {
            const std::u16string_view input =
                trim(body.substr(oldTotal.size(), eq - oldTotal.size()));
            step.input = std::u16string(input);
            step.operation = std::u16string(1, operatorOf(input));
            step.amount = operandOf(input);
            step.total = plain(after);
        }
    }
    return step;
}

namespace {

// The total a line shows, as the tape shows it (group separators included), or empty.
std::u16string totalShownBy(std::u16string_view line) {
    if (parseStep(line).total.empty())
        return {};
    const std::u16string_view shown = trim(line);
    std::size_t from = shown.size();
    while (from > 0 && isAmountChar(shown[from - 1]))
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

std::u16string amountOfLine(std::u16string_view line) {
    const TapeStep step = parseStep(line);
    return step.total.empty() ? step.amount : step.total;
}

namespace {

// Full-width forms (U+FF01..U+FF5E) and the ideographic space fold to ASCII.
char16_t narrowed(char16_t c) {
    if (c >= u'\uFF01' && c <= u'\uFF5E')
        return static_cast<char16_t>(c - 0xFEE0);
    return c == u'\u3000' ? u' ' : c;
}

} // namespace

std::optional<std::size_t> findInTape(std::u16string_view text, std::u16string_view needle,
                                      std::size_t from) {
    if (needle.empty() || needle.size() > text.size())
        return std::nullopt;
    const auto matchesAt = [&](std::size_t at) {
        for (std::size_t k = 0; k < needle.size(); ++k)
            if (narrowed(text[at + k]) != narrowed(needle[k]))
                return false;
        return true;
    };
    const std::size_t last = text.size() - needle.size();
    from = std::min(from, last + 1);
    for (std::size_t at = from; at <= last; ++at)
        if (matchesAt(at))
            return at;
    for (std::size_t at = 0; at < from; ++at)
        if (matchesAt(at))
            return at;
    return std::nullopt;
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
        out += csvField(std::u16string(time.begin(), time.end())) + ',' + csvField(step.input) +
               ',' + csvField(step.operation) + ',' + csvField(step.amount) + ',' +
               csvField(step.total) + "\r\n";
        text.remove_prefix(end);
        ++lineIndex;
    }
    return out;
}

} // namespace sumiplex::journal
