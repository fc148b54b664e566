// The kept tapes: every tape line goes to the run's journal; at start-up an unfinished
// journal of an earlier run is offered, and the earlier tapes can be looked through and
// saved. What an end without questions could not ask about is kept in files beside the
// tapes, named to the user at the next start.

#include "ui/mainwindow/tape_keeping.h"

#include "core/engine/tape.h"
#include "core/journal/journal_format.h"
#include "core/journal/retention.h"
#include "core/journal/tape_csv.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/memo_file.h"
#include "platform/settings_keys.h"
#include "platform/settings_store.h"
#include "platform/tape_journal.h"
#include "ui/dialogs/build_version.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/tapes/frm_tapes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace sumiplex::ui {
namespace {

// Files kept by an end without questions start hidden; the next start shows them under
// their own names and tells the user, so each is named once.
constexpr QLatin1Char kNotYetNamed('.');

void tellTheLog(const QString& text) {
    std::fprintf(stderr, "sumiplex: %s\n", qUtf8Printable(text));
}

std::string versionText() {
    return std::to_string(build::kVersionMajor) + '.' + std::to_string(build::kVersionMinor) + '.' +
           std::to_string(build::kVersionRevision);
}

// The retention limit in days, or nothing with the notice to show when the stored text
// keeps every tape: a limit the user did not clearly write never removes one.
std::optional<int> keepDays(const platform::SettingsStore& store, QString& notice) {
    const std::optional<QString> stored = store.find(platform::kTapeKeepDays.key);
    if (!stored)
        return platform::kTapeKeepDays.defaultValue;
    const std::u16string text = stored->toStdU16String();
    const std::optional<int> days = journal::parseKeepDays(text);
    if (!days)
        notice = QString::fromStdU16String(journal::keepEveryTapeNotice(text));
    return days;
}

} // namespace

TapeKeeping::TapeKeeping(QWidget& window, const Services& services, const MainLifecycle& life,
                         engine::Tape& tape, ToolWindows& tools, Links links)
    : m_window(window), m_services(services), m_life(life), m_tape(tape), m_tools(tools),
      m_links(std::move(links)) {}

QString TapeKeeping::caption() const {
    return m_window.windowTitle();
}

void TapeKeeping::startJournal() {
    if (m_services.tapeFolder.isEmpty())
        return;
    m_journal = new platform::TapeJournal(m_services.tapeFolder, versionText(), m_services.clock,
                                          &m_window);
    // Said once while writing keeps failing; the calculator goes on as if nothing happened.
    // The user is typing when it happens, so the notice leaves the keys to the input line;
    // it shows once the key being handled is done (at start-up, over the shown window).
    QObject::connect(
        m_journal, &platform::TapeJournal::writeFailed, &m_window, [this](const QString& reason) {
            QTimer::singleShot(0, &m_window, [this, reason] {
                m_services.messages.notice(
                    &m_window,
                    QStringLiteral("計算履歴をファイルに保存できません（%1）。\n"
                                   "計算はこのまま続けられます。保存できるようになると、"
                                   "新しいファイルに続きを保存します。")
                        .arg(reason),
                    caption());
            });
        });
    m_journal->start();
    m_journalListener = m_tape.addListener(engine::Tape::Listener{
        // The entry was just added, so its index is the last.
        .recorded =
            [this](const engine::TapeEntry& entry, std::u16string_view piece) {
                m_journal->appendEntry(entry, m_tape.entries().size() - 1, piece);
            },
        .noteChanged =
            [this](std::size_t index) {
                m_journal->noteChanged(index, m_tape.entries()[index].note);
            },
    });
}

void TapeKeeping::closeEarlierTapes() {
    m_tools.destroy(QStringLiteral("frmTapes"));
}

std::optional<platform::UnsavedTape> TapeKeeping::unloadJournal() {
    if (!m_journal)
        return std::nullopt;
    m_tape.removeListener(m_journalListener);
    return m_journal->close();
}

