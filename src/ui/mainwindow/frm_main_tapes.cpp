// The kept tapes: every tape line goes to the run's journal; at start-up an unfinished
// journal of an earlier run is offered, and the earlier tapes can be looked through and
// saved.

#include "ui/dialogs/build_version.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/tapes/frm_tapes.h"

#include "core/engine/tape.h"
#include "core/journal/retention.h"
#include "core/journal/tape_csv.h"
#include "platform/dialogs.h"
#include "platform/settings_keys.h"
#include "platform/settings_store.h"
#include "platform/tape_journal.h"

#include <QAction>
#include <QDir>
#include <QTimer>

namespace sumiplex::ui {
namespace {

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

void frmMain::startTapeJournal() {
    connect(mnuSaveTape, &QAction::triggered, this, &frmMain::mnuSaveTape_Click);
    if (m_services.tapeFolder.isEmpty())
        return;
    m_journal =
        new platform::TapeJournal(m_services.tapeFolder, versionText(), m_services.clock, this);
    // Said once while writing keeps failing; the calculator goes on as if nothing happened.
    // The user is typing when it happens, so the notice leaves the keys to the input line;
    // it shows once the key being handled is done (at start-up, over the shown window).
    connect(m_journal, &platform::TapeJournal::writeFailed, this, [this](const QString& reason) {
        QTimer::singleShot(0, this, [this, reason] {
            m_services.messages.notice(
                this,
                QStringLiteral("計算履歴をファイルに保存できません（%1）。\n"
                               "計算はこのまま続けられます。保存できるようになると、"
                               "新しいファイルに続きを保存します。")
                    .arg(reason),
                mainCaption());
        });
    });
    m_journal->start();
    m_journalListener = m_tape->addListener(engine::Tape::Listener{
        // The entry was just added, so its index is the last.
        .recorded =
            [this](const engine::TapeEntry& entry, std::u16string_view piece) {
                m_journal->appendEntry(entry, m_tape->entries().size() - 1, piece);
            },
        .noteChanged =
            [this](std::size_t index) {
                m_journal->noteChanged(index, m_tape->entries()[index].note);
            },
    });
}

std::optional<platform::UnsavedTape> frmMain::unloadTapes() {
    // The earlier tapes window must not keep the program running once this one is gone.
    if (m_tools)
        m_tools->destroy(QStringLiteral("frmTapes"));
    if (!m_journal)
        return std::nullopt;
    m_tape->removeListener(m_journalListener);
    return m_journal->close();
}

void frmMain::offerUnsavedTape(const platform::UnsavedTape& lost) {
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
    while (m_services.messages.question(this, text, mainCaption())) {
        if (saveTapeAs(this, lost.tape, mainCaption() + QStringLiteral("　計算履歴を保存"),
                       m_services.files, m_services.messages))
            return;
    }
    // The question was cancelled by an end that asks nothing.
    if (m_endingQuietly)
        keepUnsavedTape(lost);
}

void frmMain::tapeHousekeeping() {
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
        QTimer::singleShot(
            0, this, [this, notice] { m_services.messages.notice(this, notice, mainCaption()); });
    QStringList unfinished;
    for (const platform::TapeFileInfo& file : platform::listTapeFiles(folder)) {
        if (file.regular && file.header && file.header->state == journal::JournalState::Open &&
            !m_journal->filesOfThisRun().contains(file.path) && !platform::tapeFileInUse(file.path))
            unfinished.push_back(file.path);
    }
    if (unfinished.isEmpty())
        return;
    const bool show = m_services.messages.question(
        this,
        QStringLiteral("前回の計算履歴が最後まで保存されないまま終了しています。\n表示しますか？"),
        mainCaption());
    // A question cancelled by the program's end was never answered: asked again next time.
    if (m_endingQuietly)
        return;
    // Asked once: whatever the answer, the tapes are kept and listed with the earlier ones.
    for (const QString& path : unfinished)
        (void)platform::markTapeFile(path, journal::JournalState::Recovered);
    if (show)
        openEarlierTapes(unfinished.back());
}

void frmMain::openEarlierTapes(const QString& chosen) {
    const QString name = QStringLiteral("frmTapes");
    if (frmTapes* open = m_tools->find<frmTapes>(name))
        open->refresh();
    frmTapes& tapes = m_tools->load<frmTapes>(name, [this] {
        return new frmTapes(frmTapes::Links{
            m_services.tapeFolder, m_journal ? m_journal->filesOfThisRun() : QStringList(),
            m_services.files, m_services.messages,
            [this](const QString& amount) { takeToolResult(amount); },
            [this](const engine::CalculationAt& calculation) {
                checkEarlierCalculation(calculation);
            }});
    });
    if (!chosen.isEmpty())
        tapes.choose(chosen);
    m_tools->show(tapes, ToolShow::Activate);
}

void frmMain::mnuSaveTape_Click() {
    if (m_tape->text().empty())
        return;
    // Every step carries its own time, so the export needs nothing from the journal files.
    saveTapeAs(
        this, m_tape->text(), [this] { return journal::tapeCsv(m_tape->entries().slice(0)); },
        mainCaption() + QStringLiteral("　計算履歴を保存"), m_services.files, m_services.messages);
}

} // namespace sumiplex::ui
