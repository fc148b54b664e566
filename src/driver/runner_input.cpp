#include "driver/input.h"
#include "driver/runner.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimerEvent>
#include <QUrl>

namespace sumiplex::driver {

namespace {

/// A user reaches only controls that are shown and enabled; anything else ignores them.
bool reachable(const QWidget& w) {
    return w.isVisible() && w.isEnabled();
}

void focusControl(QWidget& w) {
    activateWindow(*w.window());
    w.setFocus(Qt::OtherFocusReason);
}

/// The row of an item given by its text or as #N (0-based).
std::optional<int> rowOf(const QAbstractItemModel& model, const QString& item) {
    if (item.startsWith(u'#')) {
        bool ok = false;
        const int row = item.mid(1).toInt(&ok);
        if (ok && row >= 0 && row < model.rowCount())
            return row;
        return std::nullopt;
    }
    for (int r = 0; r < model.rowCount(); ++r)
        if (model.index(r, 0).data(Qt::DisplayRole).toString() == item)
            return r;
    return std::nullopt;
}

// Keys for the control `w` (found, or nothing with `error`), focused as a user would focus it
// before typing; a control the user cannot reach takes no keys.
template <typename Keys> Failure intoFocused(QWidget* w, const QString& error, Keys keys) {
    if (!w)
        return error;
    if (!reachable(*w))
        return std::nullopt;
    focusControl(*w);
    keys(*w);
    return std::nullopt;
}

} // namespace

Failure ScriptRunner::typeText(const QString& ref, const QString& text) {
    QString error;
    return intoFocused(control(ref, error), error, [&](QWidget& target) {
        QPointer<QWidget> fallback = &target;
        for (const char32_t ch : text.toUcs4()) {
            if (!fallback)
                break;
            pressAndRelease(*fallback, keyStrokeForCharacter(ch));
        }
    });
}

Failure ScriptRunner::pasteText(const QString& ref, const QString& text) {
    QString error;
    return intoFocused(control(ref, error), error, [&](QWidget& target) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&target, Qt::Key_V, Qt::ControlModifier);
    });
}

Failure ScriptRunner::dropFile(const QString& windowName, const QString& path) {
    QString error;
    QWidget* w = window(windowName, error);
    if (!w)
        return error;
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPointF centre = QRectF(w->rect()).center();
    QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    if (!enter.isAccepted())
        return QStringLiteral("%1 takes no dropped file").arg(windowName);
    QDropEvent drop(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    return std::nullopt;
}

Failure ScriptRunner::pressKey(const QString& ref, const QString& keyName) {
    QString error;
    QWidget* w = control(ref, error);
    if (!w)
        return error;
    const auto key = keyStrokeFor(keyName);
    if (!key)
        return QStringLiteral("unknown key %1").arg(keyName);
    if (!reachable(*w))
        return std::nullopt;
    focusControl(*w);
    pressAndRelease(*w, *key);
    return std::nullopt;
}

Failure ScriptRunner::setText(const QString& ref, const QString& text) {
    QString error;
    QWidget* w = control(ref, error);
    if (!w)
        return error;
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
    else if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        e->setPlainText(text);
    else if (auto* e = qobject_cast<QTextEdit*>(w))
        e->setPlainText(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* c = qobject_cast<QComboBox*>(w); c && c->isEditable())
        c->setEditText(text);
    else
        return QStringLiteral("%1 has no text to set").arg(ref);
    return std::nullopt;
}

Failure ScriptRunner::mouse(Verb verb, const QString& ref) {
    QString error;
    QWidget* w = control(ref, error);
    if (!w)
        return error;
    if (!reachable(*w))
        return std::nullopt;
    activateWindow(*w->window());
    if (verb == Verb::Click)
        clickWidget(*w, Qt::LeftButton);
    else if (verb == Verb::DClick)
        doubleClickWidget(*w);
    else
        rightClickWidget(*w);
    // A popup menu the click opened without blocking would swallow the next line's input.
    closePopups(w->window());
    return std::nullopt;
}

Failure ScriptRunner::menu(const QString& ref) {
    QString error;
    auto* action = namedAs<QAction>(ref, "a menu item", error);
    if (!action)
        return error;
    if (!action->isEnabled())
        return std::nullopt;
    // A user picks a menu item in the window that is active; a popup closed by an earlier
    // line may have left no window active.
    if (QWidget* w = window(ref.left(ref.indexOf(u'.')), error); w && w->isVisible())
        activateWindow(*w);
    action->trigger();
    return std::nullopt;
}

Failure ScriptRunner::select(const QString& ref, const QString& item) {
    QString error;
    QWidget* w = control(ref, error);
    if (!w)
        return error;
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        const auto row = combo->model() ? rowOf(*combo->model(), item) : std::nullopt;
        if (!row)
            return QStringLiteral("%1 has no item %2").arg(ref, item);
        if (!reachable(*combo))
            return std::nullopt;
        combo->setCurrentIndex(*row);
        // A user's choice also raises the activation signals a program-set index does not.
        QMetaObject::invokeMethod(combo, "activated", Q_ARG(int, *row));
        QMetaObject::invokeMethod(combo, "textActivated", Q_ARG(QString, combo->currentText()));
        return std::nullopt;
    }
    if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
        const auto row = view->model() ? rowOf(*view->model(), item) : std::nullopt;
        if (!row)
            return QStringLiteral("%1 has no item %2").arg(ref, item);
        if (!reachable(*view))
            return std::nullopt;
        const QModelIndex index = view->model()->index(*row, 0);
        view->scrollTo(index);
        activateWindow(*view->window());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(index).center());
        return std::nullopt;
    }
    return QStringLiteral("%1 is not a list").arg(ref);
}

