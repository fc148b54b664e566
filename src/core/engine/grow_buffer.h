#pragma once
// A growing array of plain items (characters, offsets) enlarged with realloc. The tape's
// text grows by a line a step all day; a std::u16string or std::vector copies all it holds
// into fresh memory at every doubling, touching every page twice, where realloc extends a
// large block in place or moves its pages without copying them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <type_traits>
#include <utility>

namespace sumiplex::engine {

template <class T> class GrowBuffer {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    GrowBuffer() = default;
    GrowBuffer(const GrowBuffer& other) { append(other.m_data, other.m_size); }
    GrowBuffer(GrowBuffer&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
          m_capacity(std::exchange(other.m_capacity, 0)) {}
    GrowBuffer& operator=(const GrowBuffer& other) {
        if (this != &other) {
            m_size = 0;
            append(other.m_data, other.m_size);
        }
        return *this;
    }
    GrowBuffer& operator=(GrowBuffer&& other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
        return *this;
    }
    ~GrowBuffer() { std::free(m_data); }

    void append(const T* items, std::size_t count) {
        if (count == 0)
            return;
        if (count > m_capacity - m_size)
            grow(m_size + count);
        std::memcpy(m_data + m_size, items, count * sizeof(T));
        m_size += count;
    }
    void push_back(T item) { append(&item, 1); }
    /// Drops the items from `count` on; a larger count changes nothing.
    void truncate(std::size_t count) { m_size = std::min(count, m_size); }

    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] bool empty() const { return m_size == 0; }
    [[nodiscard]] std::size_t capacity() const { return m_capacity; }
    [[nodiscard]] const T* data() const { return m_data; }
    [[nodiscard]] const T& operator[](std::size_t i) const { return m_data[i]; }
    [[nodiscard]] T& operator[](std::size_t i) { return m_data[i]; }
    [[nodiscard]] const T* begin() const { return m_data; }
    [[nodiscard]] const T* end() const { return m_data + m_size; }

private:
    void grow(std::size_t needed) {
        constexpr std::size_t kFirst = 64;
        const std::size_t capacity = std::max({needed, m_capacity * 2, kFirst});
        if (capacity > SIZE_MAX / sizeof(T))
            throw std::bad_alloc();
        void* grown = std::realloc(m_data, capacity * sizeof(T));
        if (grown == nullptr)
            throw std::bad_alloc();
        m_data = static_cast<T*>(grown);
        m_capacity = capacity;
    }

    T* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

/// The characters of a text buffer as a view.
[[nodiscard]] inline std::u16string_view viewOf(const GrowBuffer<char16_t>& text) {
    return {text.data() == nullptr ? u"" : text.data(), text.size()};
}

} // namespace sumiplex::engine
