#include "core/print/text_pages.h"

#include <algorithm>
#include <cmath>

namespace sumiplex::print {

namespace {

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c < 0xDC00;
}

} // namespace

TextPager::TextPager(std::u16string_view text, TextPageFormat format, const TextMeasure& measure)
    : m_text(text), m_format(std::move(format)), m_measure(measure),
      m_lineHeight(std::max(measure.lineHeightMm(m_format.font), 0.1)),
      m_linesPerPage(static_cast<std::size_t>(
          std::max(1.0, std::floor(m_format.area.height / m_lineHeight)))) {}

std::size_t TextPager::fittingLength(std::u16string_view line) const {
    if (m_measure.widthMm(line, m_format.font) <= m_format.area.width)
        return line.size();
    // Widths grow with the prefix: find the longest prefix that fits.
    std::size_t fits = 0;
    std::size_t tooWide = line.size();
    while (tooWide - fits > 1) {
        const std::size_t mid = fits + (tooWide - fits) / 2;
        if (m_measure.widthMm(line.substr(0, mid), m_format.font) <= m_format.area.width)
            fits = mid;
        else
            tooWide = mid;
    }
    if (fits == 0)
        fits = 1;
    if (fits < line.size() && isHighSurrogate(line[fits - 1]))
        fits = fits > 1 ? fits - 1 : 2;
    return std::min(fits, line.size());
}

std::u16string TextPager::nextLine() {
    if (m_pending.empty()) {
        const std::size_t end = m_text.find_first_of(u"\r\n", m_pos);
        const std::size_t stop = end == std::u16string_view::npos ? m_text.size() : end;
        m_pending.assign(m_text.substr(m_pos, stop - m_pos));
        m_pos = stop;
        if (m_pos < m_text.size()) {
            const bool crlf =
                m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n';
            m_pos += crlf ? 2 : 1;
        }
        if (m_pending.empty())
            return {};
    }
    const std::size_t n = fittingLength(m_pending);
    std::u16string line = m_pending.substr(0, n);
    m_pending.erase(0, n);
    return line;
}

Page TextPager::nextPage() {
    Page page;
    for (std::size_t i = 0; i < m_linesPerPage && !atEnd(); ++i) {
        std::u16string line = nextLine();
        if (line.empty())
            continue;
        PageOp op;
        op.kind = PageOp::Kind::Text;
        op.x1 = m_format.area.left;
        op.y1 = m_format.area.top + m_lineHeight * static_cast<double>(i);
        op.font = m_format.font;
        op.text = std::move(line);
        page.ops.push_back(std::move(op));
    }
    return page;
}

} // namespace sumiplex::print
