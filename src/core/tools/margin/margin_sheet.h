#pragma once

#include "core/decimal/decimal.h"
#include "core/tools/margin/margin.h"

#include <array>
#include <optional>
#include <string>

namespace sumiplex::margin {

/// What the margin window shows, grouped by control.
struct SheetView {
    /// The texts of the cost, price and rate boxes, indexed by Figure.
    std::array<std::u16string, 3> boxes;
    /// The box holding a worked-out figure (or left empty for one); never the box the user
    /// last edited. Nothing while no box is to be worked out.
    std::optional<Figure> computed;
    std::u16string profit; ///< "利益 " and the profit, or empty
    std::u16string markup; ///< "値入率 " and the markup on the cost with "%", or empty
    std::u16string reason; ///< why the computed box is empty; empty when nothing is wrong
    /// The worked-out figure (for the input line) and the whole sale (for the memo pad).
    std::optional<Decimal> result;
    std::u16string memoText;
};

/// The cost / price / margin sheet behind the margin window. The two boxes edited most
/// recently are the givens and the third is worked out, so the box being typed in is never
/// overwritten; while one other box is empty, that one is worked out. Amounts and rates are read as
/// the input line reads amounts (万, 億, grouped digits) and written as the total is written.
class MarginSheet {
public:
    /// The user (or the window, filling in the total at opening) set a box's text.
    void edit(Figure box, std::u16string text);
    [[nodiscard]] const SheetView& view() const { return m_view; }

private:
    [[nodiscard]] std::optional<Figure> target(Figure edited) const;
    void recompute(Figure edited);
    void show(Figure target, const Sale& sale);

    SheetView m_view;
    /// When each box was last edited (0: never, or worked out since); the box edited longest
    /// ago is worked out.
    std::array<unsigned, 3> m_editedAt{};
    unsigned m_edits = 0;
};

} // namespace sumiplex::margin
