#pragma once

#include <QValidator>

namespace sumiplex::ui {

/// Keeps a line edit's text on one line whatever is pasted or dropped into it: the breaks a
/// copied cell ends with go, and text whose lines would run together is refused whole (the
/// line edit then undoes the insertion). Any text without a break is acceptable.
class SingleLineValidator final : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
};

} // namespace sumiplex::ui
