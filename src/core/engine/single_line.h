#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sumiplex::engine {

/// Whether `c` breaks a line: CR, LF, vertical tab, form feed, NEL, or the Unicode line or
/// paragraph separator.
[[nodiscard]] bool isLineBreak(char16_t c);

/// The input line after text with line breaks was put into it (pasted or dropped), `caret`
/// just after what came in. Breaks at either end of the line or directly before the caret
/// (the end of the inserted text, as a copied spreadsheet cell has) are dropped and the
/// caret moved with them. A break anywhere else stands between two pieces of text: joining
/// them would make another figure and cutting one off would lose it, so nothing comes back
/// and the insertion is refused.
[[nodiscard]] std::optional<std::u16string> asSingleLine(std::u16string_view text,
                                                         std::size_t& caret);

} // namespace sumiplex::engine
