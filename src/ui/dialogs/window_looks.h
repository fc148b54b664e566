#pragma once

#include <QFont>

#include <cstdint>

namespace sumiplex::ui {

/// The colours and fonts the options dialog edits, as the live windows have them.
/// Colours are in the stored form (red in the low byte; top bit set: a system colour).
struct WindowLooks {
    std::int32_t windowBack = 0; ///< the calculator window's background
    std::int32_t accent = 0;     ///< the total's text colour, also the rule lines' colour
    QFont input;                 ///< the input line: family, bold and italic count
    QFont history;               ///< the history tape: family, bold, italic and size
    QFont memo;                  ///< the memo pad: family, bold, italic and size
};

} // namespace sumiplex::ui
