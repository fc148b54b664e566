// What the main window reads from the settings store when it starts and writes back when it
// unloads. Every step stands on its own: a value that does not convert leaves the property
// as it was and the next step runs.

#include "core/engine/currency.h"
#include "core/engine/engine.h"
#include "core/settings/values.h"
#include "platform/clock.h"
#include "platform/colour.h"
#include "platform/settings_keys.h"
#include "platform/twips_geometry.h"
#include "platform/window_placement.h"
#include "ui/dialogs/frm_tip1.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip2.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/picture/picture_file.h"
#include "ui/picture/picture_list.h"
#include "ui/tools/units/dialog_ton.h"
#include "ui/widgets/clickable_label.h"
#include "ui/widgets/widget_helpers.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

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

} // namespace

void frmMain::loadSettings() {
    const SettingsStore& store = m_services.settings;
    platform::restoreWindowPosition(*this, store, platform::kMainLeft, platform::kMainTop);
    loadViewToggles();
    m_engine->setTaxRate(readSetting(store, platform::kTaxRate, qint16(m_engine->taxRate())));
    m_engine->setTaxRule(readSetting(store, platform::kTaxOP, qint16(m_engine->taxRule())));
    // A rate the rate dialog would refuse (negative, zero, too large for the conversions)
    // is damage to the file; the default stands in for it, as for a text that is no number.
    const double rate = readSetting(store, platform::kDollRate, m_engine->exchangeRate());
    m_engine->setExchangeRate(
        engine::isUsableExchangeRate(rate) ? rate : platform::kDollRate.defaultValue);
    m_engine->placeTyped(readSetting(store, platform::kRoundD).toStdU16String(), 0);
    loadColours();
    loadInputFont();
    loadTotalFont();
    loadPicture();
    loadRegisters();
    // Label4 and Text3 start hidden: the engine's view says so, and render carries it.
}

void frmMain::loadViewToggles() {
    const SettingsStore& store = m_services.settings;
    m_engine->setTaxLinesVisible(readSetting(store, platform::kMnuTax, mnuTax->isChecked()));
    mnuViewStatusBar->setChecked(
        readSetting(store, platform::kMnuViewStatusBar, mnuViewStatusBar->isChecked()));
    statusBar()->setVisible(mnuViewStatusBar->isChecked());
    mnuCalender->setChecked(readSetting(store, platform::kMnuCalender, mnuCalender->isChecked()));
    setCalendarShown(mnuCalender->isChecked());
    mnuPic->setChecked(readSetting(store, platform::kMnuPicRead, mnuPic->isChecked()));
    Image1->setVisible(mnuPic->isChecked());
    m_pictureArea->setVisible(pictureAreaShown());
}

void frmMain::loadColours() {
    const SettingsStore& store = m_services.settings;
    m_backColour = readSetting(store, platform::kMeBackColorRead, m_backColour);
    QPalette p = palette();
    p.setColor(QPalette::Window, platform::colourFromValue(m_backColour, palette()));
    setPalette(p);

    m_lineColour = readSetting(store, platform::kLin1, m_lineColour);
    applyAccentColour();
}

void frmMain::loadInputFont() {
    const SettingsStore& store = m_services.settings;
    const QFont font =
        storedFont(store, Text1->font(), platform::kText1f, platform::kText1b, platform::kText1i);
    Text1->setFont(font);
    m_engine->setInputFontBold(font.bold());
    m_engine->setInputFontName(resolvedFontName(font).toStdU16String());
}

void frmMain::loadTotalFont() {
    const SettingsStore& store = m_services.settings;
    const QFont total = storedFont(store, Label1->font(), platform::kLabel1f, platform::kLabel1b,
                                   platform::kLabel1i);
    dressLikeTotal(total, readSetting(store, platform::kLabel1c, m_totalColour));
}

void frmMain::dressLikeTotal(const QFont& face, std::int32_t ink) {
    QFont total = Label1->font();
    total.setFamily(face.family());
    total.setBold(face.bold());
    total.setItalic(face.italic());
    Label1->setFont(total);
    m_engine->setLabel1FontName(total.family().toStdU16String());
    m_totalColour = ink;
    const QColor colour = platform::colourFromValue(m_totalColour, palette());
    setTextColour(Label1, colour);

    // The tax lines and the AC button dress like the total, at their own sizes.
    for (QWidget* w : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3),
                       static_cast<QWidget*>(Command1)}) {
        QFont f = w->font();
        f.setFamily(total.family());
        f.setBold(total.bold());
        f.setItalic(total.italic());
        w->setFont(f);
    }
    for (QWidget* w : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3),
                       static_cast<QWidget*>(Label4), static_cast<QWidget*>(Label5),
                       static_cast<QWidget*>(Label6)})
        setTextColour(w, colour);
}

