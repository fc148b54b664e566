#include "ui/dialogs/dialog_note.h"

#include "core/engine/tape.h"
#include "ui/widgets/accessible_names.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sumiplex::ui {

namespace {

// Characters of the tape line the caption shows before it is cut short.
constexpr qsizetype kCaptionLength = 40;

bool isLineBreak(QChar c) {
    const char16_t u = c.unicode();
    return u == u'\r' || u == u'\n' || u == u'\t' || u == u'\v' || u == u'\f' || u == 0x85 ||
           u == 0x2028 || u == 0x2029;
}

// A note is one line: each line break of a pasted text (CR LF counted once) becomes one
// blank, as the tape will keep it.
QString flattened(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        out += isLineBreak(text[i]) ? QChar(u' ') : text[i];
    }
    return out;
}

} // namespace

DialogNote::DialogNote(const QString& line, const QString& note, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DialogNote"));
    setModal(true);
    setWindowTitle(QStringLiteral("摘要"));

    // An ampersand of the tape line is shown, not taken for the label's access key.
    Label1 = new QLabel(
        QStringLiteral("「%1」の摘要(&N):").arg(QString(line).replace(u'&', QStringLiteral("&&"))),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    TextNote = new QLineEdit(note, this);
    TextNote->setObjectName(QStringLiteral("TextNote"));
    // Typing stops at the length the tape keeps, so nothing typed is lost unseen.
    TextNote->setMaxLength(static_cast<int>(engine::kMaxNoteLength));
    TextNote->setMinimumWidth(TextNote->fontMetrics().horizontalAdvance(QChar(0x3000)) * 24);
    Label1->setBuddy(TextNote);
    // Shown as it will be kept the moment it is pasted, not only once it is on the tape.
    connect(TextNote, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString flat = flattened(text);
        if (flat == text)
            return;
        const auto caret = flattened(QStringView(text).left(TextNote->cursorPosition())).size();
        TextNote->setText(flat);
        TextNote->setCursorPosition(static_cast<int>(caret));
    });
    Label2 =
        new QLabel(QStringLiteral("%1文字まで。改行は空白になります。空にすると摘要を消します。")
                       .arg(engine::kMaxNoteLength),
                   this);
    Label2->setObjectName(QStringLiteral("Label2"));

    CommandOK = new QPushButton(QStringLiteral("OK"), this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandOK->setDefault(true);
    CommandCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    connect(CommandOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(CommandCancel, &QPushButton::clicked, this, &QDialog::reject);

    nameForScreenReaders(*this, {{"DialogNote", "摘要"},
                                 {"TextNote", "摘要", "計算履歴の行の数字の後に付ける短いメモ"},
                                 {"CommandOK", "OK", "摘要を付けます"},
                                 {"CommandCancel", "キャンセル", "摘要を変えずに閉じます"}});
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(TextNote);
    layout->addWidget(Label2);
    layout->addLayout(buttons);

    // Typing replaces the note it had; an arrow key keeps it for editing.
    TextNote->selectAll();
    TextNote->setFocus();
}

QString DialogNote::note() const {
    QString text = TextNote->text();
    // The length cap may fall between the two halves of a character beyond the BMP.
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    return text;
}

QString noteLineCaption(const engine::TapeEntry& entry) {
    engine::TapeEntry bare = entry;
    bare.note.clear();
    QString text = QString::fromStdU16String(engine::renderEntry(bare));
    // The note goes after the figures of the entry's last line: that line is the one named.
    QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QString line = lines.isEmpty() ? QString() : lines.back().trimmed();
    if (line.size() > kCaptionLength) {
        qsizetype cut = kCaptionLength - 1;
        if (line.at(cut - 1).isHighSurrogate())
            --cut;
        line = line.left(cut) + QChar(0x2026);
    }
    return line;
}

std::optional<std::size_t> notableEntryAtLine(const engine::Tape& tape, std::size_t line) {
    const std::size_t count = tape.entries().size();
    const std::size_t index = tape.entryAtLine(line);
    if (index >= count)
        return std::nullopt;
    if (index >= tape.calculationStart() || index + 1 == count)
        return index;
    return std::nullopt;
}

} // namespace sumiplex::ui
