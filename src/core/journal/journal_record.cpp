// The records of a journal: each completed step written beside its tape text, and the
// steps read back from the text of a file that has none.

#include "core/journal/entry_reader.h"
#include "core/journal/journal_format.h"
#include "core/journal/tape_step.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace sumiplex::journal {
namespace {

using engine::EntryKind;
using engine::PercentEnd;
using engine::RoundMode;
using engine::TapeEntry;

constexpr std::string_view kEntryTag = "E2";
constexpr std::string_view kNoteTag = "N2";
constexpr std::size_t kEntryFields = 13; // the tag and twelve fields
constexpr std::size_t kNoteFields = 3;

// In the order of EntryKind.
constexpr std::array<std::string_view, 19> kKindWords = {"on-total",
                                                         "number",
                                                         "percent-of-total",
                                                         "line-result",
                                                         "percent-of-line",
                                                         "all-clear",
                                                         "back",
                                                         "forward",
                                                         "rounding",
                                                         "rounding-undo",
                                                         "tax-line",
                                                         "total-re-entry",
                                                         "conversion",
                                                         "converted-re-entry",
                                                         "days",
                                                         "tally-start",
                                                         "tally-step",
                                                         "tally-end",
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

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t from = 0;
    while (true) {
        const std::size_t tab = line.find('\t', from);
        fields.push_back(line.substr(from, tab - from));
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

std::optional<Decimal> decimalOf(const std::u16string& plain) {
    return plain.empty() ? std::nullopt : Decimal::parse(plain);
}

bool contains(std::u16string_view text, char16_t c) {
    return text.find(c) != std::u16string_view::npos;
}

PercentEnd percentEndOf(std::u16string_view typed) {
    return typed.ends_with(u"%+")   ? PercentEnd::Add
           : typed.ends_with(u"%-") ? PercentEnd::TakeOff
                                    : PercentEnd::Share;
}

// What follows the total a line starts with ("  -500" of "1,000  -500= 500").
std::u16string_view afterLeadingTotal(std::u16string_view body) {
    std::size_t n = 0;
    while (n < body.size() && isTapeAmountChar(body[n]))
        ++n;
    return body.substr(n);
}

std::optional<Decimal> leadingTotal(std::u16string_view body) {
    const std::u16string_view amount = body.substr(0, body.size() - afterLeadingTotal(body).size());
    return amount.empty() ? std::nullopt : Decimal::parse(amount);
}

// A line that ends in ERROR (or a percent line left without its result).
TapeEntry failedEntry(std::u16string_view body, const TapeStep& step) {
    TapeEntry e;
    e.failed = true;
    e.input = step.input;
    const std::u16string_view input = e.input;
    if (body == u"ERROR") {
        e.kind = EntryKind::TotalReEntry;
    } else if (body.starts_with(u'(')) {
        e.kind = contains(input, u'%') ? EntryKind::PercentOfLine : EntryKind::LineResult;
        if (e.kind == EntryKind::PercentOfLine) {
            e.op = contains(input, u'/') ? u'/' : u'*';
            e.end = percentEndOf(input);
        }
    } else if (body.ends_with(u"= ERROR") && !afterLeadingTotal(body).starts_with(u' ')) {
        e.kind = EntryKind::CashTallyStep;
    } else {
        e.before = leadingTotal(body);
        if (contains(input, u'%')) {
            e.kind = EntryKind::PercentOfTotal;
            e.op = input.starts_with(u'/') ? u'/' : u'*';
            e.end = percentEndOf(input);
        } else if (trimTapeLine(afterLeadingTotal(body)) == u"ERROR") {
            e.kind = EntryKind::ConvertedReEntry; // "1,000 ERROR": nothing was typed
        } else {
            e.kind = EntryKind::OnTotal;
            constexpr std::u16string_view kOps = u"+-*/^";
            e.op = !input.empty() && contains(kOps, input.front())  ? input.front()
                   : !input.empty() && contains(kOps, input.back()) ? input.back()
                                                                    : u'+';
        }
    }
    return e;
}

// The steps whose tape line names them by a word.
std::optional<TapeEntry> wordEntry(std::u16string_view body, const TapeStep& step) {
    TapeEntry e;
    e.input = step.input;
    e.before = decimalOf(step.before);
    e.value = decimalOf(step.total);
    const std::u16string_view word = step.operation;
    if (word == u"AC") {
        e.kind = EntryKind::AllClear;
    } else if (word == u"Total") {
        // A total keyed back in stands four blanks after the word, a tally's total two.
        e.kind = body.starts_with(u"Total    ") ? EntryKind::TotalReEntry : EntryKind::CashTallyEnd;
        e.follows = e.kind == EntryKind::CashTallyEnd;
    } else if (word == u"Back") {
        e.kind = e.before ? EntryKind::RoundingUndo : EntryKind::Back;
    } else if (word == u"Forward") {
        e.kind = EntryKind::Forward;
    } else if (word == u"Cash Total") {
        e.kind = EntryKind::CashTallyStart;
        e.value = Decimal{};
    } else if (word == u"Round-Off" || word == u"Round-Up" || word == u"Round-Down") {
        e.kind = EntryKind::Rounding;
        e.mode = word == u"Round-Off"  ? RoundMode::HalfAwayFromZero
                 : word == u"Round-Up" ? RoundMode::Up
                                       : RoundMode::Down;
    } else if (word == u">JPY" || word == u">USD") {
        e.kind = EntryKind::ConvertedReEntry;
        e.op = word == u">JPY" ? u'¥' : u'$';
    } else if (word == u"Tax +" || word == u"Tax -") {
        e.kind = EntryKind::TaxLine;
        e.op = word.back();
        e.shown = std::u16string(body);
        e.value = decimalOf(step.amount);
    } else if (word == u"JPY" || word == u"USD" || word == u"1 USD" || word == u"1 JPY") {
        // A converted amount, or the rate it was converted at ("1 USD   JPY   80.00").
        e.kind = EntryKind::Conversion;
        e.op = word == u"JPY" || word == u"1 USD" ? u'¥' : u'$';
        e.shown = std::u16string(body);
        if (word.size() == 3)
            e.value = decimalOf(step.amount);
        else
            e.input = step.amount;
    } else {
        return std::nullopt;
    }
    return e;
}

// The step a tape line shows, as far as the line shows it; nothing for a line that shows
// no step (a tool's output, a bare total).
std::optional<TapeEntry> entryOfLine(std::u16string_view line) {
    const TapeStep step = parseStep(line);
    const std::u16string_view body = trimTapeLine(line);
    const std::u16string_view op = step.operation;
    if (op == u"ERROR")
        return failedEntry(body, step);
    TapeEntry e;
    e.input = step.input;
    e.before = decimalOf(step.before);
    e.value = decimalOf(step.total);
    if (op.size() == 1 && contains(u"+-*/^", op.front())) {
        e.kind = EntryKind::OnTotal;
        e.op = op.front();
        e.operand = decimalOf(step.amount);
        // A number keyed alone has no blank before its "+", or a single one before its "-".
        if (e.op == u'+' && !afterLeadingTotal(body).starts_with(u" +"))
            e.kind = EntryKind::Number;
        return e;
    }
    if (op.starts_with(u'%')) {
        e.kind = EntryKind::PercentOfTotal;
        e.op = e.input.starts_with(u'/') ? u'/' : u'*';
        e.end = percentEndOf(e.input);
        return e;
    }
    if (op == u"=") {
        e.value = decimalOf(step.amount);
        if (!body.starts_with(u'(')) {
            // A tally line shows the denomination's amount, not the new total.
            e.kind = EntryKind::CashTallyStep;
            e.shown = std::u16string(line);
            e.value.reset();
            const std::size_t star = e.input.find(u'*');
            if (star != std::u16string::npos)
                e.operand = Decimal::parse(std::u16string_view(e.input).substr(star + 1));
            return e;
        }
        e.kind = contains(e.input, u'%') ? EntryKind::PercentOfLine : EntryKind::LineResult;
        e.shown = e.input;
        if (e.kind == EntryKind::PercentOfLine) {
            e.op = contains(e.input, u'/') ? u'/' : u'*';
            e.end = percentEndOf(e.input);
        }
        return e;
    }
    return wordEntry(body, step);
}

// A piece as the journal writes it: no break inside a line, no unpaired surrogate.
std::u16string journalForm(std::u16string_view piece) {
    std::u16string out(piece);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char16_t c = out[i];
        const bool lineEnd =
            c == u'\n' || (c == u'\r' && i + 1 < out.size() && out[i + 1] == u'\n');
        if (lineEnd)
            continue;
        if (c == u'\r' || c == u'\v' || c == u'\f' || c == 0x85 || c == 0x2028 || c == 0x2029) {
            out[i] = u' ';
        } else if (c >= 0xD800 && c < 0xDC00 && i + 1 < out.size() && out[i + 1] >= 0xDC00 &&
                   out[i + 1] < 0xE000) {
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            out[i] = u'\uFFFD';
        }
    }
    return out;
}

std::int64_t secondsOf(const std::string& time) {
    const auto parsed = parseTime(time);
    return parsed ? parsed->time_since_epoch().count() : 0;
}

} // namespace

std::vector<JournalEntry> recoverEntries(std::u16string_view text) {
    std::vector<JournalEntry> out;
    std::size_t line = 0;
    bool bareTotalBefore = false;
    for (std::size_t from = 0; from < text.size(); ++line) {
        const std::size_t lf = text.find(u'\n', from);
        const std::size_t end = lf == std::u16string_view::npos ? text.size() : lf + 1;
        const std::u16string_view l = text.substr(from, end - from);
        from = end;
        std::optional<TapeEntry> entry = entryOfLine(l);
        const bool bareTotal = !entry && !parseStep(l).total.empty();
        if (entry) {
            // A tally starts with the total of 0 on a line of its own.
            const bool tally = entry->kind == EntryKind::CashTallyStart && bareTotalBefore;
            out.push_back({std::move(*entry), tally ? line - 1 : line, true});
        }
        bareTotalBefore = bareTotal;
    }
    return out;
}

void EntryReader::record(std::string_view line) {
    const std::string_view tag = line.substr(0, line.find('\t'));
    std::vector<JournalEntry>& entries = m_contents.entries;
    if (tag == kNoteTag) {
        auto note = readNoteRecord(line);
        const auto at = note ? m_bySeq.find(note->first) : m_bySeq.end();
        if (at == m_bySeq.end())
            return; // a note on a step of an earlier file of the run, or a damaged record
        engine::TapeEntry& entry = entries[at->second].entry;
        m_writtenNotes.try_emplace(at->second, entry.note);
        entry.note = engine::cleanNote(note->second);
        return;
    }
    if (!tag.starts_with('E'))
        return; // a record this version does not know, about no step of its own
    recoverUncovered();
    std::size_t seq = 0;
    std::optional<engine::TapeEntry> entry =
        tag == kEntryTag ? readEntryRecord(line, seq) : std::nullopt;
    if (!entry) {
        // Its lines still show, and its step is read from them.
        m_uncovered = true;
        m_uncoveredLine = m_lines;
        m_uncoveredText = m_contents.text.size();
        return;
    }
    entry->note = engine::cleanNote(entry->note);
    entry->time = m_contents.marks.empty() ? 0 : secondsOf(m_contents.marks.back().time);
    m_bySeq[seq] = entries.size();
    m_textAt.push_back(m_contents.text.size());
    entries.push_back({std::move(*entry), m_lines, false});
}

void EntryReader::recoverUncovered() {
    if (!m_uncovered)
        return;
    m_uncovered = false;
    if (m_lines == m_uncoveredLine)
        return;
    const auto& marks = m_contents.marks;
    for (JournalEntry& e :
         recoverEntries(std::u16string_view(m_contents.text).substr(m_uncoveredText))) {
        e.firstLine += m_uncoveredLine;
        const auto mark =
            std::upper_bound(marks.begin(), marks.end(), e.firstLine,
                             [](std::size_t line, const auto& m) { return line < m.firstLine; });
        if (mark != marks.begin())
            e.entry.time = secondsOf(std::prev(mark)->time);
        m_textAt.push_back(std::u16string::npos);
        m_contents.entries.push_back(std::move(e));
    }
}

void EntryReader::finish() {
    recoverUncovered();
    std::ptrdiff_t shift = 0;
    for (const auto& [index, written] : m_writtenNotes)
        applyNoteToText(index, written, shift);
}

std::u16string EntryReader::writtenPiece(std::size_t index) const {
    engine::TapeEntry entry = m_contents.entries[index].entry;
    if (const auto it = m_writtenNotes.find(index); it != m_writtenNotes.end())
        entry.note = it->second;
    return journalForm(engine::renderEntry(entry));
}

std::size_t EntryReader::unfinishedBefore(std::size_t index) const {
    // The steps before it may have left a line unfinished, which its text goes on.
    std::size_t unfinished = 0;
    for (std::size_t j = index; j-- > 0 && m_textAt[j] != std::u16string::npos;) {
        const std::u16string piece = writtenPiece(j);
        const std::size_t lf = piece.rfind(u'\n');
        if (lf != std::u16string::npos)
            return unfinished + piece.size() - lf - 1;
        unfinished += piece.size();
    }
    return unfinished;
}

void EntryReader::applyNoteToText(std::size_t index, const std::u16string& written,
                                  std::ptrdiff_t& shift) {
    engine::TapeEntry entry = m_contents.entries[index].entry;
    if (m_textAt[index] == std::u16string::npos || entry.note == written)
        return;
    const std::u16string now = journalForm(engine::renderEntry(entry));
    entry.note = written;
    const std::u16string before = journalForm(engine::renderEntry(entry));
    const auto at = static_cast<std::size_t>(
        static_cast<std::ptrdiff_t>(m_textAt[index] + unfinishedBefore(index)) + shift);
    std::u16string& text = m_contents.text;
    // Only where the lines are as the record says they were written: a damaged file keeps
    // its lines as they are.
    if (at > text.size() || text.compare(at, before.size(), before) != 0)
        return;
    text.replace(at, before.size(), now);
    shift += static_cast<std::ptrdiff_t>(now.size()) - static_cast<std::ptrdiff_t>(before.size());
}

std::string entryRecord(const TapeEntry& entry, std::size_t seq) {
    std::string out;
    out.reserve(96 + entry.input.size() + entry.shown.size() + entry.note.size());
    out += kRecord;
    out += kEntryTag;
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
    const std::vector<std::string_view> f = splitFields(line);
    if (f.size() != kEntryFields || f[0] != kEntryTag)
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
    const std::vector<std::string_view> f = splitFields(line);
    if (f.size() != kNoteFields || f[0] != kNoteTag)
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
    out += kNoteTag;
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
