#include "ui/widgets/single_line_validator.h"

#include "core/engine/single_line.h"

#include <algorithm>

namespace sumiplex::ui {

QValidator::State SingleLineValidator::validate(QString& input, int& pos) const {
    if (std::none_of(input.cbegin(), input.cend(),
                     [](QChar c) { return engine::isLineBreak(c.unicode()); }))
        return Acceptable;
    auto caret = static_cast<std::size_t>(std::max(pos, 0));
    const std::optional<std::u16string> line = engine::asSingleLine(input.toStdU16String(), caret);
    if (!line)
        return Invalid;
    input = QString::fromStdU16String(*line);
    pos = static_cast<int>(caret);
    return Acceptable;
}

} // namespace sumiplex::ui
