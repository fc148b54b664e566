#include "ui/tapes/frm_tapes.h"
#include "ui/widgets/accessible_names.h"

#include "core/journal/tape_summary.h"
#include "platform/dialogs.h"
#include "platform/tape_journal.h"
#include "ui/widgets/widget_helpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace sumiplex::ui {
namespace {

using journal::JournalState;

const QString kTitle = QStringLiteral("過去の計算履歴");

const QString kNotATape = QStringLiteral("　［計算履歴のファイルではありません］");

// The marks a listed tape carries: how far it can be trusted.
QString marksOf(const journal::TapeIndex& tape) {
    QString marks;
    if (!tape.isJournal)
        return kNotATape;
    if (tape.state != JournalState::Complete)
        marks += QStringLiteral("　［異常終了］");
    if (tape.truncated)
        marks += QStringLiteral("　［途中で切れています］");
    if (tape.invalidText)
        marks += QStringLiteral("　［読めない文字があります］");
    return marks;
}

// What the pane says while no earlier tape is kept: this run's tape becomes the first one.
QStringList noTapesNotice(const QString& folder) {
    if (folder.isEmpty())
        return {QStringLiteral("過去の計算履歴はありません。"),
                QStringLiteral("計算履歴をファイルに保存する場所がないため、保存していません。")};
    return {
        QStringLiteral("過去の計算履歴はまだありません。"),
        QStringLiteral("計算履歴は次のフォルダーに保存され、次回の起動からここに表示されます。"),
        QDir::toNativeSeparators(folder)};
}

// The first total of the tape and the last, as the calculator shows totals.
QString totalsOf(const journal::TapeTotals& totals) {
    if (!totals.last)
        return {};
    const QString last = QString::fromStdU16String(FormatAmount(*totals.last));
    if (*totals.first == *totals.last)
        return QStringLiteral("　合計 ") + last;
    return QStringLiteral("　合計 %1 → %2")
        .arg(QString::fromStdU16String(FormatAmount(*totals.first)), last);
}

QString startOf(const QString& name) {
    const auto start = journal::startFromFileName(name.toStdString());
    return start ? QString::fromStdString(journal::formatTime(*start)) : name;
}

} // namespace

bool saveTapeAs(QWidget* parent, std::u16string_view text, const std::function<std::string()>& csv,
                const QString& title, platform::FileDialogs& files,
                platform::MessageBoxes& messages) {
    const std::optional<QString> path = files.getSaveFileName(
        parent, title, QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|CSVﾌｧｲﾙ (*.csv)|*.csv"));
    if (!path)
        return false;
    // Each line of a text file is one step, whatever breaks a line held before.
    const std::string bytes = path->endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)
                                  ? csv()
                                  : journal::toUtf8(journal::tapeLines(text));
    if (const auto error = platform::writeFileAtomic(*path, bytes)) {
        messages.warning(parent, *error, title);
        return false;
    }
    return true;
}

bool saveTapeAs(QWidget* parent, const journal::JournalContents& tape, const QString& title,
                platform::FileDialogs& files, platform::MessageBoxes& messages) {
    return saveTapeAs(
        parent, tape.text, [&tape] { return journal::tapeCsv(tape); }, title, files, messages);
}

