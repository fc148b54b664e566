// The print command: what a script's references read, from windows, controls and the fakes.

#include "core/engine/tape.h"
#include "driver/json.h"
#include "driver/printed.h"
#include "driver/properties.h"
#include "driver/runner.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip3.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace sumiplex::driver {

Failure ScriptRunner::print(const QString& ref) {
    QString error;
    auto value = special(ref, error);
    if (!value && error.isEmpty())
        value = readReference(ref, error);
    if (!value)
        return error;
    // The private folder's name changes with every run; scripts know it as {tmp}.
    if (m_tempFolder.isValid())
        value->replace(m_tempFolder.path(), QStringLiteral("{tmp}"));
    // So is the checkout's place; scripts see their own folder as {script}.
    value->replace(m_scriptFolder.absolutePath(), QStringLiteral("{script}"));
    const QByteArray line = ref.toUtf8() + " = " + jsonQuote(*value) + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), m_out);
    return std::nullopt;
}

std::optional<QString> ScriptRunner::special(const QString& ref, QString& error) {
    if (ref == u"tape" || ref == u"tape.new") {
        if (!m_main) {
            error = QStringLiteral("frmMain is not open");
            return std::nullopt;
        }
        const QString tape = QStringView(m_main->tape().text()).toString();
        // tape.new is what was appended since the tape was last printed. A tape that no
        // longer starts with what was seen then was rewritten, and is printed whole.
        const bool appended = tape.startsWith(m_tapeSeen);
        const QString piece = ref == u"tape" || !appended ? tape : tape.mid(m_tapeSeen.size());
        m_tapeSeen = tape;
        return piece;
    }
    if (ref == u"messages")
        return m_answers.messages();
    if (ref == u"clipboard")
        return QApplication::clipboard()->text();
    if (ref == u"clipboard.tsv") {
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        return mime ? QString::fromUtf8(mime->data(QStringLiteral("text/tab-separated-values")))
                    : QString();
    }
    if (ref == u"filedialog") {
        // The title, the folder it opens in and the name it offers (none for opening).
        const auto& asked = m_fileDialogs.requests();
        if (asked.empty())
            return QString();
        return asked.back().title + u'\t' + asked.back().startFolder + u'\t' +
               asked.back().suggestedName;
    }
    if (ref == u"printed") {
        // What was printed since the last look: page set-ups first, then the documents.
        QString out;
        const QStringList& setups = m_printing.pageSetupTitles();
        for (qsizetype i = m_pageSetupsSeen; i < setups.size(); ++i)
            out += QStringLiteral("page setup: ") + setups[i] + u'\n';
        m_pageSetupsSeen = setups.size();
        const auto& documents = m_printing.documents();
        for (std::size_t i = m_documentsSeen; i < documents.size(); ++i)
            out += describeDocument(documents[i]);
        m_documentsSeen = documents.size();
        return out;
    }
    if (ref == u"urls") {
        QString all;
        for (const QUrl& url : m_shell.openedUrls())
            all += url.toString() + u'\n';
        return all;
    }
    if (ref == u"memo") {
        if (!m_main) {
            error = QStringLiteral("frmMain is not open");
            return std::nullopt;
        }
        // The memo as the program keeps and saves it: lines ended by CR LF.
        return m_main->memoPad().memoText();
    }
    if (ref.startsWith(u"file ")) {
        QFile file(resolvePath(ref.mid(5)));
        if (!file.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read %1").arg(ref.mid(5));
            return std::nullopt;
        }
        return QString::fromUtf8(file.readAll());
    }
    if (ref.startsWith(u"setting ")) {
        return m_settings.read(QStringView(ref).mid(8), QString());
    }
    return std::nullopt;
}

std::optional<QString> ScriptRunner::readReference(const QString& ref, QString& error) const {
    const auto parts = ref.split(u'.');
    if (parts.size() > 3 || parts.contains(QString())) {
        error = QStringLiteral("a reference is WINDOW, WINDOW.CONTROL or WINDOW.CONTROL.PROPERTY");
        return std::nullopt;
    }
    QWidget* w = window(parts[0], error);
    if (!w)
        return std::nullopt;
    const QObject* object = w;
    QString property = QStringLiteral("text");
    if (parts.size() == 2) {
        QString ignored;
        if (const QObject* child = named(ref, ignored))
            object = child;
        else if (isPropertyName(parts[1]))
            property = parts[1];
        else
            object = named(ref, error);
    } else if (parts.size() == 3) {
        object = named(parts[0] + u'.' + parts[1], error);
        property = parts[2];
    }
    if (!object)
        return std::nullopt;
    auto value = readProperty(*object, property);
    if (!value.value)
        error = value.error;
    return value.value;
}

} // namespace sumiplex::driver
