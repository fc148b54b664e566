// What the main window reads from the settings store when it starts and writes back when it
// unloads, the grand total and the memory among them, and the looks the options dialog
// reads from and writes into the windows.

#include "ui/mainwindow/main_settings.h"
#include "core/engine/currency.h"
#include "core/engine/engine.h"
#include "core/settings/values.h"
#include "platform/clock.h"
#include "platform/colour.h"
#include "platform/settings_keys.h"
#include "platform/twips_geometry.h"
#include "platform/window_placement.h"

#include "core/engine/registers.h"
#include "platform/dialogs.h"
#include "ui/dialogs/window_looks.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/mainwindow/main_controls.h"
#include "ui/mainwindow/main_menus.h"
#include "ui/mainwindow/picture_area.h"
#include "ui/widgets/clickable_label.h"
#include "ui/widgets/widget_helpers.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextCharFormat>

namespace sumiplex::ui {

namespace {

using platform::readSetting;
using platform::Setting;
using platform::SettingsStore;
using platform::writeNumber;
using platform::writeTruth;

// No installed family has a name near this long; a longer stored name is damage, and
// matching it against every installed font could slow every start.
constexpr qsizetype kLongestFontName = 127;

/// The font of `widget` with name, bold and italic taken from the store.
QFont storedFont(const SettingsStore& store, const QFont& current, const Setting<QStringView>& name,
                 const Setting<bool>& bold, const Setting<bool>& italic) {
    QFont font = current;
    const QString family = readSetting(store, name);
    if (!family.isEmpty() && family.size() <= kLongestFontName)
        font.setFamily(family);
    font.setBold(readSetting(store, bold, current.bold()));
    font.setItalic(readSetting(store, italic, current.italic()));
    return font;
}

QFont storedFont(const SettingsStore& store, const QFont& current, const Setting<QStringView>& name,
                 const Setting<bool>& bold, const Setting<bool>& italic,
                 const Setting<float>& size) {
    QFont font = storedFont(store, current, name, bold, italic);
    const float points = readSetting(store, size, static_cast<float>(current.pointSizeF()));
    // A size a font cannot have keeps the one it had.
    if (points > 0 && points < 1000)
        font.setPointSizeF(points);
    return font;
}

void writeFont(SettingsStore& store, const QFont& font, QStringView name, QStringView bold,
               QStringView italic) {
    store.write(name, font.family());
    writeTruth(store, bold, font.bold());
    writeTruth(store, italic, font.italic());
}

/// The name the input line's font goes by. A name the desktop maps to an installed family
/// (directly or through a stand-in) stays as written, so closing writes back what was read;
/// a name nothing stands in for becomes the family the line really got.
QString resolvedFontName(const QFont& font) {
    QString wanted = font.family();
    const QString got = QFontInfo(font).family();
    if (got.compare(wanted, Qt::CaseInsensitive) == 0)
        return wanted;
    for (const QString& standIn : QFont::substitutes(wanted))
        if (got.compare(standIn, Qt::CaseInsensitive) == 0)
            return wanted;
    return got.isEmpty() ? wanted : got;
}

QFont withFace(QFont base, const QFont& face) {
    base.setFamily(face.family());
    base.setBold(face.bold());
    base.setItalic(face.italic());
    return base;
}

} // namespace

MainSettings::MainSettings(QMainWindow& window, const Services& services, engine::Engine& engine,
                           MainControls& ui, MainMenus& menus, PictureArea& picture,
                           LazyWindow<frmTip2>& history, LazyWindow<frmTip3>& memo)
    : m_window(window), m_services(services), m_engine(engine), m_ui(ui), m_menus(menus),
      m_picture(picture), m_tip2(history), m_tip3(memo),
      m_backColour(platform::kMeBackColorRead.defaultValue),
      m_lineColour(platform::kLin1.defaultValue), m_totalColour(platform::kLabel1c.defaultValue) {}

void MainSettings::load() {
    const SettingsStore& store = m_services.settings;
    platform::restoreWindowPosition(m_window, store, platform::kMainLeft, platform::kMainTop);
    loadViewToggles();
    m_engine.setTaxRate(readSetting(store, platform::kTaxRate, qint16(m_engine.taxRate())));
    m_engine.setTaxRule(readSetting(store, platform::kTaxOP, qint16(m_engine.taxRule())));
    // A rate the rate dialog would refuse (negative, zero, too large for the conversions)
    // is damage to the file; the default stands in for it, as for a text that is no number.
    const double rate = readSetting(store, platform::kDollRate, m_engine.exchangeRate());
    m_engine.setExchangeRate(engine::isUsableExchangeRate(rate) ? rate
                                                                : platform::kDollRate.defaultValue);
    m_engine.placeTyped(readSetting(store, platform::kRoundD).toStdU16String(), 0);
    loadColours();
    loadInputFont();
    loadTotalFont();
    m_picture.loadPicture(store);
    loadRegisters();
    // Label4 and Text3 start hidden: the engine's view says so, and render carries it.
}

void MainSettings::loadViewToggles() {
    const SettingsStore& store = m_services.settings;
    m_engine.setTaxLinesVisible(
        readSetting(store, platform::kMnuTax, m_menus.action("mnuTax")->isChecked()));
    QAction* statusBarItem = m_menus.action("mnuViewStatusBar");
    statusBarItem->setChecked(
        readSetting(store, platform::kMnuViewStatusBar, statusBarItem->isChecked()));
    m_window.statusBar()->setVisible(statusBarItem->isChecked());
    m_picture.loadToggles(store);
}

void MainSettings::loadColours() {
    const SettingsStore& store = m_services.settings;
    m_backColour = readSetting(store, platform::kMeBackColorRead, m_backColour);
    QPalette p = m_window.palette();
    p.setColor(QPalette::Window, platform::colourFromValue(m_backColour, m_window.palette()));
    m_window.setPalette(p);

    m_lineColour = readSetting(store, platform::kLin1, m_lineColour);
    applyAccentColour();
}

void MainSettings::loadInputFont() {
    const SettingsStore& store = m_services.settings;
    const QFont font = storedFont(store, m_ui.Text1->font(), platform::kText1f, platform::kText1b,
                                  platform::kText1i);
    m_ui.Text1->setFont(font);
    m_engine.setInputFontBold(font.bold());
    m_engine.setInputFontName(resolvedFontName(font).toStdU16String());
}

void MainSettings::loadTotalFont() {
    const SettingsStore& store = m_services.settings;
    const QFont total = storedFont(store, m_ui.Label1->font(), platform::kLabel1f,
                                   platform::kLabel1b, platform::kLabel1i);
    dressLikeTotal(total, readSetting(store, platform::kLabel1c, m_totalColour));
}

void MainSettings::dressLikeTotal(const QFont& face, std::int32_t ink) {
    QFont total = m_ui.Label1->font();
    total.setFamily(face.family());
    total.setBold(face.bold());
    total.setItalic(face.italic());
    m_ui.Label1->setFont(total);
    m_engine.setLabel1FontName(total.family().toStdU16String());
    m_totalColour = ink;
    const QColor colour = platform::colourFromValue(m_totalColour, m_window.palette());
    setTextColour(m_ui.Label1, colour);

    // The tax lines and the AC button dress like the total, at their own sizes.
    for (QWidget* w : {static_cast<QWidget*>(m_ui.Label2), static_cast<QWidget*>(m_ui.Label3),
                       static_cast<QWidget*>(m_ui.Command1)}) {
        QFont f = w->font();
        f.setFamily(total.family());
        f.setBold(total.bold());
        f.setItalic(total.italic());
        w->setFont(f);
    }
    for (QWidget* w : {static_cast<QWidget*>(m_ui.Label2), static_cast<QWidget*>(m_ui.Label3),
                       static_cast<QWidget*>(m_ui.Label4), static_cast<QWidget*>(m_ui.Label5),
                       static_cast<QWidget*>(m_ui.Label6)})
        setTextColour(w, colour);
}

// The history and memo windows are built after the main window is first shown (or when
// first needed); each takes its stored font and place then.
void MainSettings::dressHistoryWindow(frmTip2& history) {
    const SettingsStore& store = m_services.settings;
    history.text().setFont(storedFont(store, history.text().font(), platform::kTip2Textf,
                                      platform::kTip2Textb, platform::kTip2Texti,
                                      platform::kTip2Texts));
    platform::restoreWindowPosition(history, store, platform::kTip2Left, platform::kTip2Top);
}

void MainSettings::dressMemoPad(frmTip3& memo) {
    const SettingsStore& store = m_services.settings;
    memo.setMemoFont(storedFont(store, memo.memoFont(), platform::kTip3Textf, platform::kTip3Textb,
                                platform::kTip3Texti, platform::kTip3Texts));
    platform::restoreWindowPosition(memo, store, platform::kTip3Left, platform::kTip3Top);
}

void MainSettings::save() {
    SettingsStore& store = m_services.settings;
    platform::saveWindowPosition(m_window, m_services.settings, platform::kMainLeft.key,
                                 platform::kMainTop.key);
    store.write(platform::kPictureFile, m_picture.pictureFile());
    const auto checked = [this](const char* item) { return m_menus.action(item)->isChecked(); };
    writeTruth(store, platform::kMnuTax, checked("mnuTax"));
    writeTruth(store, platform::kMnuViewStatusBar, checked("mnuViewStatusBar"));
    writeTruth(store, platform::kMnuCalender, checked("mnuCalender"));
    writeTruth(store, platform::kMnuPicWrite, checked("mnuPic"));
    writeNumber(store, platform::kTaxRate, m_engine.taxRate());
    writeNumber(store, platform::kTaxOP, m_engine.taxRule());
    writeNumber(store, platform::kDollRate, m_engine.exchangeRate());
    store.write(platform::kRoundD, m_ui.Text3->text());
    writeNumber(store, platform::kMeBackColorWrite, int(m_backColour));
    writeFont(store, m_ui.Text1->font(), platform::kText1f, platform::kText1b, platform::kText1i);
    writeNumber(store, platform::kLin1, int(m_lineColour));
    writeFont(store, m_ui.Label1->font(), platform::kLabel1f, platform::kLabel1b,
              platform::kLabel1i);
    writeNumber(store, platform::kLabel1c, int(m_totalColour));
    const QFont tape = m_tip2->text().font();
    writeFont(store, tape, platform::kTip2Textf, platform::kTip2Textb, platform::kTip2Texti);
    writeNumber(store, platform::kTip2Texts, float(tape.pointSizeF()));
    const QFont memo = m_tip3->memoFont();
    writeFont(store, memo, platform::kTip3Textf, platform::kTip3Textb, platform::kTip3Texti);
    writeNumber(store, platform::kTip3Texts, float(memo.pointSizeF()));
}

WindowLooks MainSettings::currentLooks() const {
    WindowLooks looks;
    looks.windowBack = m_backColour;
    looks.accent = m_totalColour;
    // The input font is the one the engine restores: the line may be showing the reading
    // copy in the four-digit font for a moment, which is nobody's choice of font.
    looks.input = m_ui.Text1->font();
    looks.input.setFamily(QString::fromStdU16String(m_engine.inputFontName()));
    looks.history = m_tip2->text().font();
    looks.memo = m_tip3->memoFont();
    return looks;
}

void MainSettings::applyLooks(const WindowLooks& looks) {
    m_backColour = looks.windowBack;
    QPalette back = m_window.palette();
    back.setColor(QPalette::Window, platform::colourFromValue(m_backColour, m_window.palette()));
    m_window.setPalette(back);

    // Italic is the widget's own; family and bold reach the line through the engine, which
    // restores them after the four-digit reading.
    QFont input = m_ui.Text1->font();
    input.setItalic(looks.input.italic());
    m_ui.Text1->setFont(input);
    m_engine.setInputFontBold(looks.input.bold());
    m_engine.setInputFontName(looks.input.family().toStdU16String());

    m_lineColour = looks.accent;
    applyAccentColour();
    dressLikeTotal(looks.input, looks.accent);

    QFont tape = withFace(m_tip2->text().font(), looks.history);
    tape.setPointSizeF(looks.history.pointSizeF());
    m_tip2->text().setFont(tape);
    QFont memo = withFace(m_tip3->memoFont(), looks.memo);
    memo.setPointSizeF(looks.memo.pointSizeF());
    m_tip3->setMemoFont(memo);
}

void MainSettings::applyAccentColour() {
    const QColor accent = platform::colourFromValue(m_lineColour, m_window.palette());
    for (QFrame* line : {m_ui.Line1, m_ui.Line3, m_ui.Line4}) {
        QPalette p = line->palette();
        p.setColor(QPalette::Window, accent);
        line->setPalette(p);
    }
    QCalendarWidget* calendar = m_picture.calendar();
    if (!calendar)
        return;
    QPalette p = calendar->palette();
    p.setColor(QPalette::Highlight, accent);
    calendar->setPalette(p);
    QTextCharFormat header = calendar->headerTextFormat();
    header.setForeground(accent);
    calendar->setHeaderTextFormat(header);
}

void MainSettings::loadRegisters() {
    const platform::SettingsStore& store = m_services.settings;
    m_engine.restoreRegisters(readSetting(store, platform::kGrandTotal).toStdU16String(),
                              readSetting(store, platform::kMemoryValue).toStdU16String());
}

void MainSettings::saveRegisters(bool endingQuietly) {
    m_engine.addTotalToGrandTotal();
    if (m_engine.takeRequests().overflowed && !endingQuietly)
        sayRegisterOverflow(engine::RegisterKind::GrandTotal, true);
    const engine::Registers& registers = m_engine.registers();
    platform::SettingsStore& store = m_services.settings;
    store.write(platform::kGrandTotal,
                QString::fromStdU16String(registers.grandTotal().toPlainString()));
    store.write(platform::kMemoryValue,
                QString::fromStdU16String(registers.memory().toPlainString()));
}

void MainSettings::sayRegisterOverflow(engine::RegisterKind kind, bool blocking) {
    const QString text =
        kind == engine::RegisterKind::GrandTotal
            ? QStringLiteral("GTが計算できる桁数を超えるため、この合計はGTに加えていません。")
            : QStringLiteral("メモリーが計算できる桁数を超えるため、メモリーは変わりません。");
    // At the end the program waits for the answer; while it runs, typing goes on.
    if (blocking)
        m_services.messages.warning(&m_window, text, m_window.windowTitle());
    else
        m_services.messages.notice(&m_window, text, m_window.windowTitle());
}

} // namespace sumiplex::ui
