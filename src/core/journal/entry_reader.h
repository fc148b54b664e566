#pragma once

#include "core/journal/journal_format.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sumiplex::journal {

/// Builds JournalContents::entries while a file's body is read: the entries of its
/// records, and those read back from the tape lines no readable record stands for.
class EntryReader {
public:
    explicit EntryReader(JournalContents& contents) : m_contents(contents) {}

    /// A tape line was added to the text.
    void textLine() { ++m_lines; }
    /// A time mark was read; the steps recorded after it took place then.
    void mark(std::string_view time);
    /// A record's line, its U+001E and its line end taken off.
    void record(std::string_view line);
    /// The body has been read: the last lines' entries, the times, the notes.
    void finish();

    [[nodiscard]] std::size_t lines() const { return m_lines; }

private:
    void recoverUncovered();
    void applyNoteToText(std::size_t index, const std::u16string& written, std::ptrdiff_t& shift);
    [[nodiscard]] std::size_t unfinishedBefore(std::size_t index) const;
    [[nodiscard]] std::u16string writtenPiece(std::size_t index) const;

    JournalContents& m_contents;
    std::size_t m_lines = 0;
    std::int64_t m_markSeconds = 0;
    /// The tape lines from here on belong to no readable record.
    bool m_uncovered = true;
    std::size_t m_uncoveredLine = 0;
    std::size_t m_uncoveredText = 0;
    /// For each entry, where the text stood when its record was read; npos for an entry
    /// read back from the text.
    std::vector<std::size_t> m_textAt;
    std::unordered_map<std::size_t, std::size_t> m_bySeq;
    /// The entries whose note changed after their lines were written, with that note.
    std::map<std::size_t, std::u16string> m_writtenNotes;
};

} // namespace sumiplex::journal
