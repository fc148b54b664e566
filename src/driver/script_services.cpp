#include "driver/script_services.h"

namespace sumiplex::driver {

bool ScriptMessageBoxes::question(QWidget*, const QString& text, const QString& title) {
    m_answers.recordMessage(title, text);
    const std::optional<bool> yes = m_answers.takeYesNo();
    if (!yes) {
        m_unanswered.append(QStringLiteral("the question \"%1\"").arg(text));
        return false;
    }
    return *yes;
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

QStringList ScriptMessageBoxes::takeUnanswered() {
    return std::exchange(m_unanswered, {});
}

std::optional<QString> ScriptFileDialogs::getOpenFileName(QWidget*, const QString& title,
                                                          const QString&, int, const QString&) {
    return answer(title);
}

std::optional<QString> ScriptFileDialogs::getSaveFileName(QWidget*, const QString& title,
                                                          const QString& filters, const QString&) {
    std::optional<QString> path = answer(title);
    if (path) {
        path = platform::withDefaultSuffix(*path, platform::filterSuffix(filters, 0));
    }
    return path;
}

std::optional<QString> ScriptFileDialogs::answer(const QString& title) {
    auto path = m_answers.takeFile();
    if (!path) {
        m_unanswered.append(QStringLiteral("the file dialog \"%1\"").arg(title));
        return std::nullopt;
    }
    return *path;
}

QStringList ScriptFileDialogs::takeUnanswered() {
    return std::exchange(m_unanswered, {});
}

std::optional<QColor> ScriptPickerDialogs::getColour(QWidget*, const QString& title,
                                                     const QColor&) {
    auto colour = m_answers.takeColour();
    if (!colour) {
        m_unanswered.append(QStringLiteral("the colour picker \"%1\"").arg(title));
        return std::nullopt;
    }
    return *colour;
}

std::optional<QFont> ScriptPickerDialogs::getFont(QWidget*, const QString& title, const QFont&) {
    auto font = m_answers.takeFont();
    if (!font) {
        m_unanswered.append(QStringLiteral("the font picker \"%1\"").arg(title));
        return std::nullopt;
    }
    return *font;
}

QStringList ScriptPickerDialogs::takeUnanswered() {
    return std::exchange(m_unanswered, {});
}

} // namespace sumiplex::driver
