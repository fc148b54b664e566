#include "core/engine/single_line.h"

#include <algorithm>

namespace sumiplex::engine {

bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\u0085' ||
           c == u'\u2028' || c == u'\u2029';
}

std::optional<std::u16string> asSingleLine(std::u16string_view text, std::size_t& caret) {
    caret = std::min(caret, text.size());
    std::size_t beforeCaret = caret;
    while (beforeCaret > 0 && isLineBreak(text[beforeCaret - 1]))
        --beforeCaret;
    std::size_t textEnd = text.size(); // just past the last character that is no break
    while (textEnd > 0 && isLineBreak(text[textEnd - 1]))
        --textEnd;
    std::u16string out;
    out.reserve(text.size());
    std::size_t newCaret = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == caret)
            newCaret = out.size();
        if (!isLineBreak(text[i])) {
            out += text[i];
            continue;
        }
        const bool atStart = out.empty();
        const bool atEnd = i >= textEnd;
        const bool beforeTheCaret = i >= beforeCaret && i < caret;
        if (!atStart && !atEnd && !beforeTheCaret)
            return std::nullopt;
    }
    caret = caret == text.size() ? out.size() : newCaret;
    return out;
}

} // namespace sumiplex::engine
