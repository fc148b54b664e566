#include "platform/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace sumiplex::platform {

bool SystemShell::openUrl(const QUrl& url) {
    // Only a well-formed address reaches the desktop: a malformed one could be handed to
    // whatever program claims an empty or odd scheme.
    if (!url.isValid() || url.scheme().isEmpty()) {
        return false;
    }
    return QDesktopServices::openUrl(url);
}

bool SystemShell::startSystemInformation() {
    const std::optional<QString> program =
        firstInstalled(systemInformationPrograms(),
                       [](const QString& name) { return QStandardPaths::findExecutable(name); });
    if (!program) {
        return false;
    }
    // Started directly, never through a shell, with no arguments to quote.
    return QProcess::startDetached(*program, QStringList());
}

bool FakeShell::openUrl(const QUrl& url) {
    m_urls.append(url);
    return m_result;
}

bool FakeShell::startSystemInformation() {
    ++m_systemInformationRequests;
    return m_systemInformation;
}

QStringList systemInformationPrograms() {
    // Hardware and system summaries first; the desktops' system monitors after them.
    return {QStringLiteral("hardinfo2"),           QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"),         QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"), QStringLiteral("plasma-systemmonitor"),
            QStringLiteral("xfce4-taskmanager"),   QStringLiteral("lxtask")};
}

std::optional<QString> firstInstalled(const QStringList& names,
                                      const std::function<QString(const QString&)>& locate) {
    for (const QString& name : names) {
        // Only a plain program name is looked up: a name with a path in it would run
        // whatever lies at that path.
        if (name.isEmpty() || name.contains(QLatin1Char('/'))) {
            continue;
        }
        const QString path = locate(name);
        if (!path.isEmpty()) {
            return path;
        }
    }
    return std::nullopt;
}

QUrl projectPage() {
    return QUrl(QStringLiteral("https://sumiplex.github.io/"));
}

bool openProjectPage(Shell& shell) {
    return shell.openUrl(projectPage());
}

} // namespace sumiplex::platform