frmTapes::frmTapes(Links links) : QWidget(nullptr, Qt::Window), m_links(std::move(links)) {
    setObjectName(QStringLiteral("frmTapes"));
    setWindowTitle(QStringLiteral("　電卓　") + kTitle);
    setAttribute(Qt::WA_DeleteOnClose);

    lstTapes = named(new QListWidget(this), "lstTapes");
    m_lines = new TapeLinesModel(this);
    txtTape = named(new QListView(this), "txtTape");
    txtTape->setModel(m_lines);
    // Rows of one height let the view place a million of them without measuring each.
    txtTape->setUniformItemSizes(true);
    txtTape->setSelectionMode(QAbstractItemView::ExtendedSelection);
    txtTape->setEditTriggers(QAbstractItemView::NoEditTriggers);
    txtFind = named(new QLineEdit(this), "txtFind");
    txtFind->setPlaceholderText(QStringLiteral("検索 (Ctrl+F)"));
    cmdFind = named(new QPushButton(QStringLiteral("次を検索(&F)"), this), "cmdFind");
    chkAllTapes = named(new QCheckBox(QStringLiteral("すべてのテープ"), this), "chkAllTapes");
    lstFound = named(new QListWidget(this), "lstFound");
    lstFound->setUniformItemSizes(true);
    lstFound->hide();
    cmdCopy = named(new QPushButton(QStringLiteral("コピー(&C)"), this), "cmdCopy");
    cmdSend = named(new QPushButton(QStringLiteral("入力欄へ(&I)"), this), "cmdSend");
    cmdCheck = named(new QPushButton(QStringLiteral("検算(&K)..."), this), "cmdCheck");
    cmdCheck->setToolTip(QStringLiteral("選んだ行の計算を入力行で打ち直して照合します"));
    cmdSave = named(new QPushButton(QStringLiteral("計算履歴を保存(&S)..."), this), "cmdSave");
    cmdDelete = named(new QPushButton(QStringLiteral("削除(&D)"), this), "cmdDelete");
    cmdClose = named(new QPushButton(QStringLiteral("閉じる"), this), "cmdClose");
    lblStatus = named(new QLabel(this), "lblStatus");
    nameForScreenReaders(*this, {{"lstTapes", "過去の計算履歴の一覧", "日付ごとに残したテープ"},
                                 {"txtTape", "選んだテープの内容"},
                                 {"txtFind", "検索する文字列", "Ctrl+F で移ります"},
                                 {"lstFound", "検索結果"}});
    describeForScreenReaders(*this, {{"lblStatus", "状態"}});

    auto* findRow = new QHBoxLayout;
    findRow->addWidget(txtFind, 1);
    findRow->addWidget(chkAllTapes);
    findRow->addWidget(cmdFind);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdCopy, cmdSend, cmdCheck, cmdSave, cmdDelete})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* right = new QVBoxLayout;
    right->addLayout(findRow);
    right->addWidget(lstFound, 1);
    right->addWidget(txtTape, 2);
    right->addWidget(lblStatus);
    auto* columns = new QHBoxLayout;
    columns->addWidget(lstTapes, 2);
    columns->addLayout(right, 3);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns, 1);
    all->addLayout(buttons);
    resize(900, 480);

    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        txtFind->setFocus();
        txtFind->selectAll();
    });
    connect(txtFind, &QLineEdit::returnPressed, this, &frmTapes::findNext);
    connect(cmdFind, &QPushButton::clicked, this, &frmTapes::findNext);
    connect(cmdCopy, &QPushButton::clicked, this, &frmTapes::copyText);
    connect(cmdSend, &QPushButton::clicked, this, &frmTapes::sendLine);
    connect(cmdCheck, &QPushButton::clicked, this, &frmTapes::checkChosen);
    connect(cmdSave, &QPushButton::clicked, this, &frmTapes::saveChosen);
    connect(cmdDelete, &QPushButton::clicked, this, &frmTapes::deleteChosen);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(lstTapes, &QListWidget::currentRowChanged, this, &frmTapes::showChosen);
    connect(chkAllTapes, &QCheckBox::toggled, this, &frmTapes::showAllTapes);
    connect(lstFound, &QListWidget::currentRowChanged, this, &frmTapes::showFound);
    refresh();
}

