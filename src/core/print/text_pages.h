#pragma once

#include "core/print/page.h"
#include "core/print/page_area.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace sumiplex::print {

/// Where a plain text goes on its pages: the area inside the margins and the font.
struct TextPageFormat {
    Area area;
    PageFont font;
};

/// Lays out a plain text page by page, so a long text is drawn and sent one page at a
/// time and never held as a whole document. Lines end at CR LF, LF or CR; a line wider
/// than the area is wrapped onto the next line at the last character that fits
/// (at least one character per line, so nothing is ever lost past the right margin); a
/// page takes as many lines as fit its height and the text goes on on the next page.
class TextPager {
public:
    /// The text must outlive the pager.
    TextPager(std::u16string_view text, TextPageFormat format, const TextMeasure& measure);

    /// True once every line has been laid out. An empty text has no pages.
    [[nodiscard]] bool atEnd() const { return m_pos >= m_text.size() && m_pending.empty(); }

    /// The next page: A4 portrait, one text operation per non-empty printed line.
    [[nodiscard]] Page nextPage();

private:
    /// The next printed line: a whole source line or the part of it that fits.
    std::u16string nextLine();
    /// How many characters of the line fit the width (at least one, never half a pair).
    [[nodiscard]] std::size_t fittingLength(std::u16string_view line) const;

    std::u16string_view m_text;
    TextPageFormat m_format;
    const TextMeasure& m_measure;
    double m_lineHeight;
    std::size_t m_linesPerPage;
    std::size_t m_pos = 0;
    /// The rest of a source line that did not fit the width.
    std::u16string m_pending;
};

} // namespace sumiplex::print
