// Ending without questions (logout, shutdown, a closed terminal): the program ends as a
// normal close does, and what it would have asked about is kept in files beside the tapes
// instead, named to the user at the next start.

#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip3.h"

#include "core/journal/journal_format.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/memo_file.h"
#include "platform/tape_journal.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace sumiplex::ui {
namespace {

// Files kept by an end without questions start hidden; the next start shows them under
// their own names and tells the user, so each is named once.
constexpr QLatin1Char kNotYetNamed('.');

// Cancels a modal dialog as soon as it shows, for as long as the program is ending: its
// caller goes on as after the user's cancel, and nothing waits for an answer.
class DialogCanceller final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isModal())
                QTimer::singleShot(0, dialog, &QDialog::reject);
        return false;
    }
};

void cancelOpenDialogs() {
    // An open menu runs a loop of its own too.
    for (int open = 0; open < 8 && QApplication::activePopupWidget() != nullptr; ++open)
        QApplication::activePopupWidget()->close();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window);
            dialog && dialog->isModal() && dialog->isVisible())
            dialog->reject();
}

void tellTheLog(const QString& text) {
    std::fprintf(stderr, "sumiplex: %s\n", qUtf8Printable(text));
}

} // namespace

void frmMain::endWithoutQuestions() {
    if (m_endingQuietly)
        return;
    m_endingQuietly = true;
    // Kept before any dialog is cancelled: the memo pad's own question may be open, and a
    // cancelled question lets the memo go.
    keepUnsavedMemo();
    qApp->installEventFilter(new DialogCanceller(this));
    cancelOpenDialogs();
    // The close runs from the event loop, after the cancelled dialogs have returned.
    QTimer::singleShot(0, this, [this] { close(); });
}

QString frmMain::keptFilePath(const QString& what) const {
    if (m_services.tapeFolder.isEmpty())
        return {};
    const QDir folder(QFileInfo(m_services.tapeFolder).dir().filePath(QStringLiteral("unsaved")));
    if (!folder.mkpath(QStringLiteral(".")))
        return {};
    const std::string tapeName = journal::fileNameFor(platform::localTime(m_services.clock));
    const QString stem = QString::fromStdString(tapeName.substr(0, tapeName.size() - 5));
    for (int n = 1; n < 1000; ++n) {
        const QString name = stem + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) +
                             QLatin1Char('-') + what + QStringLiteral(".txt");
        if (!folder.exists(name) && !folder.exists(kNotYetNamed + name))
            return folder.filePath(kNotYetNamed + name);
    }
    return {};
}

void frmMain::keepUnsavedMemo() {
    const QString memo = m_tip3->memoText();
    if (memo.isEmpty())
        return;
    const QString path = keptFilePath(QStringLiteral("memo"));
    const std::optional<QString> error = path.isEmpty()
                                             ? std::optional(QStringLiteral("no folder for it"))
                                             : platform::writeMemoFileAtomic(path, memo);
    if (error) {
        tellTheLog(QStringLiteral("the unsaved memo could not be kept: %1").arg(*error));
        return;
    }
    // Kept: the pad's unload has nothing left to ask about.
    m_tip3->setMemoText(QString());
    tellTheLog(QStringLiteral("the unsaved memo was kept in %1").arg(path));
}

void frmMain::keepUnsavedTape(const platform::UnsavedTape& lost) {
    const QString path = keptFilePath(QStringLiteral("tape"));
    const std::optional<QString> error =
        path.isEmpty() ? std::optional(QStringLiteral("no folder for it"))
                       : platform::writeFileAtomic(path, journal::toUtf8(lost.tape.text));
    if (error)
        tellTheLog(QStringLiteral("%1 tape lines could not be kept (%2): %3")
                       .arg(lost.lineCount)
                       .arg(lost.reason, *error));
    else
        tellTheLog(QStringLiteral("%1 tape lines the journal could not write were kept in %2")
                       .arg(lost.lineCount)
                       .arg(path));
}

void frmMain::announceKeptFiles() {
    if (m_services.tapeFolder.isEmpty())
        return;
    const QDir folder(QFileInfo(m_services.tapeFolder).dir().filePath(QStringLiteral("unsaved")));
    QStringList named;
    for (const QString& hidden :
         folder.entryList({QStringLiteral(".*.txt")}, QDir::Files | QDir::Hidden, QDir::Name)) {
        const QString shown = folder.filePath(hidden.mid(1));
        const QString path =
            QFile::rename(folder.filePath(hidden), shown) ? shown : folder.filePath(hidden);
        named << QDir::toNativeSeparators(path);
    }
    if (named.isEmpty())
        return;
    m_services.messages.notice(
        this,
        QStringLiteral("前回の終了時に保存されていなかったメモ帳や計算履歴を、"
                       "次のファイルに残しました。\n%1")
            .arg(named.join(QLatin1Char('\n'))),
        mainCaption());
}

} // namespace sumiplex::ui
