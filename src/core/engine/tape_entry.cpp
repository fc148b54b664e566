#include "core/engine/tape_entry.h"

#include "core/engine/engine_text.h"

#include <array>

namespace sumiplex::engine {

namespace {

// A step's amounts are mostly the totals just before and just after it, and the one before
// is the one after of the step before, which the total's caption shows too: the amounts
// formatted last are kept, as they were stored (scale included, as it shows).
class AmountMemo {
public:
    const std::u16string& format(const Decimal& value) {
        for (const Slot& slot : m_slots)
            if (slot.used && slot.mantissa == value.mantissa() && slot.scale == value.scale() &&
                slot.negative == value.signBit())
                return slot.text;
        Slot& slot = m_slots[m_next];
        m_next = (m_next + 1) % m_slots.size();
        slot.mantissa = value.mantissa();
        slot.scale = value.scale();
        slot.negative = value.signBit();
        slot.used = true;
        // Written into the slot's own storage, which an amount of any length soon has.
        slot.text.clear();
        appendPattern(slot.text, value, value.isWhole() ? kPatternWhole : kPatternLong);
        return slot.text;
    }

private:
    struct Slot {
        Decimal::Mantissa mantissa = 0;
        int scale = 0;
        bool negative = false;
        bool used = false;
        std::u16string text;
    };
    std::array<Slot, 4> m_slots{};
    std::size_t m_next = 0;
};

thread_local AmountMemo t_amounts;

void appendAmount(std::u16string& out, const StoredAmount& value) {
    if (value)
        out += t_amounts.format(*value);
}

void appendLong(std::u16string& out, const StoredAmount& value) {
    if (value)
        out += formatPattern(*value, kPatternLong);
}

std::u16string_view percentOfLineMark(char16_t op, PercentEnd end) {
    switch (end) {
    case PercentEnd::Add:
        return u"%+ =";
    case PercentEnd::TakeOff:
        // The two kinds of percent line have always written this mark differently.
        return op == u'*' ? u"%-  =" : u"%- =";
    case PercentEnd::Share:
        break;
    }
    return u"% =";
}

std::u16string_view currencyWord(char16_t op) {
    return op == u'$' ? u"USD" : u"JPY";
}

// The separator between the total and the operand of a step on the total.
std::u16string_view operandSeparator(const TapeEntry& e) {
    switch (e.kind) {
    case EntryKind::OnTotal:
        if (e.op == u'+')
            return u" +";
        if (e.op == u'-')
            return u"  -";
        return u" ";
    case EntryKind::Number:
        // The separator shows whether the number was positive.
        return e.operand && *e.operand > Decimal{} ? u"+" : u" ";
    default:
        return e.op == u'/' ? u"/" : u"*";
    }
}

// The step's text without its note.
void renderBody(std::u16string& out, const TapeEntry& e) {
    switch (e.kind) {
    case EntryKind::OnTotal:
    case EntryKind::Number:
    case EntryKind::PercentOfTotal:
        out += kIndent;
        appendAmount(out, e.before);
        out += operandSeparator(e);
        out += e.shown;
        if (!e.failed) {
            out += u"= ";
            appendAmount(out, e.value);
        } else if (e.kind != EntryKind::PercentOfTotal) {
            out += u"ERROR";
        }
        break;
    case EntryKind::LineResult:
        out += u"      (";
        out += e.shown;
        out += u"= ";
        if (e.failed) {
            out += u"ERROR";
        } else {
            appendAmount(out, e.value);
            out += u')';
        }
        break;
    case EntryKind::PercentOfLine:
        out += u"      (";
        out += e.shown;
        out += percentOfLineMark(e.op, e.end);
        if (!e.failed) {
            appendAmount(out, e.value);
            out += u')';
        }
        break;
    case EntryKind::AllClear:
        out += u"      Total = 0";
        break;
    case EntryKind::Back: {
        const bool whole = !e.value || e.value->isWhole();
        // The word is written in lower case for a total with a fraction.
        out += whole ? u"      Back " : u"      back ";
        appendAmount(out, e.value);
        break;
    }
    case EntryKind::Forward: {
        const bool whole = !e.value || e.value->isWhole();
        // The blank after the word is left out for a total with a fraction.
        out += whole ? u"      Forward " : u"      Forward";
        appendAmount(out, e.value);
        break;
    }
    case EntryKind::Rounding:
        out += kIndent;
        appendLong(out, e.before);
        out += roundingTapeWord(e.mode);
        appendLong(out, e.value);
        break;
    case EntryKind::RoundingUndo:
        out += kIndent;
        appendLong(out, e.before);
        out += u" Back ";
        appendLong(out, e.value);
        break;
    case EntryKind::TotalReEntry:
        if (e.failed) {
            out += u"ERROR";
            break;
        }
        out += kIndent;
        out += kTotalWord;
        appendAmount(out, e.value);
        break;
    case EntryKind::ConvertedReEntry:
        out += kIndent;
        appendLong(out, e.before);
        out += u' ';
        if (e.failed) {
            out += u"ERROR";
            break;
        }
        out += u'>';
        out += currencyWord(e.op);
        out += u"  ";
        appendLong(out, e.value);
        break;
    case EntryKind::TaxLine:
    case EntryKind::Conversion:
    case EntryKind::RateChange:
        out += kIndent;
        out += e.shown;
        break;
    case EntryKind::Register:
        out += kIndent;
        // The memory's minus is an ASCII hyphen, as in every other tape word.
        out += e.op == u'G' ? u"GT " : e.op == u'+' ? u"M+ " : u"M- ";
        appendAmount(out, e.value);
        break;
    case EntryKind::DaysWord:
        out += kIndent;
        out += e.input;
        out += kIndent;
        break;
    case EntryKind::CashTallyStart:
        out += kIndent;
        out += formatPattern(Decimal{}, kPatternWhole);
        out += kLineEnd;
        out += u"      Cash Total";
        break;
    case EntryKind::CashTallyStep:
    case EntryKind::CashTallyEnd:
    case EntryKind::Tool:
        // Written whole, line ends included, by the window or tally that made it.
        out += e.shown;
        return;
    }
    out += kLineEnd;
}

} // namespace

void StoredAmount::assign(const std::optional<Decimal>& value) {
    if (!value) {
        *this = StoredAmount{};
        return;
    }
    const Decimal::Mantissa m = value->mantissa();
    m_low = static_cast<std::uint64_t>(m);
    m_high = static_cast<std::uint32_t>(m >> 64U);
    m_scale = static_cast<std::uint8_t>(value->scale());
    m_flags = static_cast<std::uint8_t>(kPresent | (value->signBit() ? kNegative : 0));
}

Decimal StoredAmount::operator*() const {
    const Decimal::Mantissa m = (static_cast<Decimal::Mantissa>(m_high) << 64U) | m_low;
    // Every part came from a Decimal, so they are in range.
    return Decimal::fromParts(m, m_scale, (m_flags & kNegative) != 0).value_or(Decimal{});
}

std::optional<Decimal> StoredAmount::optional() const {
    if (!has_value())
        return std::nullopt;
    return **this;
}

const std::u16string& formattedAmount(const Decimal& value) {
    return t_amounts.format(value);
}

bool TapeEntry::keyedInInputLine() const {
    switch (kind) {
    case EntryKind::OnTotal:
    case EntryKind::Number:
    case EntryKind::PercentOfTotal:
    case EntryKind::LineResult:
    case EntryKind::PercentOfLine:
    case EntryKind::TotalReEntry:
    case EntryKind::ConvertedReEntry:
    case EntryKind::DaysWord:
    case EntryKind::CashTallyStep:
        return true;
    default:
        return false;
    }
}

bool TapeEntry::setsTotal() const {
    switch (kind) {
    case EntryKind::OnTotal:
    case EntryKind::Number:
    case EntryKind::PercentOfTotal:
    case EntryKind::Rounding:
    case EntryKind::RoundingUndo:
    case EntryKind::TotalReEntry:
    case EntryKind::ConvertedReEntry:
    case EntryKind::Back:
    case EntryKind::Forward:
    case EntryKind::AllClear:
    case EntryKind::CashTallyStart:
    case EntryKind::CashTallyStep:
    case EntryKind::CashTallyEnd:
        return !failed;
    default:
        return false;
    }
}

bool TapeEntry::startsCalculation() const {
    switch (kind) {
    case EntryKind::AllClear:
    case EntryKind::CashTallyStart:
        return true;
    case EntryKind::TotalReEntry:
    case EntryKind::ConvertedReEntry:
        return !failed;
    default:
        return false;
    }
}

std::u16string_view TapeEntry::operatorText() const {
    switch (kind) {
    case EntryKind::OnTotal:
        switch (op) {
        case u'+':
            return u"+";
        case u'-':
            return u"-";
        case u'*':
            return u"*";
        case u'/':
            return u"/";
        default:
            return u"^";
        }
    case EntryKind::Number:
        return u"+";
    case EntryKind::PercentOfTotal:
        return end == PercentEnd::Add ? u"%+" : end == PercentEnd::TakeOff ? u"%-" : u"%";
    case EntryKind::LineResult:
    case EntryKind::PercentOfLine:
    case EntryKind::CashTallyStep:
        return u"=";
    default:
        return {};
    }
}

std::optional<Decimal> TapeEntry::amount() const {
    switch (kind) {
    case EntryKind::OnTotal:
    case EntryKind::Number:
        return operand.optional();
    case EntryKind::PercentOfTotal:
        if (end == PercentEnd::Share || !before || !value)
            return value.optional();
        // The share added or taken off: the total before ± the share is the total after.
        return end == PercentEnd::Add ? (*value).sub(*before) : (*before).sub(*value);
    default:
        return value.optional();
    }
}

std::u16string noteSuffix(std::u16string_view note) {
    return concat(u"  ", note);
}

std::u16string cleanNote(std::u16string_view note) {
    std::u16string out;
    out.reserve(note.size());
    for (std::size_t i = 0; i < note.size(); ++i) {
        const char16_t c = note[i];
        // CR LF is one break.
        if (c == u'\r' && i + 1 < note.size() && note[i + 1] == u'\n')
            continue;
        const bool lineBreak = c == u'\r' || c == u'\n' || c == u'\t' || c == u'\v' || c == u'\f' ||
                               c == 0x85 || c == 0x2028 || c == 0x2029;
        if (c == 0x1F || c == 0x1E)
            continue; // the journal's own marks
        out.push_back(lineBreak ? u' ' : c);
    }
    const auto isBlank = [](char16_t c) { return c == u' ' || c == u'\u3000'; };
    std::size_t first = 0;
    while (first < out.size() && isBlank(out[first]))
        ++first;
    std::size_t last = out.size();
    while (last > first && isBlank(out[last - 1]))
        --last;
    out = out.substr(first, last - first);
    if (out.size() > kMaxNoteLength) {
        std::size_t cut = kMaxNoteLength;
        // Never split a surrogate pair.
        if (out[cut - 1] >= 0xD800 && out[cut - 1] <= 0xDBFF)
            --cut;
        out.resize(cut);
    }
    return out;
}

void renderEntry(std::u16string& out, const TapeEntry& entry) {
    const std::size_t start = out.size();
    renderBody(out, entry);
    if (entry.note.empty())
        return;
    // After the figures of the entry's last line, before its line end.
    std::size_t at = out.size();
    if (at - start >= 2 && out[at - 2] == u'\r' && out[at - 1] == u'\n')
        at -= 2;
    out.insert(at, noteSuffix(entry.note));
}

std::u16string renderEntry(const TapeEntry& entry) {
    std::u16string out;
    renderEntry(out, entry);
    return out;
}

} // namespace sumiplex::engine
