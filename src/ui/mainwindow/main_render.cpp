// Carrying the engine's view into the widgets.

#include "ui/mainwindow/main_render.h"

#include "core/engine/engine.h"
#include "core/engine/registers.h"
#include "platform/twips_geometry.h"
#include "ui/mainwindow/main_controls.h"
#include "ui/mainwindow/main_menus.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/clickable_label.h"
#include "ui/widgets/text_list_model.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace sumiplex::ui {

namespace {

using sumiplex::engine::FocusTarget;
using sumiplex::engine::View;

// Compared in place: most renders change nothing, and a keystroke should not pay for a
// copy of every caption.
bool sameText(const QString& shown, const std::u16string& text) {
    return QStringView(shown) == QStringView(text.data(), static_cast<qsizetype>(text.size()));
}

/// Returns true when the text had to be replaced.
bool setTextIfChanged(QLabel* label, const std::u16string& text) {
    if (sameText(label->text(), text))
        return false;
    label->setText(QString::fromStdU16String(text));
    return true;
}

/// Returns true when the text had to be replaced.
bool setTextIfChanged(QLineEdit* edit, const std::u16string& text) {
    if (sameText(edit->text(), text))
        return false;
    const QSignalBlocker blocker(edit);
    edit->setText(QString::fromStdU16String(text));
    return true;
}

void setCaret(QLineEdit* edit, int start, int length) {
    const QSignalBlocker blocker(edit);
    const int size = static_cast<int>(edit->text().size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (length > 0)
        edit->setSelection(start, length);
    else
        edit->setCursorPosition(start);
}

void setFamily(QWidget* widget, const std::u16string& family) {
    if (sameText(widget->font().family(), family))
        return;
    QFont font = widget->font();
    font.setFamily(QString::fromStdU16String(family));
    widget->setFont(font);
}

void setShown(QWidget* widget, bool shown) {
    if (widget->isHidden() == shown)
        widget->setVisible(shown);
}

} // namespace

MainRender::MainRender(QWidget& window, MainControls& ui, MainMenus& menus)
    : m_window(window), m_ui(ui), m_menus(menus) {}

void MainRender::show(const View& view, const engine::Registers& registers,
                      const engine::Requests& requests) {
    showCaptions(view);
    showFlags(view);
    showInputLine(view, requests.focus == FocusTarget::Text1);
    showBoxes(view, requests.focus);
    m_ui.list1Model->sync();
    m_ui.list3Model->sync();
    showRegisters(registers);
    m_shown = {view.input.selStart, view.input.selLength, view.rate.caret, view.place.caret};
    carryOut(requests);
}

void MainRender::showCaptions(const View& view) {
    // A screen reader hears each figure after what it is; only a changed figure is sent.
    const bool first = !m_captionsAnnounced;
    m_captionsAnnounced = true;
    if (setTextIfChanged(m_ui.Label1, view.total.caption) || first)
        announceCaption(*m_ui.Label1, QStringLiteral("合計"), m_ui.Label1->text());
    setFamily(m_ui.Label1, view.total.fontName);
    if (setTextIfChanged(m_ui.Label2, view.tax.added) || first)
        announceCaption(*m_ui.Label2, QStringLiteral("税込み"), m_ui.Label2->text());
    if (setTextIfChanged(m_ui.Label3, view.tax.contained) || first)
        announceCaption(*m_ui.Label3, QStringLiteral("税抜き本体"), m_ui.Label3->text());
    setTextIfChanged(m_ui.Label5, view.currencyMark);
    if (setTextIfChanged(m_ui.Label7, view.reading) || first)
        announceCaption(*m_ui.Label7, QStringLiteral("四桁表示"), m_ui.Label7->text());
    setTextIfChanged(m_ui.sbPanel1, view.status.line);
    setTextIfChanged(m_ui.sbPanel2, view.status.rate);
    setTextIfChanged(m_ui.txtTime, view.clock.text);
    setTextIfChanged(m_ui.Text4, view.totalCopy);
}

void MainRender::showFlags(const View& view) {
    m_ui.Command2->setEnabled(view.buttons.memo);
    m_ui.Command4->setEnabled(view.buttons.back);
    m_ui.Command5->setEnabled(view.buttons.forward);
    m_ui.Command3->setEnabled(view.buttons.history);
    m_ui.Command6->setEnabled(view.buttons.yen);
    m_ui.Command7->setEnabled(view.buttons.dollar);
    m_menus.render(view);
    setShown(m_ui.Label2, view.tax.visible);
    setShown(m_ui.Label3, view.tax.visible);
    setShown(m_ui.txtTime, view.clock.visible);
    setShown(m_ui.Text2, view.rate.visible);
    setShown(m_ui.Label4, view.place.visible);
    setShown(m_ui.Text3, view.place.visible);
}

void MainRender::showInputLine(const View& view, bool focusText1) {
    setFamily(m_ui.Text1, view.input.fontName);
    if (m_ui.Text1->font().bold() != view.input.bold) {
        QFont font = m_ui.Text1->font();
        font.setBold(view.input.bold);
        m_ui.Text1->setFont(font);
    }
    const bool replaced = setTextIfChanged(m_ui.Text1, view.input.text);
    // A caret the user moved with the mouse or the arrow keys stays where it is unless the
    // engine placed one itself.
    const bool moved = view.input.selStart != m_shown.text1SelStart ||
                       view.input.selLength != m_shown.text1SelLength;
    if (replaced || moved || focusText1)
        setCaret(m_ui.Text1, view.input.selStart, view.input.selLength);
}

void MainRender::showBoxes(const View& view, FocusTarget focus) {
    const bool text2Replaced = setTextIfChanged(m_ui.Text2, view.rate.text);
    if (text2Replaced || view.rate.caret != m_shown.text2Caret || focus == FocusTarget::Text2)
        setCaret(m_ui.Text2, view.rate.caret, 0);
    const bool text3Replaced = setTextIfChanged(m_ui.Text3, view.place.text);
    if (text3Replaced || view.place.caret != m_shown.text3Caret || focus == FocusTarget::Text3)
        setCaret(m_ui.Text3, view.place.caret, 0);
}

void MainRender::showRegisters(const engine::Registers& registers) {
    const auto show = [](QLabel* panel, const std::u16string& text) {
        const QString value = QString::fromStdU16String(text);
        if (panel->text() != value)
            panel->setText(value);
        if (panel->isHidden() != value.isEmpty())
            panel->setVisible(!value.isEmpty());
    };
    show(m_ui.sbPanelGT, registers.grandTotalIndicator());
    show(m_ui.sbPanelMemory, registers.memoryIndicator());
}

void MainRender::carryOut(const engine::Requests& requests) {
    switch (requests.focus) {
    case FocusTarget::Text1:
        m_ui.Text1->setFocus(Qt::OtherFocusReason);
        break;
    case FocusTarget::Text2:
        m_ui.Text2->setFocus(Qt::OtherFocusReason);
        break;
    case FocusTarget::Text3:
        m_ui.Text3->setFocus(Qt::OtherFocusReason);
        break;
    case FocusTarget::None:
        break;
    }
    if (requests.windowWidthTwips)
        platform::resizeInTwips(m_window, *requests.windowWidthTwips, -1);
}

} // namespace sumiplex::ui
