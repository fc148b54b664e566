#include "ui/mainwindow/frm_tip2.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/text_window_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>

namespace sumiplex::ui {

QString tapePieceForDisplay(std::u16string_view piece, bool& pendingCr) {
    // Written into a string of the largest size it can reach, then cut to what was written:
    // the piece arrives on every step, and growing a string character by character costs
    // more than the rest of the conversion.
    QString out(static_cast<qsizetype>(piece.size()) + 1, Qt::Uninitialized);
    QChar* const begin = out.data();
    QChar* at = begin;
    std::size_t i = 0;
    if (pendingCr && !piece.empty()) {
        pendingCr = false;
        *at++ = QChar(u'\n');
        if (piece.front() == u'\n')
            i = 1;
    }
    for (; i < piece.size(); ++i) {
        const char16_t c = piece[i];
        if (c != u'\r') {
            *at++ = QChar(c);
            continue;
        }
        if (i + 1 == piece.size()) {
            pendingCr = true;
        } else {
            *at++ = QChar(u'\n');
            if (piece[i + 1] == u'\n')
                ++i;
        }
    }
    out.truncate(at - begin);
    return out;
}

namespace {

// The tape's text box: a copy (or a drag) of a selection asks the window for what to carry.
class TapeTextEdit final : public QPlainTextEdit {
public:
    TapeTextEdit(const frmTip2& window, QWidget* parent)
        : QPlainTextEdit(parent), m_window(window) {}

protected:
    QMimeData* createMimeDataFromSelection() const override { return m_window.selectionMimeData(); }

private:
    const frmTip2& m_window;
};

// Rows of tab-separated cells as an HTML table, which spreadsheets paste cell by cell.
QString htmlTable(const QString& rows) {
    QString html = QStringLiteral("<table>");
    for (const QString& row : rows.split(u'\n', Qt::SkipEmptyParts)) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : row.split(u'\t'))
            html += QStringLiteral("<td>") + cell.toHtmlEscaped() + QStringLiteral("</td>");
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

} // namespace

QMimeData* frmTip2::selectionMimeData() const {
    auto* mime = new QMimeData;
    const QTextCursor cursor = Text1->textCursor();
    // The lines as shown, with the text box's line separators as ordinary line breaks.
    QString shown = cursor.selectedText();
    shown.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    mime->setText(shown);
    if (!m_stepRows || !cursor.hasSelection())
        return mime;
    const int end = std::max(cursor.selectionStart(), cursor.selectionEnd() - 1);
    const QString rows = m_stepRows(lineAt(cursor.selectionStart()), lineAt(end));
    if (rows.isEmpty())
        return mime;
    mime->setData(QStringLiteral("text/tab-separated-values"), rows.toUtf8());
    mime->setHtml(htmlTable(rows));
    return mime;
}

frmTip2::frmTip2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmTip2"));
    setWindowTitle(QStringLiteral("　電卓　計算履歴"));

    Text1 = new TapeTextEdit(*this, this);
    Text1->setObjectName(QStringLiteral("Text1"));
    nameForScreenReaders(*this, {{"Text1", "計算履歴", "これまでの計算を一行ずつ記録したテープ"}});
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
    cmdOK->setAccessibleName(QStringLiteral("閉じる"));

    // Kept with the window rather than with one showing of the menu, so the item has one
    // name for as long as the window lives.
    mnuTapeNote = new QAction(QStringLiteral("摘要を付ける(&N)..."), this);
    mnuTapeNote->setObjectName(QStringLiteral("mnuTapeNote"));
    mnuTapeNote->setEnabled(false);
    connect(mnuTapeNote, &QAction::triggered, this, [this] {
        if (m_noteLinks.note)
            m_noteLinks.note(m_menuLine);
    });
    // A right click lands on the viewport, the Menu key on the text box itself.
    Text1->installEventFilter(this);
    Text1->viewport()->installEventFilter(this);
}

namespace {

// Lines (ended by '\n') in groups of `perBlock` joined by line separators, each group ended
// by a paragraph break; the lines after the last full group stay one paragraph each.
QString groupedLines(const QString& text, int perBlock, int& fullGroups) {
    QString out = text;
    fullGroups = 0;
    const qsizetype lastGroupEnd = [&] {
        qsizetype end = -1;
        int ends = 0;
        for (qsizetype i = 0; i < out.size(); ++i) {
            if (out[i] != QLatin1Char('\n'))
                continue;
            if (++ends % perBlock == 0)
                end = i;
        }
        return end;
    }();
    int inGroup = 0;
    for (qsizetype i = 0; i < lastGroupEnd; ++i) {
        if (out[i] != QLatin1Char('\n'))
            continue;
        if (++inGroup < perBlock) {
            out[i] = QChar::LineSeparator;
        } else {
            inGroup = 0;
            ++fullGroups;
        }
    }
    if (lastGroupEnd >= 0)
        ++fullGroups;
    return out;
}

} // namespace

