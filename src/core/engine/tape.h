#pragma once

#include "core/engine/entry_store.h"
#include "core/engine/grow_buffer.h"
#include "core/engine/tape_entry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::engine {

/// The history tape: the entries of every completed step, in order, and the text they
/// render to. Listeners hear of each recorded entry with the text it added, so a view can
/// append in constant time instead of re-reading the whole text.
class Tape {
public:
    struct Listener {
        /// An entry was recorded; `piece` is the text it added to the end of the tape.
        std::function<void(const TapeEntry& entry, std::u16string_view piece)> recorded;
        /// The note of entry `index` changed, and with it that entry's text: the tape's text
        /// is to be read again.
        std::function<void(std::size_t index)> noteChanged;
    };

    /// Records a completed step: stamps its time (when it has none), renders it onto the
    /// text and tells the listeners.
    void record(TapeEntry&& entry);
    void record(const TapeEntry& entry) { record(TapeEntry(entry)); }
    /// Another window's output, written as it stands.
    void recordTool(std::u16string text);
    /// Gives entry `index` the note (cleaned by cleanNote; empty removes it). False when
    /// there is no such entry or the note is unchanged.
    bool setNote(std::size_t index, std::u16string_view note);

    [[nodiscard]] std::u16string_view text() const { return viewOf(m_text); }
    /// The entries, read by value (they are kept packed).
    [[nodiscard]] const EntryStore& entries() const { return m_entries; }
    /// The index of the first entry of the current calculation: the one after the last
    /// entry that started one (all clear, a total keyed back in), or 0.
    [[nodiscard]] std::size_t calculationStart() const { return m_calculationStart; }
    /// Where the text of entry `index` begins in text().
    [[nodiscard]] std::size_t offsetOf(std::size_t index) const {
        return index < m_offsets.size() ? m_offsets[index] : m_text.size();
    }
    /// The 0-based text line where entry `index` begins.
    [[nodiscard]] std::size_t firstLineOf(std::size_t index) const;
    /// The entry that wrote text line `line`: the last entry beginning at or before it;
    /// entries().size() when the tape is empty.
    [[nodiscard]] std::size_t entryAtLine(std::size_t line) const;

    /// Returns an id for removeListener.
    std::size_t addListener(Listener listener);
    void removeListener(std::size_t id);
    /// Where the time of a step comes from: local seconds since 1970-01-01.
    void setClock(std::function<std::int64_t()> clock) { m_clock = std::move(clock); }

private:
    GrowBuffer<char16_t> m_text;
    /// Where an entry is rendered before it joins the text; kept for its storage.
    std::u16string m_rendered;
    EntryStore m_entries;
    /// Where each entry's text begins, and the text line it begins on; the count of line
    /// ends written so far.
    GrowBuffer<std::size_t> m_offsets;
    GrowBuffer<std::uint32_t> m_firstLines;
    std::uint32_t m_lineEnds = 0;
    std::size_t m_calculationStart = 0;
    std::vector<Listener> m_listeners;
    std::function<std::int64_t()> m_clock;
};

} // namespace sumiplex::engine
