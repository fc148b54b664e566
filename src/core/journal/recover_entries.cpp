// The steps of a tape read back from its text alone: a file written before the journal
// kept its steps, or the lines of a damaged record.

#include "core/journal/journal_format.h"
#include "core/journal/tape_step.h"

namespace sumiplex::journal {
namespace {

using engine::EntryKind;
using engine::PercentEnd;
using engine::RoundMode;
using engine::TapeEntry;

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
std::optional<TapeEntry> entryOfLine(std::u16string_view line, const TapeStep& step) {
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
        const TapeStep step = parseStep(l);
        std::optional<TapeEntry> entry = entryOfLine(l, step);
        const bool bareTotal = !entry && !step.total.empty();
        if (entry) {
            // A tally starts with the total of 0 on a line of its own.
            const bool tally = entry->kind == EntryKind::CashTallyStart && bareTotalBefore;
            out.push_back({std::move(*entry), tally ? line - 1 : line, true});
        }
        bareTotalBefore = bareTotal;
    }
    return out;
}

} // namespace sumiplex::journal
