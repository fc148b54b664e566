#pragma once

#include <QString>

#include <functional>
#include <string_view>

namespace sumiplex::platform {
class Clock;
class SettingsStore;
} // namespace sumiplex::platform

namespace sumiplex::ui {

/// Whether the main window's input line takes the keyboard focus when a tool window puts a
/// value into it.
enum class InputLineFocus { TakeFocus, LeaveFocus };

/// What a tool window of the main window reads and where it hands its results. The main
/// window fills it; tests pass their own. Everything must outlive the tool window.
struct ToolLinks {
    platform::Clock& clock;
    platform::SettingsStore& settings;
    /// Appends lines to the memo pad (memo := memo + text + CR LF), puts its caret at the end
    /// and shows it.
    std::function<void(const QString& text)> appendMemo;
    /// Appends a piece (lines ended by CR LF) to the history tape.
    std::function<void(std::u16string_view piece)> appendTape;
    /// Replaces the main window's input line, which reacts as to typed text.
    std::function<void(const QString& text, InputLineFocus focus)> replaceInputLine;
};

} // namespace sumiplex::ui
