#pragma once

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace sumiplex::platform {
class SettingsStore;
}

namespace sumiplex::ui {

/// What the denomination windows read from the main window and where they paste. The main
/// window fills it; tests pass their own. Everything must outlive the window.
struct CashLinks {
    platform::SettingsStore& settings;
    /// Appends lines to the memo pad (memo := memo + text + CR LF), puts its caret at the end
    /// and shows it.
    std::function<void(const QString& text)> appendMemo;
    /// The amounts that make up the main window's total, in plain form.
    std::function<std::vector<std::u16string>()> entries;
    /// The main window's plain copy of its total.
    std::function<std::u16string()> mainTotal;
};

} // namespace sumiplex::ui
