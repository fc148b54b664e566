#include "driver/dialog_answers.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

namespace sumiplex::driver {

namespace {

// A picker answered from its queue: the answer is chosen, a cancel answer cancels.
template <typename Value, typename Choose>
DialogAnswers::Outcome
answerPicker(QDialog& dialog, platform::AnswerQueue<std::optional<Value>>& queue, Choose choose) {
    const std::optional<std::optional<Value>> answer = queue.take();
    if (!answer)
        return DialogAnswers::Outcome::NoAnswer;
    if (*answer)
        choose(**answer);
    else
        dialog.reject();
    return DialogAnswers::Outcome::Answered;
}

} // namespace

void DialogAnswers::recordShown(QMessageBox& box) {
    if (m_seen.contains(&box))
        return;
    m_seen.append(&box);
    m_messages.append(box.windowTitle() + u'\t' + box.text());
}

void DialogAnswers::hear(platform::FakeMessageBoxes& boxes) {
    boxes.whenShown([this](const platform::FakeMessageBoxes::Shown& shown) {
        recordMessage(shown.title, shown.text);
    });
}

void DialogAnswers::recordMessage(const QString& title, const QString& text) {
    m_messages.append(title + u'\t' + text);
}

QString DialogAnswers::messages() const {
    QString all;
    for (const auto& m : m_messages)
        all += m + u'\n';
    return all;
}

DialogAnswers::Outcome DialogAnswers::answerMessageBox(QMessageBox& box) {
    recordShown(box);
    m_seen.removeAll(&box); // the same object may be shown again with a new text
    const bool question = box.button(QMessageBox::Yes) || box.button(QMessageBox::No);
    QAbstractButton* button = nullptr;
    if (question) {
        const std::optional<bool> yes = yesNo.take();
        if (!yes)
            return Outcome::NoAnswer;
        button = box.button(*yes ? QMessageBox::Yes : QMessageBox::No);
    } else {
        button = box.defaultButton();
        if (!button && !box.buttons().isEmpty())
            button = box.buttons().front();
    }
    if (button)
        button->click();
    else
        box.reject();
    return Outcome::Answered;
}

DialogAnswers::Outcome DialogAnswers::answer(QWidget& modal) {
    if (auto* box = qobject_cast<QMessageBox*>(&modal))
        return answerMessageBox(*box);
    if (auto* dialog = qobject_cast<QFileDialog*>(&modal))
        return answerPicker(*dialog, files, [dialog](const QString& path) {
            dialog->selectFile(path);
            // The dialog's own button, so its checks (overwrite, existence) run as for a user.
            QMetaObject::invokeMethod(dialog, "accept");
        });
    if (auto* dialog = qobject_cast<QColorDialog*>(&modal))
        return answerPicker(*dialog, colours, [dialog](const QColor& colour) {
            dialog->setCurrentColor(colour);
            dialog->accept();
        });
    if (auto* dialog = qobject_cast<QFontDialog*>(&modal))
        return answerPicker(*dialog, fonts, [dialog](const QFont& font) {
            dialog->setCurrentFont(font);
            dialog->accept();
        });
    return Outcome::NotAStandardDialog;
}

QColor colourFromValue(quint32 value) {
    return QColor(static_cast<int>(value & 0xff), static_cast<int>((value >> 8) & 0xff),
                  static_cast<int>((value >> 16) & 0xff));
}

} // namespace sumiplex::driver