Failure ScriptRunner::editCell(const QString& ref, const QString& cell) {
    QString error;
    auto* view = namedAs<QAbstractItemView>(ref, "a grid", error);
    if (!view)
        return error;
    const QStringList parts = cell.split(u' ');
    const int row = parts[0].toInt();
    const int column = parts[1].toInt();
    const QString text = cell.section(u' ', 2);
    QAbstractItemModel* model = view->model();
    if (!model || row >= model->rowCount() || column >= model->columnCount())
        return QStringLiteral("%1 has no cell %2 %3").arg(ref).arg(row).arg(column);
    if (!reachable(*view))
        return std::nullopt;
    const QModelIndex index = model->index(row, column);
    activateWindow(*view->window());
    view->setFocus(Qt::OtherFocusReason);
    view->scrollTo(index);
    view->setCurrentIndex(index);
    if (!(model->flags(index) & Qt::ItemIsEditable))
        return QStringLiteral("%1: cell %2 %3 cannot be edited").arg(ref).arg(row).arg(column);
    view->edit(index);
    QWidget* editor = QApplication::focusWidget();
    if (!editor || editor == view)
        return QStringLiteral("%1: cell %2 %3 opened no editor").arg(ref).arg(row).arg(column);
    // The editor starts with the cell's text; typing replaces it as a fresh entry does.
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->selectAll();
    QPointer<QWidget> target = editor;
    for (const char32_t ch : text.toUcs4()) {
        if (!target)
            break;
        pressAndRelease(*target, keyStrokeForCharacter(ch));
    }
    if (target)
        pressAndRelease(*target, *keyStrokeFor(QStringLiteral("Enter")));
    return std::nullopt;
}

Failure ScriptRunner::tapeLine(const QString& number) {
    if (!m_main)
        return QStringLiteral("frmMain is not open");
    ui::frmTip2& history = m_main->historyWindow();
    const std::optional<int> position = history.positionOfLine(number.toULongLong());
    if (!position)
        return QStringLiteral("the history window has no line %1").arg(number);
    QPlainTextEdit& text = history.text();
    if (!reachable(text))
        return std::nullopt;
    // Focused first: the window's activation puts the caret at the end of the tape.
    focusControl(text);
    QTextCursor caret = text.textCursor();
    caret.setPosition(*position);
    text.setTextCursor(caret);
    pressAndRelease(text, KeyStroke{Qt::Key_Menu, QString()});
    // The menu stays as the user left it (its items set for the line), only closed, so the
    // next line can pick one of its items by name.
    closePopups(&history);
    return std::nullopt;
}

Failure ScriptRunner::setDate(const QString& ref, const QString& date) {
    QString error;
    QWidget* w = control(ref, error);
    if (!w)
        return error;
    const QDate d = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    if (auto* edit = qobject_cast<QDateTimeEdit*>(w))
        edit->setDate(d);
    else if (auto* calendar = qobject_cast<QCalendarWidget*>(w)) {
        calendar->setSelectedDate(d);
        QMetaObject::invokeMethod(calendar, "clicked", Q_ARG(QDate, d));
    } else
        return QStringLiteral("%1 is not a date picker").arg(ref);
    return std::nullopt;
}

Failure ScriptRunner::setTime(const QString& ref, const QString& time) {
    QString error;
    auto* edit = namedAs<QDateTimeEdit>(ref, "a time picker", error);
    if (!edit)
        return error;
    edit->setTime(QTime::fromString(time, QStringLiteral("HH:mm:ss")));
    return std::nullopt;
}

Failure ScriptRunner::fire(const QString& ref) {
    QString error;
    auto* timer = namedAs<QTimer>(ref, "a timer", error);
    if (!timer)
        return error;
    if (!timer->isActive())
        return std::nullopt; // a stopped timer does not tick
    QTimerEvent tick(timer->timerId());
    m_firingTimer = true;
    QCoreApplication::sendEvent(timer, &tick);
    m_firingTimer = false;
    return std::nullopt;
}

Failure ScriptRunner::queueAnswer(const Command& c) {
    const QString& a = c.argument;
    switch (c.verb) {
    case Verb::Answer:
        m_answers.yesNo.push(a == u"yes");
        break;
    case Verb::File:
        if (a == u"cancel")
            m_answers.files.push(std::nullopt);
        else
            m_answers.files.push(resolvePath(a));
        break;
    case Verb::Colour:
        if (a == u"cancel")
            m_answers.colours.push(std::nullopt);
        else
            m_answers.colours.push(colourFromValue(static_cast<quint32>(a.toLongLong())));
        break;
    case Verb::Font: {
        if (a == u"cancel") {
            m_answers.fonts.push(std::nullopt);
            break;
        }
        auto parts = a.split(u' ');
        const bool italic = parts.takeLast() == u"1";
        const bool bold = parts.takeLast() == u"1";
        const double size = parts.takeLast().toDouble();
        QFont font(parts.join(u' '));
        font.setPointSizeF(size);
        font.setBold(bold);
        font.setItalic(italic);
        m_answers.fonts.push(font);
        break;
    }
    default:
        break;
    }
    return std::nullopt;
}

} // namespace sumiplex::driver
