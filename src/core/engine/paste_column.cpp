#include "core/engine/paste_column.h"

#include "core/engine/kanji_amount.h"

#include <algorithm>
#include <string>

namespace sumiplex::engine {
namespace {

std::u16string decimalText(std::size_t n) {
    std::u16string out;
    for (const char c : std::to_string(n))
        out.push_back(static_cast<char16_t>(c));
    return out;
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\u3000' || c == u'\u00a0' || c == u'\u2009' || c == u'\u202f';
}

std::u16string trimmed(std::u16string_view cell) {
    std::size_t first = 0;
    std::size_t last = cell.size();
    while (first < last && isBlank(cell[first]))
        ++first;
    while (last > first && isBlank(cell[last - 1]))
        --last;
    return std::u16string(cell.substr(first, last - first));
}

// The length of the line break at `at` (CR LF, LF or CR), 0 when there is none.
std::size_t lineBreakAt(std::u16string_view text, std::size_t at) {
    if (at >= text.size())
        return 0;
    if (text[at] == u'\r')
        return at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
    return text[at] == u'\n' ? 1 : 0;
}

// The text without the one line break that ends its last line.
std::u16string_view withoutFinalBreak(std::u16string_view text) {
    if (text.ends_with(u"\r\n"))
        return text.substr(0, text.size() - 2);
    if (text.ends_with(u'\n') || text.ends_with(u'\r'))
        return text.substr(0, text.size() - 1);
    return text;
}

std::vector<PastedCell> splitRows(std::u16string_view text) {
    std::vector<PastedCell> cells;
    std::size_t row = 1;
    std::size_t cellStart = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const std::size_t lineBreak = lineBreakAt(text, i);
        if (i < text.size() && text[i] != u'\t' && lineBreak == 0)
            continue;
        cells.push_back({trimmed(text.substr(cellStart, i - cellStart)), row});
        if (lineBreak != 0) {
            ++row;
            i += lineBreak - 1;
        }
        cellStart = i + 1;
    }
    return cells;
}

std::vector<PastedCell> splitCsv(std::u16string_view text) {
    std::vector<PastedCell> cells;
    std::size_t line = 1;
    std::size_t recordRow = 1;
    std::u16string cell;
    bool quoted = false;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (quoted && i < text.size()) {
            if (text[i] != u'"') {
                line += text[i] == u'\n' || (text[i] == u'\r' && lineBreakAt(text, i) == 1);
                cell.push_back(text[i]);
            } else if (i + 1 < text.size() && text[i + 1] == u'"') {
                cell.push_back(u'"');
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        const std::size_t lineBreak = lineBreakAt(text, i);
        if (i == text.size() || text[i] == u',' || lineBreak != 0) {
            // A field left open at the end of the text keeps what it read.
            quoted = false;
            cells.push_back({trimmed(cell), recordRow});
            cell.clear();
            if (lineBreak != 0) {
                i += lineBreak - 1;
                recordRow = ++line;
            }
            continue;
        }
        // A quote opens a quoted field only at its start (blanks before it allowed);
        // elsewhere it is a character of the field.
        if (text[i] == u'"' && trimmed(cell).empty()) {
            cell.clear();
            quoted = true;
            continue;
        }
        cell.push_back(text[i]);
    }
    return cells;
}

} // namespace

bool isPastedColumn(std::u16string_view text) {
    const std::u16string_view body = withoutFinalBreak(text);
    return body.find_first_of(u"\r\n") != std::u16string_view::npos;
}

std::vector<PastedCell> splitPastedCells(std::u16string_view text, PastedLayout layout) {
    const std::u16string_view body = withoutFinalBreak(text);
    if (body.empty())
        return {};
    return layout == PastedLayout::Csv ? splitCsv(body) : splitRows(body);
}

bool isPastedAmount(std::u16string_view cell) {
    // A trailing "+" or a leading operator would make the cell a step of its own once keyed
    // with "+"; only a bare amount is added.
    if (cell.empty() || cell.back() == u'+' || cell.find_first_of(u"*/^%") != cell.npos)
        return false;
    return parseAmount(cell).has_value();
}

PastedColumn readPastedColumn(std::u16string_view text, PastedLayout layout) {
    PastedColumn column;
    for (PastedCell& cell : splitPastedCells(text, layout))
        (isPastedAmount(cell.text) ? column.amounts : column.skipped).push_back(std::move(cell));
    return column;
}

std::u16string skippedTapeLine(std::size_t count) {
    return u"      読み飛ばし " + decimalText(count) + u" 件\r\n";
}

std::u16string skippedMessage(const std::vector<PastedCell>& skipped) {
    std::u16string out =
        u"金額でないセル " + decimalText(skipped.size()) + u" 件を読み飛ばしました。";
    const std::size_t listed = std::min(skipped.size(), kSkippedListed);
    for (std::size_t i = 0; i < listed; ++i) {
        out += u"\n" + decimalText(skipped[i].row) + u" 行目: ";
        // A long heading is cut so the message stays a few short lines.
        constexpr std::size_t kShown = 30;
        const std::u16string& text = skipped[i].text;
        out += text.empty()
                   ? u"（空欄）"
                   : u"「" + text.substr(0, kShown) + (text.size() > kShown ? u"…" : u"") + u"」";
    }
    if (skipped.size() > listed)
        out += u"\nほか " + decimalText(skipped.size() - listed) + u" 件";
    return out;
}

std::u16string pasteQuestion(std::size_t amounts) {
    return decimalText(amounts) + u" 件の金額を合計に加えますか？";
}

} // namespace sumiplex::engine
