// The main window's menu table: every item of the menu bar and the context menus, in menu
// order, with what it does.

#include "core/engine/engine.h"
#include "core/tools/datetime/day_span.h"
#include "platform/shell.h"
#include "ui/mainwindow/check_windows.h"
#include "ui/mainwindow/column_paste.h"
#include "ui/mainwindow/companion_windows.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/main_tools.h"
#include "ui/mainwindow/picture_area.h"
#include "ui/mainwindow/tape_keeping.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>

namespace sumiplex::ui {

namespace {

using engine::RoundMode;

enum class EditCommand { Undo, Cut, Copy, Paste };

template <typename Edit> void runEdit(Edit* edit, EditCommand command) {
    switch (command) {
    case EditCommand::Undo:
        edit->undo();
        break;
    case EditCommand::Cut:
        edit->cut();
        break;
    case EditCommand::Copy:
        edit->copy();
        break;
    case EditCommand::Paste:
        edit->paste();
        break;
    }
}

// The edit menu acts on whichever text control has the keyboard focus.
void runOnFocusedEdit(EditCommand command) {
    QWidget* focused = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focused))
        runEdit(line, command);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focused))
        runEdit(plain, command);
    else if (auto* rich = qobject_cast<QTextEdit*>(focused))
        runEdit(rich, command);
}

} // namespace

