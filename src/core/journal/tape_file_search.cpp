// Searching a tape file by its bytes: ruled out cheaply first, then its lines and records.

#include "core/journal/tape_search.h"
#include "core/journal/tape_step.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace sumiplex::journal {

namespace {

// The UTF-8 of the characters a search folds: the full-width forms U+FF01..U+FF5E
// (EF BC 81..EF BD 9E), the ideographic blank (E3 80 80) and the thin blanks U+2009 and
// U+202F (E2 80 89, E2 80 AF), by which amounts are grouped.
char fullWidthAscii(std::string_view b, std::size_t i) {
    if (i + 2 >= b.size() || static_cast<unsigned char>(b[i]) != 0xEF)
        return 0;
    const auto second = static_cast<unsigned char>(b[i + 1]);
    const auto third = static_cast<unsigned char>(b[i + 2]);
    if (second == 0xBC && third >= 0x81 && third <= 0xBF)
        return static_cast<char>(third - 0x81 + 0x21);
    if (second == 0xBD && third >= 0x80 && third <= 0x9E)
        return static_cast<char>(third - 0x80 + 0x60);
    return 0;
}

bool isBlankAt(std::string_view b, std::size_t i, std::size_t& length) {
    length = 1;
    if (b[i] == ' ')
        return true;
    length = 3;
    const std::string_view rest = b.substr(i, 3);
    return rest == "\xE3\x80\x80" || rest == "\xE2\x80\x89" || rest == "\xE2\x80\xAF";
}

bool digitAt(std::string_view b, std::size_t i) {
    if (i >= b.size())
        return false;
    if (b[i] >= '0' && b[i] <= '9')
        return true;
    const char c = fullWidthAscii(b, i);
    return c >= '0' && c <= '9';
}

// The bytes as a search compares them, appended to `out`: full-width forms narrowed, and a
// comma or a blank between two digits left out, so every grouping of an amount reads as its
// plain digits. Only ever used to rule a match out, so folding more than findInTape does is
// safe as long as the needle is folded alike.
void foldBytes(std::string_view b, std::string& out) {
    bool afterDigit = false;
    for (std::size_t i = 0; i < b.size();) {
        char c = b[i];
        std::size_t length = 1;
        if (static_cast<unsigned char>(c) >= 0x80) {
            if (const char narrow = fullWidthAscii(b, i); narrow != 0) {
                c = narrow;
                length = 3;
            } else if (std::size_t blank = 1; isBlankAt(b, i, blank)) {
                c = ' ';
                length = blank;
            }
        }
        if ((c == ',' || c == ' ') && afterDigit && digitAt(b, i + length)) {
            i += length;
            afterDigit = false;
            continue;
        }
        afterDigit = c >= '0' && c <= '9';
        out += c;
        i += length;
    }
}

std::string foldBytes(std::string_view b) {
    std::string out;
    out.reserve(b.size());
    foldBytes(b, out);
    return out;
}

// The unit words 万, 億, 兆, 京, 垓 and 千, with which an amount can be keyed without its
// digits, and the percent sign, whose share a step never writes.
bool holdsHiddenAmounts(std::string_view folded) {
    static constexpr std::string_view kHidden[] = {
        "\xE4\xB8\x87", "\xE5\x84\x84", "\xE5\x85\x86", "\xE4\xBA\xAC", "\xE5\x9E\x93",
        "\xE5\x8D\x83", "%",
        // The running total of a cash tally is on no line until its end.
        "Cash Total"};
    return std::any_of(std::begin(kHidden), std::end(kHidden), [&](std::string_view word) {
        return folded.find(word) != std::string_view::npos;
    });
}

// The needle's text as a file's folded bytes would hold it; blanks and commas at its ends
// may stand next to a digit of the file and be folded away there, so they are left off.
std::string bytesKey(std::u16string_view key) {
    while (!key.empty() && (key.front() == u' ' || key.front() == u','))
        key.remove_prefix(1);
    while (!key.empty() && (key.back() == u' ' || key.back() == u','))
        key.remove_suffix(1);
    return foldBytes(toUtf8(key));
}

// The digits every written form of the amount holds: its plain form without the sign, and
// without the 0 before the point of an amount under 1 (it may be keyed ".5").
std::string valueDigits(const Decimal& value) {
    std::string digits = value.abs().toPlainAscii();
    if (digits.starts_with("0."))
        digits.erase(0, 1);
    return digits;
}

// The needle's amount as a record writes amounts: plain, without trailing zeros.
std::string recordForm(const Decimal& value) {
    std::string plain = value.toPlainAscii();
    if (plain.find('.') != std::string::npos) {
        while (plain.ends_with('0'))
            plain.pop_back();
        if (plain.ends_with('.'))
            plain.pop_back();
    }
    return plain;
}

// What the records of a file (the lines after U+001E) tell a search before it reads the
// file. Written with records, a step's operand, total before and value stand in its record
// in plain form, whatever form they were keyed in, so the steps about an amount are found
// by their records alone; and the tape lines written before a step's record are the lines
// before the one its text begins on. The fields are separated by TAB, which a record
// writes escaped inside its texts.
struct RecordScan {
    bool any = false;        ///< the file holds step records
    bool noteHasKey = false; ///< a note given later holds the needle's text
    /// Where the records of the steps about the needle's amount begin.
    std::vector<std::size_t> matches;
};

// The fields of an entry record: tag, seq, kind, flags, op, end, mode, input, shown,
// operand, before, value, note.
constexpr std::size_t kEntryFields = 13;

bool recordIsAbout(const std::array<std::string_view, kEntryFields>& f, const std::string& form,
                   const Decimal& value) {
    if (f[3].find("failed") != std::string_view::npos)
        return false;
    if (f[11] == form)
        return true;
    if (f[2] == "on-total" || f[2] == "number")
        return f[9] == form;
    if (f[2] != "percent-of-total" || f[5] == "share")
        return false;
    // The share added or taken off stands nowhere: it is the difference of the totals.
    const auto before = Decimal::parse(std::u16string(f[10].begin(), f[10].end()));
    const auto after = Decimal::parse(std::u16string(f[11].begin(), f[11].end()));
    if (!before || !after)
        return false;
    const auto share = f[5] == "add" ? after->sub(*before) : before->sub(*after);
    return share && *share == value;
}

RecordScan scanRecords(std::string_view bytes, const std::optional<Decimal>& value,
                       const std::string& key) {
    RecordScan scan;
    const std::string form = value ? recordForm(*value) : std::string();
    std::string folded;
    std::array<std::string_view, kEntryFields> fields;
    for (std::size_t at = bytes.find(kRecord); at != std::string_view::npos;
         at = bytes.find(kRecord, at + 1)) {
        if (at > 0 && bytes[at - 1] != '\n')
            continue; // a record stands at the start of a line
        std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        if (end > at && bytes[end - 1] == '\r')
            --end;
        const std::string_view record = bytes.substr(at + 1, end - at - 1);
        std::size_t count = 0;
        for (std::size_t from = 0; count < kEntryFields; ++count) {
            const std::size_t tab = record.find('\t', from);
            fields[count] = record.substr(
                from, tab == std::string_view::npos ? std::string_view::npos : tab - from);
            if (tab == std::string_view::npos) {
                ++count;
                break;
            }
            from = tab + 1;
        }
        if (fields[0] == "N2" && count >= 3) {
            folded.clear();
            foldBytes(fields[2], folded);
            scan.noteHasKey = scan.noteHasKey || folded.find(key) != std::string::npos;
        } else if (fields[0] == "E2" && count == kEntryFields) {
            scan.any = true;
            if (value && recordIsAbout(fields, form, *value))
                scan.matches.push_back(at);
        }
    }
    return scan;
}

// Lines found by the tape text as written, read a line at a time from the file's bytes:
// each line's bytes are folded and looked through first, and only a line that may hold the
// needle is decoded and compared as findInTape compares.
std::vector<std::size_t> linesWithTextIn(std::string_view bytes, const TapeIndex& index,
                                         const TapeNeedle& needle) {
    std::vector<std::size_t> lines;
    const std::string key = bytesKey(needle.key);
    std::string folded;
    for (std::size_t i = 0; i < index.lineCount(); ++i) {
        folded.clear();
        foldBytes(bytes.substr(index.starts[i], index.lengths[i]), folded);
        if (folded.find(key) != std::string::npos &&
            findInTape(lineAt(bytes, index, i), needle.key, 0))
            lines.push_back(i);
    }
    return lines;
}

struct Prospect {
    bool text = false;  ///< the needle's text may be in the file
    bool value = false; ///< a step may be about the needle's amount
    /// The steps must be read as the reader gives them: the file has no records to find
    /// them by, or a note given later holds the text.
    bool readSteps = false;
    RecordScan records;
};

Prospect prospect(std::string_view bytes, const TapeNeedle& needle) {
    const std::string folded = foldBytes(bytes);
    const std::string key = bytesKey(needle.key);
    Prospect p;
    p.text = folded.find(key) != std::string::npos;
    p.records = scanRecords(bytes, needle.value, key);
    if (needle.value && p.records.any) {
        p.value = !p.records.matches.empty();
    } else if (needle.value) {
        // Without records the amounts stand only as the lines show them or as they were
        // keyed.
        p.value = folded.find(valueDigits(*needle.value)) != std::string::npos ||
                  holdsHiddenAmounts(folded);
        p.readSteps = p.value;
    }
    p.readSteps = p.readSteps || (p.text && p.records.noteHasKey);
    return p;
}

std::vector<FoundLine> linesOfSteps(std::string_view bytes, const TapeNeedle& needle) {
    const JournalContents tape = readJournal(bytes);
    const std::vector<std::size_t> lines = linesWithText(tape.text, needle);
    const std::vector<std::size_t> byValue = linesWithValue(tape.entries, needle);
    std::vector<std::size_t> all;
    all.reserve(lines.size() + byValue.size());
    std::set_union(lines.begin(), lines.end(), byValue.begin(), byValue.end(),
                   std::back_inserter(all));
    std::vector<FoundLine> found;
    // The lines' texts, walking the text once.
    std::u16string_view text = tape.text;
    std::size_t line = 0;
    for (const std::size_t wanted : all) {
        while (line < wanted && !text.empty()) {
            const std::size_t lf = text.find(u'\n');
            text.remove_prefix(lf == std::u16string_view::npos ? text.size() : lf + 1);
            ++line;
        }
        const std::size_t lf = text.find(u'\n');
        found.push_back({wanted, std::u16string(trimTapeLine(text.substr(0, lf)))});
    }
    return found;
}

} // namespace

bool mayHold(std::string_view bytes, const TapeNeedle& needle) {
    const Prospect p = prospect(bytes, needle);
    return p.text || p.value;
}

std::vector<FoundLine> searchTapeFile(std::string_view bytes, const TapeNeedle& needle) {
    if (needle.empty())
        return {};
    const Prospect p = prospect(bytes, needle);
    if (!p.text && !p.value)
        return {};
    if (p.readSteps)
        return linesOfSteps(bytes, needle);
    // The lines as the file holds them, and the lines the matching records' steps begin on.
    const TapeIndex index = indexJournal(bytes);
    std::vector<std::size_t> lines =
        p.text ? linesWithTextIn(bytes, index, needle) : std::vector<std::size_t>();
    for (const std::size_t record : p.records.matches)
        lines.push_back(static_cast<std::size_t>(
            std::lower_bound(index.starts.begin(), index.starts.end(), record) -
            index.starts.begin()));
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    std::vector<FoundLine> found;
    found.reserve(lines.size());
    for (const std::size_t line : lines)
        if (line < index.lineCount())
            found.push_back({line, std::u16string(trimTapeLine(lineAt(bytes, index, line)))});
    return found;
}

} // namespace sumiplex::journal
