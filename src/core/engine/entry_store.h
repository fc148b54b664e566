#pragma once
// The tape's entries, packed: a long tape holds hundreds of thousands of steps, and an
// entry as a struct (three amounts, three strings) takes about 170 bytes where its content
// is a few dozen. Each entry is written once as a run of bytes and read back into a
// TapeEntry when asked for; only its note can change afterwards, and notes live beside the
// runs.

#include "core/engine/grow_buffer.h"
#include "core/engine/tape_entry.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sumiplex::engine {

class EntryStore {
public:
    /// Reads entries by value, in order; enough of an iterator for range-for, std::vector's
    /// range constructor and the standard algorithms that read.
    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = TapeEntry;
        using difference_type = std::ptrdiff_t;
        using reference = TapeEntry;
        using pointer = void;

        const_iterator() = default;
        const_iterator(const EntryStore* store, std::size_t index)
            : m_store(store), m_index(index) {}
        TapeEntry operator*() const { return (*m_store)[m_index]; }
        const_iterator& operator++() {
            ++m_index;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++m_index;
            return before;
        }
        const_iterator& operator+=(difference_type n) {
            m_index = static_cast<std::size_t>(static_cast<difference_type>(m_index) + n);
            return *this;
        }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return static_cast<difference_type>(a.m_index) -
                   static_cast<difference_type>(b.m_index);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.m_index == b.m_index;
        }

    private:
        const EntryStore* m_store = nullptr;
        std::size_t m_index = 0;
    };

    void push_back(const TapeEntry& entry);

    [[nodiscard]] std::size_t size() const { return m_offsets.size(); }
    [[nodiscard]] bool empty() const { return m_offsets.empty(); }
    /// Entry `index` (< size()), decoded.
    [[nodiscard]] TapeEntry operator[](std::size_t index) const;
    /// Entry `index`; throws std::out_of_range past the end, as a vector's at() does.
    [[nodiscard]] TapeEntry at(std::size_t index) const;
    [[nodiscard]] TapeEntry back() const { return (*this)[size() - 1]; }
    [[nodiscard]] const_iterator begin() const { return {this, 0}; }
    [[nodiscard]] const_iterator end() const { return {this, size()}; }
    /// Entries [first, last) (last at most size()), decoded.
    [[nodiscard]] std::vector<TapeEntry> slice(std::size_t first,
                                               std::size_t last = SIZE_MAX) const;

    /// The note of entry `index` (< size()); empty when it has none.
    [[nodiscard]] std::u16string note(std::size_t index) const;
    void setNote(std::size_t index, std::u16string note);

    /// Bytes held for the entries: the runs' pages, their offsets and the notes.
    [[nodiscard]] std::size_t bytesHeld() const;

private:
    struct Page {
        std::unique_ptr<std::uint8_t[]> bytes;
        std::size_t size = 0;
        std::size_t used = 0;
        std::size_t firstEntry = 0;
    };
    [[nodiscard]] const std::uint8_t* runOf(std::size_t index) const;
    [[nodiscard]] std::uint8_t* room(std::size_t bytes);
    [[nodiscard]] std::vector<std::pair<std::size_t, std::u16string>>::const_iterator
    noteAt(std::size_t index) const;

    std::vector<Page> m_pages;
    /// Where each entry's run begins in its page.
    GrowBuffer<std::uint32_t> m_offsets;
    /// The notes, by entry index, in order.
    std::vector<std::pair<std::size_t, std::u16string>> m_notes;
};

} // namespace sumiplex::engine
