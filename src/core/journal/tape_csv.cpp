#include "core/journal/tape_csv.h"

#include "core/journal/tape_step.h"

#include <chrono>

namespace sumiplex::journal {
namespace {

using engine::EntryKind;
using engine::TapeEntry;

// A cell a spreadsheet would run as a formula gets a leading apostrophe, which it shows as
// text; the full-width signs count too, as a Japanese spreadsheet may take them as typed.
bool looksLikeFormula(std::u16string_view text) {
    return !text.empty() &&
           std::u16string_view(u"=+-@\t\r＝＋－＠").find(text.front()) != std::u16string_view::npos;
}

std::string csvField(std::u16string_view text) {
    std::string utf8 = toUtf8(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string csvText(std::u16string_view text) {
    return looksLikeFormula(text) ? csvField(u"'" + std::u16string(text)) : csvField(text);
}

std::string csvAmount(const std::optional<Decimal>& value) {
    return value ? value->toPlainAscii() : std::string();
}

// A step's lines in one cell: each without its indent, joined by " / ", so that a row of
// the file stays one line for whoever reads it outside a spreadsheet.
std::u16string oneCell(std::u16string_view text) {
    std::u16string out;
    while (!text.empty()) {
        const std::size_t lf = text.find(u'\n');
        const std::size_t end = lf == std::u16string_view::npos ? text.size() : lf + 1;
        const std::u16string_view line = trimTapeLine(text.substr(0, end));
        if (!line.empty()) {
            if (!out.empty())
                out += u" / ";
            out += line;
        }
        text.remove_prefix(end);
    }
    return out;
}

// The word of a step that has no operator of its own, as the tape shows it.
std::u16string_view stepWord(const TapeEntry& e) {
    switch (e.kind) {
    case EntryKind::AllClear:
        return u"AC";
    case EntryKind::Back:
    case EntryKind::RoundingUndo:
        return u"Back";
    case EntryKind::Forward:
        return u"Forward";
    case EntryKind::Rounding: {
        const std::u16string_view word = engine::roundingTapeWord(e.mode);
        return trimTapeLine(word);
    }
    case EntryKind::TaxLine:
        return e.op == u'-' ? u"Tax -" : u"Tax +";
    case EntryKind::Conversion:
    case EntryKind::RateChange:
        return e.op == u'$' ? u"USD" : u"JPY";
    case EntryKind::Register:
        return e.op == u'G' ? u"GT" : e.op == u'+' ? u"M+" : u"M-";
    case EntryKind::ConvertedReEntry:
        return e.op == u'$' ? u">USD" : u">JPY";
    case EntryKind::TotalReEntry:
        return u"Total";
    case EntryKind::CashTallyStart:
    case EntryKind::CashTallyEnd:
        return u"Cash Total";
    default:
        return e.operatorText();
    }
}

struct Figures {
    std::optional<Decimal> amount;
    std::optional<Decimal> total;
};

Figures figuresOf(const TapeEntry& e) {
    if (e.failed)
        return {};
    switch (e.kind) {
    case EntryKind::Rounding:
    case EntryKind::RoundingUndo:
    case EntryKind::ConvertedReEntry:
        // The total before, then after: the two figures of the line.
        return {e.before, e.value};
    case EntryKind::CashTallyStep:
        // The denomination's sum; the total runs on beside it.
        return {e.value && e.before ? e.value->sub(*e.before) : std::nullopt, e.value};
    case EntryKind::TaxLine:
    case EntryKind::Conversion:
    case EntryKind::RateChange:
        // A tax line carries its figure (with or without the tax); a conversion keeps its
        // figure only in the caption's text, which the calculator wrote itself.
        if (e.value)
            return {e.value, std::nullopt};
        return {Decimal::parse(parseStep(u"      " + e.shown).amount), std::nullopt};
    case EntryKind::Register:
        return {e.value, std::nullopt};
    case EntryKind::AllClear:
    case EntryKind::Back:
    case EntryKind::Forward:
    case EntryKind::TotalReEntry:
    case EntryKind::CashTallyStart:
    case EntryKind::CashTallyEnd:
        // The total alone: the step has no amount of its own.
        return {std::nullopt, e.value};
    case EntryKind::DaysWord:
    case EntryKind::Tool:
        return {};
    default:
        return {e.amount(), e.setsTotal() ? e.value : std::nullopt};
    }
}

std::string timeText(std::int64_t time) {
    return formatTime(LocalTime{std::chrono::seconds{time}});
}

void appendRow(std::string& out, const TapeEntry& e, const std::string& fallbackTime) {
    const std::string time = e.time != 0 ? timeText(e.time) : fallbackTime;
    const std::u16string input = e.input.empty() ? oneCell(e.shown) : e.input;
    const Figures figures = figuresOf(e);
    out += csvText(std::u16string(time.begin(), time.end()));
    out += ',';
    out += csvText(input);
    out += ',';
    out += csvText(e.failed ? std::u16string_view(u"ERROR") : stepWord(e));
    out += ',';
    out += csvAmount(figures.amount);
    out += ',';
    out += csvAmount(figures.total);
    out += ',';
    out += csvText(e.note);
    out += "\r\n";
}

// A cell of a tab-separated row: a tab or a line break inside it would start another cell
// or row, so it becomes a blank; a would-be formula is marked as in the CSV.
std::u16string rowCell(std::u16string_view text) {
    std::u16string out = looksLikeFormula(text) ? u"'" : u"";
    for (const char16_t c : text)
        out.push_back(c == u'\t' || c == u'\r' || c == u'\n' ? u' ' : c);
    return out;
}

std::u16string rowAmount(const std::optional<Decimal>& value) {
    const std::string plain = csvAmount(value);
    return std::u16string(plain.begin(), plain.end());
}

std::string header() {
    return "\xEF\xBB\xBF" + toUtf8(u"時刻,入力,操作,金額,合計,摘要") + "\r\n";
}

} // namespace

std::string tapeCsv(std::span<const TapeEntry> entries) {
    std::string out = header();
    for (const TapeEntry& e : entries)
        appendRow(out, e, {});
    return out;
}

std::string tapeCsv(const JournalContents& tape) {
    std::string out = header();
    std::size_t mark = 0;
    std::string time;
    for (const JournalEntry& e : tape.entries) {
        while (mark < tape.marks.size() && tape.marks[mark].firstLine <= e.firstLine)
            time = tape.marks[mark++].time;
        appendRow(out, e.entry, time);
    }
    return out;
}

std::u16string tapeRows(std::span<const TapeEntry> entries) {
    std::u16string out;
    for (const TapeEntry& e : entries) {
        const Figures figures = figuresOf(e);
        out += rowCell(e.input.empty() ? oneCell(e.shown) : e.input);
        out += u'\t';
        out += rowCell(e.failed ? std::u16string_view(u"ERROR") : stepWord(e));
        out += u'\t';
        out += rowAmount(figures.amount);
        out += u'\t';
        out += rowAmount(figures.total);
        out += u'\t';
        out += rowCell(e.note);
        out += u'\n';
    }
    return out;
}

} // namespace sumiplex::journal