void frmTip2::appendTape(std::u16string_view piece) {
    const QString text = tapePieceForDisplay(piece, m_pendingCr);
    if (text.isEmpty())
        return;
    QTextDocument& document = *Text1->document();
    const auto lineEnds = static_cast<int>(text.count(QLatin1Char('\n')));
    const int tailLines = document.blockCount() - m_groupedBlocks - 1;
    // Placed at the end by its position: moving a cursor there from the start lays out the
    // first block again on every step.
    QTextCursor cursor(&document);
    cursor.setPosition(document.characterCount() - 1);
    if (tailLines + lineEnds < kLinesPerBlock) {
        // A line of its own paragraph: appending a paragraph leaves the earlier ones laid
        // out as they are, where text added to a long paragraph would lay all of it out
        // again on every step, shown or not.
        cursor.insertText(text);
    } else {
        // A text block costs several hundred bytes beside its text, so full runs of lines
        // are joined into one block by line separators (which read back as line ends).
        // Regrouping the short tail once per run keeps that cost off the other steps.
        cursor.setPosition(document.findBlockByNumber(m_groupedBlocks).position(),
                           QTextCursor::KeepAnchor);
        QString tail = cursor.selectedText();
        tail.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        int groups = 0;
        const QString grouped = groupedLines(tail + text, kLinesPerBlock, groups);
        cursor.beginEditBlock();
        cursor.insertText(grouped);
        cursor.endEditBlock();
        m_groupedBlocks += groups;
    }
    // Placing the caret lays out the line it stands on; a hidden window places it when it
    // is shown again.
    if (isVisible())
        moveCaretToEnd();
}

void frmTip2::showTape(std::u16string_view text) {
    const int scrolled = Text1->verticalScrollBar()->value();
    Text1->clear();
    m_pendingCr = false;
    m_groupedBlocks = 0;
    appendTape(text);
    // The lines stay where the user was reading them.
    Text1->verticalScrollBar()->setValue(scrolled);
}

std::size_t frmTip2::lineAt(int position) const {
    const QTextDocument& document = *Text1->document();
    QTextBlock block = document.findBlock(position);
    if (!block.isValid())
        block = document.lastBlock();
    const auto number = static_cast<std::size_t>(block.blockNumber());
    const auto grouped = static_cast<std::size_t>(m_groupedBlocks);
    if (number >= grouped)
        return grouped * kLinesPerBlock + (number - grouped);
    const QString before = block.text().left(std::max(0, position - block.position()));
    return number * kLinesPerBlock + static_cast<std::size_t>(before.count(QChar::LineSeparator));
}

std::optional<int> frmTip2::positionOfLine(std::size_t line) const {
    const auto grouped = static_cast<std::size_t>(m_groupedBlocks);
    const std::size_t inGroups = grouped * kLinesPerBlock;
    const std::size_t number =
        line < inGroups ? line / kLinesPerBlock : grouped + (line - inGroups);
    if (number > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    const QTextBlock block = Text1->document()->findBlockByNumber(static_cast<int>(number));
    if (!block.isValid())
        return std::nullopt;
    if (line >= inGroups)
        return block.position();
    const QString text = block.text();
    qsizetype at = 0;
    for (std::size_t k = line % kLinesPerBlock; k > 0; --k) {
        at = text.indexOf(QChar::LineSeparator, at);
        if (at < 0)
            return std::nullopt;
        ++at;
    }
    return block.position() + static_cast<int>(at);
}

bool frmTip2::eventFilter(QObject* watched, QEvent* event) {
    const auto atCaret = [this] {
        const QRect caret = Text1->cursorRect();
        openContextMenu(lineAt(Text1->textCursor().position()),
                        Text1->viewport()->mapToGlobal(caret.bottomLeft()));
    };
    if (event->type() == QEvent::ContextMenu) {
        const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        if (menuEvent->reason() == QContextMenuEvent::Mouse) {
            const QPoint at = Text1->viewport()->mapFromGlobal(menuEvent->globalPos());
            openContextMenu(lineAt(Text1->cursorForPosition(at).position()),
                            menuEvent->globalPos());
        } else {
            atCaret();
        }
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
            atCaret();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmTip2::openContextMenu(std::size_t line, const QPoint& global) {
    m_menuLine = line;
    mnuTapeNote->setEnabled(m_noteLinks.canNote && m_noteLinks.canNote(line));
    // The text box's own items (copy, select all) stay as every text box has them.
    QMenu* menu = Text1->createStandardContextMenu(Text1->viewport()->mapFromGlobal(global));
    menu->setObjectName(QStringLiteral("mnuTapePopup"));
    QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().front();
    menu->insertAction(first, mnuTapeNote);
    menu->insertSeparator(first);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Non-blocking: the chosen item arrives as its own event.
    menu->popup(global);
}

void frmTip2::setCredit(const QString& credit) {
    if (Label9->text() != credit)
        Label9->setText(credit);
}

void frmTip2::moveCaretToEnd() {
    QTextCursor cursor = Text1->textCursor();
    // A caret at the end stays there as lines are added behind it; only one the user moved
    // is set again.
    if (!cursor.atEnd() || cursor.hasSelection()) {
        cursor.movePosition(QTextCursor::End);
        Text1->setTextCursor(cursor);
    }
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
