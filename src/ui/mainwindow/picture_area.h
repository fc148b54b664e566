#pragma once

#include <QDate>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QCalendarWidget;
class QEvent;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QPixmap;
class QWidget;

namespace sumiplex::platform {
class SettingsStore;
} // namespace sumiplex::platform

namespace sumiplex::ui {

struct MainControls;
class MainMenus;
class PictureList;
struct Services;

/// The picture under the calculator, the calendar over it, and the view items that show them.
class PictureArea {
public:
    /// `dressCalendar` gives the calendar the window's colours once it is built.
    PictureArea(QMainWindow& window, const Services& services, MainControls& ui,
                std::function<void()> dressCalendar);
    ~PictureArea();
    PictureArea(const PictureArea&) = delete;
    PictureArea& operator=(const PictureArea&) = delete;

    /// Builds the area (the picture, the hidden list of pictures) under the controls.
    void build();
    /// Takes the view items and context menus it answers to, once they are built.
    void bindMenus(const MainMenus& menus);

    [[nodiscard]] PictureList& list() { return *m_pictures; }
    [[nodiscard]] const QLabel* image() const { return Image1; }
    /// The calendar, null until it is built.
    [[nodiscard]] QCalendarWidget* calendar() const { return MonthView1; }
    /// The calendar's date, or `today` before the calendar is built.
    [[nodiscard]] QDate calendarDate(QDate today) const;
    [[nodiscard]] bool calendarShown() const;
    [[nodiscard]] bool pictureHidden() const;
    /// The picture shown, saved as "PictureFile"; empty for the built-in picture.
    [[nodiscard]] const QString& pictureFile() const { return m_pictureFile; }

    /// Builds the calendar if it is not yet.
    void ensureCalendar();
    /// The view items' checks as the settings hold them.
    void loadToggles(const platform::SettingsStore& store);
    /// The stored picture, or the built-in one; the program's folder is searched for more.
    void loadPicture(const platform::SettingsStore& store);

    void mnuCalender_Click();
    void mnuPic_Click();
    void mnuViewRefresh_Click();
    void showNextPicture();
    /// Mouse events of the picture: clicks show the calendar, the right button its menu.
    bool filterImage1(QEvent* event);

private:
    void showPicture(const QString& path, const QPixmap& pixmap);
    void setCalendarShown(bool shown);
    [[nodiscard]] bool areaShown() const;
    void fitHeight();
    void Image1_Click();

    QMainWindow& m_window;
    const Services& m_services;
    MainControls& m_ui;
    std::function<void()> m_dressCalendar;
    std::unique_ptr<PictureList> m_pictures;
    QString m_pictureFile;
    // A double click on the picture ends with a release that is no click of its own.
    bool m_image1ReleaseIsDoubleClick = false;

    QWidget* m_area = nullptr;    // holds the picture and the calendar
    QLabel* Image1 = nullptr;     // picture under the calculator
    QListWidget* List2 = nullptr; // paths of the pictures that can be shown
    QCalendarWidget* MonthView1 = nullptr;
    QAction* mnuCalender = nullptr;
    QAction* mnuPic = nullptr;
    QAction* mnuPopNext = nullptr;
    QMenu* mnuPopup = nullptr;  // on the picture
    QMenu* mnuPopup3 = nullptr; // on the calendar
};

} // namespace sumiplex::ui
