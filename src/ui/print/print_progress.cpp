#include "ui/print/print_progress.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace sumiplex::ui {

namespace {

const QString kTitle = QStringLiteral("印刷");

QString printerName(const QString& printer) {
    return printer.isEmpty() ? QStringLiteral("(なし)") : printer;
}

// The queue's own words go on a line of their own, when it gave any.
QString withReason(const QString& text, const QString& reason) {
    return reason.isEmpty() ? text : text + u'\n' + reason;
}

} // namespace

void reportPrintFailure(QWidget* parent, platform::MessageBoxes& messages, const QString& printer,
                        const QString& reason) {
    messages.critical(parent,
                      QStringLiteral("プリンタ「%1」で印刷できませんでした。\n%2")
                          .arg(printerName(printer), reason),
                      kTitle);
}

PrintProgress::PrintProgress(std::unique_ptr<platform::PrintJob> job,
                             platform::MessageBoxes& messages, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_job(std::move(job)), m_messages(messages), m_owner(owner) {
    setObjectName(QStringLiteral("PrintProgress"));
    setWindowTitle(kTitle);
    // Shown beside the window that printed, which keeps the keyboard: the user goes on.
    setAttribute(Qt::WA_ShowWithoutActivating);
    Label1 = new QLabel(
        QStringLiteral("プリンタ「%1」に送っています…").arg(printerName(m_job->printer())), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 0);
    ProgressBar1->setTextVisible(false);
    Command1 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFocusPolicy(Qt::NoFocus);
    connect(Command1, &QPushButton::clicked, this, [this] { m_job->cancel(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
}

PrintProgress::~PrintProgress() = default;

std::optional<platform::Handover> PrintProgress::submit() {
    m_submitting = true;
    m_job->submit([this](const platform::Handover& handover) { ended(handover); });
    m_submitting = false;
    if (m_ended) {
        const platform::Handover handover = *m_ended;
        QPointer<PrintProgress> self(this);
        report(handover);
        if (self)
            deleteLater();
        return handover;
    }
    placeBesideOwner();
    show();
    return std::nullopt;
}

void PrintProgress::placeBesideOwner() {
    adjustSize();
    if (!m_owner)
        return;
    // Beside the window that printed, never over it: its input line stays in sight.
    const QRect owner = m_owner->frameGeometry();
    const QScreen* screen = m_owner->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    constexpr int kGap = 8;
    QPoint at(owner.right() + kGap, owner.top());
    if (!room.isEmpty()) {
        if (at.x() + width() > room.right())
            at.setX(owner.left() - kGap - width());
        if (at.x() < room.left())
            at = QPoint(owner.left(), owner.bottom() + kGap);
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - height())));
    }
    move(at);
}

void PrintProgress::closeEvent(QCloseEvent* event) {
    // The close box gives up, as the button does; the window goes once the job has ended.
    event->ignore();
    m_job->cancel();
}

void PrintProgress::ended(const platform::Handover& handover) {
    m_ended = handover;
    if (m_submitting)
        return;
    hide();
    // Reported from the event loop, once the job has left the call that ended it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            // The message box runs its own event loop, in which the window that printed,
            // and this one with it, may go.
            QPointer<PrintProgress> self(this);
            report(*m_ended);
            if (self)
                deleteLater();
        },
        Qt::QueuedConnection);
}

void PrintProgress::report(const platform::Handover& handover) {
    using Outcome = platform::Handover::Outcome;
    const QString printer = printerName(m_job->printer());
    QWidget* parent = m_owner.data();
    switch (handover.outcome) {
    case Outcome::Queued:
    case Outcome::Cancelled:
        return;
    case Outcome::Held:
        m_messages.warning(
            parent,
            withReason(
                QStringLiteral("プリンタ「%1」は停止しています。印刷はプリンタに送りましたが、"
                               "プリンタが再開されるまで印刷されません。")
                    .arg(printer),
                handover.reason),
            kTitle);
        return;
    case Outcome::Refused:
        m_messages.critical(
            parent,
            withReason(QStringLiteral("プリンタ「%1」で印刷できませんでした。\n"
                                      "このプリンタは今、印刷を受け付けていません。")
                           .arg(printer),
                       handover.reason),
            kTitle);
        return;
    case Outcome::Failed:
        reportPrintFailure(parent, m_messages, m_job->printer(), handover.reason);
        return;
    }
}

} // namespace sumiplex::ui
