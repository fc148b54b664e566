// Arbitrary bytes as a tape file, exported as CSV the way the save command does. Reads the
// CSV back with a strict reader and checks that it is UTF-8 after its byte-order mark, that
// every field is well quoted, that every row has the header's number of fields, and that
// each tape line is one row: no line break of the tape splits a row.

#include "core/journal/journal_format.h"
#include "core/journal/tape_summary.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace sumiplex::journal;

void require(bool ok) {
    if (!ok)
        std::abort();
}

// Rows of fields; aborts on a stray quote or a row not ended by CR LF.
std::vector<std::size_t> fieldsPerRow(std::string_view csv) {
    std::vector<std::size_t> rows;
    std::size_t fields = 1;
    std::size_t i = 0;
    while (i < csv.size()) {
        if (csv[i] == '"') {
            ++i;
            while (true) {
                require(i < csv.size());
                if (csv[i] == '"') {
                    if (i + 1 < csv.size() && csv[i + 1] == '"') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            require(i == csv.size() || csv[i] == ',' || csv[i] == '\r');
            continue;
        }
        if (csv[i] == ',') {
            ++fields;
            ++i;
        } else if (csv[i] == '\r') {
            require(i + 1 < csv.size() && csv[i + 1] == '\n');
            rows.push_back(fields);
            fields = 1;
            i += 2;
        } else {
            require(csv[i] != '\n');
            ++i;
        }
    }
    require(fields == 1); // the last row ended by CR LF
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    JournalContents tape = readJournal(bytes);
    tape.text = tapeLines(tape.text);
    const std::string csv = tapeCsv(tape);
    require(csv.starts_with("\xEF\xBB\xBF"));
    const std::string_view body = std::string_view(csv).substr(3);
    require(!readJournal(body).invalidText);
    const std::vector<std::size_t> rows = fieldsPerRow(body);
    require(rows.size() == 1 + tape.entries.size());
    for (std::size_t fields : rows)
        require(fields == rows.front());
    return 0;
}
