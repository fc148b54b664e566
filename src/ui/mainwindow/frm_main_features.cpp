// The memo commands, the view toggles, the picture under the calculator and the calendar.

#include "core/engine/engine.h"
#include "core/settings/values.h"
#include "platform/clock.h"
#include "platform/colour.h"
#include "platform/settings_keys.h"
#include "platform/shell.h"
#include "platform/twips_geometry.h"
#include "platform/window_placement.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/picture/picture_file.h"
#include "ui/picture/picture_list.h"
#include "ui/tools/datetime/holiday_calendar.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include <functional>

namespace sumiplex::ui {

namespace {

constexpr int kShortHeightTwips = 5000;
constexpr int kTallHeightTwips = 7000;
constexpr int kCalendarPointSize = 8;
constexpr int kPictureLeftInset = 12;
constexpr int kPictureRightInset = 13;

// Calls back on a press of the right button in any of the watched widgets. It lives and dies
// with the calendar whose parts it watches, so no event reaches it after them.
class RightPressFilter final : public QObject {
public:
    RightPressFilter(QObject* parent, std::function<void()> onPress)
        : QObject(parent), m_onPress(std::move(onPress)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            m_onPress();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onPress;
};

} // namespace

void frmMain::buildPictureArea() {
    auto* central = centralWidget();
    m_pictureArea = new QWidget(central);
    m_pictureArea->setObjectName(QStringLiteral("pictureArea"));
    m_pictureArea->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    Image1 = new QLabel(m_pictureArea);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    Image1->installEventFilter(this);

    auto* grid = new QGridLayout(m_pictureArea);
    // The picture sits within the same margins as the input line.
    grid->setContentsMargins(kPictureLeftInset, 0, kPictureRightInset, 0);
    grid->addWidget(Image1, 0, 0);

    List2 = new QListWidget(central);
    List2->setObjectName(QStringLiteral("List2"));
    List2->hide();

    // Added on its own, so that hidden it takes no room from the calculator above.
    qobject_cast<QVBoxLayout*>(central->layout())->addWidget(m_pictureArea, 100);
}

void frmMain::setCalendarShown(bool shown) {
    if (shown)
        ensureCalendar();
    if (MonthView1)
        MonthView1->setVisible(shown);
}

bool frmMain::calendarShown() const {
    return MonthView1 && !MonthView1->isHidden();
}

void frmMain::ensureCalendar() {
    if (MonthView1)
        return;
    // The calendar lies over the picture; a click on the picture brings it up or takes it
    // away. It costs as much as the rest of the window together, so a window that starts
    // without it builds it once it is on the screen.
    MonthView1 = new QCalendarWidget(m_pictureArea);
    MonthView1->hide();
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setAccessibleName(QStringLiteral("カレンダー"));
    MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthView1->setGridVisible(false);
    // Japanese month and day names, Sunday first, as on a Japanese wall calendar, whatever
    // the desktop's own locale is: every other text of the program is Japanese too.
    MonthView1->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    MonthView1->setFirstDayOfWeek(Qt::Sunday);
    MonthView1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    QFont small = MonthView1->font();
    small.setPointSize(kCalendarPointSize);
    MonthView1->setFont(small);
    auto* rightPress = new RightPressFilter(MonthView1, [this] { openCalendarPopup(); });
    MonthView1->installEventFilter(rightPress);
    for (QWidget* part : MonthView1->findChildren<QWidget*>())
        part->installEventFilter(rightPress);
    // On the left of the picture, which stays in view (and clickable) beside it.
    static_cast<QGridLayout*>(m_pictureArea->layout())->addWidget(MonthView1, 0, 0, Qt::AlignLeft);
    MonthView1->raise();
    MonthView1->setSelectedDate(m_services.clock.now().date());
    markHolidays(*MonthView1);
    applyAccentColour();
}

void frmMain::connectFeatures() {
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(mnuEditPasteSpecial, &QAction::triggered, this, &frmMain::mnuEditPasteSpecial_Click);
    connect(mnuCopyPlain, &QAction::triggered, this, &frmMain::mnuCopyPlain_Click);
    connect(mnuMemo, &QAction::triggered, this, &frmMain::showMemo);
    connect(mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    connect(mnuSaveMemo, &QAction::triggered, this, &frmMain::mnuSaveMemo_Click);
    connect(mnuCalender, &QAction::triggered, this, &frmMain::mnuCalender_Click);
    connect(mnuViewStatusBar, &QAction::triggered, this, &frmMain::mnuViewStatusBar_Click);
    connect(mnuPic, &QAction::triggered, this, &frmMain::mnuPic_Click);
    connect(mnuViewRefresh, &QAction::triggered, this, &frmMain::mnuViewRefresh_Click);
    connect(mnuPopNext, &QAction::triggered, this, &frmMain::showNextPicture);
    connect(mnuWWW, &QAction::triggered, this,
            [this] { (void)platform::openProjectPage(m_services.shell); });
    connect(m_pictures.get(), &PictureList::collected, this, [this] {
        List2->clear();
        List2->addItems(m_pictures->paths());
    });
}

void frmMain::connectMemoPad(frmTip3& memo) {
    memo.setCloseServices(&m_services.files, &m_services.messages);
    connect(&memo, &frmTip3::unloaded, this, [this, &memo] {
        platform::saveWindowPosition(memo, m_services.settings, platform::kTip3Left.key,
                                     platform::kTip3Top.key);
    });
}

QString frmMain::mainCaption() const {
    return windowTitle();
}

void frmMain::showMemo() {
    m_tip3->caretToEnd();
    m_tools->show(*m_tip3, ToolShow::KeepEscape);
}

void frmMain::Command2_Click() {
    const auto text = m_engine->takeMemoLine();
    render();
    if (!text)
        return;
    m_tip3->appendMemo(QString::fromStdU16String(*text));
    showMemo();
}

void frmMain::mnuEditPasteSpecial_Click() {
    const auto line = m_engine->totalMemoLine();
    if (!line)
        return;
    m_tip3->appendMemo(QString::fromStdU16String(*line));
    showMemo();
}

void frmMain::mnuCopyPlain_Click() {
    // The plain form (no grouping, "." and "-" only) is what any spreadsheet reads as a number.
    QApplication::clipboard()->setText(
        QString::fromStdU16String(m_engine->totalValue().toPlainString()));
}

void frmMain::mnuOpen_Click() {
    // The pad shows itself, to ask about the memo it holds and with the file loaded.
    m_tools->prepare(*m_tip3, ToolShow::KeepEscape);
    (void)m_tip3->openFile(m_services.files, m_services.messages, mainCaption());
}

void frmMain::mnuSaveMemo_Click() {
    (void)m_tip3->saveAs(m_services.files, m_services.messages, mainCaption());
}

bool frmMain::pictureAreaShown() const {
    return mnuCalender->isChecked() || mnuPic->isChecked();
}

void frmMain::fitHeight() {
    m_pictureArea->setVisible(pictureAreaShown());
    const int twips = pictureAreaShown() ? kTallHeightTwips : kShortHeightTwips;
    platform::resizeInTwips(*this, -1, twips);
}

void frmMain::mnuCalender_Click() {
    // The action's own check mark has flipped already; the calendar follows it.
    setCalendarShown(mnuCalender->isChecked());
    fitHeight();
}

void frmMain::mnuViewStatusBar_Click() {
    statusBar()->setVisible(mnuViewStatusBar->isChecked());
}

void frmMain::mnuPic_Click() {
    Image1->setVisible(mnuPic->isChecked());
    fitHeight();
    Line4->setVisible(!mnuPic->isChecked());
}

void frmMain::Image1_Click() {
    mnuCalender->setChecked(!mnuCalender->isChecked());
    setCalendarShown(mnuCalender->isChecked());
}

void frmMain::mnuViewRefresh_Click() {
    const auto chosen = choosePicture(m_services.files, m_services.messages, mainCaption(), this);
    if (!chosen)
        return;
    showPicture(chosen->path, chosen->pixmap);
    Image1->show();
    mnuPic->setChecked(true);
    Line4->hide();
    m_pictureArea->setVisible(pictureAreaShown());
}

void frmMain::showNextPicture() {
    if (const auto picture = m_pictures->nextPicture())
        showPicture(picture->path, picture->pixmap);
}

void frmMain::showPicture(const QString& path, const QPixmap& pixmap) {
    Image1->setPixmap(pixmap);
    m_pictureFile = path;
}

void frmMain::openPicturePopup() {
    mnuPopNext->setEnabled(true);
    mnuPopup->popup(QCursor::pos());
}

void frmMain::openCalendarPopup() {
    mnuPopup3->popup(QCursor::pos());
}

void frmMain::applyAccentColour() {
    const QColor accent = platform::colourFromValue(m_lineColour, palette());
    for (QFrame* line : {Line1, Line3, Line4}) {
        QPalette p = line->palette();
        p.setColor(QPalette::Window, accent);
        line->setPalette(p);
    }
    if (!MonthView1)
        return;
    QPalette p = MonthView1->palette();
    p.setColor(QPalette::Highlight, accent);
    MonthView1->setPalette(p);
    QTextCharFormat header = MonthView1->headerTextFormat();
    header.setForeground(accent);
    MonthView1->setHeaderTextFormat(header);
}

bool frmMain::filterImage1(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            openPicturePopup();
            return true;
        }
        return false;
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_image1ReleaseIsDoubleClick = true;
            showNextPicture();
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (m_image1ReleaseIsDoubleClick) {
            m_image1ReleaseIsDoubleClick = false;
            return true;
        }
        if (Image1->rect().contains(mouse->position().toPoint()))
            Image1_Click();
        return true;
    }
    default:
        return false;
    }
}

} // namespace sumiplex::ui
