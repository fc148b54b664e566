#include "core/journal/journal_format.h"

#include "core/journal/entry_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace sumiplex::journal {
namespace {

using namespace std::chrono;

constexpr std::array<std::string_view, 3> kStateNames = {"open     ", "complete ", "recovered"};

std::string twoDigits(unsigned value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Fields at the given offsets: year(4) month(2) day(2) hour(2) minute(2) second(2).
std::optional<LocalTime> timeFromFields(std::string_view text,
                                        const std::array<std::size_t, 6>& at) {
    const auto y = digitsAt(text, at[0], 4);
    const auto mo = digitsAt(text, at[1], 2);
    const auto d = digitsAt(text, at[2], 2);
    const auto h = digitsAt(text, at[3], 2);
    const auto mi = digitsAt(text, at[4], 2);
    const auto s = digitsAt(text, at[5], 2);
    if (!y || !mo || !d || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59)
        return std::nullopt;
    const year_month_day date{year{*y}, month{static_cast<unsigned>(*mo)},
                              day{static_cast<unsigned>(*d)}};
    if (!date.ok())
        return std::nullopt;
    return local_days{date} + hours{*h} + minutes{*mi} + seconds{*s};
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// The shape of a UTF-8 sequence by its lead byte: its length, the lead's bits of the code
// point, and the least code point it may encode (below it is an overlong form). Length 0 for
// a byte that leads no sequence.
struct Utf8Lead {
    std::size_t length = 0;
    char32_t bits = 0;
    char32_t least = 0;
};

constexpr Utf8Lead utf8Lead(unsigned char b0) {
    if (b0 >= 0xC2 && b0 <= 0xDF)
        return {2, static_cast<char32_t>(b0 & 0x1F), 0x80};
    if (b0 >= 0xE0 && b0 <= 0xEF)
        return {3, static_cast<char32_t>(b0 & 0x0F), 0x800};
    if (b0 >= 0xF0 && b0 <= 0xF4)
        return {4, static_cast<char32_t>(b0 & 0x07), 0x10000};
    return {};
}

constexpr bool isScalarValue(char32_t c, char32_t least) {
    return c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000);
}

// Decodes UTF-8 strictly (no overlong forms, no surrogates, nothing past U+10FFFF); each
// bad sequence becomes one U+FFFD. Returns whether the bytes were all valid.
bool decodeUtf8(std::string_view bytes, std::u16string& out) {
    bool valid = true;
    out.reserve(out.size() + bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            // A run of ASCII is widened in one go: a line of megabytes decodes at once.
            std::size_t end = i + 1;
            while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80)
                ++end;
            const std::size_t at = out.size();
            out.resize(at + (end - i));
            std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                      bytes.begin() + static_cast<std::ptrdiff_t>(end),
                      out.begin() + static_cast<std::ptrdiff_t>(at));
            i = end;
            continue;
        }
        const Utf8Lead lead = utf8Lead(b0);
        const std::size_t length = lead.length;
        char32_t c = lead.bits;
        std::size_t taken = 1;
        while (length != 0 && taken < length && i + taken < bytes.size() &&
               (static_cast<unsigned char>(bytes[i + taken]) & 0xC0) == 0x80) {
            c = (c << 6) | (static_cast<unsigned char>(bytes[i + taken]) & 0x3F);
            ++taken;
        }
        if (length == 0 || taken < length || !isScalarValue(c, lead.least)) {
            valid = false;
            out += u'\uFFFD';
            i += taken;
            continue;
        }
        appendUtf16(out, c);
        i += length;
    }
    return valid;
}

// Whether the bytes are UTF-8 throughout, without building the text.
bool validUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Eight bytes at a time through plain ASCII, most of any tape.
        while (i + 8 <= bytes.size()) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + i, 8);
            if ((word & 0x8080808080808080ULL) != 0)
                break;
            i += 8;
        }
        if (i == bytes.size())
            break;
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        // Kana and kanji: three bytes whose lead admits no overlong form and no surrogate.
        if (((b0 >= 0xE1 && b0 <= 0xEC) || b0 >= 0xEE) && b0 <= 0xEF && i + 3 <= bytes.size() &&
            (static_cast<unsigned char>(bytes[i + 1]) & 0xC0) == 0x80 &&
            (static_cast<unsigned char>(bytes[i + 2]) & 0xC0) == 0x80) {
            i += 3;
            continue;
        }
        const Utf8Lead lead = utf8Lead(b0);
        const std::size_t length = lead.length;
        char32_t c = lead.bits;
        if (length == 0 || i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (b & 0x3F);
        }
        if (!isScalarValue(c, lead.least))
            return false;
        i += length;
    }
    return true;
}

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

// Characters that would break a tape line in two for some reader: a CR that no LF follows,
// the Unicode line and paragraph separators, NEL, vertical tab and form feed.
bool breaksLine(char16_t c) {
    return c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' || c == u'\u2028' ||
           c == u'\u2029';
}

// A tape line that a reader would take for a time mark or a record gets a U+001F in front.
bool startsLikeMarkOrRecord(std::u16string_view line) {
    return !line.empty() && (line.front() == kMark || line.front() == kRecord);
}

} // namespace

bool fromUtf8(std::string_view bytes, std::u16string& out) {
    return decodeUtf8(bytes, out);
}

std::u16string oneLine(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c == u'\n' || breaksLine(c))
            c = u' ';
    return out;
}

