#include "core/tools/cash/breakdown.h"

#include <cstdint>

namespace sumiplex::cash {

namespace {

__extension__ using Wide = __int128;

constexpr std::u16string_view kLineEnd = u"\r\n";

Decimal fromInt(std::int64_t v) {
    return Decimal::fromInt(v);
}

// A whole value of at most 96 bits of magnitude; empty beyond that.
std::optional<Decimal> fromWide(Wide v) {
    const bool negative = v < 0;
    const auto magnitude = static_cast<Decimal::Mantissa>(negative ? -v : v);
    return Decimal::fromParts(magnitude, 0, negative);
}

Wide toWide(const Decimal& whole) {
    const auto m = static_cast<Wide>(whole.mantissa());
    return whole.isNegative() ? -m : m;
}

// The five-piece and one-piece counts of one digit.
std::pair<int, int> digitPair(int digit) {
    return digit >= 5 ? std::pair{1, digit - 5} : std::pair{0, digit};
}

// The four lower digits of a magnitude as the counts of denominations 2..9.
std::array<int, 8> lowerCounts(unsigned low) {
    std::array<int, 8> c{};
    int divisor = 1000;
    for (std::size_t pair = 0; pair < 4; ++pair, divisor /= 10) {
        const auto [five, one] =
            digitPair(static_cast<int>(low / static_cast<unsigned>(divisor) % 10));
        c[2 * pair] = five;
        c[2 * pair + 1] = one;
    }
    return c;
}

struct WholeSplit {
    Wide high = 0; // count of 10,000 notes, signed
    std::array<int, 8> lower{};
};

WholeSplit splitWhole(const Decimal& whole) {
    const Decimal::Mantissa v = whole.mantissa();
    const int sign = whole.isNegative() ? -1 : 1;
    WholeSplit s;
    s.high = static_cast<Wide>(v / 10000) * sign;
    s.lower = lowerCounts(static_cast<unsigned>(v % 10000));
    for (int& c : s.lower)
        c *= sign;
    return s;
}

std::u16string joinTabs(std::u16string_view a, std::u16string_view b, std::u16string_view c) {
    std::u16string line;
    line.reserve(a.size() + b.size() + c.size() + 4);
    line.append(a).append(u"\t").append(b).append(u"\t").append(c).append(kLineEnd);
    return line;
}

} // namespace

Counts splitAmount(const Decimal& amount) {
    const WholeSplit s = splitWhole(amount.truncated());
    Counts counts;
    counts[0] = *fromWide(s.high); // at most the amount itself, so it always fits
    for (std::size_t k = 1; k < kDenominations; ++k)
        counts[k] = fromInt(s.lower[k - 1]);
    return counts;
}

Entry readEntry(std::u16string_view text) {
    Entry e;
    const auto value = Decimal::parse(text);
    if (!value) {
        e.readable = false;
        return e;
    }
    e.integerPart = value->truncated();
    e.fraction = value->sub(e.integerPart).value_or(Decimal{});
    e.counts = splitAmount(e.integerPart);
    return e;
}

void normalise(Counts& counts) {
    // Borrow from k - 1 into k: the one-pieces take 5 from a five-piece, the five-pieces 2
    // from the next one-piece (index 8 is the 1-yen coin, index 1 the 5,000 note).
    const Decimal one = fromInt(1);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t k = kDenominations - 1; k >= 1; --k) {
            if (!counts[k].isNegative())
                continue;
            const bool onePiece = (kDenominations - 1 - k) % 2 == 0;
            const auto raised = counts[k].add(fromInt(onePiece ? 5 : 2));
            const auto lowered = counts[k - 1].sub(one);
            if (raised && lowered) {
                counts[k] = *raised;
                counts[k - 1] = *lowered;
            }
        }
    }
}

std::optional<Decimal> moneyValue(const Counts& counts) {
    Decimal sum;
    for (std::size_t k = 0; k < kDenominations; ++k) {
        const auto amount = counts[k].mul(fromInt(kFaceValues[k]));
        const auto next = amount ? sum.add(*amount) : std::nullopt;
        if (!next)
            return std::nullopt;
        sum = *next;
    }
    return sum;
}

CashTables BuildCashTables(const std::vector<std::u16string>& entries) {
    CashTables t;
    // Whole sums in a wider integer: every entry is below 2^96, so no count of entries a
    // list can hold makes them overflow before the result is checked.
    Wide amount = 0;
    Wide high = 0;
    std::array<std::int64_t, 8> lower{};
    for (const std::u16string& text : entries) {
        const auto value = Decimal::parse(text);
        if (!value) {
            t.sound = false;
            continue;
        }
        const Decimal whole = value->truncated();
        if (!value->isWhole()) {
            // The fraction keeps the entry's sign: -3.25 adds -0.25.
            const auto fraction = value->sub(whole);
            const auto sum = fraction ? t.fractionSum.add(*fraction) : std::nullopt;
            if (sum)
                t.fractionSum = *sum;
            else
                t.sound = false;
        }
        amount += toWide(whole);
        const WholeSplit s = splitWhole(whole);
        high += s.high;
        for (std::size_t k = 0; k < 8; ++k)
            lower[k] += s.lower[k];
    }
    const auto amountValue = fromWide(amount);
    const auto highValue = fromWide(high);
    if (!amountValue || !highValue) {
        t.sound = false;
        return t;
    }
    t.amount = *amountValue;
    t.entryTotals[0] = *highValue;
    for (std::size_t k = 1; k < kDenominations; ++k)
        t.entryTotals[k] = fromInt(lower[k - 1]);
    t.counts = t.entryTotals;
    if (t.amount > Decimal{})
        normalise(t.counts);
    if (const auto value = moneyValue(t.counts))
        t.cashValue = *value;
    else
        t.sound = false;
    return t;
}

