#include "driver/properties.h"

#include "platform/twips_geometry.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTableView>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cmath>

namespace sumiplex::driver {

namespace {

constexpr std::array<QStringView, 17> kProperties{
    u"text",       u"enabled", u"visible",  u"checked", u"caret",  u"selection",
    u"focus",      u"font",    u"fontsize", u"bold",    u"italic", u"colour",
    u"background", u"left",    u"top",      u"width",   u"height"};

QString boolText(bool b) {
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

PropertyValue ok(QString value) {
    return {std::move(value), {}};
}

PropertyValue notApplicable(const QObject& object, QStringView property) {
    return {std::nullopt, QStringLiteral("%1 has no property %2 (it is a %3)")
                              .arg(object.objectName(), property.toString(),
                                   QString::fromLatin1(object.metaObject()->className()))};
}

/// Rows of a list or grid: cells joined by tab, rows by newline.
QString itemViewText(const QAbstractItemView& view) {
    const QAbstractItemModel* model = view.model();
    if (!model)
        return {};
    QStringList rows;
    // A grid's header row comes first.
    if (auto* grid = qobject_cast<const QTableView*>(&view);
        grid && !grid->horizontalHeader()->isHidden()) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells.append(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        rows.append(cells.join(u'\t'));
    }
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells.append(model->index(r, c).data(Qt::DisplayRole).toString());
        rows.append(cells.join(u'\t'));
    }
    return rows.join(u'\n');
}

std::optional<QString> widgetText(const QWidget& w) {
    if (w.isWindow() && !qobject_cast<const QMenu*>(&w))
        return w.windowTitle();
    if (auto* e = qobject_cast<const QLineEdit*>(&w))
        return e->text();
    if (auto* e = qobject_cast<const QPlainTextEdit*>(&w))
        return e->toPlainText();
    if (auto* e = qobject_cast<const QTextEdit*>(&w))
        return e->toPlainText();
    if (auto* l = qobject_cast<const QLabel*>(&w))
        return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(&w))
        return b->text();
    if (auto* c = qobject_cast<const QComboBox*>(&w))
        return c->currentText();
    if (auto* t = qobject_cast<const QTimeEdit*>(&w))
        return t->time().toString(QStringLiteral("HH:mm:ss"));
    if (auto* d = qobject_cast<const QDateEdit*>(&w))
        return d->date().toString(QStringLiteral("yyyy-MM-dd"));
    if (auto* dt = qobject_cast<const QDateTimeEdit*>(&w))
        return dt->dateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (auto* s = qobject_cast<const QAbstractSpinBox*>(&w))
        return s->text();
    if (auto* cal = qobject_cast<const QCalendarWidget*>(&w))
        return cal->selectedDate().toString(QStringLiteral("yyyy-MM-dd"));
    if (auto* v = qobject_cast<const QAbstractItemView*>(&w))
        return itemViewText(*v);
    if (auto* g = qobject_cast<const QGroupBox*>(&w))
        return g->title();
    if (auto* m = qobject_cast<const QMenu*>(&w))
        return m->title();
    if (auto* s = qobject_cast<const QStatusBar*>(&w))
        return s->currentMessage();
    return std::nullopt;
}

/// The caret and the selection (start, length) of a text box.
std::optional<std::pair<int, int>> selectionOf(const QWidget& w) {
    if (auto* e = qobject_cast<const QLineEdit*>(&w)) {
        if (!e->hasSelectedText())
            return std::pair{e->cursorPosition(), 0};
        return std::pair{e->selectionStart(), static_cast<int>(e->selectedText().size())};
    }
    const QTextCursor* cursor = nullptr;
    QTextCursor c;
    if (auto* e = qobject_cast<const QPlainTextEdit*>(&w)) {
        c = e->textCursor();
        cursor = &c;
    } else if (auto* e = qobject_cast<const QTextEdit*>(&w)) {
        c = e->textCursor();
        cursor = &c;
    }
    if (!cursor)
        return std::nullopt;
    return std::pair{cursor->selectionStart(), cursor->selectionEnd() - cursor->selectionStart()};
}

std::optional<int> caretOf(const QWidget& w) {
    if (auto* e = qobject_cast<const QLineEdit*>(&w))
        return e->cursorPosition();
    if (auto* e = qobject_cast<const QPlainTextEdit*>(&w))
        return e->textCursor().position();
    if (auto* e = qobject_cast<const QTextEdit*>(&w))
        return e->textCursor().position();
    return std::nullopt;
}

std::optional<bool> checkedOf(const QWidget& w) {
    if (auto* b = qobject_cast<const QAbstractButton*>(&w))
        return b->isChecked();
    if (auto* g = qobject_cast<const QGroupBox*>(&w))
        return g->isChecked();
    return std::nullopt;
}

QString colourValue(const QColor& c) {
    const quint32 value = static_cast<quint32>(c.red()) | (static_cast<quint32>(c.green()) << 8) |
                          (static_cast<quint32>(c.blue()) << 16);
    return QString::number(value);
}

QString fontSizeText(const QWidget& w) {
    const QFont& f = w.font();
    double points = f.pointSizeF();
    if (points <= 0)
        points = f.pixelSize() * 72.0 / w.logicalDpiY();
    return QString::number(points, 'g', 6);
}

PropertyValue geometryProperty(const QWidget& w, QStringView p) {
    // A window's position is where its frame is and its size is the size the program
    // gives it (the frame around it belongs to the window manager); a control is measured
    // within its parent. What the program set in twips reads back as those twips.
    const QRect r = w.isWindow() ? QRect(w.pos(), w.size()) : w.geometry();
    const auto twips = [&w](platform::TwipsEdge edge, int pixels, int dpi) {
        return ok(QString::number(std::lround(platform::twipsOf(w, edge, pixels, dpi))));
    };
    if (p == u"left")
        return twips(platform::TwipsEdge::Left, r.x(), w.logicalDpiX());
    if (p == u"top")
        return twips(platform::TwipsEdge::Top, r.y(), w.logicalDpiY());
    if (p == u"width")
        return twips(platform::TwipsEdge::Width, r.width(), w.logicalDpiX());
    return twips(platform::TwipsEdge::Height, r.height(), w.logicalDpiY());
}

PropertyValue widgetProperty(const QWidget& w, QStringView p) {
    if (p == u"text") {
        if (auto t = widgetText(w))
            return ok(*t);
        return notApplicable(w, p);
    }
    if (p == u"enabled")
        return ok(boolText(w.isEnabled()));
    if (p == u"visible") {
        if (w.isWindow())
            return ok(boolText(w.isVisible()));
        return ok(boolText(w.isVisibleTo(w.window())));
    }
    if (p == u"checked") {
        if (auto c = checkedOf(w))
            return ok(boolText(*c));
        return notApplicable(w, p);
    }
    if (p == u"caret") {
        if (auto c = caretOf(w))
            return ok(QString::number(*c));
        return notApplicable(w, p);
    }
    if (p == u"selection") {
        if (auto s = selectionOf(w))
            return ok(QStringLiteral("%1,%2").arg(s->first).arg(s->second));
        return notApplicable(w, p);
    }
    if (p == u"focus") {
        if (w.isWindow())
            return ok(boolText(w.isActiveWindow()));
        return ok(boolText(QApplication::focusWidget() == &w));
    }
    if (p == u"font")
        return ok(w.font().family());
    if (p == u"fontsize")
        return ok(fontSizeText(w));
    if (p == u"bold")
        return ok(boolText(w.font().bold()));
    if (p == u"italic")
        return ok(boolText(w.font().italic()));
    if (p == u"colour")
        return ok(colourValue(w.palette().color(w.foregroundRole())));
    if (p == u"background")
        return ok(colourValue(w.palette().color(w.backgroundRole())));
    return geometryProperty(w, p);
}

PropertyValue actionProperty(const QAction& a, QStringView p) {
    if (p == u"text")
        return ok(a.text());
    if (p == u"enabled")
        return ok(boolText(a.isEnabled()));
    if (p == u"visible")
        return ok(boolText(a.isVisible()));
    if (p == u"checked")
        return ok(boolText(a.isChecked()));
    return notApplicable(a, p);
}

PropertyValue timerProperty(const QTimer& t, QStringView p) {
    if (p == u"enabled")
        return ok(boolText(t.isActive()));
    return notApplicable(t, p);
}

} // namespace

bool isPropertyName(QStringView word) {
    for (const auto p : kProperties)
        if (p == word)
            return true;
    return false;
}

PropertyValue readProperty(const QObject& object, QStringView property) {
    if (!isPropertyName(property))
        return {std::nullopt, QStringLiteral("unknown property %1").arg(property.toString())};
    if (auto* w = qobject_cast<const QWidget*>(&object))
        return widgetProperty(*w, property);
    if (auto* a = qobject_cast<const QAction*>(&object))
        return actionProperty(*a, property);
    if (auto* t = qobject_cast<const QTimer*>(&object))
        return timerProperty(*t, property);
    return notApplicable(object, property);
}

int pixelsToTwips(int pixels, int dotsPerInch) {
    if (dotsPerInch <= 0)
        return 0;
    return static_cast<int>(std::lround(pixels * 1440.0 / dotsPerInch));
}

} // namespace sumiplex::driver
