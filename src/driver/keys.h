#pragma once

#include <QString>
#include <QStringView>
#include <Qt>

#include <optional>

namespace sumiplex::driver {

/// A key as the window system reports it: the key code and the text it types.
struct KeyStroke {
    int key = 0; ///< a Qt::Key value
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

/// The key for one typed character: printable ASCII maps to its own key code (letters
/// to their upper-case key), CR and LF to Enter, TAB to Tab; any other character
/// (full-width digits, kana) comes with an unknown key code and only its text, as an
/// input method delivers it.
[[nodiscard]] KeyStroke keyStrokeForCharacter(char32_t ch);

/// A key named in a script: Enter Space Tab Backspace Delete Escape Up Down Left Right
/// Home End, or exactly one character; "Ctrl+" and "Shift+" in front hold those keys down
/// ("Ctrl+C", "Shift+Down"), and a held Ctrl types no text.
[[nodiscard]] std::optional<KeyStroke> keyStrokeFor(QStringView name);

} // namespace sumiplex::driver
