#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

namespace sumiplex::platform {

// What the program asks of the desktop outside its own windows.
class Shell {
public:
    virtual ~Shell() = default;

    /// Opens the address in the user's web browser (or the program the desktop has for its
    /// scheme); false when the desktop could not start anything for it.
    [[nodiscard]] virtual bool openUrl(const QUrl& url) = 0;

    /// Starts the desktop's system-information program; false when none is installed or it
    /// could not be started.
    [[nodiscard]] virtual bool startSystemInformation() = 0;
};

class SystemShell final : public Shell {
public:
    [[nodiscard]] bool openUrl(const QUrl& url) override;
    [[nodiscard]] bool startSystemInformation() override;
};

// Records every address instead of opening it, and answers with a chosen result.
class FakeShell final : public Shell {
public:
    [[nodiscard]] bool openUrl(const QUrl& url) override;
    /// Counts the request; answers as setSystemInformationInstalled says (not at first).
    [[nodiscard]] bool startSystemInformation() override;

    void setResult(bool opened) { m_result = opened; }
    [[nodiscard]] const QList<QUrl>& openedUrls() const { return m_urls; }
    void setSystemInformationInstalled(bool installed) { m_systemInformation = installed; }
    [[nodiscard]] int systemInformationRequests() const { return m_systemInformationRequests; }

private:
    QList<QUrl> m_urls;
    bool m_result = true;
    bool m_systemInformation = false;
    int m_systemInformationRequests = 0;
};

/// Names of the desktops' system-information programs, the most informative first.
[[nodiscard]] QStringList systemInformationPrograms();

/// The full path of the first of `names` that `locate` finds (it answers a full path, or an
/// empty text for a name it cannot find); nothing when it finds none.
[[nodiscard]] std::optional<QString>
firstInstalled(const QStringList& names, const std::function<QString(const QString&)>& locate);

/// The project's web page, opened from the help menu and from the about box.
[[nodiscard]] QUrl projectPage();

/// Opens the project's web page in the browser; false when nothing could be started.
bool openProjectPage(Shell& shell);

} // namespace sumiplex::platform
