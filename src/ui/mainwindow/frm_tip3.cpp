#include "ui/mainwindow/frm_tip3.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/text_window_frame.h"

#include "platform/dialogs.h"
#include "platform/memo_file.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <vector>

namespace sumiplex::ui {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kOpenFilters = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|");
constexpr int kOpenFilterText = 1;
const QString kSaveFilter = QStringLiteral("txtﾌｧｲﾙ (*.txt)|*.txt");

// The text layout of one paragraph costs time in proportion to its length and is redone
// whole on every change, so a line of megabytes would freeze the window. The widget shows a
// longer line as several paragraphs of this many characters; each paragraph that goes on
// a line of the memo is marked, and the breaks before marked paragraphs are not in the memo.
constexpr qsizetype kDisplayPieceLength = 2000;
constexpr int kContinuedLine = 1; // QTextBlock::userState of a marked paragraph

struct DisplayText {
    QString text;                   ///< one '\n' per paragraph break
    std::vector<int> continuations; ///< paragraphs, counted from the first, that go on a line
};

// CR LF-ended memo text as the widget shows it. `column` is the length of the paragraph the
// text is added to.
DisplayText forDisplay(const QString& memo, qsizetype column = 0) {
    DisplayText shown;
    shown.text.reserve(memo.size() + memo.size() / kDisplayPieceLength);
    const QStringView all(memo);
    int paragraph = 0;
    qsizetype pos = 0;
    while (pos < all.size()) {
        qsizetype end = all.indexOf(kCrLf, pos);
        if (end < 0) {
            end = all.size();
        }
        QStringView line = all.mid(pos, end - pos);
        while (column + line.size() > kDisplayPieceLength) {
            qsizetype take = std::max<qsizetype>(kDisplayPieceLength - column, 0);
            // Never between the halves of a surrogate pair.
            while (take > 0 && take < line.size() && line[take].isLowSurrogate()) {
                --take;
            }
            shown.text += line.left(take);
            shown.text += QLatin1Char('\n');
            shown.continuations.push_back(++paragraph);
            line = line.mid(take);
            column = 0;
        }
        shown.text += line;
        column += line.size();
        if (end < all.size()) {
            shown.text += QLatin1Char('\n');
            ++paragraph;
            column = 0;
        }
        pos = end + kCrLf.size();
    }
    return shown;
}

void markContinuations(QTextDocument& document, int firstParagraph,
                       const std::vector<int>& continuations) {
    for (const int paragraph : continuations) {
        document.findBlockByNumber(firstParagraph + paragraph).setUserState(kContinuedLine);
    }
}

// The widget's paragraphs back to memo form. Shift+Enter inserts U+2028 inside a paragraph,
// a line break to the user. A paragraph split by Enter leaves its second half unmarked, so
// the user's own breaks are always kept.
QString fromDisplay(const QTextDocument& document) {
    QString out;
    out.reserve(document.characterCount() + document.blockCount());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin() && block.userState() != kContinuedLine) {
            out += kCrLf;
        }
        const QString text = block.text();
        for (const QChar c : text) {
            if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator ||
                c == QLatin1Char('\n')) {
                out += kCrLf;
            } else {
                out += c;
            }
        }
    }
    return out;
}

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

// Sets m_programChange for the lifetime of a change the program makes to the widget.
class ProgramChange {
public:
    explicit ProgramChange(bool& flag) : m_flag(flag) { m_flag = true; }
    ~ProgramChange() { m_flag = false; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;

private:
    bool& m_flag;
};

} // namespace

frmTip3::frmTip3(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmTip3"));
    setWindowTitle(QStringLiteral("　電卓　メモ帳"));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    QFont memoFont(QStringLiteral("ＭＳ Ｐゴシック"), 12);
    Text1->setFont(memoFont);
    // A word longer than the window (a long number, a pasted address) breaks where it must
    // instead of running off to the right.
    Text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    connect(Text1->document(), &QTextDocument::contentsChanged, this, &frmTip3::markEdited);
    nameForScreenReaders(*this, {{"Text1", "メモ帳", "自由に書き込めるメモ"}});

    const TextWindowFrame frame = buildTextWindowFrame(*this, *Text1);
    Label9 = frame.Label9;
    cmdOK = frame.cmdOK;
    cmdOK->setAccessibleName(QStringLiteral("閉じる"));
    // Tab types a tab into the memo; Ctrl+Tab and Ctrl+Shift+Tab leave it for the other
    // controls, so the keyboard alone is never held in the memo.
    const auto leaveMemo = [this](const QKeySequence& keys, bool forward) {
        auto* shortcut = new QShortcut(keys, Text1, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, forward] { forward ? focusNextChild() : focusPreviousChild(); });
    };
    leaveMemo(QKeySequence(Qt::CTRL | Qt::Key_Tab), true);
    leaveMemo(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), false);
}

void frmTip3::markEdited() {
    if (!m_programChange) {
        m_edited = true;
    }
}

QString frmTip3::memoText() const {
    if (m_edited) {
        m_memo = fromDisplay(*Text1->document());
        m_edited = false;
    }
    return m_memo;
}

void frmTip3::appendMemo(const QString& text) {
    const QString piece = platform::withCrLf(text + kCrLf);
    {
        ProgramChange change(m_programChange);
        QTextDocument& document = *Text1->document();
        const QTextBlock last = document.lastBlock();
        const DisplayText shown = forDisplay(piece, last.length() - 1);
        const int firstParagraph = last.blockNumber();
        QTextCursor end(&document);
        end.movePosition(QTextCursor::End);
        end.insertText(shown.text);
        markContinuations(document, firstParagraph, shown.continuations);
    }
    // While the user's edits are pending, the widget is the truth and already holds the
    // piece; otherwise the kept text grows by the same piece.
    if (!m_edited) {
        m_memo += piece;
    }
}

