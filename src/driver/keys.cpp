#include "driver/keys.h"

#include <QList>
#include <Qt>

#include <array>
#include <utility>

namespace sumiplex::driver {

namespace {

struct NamedKey {
    QStringView name;
    int key;
    QStringView text;
};

// The texts are what a keyboard delivers with these keys; navigation keys type nothing.
constexpr std::array kNamedKeys{
    NamedKey{u"Enter", Qt::Key_Return, u"\r"},
    NamedKey{u"Space", Qt::Key_Space, u" "},
    NamedKey{u"Tab", Qt::Key_Tab, u"\t"},
    NamedKey{u"Backspace", Qt::Key_Backspace, u"\b"},
    NamedKey{u"Delete", Qt::Key_Delete, u"\x7f"},
    NamedKey{u"Escape", Qt::Key_Escape, u"\x1b"},
    NamedKey{u"Up", Qt::Key_Up, u""},
    NamedKey{u"Down", Qt::Key_Down, u""},
    NamedKey{u"Left", Qt::Key_Left, u""},
    NamedKey{u"Right", Qt::Key_Right, u""},
    NamedKey{u"Home", Qt::Key_Home, u""},
    NamedKey{u"End", Qt::Key_End, u""},
    NamedKey{u"Menu", Qt::Key_Menu, u""},
    NamedKey{u"Insert", Qt::Key_Insert, u""},
};

} // namespace

KeyStroke keyStrokeForCharacter(char32_t ch) {
    if (ch == U'\r' || ch == U'\n')
        return {Qt::Key_Return, QStringLiteral("\r")};
    if (ch == U'\t')
        return {Qt::Key_Tab, QStringLiteral("\t")};
    const QString text = QString::fromUcs4(&ch, 1);
    if (ch >= U'a' && ch <= U'z')
        return {static_cast<int>(ch - U'a' + U'A'), text};
    if (ch >= 0x20 && ch < 0x7f)
        return {static_cast<int>(ch), text};
    return {Qt::Key_unknown, text};
}

std::optional<KeyStroke> keyStrokeFor(QStringView name) {
    for (const auto& [prefix, modifier] : {std::pair{QStringView(u"Ctrl+"), Qt::ControlModifier},
                                           std::pair{QStringView(u"Shift+"), Qt::ShiftModifier}}) {
        if (!name.startsWith(prefix) || name.size() == prefix.size())
            continue;
        std::optional<KeyStroke> key = keyStrokeFor(name.mid(prefix.size()));
        if (!key)
            return std::nullopt;
        key->modifiers |= modifier;
        if (modifier == Qt::ControlModifier)
            key->text.clear();
        return key;
    }
    for (const auto& k : kNamedKeys)
        if (k.name == name)
            return KeyStroke{k.key, k.text.toString()};
    const auto code = name.toString().toUcs4();
    if (code.size() == 1)
        return keyStrokeForCharacter(code.front());
    return std::nullopt;
}

} // namespace sumiplex::driver
