// Feeds arbitrary tape text (raw UTF-16 code units) to the CSV writer and the tape search,
// as an earlier run's file or a damaged one may hold anything. Every amount and total cell
// must be empty or a plain number that reads back as itself, no text cell may start like a
// formula, every line gives one row, and a match lies inside the text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/decimal/decimal.h"
#include "core/journal/tape_summary.h"

namespace {

using namespace sumiplex::journal;

void require(bool ok) {
    if (!ok) {
        std::abort();
    }
}

bool isPlainNumber(const std::u16string& cell) {
    if (cell.empty()) {
        return true;
    }
    const auto value = sumiplex::Decimal::parse(std::u16string_view(cell));
    return value && value->toPlainString() == cell;
}

bool startsLikeFormula(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    std::u16string_view rest = text;
    while (!rest.empty()) {
        const std::size_t lf = rest.find(u'\n');
        const std::size_t end = lf == std::u16string_view::npos ? rest.size() : lf + 1;
        const TapeStep step = parseStep(rest.substr(0, end));
        require(isPlainNumber(step.amount) && isPlainNumber(step.total));
        rest.remove_prefix(end);
    }
    JournalContents tape;
    tape.text = tapeLines(text);
    tape.entries = recoverEntries(tape.text);
    const std::string csv = tapeCsv(tape);
    std::size_t rows = 0;
    // A tape line never holds CR LF inside it, so each CR LF ends a row. Without time marks
    // a row starts with the empty time cell; the input and operation cells follow.
    for (std::size_t at = csv.find("\r\n"); at != std::string::npos;
         at = csv.find("\r\n", at + 2)) {
        ++rows;
        if (at + 2 == csv.size()) {
            break;
        }
        require(csv[at + 2] == ',');
        std::size_t cell = at + 3;
        if (csv[cell] == '"') {
            ++cell;
        }
        require(!startsLikeFormula(csv[cell]));
    }
    require(rows == tape.entries.size() + 1);
    for (std::size_t n = 1; n <= 4 && n <= text.size(); ++n) {
        const std::u16string_view needle = std::u16string_view(text).substr(0, n);
        if (const auto match = findInTape(text, needle, text.size() / 2)) {
            require(match->length > 0 && match->at + match->length <= text.size());
        }
    }
    return 0;
}
