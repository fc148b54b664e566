#include "core/tools/taxrate/rate_sheet.h"

namespace sumiplex::taxrate {

void RateSheet::assign(const std::vector<std::u16string>& amounts) {
    m_amounts.clear();
    m_reduced.clear();
    m_unreadable = 0;
    append(amounts, 0);
}

void RateSheet::append(const std::vector<std::u16string>& amounts, std::size_t from) {
    if (from >= amounts.size())
        return;
    m_amounts.reserve(m_amounts.size() + amounts.size() - from);
    for (std::size_t i = from; i < amounts.size(); ++i) {
        const auto value = Decimal::parse(amounts[i]);
        // The row stays, so the rows keep lining up with the list; the summary refuses.
        if (!value)
            ++m_unreadable;
        m_amounts.push_back(value.value_or(Decimal{}));
    }
    m_reduced.resize(m_amounts.size(), false);
}

void RateSheet::toggle(std::size_t row) {
    if (row < m_reduced.size())
        m_reduced[row] = !m_reduced[row];
}

SummaryResult RateSheet::summary(const RateChoice& choice) const {
    if (m_unreadable > 0)
        return SummaryError::UnreadableAmount;
    return summarise(m_amounts, m_reduced, choice);
}

} // namespace sumiplex::taxrate
