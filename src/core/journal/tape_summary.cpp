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

TapeTotals fileTotals(std::string_view bytes) {
    // Far more than the steps before a first total or after a last one take in practice.
    constexpr std::size_t kEnds = std::size_t{16} * 1024;
    const std::size_t headerEnd =
        bytes.starts_with(kMagic) ? bytes.find('\n') : std::string_view::npos;
    const auto whole = [&] { return tapeTotals(readJournal(bytes).entries); };
    if (headerEnd == std::string_view::npos || bytes.size() - headerEnd <= 4 * kEnds)
        return whole();
    const std::string header(bytes.substr(0, headerEnd + 1));
    const std::string_view body = bytes.substr(headerEnd + 1);
    // Each end read as a journal of its own, cut at a line end.
    const std::size_t headEnd = body.rfind('\n', kEnds) + 1;
    const std::size_t tailStart = body.find('\n', body.size() - kEnds) + 1;
    const TapeTotals head =
        tapeTotals(readJournal(header + std::string(body.substr(0, headEnd))).entries);
    const TapeTotals tail =
        tapeTotals(readJournal(header + std::string(body.substr(tailStart))).entries);
    if (!head.first || !tail.last)
        return whole();
    return {head.first, tail.last};
}

} // namespace sumiplex::journal
