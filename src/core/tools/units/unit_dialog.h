#pragma once

#include "core/decimal/decimal.h"
#include "core/engine/rounding.h"
#include "core/tools/units/unit_lines.h"
#include "core/tools/units/unit_tables.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::units {

/// One conversion panel as the window shows it.
struct PanelView {
    std::u16string quantity = u"1"; ///< the quantity box
    int source = 0;                 ///< selected position of the source list, from 1; 0 = none
    int target = 0;                 ///< the same for the target list
    std::u16string result;          ///< the result line; "" or "Error" when there is none
    bool resultVisible = false;
    bool memoVisible = false; ///< the panel's paste-to-memo button
};

/// Which control the window should give the keyboard focus to after an event.
enum class FocusRequest { None, Text6, OKButton };

/// Everything of the unit window that the model decides; the window renders it after every
/// event.
struct UnitView {
    std::array<PanelView, kKindCount> panels; ///< length, mass, volume
    std::u16string label4 = u"Unit Price 1";  ///< "Unit Price 1 " + source symbol
    std::u16string text4;                     ///< price of one source unit
    std::u16string text5;                     ///< exchange rate, yen per dollar
    std::u16string text6 = u"１";             ///< decimal place of the rounding commands
    std::u16string text7 = u"1";              ///< quantity of the Q'TY line
    std::u16string label5;                    ///< unit-price line
    std::u16string label8;                    ///< Q'TY line
    std::u16string label9;                    ///< target unit name of the last conversion
    bool command2Visible = false;             ///< unit-price lines to the memo
    bool command8Visible = false;             ///< Q'TY line to the memo
    bool placeEditorVisible = false;          ///< Label7 and Text6, shown together
};

/// What a click on a result line hands to the main window: tape text appended before the
/// input line is replaced, the new input line, and tape text appended after it.
struct SentResult {
    std::u16string tapeBefore;
    std::u16string inputLine;
    std::u16string tapeAfter;
};

/// The state and the handlers of the unit-conversion window, free of any widget toolkit.
/// Conversions work in double precision and keep 15 significant digits, or exactly in decimal
/// for figures typed with more; unit prices and amounts are decimals. Its functions are what the
/// user does; the window maps each control's event onto one of them.
class UnitDialog {
public:
    /// The window is loaded: the decimal place, the first unit of every list selected (each
    /// selection converting its panel, length, mass, then volume), the rate box filled.
    void load(std::u16string placeText, double exchangeRate);
    /// The menu hands a non-zero total to the three quantity boxes and the Q'TY box.
    void takeTotal(const Decimal& total);

    /// A panel's quantity changed: the text becomes the Q'TY quantity too, then the panel
    /// converts.
    void quantityChanged(Kind kind, std::u16string text);
    /// A panel's source or target unit chosen: positions counted from 1.
    void sourceChosen(Kind kind, int position);
    void targetChosen(Kind kind, int position);

    /// The price of one source unit changed; the unit price is worked out again.
    void priceChanged(std::u16string text);
    /// The exchange rate (yen per dollar) changed.
    void rateChanged(std::u16string text);
    /// The decimal place of the rounding commands changed.
    void placeChanged(std::u16string text);
    /// The quantity of the Q'TY line changed; a non-empty one works the unit price out again.
    void qtyChanged(std::u16string text);
    void recomputeUnitPrice();
    void unitPriceToYen();     ///< the price taken as dollars, the unit price in yen
    void unitPriceToDollars(); ///< the price taken as yen, the unit price in dollars

    /// Rounds the unit price from the value before the run.
    void roundUnitPrice(engine::RoundMode mode);
    /// The unit price from before the rounding run again; nothing without a run.
    void undoRounding();
    /// Shows the decimal-place editor with the focus in it.
    void showPlaceEditor();
    /// A press on the unit-price line or the place editor's caption hides the place editor; true
    /// when the context menu should open (right button).
    bool priceLinePressed(bool rightButton);

    /// A click on a result line: the panel's result (or the unit-price line, or the Q'TY
    /// line) for the tape and the input line; nothing when the line shows no result (for a
    /// panel, of the active kind).
    [[nodiscard]] std::optional<SentResult> resultLineClick(Kind kind);
    [[nodiscard]] std::optional<SentResult> unitPriceLineClick();
    [[nodiscard]] std::optional<SentResult> qtyLineClick();

    /// A paste-to-memo button: the text to append to the memo (lines ended by CR LF), hiding
    /// the button pressed; nothing when there is no line to paste.
    [[nodiscard]] std::optional<std::u16string> resultLineMemo(Kind kind);
    [[nodiscard]] std::optional<std::u16string> unitPriceLineMemo();
    [[nodiscard]] std::optional<std::u16string> qtyLineMemo();

    [[nodiscard]] const UnitView& view() const { return m_view; }
    [[nodiscard]] FocusRequest takeFocusRequest();

    [[nodiscard]] const Decimal& convResult() const { return m_convResult; }
    /// 1, 2 or 3 for the kind of the last successful conversion; 0 before one.
    [[nodiscard]] int activeKind() const { return m_activeKind; }
    [[nodiscard]] const Decimal& undoPrice() const { return m_undoPrice; }
    /// The undo command is enabled exactly while a rounding run keeps a price to go back to.
    [[nodiscard]] bool undoEnabled() const { return !m_undoPrice.isZero(); }

private:
    PanelView& panel(Kind kind) { return m_view.panels[static_cast<std::size_t>(kind) - 1]; }
    void convert(Kind kind);
    void RecalcUnitPrice();
    void convertCurrency(Currency currency);
    void setText7(std::u16string text);
    /// No figure can be worked out from the boxes: both lines go, so nothing stale stands
    /// as the result of the new input.
    void clearPriceLines();
    void writeRoundedLines();
    [[nodiscard]] std::optional<Kind> active() const;
    [[nodiscard]] std::optional<double> activeFactor() const;
    [[nodiscard]] std::u16string_view activeTargetName() const;

    UnitView m_view;
    FocusRequest m_focus = FocusRequest::None;
    Decimal m_convResult;
    int m_activeKind = 0;
    Decimal m_unitPrice;
    Decimal m_amountValue;
    Decimal m_undoPrice;
    /// The currency the unit-price line is written in.
    Currency m_currency = Currency::None;
};

} // namespace sumiplex::units