void TapeKeeping::offerUnsavedTape(const platform::UnsavedTape& lost) {
    QStringList files;
    for (const QString& path : m_journal->filesOfThisRun())
        files << QDir::toNativeSeparators(path);
    const QString text =
        files.isEmpty()
            ? QStringLiteral("計算履歴の %1 行をファイルに保存できませんでした（%2）。\n"
                             "この計算履歴はどのファイルにも保存されていません。\n\n"
                             "保存できなかった行を別の場所に保存しますか？")
                  .arg(lost.lineCount)
                  .arg(lost.reason)
            : QStringLiteral("計算履歴の最後の %1 行をファイルに保存できませんでした（%2）。\n"
                             "それより前の計算履歴は次のファイルにあります。\n%3\n\n"
                             "保存できなかった行を別の場所に保存しますか？")
                  .arg(lost.lineCount)
                  .arg(lost.reason, files.join(QLatin1Char('\n')));
    // Asked again after a failed or cancelled save: only the user's No lets the lines go.
    while (m_services.messages.question(&m_window, text, caption())) {
        if (saveTapeAs(&m_window, lost.tape, caption() + QStringLiteral("　計算履歴を保存"),
                       m_services.files, m_services.messages))
            return;
    }
    // The question was cancelled by an end that asks nothing.
    if (m_life.endingQuietly)
        keepUnsavedTape(lost);
}

void TapeKeeping::housekeeping() {
    if (!m_journal)
        return;
    const QString folder = m_journal->folder();
    QString notice;
    if (const std::optional<int> days = keepDays(m_services.settings, notice))
        (void)platform::applyRetention(folder, platform::localTime(m_services.clock), *days,
                                       m_journal->filesOfThisRun());
    else
        // Said without taking the keyboard (the user may already be typing), and in a notice
        // that stays until read: a status line goes with the next menu hover.
        QTimer::singleShot(0, &m_window, [this, notice] {
            m_services.messages.notice(&m_window, notice, caption());
        });
    QStringList unfinished;
    for (const platform::TapeFileInfo& file : platform::listTapeFiles(folder)) {
        if (file.regular && file.header && file.header->state == journal::JournalState::Open &&
            !m_journal->filesOfThisRun().contains(file.path) && !platform::tapeFileInUse(file.path))
            unfinished.push_back(file.path);
    }
    if (unfinished.isEmpty())
        return;
    const bool show = m_services.messages.question(
        &m_window,
        QStringLiteral("前回の計算履歴が最後まで保存されないまま終了しています。\n表示しますか？"),
        caption());
    // A question cancelled by the program's end was never answered: asked again next time.
    if (m_life.endingQuietly)
        return;
    // Asked once: whatever the answer, the tapes are kept and listed with the earlier ones.
    for (const QString& path : unfinished)
        (void)platform::markTapeFile(path, journal::JournalState::Recovered);
    if (show)
        openEarlierTapes(unfinished.back());
}

void TapeKeeping::openEarlierTapes(const QString& chosen) {
    const QString name = QStringLiteral("frmTapes");
    if (frmTapes* open = m_tools.find<frmTapes>(name))
        open->refresh();
    frmTapes& tapes = m_tools.load<frmTapes>(name, [this] {
        return new frmTapes(frmTapes::Links{
            m_services.tapeFolder, m_journal ? m_journal->filesOfThisRun() : QStringList(),
            m_services.files, m_services.messages, m_links.takeAmount, m_links.checkEarlier});
    });
    if (!chosen.isEmpty())
        tapes.choose(chosen);
    m_tools.show(tapes, ToolShow::Activate);
}

void TapeKeeping::mnuSaveTape_Click() {
    if (m_tape.text().empty())
        return;
    // Every step carries its own time, so the export needs nothing from the journal files.
    saveTapeAs(
        &m_window, m_tape.text(), [this] { return journal::tapeCsv(m_tape.entries().slice(0)); },
        caption() + QStringLiteral("　計算履歴を保存"), m_services.files, m_services.messages);
}

QString TapeKeeping::keptFilePath(const QString& what) const {
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

void TapeKeeping::keepUnsavedMemo(frmTip3& pad) {
    const QString memo = pad.memoText();
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
    pad.setMemoText(QString());
    tellTheLog(QStringLiteral("the unsaved memo was kept in %1").arg(path));
}

void TapeKeeping::keepUnsavedTape(const platform::UnsavedTape& lost) {
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

void TapeKeeping::announceKeptFiles() {
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
        &m_window,
        QStringLiteral("前回の終了時に保存されていなかったメモ帳や計算履歴を、"
                       "次のファイルに残しました。\n%1")
            .arg(named.join(QLatin1Char('\n'))),
        caption());
}

} // namespace sumiplex::ui