std::u16string tapeLines(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // the LF that follows writes the line end
        if (c == u'\n' || c == u'\r')
            out += u"\r\n";
        else
            out += breaksLine(c) ? u' ' : c;
    }
    return out;
}

std::string stateFields(JournalState state, std::uint64_t bodyLength) {
    std::string digits = std::to_string(bodyLength);
    std::string out(kStateNames[static_cast<std::size_t>(state)]);
    out += ' ';
    out += std::string(kLengthWidth - std::min(kLengthWidth, digits.size()), '0');
    out += digits;
    return out;
}

std::string headerLine(JournalState state, std::uint64_t bodyLength, std::string_view version) {
    std::string out(kMagic);
    out += stateFields(state, bodyLength);
    out += ' ';
    out += version;
    out += "\r\n";
    return out;
}

std::optional<JournalHeader> readHeader(std::string_view firstBytes) {
    if (!firstBytes.starts_with(kMagic))
        return std::nullopt;
    const std::size_t end = firstBytes.find("\r\n");
    const std::size_t lengthAt = kStateOffset + kStateWidth + 1;
    const std::size_t versionAt = lengthAt + kLengthWidth + 1;
    if (end == std::string_view::npos || end < versionAt || firstBytes[lengthAt - 1] != ' ' ||
        firstBytes[versionAt - 1] != ' ')
        return std::nullopt;
    JournalHeader header{};
    const std::string_view state = firstBytes.substr(kStateOffset, kStateWidth);
    std::size_t s = 0;
    while (s < kStateNames.size() && kStateNames[s] != state)
        ++s;
    if (s == kStateNames.size())
        return std::nullopt;
    header.state = static_cast<JournalState>(s);
    const char* first = firstBytes.data() + lengthAt;
    const auto parsed = std::from_chars(first, first + kLengthWidth, header.bodyLength);
    if (parsed.ec != std::errc{} || parsed.ptr != first + kLengthWidth)
        return std::nullopt;
    header.version = std::string(firstBytes.substr(versionAt, end - versionAt));
    return header;
}

std::string formatTime(LocalTime time) {
    const auto dayStart = floor<days>(time);
    const year_month_day date{dayStart};
    const hh_mm_ss<seconds> clock{time - dayStart};
    std::string out = std::to_string(static_cast<int>(date.year()));
    out = std::string(out.size() < 4 ? 4 - out.size() : 0, '0') + out;
    out += '-' + twoDigits(static_cast<unsigned>(date.month())) + '-' +
           twoDigits(static_cast<unsigned>(date.day())) + ' ' +
           twoDigits(static_cast<unsigned>(clock.hours().count())) + ':' +
           twoDigits(static_cast<unsigned>(clock.minutes().count())) + ':' +
           twoDigits(static_cast<unsigned>(clock.seconds().count()));
    return out;
}

std::optional<LocalTime> parseTime(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    return timeFromFields(text, {0, 5, 8, 11, 14, 17});
}

std::string fileNameFor(LocalTime start) {
    std::string stamp = formatTime(start); // YYYY-MM-DD HH:MM:SS
    return stamp.substr(0, 10) + '_' + stamp.substr(11, 2) + stamp.substr(14, 2) +
           stamp.substr(17, 2) + ".tape";
}

std::optional<LocalTime> startFromFileName(std::string_view name) {
    // A second run within the same second gets a "-2" (and so on) before the extension.
    if (!name.ends_with(".tape") || name.size() < 22 || name[4] != '-' || name[7] != '-' ||
        name[10] != '_')
        return std::nullopt;
    const std::string_view rest = name.substr(17, name.size() - 17 - 5);
    if (!rest.empty() && (rest[0] != '-' || !digitsAt(rest, 1, rest.size() - 1)))
        return std::nullopt;
    return timeFromFields(name, {0, 5, 8, 11, 13, 15});
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::string JournalEncoder::append(std::u16string_view piece, LocalTime now) {
    std::string lines;
    std::string out = completeLines(piece, now, lines);
    out += lines;
    return out;
}

std::string JournalEncoder::completeLines(std::u16string_view piece, LocalTime now,
                                          std::string& out) {
    std::string mark;
    std::size_t from = 0;
    while (from < piece.size()) {
        const std::size_t lf = piece.find(u'\n', from);
        if (lf == std::u16string_view::npos) {
            m_line.append(piece.substr(from));
            break;
        }
        m_line.append(piece.substr(from, lf + 1 - from));
        from = lf + 1;
        keepOneLine(m_line);
        if (m_lastMark != now) {
            mark += kMark;
            mark += formatTime(now);
            mark += "\r\n";
            m_lastMark = now;
        }
        if (startsLikeMarkOrRecord(m_line))
            out += kMark;
        out += toUtf8(m_line);
        m_line.clear();
    }
    return mark;
}

void JournalEncoder::keepOneLine(std::u16string& line) {
    // Only the line's own end may break it: a reader splits at every CR, and a viewer at the
    // Unicode separators too, so any other break would show one step as two.
    const std::size_t end = line.ends_with(u"\r\n") ? line.size() - 2 : line.size() - 1;
    for (std::size_t i = 0; i < end; ++i)
        if (line[i] == u'\n' || breaksLine(line[i]))
            line[i] = u' ';
}

std::string JournalEncoder::takeUnfinished() {
    for (char16_t& c : m_line)
        if (c == u'\n' || breaksLine(c))
            c = u' ';
    std::string out;
    if (startsLikeMarkOrRecord(m_line))
        out += kMark;
    out += toUtf8(m_line);
    m_line.clear();
    return out;
}

namespace {

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