std::vector<MenuRow> frmMain::menuTable() {
    using enum MenuId;
    using enum MenuKind;
    using enum MenuRule;
    // The engine the input line acts on, then the window shows the outcome.
    const auto onLine = [this](auto intent) {
        return [this, intent] {
            intent(lineEngine());
            render();
        };
    };
    // The registers belong to the calculation, whatever the input line keys.
    const auto onMain = [this](void (engine::Engine::*intent)()) {
        return [this, intent] {
            ((*m_engine).*intent)();
            render();
        };
    };
    const auto edit = [this](EditCommand command) {
        return [this, command] {
            if (command == EditCommand::Paste && QApplication::focusWidget() == m_ui.Text1 &&
                m_paste->pasteColumnFrom(QClipboard::Clipboard))
                return;
            runOnFocusedEdit(command);
        };
    };
    const auto days = [this](datetime::DaysMode mode) {
        return [this, mode] { m_mainTools->openDaysDialog(mode); };
    };
    const auto round = [&onLine](RoundMode mode) {
        return onLine([mode](engine::Engine& e) { e.roundTotal(mode); });
    };
    const auto placeEditor = onLine([](engine::Engine& e) { e.showPlaceEditor(); });
    const auto fourDigit = onLine([](engine::Engine& e) { e.toggleFourDigit(); });
    const auto cash = [this] { m_mainTools->openCashDialog(); };
    const auto zei = [this] { m_mainTools->openZeiDialog(); };
    const auto time = [this] { m_mainTools->openTimeDialog(); };
    const auto pads = [this](void (CompanionWindows::*command)()) {
        return [this, command] { ((*m_companions).*command)(); };
    };
    const auto tools = [this](void (MainTools::*command)()) {
        return [this, command] { ((*m_mainTools).*command)(); };
    };
    const auto picture = [this](void (PictureArea::*command)()) {
        return [this, command] { ((*m_picture).*command)(); };
    };
    const auto checks = [this](void (CheckWindows::*command)()) {
        return [this, command] { ((*m_checks).*command)(); };
    };
    const auto statusBarShown = [this] {
        statusBar()->setVisible(m_menus.action("mnuViewStatusBar")->isChecked());
    };
    const auto earlierTapes = [this] { m_tapes->openEarlierTapes({}); };
    const auto saveTape = [this] { m_tapes->mnuSaveTape_Click(); };
    const auto projectPage = [this] { (void)platform::openProjectPage(m_services.shell); };
    const QKeyCombination none;

    // Menu, object name, caption, shortcut, kind, state rule, handler.
    return {
        {File, "mnuNew", u"新規作成(&N)", none, Item, Pending},
        {File, "mnuBar07", u"", none, Separator},
        {File, "mnuOpen", u"メモ帳を開く(&O)", none, Item, None,
         pads(&CompanionWindows::mnuOpen_Click)},
        {File, "mnuSaveMemo", u"名前を付けてメモ帳を保存(&S)", none, Item, None,
         pads(&CompanionWindows::mnuSaveMemo_Click)},
        {File, "mnuBar08", u"", none, Separator},
        {File, "mnuFilePageSetup", u"ﾍﾟｰｼﾞ設定(&U)...", none, Item, None,
         pads(&CompanionWindows::mnuFilePageSetup_Click)},
        {File, "mnuPrintMemo", u"メモ帳を印刷(&M)", none, Item, None,
         pads(&CompanionWindows::mnuPrintMemo_Click)},
        {File, "mnuFilePrint", u"計算履歴を印刷(&P)...", none, Item, None,
         pads(&CompanionWindows::mnuFilePrint_Click)},
        {File, "mnuEarlierTapes", u"過去の計算履歴(&R)...", none, Item, None, earlierTapes},
        {File, "mnuSaveTape", u"計算履歴を保存(&A)...", none, Item, None, saveTape},
        {File, "mnuFileBar3", u"", none, Separator},
        {File, "mnuFileExit", u"終了(&X)", none, Item, None, [this] { close(); }},

        {Edit, "mnuEditUndo", u"元に戻す(&U)", none, Item, None, edit(EditCommand::Undo)},
        {Edit, "mnuEditBar0", u"", none, Separator},
        {Edit, "mnuEditCut", u"切り取り(&T)", Qt::CTRL | Qt::Key_X, Item, None,
         edit(EditCommand::Cut)},
        {Edit, "mnuEditCopy", u"ｺﾋﾟｰ(&C)", Qt::CTRL | Qt::Key_C, Item, None,
         edit(EditCommand::Copy)},
        {Edit, "mnuEditPaste", u"貼り付け(&P)", Qt::CTRL | Qt::Key_V, Item, None,
         edit(EditCommand::Paste)},
        {Edit, "mnuBar04", u"", none, Separator},
        {Edit, "mnuNote", u"摘要(&N)...", Qt::CTRL | Qt::Key_T, Item, TapeHasSteps,
         pads(&CompanionWindows::mnuNote_Click)},
        {Edit, "mnuCheck", u"検算(&K)...", Qt::CTRL | Qt::SHIFT | Qt::Key_K, Item, None,
         checks(&CheckWindows::mnuCheck_Click)},
        {Edit, "mnuCorrect", u"訂正(&T)...", none, Item, None,
         checks(&CheckWindows::mnuCorrect_Click)},
        {Edit, "mnuBarNote", u"", none, Separator},
        {Edit, "mnuDoller", u"TOTALをドルに換算(&D)", none, Item, None,
         onLine([](engine::Engine& e) { e.convertToDollars(); })},
        {Edit, "mnuYen", u"TOTALを日本円に換算(&Y)", none, Item, None,
         onLine([](engine::Engine& e) { e.convertToYen(); })},
        {Edit, "mnuBar06", u"", none, Separator},
        {Edit, "mnuEditPasteSpecial", u"TOTALをメモ帳に貼り付け(&M)...", Qt::CTRL | Qt::Key_M, Item,
         None, pads(&CompanionWindows::mnuEditPasteSpecial_Click)},
        {Edit, "mnuCopyPlain", u"合計を数値でコピー", none, Item, None,
         pads(&CompanionWindows::mnuCopyPlain_Click)},
        {Edit, "mnuViewBar0", u"", none, Separator},
        {Edit, "mnuTaxRate", u"消費税の設定(&S)", none, Item, None,
         tools(&MainTools::openTaxDialog)},
        {Edit, "mnuDoll", u"為替レートの設定(&D)", none, Item, None,
         tools(&MainTools::openExchangeRateDialog)},
        {Edit, "mnuFix", u"端数処理(&F)", none, Item, None, placeEditor},
        {Edit, "mnuBarGT", u"", none, Separator},
        {Edit, "mnuGT", u"GT呼出(&G)", Qt::CTRL | Qt::Key_G, Item, None,
         onMain(&engine::Engine::recallGrandTotal)},
        // Clearing the day's grand total by a stray key would lose it; it is reached by the menu.
        {Edit, "mnuGTClear", u"GTクリア", none, Item, None,
         onMain(&engine::Engine::clearGrandTotal)},
        {Edit, "mnuBarMem", u"", none, Separator},
        {Edit, "mnuMemPlus", u"M+", Qt::CTRL | Qt::SHIFT | Qt::Key_P, Item, None,
         onMain(&engine::Engine::addToMemory)},
        {Edit, "mnuMemMinus", u"M−", Qt::CTRL | Qt::SHIFT | Qt::Key_M, Item, None,
         onMain(&engine::Engine::subtractFromMemory)},
        {Edit, "mnuMemRecall", u"MR", Qt::CTRL | Qt::SHIFT | Qt::Key_R, Item, None,
         onMain(&engine::Engine::recallMemory)},
        {Edit, "mnuMemClear", u"MC", Qt::CTRL | Qt::SHIFT | Qt::Key_C, Item, None,
         onMain(&engine::Engine::clearMemory)},

        {View, "mnuJapan", u"四桁表示(&J)", none, Unchecked, FourDigit, fourDigit},
        {View, "mnuTax", u"消費税額を表示(&F)", none, Checked, TaxLines,
         onLine([](engine::Engine& e) { e.toggleTaxLines(); })},
        {View, "mnuCalender", u"カレンダーを表示(&W)", none, Unchecked, None,
         picture(&PictureArea::mnuCalender_Click)},
        {View, "mnuViewStatusBar", u"ｽﾃｰﾀｽ ﾊﾞｰ(&B)", none, Unchecked, None, statusBarShown},
        {View, "mnuBar02", u"", none, Separator},
        {View, "mnuPic", u"フォームの画像を表示(&P)", none, Checked, None,
         picture(&PictureArea::mnuPic_Click)},
        {View, "mnuViewRefresh", u"フォームの画像を更新(&N)", none, Item, None,
         picture(&PictureArea::mnuViewRefresh_Click)},
        {View, "mnuBar01", u"", none, Separator},
        {View, "mnuRireki", u"計算履歴を表示(&R)", none, Item, None,
         pads(&CompanionWindows::showHistory)},
        {View, "mnuMemo", u"メモ帳を表示(&M)", none, Item, None, pads(&CompanionWindows::showMemo)},
        {View, "mnuBar03", u"", none, Separator},
        {View, "mnuEge", u"年齢計算(&E)", Qt::CTRL | Qt::Key_E, Item, None,
         days(datetime::DaysMode::Age)},
        {View, "mnuDay", u"日数計算(&T)", none, Item, None, days(datetime::DaysMode::DayCount)},
        {View, "mnuTime", u"時間計算(&H)", none, Item, None, time},
        {View, "mnuBar20", u"", none, Separator},
        {View, "mmnuTon", u"単位換算(&K)", Qt::CTRL | Qt::Key_K, Item, None,
         [this] { mmnuTon_Click(); }},
        {View, "mnuBar25", u"", none, Separator},
        {View, "mnuCashTotal", u"金種合計(&L)", none, Item, None,
         onMain(&engine::Engine::startCashTally)},
        {View, "mnuCash", u"金種計算(&C)", none, Item, Cash, cash},
        {View, "mnuZei", u"税率別集計(&I)...", none, Item, None, zei},
        {View, "mnuMargin", u"原価・売価・利益率(&P)...", none, Item, None,
         tools(&MainTools::openMarginDialog)},
        {View, "mnuBar12", u"", none, Separator},
        {View, "mnuViewOptions", u"ｵﾌﾟｼｮﾝ(&O)...", none, Item, None,
         tools(&MainTools::mnuViewOptions_Click)},

        {Help, "mnuHelpContents", u"目次(&C)", none, Item, Pending},
        {Help, "mnuHelpSearchForHelpOn", u"ﾄﾋﾟｯｸの検索(&S)...", none, Item, Pending},
        {Help, "mnuTip", u"基本的な使い方(&T)", none, Item, None, tools(&MainTools::mnuTip_Click)},
        {Help, "mnuWWW", u"Velquor Web(&W)", Qt::CTRL | Qt::Key_W, Item, None, projectPage},
        {Help, "mnuHelpBar0", u"", none, Separator},
        {Help, "mnuHelpAbout", u"ﾊﾞｰｼﾞｮﾝ情報(&A)", none, Item, None,
         tools(&MainTools::mnuHelpAbout_Click)},

        {Popup, "mnuPopNext", u"Change the picture.(&N)", none, Item, None,
         picture(&PictureArea::showNextPicture)},

        {Popup2, "mnuPopUndo", u"元に戻す(&U)", none, Item, Undo,
         onLine([](engine::Engine& e) { e.undo(); })},
        {Popup2, "mnuPopBar1", u"", none, Separator},
        {Popup2, "mnuPopFix", u"切り捨て(&F)", none, Item, None, round(RoundMode::Down)},
        {Popup2, "mnuPopu", u"切り上げ(&T)", none, Item, None, round(RoundMode::Up)},
        {Popup2, "mnuPopB", u"四捨五入(&B)", none, Item, None, round(RoundMode::HalfAwayFromZero)},
        {Popup2, "mnuPopBar2", u"", none, Separator},
        {Popup2, "mnuPopDcl", u"小数点以下の位(&D)", none, Item, None, placeEditor},
        {Popup2, "mnuPopBar3", u"", none, Separator},
        {Popup2, "mnuOku", u"四桁表示(&J)", none, Unchecked, FourDigit, fourDigit},
        {Popup2, "mnuPopBar4", u"", none, Separator},
        {Popup2, "mnuPopCash", u"金種計算(&C)", none, Item, Cash, cash},
        {Popup2, "mnuPopZei", u"税率別集計(&I)...", none, Item, None, zei},

        {Popup3, "mnuPopEge", u"年齢計算(&E)", none, Item, None, days(datetime::DaysMode::Age)},
        {Popup3, "mnuPopupDay", u"日数計算(&T)", none, Item, None,
         days(datetime::DaysMode::DayCount)},
        {Popup3, "mnuPopBar5", u"", none, Separator},
        {Popup3, "mnuPopTime", u"時間計算(&H)", none, Item, None, time},
    };
}

} // namespace sumiplex::ui
