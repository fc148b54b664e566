// Carrying the engine's view into the widgets.

#include "core/settings/values.h"
#include "platform/twips_geometry.h"
#include "ui/check/frm_check.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/widgets/text_list_model.h"

#include "core/engine/engine.h"
#include "core/engine/tape.h"
#include "ui/widgets/accessible_names.h"
#include "ui/widgets/clickable_label.h"

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

void setChecked(QAction* action, bool checked) {
    if (action->isChecked() == checked)
        return;
    const QSignalBlocker blocker(action);
    action->setChecked(checked);
}

void setShown(QWidget* widget, bool shown) {
    if (widget->isHidden() == shown)
        widget->setVisible(shown);
}

} // namespace

void frmMain::render() {
    if (m_inRender) {
        // A widget event raised by this render (focus moving away, say) reached the
        // engine; show its outcome once the current pass is done.
        m_renderAgain = true;
        return;
    }
    m_inRender = true;
    do {
        m_renderAgain = false;
        renderOnce();
    } while (m_renderAgain);
    m_inRender = false;
}

void frmMain::renderOnce() {
    // While a check is open the input line keys it, and the window shows what is keyed.
    if (m_check)
        m_check->takeKeyed();
    engine::Engine& shown = lineEngine();
    const View& view = shown.view();
    const engine::Requests requests = shown.takeRequests();

    renderCaptions(view);
    renderFlags(view);
    renderInputLine(view, requests.focus == FocusTarget::Text1);
    renderBoxes(view, requests.focus);
    m_list1Model->sync();
    m_list3Model->sync();
    renderRegisters();
    m_shown = {view.input.selStart, view.input.selLength, view.rate.caret, view.place.caret};
    applyRequests(requests);
}

void frmMain::renderCaptions(const View& view) {
    // A screen reader hears each figure after what it is; only a changed figure is sent.
    const bool first = !m_captionsAnnounced;
    m_captionsAnnounced = true;
    if (setTextIfChanged(Label1, view.total.caption) || first)
        announceCaption(*Label1, QStringLiteral("合計"), Label1->text());
    setFamily(Label1, view.total.fontName);
    if (setTextIfChanged(Label2, view.tax.added) || first)
        announceCaption(*Label2, QStringLiteral("税込み"), Label2->text());
    if (setTextIfChanged(Label3, view.tax.contained) || first)
        announceCaption(*Label3, QStringLiteral("税抜き本体"), Label3->text());
    setTextIfChanged(Label5, view.currencyMark);
    if (setTextIfChanged(Label7, view.reading) || first)
        announceCaption(*Label7, QStringLiteral("四桁表示"), Label7->text());
    setTextIfChanged(sbPanel1, view.status.line);
    setTextIfChanged(sbPanel2, view.status.rate);
    setTextIfChanged(txtTime, view.clock.text);
    setTextIfChanged(Text4, view.totalCopy);
}

void frmMain::renderFlags(const View& view) {
    Command2->setEnabled(view.buttons.memo);
    Command4->setEnabled(view.buttons.back);
    Command5->setEnabled(view.buttons.forward);
    Command3->setEnabled(view.buttons.history);
    Command6->setEnabled(view.buttons.yen);
    Command7->setEnabled(view.buttons.dollar);
    mnuCash->setEnabled(view.menus.cash);
    mnuPopCash->setEnabled(view.menus.cash);
    mnuPopUndo->setEnabled(view.menus.undo);
    setChecked(mnuOku, view.menus.fourDigit);
    setChecked(mnuJapan, view.menus.fourDigit);
    setChecked(mnuTax, view.tax.visible);
    setShown(Label2, view.tax.visible);
    setShown(Label3, view.tax.visible);
    setShown(txtTime, view.clock.visible);
    setShown(Text2, view.rate.visible);
    setShown(Label4, view.place.visible);
    setShown(Text3, view.place.visible);
}

void frmMain::renderInputLine(const View& view, bool focusText1) {
    setFamily(Text1, view.input.fontName);
    if (Text1->font().bold() != view.input.bold) {
        QFont font = Text1->font();
        font.setBold(view.input.bold);
        Text1->setFont(font);
    }
    const bool replaced = setTextIfChanged(Text1, view.input.text);
    // A caret the user moved with the mouse or the arrow keys stays where it is unless the
    // engine placed one itself.
    const bool moved = view.input.selStart != m_shown.text1SelStart ||
                       view.input.selLength != m_shown.text1SelLength;
    if (replaced || moved || focusText1)
        setCaret(Text1, view.input.selStart, view.input.selLength);
}

void frmMain::renderBoxes(const View& view, FocusTarget focus) {
    const bool text2Replaced = setTextIfChanged(Text2, view.rate.text);
    if (text2Replaced || view.rate.caret != m_shown.text2Caret || focus == FocusTarget::Text2)
        setCaret(Text2, view.rate.caret, 0);
    const bool text3Replaced = setTextIfChanged(Text3, view.place.text);
    if (text3Replaced || view.place.caret != m_shown.text3Caret || focus == FocusTarget::Text3)
        setCaret(Text3, view.place.caret, 0);
}

void frmMain::applyRequests(const engine::Requests& requests) {
    switch (requests.focus) {
    case FocusTarget::Text1:
        Text1->setFocus(Qt::OtherFocusReason);
        break;
    case FocusTarget::Text2:
        Text2->setFocus(Qt::OtherFocusReason);
        break;
    case FocusTarget::Text3:
        Text3->setFocus(Qt::OtherFocusReason);
        break;
    case FocusTarget::None:
        break;
    }
    if (requests.windowWidthTwips)
        platform::resizeInTwips(*this, *requests.windowWidthTwips, -1);
    if (requests.showCashTally)
        showCashTally();
    if (requests.overflowed)
        sayRegisterOverflow(*requests.overflowed, false);
}

void frmMain::resizeToTwips(int widthTwips, int heightTwips) {
    platform::resizeInTwips(*this, widthTwips, heightTwips);
}

} // namespace sumiplex::ui
