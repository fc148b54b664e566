// The options dialog, the usage guide and the about box, opened from the main window's
// menus, and the looks the options dialog reads from and writes into the windows.

#include "core/engine/engine.h"
#include "platform/colour.h"
#include "ui/dialogs/dialog_font.h"
#include "ui/dialogs/frm_about.h"
#include "ui/dialogs/frm_tip1.h"
#include "ui/dialogs/window_looks.h"
#include "ui/mainwindow/credit.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/mainwindow/frm_tip3.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace sumiplex::ui {

namespace {

QFont withFace(QFont base, const QFont& face) {
    base.setFamily(face.family());
    base.setBold(face.bold());
    base.setItalic(face.italic());
    return base;
}

} // namespace

void frmMain::connectOptionsMenus() {
    connect(mnuViewOptions, &QAction::triggered, this, &frmMain::mnuViewOptions_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
}

void frmMain::mnuViewOptions_Click() {
    DialogFont dialog(
        currentLooks(), mainCaption(), m_services.pickers,
        [this](const WindowLooks& looks) { applyLooks(looks); }, this);
    dialog.exec();
}

void frmMain::mnuTip_Click() {
    const QString name = QStringLiteral("frmTip1");
    const bool opened = m_tools->find<frmTip1>(name) != nullptr;
    frmTip1& guide = m_tools->load<frmTip1>(name, [this, name] {
        auto* built = new frmTip1;
        // A guide on its way out is no longer the one to show.
        connect(built, &frmTip1::unloaded, this, [this, name] { m_tools->forget(name); });
        return built;
    });
    // The guide reads as it would after the main window's next activation.
    if (!opened)
        captionUsageGuide();
    m_tools->show(guide, ToolShow::Activate);
}

void frmMain::mnuHelpAbout_Click() {
    frmAbout about(mainCaption(), m_services.shell, m_services.messages, this);
    about.exec();
    giveKeyboardToInputLine();
}

void frmMain::captionUsageGuide() {
    frmTip1* guide = m_tools->find<frmTip1>(QStringLiteral("frmTip1"));
    if (guide == nullptr)
        return;
    guide->setWindowTitle(QStringLiteral("　") + mainCaption() +
                          QStringLiteral("　基本的な使い方"));
    guide->setCredit(kCredit);
}

WindowLooks frmMain::currentLooks() const {
    WindowLooks looks;
    looks.windowBack = m_backColour;
    looks.accent = m_totalColour;
    // The input font is the one the engine restores: the line may be showing the reading
    // copy in the four-digit font for a moment, which is nobody's choice of font.
    looks.input = Text1->font();
    looks.input.setFamily(QString::fromStdU16String(m_engine->inputFontName()));
    looks.history = m_tip2->text().font();
    looks.memo = m_tip3->memoFont();
    return looks;
}

void frmMain::applyLooks(const WindowLooks& looks) {
    m_backColour = looks.windowBack;
    QPalette back = palette();
    back.setColor(QPalette::Window, platform::colourFromValue(m_backColour, palette()));
    setPalette(back);

    // Italic is the widget's own; family and bold reach the line through the engine, which
    // restores them after the four-digit reading.
    QFont input = Text1->font();
    input.setItalic(looks.input.italic());
    Text1->setFont(input);
    m_engine->setInputFontBold(looks.input.bold());
    m_engine->setInputFontName(looks.input.family().toStdU16String());

    m_lineColour = looks.accent;
    applyAccentColour();
    dressLikeTotal(looks.input, looks.accent);

    QFont tape = withFace(m_tip2->text().font(), looks.history);
    tape.setPointSizeF(looks.history.pointSizeF());
    m_tip2->text().setFont(tape);
    QFont memo = withFace(m_tip3->memoFont(), looks.memo);
    memo.setPointSizeF(looks.memo.pointSizeF());
    m_tip3->setMemoFont(memo);
    render();
}

} // namespace sumiplex::ui
