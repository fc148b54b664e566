#pragma once

#include "platform/dialogs.h"
#include "platform/printing.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace sumiplex::ui {

/// A document being handed to its printer's queue beside the window that printed it: a
/// small window says so, with a button to give up, while the user goes on working. When the
/// hand-over ends, a queue that refused the document, holds it or failed is reported in a
/// message box, and the window goes. It owns the job; closing it gives up the hand-over.
class PrintProgress : public QWidget {
    Q_OBJECT
public:
    PrintProgress(std::unique_ptr<platform::PrintJob> job, platform::MessageBoxes& messages,
                  QWidget* owner);
    ~PrintProgress() override;

    /// Hands the document over. A hand-over that ends at once is reported before this
    /// returns, and the window is never shown; its outcome is returned. Otherwise the
    /// window shows and nothing is returned.
    std::optional<platform::Handover> submit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void placeBesideOwner();
    void ended(const platform::Handover& handover);
    void report(const platform::Handover& handover);

    std::unique_ptr<platform::PrintJob> m_job;
    platform::MessageBoxes& m_messages;
    QPointer<QWidget> m_owner;
    bool m_submitting = false;
    std::optional<platform::Handover> m_ended;

    QLabel* Label1 = nullptr;             // what is being sent where
    QProgressBar* ProgressBar1 = nullptr; // moves while the queue has not answered
    QPushButton* Command1 = nullptr;      // give up the hand-over
};

/// The message for a print-out that did not reach the printer, naming it and the reason.
void reportPrintFailure(QWidget* parent, platform::MessageBoxes& messages, const QString& printer,
                        const QString& reason);

} // namespace sumiplex::ui
