#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::engine {

/// The history tape: append-only text. Listeners hear of each appended piece, so a view
/// can append in constant time instead of re-reading the whole text.
class Tape {
public:
    using Listener = std::function<void(std::u16string_view piece)>;

    void append(std::u16string_view piece) {
        m_text.append(piece);
        for (const auto& l : m_listeners)
            if (l)
                l(piece);
    }
    [[nodiscard]] const std::u16string& text() const { return m_text; }
    /// Returns an id for removeListener.
    std::size_t addListener(Listener listener) {
        m_listeners.push_back(std::move(listener));
        return m_listeners.size() - 1;
    }
    void removeListener(std::size_t id) {
        if (id < m_listeners.size())
            m_listeners[id] = nullptr;
    }

private:
    std::u16string m_text;
    std::vector<Listener> m_listeners;
};

} // namespace sumiplex::engine
