#include "ui/mainwindow/frm_tip2.h"
#include "ui/widgets/text_window_frame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>

namespace sumiplex::ui {

QString tapePieceForDisplay(std::u16string_view piece, bool& pendingCr) {
    QString out;
    out.reserve(static_cast<qsizetype>(piece.size()) + 1);
    std::size_t i = 0;
    if (pendingCr && !piece.empty()) {
        pendingCr = false;
        out += QChar(u'\n');
        if (!piece.empty() && piece.front() == u'\n')
            i = 1;
    }
    for (; i < piece.size(); ++i) {
        const char16_t c = piece[i];
        if (c != u'\r') {
            out += QChar(c);
            continue;
        }
        if (i + 1 == piece.size()) {
            pendingCr = true;
        } else {
            out += QChar(u'\n');
            if (piece[i + 1] == u'\n')
                ++i;
        }
    }
    return out;
}

frmTip2::frmTip2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmTip2"));
    setWindowTitle(QStringLiteral("　電卓　計算履歴"));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    // The tape only grows; an undo record per append would double its memory.
    Text1->document()->setUndoRedoEnabled(false);
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont tapeFont(QStringLiteral("Times New Roman"), 14);
    tapeFont.setBold(true);
    Text1->setFont(tapeFont);

    const TextWindowFrame frame = buildTextWindowFrame(*this, *Text1);
    Label9 = frame.Label9;
    cmdOK = frame.cmdOK;
}

void frmTip2::appendTape(std::u16string_view piece) {
    QString text = tapePieceForDisplay(piece, m_pendingCr);
    if (text.isEmpty())
        return;
    // A text block costs several hundred bytes beside its text, so a block holds a run of
    // tape lines joined by line separators (which read back as line ends) rather than one.
    for (QChar& c : text) {
        if (c != QLatin1Char('\n'))
            continue;
        if (++m_linesInBlock < kLinesPerBlock) {
            c = QChar::LineSeparator;
        } else {
            m_linesInBlock = 0;
        }
    }
    QTextCursor end(Text1->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    moveCaretToEnd();
}

void frmTip2::showTape(std::u16string_view text) {
    const int scrolled = Text1->verticalScrollBar()->value();
    Text1->clear();
    m_pendingCr = false;
    m_linesInBlock = 0;
    appendTape(text);
    // The lines stay where the user was reading them.
    Text1->verticalScrollBar()->setValue(scrolled);
}

void frmTip2::setCredit(const QString& credit) {
    if (Label9->text() != credit)
        Label9->setText(credit);
}

void frmTip2::moveCaretToEnd() {
    QTextCursor cursor = Text1->textCursor();
    cursor.movePosition(QTextCursor::End);
    Text1->setTextCursor(cursor);
    if (isVisible())
        Text1->ensureCursorVisible();
}

void frmTip2::closeEvent(QCloseEvent* event) {
    // The frame's close box hides the window like its Close button: destroying it would
    // throw away the tape while the program still runs.
    event->ignore();
    hide();
}

void frmTip2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    moveCaretToEnd();
}

void frmTip2::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        moveCaretToEnd();
    QWidget::changeEvent(event);
}

} // namespace sumiplex::ui
