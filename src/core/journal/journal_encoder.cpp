// Tape text written to a journal: lines kept whole, marked with their times.

#include "core/journal/journal_format.h"

namespace sumiplex::journal {
namespace {

// Characters that would break a tape line in two for some reader: a CR that no LF follows,
// the Unicode line and paragraph separators, NEL, vertical tab and form feed.
bool breaksLine(char16_t c) {
    return c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' || c == u'\u2028' ||
           c == u'\u2029';
}

// A tape line that a reader would take for a time mark or a record gets a U+001F in front.
bool startsLikeMarkOrRecord(std::u16string_view line) {
    return !line.empty() && (line.front() == kMark || line.front() == kRecord);
}

} // namespace

std::u16string oneLine(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c == u'\n' || breaksLine(c))
            c = u' ';
    return out;
}

std::u16string tapeLines(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // the LF that follows writes the line end
        if (c == u'\n' || c == u'\r')
            out += u"\r\n";
        else
            out += breaksLine(c) ? u' ' : c;
    }
    return out;
}

std::string JournalEncoder::append(std::u16string_view piece, LocalTime now) {
    std::string lines;
    std::string out = completeLines(piece, now, lines);
    out += lines;
    return out;
}

std::string JournalEncoder::completeLines(std::u16string_view piece, LocalTime now,
                                          std::string& out) {
    std::string mark;
    std::size_t from = 0;
    while (from < piece.size()) {
        const std::size_t lf = piece.find(u'\n', from);
        if (lf == std::u16string_view::npos) {
            m_line.append(piece.substr(from));
            break;
        }
        m_line.append(piece.substr(from, lf + 1 - from));
        from = lf + 1;
        keepOneLine(m_line);
        if (m_lastMark != now) {
            mark += kMark;
            mark += formatTime(now);
            mark += "\r\n";
            m_lastMark = now;
        }
        if (startsLikeMarkOrRecord(m_line))
            out += kMark;
        out += toUtf8(m_line);
        m_line.clear();
    }
    return mark;
}

void JournalEncoder::keepOneLine(std::u16string& line) {
    // Only the line's own end may break it: a reader splits at every CR, and a viewer at the
    // Unicode separators too, so any other break would show one step as two.
    const std::size_t end = line.ends_with(u"\r\n") ? line.size() - 2 : line.size() - 1;
    for (std::size_t i = 0; i < end; ++i)
        if (line[i] == u'\n' || breaksLine(line[i]))
            line[i] = u' ';
}

std::string JournalEncoder::takeUnfinished() {
    for (char16_t& c : m_line)
        if (c == u'\n' || breaksLine(c))
            c = u' ';
    std::string out;
    if (startsLikeMarkOrRecord(m_line))
        out += kMark;
    out += toUtf8(m_line);
    m_line.clear();
    return out;
}

} // namespace sumiplex::journal
