#pragma once

#include "core/tools/cash/printout.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QWidget;

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
    /// Prints the table through the print dialog, on behalf of the window `parent`. Empty
    /// where nothing can print: the print buttons then stay disabled.
    std::function<void(QWidget* parent, const cash::DenominationPrintout& printout)> print;
};

} // namespace sumiplex::ui
