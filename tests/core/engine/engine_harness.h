#pragma once

// Drives an Engine the way the main window does: typed characters go through the change
// handling and a key release, Enter is a key release alone. Texts cross as UTF-8 so the
// tables read naturally and failures print readable Japanese.

#include "core/engine/engine.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>

namespace sumiplex::engine::testing {

using sumiplex::testing::u16;
using sumiplex::testing::utf8;

/// One calculator with its tape and a clock the test sets (time of day in seconds).
class Calc {
public:
    Calc() { engine.setExchangeRate(80.0); }

    Tape tape;
    std::chrono::seconds clock{9 * 3600};
    Engine engine{tape, [this] { return clock; }};

    /// Types each character at the caret, replacing a selection, as a text box does;
    /// a "\n" in `keys` presses Enter.
    void type(std::string_view keys) {
        for (const char16_t c : u16(keys)) {
            if (c == u'\n') {
                enter();
                continue;
            }
            const View& v = engine.view();
            std::u16string text = v.input.text;
            const auto start =
                std::min<std::size_t>(static_cast<std::size_t>(v.input.selStart), text.size());
            const auto length = std::min<std::size_t>(static_cast<std::size_t>(v.input.selLength),
                                                      text.size() - start);
            text.replace(start, length, 1, c);
            engine.typed(std::move(text), static_cast<int>(start) + 1);
            engine.keyReleased(c == u' ' ? Key::Space : Key::Other);
        }
    }
    void enter() { engine.keyReleased(Key::Enter); }
    /// Replaces the whole line at once (a paste, or another window putting text there).
    void paste(std::string_view text) {
        std::u16string t = u16(text);
        const int caret = static_cast<int>(t.size());
        engine.typed(std::move(t), caret);
        engine.keyReleased(Key::Other);
    }
    /// Types a line and presses Enter.
    void line(std::string_view keys) {
        type(keys);
        enter();
    }
    /// Brings the total from 0 to `total` by entering it as a bare number, then forgets
    /// the tape so far.
    void startAt(std::string_view total) {
        line(total);
        (void)newTape();
    }
    /// The tape written since the previous call.
    std::string newTape() {
        const std::u16string_view text = tape.text();
        std::string piece = utf8(std::u16string_view(text).substr(m_mark));
        m_mark = text.size();
        return piece;
    }

    [[nodiscard]] const View& view() const { return engine.view(); }
    [[nodiscard]] std::string text1() const { return utf8(engine.view().input.text); }
    [[nodiscard]] std::string label1() const { return utf8(engine.view().total.caption); }
    [[nodiscard]] std::string total() const { return engine.totalValue().toPlainAscii(); }

private:
    std::size_t m_mark = 0;
};

} // namespace sumiplex::engine::testing
