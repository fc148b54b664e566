#pragma once

#include <functional>
#include <memory>

namespace sumiplex::ui {

/// A window built when first used rather than with its owner: what the first frame of the
/// owner does not show need not delay it. `setUp` runs once, right after the window is
/// built; a use of the holder from within it gets the window being set up.
template <typename Window> class LazyWindow {
public:
    explicit LazyWindow(std::function<void(Window&)> setUp = {}) : m_setUp(std::move(setUp)) {}

    void setSetUp(std::function<void(Window&)> setUp) { m_setUp = std::move(setUp); }
    /// Whether the window has been built; nothing is built by asking.
    [[nodiscard]] bool exists() const { return m_window != nullptr; }

    // Building on a const use is like filling a cache: the window is there to be read.
    Window* get() const {
        if (!m_window) {
            m_window = std::make_unique<Window>();
            if (m_setUp)
                m_setUp(*m_window);
        }
        return m_window.get();
    }
    Window* operator->() const { return get(); }
    Window& operator*() const { return *get(); }

private:
    std::function<void(Window&)> m_setUp;
    mutable std::unique_ptr<Window> m_window;
};

} // namespace sumiplex::ui
