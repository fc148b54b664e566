#include "driver/script.h"

#include "driver/keys.h"

#include <QDate>
#include <QTime>

#include <array>
#include <utility>

namespace sumiplex::driver {

namespace {

struct VerbName {
    QStringView name;
    Verb verb;
};

constexpr std::array kVerbs{
    VerbName{u"clock", Verb::Clock},   VerbName{u"setting", Verb::Setting},
    VerbName{u"open", Verb::Open},     VerbName{u"type", Verb::Type},
    VerbName{u"key", Verb::Key},       VerbName{u"set", Verb::Set},
    VerbName{u"click", Verb::Click},   VerbName{u"rclick", Verb::RClick},
    VerbName{u"dclick", Verb::DClick}, VerbName{u"menu", Verb::Menu},
    VerbName{u"select", Verb::Select}, VerbName{u"date", Verb::Date},
    VerbName{u"time", Verb::Time},     VerbName{u"fire", Verb::Fire},
    VerbName{u"answer", Verb::Answer}, VerbName{u"file", Verb::File},
    VerbName{u"colour", Verb::Colour}, VerbName{u"font", Verb::Font},
    VerbName{u"close", Verb::Close},   VerbName{u"print", Verb::Print},
    VerbName{u"folder", Verb::Folder}, VerbName{u"printer", Verb::Printer},
    VerbName{u"paste", Verb::Paste},   VerbName{u"tapeline", Verb::TapeLine},
    VerbName{u"drop", Verb::Drop},     VerbName{u"cell", Verb::Cell},
};

std::optional<Verb> verbFor(QStringView word) {
    for (const auto& v : kVerbs)
        if (v.name == word)
            return v.verb;
    return std::nullopt;
}

/// Splits "first rest" at the first blank; rest is everything after that one blank.
std::pair<QStringView, QStringView> splitFirst(QStringView text) {
    const auto blank = text.indexOf(u' ');
    if (blank < 0)
        return {text, {}};
    return {text.left(blank), text.mid(blank + 1)};
}

/// WINDOW.NAME with two non-empty parts.
bool isControlRef(QStringView ref) {
    const auto dot = ref.indexOf(u'.');
    return dot > 0 && dot < ref.size() - 1 && ref.indexOf(u'.', dot + 1) < 0;
}

bool isWindowName(QStringView name) {
    return !name.isEmpty() && !name.contains(u'.');
}

bool isBoolDigit(QStringView s) {
    return s == u"0" || s == u"1";
}

/// FAMILY SIZE BOLD ITALIC, where the family may hold blanks ("Times New Roman").
bool isFontAnswer(QStringView arg) {
    if (arg == u"cancel")
        return true;
    const auto parts = arg.split(u' ');
    if (parts.size() < 4)
        return false;
    bool ok = false;
    const double size = parts[parts.size() - 3].toDouble(&ok);
    return ok && size > 0 && isBoolDigit(parts[parts.size() - 2]) && isBoolDigit(parts.back());
}

bool isColourAnswer(QStringView arg) {
    if (arg == u"cancel")
        return true;
    bool ok = false;
    (void)arg.toLongLong(&ok);
    return ok;
}

/// Checks the shape of one command; returns the message for a line that is wrong.
std::optional<QString> checkShape(const Command& c) {
    const auto& t = c.target;
    const auto& a = c.argument;
    switch (c.verb) {
    case Verb::Clock:
        if (!QDateTime::fromString(a, QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid())
            return QStringLiteral("clock wants YYYY-MM-DD HH:MM:SS");
        break;
    case Verb::Setting:
        if (t.isEmpty())
            return QStringLiteral("setting wants KEY VALUE");
        break;
    case Verb::Open:
    case Verb::Close:
        if (!isWindowName(t) || !a.isEmpty())
            return QStringLiteral("a window name is wanted");
        break;
    case Verb::Type:
    case Verb::Set:
    case Verb::Paste:
    case Verb::Select:
        if (!isControlRef(t))
            return QStringLiteral("WINDOW.CONTROL is wanted");
        if (c.verb == Verb::Select && a.isEmpty())
            return QStringLiteral("select wants an item");
        break;
    case Verb::Key:
        if (!isControlRef(t))
            return QStringLiteral("WINDOW.CONTROL is wanted");
        if (!keyStrokeFor(a))
            return QStringLiteral("unknown key \"%1\"").arg(a);
        break;
    case Verb::Click:
    case Verb::RClick:
    case Verb::DClick:
    case Verb::Menu:
    case Verb::Fire:
        if (!isControlRef(t) || !a.isEmpty())
            return QStringLiteral("WINDOW.NAME is wanted");
        break;
    case Verb::Date:
        if (!isControlRef(t) || !QDate::fromString(a, QStringLiteral("yyyy-MM-dd")).isValid())
            return QStringLiteral("date wants WINDOW.CONTROL YYYY-MM-DD");
        break;
    case Verb::Time:
        if (!isControlRef(t) || !QTime::fromString(a, QStringLiteral("HH:mm:ss")).isValid())
            return QStringLiteral("time wants WINDOW.CONTROL HH:MM:SS");
        break;
    case Verb::Answer:
        if (a != u"yes" && a != u"no")
            return QStringLiteral("answer wants yes or no");
        break;
    case Verb::File:
        if (a.isEmpty())
            return QStringLiteral("file wants a path or cancel");
        break;
    case Verb::Printer: {
        const QString word = a.section(u' ', 0, 0);
        const bool bare = a == word;
        const bool known = ((word == u"none" || word == u"ok" || word == u"silent") && bare) ||
                           (word == u"fail" && !bare) || (word == u"margins" && !bare) ||
                           word == u"stopped" || word == u"rejecting";
        if (!known)
            return QStringLiteral("printer wants none, ok, fail REASON, stopped [REASON], "
                                  "rejecting [REASON], silent or margins L T R B");
        break;
    }
    case Verb::Folder:
        if (a.isEmpty())
            return QStringLiteral("folder wants a path");
        break;
    case Verb::Colour:
        if (!isColourAnswer(a))
            return QStringLiteral("colour wants a number or cancel");
        break;
    case Verb::Font:
        if (!isFontAnswer(a))
            return QStringLiteral("font wants FAMILY SIZE BOLD ITALIC or cancel");
        break;
    case Verb::Drop:
        if (!isWindowName(t) || a.isEmpty())
            return QStringLiteral("drop wants WINDOW PATH");
        break;
    case Verb::Print:
        if (t.isEmpty())
            return QStringLiteral("print wants a reference");
        break;
    case Verb::Cell: {
        const auto parts = a.split(u' ');
        bool rowOk = false;
        bool columnOk = false;
        if (!isControlRef(t) || parts.size() < 2 || parts[0].toInt(&rowOk) < 0 ||
            parts[1].toInt(&columnOk) < 0 || !rowOk || !columnOk)
            return QStringLiteral("cell wants WINDOW.GRID ROW COL TEXT");
        break;
    }
    case Verb::TapeLine: {
        bool ok = false;
        (void)a.toULongLong(&ok);
        if (!ok || a.startsWith(u'+'))
            return QStringLiteral("tapeline wants a line number (0 for the first line)");
        break;
    }
    }
    return std::nullopt;
}

/// Fills target and argument by the verb's layout.
void splitArguments(Command& c, QStringView rest) {
    switch (c.verb) {
    case Verb::Clock:
    case Verb::Answer:
    case Verb::File:
    case Verb::Folder:
    case Verb::Colour:
    case Verb::Font:
    case Verb::Printer:
    case Verb::TapeLine:
        c.argument = rest.toString();
        return;
    case Verb::Print:
        // "print setting KEY" keeps both words in the reference.
        c.target = rest.toString();
        return;
    default: {
        const auto [first, tail] = splitFirst(rest);
        c.target = first.toString();
        c.argument = decodeEscapes(tail);
        return;
    }
    }
}

} // namespace

QString decodeEscapes(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch != u'\\' || i + 1 == text.size()) {
            out.append(ch);
            continue;
        }
        const QChar next = text[i + 1];
        if (next == u't')
            out.append(u'\t');
        else if (next == u'r')
            out.append(u'\r');
        else if (next == u'n')
            out.append(u'\n');
        else if (next == u'\\')
            out.append(u'\\');
        else {
            out.append(ch);
            continue;
        }
        ++i;
    }
    return out;
}

ParsedScript parseScript(const QString& text) {
    ParsedScript result;
    QStringView all(text);
    if (all.startsWith(QChar(0xfeff))) // a byte-order mark some editors write
        all = all.mid(1);
    const auto lines = all.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const auto trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        Command c;
        c.line = static_cast<int>(i + 1);
        c.source = line.toString();
        const auto [word, rest] = splitFirst(line);
        const auto verb = verbFor(word);
        if (!verb) {
            result.error = ScriptError{c.line, c.source, QStringLiteral("unknown command")};
            return result;
        }
        c.verb = *verb;
        splitArguments(c, rest);
        if (auto problem = checkShape(c)) {
            result.error = ScriptError{c.line, c.source, *problem};
            return result;
        }
        result.commands.append(std::move(c));
    }
    return result;
}

} // namespace sumiplex::driver
