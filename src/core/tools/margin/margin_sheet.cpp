#include "core/tools/margin/margin_sheet.h"

#include "core/engine/kanji_amount.h"

#include <utility>

namespace sumiplex::margin {

namespace {

constexpr std::array kFigures{Figure::Cost, Figure::Price, Figure::Rate};

std::size_t at(Figure f) {
    return static_cast<std::size_t>(f);
}

bool isBlank(std::u16string_view text) {
    return text.find_first_not_of(u" \u3000") == std::u16string_view::npos;
}

std::optional<Decimal> read(Figure box, std::u16string_view text) {
    return box == Figure::Rate ? parseRate(text) : engine::parseAmount(text);
}

Refusal notANumber(Figure box) {
    switch (box) {
    case Figure::Cost:
        return Refusal::CostNotANumber;
    case Figure::Price:
        return Refusal::PriceNotANumber;
    case Figure::Rate:
        break;
    }
    return Refusal::RateNotANumber;
}

std::u16string joined(std::u16string_view a, std::u16string_view b, std::u16string_view c = {}) {
    std::u16string out(a);
    out.append(b);
    out.append(c);
    return out;
}

} // namespace

void MarginSheet::edit(Figure box, std::u16string text) {
    m_view.boxes[at(box)] = std::move(text);
    m_editedAt[at(box)] = ++m_edits;
    recompute(box);
}

std::optional<Figure> MarginSheet::target(Figure edited) const {
    std::optional<Figure> blank;
    std::optional<Figure> oldest;
    int blanks = 0;
    for (const Figure f : kFigures) {
        if (f == edited)
            continue;
        if (isBlank(m_view.boxes[at(f)])) {
            ++blanks;
            blank = f;
        }
        // Never-edited boxes tie; the rate, then the price, is the one worked out first.
        if (!oldest || m_editedAt[at(f)] <= m_editedAt[at(*oldest)])
            oldest = f;
    }
    if (blanks == 2)
        return std::nullopt;
    // Two boxes hold something: the empty one is what the user is asking for.
    return blanks == 1 ? blank : oldest;
}

void MarginSheet::recompute(Figure edited) {
    const std::optional<Figure> computed = target(edited);
    if (m_view.computed && m_view.computed != computed)
        m_view.computed.reset();
    m_view.profit.clear();
    m_view.markup.clear();
    m_view.reason.clear();
    m_view.result.reset();
    m_view.memoText.clear();
    if (!computed)
        return;
    m_view.computed = computed;
    m_view.boxes[at(*computed)].clear();
    // What the box held is gone: it no longer counts as a figure the user gave.
    m_editedAt[at(*computed)] = 0;

    std::array<std::optional<Decimal>, 3> given;
    for (const Figure f : kFigures) {
        if (f == *computed)
            continue;
        const std::u16string& text = m_view.boxes[at(f)];
        // A given still being typed in leaves the result empty without a complaint.
        if (isBlank(text))
            return;
        given[at(f)] = read(f, text);
        if (!given[at(f)] && m_view.reason.empty())
            m_view.reason = refusalText(notANumber(f));
    }
    if (!m_view.reason.empty())
        return;
    const Outcome outcome = *computed == Figure::Price  ? priceFrom(*given[0], *given[2])
                            : *computed == Figure::Rate ? rateFrom(*given[0], *given[1])
                                                        : costFrom(*given[1], *given[2]);
    if (const Refusal* refusal = std::get_if<Refusal>(&outcome)) {
        m_view.reason = refusalText(*refusal);
        return;
    }
    show(*computed, std::get<Sale>(outcome));
}

void MarginSheet::show(Figure target, const Sale& sale) {
    const std::optional<Earnings> e = earnings(sale);
    if (!e) {
        m_view.reason = refusalText(Refusal::OutOfRange);
        return;
    }
    const std::array values{sale.cost, sale.price, sale.rate};
    m_view.result = values[at(target)];
    m_view.boxes[at(target)] = FormatAmount(*m_view.result);
    m_view.profit = joined(u"利益 ", FormatAmount(e->profit));
    m_view.markup = joined(u"値入率 ", FormatAmount(e->markup), u"%");
    m_view.memoText = joined(u"原価 ", FormatAmount(sale.cost), u"\r\n") +
                      joined(u"売価 ", FormatAmount(sale.price), u"\r\n") +
                      joined(u"利益率 ", FormatAmount(sale.rate), u"%\r\n") + m_view.profit;
}

} // namespace sumiplex::margin
