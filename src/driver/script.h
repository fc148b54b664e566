#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace sumiplex::driver {

enum class Verb {
    Clock,
    Setting,
    Folder,
    Open,
    Type,
    Key,
    Set,
    Paste,
    Drop,
    Click,
    RClick,
    DClick,
    Menu,
    Select,
    Date,
    Time,
    Fire,
    Answer,
    File,
    Colour,
    Font,
    Close,
    Print,
    Printer,
    TapeLine,
    Cell,
};

/// One line of an event script, split into its verb, the object it names and its argument.
struct Command {
    int line = 0;   ///< 1-based line number in the script
    QString source; ///< the line as written, for messages
    Verb verb = Verb::Print;
    QString target;   ///< WINDOW, WINDOW.CONTROL, a REF, a settings key; empty when unused
    QString argument; ///< the rest of the line after one blank, escapes decoded
};

struct ScriptError {
    int line = 0;
    QString source;
    QString message;
};

struct ParsedScript {
    QList<Command> commands;
    std::optional<ScriptError> error; ///< the first line that could not be read
};

/// Splits a script into commands. Blank lines and lines starting with "#" are skipped; a
/// trailing CR (a script saved with CR LF) is dropped. Every argument is checked for its
/// shape here, so a misspelt verb fails before any window opens.
[[nodiscard]] ParsedScript parseScript(const QString& text);

/// Decodes \t \r \n and \\ in a TEXT argument; any other backslash stays as written.
[[nodiscard]] QString decodeEscapes(QStringView text);

} // namespace sumiplex::driver
