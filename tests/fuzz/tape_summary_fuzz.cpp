// Arbitrary bytes as a tape file, summarised the way the list of earlier tapes does: the
// line count, the last total, each line's step and amount, and search. Checks that the
// summary of the file's bytes equals the summary of its text, that no field of a step holds
// a line break, and that a match lies inside the text and reads as the needle does.

#include "core/journal/journal_format.h"
#include "core/journal/tape_summary.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace sumiplex::journal;

void require(bool ok) {
    if (!ok)
        std::abort();
}

char16_t narrowed(char16_t c) {
    if (c >= u'\uFF01' && c <= u'\uFF5E')
        return static_cast<char16_t>(c - 0xFEE0);
    return c == u'\u3000' ? u' ' : c;
}

// What a search compares: each character narrowed, a comma between two digits left out,
// since "3840" and "3,840" are one amount.
std::u16string folded(std::u16string_view s) {
    const auto digitAt = [&](std::size_t i) {
        const char16_t c = narrowed(s[i]);
        return c >= u'0' && c <= u'9';
    };
    std::u16string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (narrowed(s[i]) == u',' && i > 0 && i + 1 < s.size() && digitAt(i - 1) && digitAt(i + 1))
            continue;
        out += narrowed(s[i]);
    }
    return out;
}

// A field of a step goes into one CSV cell or the input line: never a line break.
void checkField(std::u16string_view field) {
    require(field.find_first_of(u"\r\n") == std::u16string_view::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TapeIndex index = indexJournal(bytes);
    const JournalContents contents = readJournal(bytes);
    require(countLines(contents.text) == index.lineCount());
    require(lastTotal(bytes, index) == lastTotal(contents.text));
    for (std::size_t i = 0; i < index.lineCount(); ++i) {
        const std::u16string line = lineAt(bytes, index, i);
        const TapeStep step = parseStep(line);
        checkField(step.input);
        checkField(step.amount);
        checkField(step.total);
        checkField(amountOfLine(line));
    }
    // The first line of the text is the needle, searched for from its first byte's place.
    const std::u16string& text = contents.text;
    const std::size_t lf = text.find(u'\n');
    const std::u16string needle = text.substr(0, lf == std::u16string::npos ? 3 : lf);
    const std::size_t from = size == 0 ? 0 : data[0] % (text.size() + 2);
    if (const auto match = findInTape(text, needle, from)) {
        require(!needle.empty() && match->length > 0 && match->at + match->length <= text.size());
        const std::u16string_view found(text.data() + match->at, match->length);
        require(folded(found) == folded(needle));
    } else {
        // Nothing found: not even where commas between digits are passed over, which is how
        // the search compares (a needle "1," does not stop at the grouping comma of "1,3").
        require(needle.empty() || needle.size() > text.size() ||
                folded(text).find(folded(needle)) == std::u16string::npos);
    }
    return 0;
}
