// The CUPS command-line tools run directly, and what the queues say through them.

#include "platform/cups_tools.h"
#include "platform/printing.h"

#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace sumiplex::platform {
namespace detail {

// Runs a CUPS command-line tool directly (never through a shell) and waits for it.
ToolResult runTool(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForStarted(timeoutMs)) {
        result.error = QStringLiteral("%1 could not be started").arg(program);
        return result;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.error = QStringLiteral("%1 did not answer").arg(program);
        return result;
    }
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    result.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!result.ok && result.error.isEmpty())
        result.error =
            QStringLiteral("%1 ended with status %2").arg(program).arg(process.exitCode());
    return result;
}

QString printerUri(const QString& printer) {
    return QStringLiteral("ipp://localhost/printers/") +
           QString::fromLatin1(QUrl::toPercentEncoding(printer));
}

} // namespace detail

int binCodeForMediaSource(const QString& keyword) {
    static const std::map<QString, int> kBins = {
        {QStringLiteral("top"), 1},
        {QStringLiteral("upper"), 1},
        {QStringLiteral("tray-1"), 1},
        {QStringLiteral("bottom"), 2},
        {QStringLiteral("lower"), 2},
        {QStringLiteral("middle"), 3},
        {QStringLiteral("manual"), 4},
        {QStringLiteral("envelope"), 5},
        {QStringLiteral("by-pass-tray"), 4},
        {QStringLiteral("auto"), 7},
        {QStringLiteral("main"), 7},
        {QStringLiteral("continuous"), 8},
        {QStringLiteral("large-capacity"), 11},
        {QStringLiteral("cassette"), 14},
    };
    const auto it = kBins.find(keyword.trimmed().toLower());
    return it == kBins.end() ? 0 : it->second;
}

std::map<QString, QString> parseIppAttributes(const QString& output) {
    static const QRegularExpression kLine(QStringLiteral("^\\s+([a-z0-9-]+) \\([^)]*\\) = (.*)$"));
    std::map<QString, QString> values;
    for (const QString& line : output.split(u'\n')) {
        const auto match = kLine.match(line);
        if (match.hasMatch())
            values[match.captured(1)] = match.captured(2).trimmed();
    }
    return values;
}

QueueState queueStateOf(const std::map<QString, QString>& attributes) {
    const auto value = [&](const char* name) {
        const auto it = attributes.find(QString::fromLatin1(name));
        return it == attributes.end() ? QString() : it->second;
    };
    QueueState state;
    state.accepting = value("printer-is-accepting-jobs") != u"false";
    // The state is an enum keyword, or its number (5) from an older scheduler.
    const QString printerState = value("printer-state");
    state.stopped = printerState == u"stopped" || printerState == u"5";
    if (!state.accepting || state.stopped)
        state.message = value("printer-state-message");
    return state;
}

std::optional<int> rangeUpperBound(const QString& value) {
    static const QRegularExpression kRange(QStringLiteral("^\\s*(\\d+)\\s*(?:-\\s*(\\d+))?\\s*$"));
    const auto match = kRange.match(value);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int upper =
        (match.captured(2).isEmpty() ? match.captured(1) : match.captured(2)).toInt(&ok);
    return ok && upper > 0 ? std::optional<int>(upper) : std::nullopt;
}

} // namespace sumiplex::platform
