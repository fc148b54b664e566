#pragma once
// Short texts (plain totals) kept end to end in one buffer: a list that grows by an item a
// step all day long costs two bytes a character and four an item, rather than the 32 bytes
// of a string object each.

#include "core/engine/grow_buffer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::engine {

class TextList {
public:
    TextList() = default;
    TextList(std::initializer_list<std::u16string_view> items) {
        for (const std::u16string_view item : items)
            push_back(item);
    }

    void push_back(std::u16string_view item) {
        m_chars.append(item.data(), item.size());
        m_ends.push_back(static_cast<std::uint32_t>(m_chars.size()));
    }
    void replaceBack(std::u16string_view item) {
        m_ends.truncate(m_ends.size() - 1);
        m_chars.truncate(m_ends.empty() ? 0 : m_ends[m_ends.size() - 1]);
        push_back(item);
    }
    void clear() {
        m_chars.truncate(0);
        m_ends.truncate(0);
    }

    [[nodiscard]] std::size_t size() const { return m_ends.size(); }
    [[nodiscard]] bool empty() const { return m_ends.empty(); }
    [[nodiscard]] std::u16string_view operator[](std::size_t i) const {
        const std::size_t from = i == 0 ? 0 : m_ends[i - 1];
        return viewOf(m_chars).substr(from, m_ends[i] - from);
    }
    [[nodiscard]] std::u16string_view back() const { return (*this)[size() - 1]; }

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::u16string_view;
        using difference_type = std::ptrdiff_t;
        using reference = std::u16string_view;
        using pointer = void;
        const_iterator() = default;
        const_iterator(const TextList* list, std::size_t i) : m_list(list), m_i(i) {}
        std::u16string_view operator*() const { return (*m_list)[m_i]; }
        const_iterator& operator++() {
            ++m_i;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++m_i;
            return before;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.m_i == b.m_i;
        }

    private:
        const TextList* m_list = nullptr;
        std::size_t m_i = 0;
    };
    [[nodiscard]] const_iterator begin() const { return {this, 0}; }
    [[nodiscard]] const_iterator end() const { return {this, size()}; }

    friend bool operator==(const TextList& a, const TextList& b) {
        return std::equal(a.m_ends.begin(), a.m_ends.end(), b.m_ends.begin(), b.m_ends.end()) &&
               viewOf(a.m_chars) == viewOf(b.m_chars);
    }
    friend bool operator==(const TextList& a, const std::vector<std::u16string>& b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < b.size(); ++i)
            if (a[i] != b[i])
                return false;
        return true;
    }

private:
    GrowBuffer<char16_t> m_chars;
    /// Where each item ends in m_chars. 32 bits reach 8 GiB of text, which memory runs out
    /// long before.
    GrowBuffer<std::uint32_t> m_ends;
};

} // namespace sumiplex::engine
