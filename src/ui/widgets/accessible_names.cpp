#include "ui/widgets/accessible_names.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <QtDebug>

namespace sumiplex::ui {

namespace {

QWidget* findControl(QWidget& window, const AccessibleText& entry) {
    const QString objectName = QString::fromLatin1(entry.objectName);
    QWidget* control =
        window.objectName() == objectName ? &window : window.findChild<QWidget*>(objectName);
    if (!control)
        qWarning("accessible text for a missing control: %s", entry.objectName);
    return control;
}

} // namespace

void describeForScreenReaders(QWidget& window, std::initializer_list<AccessibleText> table) {
    for (const AccessibleText& entry : table) {
        QWidget* control = findControl(window, entry);
        if (!control)
            continue;
        QString description = QString::fromUtf8(entry.name);
        if (entry.description)
            description += QStringLiteral("。") + QString::fromUtf8(entry.description);
        control->setAccessibleDescription(description);
    }
}

void nameForScreenReaders(QWidget& window, std::initializer_list<AccessibleText> table) {
    for (const AccessibleText& entry : table) {
        QWidget* control = findControl(window, entry);
        if (!control)
            continue;
        // An editable combo box's text box is a control of its own to a screen reader.
        auto* combo = qobject_cast<QComboBox*>(control);
        for (QWidget* named :
             {control, static_cast<QWidget*>(combo ? combo->lineEdit() : nullptr)}) {
            if (!named)
                continue;
            named->setAccessibleName(QString::fromUtf8(entry.name));
            if (entry.description)
                named->setAccessibleDescription(QString::fromUtf8(entry.description));
        }
    }
}

void announceCaption(QWidget& widget, const QString& role, const QString& caption) {
    const QString spoken =
        caption.trimmed().isEmpty() ? role : role + QLatin1Char(' ') + caption.simplified();
    if (widget.accessibleName() == spoken)
        return;
    // setAccessibleName sends the name-change event itself; a screen reader that follows the
    // control reads the new figure from it.
    widget.setAccessibleName(spoken);
}

} // namespace sumiplex::ui
