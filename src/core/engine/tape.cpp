#include "core/engine/tape.h"

#include <algorithm>

namespace sumiplex::engine {

void Tape::record(TapeEntry&& entry) {
    if (entry.time == 0 && m_clock)
        entry.time = m_clock();
    const std::size_t from = m_text.size();
    m_rendered.clear();
    renderEntry(m_rendered, entry);
    m_text.append(m_rendered.data(), m_rendered.size());
    const std::u16string_view piece = text().substr(from);
    m_offsets.push_back(from);
    m_firstLines.push_back(m_lineEnds);
    // Counted in 32 bits: the vectorised sum then takes twice the characters a step that the
    // standard count, which counts in 64 bits, does.
    std::uint32_t lineEnds = 0;
    for (const char16_t c : piece)
        lineEnds += c == u'\n' ? 1U : 0U;
    m_lineEnds += lineEnds;
    m_entries.push_back(entry);
    if (entry.startsCalculation())
        m_calculationStart = m_entries.size();
    for (const auto& l : m_listeners)
        if (l.recorded)
            l.recorded(entry, piece);
}

void Tape::recordTool(std::u16string text) {
    TapeEntry entry;
    entry.kind = EntryKind::Tool;
    entry.shown = std::move(text);
    record(std::move(entry));
}

bool Tape::setNote(std::size_t index, std::u16string_view note) {
    if (index >= m_entries.size())
        return false;
    std::u16string cleaned = cleanNote(note);
    if (cleaned == m_entries.note(index))
        return false;
    m_entries.setNote(index, std::move(cleaned));
    // A note never holds a line break, so every entry keeps its lines; the text from the
    // changed entry on is written again.
    std::u16string rest;
    for (std::size_t i = index; i < m_entries.size(); ++i) {
        const std::size_t at = rest.size();
        renderEntry(rest, m_entries[i]);
        m_offsets[i] = m_offsets[index] + at;
    }
    m_text.truncate(m_offsets[index]);
    m_text.append(rest.data(), rest.size());
    for (const auto& l : m_listeners)
        if (l.noteChanged)
            l.noteChanged(index);
    return true;
}

std::size_t Tape::firstLineOf(std::size_t index) const {
    return index < m_firstLines.size() ? m_firstLines[index] : m_lineEnds;
}

std::size_t Tape::entryAtLine(std::size_t line) const {
    if (m_firstLines.empty())
        return 0;
    const auto it = std::upper_bound(m_firstLines.begin(), m_firstLines.end(), line);
    return it == m_firstLines.begin() ? 0 : static_cast<std::size_t>(it - m_firstLines.begin()) - 1;
}

std::size_t Tape::addListener(Listener listener) {
    m_listeners.push_back(std::move(listener));
    return m_listeners.size() - 1;
}

void Tape::removeListener(std::size_t id) {
    if (id < m_listeners.size())
        m_listeners[id] = Listener{};
}

} // namespace sumiplex::engine
