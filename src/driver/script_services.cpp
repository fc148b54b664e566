#include "driver/script_services.h"

namespace sumiplex::driver {

bool ScriptMessageBoxes::question(QWidget*, const QString& text, const QString& title) {
    m_answers.recordMessage(title, text);
    return take(m_answers.yesNo, QStringLiteral("the question \"%1\"").arg(text)).value_or(false);
}

void ScriptMessageBoxes::information(QWidget*, const QString& text, const QString& title) {
    m_answers.recordMessage(title, text);
}

void ScriptMessageBoxes::warning(QWidget*, const QString& text, const QString& title) {
    m_answers.recordMessage(title, text);
}

void ScriptMessageBoxes::critical(QWidget*, const QString& text, const QString& title) {
    m_answers.recordMessage(title, text);
}

void ScriptMessageBoxes::notice(QWidget*, const QString& text, const QString& title) {
    m_answers.recordMessage(title, text);
}

std::optional<QString> ScriptFileDialogs::getOpenFileName(QWidget*, const QString& title,
                                                          const QString&, int,
                                                          const QString& startFolder) {
    m_lastAsked = title + u'\t' + startFolder + u'\t';
    return answer(title);
}

std::optional<QString> ScriptFileDialogs::getSaveFileName(QWidget*, const QString& title,
                                                          const QString& filters,
                                                          const QString& startFolder,
                                                          const QString& suggestedName) {
    m_lastAsked = title + u'\t' + startFolder + u'\t' + suggestedName;
    std::optional<QString> path = answer(title);
    if (path) {
        path = platform::withDefaultSuffix(*path, platform::filterSuffix(filters, 0));
    }
    return path;
}

std::optional<QString> ScriptFileDialogs::answer(const QString& title) {
    return take(m_answers.files, QStringLiteral("the file dialog \"%1\"").arg(title))
        .value_or(std::nullopt);
}

std::optional<QColor> ScriptPickerDialogs::getColour(QWidget*, const QString& title,
                                                     const QColor&) {
    return take(m_answers.colours, QStringLiteral("the colour picker \"%1\"").arg(title))
        .value_or(std::nullopt);
}

std::optional<QFont> ScriptPickerDialogs::getFont(QWidget*, const QString& title, const QFont&) {
    return take(m_answers.fonts, QStringLiteral("the font picker \"%1\"").arg(title))
        .value_or(std::nullopt);
}

} // namespace sumiplex::driver
