// The CUPS command-line tools run directly, and the names and limits they are run with.

#pragma once

#include <QString>
#include <QStringList>

namespace sumiplex::platform::detail {

inline constexpr int kToolTimeoutMs = 10000;
inline constexpr int kSubmitTimeoutMs = 60000;

struct ToolResult {
    bool ok = false;
    QString output;
    QString error;
};

/// Runs a CUPS command-line tool directly (never through a shell) and waits for it.
[[nodiscard]] ToolResult runTool(const QString& program, const QStringList& arguments,
                                 int timeoutMs);

/// The IPP address of a queue on the local scheduler.
[[nodiscard]] QString printerUri(const QString& printer);

} // namespace sumiplex::platform::detail
