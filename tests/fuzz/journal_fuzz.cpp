// Arbitrary bytes as a tape file: the index the viewer shows a file through, the whole-file
// reader, the header reader and the encoder that writes journals. Besides the sanitizers it
// checks that the index covers the body in order, that the lines it gives are the text the
// reader gives, that no line holds a break before its end, and that what the encoder writes
// reads back as one line per line written.

#include "core/journal/journal_format.h"

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

bool breaks(char16_t c) {
    return c == u'\r' || c == u'\n';
}

void checkIndex(std::string_view bytes) {
    const TapeIndex index = indexJournal(bytes);
    const JournalContents contents = readJournal(bytes);
    require(index.lineCount() == index.lengths.size());
    require(contents.isJournal == index.isJournal && contents.marks.size() == index.marks.size());
    std::u16string joined;
    std::size_t previousEnd = 0;
    for (std::size_t i = 0; i < index.lineCount(); ++i) {
        require(index.starts[i] >= previousEnd && index.lengths[i] > 0);
        previousEnd = index.starts[i] + index.lengths[i];
        require(previousEnd <= bytes.size());
        const std::u16string line = lineAt(bytes, index, i);
        // A line ends where its break is, and a lone CR reads as CR LF.
        std::size_t body = line.size();
        while (body > 0 && breaks(line[body - 1]))
            --body;
        for (std::size_t k = 0; k < body; ++k)
            require(!breaks(line[k]));
        require(line.size() - body <= 2);
        require(i + 1 == index.lineCount() || body < line.size());
        const std::u16string head = lineHeadAt(bytes, index, i, bytes[0] % 64u);
        require(head.size() <= line.size() && line.compare(0, head.size(), head) == 0);
        joined += line;
    }
    require(joined == contents.text);
    for (const auto& mark : index.marks)
        require(mark.firstLine <= index.lineCount() && parseTime(mark.time));
    if (const auto header = readHeader(bytes)) {
        require(index.isJournal);
        const std::string fields = stateFields(header->state, header->bodyLength);
        require(bytes.substr(kStateOffset, fields.size()) == fields);
    }
}

// The bytes as UTF-16 pieces split at 0xFFFF units, encoded the way the running program
// writes its journal, then read back.
void checkEncoder(std::string_view bytes) {
    JournalEncoder encoder;
    std::string body;
    std::u16string piece;
    std::u16string written;
    const LocalTime when = std::chrono::local_days{std::chrono::year{2026} / 12 / 7};
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (unit == 0xFFFF) {
            body += encoder.append(piece, when + std::chrono::seconds{i});
            written += piece;
            piece.clear();
        } else {
            piece += unit;
        }
    }
    body += encoder.append(piece, when);
    written += piece;
    body += encoder.takeUnfinished();
    const std::string file = headerLine(JournalState::Complete, body.size(), "0.1.0") + body;
    const TapeIndex index = indexJournal(file);
    require(index.isJournal && !index.truncated);
    std::size_t lfs = 0;
    for (char16_t c : written)
        lfs += c == u'\n' ? 1 : 0;
    const bool unfinished = !written.empty() && written.back() != u'\n';
    require(index.lineCount() == lfs + (unfinished ? 1 : 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkIndex(bytes);
    checkEncoder(bytes);
    return 0;
}
