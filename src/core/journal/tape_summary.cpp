#include "core/journal/tape_summary.h"

#include "core/journal/tape_step.h"

#include <algorithm>

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

} // namespace sumiplex::journal
