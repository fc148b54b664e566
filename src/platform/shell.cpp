#include "platform/shell.h"

#include <QDesktopServices>

namespace sumiplex::platform {

bool SystemShell::openUrl(const QUrl& url) {
    // Only a well-formed address reaches the desktop: a malformed one could be handed to
    // whatever program claims an empty or odd scheme.
    if (!url.isValid() || url.scheme().isEmpty()) {
        return false;
    }
    return QDesktopServices::openUrl(url);
}

bool FakeShell::openUrl(const QUrl& url) {
    m_urls.append(url);
    return m_result;
}

QUrl projectPage() {
    return QUrl(QStringLiteral("https://sumiplex.github.io/"));
}

bool openProjectPage(Shell& shell) {
    return shell.openUrl(projectPage());
}

} // namespace sumiplex::platform
