// The records of a journal: each completed step written beside its tape text.

#include "core/journal/journal_format.h"

#include <array>
#include <charconv>
#include <utility>

namespace sumiplex::journal {
namespace {

using engine::EntryKind;
using engine::PercentEnd;
using engine::RoundMode;
using engine::TapeEntry;

constexpr std::size_t kEntryFields = 13; // the tag and twelve fields
constexpr std::size_t kNoteFields = 3;

// In the order of EntryKind.
constexpr std::array<std::string_view, 21> kKindWords = {
    "on-total",  "number",         "percent-of-total", "line-result", "percent-of-line",
    "all-clear", "back",           "forward",          "rounding",    "rounding-undo",
    "tax-line",  "total-re-entry", "conversion",       "rate-change", "converted-re-entry",
    "days",      "register",       "tally-start",      "tally-step",  "tally-end",
    "tool"};
static_assert(kKindWords.size() == static_cast<std::size_t>(EntryKind::Tool) + 1);

// In the order of PercentEnd and of RoundMode.
constexpr std::array<std::string_view, 3> kEndWords = {"share", "add", "take-off"};
constexpr std::array<std::string_view, 3> kModeWords = {"off", "up", "down"};

template <std::size_t N>
std::optional<std::size_t> indexOf(const std::array<std::string_view, N>& words,
                                   std::string_view word) {
    for (std::size_t i = 0; i < N; ++i)
        if (words[i] == word)
            return i;
    return std::nullopt;
}

bool escapedAsCode(char16_t c) {
    return c < 0x20 || c == 0x7F || c == 0x85 || c == 0x2028 || c == 0x2029;
}

void appendCode(std::string& out, char16_t c) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(c >> shift) & 0xF];
}

// A text field: one line of UTF-8 however the text runs, and back to the same UTF-16.
void appendEscaped(std::string& out, std::u16string_view text) {
    std::size_t plainFrom = 0;
    const auto flush = [&](std::size_t to) {
        out += toUtf8(text.substr(plainFrom, to - plainFrom));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool high = c >= 0xD800 && c < 0xDC00;
        const bool low = c >= 0xDC00 && c < 0xE000;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            ++i; // a whole pair is written as its character
            continue;
        }
        const char* named = c == u'\\'   ? "\\\\"
                            : c == u'\t' ? "\\t"
                            : c == u'\r' ? "\\r"
                            : c == u'\n' ? "\\n"
                                         : nullptr;
        if (!named && !escapedAsCode(c) && !high && !low)
            continue;
        flush(i);
        if (named)
            out += named;
        else
            appendCode(out, c);
        plainFrom = i + 1;
    }
    flush(text.size());
}

std::optional<char16_t> hexCode(std::string_view digits) {
    if (digits.size() != 4)
        return std::nullopt;
    unsigned value = 0;
    const auto parsed = std::from_chars(digits.data(), digits.data() + 4, value, 16);
    if (parsed.ec != std::errc{} || parsed.ptr != digits.data() + 4)
        return std::nullopt;
    return static_cast<char16_t>(value);
}