bool addsUpTo(const CashTables& tables, std::u16string_view mainTotal) {
    if (!tables.sound)
        return false;
    const auto total = Decimal::parse(mainTotal);
    const auto made = tables.fractionSum.add(tables.cashValue);
    return total && made && made->truncated() == total->truncated();
}

std::optional<Exchange> exchange(const CashTables& tables, std::u16string_view principal) {
    const auto value = Decimal::parse(principal);
    const auto difference = value ? value->sub(tables.amount) : std::nullopt;
    if (!difference)
        return std::nullopt;
    Exchange e;
    e.difference = difference->truncated();
    const Counts added = splitAmount(e.difference);
    for (std::size_t k = 0; k < kDenominations; ++k) {
        const auto sum = tables.counts[k].add(added[k]);
        if (!sum)
            return std::nullopt;
        e.counts[k] = *sum;
    }
    normalise(e.counts);
    const auto cash = moneyValue(e.counts);
    if (!cash)
        return std::nullopt;
    e.cashValue = *cash;
    return e;
}

std::array<SummaryRow, kDenominations> summaryRows(const Counts& counts, SummaryNames names) {
    std::array<SummaryRow, kDenominations> rows;
    for (std::size_t k = 0; k < kDenominations; ++k) {
        rows[k].name = names == SummaryNames::Short ? kShortNames[k] : kPaddedNames[k];
        rows[k].count = counts[k].toPlainString();
        const auto amount = counts[k].mul(fromInt(kFaceValues[k]));
        rows[k].amount = amount ? amount->toPlainString() : std::u16string{};
    }
    return rows;
}

std::array<std::u16string, 10> entryRowCells(const Decimal& amount, const Counts& counts) {
    std::array<std::u16string, 10> cells;
    cells[0] = amount.toPlainString();
    for (std::size_t k = 0; k < kDenominations; ++k)
        cells[k + 1] = counts[k].toPlainString();
    return cells;
}

std::u16string breakdownMemoText(const Counts& counts, const Decimal& total) {
    std::u16string text;
    for (std::size_t k = 0; k < kDenominations; ++k) {
        const auto amount = counts[k].mul(fromInt(kFaceValues[k]));
        text += joinTabs(kPaddedNames[k], formatPattern(counts[k], kPatternWhole),
                         amount ? formatPattern(*amount, kPatternWhole) : std::u16string{});
    }
    text += joinTabs(kTotalCaption, u"", formatPattern(total, kPatternWhole));
    text += kLineEnd;
    return text;
}

DenominationPrintout breakdownPrintout(const Counts& counts, const Decimal& total) {
    DenominationPrintout p;
    for (std::size_t k = 0; k < kDenominations; ++k) {
        DenominationPrintout::Row& row = p.rows[k];
        row.denomination = kPrintedFaceValues[k];
        row.count = counts[k].toPlainString();
        const auto amount = counts[k].mul(fromInt(kFaceValues[k]));
        if (amount)
            row.amount = formatPattern(*amount, kPatternWhole);
    }
    p.total = formatPattern(total, kPatternWhole);
    return p;
}

void CashBreakdown::rebuild() {
    m_tables = BuildCashTables(m_entries);
    m_view.label1 =
        std::u16string(kTotalCaption) + formatPattern(m_tables.cashValue, kPatternWhole);
    m_view.command2Visible = true;
    m_view.label2.clear();
    m_view.summaryNames = SummaryNames::Short;
}

void CashBreakdown::activated(std::vector<std::u16string> entries, std::u16string_view mainTotal) {
    m_entries = std::move(entries);
    rebuild();
    m_view.text1 = m_tables.cashValue.toPlainString();
    m_view.text1Selected = false;
    m_view.label3Visible = !addsUpTo(m_tables, mainTotal);
    if (!m_view.label3Visible)
        m_view.command2Enabled = true;
}

CashBreakdown::ExchangeOutcome CashBreakdown::exchangeToPrincipal() {
    m_view.text1Selected = false;
    if (m_view.text1.empty())
        return ExchangeOutcome::NothingToDo;
    rebuild();
    const auto e = exchange(m_tables, m_view.text1);
    if (!e) {
        m_view.text1Selected = true;
        return ExchangeOutcome::PrincipalNotANumber;
    }
    m_view.label2 = formatPattern(e->difference, kPatternWhole);
    m_tables.counts = e->counts;
    m_tables.cashValue = e->cashValue;
    m_tables.amount = e->cashValue;
    m_view.summaryNames = SummaryNames::Padded;
    m_view.label1 = std::u16string(kTotalCaption) + formatPattern(e->cashValue, kPatternWhole);
    return ExchangeOutcome::Exchanged;
}

std::optional<std::u16string> CashBreakdown::takeMemoText() {
    if (m_tables.amount.isZero()) {
        m_view.command2Enabled = false;
        return std::nullopt;
    }
    m_view.command2Visible = false;
    return breakdownMemoText(m_tables.counts, m_tables.amount);
}

} // namespace sumiplex::cash
