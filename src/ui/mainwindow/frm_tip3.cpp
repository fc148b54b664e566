#include "ui/mainwindow/frm_tip3.h"
#include "ui/widgets/text_window_frame.h"

#include "platform/dialogs.h"
#include "platform/memo_file.h"

#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>

namespace sumiplex::ui {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kOpenFilters = QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|");
constexpr int kOpenFilterText = 1;
const QString kSaveFilter = QStringLiteral("txtﾌｧｲﾙ (*.txt)|*.txt");

// CR LF-ended memo text as the widget shows it: one '\n' per line break.
QString forDisplay(const QString& memo) {
    QString out = memo;
    out.replace(kCrLf, QStringLiteral("\n"));
    return out;
}

// The widget's raw text back to memo form. Blocks are separated by U+2029; Shift+Enter
// inserts U+2028; both are line breaks to the user.
QString fromDisplay(const QString& raw) {
    QString out;
    out.reserve(raw.size() + raw.size() / 16);
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n')) {
            out += kCrLf;
        } else {
            out += c;
        }
    }
    return out;
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
    connect(Text1->document(), &QTextDocument::contentsChanged, this, &frmTip3::markEdited);

    const TextWindowFrame frame = buildTextWindowFrame(*this, *Text1);
    Label9 = frame.Label9;
    cmdOK = frame.cmdOK;
}

void frmTip3::markEdited() {
    if (!m_programChange) {
        m_edited = true;
    }
}

QString frmTip3::memoText() const {
    if (m_edited) {
        m_memo = fromDisplay(Text1->document()->toRawText());
        m_edited = false;
    }
    return m_memo;
}

void frmTip3::appendMemo(const QString& text) {
    const QString piece = platform::withCrLf(text + kCrLf);
    {
        ProgramChange change(m_programChange);
        QTextCursor end(Text1->document());
        end.movePosition(QTextCursor::End);
        end.insertText(forDisplay(piece));
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
        Text1->setPlainText(forDisplay(memo));
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
    const std::optional<QString> path = files.getOpenFileName(
        this, mainCaption + QStringLiteral("　メモ帳を開く"), kOpenFilters, kOpenFilterText);
    if (!path) {
        return false;
    }
    const platform::MemoFileRead read = platform::readMemoFile(*path);
    if (!read.text) {
        boxes.warning(this, read.error, mainCaption);
        return false;
    }
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
    const std::optional<QString> path = files.getSaveFileName(
        this, mainCaption + QStringLiteral("　名前を付けて保存"), kSaveFilter);
    if (!path) {
        return SaveResult::Cancelled;
    }
    if (const auto error = platform::writeMemoFileAtomic(*path, memo)) {
        boxes.critical(this, *error, mainCaption);
        return SaveResult::Failed;
    }
    hide();
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
        const std::optional<QString> path = files.getSaveFileName(
            this, caption + QStringLiteral("　　名前を付けて保存"), kSaveFilter);
        if (!path) {
            return;
        }
        const auto error = platform::writeMemoFileAtomic(*path, memo);
        if (!error) {
            return;
        }
        boxes.critical(this, *error, caption);
    }
}

void frmTip3::unload(platform::FileDialogs& files, platform::MessageBoxes& boxes) {
    unloadAsk(files, boxes);
    setMemoText(QString());
    hide();
    emit unloaded();
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
