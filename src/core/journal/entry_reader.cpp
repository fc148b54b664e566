#include "core/journal/entry_reader.h"

#include <algorithm>
#include <iterator>

namespace sumiplex::journal {
namespace {

// A piece as the journal writes it: no break inside a line, no unpaired surrogate.
std::u16string journalForm(std::u16string_view piece) {
    std::u16string out(piece);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char16_t c = out[i];
        const bool lineEnd =
            c == u'\n' || (c == u'\r' && i + 1 < out.size() && out[i + 1] == u'\n');
        if (lineEnd)
            continue;
        if (c == u'\r' || c == u'\v' || c == u'\f' || c == 0x85 || c == 0x2028 || c == 0x2029) {
            out[i] = u' ';
        } else if (c >= 0xD800 && c < 0xDC00 && i + 1 < out.size() && out[i + 1] >= 0xDC00 &&
                   out[i + 1] < 0xE000) {
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            out[i] = u'\uFFFD';
        }
    }
    return out;
}

std::int64_t secondsOf(std::string_view time) {
    const auto parsed = parseTime(time);
    return parsed ? parsed->time_since_epoch().count() : 0;
}

} // namespace

void EntryReader::record(std::string_view line) {
    const std::string_view tag = line.substr(0, line.find('\t'));
    std::vector<JournalEntry>& entries = m_contents.entries;
    if (tag == kNoteRecordTag) {
        auto note = readNoteRecord(line);
        const auto at = note ? m_bySeq.find(note->first) : m_bySeq.end();
        if (at == m_bySeq.end())
            return; // a note on a step of an earlier file of the run, or a damaged record
        engine::TapeEntry& entry = entries[at->second].entry;
        m_writtenNotes.try_emplace(at->second, entry.note);
        entry.note = engine::cleanNote(note->second);
        return;
    }
    if (!tag.starts_with('E'))
        return; // a record this version does not know, about no step of its own
    recoverUncovered();
    std::size_t seq = 0;
    std::optional<engine::TapeEntry> entry =
        tag == kEntryRecordTag ? readEntryRecord(line, seq) : std::nullopt;
    if (!entry) {
        // Its lines still show, and its step is read from them.
        m_uncovered = true;
        m_uncoveredLine = m_lines;
        m_uncoveredText = m_contents.text.size();
        return;
    }
    entry->note = engine::cleanNote(entry->note);
    entry->time = m_markSeconds;
    m_bySeq[seq] = entries.size();
    m_textAt.push_back(m_contents.text.size());
    entries.push_back({std::move(*entry), m_lines, false});
}

void EntryReader::mark(std::string_view time) {
    m_markSeconds = secondsOf(time);
}

void EntryReader::recoverUncovered() {
    if (!m_uncovered)
        return;
    m_uncovered = false;
    if (m_lines == m_uncoveredLine)
        return;
    const auto& marks = m_contents.marks;
    for (JournalEntry& e :
         recoverEntries(std::u16string_view(m_contents.text).substr(m_uncoveredText))) {
        e.firstLine += m_uncoveredLine;
        const auto mark =
            std::upper_bound(marks.begin(), marks.end(), e.firstLine,
                             [](std::size_t line, const auto& m) { return line < m.firstLine; });
        if (mark != marks.begin())
            e.entry.time = secondsOf(std::prev(mark)->time);
        m_textAt.push_back(std::u16string::npos);
        m_contents.entries.push_back(std::move(e));
    }
}

void EntryReader::finish() {
    recoverUncovered();
    std::ptrdiff_t shift = 0;
    for (const auto& [index, written] : m_writtenNotes)
        applyNoteToText(index, written, shift);
}

std::u16string EntryReader::writtenPiece(std::size_t index) const {
    engine::TapeEntry entry = m_contents.entries[index].entry;
    if (const auto it = m_writtenNotes.find(index); it != m_writtenNotes.end())
        entry.note = it->second;
    return journalForm(engine::renderEntry(entry));
}

std::size_t EntryReader::unfinishedBefore(std::size_t index) const {
    // The steps before it may have left a line unfinished, which its text goes on.
    std::size_t unfinished = 0;
    for (std::size_t j = index; j-- > 0 && m_textAt[j] != std::u16string::npos;) {
        const std::u16string piece = writtenPiece(j);
        const std::size_t lf = piece.rfind(u'\n');
        if (lf != std::u16string::npos)
            return unfinished + piece.size() - lf - 1;
        unfinished += piece.size();
    }
    return unfinished;
}

void EntryReader::applyNoteToText(std::size_t index, const std::u16string& written,
                                  std::ptrdiff_t& shift) {
    engine::TapeEntry entry = m_contents.entries[index].entry;
    if (m_textAt[index] == std::u16string::npos || entry.note == written)
        return;
    const std::u16string now = journalForm(engine::renderEntry(entry));
    entry.note = written;
    const std::u16string before = journalForm(engine::renderEntry(entry));
    const auto at = static_cast<std::size_t>(
        static_cast<std::ptrdiff_t>(m_textAt[index] + unfinishedBefore(index)) + shift);
    std::u16string& text = m_contents.text;
    // Only where the lines are as the record says they were written: a damaged file keeps
    // its lines as they are.
    if (at > text.size() || text.compare(at, before.size(), before) != 0)
        return;
    text.replace(at, before.size(), now);
    shift += static_cast<std::ptrdiff_t>(now.size()) - static_cast<std::ptrdiff_t>(before.size());
}

} // namespace sumiplex::journal
