#pragma once

#include "platform/settings_store.h"

#include <QString>
#include <QStringView>

namespace sumiplex::platform {

// One constant per stored setting: its key and its default. Each converts to its key, so it
// can be handed to SettingsStore::read/write directly. Three keys are read and written in
// different letter case by the program; they have a Read and a Write constant, and the
// store's case rule makes both reach one value.

struct TextSetting {
    QStringView key;
    QStringView defaultValue;
    constexpr operator QStringView() const { return key; }
};

struct TruthSetting {
    QStringView key;
    bool defaultValue;
    constexpr operator QStringView() const { return key; }
};

struct Int16Setting {
    QStringView key;
    qint16 defaultValue;
    constexpr operator QStringView() const { return key; }
};

/// Colours: signed 32-bit, red in the low byte; the top bit set names a system colour.
struct Int32Setting {
    QStringView key;
    qint32 defaultValue;
    constexpr operator QStringView() const { return key; }
};

struct SingleSetting {
    QStringView key;
    float defaultValue;
    constexpr operator QStringView() const { return key; }
};

struct DoubleSetting {
    QStringView key;
    double defaultValue;
    constexpr operator QStringView() const { return key; }
};

/// The system colour of window backgrounds (0x80000005).
inline constexpr qint32 kSystemWindowBackground = -2147483643;

// Main window: positions in twips.
inline constexpr SingleSetting kMainLeft{u"MainLeft", 1000};
inline constexpr SingleSetting kMainTop{u"MainTop", 1000};
// Main window: check marks of the view toggles.
inline constexpr TruthSetting kMnuTax{u"mnuTax", true};
inline constexpr TruthSetting kMnuViewStatusBar{u"mnuViewStatusBar", false};
inline constexpr TruthSetting kMnuCalender{u"mnuCalender", false};
inline constexpr TruthSetting kMnuPicRead{u"mnuPic", true};
inline constexpr TruthSetting kMnuPicWrite{u"mnupic", true};
// Tax rate in percent, tax fraction rule 1..3, yen per US dollar.
inline constexpr Int16Setting kTaxRate{u"TaxRate", 5};
inline constexpr Int16Setting kTaxOP{u"TaxOP", 1};
inline constexpr DoubleSetting kDollRate{u"DollRate", 80};
/// The decimal-place box's text as it stands.
inline constexpr TextSetting kRoundD{u"RoundD", u"1"};
inline constexpr Int32Setting kMeBackColorRead{u"MeBackColor", kSystemWindowBackground};
inline constexpr Int32Setting kMeBackColorWrite{u"meBackColor", kSystemWindowBackground};
// Input line font.
inline constexpr TextSetting kText1f{u"text1f", u"Times New Roman"};
inline constexpr TruthSetting kText1b{u"text1b", true};
inline constexpr TruthSetting kText1i{u"text1i", false};
/// Colour of the rule lines and of the calendar's accent.
inline constexpr Int32Setting kLin1{u"lin1", 1006847};
// Total label font and text colour.
inline constexpr TextSetting kLabel1f{u"label1f", u"Times New Roman"};
inline constexpr TruthSetting kLabel1b{u"label1b", true};
inline constexpr TruthSetting kLabel1i{u"label1i", false};
inline constexpr Int32Setting kLabel1c{u"label1c", 1006847};
// History tape font; size in points.
inline constexpr TextSetting kTip2Textf{u"tip2Textf", u"Times New Roman"};
inline constexpr TruthSetting kTip2Textb{u"tip2Textb", true};
inline constexpr TruthSetting kTip2Texti{u"tip2Texti", false};
inline constexpr SingleSetting kTip2Texts{u"tip2Texts", 14};
// Memo pad font; size in points.
inline constexpr TextSetting kTip3Textf{u"tip3Textf", u"ＭＳ Ｐゴシック"};
inline constexpr TruthSetting kTip3Textb{u"tip3Textb", false};
inline constexpr TruthSetting kTip3Texti{u"tip3Texti", false};
inline constexpr SingleSetting kTip3Texts{u"tip3Texts", 12};
/// Full path of the picture shown in the main window; empty for the built-in one.
inline constexpr TextSetting kPictureFile{u"PictureFile", u""};

// Positions of the other windows, in twips.
inline constexpr SingleSetting kTip2Left{u"Tip2Left", 1000};
inline constexpr SingleSetting kTip2Top{u"Tip2Top", 1000};
inline constexpr SingleSetting kTip3Left{u"Tip3Left", 1000};
inline constexpr SingleSetting kTip3Top{u"Tip3Top", 1000};
inline constexpr SingleSetting kDlgTonLeftRead{u"dlgTonleft", 1000};
inline constexpr SingleSetting kDlgTonLeftWrite{u"dlgTonLeft", 1000};
inline constexpr SingleSetting kDlgTonTop{u"dlgTonTop", 1000};
/// Decimal place of the unit price part of the unit dialog, as text.
inline constexpr TextSetting kRoundT{u"RoundT", u"1"};
inline constexpr SingleSetting kBrthLeft{u"BrthLeft", 1000};
inline constexpr SingleSetting kBrthTop{u"BrthTop", 1000};
inline constexpr SingleSetting kTimeLeft{u"TimeLeft", 1000};
inline constexpr SingleSetting kTimeTop{u"TimeTop", 1000};
inline constexpr SingleSetting kCash1Left{u"Cash1Left", 1000};
inline constexpr SingleSetting kCash1Top{u"Cash1Top", 1000};
inline constexpr SingleSetting kCash2Left{u"Cash2Left", 1000};
inline constexpr SingleSetting kCash2Top{u"Cash2Top", 1000};
/// Tapes kept in the tape folder are removed at start-up once older than this many days.
inline constexpr Int32Setting kTapeKeepDays{u"TapeKeepDays", 400};
// Tax by rate window: the standard and reduced rates in percent as typed, and its position.
inline constexpr TextSetting kZeiRate{u"ZeiRate", u"10"};
inline constexpr TextSetting kZeiRateK{u"ZeiRateK", u"8"};
inline constexpr SingleSetting kZeiLeft{u"ZeiLeft", 1000};
inline constexpr SingleSetting kZeiTop{u"ZeiTop", 1000};

// Typed reads. An absent key gives the setting's default. A stored text that does not
// convert gives `fallback` — pass the property's current value to keep it, as start-up
// does — or, in the overloads without one, the default.
[[nodiscard]] QString readText(const SettingsStore& store, TextSetting setting);
[[nodiscard]] bool readTruth(const SettingsStore& store, TruthSetting setting);
[[nodiscard]] bool readTruth(const SettingsStore& store, TruthSetting setting, bool fallback);
[[nodiscard]] qint16 readInt16(const SettingsStore& store, Int16Setting setting);
[[nodiscard]] qint16 readInt16(const SettingsStore& store, Int16Setting setting, qint16 fallback);
[[nodiscard]] qint32 readInt32(const SettingsStore& store, Int32Setting setting);
[[nodiscard]] qint32 readInt32(const SettingsStore& store, Int32Setting setting, qint32 fallback);
[[nodiscard]] float readSingle(const SettingsStore& store, SingleSetting setting);
[[nodiscard]] float readSingle(const SettingsStore& store, SingleSetting setting, float fallback);
[[nodiscard]] double readDouble(const SettingsStore& store, DoubleSetting setting);
[[nodiscard]] double readDouble(const SettingsStore& store, DoubleSetting setting, double fallback);

// Typed writes in the stored forms: "True"/"False"; plain decimal numbers (1000, 80, 80.5,
// -2147483643) with the fewest digits that read back to the same value.
void writeTruth(SettingsStore& store, QStringView key, bool value);
void writeNumber(SettingsStore& store, QStringView key, int value);
void writeNumber(SettingsStore& store, QStringView key, float value);
void writeNumber(SettingsStore& store, QStringView key, double value);

} // namespace sumiplex::platform