QString frmTapes::chosenPath() const {
    const QListWidgetItem* item = lstTapes->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void frmTapes::refresh() {
    const QString keep = chosenPath();
    std::vector<platform::TapeFileInfo> files = platform::listTapeFiles(m_links.folder);
    std::reverse(files.begin(), files.end()); // newest first
    const QSignalBlocker block(lstTapes);
    lstTapes->clear();
    for (const platform::TapeFileInfo& file : files) {
        if (m_links.currentFiles.contains(file.path))
            continue;
        // Anything but a regular file is never opened: a FIFO would hold the window, a link
        // could lead anywhere.
        const std::optional<QByteArray> bytes =
            file.regular ? platform::readTapeBytes(file.path) : std::nullopt;
        QString text = startOf(file.name);
        if (!file.regular) {
            text += kNotATape;
        } else if (bytes) {
            const std::string_view view(bytes->constData(),
                                        static_cast<std::size_t>(bytes->size()));
            const journal::TapeIndex tape = journal::indexJournal(view);
            text += QStringLiteral("　%1行").arg(tape.lineCount());
            text += totalsOf(journal::fileTotals(view));
            text += marksOf(tape);
        } else {
            text += QStringLiteral("　［開けません］");
        }
        auto* item = new QListWidgetItem(text, lstTapes);
        item->setData(Qt::UserRole, file.path);
        item->setData(kRegularRole, file.regular);
    }
    if (!choose(keep) && lstTapes->count() > 0)
        lstTapes->setCurrentRow(0);
    m_lines->setNotice(lstTapes->count() == 0 ? noTapesNotice(m_links.folder) : QStringList());
    showChosen();
}

bool frmTapes::choose(const QString& path) {
    for (int row = 0; row < lstTapes->count(); ++row) {
        if (lstTapes->item(row)->data(Qt::UserRole).toString() == path) {
            lstTapes->setCurrentRow(row);
            return true;
        }
    }
    return false;
}

void frmTapes::showChosen() {
    ++m_search.generation;
    m_search.valueLines.clear();
    m_search.valuesOf.clear();
    const QString path = chosenPath();
    const QListWidgetItem* item = lstTapes->currentItem();
    const bool regular = item && item->data(kRegularRole).toBool();
    const std::optional<QByteArray> bytes =
        regular ? platform::readTapeBytes(path) : std::optional<QByteArray>();
    m_lines->setFile(bytes.value_or(QByteArray()));
    if (item && !regular)
        lblStatus->setText(kNotATape.trimmed());
    else
        lblStatus->setText(bytes ? marksOf(m_lines->tapeIndex()).trimmed() : QString());
    for (QPushButton* b : {cmdCopy, cmdSend, cmdCheck, cmdSave, cmdDelete, cmdFind})
        b->setEnabled(bytes.has_value());
}

void frmTapes::copyText() {
    // The chosen lines, or the whole tape when none is chosen, as the tape holds them.
    QModelIndexList rows = txtTape->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    std::u16string text;
    if (rows.isEmpty()) {
        for (int row = 0; row < m_lines->rowCount(); ++row)
            text += m_lines->line(row);
    } else {
        for (const QModelIndex& index : rows)
            text += m_lines->line(index.row());
    }
    QApplication::clipboard()->setText(QString::fromStdU16String(text));
}

void frmTapes::sendLine() {
    const std::u16string amount =
        journal::amountOfLine(m_lines->line(txtTape->currentIndex().row()));
    if (amount.empty()) {
        lblStatus->setText(QStringLiteral("この行には金額がありません。"));
        return;
    }
    if (m_links.sendToInput)
        m_links.sendToInput(QString::fromStdU16String(amount));
}

void frmTapes::checkChosen() {
    if (!m_links.checkCalculation)
        return;
    const journal::JournalContents contents = journal::readJournal(m_lines->bytes());
    if (contents.entries.empty()) {
        lblStatus->setText(QStringLiteral("このテープには検算できる計算がありません。"));
        return;
    }
    std::vector<engine::TapeEntry> entries;
    entries.reserve(contents.entries.size());
    for (const journal::JournalEntry& e : contents.entries)
        entries.push_back(e.entry);
    // The entry that wrote the chosen line: the last one beginning at or before it.
    const int row = txtTape->currentIndex().row();
    std::size_t index = entries.size() - 1;
    if (row >= 0) {
        const auto after = std::upper_bound(
            contents.entries.begin(), contents.entries.end(), static_cast<std::size_t>(row),
            [](std::size_t line, const journal::JournalEntry& e) { return line < e.firstLine; });
        index = after == contents.entries.begin()
                    ? 0
                    : static_cast<std::size_t>(after - contents.entries.begin()) - 1;
    }
    m_links.checkCalculation(engine::calculationAt(entries, index));
}

void frmTapes::saveChosen() {
    if (chosenPath().isEmpty())
        return;
    saveTapeAs(this, journal::readJournal(m_lines->bytes()),
               windowTitle() + QStringLiteral("　計算履歴を保存"), m_links.files, m_links.messages);
}

void frmTapes::deleteChosen() {
    const QString path = chosenPath();
    if (path.isEmpty())
        return;
    const QString start = lstTapes->currentItem()->text().section(u'　', 0, 0);
    if (!m_links.messages.question(
            this, QStringLiteral("%1 からの計算履歴を削除しますか？").arg(start), windowTitle()))
        return;
    if (!platform::removeTapeFile(path)) {
        m_links.messages.warning(this, QStringLiteral("計算履歴を削除できませんでした。"),
                                 windowTitle());
        return;
    }
    refresh();
}

} // namespace sumiplex::ui
