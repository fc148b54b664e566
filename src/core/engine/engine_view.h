// What the engine hands the main window after each event: its view and one-shot requests.

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sumiplex::engine {

/// Which control the engine wants the keyboard focus in after an event.
enum class FocusTarget { None, Text1, Text2, Text3 };

/// Keys the engine distinguishes on key release.
enum class Key { Enter, Space, Other };

enum class MouseButton { Left, Right };

/// The font the total label and the input line take for the four-digit reading.
inline constexpr std::u16string_view kFourDigitFontName = u"ＭＳ Ｐ明朝";

/// Everything of the main window that the engine decides, grouped by the control it
/// belongs to. A window renders it after every event (with its widgets' signals blocked)
/// and never computes any of it itself.
struct View {
    /// Text1. Caret and selection as a text box has them: the selection starts at
    /// selStart and runs selLength characters; with no selection the caret is at selStart.
    struct InputLine {
        std::u16string text;
        int selStart = 0;
        int selLength = 0;
        std::u16string fontName = u"Times New Roman";
        bool bold = true;
    };
    /// Label1.
    struct TotalCaption {
        std::u16string caption = u"Total";
        std::u16string fontName = u"Times New Roman";
    };
    /// Label2 and Label3; mnuTax checks and unchecks them.
    struct TaxLines {
        std::u16string added;     ///< "Tax +" line
        std::u16string contained; ///< "Tax  -" line
        bool visible = true;
    };
    /// sbPanel1 and sbPanel2.
    struct StatusBar {
        std::u16string line; ///< the line being evaluated
        std::u16string rate; ///< "1 USD " + rate
    };
    /// Which buttons can be pressed. The history, yen and dollar buttons rest while a cash
    /// tally runs.
    struct Buttons {
        bool memo = false;    ///< Command2
        bool history = true;  ///< Command3
        bool back = false;    ///< Command4
        bool forward = false; ///< Command5
        bool yen = true;      ///< Command6
        bool dollar = true;   ///< Command7
    };
    struct Menus {
        bool undo = false;      ///< mnuPopUndo enabled
        bool fourDigit = false; ///< mnuOku checked; mnuJapan mirrors it
        bool cash = true;       ///< mnuCash and mnuPopCash; false exactly while Label5 reads "USD"
    };
    /// txtTime, the idle clock.
    struct Clock {
        std::u16string text = u"00:00";
        bool visible = false;
    };
    /// A small edit box with its caret: Text2 (exchange rate) or Text3 (decimal place N of
    /// the rounding commands; Label4 is shown and hidden with it).
    struct Box {
        std::u16string text;
        int caret = 0;
        bool visible = false;
    };

    InputLine input;
    TotalCaption total;
    TaxLines tax;
    std::u16string currencyMark; ///< Label5
    std::u16string reading;      ///< Label7, the four-digit reading line
    StatusBar status;
    Buttons buttons;
    Menus menus;
    Clock clock;
    Box rate;
    Box place{u"１", 0, false};
    std::vector<std::u16string> amounts; ///< List3: amounts that make up the total
    std::u16string totalCopy = u"Text4"; ///< Text4: plain copy of the total for the tool windows
};

/// The grand total or the memory.
enum class RegisterKind { GrandTotal, Memory };

/// One-shot requests that a window carries out once and then drops.
struct Requests {
    FocusTarget focus = FocusTarget::None;
    std::optional<int> windowWidthTwips;
    /// A cash tally has ended: the tally window is to be filled from cashCounts() and shown.
    bool showCashTally = false;
    /// A grand total or memory step would have left the decimal range; the register kept its
    /// value and the user is to be told.
    std::optional<RegisterKind> overflowed;
};

} // namespace sumiplex::engine