// The history and memo windows are built after the main window is first shown (or when
// first needed); each takes its stored font and place then, and everything it holds.
void frmMain::setUpHistoryWindow(frmTip2& history) {
    const SettingsStore& store = m_services.settings;
    history.text().setFont(storedFont(store, history.text().font(), platform::kTip2Textf,
                                      platform::kTip2Textb, platform::kTip2Texti,
                                      platform::kTip2Texts));
    platform::restoreWindowPosition(history, store, platform::kTip2Left, platform::kTip2Top);
    if (m_shownOnce)
        setCompanionCaptions(history);
    connectHistoryNotes(history);
    // Lines of a paste still being collected reach the window when the paste ends.
    std::u16string_view shown = m_tape->text();
    if (m_tapeBatch)
        shown.remove_suffix(m_tapeBatch->size());
    history.showTape(shown);
}

void frmMain::setUpMemoPad(frmTip3& memo) {
    const SettingsStore& store = m_services.settings;
    memo.setMemoFont(storedFont(store, memo.memoFont(), platform::kTip3Textf, platform::kTip3Textb,
                                platform::kTip3Texti, platform::kTip3Texts));
    platform::restoreWindowPosition(memo, store, platform::kTip3Left, platform::kTip3Top);
    if (m_shownOnce)
        setCompanionCaptions(memo);
    connectMemoPad(memo);
}

void frmMain::loadPicture() {
    const QString path = readSetting(m_services.settings, platform::kPictureFile);
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
    QTimer::singleShot(0, this, [this] { m_pictures->collectAsync(m_services.programFolder); });
}

void frmMain::queryUnload() {
    Label1->hide();
    // Closing in the four-digit reading would store its font as the user's.
    const std::u16string& input = m_engine->inputFontName();
    if (m_engine->view().menus.fourDigit ||
        m_engine->view().total.fontName == engine::kFourDigitFontName) {
        m_engine->setLabel1FontName(input);
        m_engine->setInputFontName(input);
    } else if (m_engine->view().input.fontName != input) {
        m_engine->setInputFontName(input);
    }
    render();
}

void frmMain::unloadWindow() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    unloadCheckWindows();
    saveSettings();
    saveRegisters();
    // The tool windows unload newest first; each saves its own position. (The memo pad
    // saves its position when it reports itself unloaded.)
    m_tools->closeAll();
    m_tip3->unload(m_services.files, m_services.messages);
    m_tip2->hide();
    platform::saveWindowPosition(*m_tip2, m_services.settings, platform::kTip2Left.key,
                                 platform::kTip2Top.key);
}

void frmMain::saveSettings() {
    SettingsStore& store = m_services.settings;
    platform::saveWindowPosition(*this, m_services.settings, platform::kMainLeft.key,
                                 platform::kMainTop.key);
    store.write(platform::kPictureFile, m_pictureFile);
    writeTruth(store, platform::kMnuTax, mnuTax->isChecked());
    writeTruth(store, platform::kMnuViewStatusBar, mnuViewStatusBar->isChecked());
    writeTruth(store, platform::kMnuCalender, mnuCalender->isChecked());
    writeTruth(store, platform::kMnuPicWrite, mnuPic->isChecked());
    writeNumber(store, platform::kTaxRate, m_engine->taxRate());
    writeNumber(store, platform::kTaxOP, m_engine->taxRule());
    writeNumber(store, platform::kDollRate, m_engine->exchangeRate());
    store.write(platform::kRoundD, Text3->text());
    writeNumber(store, platform::kMeBackColorWrite, int(m_backColour));
    writeFont(store, Text1->font(), platform::kText1f, platform::kText1b, platform::kText1i);
    writeNumber(store, platform::kLin1, int(m_lineColour));
    writeFont(store, Label1->font(), platform::kLabel1f, platform::kLabel1b, platform::kLabel1i);
    writeNumber(store, platform::kLabel1c, int(m_totalColour));
    const QFont tape = m_tip2->text().font();
    writeFont(store, tape, platform::kTip2Textf, platform::kTip2Textb, platform::kTip2Texti);
    writeNumber(store, platform::kTip2Texts, float(tape.pointSizeF()));
    const QFont memo = m_tip3->memoFont();
    writeFont(store, memo, platform::kTip3Textf, platform::kTip3Textb, platform::kTip3Texti);
    writeNumber(store, platform::kTip3Texts, float(memo.pointSizeF()));
}

} // namespace sumiplex::ui