std::optional<std::u16string> unescape(std::string_view field) {
    std::u16string out;
    std::size_t from = 0;
    while (from < field.size()) {
        const std::size_t slash = field.find('\\', from);
        const std::string_view run = field.substr(from, slash - from);
        std::u16string decoded;
        if (!fromUtf8(run, decoded))
            return std::nullopt;
        out += decoded;
        if (slash == std::string_view::npos)
            break;
        if (slash + 1 == field.size())
            return std::nullopt;
        const char code = field[slash + 1];
        from = slash + 2;
        switch (code) {
        case '\\':
            out += u'\\';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        case 'n':
            out += u'\n';
            break;
        case 'u': {
            const auto c = hexCode(field.substr(from, 4));
            if (!c)
                return std::nullopt;
            out += *c;
            from += 4;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

void appendAmount(std::string& out, const std::optional<Decimal>& value) {
    if (value)
        out += value->toPlainAscii();
}

// An amount as a record writes it: the plain form and nothing else.
std::optional<std::optional<Decimal>> readAmount(std::string_view field) {
    if (field.empty())
        return std::optional<Decimal>{};
    std::string_view digits = field;
    if (digits.front() == '-')
        digits.remove_prefix(1);
    const std::size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : digits.substr(point + 1);
    const auto allDigits = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!allDigits(whole) || (point != std::string_view::npos && !allDigits(fraction)) ||
        fraction.size() > static_cast<std::size_t>(Decimal::kMaxScale))
        return std::nullopt;
    auto value = Decimal::parse(field);
    if (!value)
        return std::nullopt;
    return std::optional<Decimal>{*value};
}

std::optional<std::size_t> readSeq(std::string_view field) {
    std::size_t seq = 0;
    const auto parsed = std::from_chars(field.data(), field.data() + field.size(), seq);
    if (field.empty() || parsed.ec != std::errc{} || parsed.ptr != field.data() + field.size())
        return std::nullopt;
    return seq;
}

// A record's fields; `count` is how many the line holds, past kMaxFields or not.
constexpr std::size_t kMaxFields = kEntryFields;
struct Fields {
    std::array<std::string_view, kMaxFields> at{};
    std::size_t count = 0;
    const std::string_view& operator[](std::size_t i) const { return at[i]; }
};

Fields splitFields(std::string_view line) {
    Fields fields;
    std::size_t from = 0;
    while (true) {
        const std::size_t tab = line.find('\t', from);
        if (fields.count < kMaxFields)
            fields.at[fields.count] = line.substr(from, tab - from);
        ++fields.count;
        if (tab == std::string_view::npos)
            return fields;
        from = tab + 1;
    }
}

bool readFlags(std::string_view field, TapeEntry& entry) {
    if (field == "-")
        return true;
    std::size_t from = 0;
    while (from <= field.size()) {
        const std::size_t comma = field.find(',', from);
        const std::string_view flag = field.substr(from, comma - from);
        if (flag == "failed" && !entry.failed)
            entry.failed = true;
        else if (flag == "follows" && !entry.follows)
            entry.follows = true;
        else
            return false;
        if (comma == std::string_view::npos)
            break;
        from = comma + 1;
    }
    return true;
}

} // namespace

std::string entryRecord(const TapeEntry& entry, std::size_t seq) {
    std::string out;
    out.reserve(96 + entry.input.size() + entry.shown.size() + entry.note.size());
    out += kRecord;
    out += kEntryRecordTag;
    out += '\t';
    out += std::to_string(seq);
    out += '\t';
    out += kKindWords[static_cast<std::size_t>(entry.kind)];
    out += '\t';
    if (entry.failed && entry.follows)
        out += "failed,follows";
    else
        out += entry.failed ? "failed" : entry.follows ? "follows" : "-";
    out += '\t';
    if (entry.op != 0)
        appendEscaped(out, std::u16string_view(&entry.op, 1));
    out += '\t';
    out += kEndWords[static_cast<std::size_t>(entry.end)];
    out += '\t';
    out += kModeWords[static_cast<std::size_t>(entry.mode)];
    out += '\t';
    appendEscaped(out, entry.input);
    out += '\t';
    appendEscaped(out, entry.shown);
    out += '\t';
    appendAmount(out, entry.operand);
    out += '\t';
    appendAmount(out, entry.before);
    out += '\t';
    appendAmount(out, entry.value);
    out += '\t';
    appendEscaped(out, entry.note);
    out += "\r\n";
    return out;
}

std::optional<TapeEntry> readEntryRecord(std::string_view line, std::size_t& seq) {
    const Fields f = splitFields(line);
    if (f.count != kEntryFields || f[0] != kEntryRecordTag)
        return std::nullopt;
    TapeEntry entry;
    const auto index = readSeq(f[1]);
    const auto kind = indexOf(kKindWords, f[2]);
    const auto end = indexOf(kEndWords, f[5]);
    const auto mode = indexOf(kModeWords, f[6]);
    const auto op = unescape(f[4]);
    auto input = unescape(f[7]);
    auto shown = unescape(f[8]);
    const auto operand = readAmount(f[9]);
    const auto before = readAmount(f[10]);
    const auto value = readAmount(f[11]);
    auto note = unescape(f[12]);
    if (!index || !kind || !end || !mode || !op || op->size() > 1 || !input || !shown || !operand ||
        !before || !value || !note || !readFlags(f[3], entry))
        return std::nullopt;
    seq = *index;
    entry.kind = static_cast<EntryKind>(*kind);
    entry.end = static_cast<PercentEnd>(*end);
    entry.mode = static_cast<RoundMode>(*mode);
    entry.op = op->empty() ? char16_t{0} : op->front();
    entry.input = std::move(*input);
    entry.shown = std::move(*shown);
    entry.operand = *operand;
    entry.before = *before;
    entry.value = *value;
    entry.note = std::move(*note);
    return entry;
}

std::optional<std::pair<std::size_t, std::u16string>> readNoteRecord(std::string_view line) {
    const Fields f = splitFields(line);
    if (f.count != kNoteFields || f[0] != kNoteRecordTag)
        return std::nullopt;
    const auto seq = readSeq(f[1]);
    auto note = unescape(f[2]);
    if (!seq || !note)
        return std::nullopt;
    return std::pair{*seq, std::move(*note)};
}

std::string JournalEncoder::noteRecord(std::size_t seq, std::u16string_view note) {
    std::string out;
    out += kRecord;
    out += kNoteRecordTag;
    out += '\t';
    out += std::to_string(seq);
    out += '\t';
    appendEscaped(out, note);
    out += "\r\n";
    return out;
}

std::string JournalEncoder::appendEntry(const TapeEntry& entry, std::size_t seq,
                                        std::u16string_view piece, LocalTime now) {
    std::string lines;
    // The mark, when one is due, comes first: it times the step as well as its lines.
    std::string out = completeLines(piece, now, lines);
    out += entryRecord(entry, seq);
    out += lines;
    return out;
}

} // namespace sumiplex::journal
