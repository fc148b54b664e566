#include "core/journal/tape_step.h"

#include "core/decimal/decimal.h"
#include "core/engine/kanji_amount.h"

#include <algorithm>
#include <optional>

namespace sumiplex::journal {
namespace {

constexpr std::u16string_view kIndent = u"      ";
constexpr std::u16string_view kError = u"ERROR";

bool isDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
}

// The amount a text starts with ("1,234.5" of "1,234.5 >JPY  ..."), or empty.
std::u16string_view leadingAmount(std::u16string_view s) {
    std::size_t n = 0;
    while (n < s.size() && isTapeAmountChar(s[n]))
        ++n;
    return s.substr(0, n);
}

bool isWholeAmount(std::u16string_view s) {
    return !s.empty() && leadingAmount(s).size() == s.size();
}

// The exact value of an amount as the tape writes it ("1,234.5", "1,235.", "-12") or as it
// was typed ("3億2500万", "１２万３４５６"), read as the calculator reads its input line.
std::optional<Decimal> readAmount(std::u16string_view text) {
    text = trimTapeLine(text);
    if (std::none_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    return engine::parseAmount(text);
}

std::u16string plain(const std::optional<Decimal>& value) {
    return value ? value->toPlainString() : std::u16string();
}

std::u16string plain(std::u16string_view text) {
    return plain(readAmount(text));
}

// An evaluation line "OLD TOTAL, what was typed[, "= " and the new total]", split at the
// end of the old total. A cash tally line ("10000*3= 30,000") has no old total: it starts
// with the denomination, glued to its "*" (a step on the total leaves a blank there, a
// percent of the total has a "%").
struct Evaluation {
    std::u16string_view oldTotal;
    std::u16string_view typed; ///< as it stands after the old total, blanks included
    bool tally = false;
};

std::optional<Evaluation> splitEvaluation(std::u16string_view body) {
    const std::u16string_view old = leadingAmount(body);
    if (!readAmount(old))
        return std::nullopt;
    Evaluation e{old, body.substr(old.size())};
    const std::u16string_view typed = trimTapeLine(e.typed);
    if (typed.empty())
        return std::nullopt;
    const bool percent = typed.find(u'%') != std::u16string_view::npos;
    e.tally = e.typed.front() == u'*' && !percent;
    const char16_t first = e.typed.front();
    if (first != u' ' && first != u'+' && !e.tally &&
        !((first == u'*' || first == u'/') && percent))
        return std::nullopt;
    return e;
}

// What a failed line tried: "0/" of "1,000 0/ERROR", "10/0" of "(10/0= ERROR"; empty when
// the line holds nothing else.
std::u16string triedInput(std::u16string_view body) {
    std::u16string_view tried = trimTapeLine(body);
    if (tried.starts_with(u'('))
        tried.remove_prefix(1);
    else if (const auto e = splitEvaluation(tried); e && !e->tally)
        tried = e->typed;
    tried = trimTapeLine(tried);
    if (tried.ends_with(u'='))
        tried.remove_suffix(1);
    return std::u16string(trimTapeLine(tried));
}

// A step on the total: the operator and the operand as the tape wrote them.
void readStepOnTotal(const Evaluation& e, TapeStep& step) {
    const std::u16string_view typed = trimTapeLine(e.typed);
    std::u16string_view operand = typed;
    char16_t op = u'+';
    if (e.typed.starts_with(u"  -")) {
        // A subtraction ("500-") is written "  -500"; a single blank before a "-" is a
        // negative number added.
        op = u'-';
        operand.remove_prefix(1);
    } else if (typed.front() == u'+') {
        operand.remove_prefix(1);
    } else if (std::u16string_view(u"*/^").find(typed.front()) != std::u16string_view::npos) {
        op = typed.front();
        operand.remove_prefix(1);
    } else if (std::u16string_view(u"*/^").find(typed.back()) != std::u16string_view::npos) {
        op = typed.back();
        operand.remove_suffix(1);
    }
    step.operation = std::u16string(1, op);
    step.amount = plain(operand);
}

// A percent of the total: the share the step added, took off, or made the total.
void readPercentOfTotal(const Evaluation& e, const std::optional<Decimal>& after, TapeStep& step) {
    const std::u16string_view typed = trimTapeLine(e.typed);
    const auto before = readAmount(e.oldTotal);
    std::optional<Decimal> share = after;
    if (typed.ends_with(u"%+")) {
        step.operation = u"%+";
        share = after && before ? after->sub(*before) : std::nullopt;
    } else if (typed.ends_with(u"%-")) {
        step.operation = u"%-";
        share = after && before ? before->sub(*after) : std::nullopt;
    } else {
        step.operation = u"%";
    }
    step.amount = plain(share);
}

bool readEvaluation(std::u16string_view body, TapeStep& step) {
    const std::size_t eq = body.rfind(u"= ");
    if (eq == std::u16string_view::npos) {
        // A percent of the total that could not be worked out ends its line unfinished.
        const auto e = splitEvaluation(body);
        if (!e || e->tally || trimTapeLine(e->typed).find(u'%') == std::u16string_view::npos)
            return false;
        step.input = std::u16string(trimTapeLine(e->typed));
        step.operation = kError;
        return true;
    }
    const std::u16string_view result = body.substr(eq + 2);
    const auto after = isWholeAmount(result) ? readAmount(result) : std::nullopt;
    const auto e = splitEvaluation(body.substr(0, eq));
    if (!after || !e)
        return false;
    if (e->tally) {
        step.input = std::u16string(body.substr(0, eq));
        step.operation = u"=";
        step.amount = after->toPlainString();
        return true;
    }
    step.input = std::u16string(trimTapeLine(e->typed));
    step.total = after->toPlainString();
    step.before = plain(e->oldTotal);
    if (step.input.find(u'%') != std::u16string::npos)
        readPercentOfTotal(*e, after, step);
    else
        readStepOnTotal(*e, step);
    return true;
}

bool readLineResult(std::u16string_view body, TapeStep& step) {
    if (!body.starts_with(u'('))
        return false;
    std::u16string_view inner = body.substr(1);
    const bool finished = inner.ends_with(u')');
    if (finished)
        inner.remove_suffix(1);
    const std::size_t eq = inner.rfind(u'=');
    if (eq == std::u16string_view::npos)
        return false;
    step.input = std::u16string(trimTapeLine(inner.substr(0, eq)));
    // A percent of a line that could not be worked out is left without its result.
    const std::u16string_view result = trimTapeLine(inner.substr(eq + 1));
    if (!finished || result.empty()) {
        step.operation = kError;
        return true;
    }
    step.operation = u"=";
    step.amount = plain(result);
    return true;
}

enum class Field { Total, Amount, None };

// Lines made of a fixed word and one amount.
struct WordStep {
    std::u16string_view prefix;
    std::u16string_view operation;
    Field field;
    std::u16string_view unit = {}; ///< a currency word between the prefix and the amount
    bool tail = false;             ///< more follows the amount (the tax in a tax line)
};
constexpr WordStep kWordSteps[] = {
    {u"Total = ", u"AC", Field::Total},
    {u"Total ", u"Total", Field::Total},
    {u"Back ", u"Back", Field::Total},
    {u"back ", u"Back", Field::Total},
    {u"Forward", u"Forward", Field::Total},
    {u"Cash Total", u"Cash Total", Field::None},
    {u"JPY ", u"JPY", Field::Amount},
    {u"USD ", u"USD", Field::Amount},
    {u"1 USD ", u"1 USD", Field::Amount, u"JPY"},
    {u"1 JPY ", u"1 JPY", Field::Amount, u"USD"},
    {u"Tax +", u"Tax +", Field::Amount, {}, true},
    {u"Tax  -", u"Tax -", Field::Amount, {}, true},
};

bool readWordStep(std::u16string_view body, TapeStep& step) {
    for (const WordStep& word : kWordSteps) {
        if (!body.starts_with(word.prefix))
            continue;
        std::u16string_view rest = trimTapeLine(body.substr(word.prefix.size()));
        if (word.field == Field::None) {
            if (!rest.empty())
                continue;
            step.operation = std::u16string(word.operation);
            return true;
        }
        if (!word.unit.empty() && rest.starts_with(word.unit))
            rest = trimTapeLine(rest.substr(word.unit.size()));
        const std::u16string_view shown = leadingAmount(rest);
        const auto value = readAmount(shown);
        if (!value || (!word.tail && shown.size() != rest.size()))
            continue;
        step.operation = std::u16string(word.operation);
        (word.field == Field::Total ? step.total : step.amount) = value->toPlainString();
        return true;
    }
    return false;
}

// Words that stand between the value before and the value after.
constexpr std::u16string_view kMiddleWords[] = {u" Back ",        u"  Round-Off ", u"  Round-Up ",
                                                u"  Round-Down ", u" >JPY  ",      u" >USD  "};

bool readMiddleWord(std::u16string_view body, TapeStep& step) {
    for (std::u16string_view word : kMiddleWords) {
        const std::size_t at = body.find(word);
        if (at == std::u16string_view::npos)
            continue;
        const std::u16string_view before = body.substr(0, at);
        const std::u16string_view after = body.substr(at + word.size());
        if (!isWholeAmount(before) || !isWholeAmount(after))
            continue;
        const auto from = readAmount(before);
        const auto to = readAmount(after);
        if (!from || !to)
            continue;
        step.operation = std::u16string(trimTapeLine(word));
        step.amount = from->toPlainString();
        step.before = step.amount;
        step.total = to->toPlainString();
        return true;
    }
    return false;
}

} // namespace

bool isTapeAmountChar(char16_t c) {
    return isDigit(c) || c == u',' || c == u'.' || c == u'-';
}

std::u16string_view trimTapeLine(std::u16string_view line) {
    while (!line.empty() && (line.front() == u' ' || line.front() == u'\u3000'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == u' ' || line.back() == u'\r' || line.back() == u'\n'))
        line.remove_suffix(1);
    return line;
}

TapeStep parseStep(std::u16string_view line) {
    TapeStep step;
    const std::u16string_view body = trimTapeLine(line);
    step.input = std::u16string(body);
    if (body.empty())
        return step;
    if (body.ends_with(kError)) {
        if (std::u16string tried = triedInput(body.substr(0, body.size() - kError.size()));
            !tried.empty())
            step.input = std::move(tried);
        step.operation = kError;
        return step;
    }
    if (!line.starts_with(kIndent))
        return step; // a line of another writer: kept whole as the input
    if (readLineResult(body, step) || readWordStep(body, step) || readMiddleWord(body, step) ||
        readEvaluation(body, step))
        return step;
    // The total alone: the tally sequence starts from 0.
    if (isWholeAmount(body))
        step.total = plain(body);
    return step;
}

std::u16string amountOfLine(std::u16string_view line) {
    const TapeStep step = parseStep(line);
    return step.total.empty() ? step.amount : step.total;
}

} // namespace sumiplex::journal
