// Reading a journal's bytes back: its lines indexed, decoded, and its records read.

#include "core/journal/entry_reader.h"
#include "core/journal/journal_format.h"
#include "core/journal/journal_utf8.h"

#include <cstring>

namespace sumiplex::journal {
namespace {

using detail::decodeUtf8;
using detail::validUtf8;

// A line as the tape holds it. A line that a lone CR ends is given the LF the program's own
// lines carry, so every reader of the text finds its lines where the index found them.
void decodeLine(std::string_view line, std::u16string& out) {
    decodeUtf8(line, out);
    if (line.ends_with('\r'))
        out += u'\n';
}

std::size_t findByte(std::string_view bytes, std::size_t from, char c) {
    if (from >= bytes.size())
        return std::string_view::npos;
    const void* hit = std::memchr(bytes.data() + from, c, bytes.size() - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - bytes.data())
               : std::string_view::npos;
}

// Where the line starting at `from` ends, its line end included: at CR LF, LF or a lone CR.
// `nextLf` and `nextCr` hold the next of each byte at or after an earlier start, so a body
// is scanned once however its lines end.
std::size_t lineEnd(std::string_view bytes, std::size_t from, std::size_t& nextLf,
                    std::size_t& nextCr) {
    if (nextLf != std::string_view::npos && nextLf < from)
        nextLf = findByte(bytes, from, '\n');
    if (nextCr != std::string_view::npos && nextCr < from)
        nextCr = findByte(bytes, from, '\r');
    const std::size_t lf = nextLf;
    const std::size_t cr = nextCr;
    if (lf == std::string_view::npos && cr == std::string_view::npos)
        return bytes.size();
    if (cr < lf)
        return cr + 1 < bytes.size() && bytes[cr + 1] == '\n' ? cr + 2 : cr + 1;
    return lf + 1;
}

// Where the body of a file starts, and whether it is a journal: only a journal has time
// marks and records; any other file is all tape lines.
struct BodyScan {
    bool isJournal = false;
    std::size_t bodyAt = 0;
};

BodyScan scanHeader(std::string_view bytes) {
    if (readHeader(bytes))
        return {true, bytes.find("\r\n") + 2};
    return {};
}

// The body line by line: each tape line (its escape taken off), time mark and record goes
// to its own callback.
template <class OnText, class OnMark, class OnRecord>
void scanBody(std::string_view bytes, const BodyScan& scan, OnText&& onText, OnMark&& onMark,
              OnRecord&& onRecord) {
    std::size_t from = scan.bodyAt;
    std::size_t nextLf = findByte(bytes, from, '\n');
    std::size_t nextCr = findByte(bytes, from, '\r');
    while (from < bytes.size()) {
        const std::size_t end = lineEnd(bytes, from, nextLf, nextCr);
        std::size_t start = from;
        from = end;
        if (scan.isJournal && bytes[start] == kMark) {
            ++start;
            if (start == end || (bytes[start] != kMark && bytes[start] != kRecord)) {
                std::string_view time = bytes.substr(start, end - start);
                while (!time.empty() && (time.back() == '\n' || time.back() == '\r'))
                    time.remove_suffix(1);
                if (parseTime(time))
                    onMark(time);
                continue;
            }
        } else if (scan.isJournal && bytes[start] == kRecord && start + 1 < end &&
                   bytes[start + 1] >= 'A' && bytes[start + 1] <= 'Z') {
            std::string_view record = bytes.substr(start + 1, end - start - 1);
            while (!record.empty() && (record.back() == '\n' || record.back() == '\r'))
                record.remove_suffix(1);
            onRecord(record);
            continue;
        }
        onText(start, end);
    }
}

} // namespace

TapeIndex indexJournal(std::string_view bytes) {
    TapeIndex index;
    const BodyScan scan = scanHeader(bytes);
    if (scan.isJournal) {
        const auto header = readHeader(bytes);
        index.isJournal = true;
        index.state = header->state;
        index.truncated =
            header->state != JournalState::Open && bytes.size() - scan.bodyAt < header->bodyLength;
    }
    // About 25 bytes a line: reserving from that guess spares the copies of growing.
    index.starts.reserve((bytes.size() - scan.bodyAt) / 24 + 1);
    index.lengths.reserve((bytes.size() - scan.bodyAt) / 24 + 1);
    scanBody(
        bytes, scan,
        [&](std::size_t start, std::size_t end) {
            const std::string_view line = bytes.substr(start, end - start);
            if (!index.invalidText && !validUtf8(line))
                index.invalidText = true;
            index.starts.push_back(start);
            // Files past kMaxTapeFileBytes are not read, so a line's length fits.
            index.lengths.push_back(static_cast<std::uint32_t>(end - start));
        },
        [&](std::string_view time) {
            index.marks.push_back({index.starts.size(), std::string(time)});
        },
        [](std::string_view) {});
    return index;
}

std::u16string lineAt(std::string_view bytes, const TapeIndex& index, std::size_t i) {
    std::u16string out;
    decodeLine(bytes.substr(index.starts[i], index.lengths[i]), out);
    return out;
}

std::u16string lineHeadAt(std::string_view bytes, const TapeIndex& index, std::size_t i,
                          std::size_t maxBytes) {
    std::string_view line = bytes.substr(index.starts[i], index.lengths[i]);
    if (line.size() > maxBytes) {
        std::size_t cut = maxBytes;
        // Back to the start of a character, so the head does not end in a broken one.
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        line = line.substr(0, cut);
    }
    std::u16string out;
    decodeUtf8(line, out);
    return out;
}

JournalContents readJournal(std::string_view bytes) {
    JournalContents contents;
    const BodyScan scan = scanHeader(bytes);
    if (const auto header = readHeader(bytes)) {
        contents.isJournal = true;
        contents.state = header->state;
        contents.version = header->version;
        contents.truncated =
            header->state != JournalState::Open && bytes.size() - scan.bodyAt < header->bodyLength;
    }
    contents.text.reserve(bytes.size());
    EntryReader entries(contents);
    scanBody(
        bytes, scan,
        [&](std::size_t start, std::size_t end) {
            const std::string_view line = bytes.substr(start, end - start);
            if (!decodeUtf8(line, contents.text))
                contents.invalidText = true;
            // A line that a lone CR ends reads as the program's own lines, CR LF.
            if (line.ends_with('\r'))
                contents.text += u'\n';
            entries.textLine();
        },
        [&](std::string_view time) {
            contents.marks.push_back({entries.lines(), std::string(time)});
            entries.mark(time);
        },
        [&](std::string_view record) { entries.record(record); });
    entries.finish();
    return contents;
}

} // namespace sumiplex::journal
