// The picture under the calculator, the calendar over it, and the view items that show them.

#include "ui/mainwindow/picture_area.h"

#include "core/settings/values.h"
#include "platform/clock.h"
#include "platform/settings_keys.h"
#include "platform/twips_geometry.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/main_controls.h"
#include "ui/mainwindow/main_menus.h"
#include "ui/picture/picture_file.h"
#include "ui/picture/picture_list.h"
#include "ui/tools/datetime/holiday_calendar.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
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

PictureArea::PictureArea(QMainWindow& window, const Services& services, MainControls& ui,
                         std::function<void()> dressCalendar)
    : m_window(window), m_services(services), m_ui(ui), m_dressCalendar(std::move(dressCalendar)),
      m_pictures(std::make_unique<PictureList>()) {}

PictureArea::~PictureArea() = default;

void PictureArea::build() {
    auto* central = m_window.centralWidget();
    m_area = new QWidget(central);
    m_area->setObjectName(QStringLiteral("pictureArea"));
    m_area->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    Image1 = new QLabel(m_area);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    Image1->installEventFilter(&m_window);

    auto* grid = new QGridLayout(m_area);
    // The picture sits within the same margins as the input line.
    grid->setContentsMargins(kPictureLeftInset, 0, kPictureRightInset, 0);
    grid->addWidget(Image1, 0, 0);

    List2 = new QListWidget(central);
    List2->setObjectName(QStringLiteral("List2"));
    List2->hide();

    // Added on its own, so that hidden it takes no room from the calculator above.
    qobject_cast<QVBoxLayout*>(central->layout())->addWidget(m_area, 100);
}

void PictureArea::bindMenus(const MainMenus& menus) {
    mnuCalender = menus.action("mnuCalender");
    mnuPic = menus.action("mnuPic");
    mnuPopNext = menus.action("mnuPopNext");
    mnuPopup = &menus.menu(MenuId::Popup);
    mnuPopup3 = &menus.menu(MenuId::Popup3);
    QObject::connect(m_pictures.get(), &PictureList::collected, &m_window, [this] {
        List2->clear();
        List2->addItems(m_pictures->paths());
    });
}

void PictureArea::setCalendarShown(bool shown) {
    if (shown)
        ensureCalendar();
    if (MonthView1)
        MonthView1->setVisible(shown);
}

bool PictureArea::calendarShown() const {
    return MonthView1 && !MonthView1->isHidden();
}

QDate PictureArea::calendarDate(QDate today) const {
    return MonthView1 ? MonthView1->selectedDate() : today;
}

bool PictureArea::pictureHidden() const {
    return Image1->isHidden();
}

void PictureArea::ensureCalendar() {
    if (MonthView1)
        return;
    // The calendar lies over the picture; a click on the picture brings it up or takes it
    // away. It costs as much as the rest of the window together, so a window that starts
    // without it builds it once it is on the screen.
    MonthView1 = new QCalendarWidget(m_area);
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
    auto* rightPress =
        new RightPressFilter(MonthView1, [this] { mnuPopup3->popup(QCursor::pos()); });
    MonthView1->installEventFilter(rightPress);
    for (QWidget* part : MonthView1->findChildren<QWidget*>())
        part->installEventFilter(rightPress);
    // On the left of the picture, which stays in view (and clickable) beside it.
    static_cast<QGridLayout*>(m_area->layout())->addWidget(MonthView1, 0, 0, Qt::AlignLeft);
    MonthView1->raise();
    MonthView1->setSelectedDate(m_services.clock.now().date());
    markHolidays(*MonthView1);
    m_dressCalendar();
}

void PictureArea::loadToggles(const platform::SettingsStore& store) {
    mnuCalender->setChecked(
        platform::readSetting(store, platform::kMnuCalender, mnuCalender->isChecked()));
    setCalendarShown(mnuCalender->isChecked());
    mnuPic->setChecked(platform::readSetting(store, platform::kMnuPicRead, mnuPic->isChecked()));
    Image1->setVisible(mnuPic->isChecked());
    m_area->setVisible(areaShown());
}

void PictureArea::loadPicture(const platform::SettingsStore& store) {
    const QString path = platform::readSetting(store, platform::kPictureFile);
    bool shown = false;
    if (!path.isEmpty()) {
        PictureLoad load = ::sumiplex::ui::loadPicture(path);
        if (load.status == PictureStatus::Loaded) {
            showPicture(path, load.pixmap);
            shown = true;
        } else {
            // The built-in picture shows meanwhile; the path is kept, as the file may be
            // back (a disk plugged in again) when the program next starts.
            m_pictureFile = path;
        }
    }
    if (!shown)
        Image1->setPixmap(builtInPicture());
    // The search of the program's folder starts once the first frame is out: on a machine
    // with few cores its thread would otherwise take time the first frame needs.
    QTimer::singleShot(0, &m_window,
                       [this] { m_pictures->collectAsync(m_services.programFolder); });
}

bool PictureArea::areaShown() const {
    return mnuCalender->isChecked() || mnuPic->isChecked();
}

void PictureArea::fitHeight() {
    m_area->setVisible(areaShown());
    const int twips = areaShown() ? kTallHeightTwips : kShortHeightTwips;
    platform::resizeInTwips(m_window, -1, twips);
}

void PictureArea::mnuCalender_Click() {
    // The action's own check mark has flipped already; the calendar follows it.
    setCalendarShown(mnuCalender->isChecked());
    fitHeight();
}

void PictureArea::mnuPic_Click() {
    Image1->setVisible(mnuPic->isChecked());
    fitHeight();
    m_ui.Line4->setVisible(!mnuPic->isChecked());
}

void PictureArea::Image1_Click() {
    mnuCalender->setChecked(!mnuCalender->isChecked());
    setCalendarShown(mnuCalender->isChecked());
}

void PictureArea::mnuViewRefresh_Click() {
    const auto chosen =
        choosePicture(m_services.files, m_services.messages, m_window.windowTitle(), &m_window);
    if (!chosen)
        return;
    showPicture(chosen->path, chosen->pixmap);
    Image1->show();
    mnuPic->setChecked(true);
    m_ui.Line4->hide();
    m_area->setVisible(areaShown());
}

void PictureArea::showNextPicture() {
    if (const auto picture = m_pictures->nextPicture())
        showPicture(picture->path, picture->pixmap);
}

void PictureArea::showPicture(const QString& path, const QPixmap& pixmap) {
    Image1->setPixmap(pixmap);
    m_pictureFile = path;
}

bool PictureArea::filterImage1(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            mnuPopNext->setEnabled(true);
            mnuPopup->popup(QCursor::pos());
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
