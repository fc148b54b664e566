// Arbitrary bytes as a tape file: the index the viewer shows a file through, the whole-file
// reader, the header reader and the encoder that writes journals. Besides the sanitizers it
// checks that the index covers the body in order, that the lines it gives are the text the
// reader gives, that no line holds a break before its end, and that what the encoder writes
// reads back as one line per line written, and that steps written with their records read
// back field for field, with the notes given to them later.

#include "core/journal/journal_format.h"

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
    // A note given to a step after its lines were written changes its text as read.
    if (bytes.find("\x1EN2\t") == std::string_view::npos)
        require(joined == contents.text);
    std::size_t previousFirst = 0;
    for (const JournalEntry& e : contents.entries) {
        require(e.firstLine >= previousFirst && e.firstLine <= index.lineCount());
        previousFirst = e.firstLine;
        require(e.entry.note.find_first_of(u"\r\n\t") == std::u16string::npos);
    }
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

// A step made of fuzz bytes: every field of the record filled from them.
class StepSource {
public:
    explicit StepSource(std::string_view bytes) : m_bytes(bytes) {}
    [[nodiscard]] bool done() const { return m_at >= m_bytes.size(); }
    unsigned byte() { return done() ? 0u : static_cast<unsigned char>(m_bytes[m_at++]); }
    std::u16string text() {
        std::u16string out(byte() % 8, u' ');
        for (char16_t& c : out)
            c = static_cast<char16_t>(byte() | (byte() << 8));
        return out;
    }
    std::optional<sumiplex::Decimal> amount() {
        const unsigned digits = byte() % 32;
        if (digits == 0)
            return std::nullopt;
        std::string plain = byte() % 2 ? "-" : "";
        for (unsigned i = 0; i < digits; ++i)
            plain += static_cast<char>('0' + byte() % 10);
        if (const unsigned point = byte() % 30; point > 0 && point < digits)
            plain.insert(plain.size() - point, ".");
        return sumiplex::Decimal::parse(std::string_view(plain));
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

sumiplex::engine::TapeEntry stepOf(StepSource& source) {
    using namespace sumiplex::engine;
    TapeEntry e;
    e.kind = static_cast<EntryKind>(source.byte() % (static_cast<unsigned>(EntryKind::Tool) + 1));
    const unsigned flags = source.byte();
    e.failed = (flags & 1) != 0;
    e.follows = (flags & 2) != 0;
    e.op = static_cast<char16_t>(source.byte() | (source.byte() << 8));
    e.end = static_cast<PercentEnd>(source.byte() % 3);
    e.mode = static_cast<RoundMode>(source.byte() % 3);
    e.input = source.text();
    e.shown = source.text();
    e.operand = source.amount();
    e.before = source.amount();
    e.value = source.amount();
    e.note = cleanNote(source.text());
    return e;
}

bool sameStep(const sumiplex::engine::TapeEntry& a, const sumiplex::engine::TapeEntry& b) {
    return a.kind == b.kind && a.failed == b.failed && a.follows == b.follows && a.op == b.op &&
           a.end == b.end && a.mode == b.mode && a.input == b.input && a.shown == b.shown &&
           a.operand == b.operand && a.before == b.before && a.value == b.value && a.note == b.note;
}

// Steps written the way the running program writes them, some given a note afterwards.
void checkRecords(std::string_view bytes) {
    StepSource source(bytes);
    JournalEncoder encoder;
    std::string body;
    std::vector<sumiplex::engine::TapeEntry> steps;
    const LocalTime when = std::chrono::local_days{std::chrono::year{2026} / 12 / 7};
    while (!source.done() && steps.size() < 64) {
        const unsigned what = source.byte();
        if (what % 4 == 0 && !steps.empty()) {
            const std::size_t seq = source.byte() % steps.size();
            steps[seq].note = sumiplex::engine::cleanNote(source.text());
            body += JournalEncoder::noteRecord(seq, steps[seq].note);
            continue;
        }
        steps.push_back(stepOf(source));
        const std::string written = encoder.appendEntry(
            steps.back(), steps.size() - 1, sumiplex::engine::renderEntry(steps.back()), when);
        require(written.find(kRecord) != std::string::npos);
        body += written;
    }
    body += encoder.takeUnfinished();
    const JournalContents read = readJournal(headerLine(JournalState::Open, 0, "0.2.0") + body);
    require(read.entries.size() == steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i)
        require(!read.entries[i].recovered && sameStep(read.entries[i].entry, steps[i]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkIndex(bytes);
    checkEncoder(bytes);
    checkRecords(bytes);
    return 0;
}