void frmTip3::setMemoText(const QString& text) {
    const QString memo = platform::withCrLf(text);
    {
        ProgramChange change(m_programChange);
        const DisplayText shown = forDisplay(memo);
        Text1->setPlainText(shown.text);
        markContinuations(*Text1->document(), 0, shown.continuations);
    }
    m_memo = memo;
    m_edited = false;
}

void frmTip3::caretToEnd() {
    QTextCursor cursor = Text1->textCursor();
    cursor.movePosition(QTextCursor::End);
    Text1->setTextCursor(cursor);
    Text1->ensureCursorVisible();
}

void frmTip3::setCredit(const QString& credit) {
    Label9->setText(credit);
}

void frmTip3::setMemoFont(const QFont& font) {
    Text1->setFont(font);
}

QFont frmTip3::memoFont() const {
    return Text1->font();
}

bool frmTip3::openFile(platform::FileDialogs& files, platform::MessageBoxes& boxes,
                       const QString& mainCaption) {
    if (!memoText().isEmpty()) {
        show();
        const bool save = boxes.question(
            this, QStringLiteral("現在のメモ帳に上書きされます。メモ帳を保存しますか？"),
            mainCaption);
        if (save && saveAs(files, boxes, mainCaption) == SaveResult::Failed) {
            return false;
        }
    }
    const std::optional<QString> path =
        files.getOpenFileName(this, mainCaption + QStringLiteral("　メモ帳を開く"), kOpenFilters,
                              kOpenFilterText, startFolder());
    if (!path) {
        return false;
    }
    const platform::MemoFileRead read = platform::readMemoFile(*path);
    if (!read.text) {
        boxes.warning(this, read.error, mainCaption);
        return false;
    }
    // Saving such a file would write the substitutes over the bytes they replaced.
    if (read.damaged && !boxes.question(this, damagedFileQuestion(*path), mainCaption)) {
        return false;
    }
    m_lastFolder = folderOf(*path);
    m_filePath = *path;
    setMemoText(*read.text);
    show();
    return true;
}

frmTip3::SaveResult frmTip3::saveAs(platform::FileDialogs& files, platform::MessageBoxes& boxes,
                                    const QString& mainCaption) {
    const QString memo = memoText();
    if (memo.isEmpty()) {
        return SaveResult::NothingToSave;
    }
    const std::optional<QString> path =
        files.getSaveFileName(this, mainCaption + QStringLiteral("　名前を付けて保存"), kSaveFilter,
                              startFolder(), fileName());
    if (!path) {
        return SaveResult::Cancelled;
    }
    if (const auto error = platform::writeMemoFileAtomic(*path, memo)) {
        boxes.critical(this, *error, mainCaption);
        return SaveResult::Failed;
    }
    m_lastFolder = folderOf(*path);
    m_filePath = *path;
    return SaveResult::Saved;
}

void frmTip3::unloadAsk(platform::FileDialogs& files, platform::MessageBoxes& boxes) {
    const QString memo = memoText();
    if (memo.isEmpty()) {
        return;
    }
    const QString caption = windowTitle();
    if (!boxes.question(this, QStringLiteral("メモ帳を保存しますか？"), caption)) {
        return;
    }
    for (;;) {
        const std::optional<QString> path =
            files.getSaveFileName(this, caption + QStringLiteral("　　名前を付けて保存"),
                                  kSaveFilter, startFolder(), fileName());
        if (!path) {
            return;
        }
        const auto error = platform::writeMemoFileAtomic(*path, memo);
        if (!error) {
            m_lastFolder = folderOf(*path);
            m_filePath = *path;
            return;
        }
        boxes.critical(this, *error, caption);
    }
}

void frmTip3::unload(platform::FileDialogs& files, platform::MessageBoxes& boxes) {
    unloadAsk(files, boxes);
    setMemoText(QString());
    // The next memo is a new one: saving it must not offer to overwrite the last one's file.
    m_filePath.clear();
    hide();
    emit unloaded();
}

QString frmTip3::startFolder() const {
    if (!m_lastFolder.isEmpty()) {
        return m_lastFolder;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString frmTip3::fileName() const {
    return m_filePath.isEmpty() ? QString() : QFileInfo(m_filePath).fileName();
}

QString frmTip3::damagedFileQuestion(const QString& path) {
    return QStringLiteral("「%1」には UTF-8 でも Shift_JIS でもない文字があり、"
                          "メモ帳ではそのままの形で保てません。\n"
                          "読めない文字は別の文字に置き換わり、このまま保存すると"
                          "元の内容には戻りません。\n開きますか？")
        .arg(QFileInfo(path).fileName());
}

void frmTip3::setCloseServices(platform::FileDialogs* files, platform::MessageBoxes* boxes) {
    m_closeFiles = files;
    m_closeBoxes = boxes;
}

void frmTip3::closeEvent(QCloseEvent* event) {
    if (m_closeFiles != nullptr && m_closeBoxes != nullptr) {
        unload(*m_closeFiles, *m_closeBoxes);
    }
    // Without the services to ask, the close box only hides the pad: emptying a memo the
    // user was never asked about would lose it.
    event->accept();
}

} // namespace sumiplex::ui
