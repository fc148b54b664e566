#pragma once

#include <QList>
#include <QUrl>

namespace sumiplex::platform {

// What the program asks of the desktop outside its own windows.
class Shell {
public:
    virtual ~Shell() = default;

    /// Opens the address in the user's web browser (or the program the desktop has for its
    /// scheme); false when the desktop could not start anything for it.
    [[nodiscard]] virtual bool openUrl(const QUrl& url) = 0;
};

class SystemShell final : public Shell {
public:
    [[nodiscard]] bool openUrl(const QUrl& url) override;
};

// Records every address instead of opening it, and answers with a chosen result.
class FakeShell final : public Shell {
public:
    [[nodiscard]] bool openUrl(const QUrl& url) override;

    void setResult(bool opened) { m_result = opened; }
    [[nodiscard]] const QList<QUrl>& openedUrls() const { return m_urls; }

private:
    QList<QUrl> m_urls;
    bool m_result = true;
};

/// The project's web page, opened from the help menu and from the about box.
[[nodiscard]] QUrl projectPage();

/// Opens the project's web page in the browser; false when nothing could be started.
bool openProjectPage(Shell& shell);

} // namespace sumiplex::platform
