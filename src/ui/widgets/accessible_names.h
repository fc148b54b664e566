#pragma once

#include <QString>

#include <initializer_list>

class QWidget;

namespace sumiplex::ui {

/// What a screen reader says for one control of a window, found by its object name.
struct AccessibleText {
    const char* objectName;
    /// The control's spoken name, in Japanese (UTF-8).
    const char* name;
    /// What the control is for, where its name or caption does not say it (UTF-8; may be
    /// null).
    const char* description = nullptr;
};

/// Describes each listed label that shows a figure or a message (a result, a status): its
/// caption stays what a screen reader says, so the figure is heard, and the description
/// says what it is (`name`, then `description` when given).
void describeForScreenReaders(QWidget& window, std::initializer_list<AccessibleText> table);

/// Gives each listed control of `window` (the window itself when the object name is its own)
/// its spoken name and description. A listed name that matches no control is reported as a
/// warning: a renamed control would otherwise go silent without anyone noticing.
void nameForScreenReaders(QWidget& window, std::initializer_list<AccessibleText> table);

/// A caption that changed is heard: the control's spoken name becomes `role` followed by the
/// caption, and assistive tools are told the name changed. An empty caption leaves the role
/// alone, so the control never goes nameless.
void announceCaption(QWidget& widget, const QString& role, const QString& caption);

} // namespace sumiplex::ui
