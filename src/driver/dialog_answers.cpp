#include "driver/dialog_answers.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

namespace sumiplex::driver {

void DialogAnswers::recordShown(QMessageBox& box) {
    if (m_seen.contains(&box))
        return;
    m_seen.append(&box);
    m_messages.append(box.windowTitle() + u'\t' + box.text());
}

void DialogAnswers::recordMessage(const QString& title, const QString& text) {
    m_messages.append(title + u'\t' + text);
}

std::optional<bool> DialogAnswers::takeYesNo() {
    if (m_yesNo.empty())
        return std::nullopt;
    const bool yes = m_yesNo.front();
    m_yesNo.pop();
    return yes;
}

std::optional<std::optional<QString>> DialogAnswers::takeFile() {
    if (m_files.empty())
        return std::nullopt;
    auto path = m_files.front();
    m_files.pop();
    return path;
}

std::optional<std::optional<QColor>> DialogAnswers::takeColour() {
    if (m_colours.empty())
        return std::nullopt;
    auto colour = m_colours.front();
    m_colours.pop();
    return colour;
}

std::optional<std::optional<QFont>> DialogAnswers::takeFont() {
    if (m_fonts.empty())
        return std::nullopt;
    auto font = m_fonts.front();
    m_fonts.pop();
    return font;
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
        if (m_yesNo.empty())
            return Outcome::NoAnswer;
        button = box.button(m_yesNo.front() ? QMessageBox::Yes : QMessageBox::No);
        m_yesNo.pop();
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
    if (auto* files = qobject_cast<QFileDialog*>(&modal)) {
        if (m_files.empty())
            return Outcome::NoAnswer;
        const auto path = m_files.front();
        m_files.pop();
        if (!path) {
            files->reject();
            return Outcome::Answered;
        }
        files->selectFile(*path);
        // The dialog's own button, so its checks (overwrite, existence) run as for a user.
        QMetaObject::invokeMethod(files, "accept");
        return Outcome::Answered;
    }
    if (auto* colours = qobject_cast<QColorDialog*>(&modal)) {
        if (m_colours.empty())
            return Outcome::NoAnswer;
        const auto colour = m_colours.front();
        m_colours.pop();
        if (!colour) {
            colours->reject();
            return Outcome::Answered;
        }
        colours->setCurrentColor(*colour);
        colours->accept();
        return Outcome::Answered;
    }
    if (auto* fonts = qobject_cast<QFontDialog*>(&modal)) {
        if (m_fonts.empty())
            return Outcome::NoAnswer;
        const auto font = m_fonts.front();
        m_fonts.pop();
        if (!font) {
            fonts->reject();
            return Outcome::Answered;
        }
        fonts->setCurrentFont(*font);
        fonts->accept();
        return Outcome::Answered;
    }
    return Outcome::NotAStandardDialog;
}

QColor colourFromValue(quint32 value) {
    return QColor(static_cast<int>(value & 0xff), static_cast<int>((value >> 8) & 0xff),
                  static_cast<int>((value >> 16) & 0xff));
}

} // namespace sumiplex::driver
