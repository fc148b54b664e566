#include "platform/dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace sumiplex::platform {

QStringList qtNameFilters(QStringView programFilters) {
    const QStringList parts = programFilters.toString().split(QLatin1Char('|'));
    static const QRegularExpression ownPatterns(QStringLiteral(R"(\s*\([^()]*\)\s*$)"));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(ownPatterns);
        description = description.trimmed();
        QStringList patterns;
        for (const QString& raw : parts[i + 1].split(QLatin1Char(';'))) {
            const QString pattern = raw.trimmed();
            if (pattern.isEmpty()) {
                continue;
            }
            patterns.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (description.isEmpty() && patterns.isEmpty()) {
            continue;
        }
        if (patterns.isEmpty()) {
            patterns.append(QStringLiteral("*"));
        }
        result.append(description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                      QLatin1Char(')'));
    }
    return result;
}

QString filterSuffix(QStringView programFilters, int index) {
    const QStringList parts = programFilters.toString().split(QLatin1Char('|'));
    const qsizetype column = qsizetype(index) * 2 + 1;
    if (index < 0 || column >= parts.size()) {
        return {};
    }
    const QString first = parts[column].split(QLatin1Char(';')).value(0).trimmed();
    static const QRegularExpression single(QStringLiteral(R"(^\*\.([^*?.\[\]]+)$)"));
    const QRegularExpressionMatch match = single.match(first);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    if (suffix.isEmpty() || path.isEmpty()) {
        return path;
    }
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || (name.contains(QLatin1Char('.')) && !name.endsWith(QLatin1Char('.')))) {
        return path;
    }
    return name.endsWith(QLatin1Char('.')) ? path + suffix : path + QLatin1Char('.') + suffix;
}

namespace {

// Given a folder that is not there, the dialog would open in the folder above and offer the
// missing one's name as the file name ("Documents" on a desktop without that folder).
QString existingFolder(const QString& folder) {
    if (folder.isEmpty())
        return folder;
    QDir dir(folder);
    while (!dir.exists() && !dir.isRoot() && dir.cdUp()) {
    }
    return dir.exists() ? dir.absolutePath() : QDir::homePath();
}

} // namespace

std::optional<QString> QtFileDialogs::getOpenFileName(QWidget* parent, const QString& title,
                                                      const QString& filters, int selectedFilter,
                                                      const QString& startFolder) {
    const QStringList entries = qtNameFilters(filters);
    QString selected = selectedFilter >= 0 && selectedFilter < entries.size()
                           ? entries[selectedFilter]
                           : QString();
    const QString path = QFileDialog::getOpenFileName(
        parent, title, existingFolder(startFolder), entries.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> QtFileDialogs::getSaveFileName(QWidget* parent, const QString& title,
                                                      const QString& filters,
                                                      const QString& startFolder,
                                                      const QString& suggestedName) {
    const QStringList entries = qtNameFilters(filters);
    QFileDialog dialog(parent, title, QString(), entries.join(QStringLiteral(";;")));
    if (!startFolder.isEmpty())
        dialog.setDirectory(existingFolder(startFolder));
    dialog.selectFile(suggestedName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog adds the suffix before it asks about overwriting, so the question names
    // the file that is really written.
    dialog.setDefaultSuffix(filterSuffix(filters, 0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &entries, &filters](const QString& entry) {
                         dialog.setDefaultSuffix(
                             filterSuffix(filters, int(entries.indexOf(entry))));
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty()) {
        return std::nullopt;
    }
    // A platform dialog may hand the name back as typed.
    return withDefaultSuffix(path, dialog.defaultSuffix());
}

bool QtMessageBoxes::question(QWidget* parent, const QString& text, const QString& title) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void QtMessageBoxes::information(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox::information(parent, title, text);
}

void QtMessageBoxes::warning(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox::warning(parent, title, text);
}

void QtMessageBoxes::critical(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox::critical(parent, title, text);
}

void QtMessageBoxes::notice(QWidget* parent, const QString& text, const QString& title) {
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("msgNotice"));
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Shown while the user types: the keys must go on reaching the input line. The window
    // manager gives focus to no window that refuses it, so the box is closed with the mouse.
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    box->show();
}

std::optional<QColor> QtPickerDialogs::getColour(QWidget* parent, const QString& title,
                                                 const QColor& initial) {
    const QColor colour = QColorDialog::getColor(initial, parent, title);
    if (!colour.isValid()) {
        return std::nullopt;
    }
    return colour;
}

std::optional<QFont> QtPickerDialogs::getFont(QWidget* parent, const QString& title,
                                              const QFont& initial) {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, initial, parent, title);
    if (!chosen) {
        return std::nullopt;
    }
    return font;
}

std::optional<QString> FakeFileDialogs::answer(Request request) {
    const QString dialog = QStringLiteral("the file dialog \"%1\"").arg(request.title);
    m_requests.push_back(std::move(request));
    // No answer queued cancels.
    return take(queues().files, dialog).value_or(std::nullopt);
}

std::optional<QString> FakeFileDialogs::getOpenFileName(QWidget*, const QString& title,
                                                        const QString& filters, int selectedFilter,
                                                        const QString& startFolder) {
    return answer({Kind::Open, title, filters, selectedFilter, startFolder, QString()});
}

std::optional<QString> FakeFileDialogs::getSaveFileName(QWidget*, const QString& title,
                                                        const QString& filters,
                                                        const QString& startFolder,
                                                        const QString& suggestedName) {
    std::optional<QString> path =
        answer({Kind::Save, title, filters, 0, startFolder, suggestedName});
    if (path) {
        path = withDefaultSuffix(*path, filterSuffix(filters, 0));
    }
    return path;
}

void FakeMessageBoxes::show(Shown shown) {
    m_shown.push_back(std::move(shown));
    if (m_hear)
        m_hear(m_shown.back());
}

bool FakeMessageBoxes::question(QWidget*, const QString& text, const QString& title) {
    // No answer queued answers No.
    const bool yes =
        take(queues().yesNo, QStringLiteral("the question \"%1\"").arg(text)).value_or(false);
    show({MessageIcon::Question, text, title, yes});
    return yes;
}

void FakeMessageBoxes::information(QWidget*, const QString& text, const QString& title) {
    show({MessageIcon::Information, text, title, std::nullopt});
}

void FakeMessageBoxes::warning(QWidget*, const QString& text, const QString& title) {
    show({MessageIcon::Warning, text, title, std::nullopt});
}

void FakeMessageBoxes::critical(QWidget*, const QString& text, const QString& title) {
    show({MessageIcon::Critical, text, title, std::nullopt});
}

void FakeMessageBoxes::notice(QWidget*, const QString& text, const QString& title) {
    show({MessageIcon::Warning, text, title, std::nullopt, true});
}

std::optional<QColor> FakePickerDialogs::getColour(QWidget*, const QString& title,
                                                   const QColor& initial) {
    m_requests.push_back({title, initial, QFont()});
    return take(queues().colours, QStringLiteral("the colour picker \"%1\"").arg(title))
        .value_or(std::nullopt);
}

std::optional<QFont> FakePickerDialogs::getFont(QWidget*, const QString& title,
                                                const QFont& initial) {
    m_requests.push_back({title, QColor(), initial});
    return take(queues().fonts, QStringLiteral("the font picker \"%1\"").arg(title))
        .value_or(std::nullopt);
}

} // namespace sumiplex::platform
