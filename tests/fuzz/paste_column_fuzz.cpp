// Pasted or dropped text built from the characters columns, CSV files and amounts are made
// of, one byte choosing each character. Both ways of dividing it into cells must give cells
// in reading order with rows that never go back nor pass the text's line count, and no cell
// of a row layout may hold a tab or a line break. The amounts added to an engine must
// replay to the same tape and total.

#include "core/engine/engine.h"
#include "core/engine/paste_column.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace sumiplex::engine;

constexpr std::u16string_view kAlphabet = u"0123456789,.\t\r\n\" -¥△()円万a";

void require(bool ok) {
    if (!ok)
        std::abort();
}

void checkCells(std::u16string_view text, PastedLayout layout) {
    std::size_t lines = 1;
    for (const char16_t c : text)
        lines += c == u'\n' || c == u'\r';
    std::size_t row = 1;
    for (const PastedCell& cell : splitPastedCells(text, layout)) {
        require(cell.row >= row && cell.row <= lines);
        row = cell.row;
        if (layout == PastedLayout::Rows)
            require(cell.text.find_first_of(u"\t\r\n") == std::u16string::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i)
        text.push_back(kAlphabet[data[i] % kAlphabet.size()]);
    checkCells(text, PastedLayout::Rows);
    checkCells(text, PastedLayout::Csv);

    Tape tape;
    Engine engine(tape, [] { return std::chrono::seconds{0}; });
    engine.markCalculationStart();
    engine.beginPastedColumn();
    const PastedColumn column = readPastedColumn(text, PastedLayout::Csv);
    for (const PastedCell& cell : column.amounts)
        engine.addPastedAmount(cell.text);
    engine.showPastedTotal();
    require(tape.entries().size() == column.amounts.size());
    Tape again;
    const auto replayed = engine.replay(tape.entries().slice(0), again);
    require(again.text() == tape.text());
    require(replayed->totalValue() == engine.totalValue());
    return 0;
}
