// The menu bar and the context menus of the main window.

#include "ui/mainwindow/frm_main.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace sumiplex::ui {

QAction* frmMain::addAction(QMenu* menu, const char* name, const QString& caption) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(QString::fromLatin1(name));
    menu->addAction(action);
    return action;
}

// Items whose window is not part of the program yet: present, so the menu reads as it
// will, but disabled until that window arrives.
QAction* frmMain::addPendingAction(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = addAction(menu, name, caption);
    action->setEnabled(false);
    return action;
}

void frmMain::addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

namespace {

QMenu* namedMenu(QWidget* parent, const char* name, const QString& title) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* checkable(QAction* action, bool checked) {
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

void frmMain::buildMenus() {
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildHelpMenu();
    buildContextMenus();
}

void frmMain::buildFileMenu() {
    QMenu* mnuFile = namedMenu(this, "mnuFile", QStringLiteral("ﾌｧｲﾙ(&F)"));
    menuBar()->addMenu(mnuFile);
    addPendingAction(mnuFile, "mnuNew", QStringLiteral("新規作成(&N)"));
    addSeparator(mnuFile, "mnuBar07");
    mnuOpen = addAction(mnuFile, "mnuOpen", QStringLiteral("メモ帳を開く(&O)"));
    mnuSaveMemo = addAction(mnuFile, "mnuSaveMemo", QStringLiteral("名前を付けてメモ帳を保存(&S)"));
    addSeparator(mnuFile, "mnuBar08");
    connect(addAction(mnuFile, "mnuFilePageSetup", QStringLiteral("ﾍﾟｰｼﾞ設定(&U)...")),
            &QAction::triggered, this, &frmMain::mnuFilePageSetup_Click);
    connect(addAction(mnuFile, "mnuPrintMemo", QStringLiteral("メモ帳を印刷(&M)")),
            &QAction::triggered, this, &frmMain::mnuPrintMemo_Click);
    connect(addAction(mnuFile, "mnuFilePrint", QStringLiteral("計算履歴を印刷(&P)...")),
            &QAction::triggered, this, &frmMain::mnuFilePrint_Click);
    mnuEarlierTapes =
        addAction(mnuFile, "mnuEarlierTapes", QStringLiteral("過去の計算履歴(&R)..."));
    mnuSaveTape = addAction(mnuFile, "mnuSaveTape", QStringLiteral("計算履歴を保存(&A)..."));
    addSeparator(mnuFile, "mnuFileBar3");
    mnuFileExit = addAction(mnuFile, "mnuFileExit", QStringLiteral("終了(&X)"));
}

void frmMain::buildEditMenu() {
    QMenu* mnuEdit = namedMenu(this, "mnuEdit", QStringLiteral("編集(&E)"));
    menuBar()->addMenu(mnuEdit);
    mnuEditUndo = addAction(mnuEdit, "mnuEditUndo", QStringLiteral("元に戻す(&U)"));
    addSeparator(mnuEdit, "mnuEditBar0");
    mnuEditCut = addAction(mnuEdit, "mnuEditCut", QStringLiteral("切り取り(&T)"));
    mnuEditCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuEditCopy = addAction(mnuEdit, "mnuEditCopy", QStringLiteral("ｺﾋﾟｰ(&C)"));
    mnuEditCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuEditPaste = addAction(mnuEdit, "mnuEditPaste", QStringLiteral("貼り付け(&P)"));
    mnuEditPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    addSeparator(mnuEdit, "mnuBar04");
    mnuNote = addAction(mnuEdit, "mnuNote", QStringLiteral("摘要(&N)..."));
    mnuNote->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    mnuCheck = addAction(mnuEdit, "mnuCheck", QStringLiteral("検算(&K)..."));
    mnuCheck->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    mnuCorrect = addAction(mnuEdit, "mnuCorrect", QStringLiteral("訂正(&T)..."));
    addSeparator(mnuEdit, "mnuBarNote");
    mnuDoller = addAction(mnuEdit, "mnuDoller", QStringLiteral("TOTALをドルに換算(&D)"));
    mnuYen = addAction(mnuEdit, "mnuYen", QStringLiteral("TOTALを日本円に換算(&Y)"));
    addSeparator(mnuEdit, "mnuBar06");
    mnuEditPasteSpecial =
        addAction(mnuEdit, "mnuEditPasteSpecial", QStringLiteral("TOTALをメモ帳に貼り付け(&M)..."));
    mnuEditPasteSpecial->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    mnuCopyPlain = addAction(mnuEdit, "mnuCopyPlain", QStringLiteral("合計を数値でコピー"));
    addSeparator(mnuEdit, "mnuViewBar0");
    mnuTaxRate = addAction(mnuEdit, "mnuTaxRate", QStringLiteral("消費税の設定(&S)"));
    mnuDoll = addAction(mnuEdit, "mnuDoll", QStringLiteral("為替レートの設定(&D)"));
    mnuFix = addAction(mnuEdit, "mnuFix", QStringLiteral("端数処理(&F)"));
    addSeparator(mnuEdit, "mnuBarGT");
    mnuGT = addAction(mnuEdit, "mnuGT", QStringLiteral("GT呼出(&G)"));
    mnuGT->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    // Clearing the day's grand total by a stray key would lose it; it is reached by the menu.
    mnuGTClear = addAction(mnuEdit, "mnuGTClear", QStringLiteral("GTクリア"));
    addSeparator(mnuEdit, "mnuBarMem");
    mnuMemPlus = addAction(mnuEdit, "mnuMemPlus", QStringLiteral("M+"));
    mnuMemPlus->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    mnuMemMinus = addAction(mnuEdit, "mnuMemMinus", QStringLiteral("M−"));
    mnuMemMinus->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    mnuMemRecall = addAction(mnuEdit, "mnuMemRecall", QStringLiteral("MR"));
    mnuMemRecall->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    mnuMemClear = addAction(mnuEdit, "mnuMemClear", QStringLiteral("MC"));
    mnuMemClear->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
}

void frmMain::buildViewMenu() {
    QMenu* mnuView = namedMenu(this, "mnuView", QStringLiteral("表示(&V)"));
    menuBar()->addMenu(mnuView);
    mnuJapan = checkable(addAction(mnuView, "mnuJapan", QStringLiteral("四桁表示(&J)")), false);
    mnuTax = checkable(addAction(mnuView, "mnuTax", QStringLiteral("消費税額を表示(&F)")), true);
    mnuCalender =
        checkable(addAction(mnuView, "mnuCalender", QStringLiteral("カレンダーを表示(&W)")), false);
    mnuViewStatusBar =
        checkable(addAction(mnuView, "mnuViewStatusBar", QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰ(&B)")), false);
    addSeparator(mnuView, "mnuBar02");
    mnuPic =
        checkable(addAction(mnuView, "mnuPic", QStringLiteral("フォームの画像を表示(&P)")), true);
    mnuViewRefresh =
        addAction(mnuView, "mnuViewRefresh", QStringLiteral("フォームの画像を更新(&N)"));
    addSeparator(mnuView, "mnuBar01");
    mnuRireki = addAction(mnuView, "mnuRireki", QStringLiteral("計算履歴を表示(&R)"));
    mnuMemo = addAction(mnuView, "mnuMemo", QStringLiteral("メモ帳を表示(&M)"));
    addSeparator(mnuView, "mnuBar03");
    addAction(mnuView, "mnuEge", QStringLiteral("年齢計算(&E)"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addAction(mnuView, "mnuDay", QStringLiteral("日数計算(&T)"));
    addAction(mnuView, "mnuTime", QStringLiteral("時間計算(&H)"));
    addSeparator(mnuView, "mnuBar20");
    mmnuTon = addAction(mnuView, "mmnuTon", QStringLiteral("単位換算(&K)"));
    mmnuTon->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    addSeparator(mnuView, "mnuBar25");
    mnuCashTotal = addAction(mnuView, "mnuCashTotal", QStringLiteral("金種合計(&L)"));
    mnuCash = addAction(mnuView, "mnuCash", QStringLiteral("金種計算(&C)"));
    mnuZei = addAction(mnuView, "mnuZei", QStringLiteral("税率別集計(&I)..."));
    mnuMargin = addAction(mnuView, "mnuMargin", QStringLiteral("原価・売価・利益率(&P)..."));
    addSeparator(mnuView, "mnuBar12");
    mnuViewOptions = addAction(mnuView, "mnuViewOptions", QStringLiteral("ｵﾌﾟｼｮﾝ(&O)..."));
}

void frmMain::buildHelpMenu() {
    QMenu* mnuHelp = namedMenu(this, "mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    menuBar()->addMenu(mnuHelp);
    addPendingAction(mnuHelp, "mnuHelpContents", QStringLiteral("目次(&C)"));
    addPendingAction(mnuHelp, "mnuHelpSearchForHelpOn", QStringLiteral("ﾄﾋﾟｯｸの検索(&S)..."));
    mnuTip = addAction(mnuHelp, "mnuTip", QStringLiteral("基本的な使い方(&T)"));
    mnuWWW = addAction(mnuHelp, "mnuWWW", QStringLiteral("Velquor Web(&W)"));
    mnuWWW->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    addSeparator(mnuHelp, "mnuHelpBar0");
    mnuHelpAbout = addAction(mnuHelp, "mnuHelpAbout", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));
}

void frmMain::buildContextMenus() {
    // Context menus live outside the menu bar; they open on the picture, the total and the
    // calendar.
    mnuPopup = namedMenu(this, "mnuPopup", QStringLiteral("Ｐｏｐｕｐ"));
    mnuPopNext = addAction(mnuPopup, "mnuPopNext", QStringLiteral("Change the picture.(&N)"));

    mnuPopup2 = namedMenu(this, "mnuPopup2", QStringLiteral("Popup2"));
    mnuPopUndo = addAction(mnuPopup2, "mnuPopUndo", QStringLiteral("元に戻す(&U)"));
    addSeparator(mnuPopup2, "mnuPopBar1");
    mnuPopFix = addAction(mnuPopup2, "mnuPopFix", QStringLiteral("切り捨て(&F)"));
    mnuPopu = addAction(mnuPopup2, "mnuPopu", QStringLiteral("切り上げ(&T)"));
    mnuPopB = addAction(mnuPopup2, "mnuPopB", QStringLiteral("四捨五入(&B)"));
    addSeparator(mnuPopup2, "mnuPopBar2");
    mnuPopDcl = addAction(mnuPopup2, "mnuPopDcl", QStringLiteral("小数点以下の位(&D)"));
    addSeparator(mnuPopup2, "mnuPopBar3");
    mnuOku = checkable(addAction(mnuPopup2, "mnuOku", QStringLiteral("四桁表示(&J)")), false);
    addSeparator(mnuPopup2, "mnuPopBar4");
    mnuPopCash = addAction(mnuPopup2, "mnuPopCash", QStringLiteral("金種計算(&C)"));
    mnuPopZei = addAction(mnuPopup2, "mnuPopZei", QStringLiteral("税率別集計(&I)..."));

    mnuPopup3 = namedMenu(this, "mnuPopup3", QStringLiteral("Popup3"));
    addAction(mnuPopup3, "mnuPopEge", QStringLiteral("年齢計算(&E)"));
    addAction(mnuPopup3, "mnuPopupDay", QStringLiteral("日数計算(&T)"));
    addSeparator(mnuPopup3, "mnuPopBar5");
    addAction(mnuPopup3, "mnuPopTime", QStringLiteral("時間計算(&H)"));
}

} // namespace sumiplex::ui
