#pragma once

#include "platform/settings_store.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <type_traits>

namespace sumiplex::platform {

// One constant per stored setting: its key and its default. Each converts to its key, so it
// can be handed to SettingsStore::read/write directly. Three keys are read and written in
// different letter case by the program; they have a Read and a Write constant, and the
// store's case rule makes both reach one value.
//
// T is what the setting holds: bool (truth values), qint16, qint32 (colours: red in the low
// byte, the top bit set names a system colour), float (positions, sizes), double, or
// QStringView for a text, whose default is a literal and which reads as a QString.
template <typename T> struct Setting {
    QStringView key;
    T defaultValue;
    constexpr operator QStringView() const { return key; }
};

template <typename T> struct SettingValue { using type = T; };
template <> struct SettingValue<QStringView> { using type = QString; };
/// What reading a Setting<T> gives.
template <typename T> using SettingValueT = typename SettingValue<T>::type;

/// The system colour of window backgrounds (0x80000005).
inline constexpr qint32 kSystemWindowBackground = -2147483643;

// Main window: positions in twips.
inline constexpr Setting<float> kMainLeft{u"MainLeft", 1000};
inline constexpr Setting<float> kMainTop{u"MainTop", 1000};
// Main window: check marks of the view toggles.
inline constexpr Setting<bool> kMnuTax{u"mnuTax", true};
inline constexpr Setting<bool> kMnuViewStatusBar{u"mnuViewStatusBar", false};
inline constexpr Setting<bool> kMnuCalender{u"mnuCalender", false};
inline constexpr Setting<bool> kMnuPicRead{u"mnuPic", true};
inline constexpr Setting<bool> kMnuPicWrite{u"mnupic", true};
// Tax rate in percent (by default the standard rate in force), tax fraction rule 1..3, yen
// per US dollar.
inline constexpr Setting<qint16> kTaxRate{u"TaxRate", 10};
inline constexpr Setting<qint16> kTaxOP{u"TaxOP", 1};
inline constexpr Setting<double> kDollRate{u"DollRate", 80};
/// The decimal-place box's text as it stands.
inline constexpr Setting<QStringView> kRoundD{u"RoundD", u"1"};
inline constexpr Setting<qint32> kMeBackColorRead{u"MeBackColor", kSystemWindowBackground};
inline constexpr Setting<qint32> kMeBackColorWrite{u"meBackColor", kSystemWindowBackground};
// Input line font.
inline constexpr Setting<QStringView> kText1f{u"text1f", u"Times New Roman"};
inline constexpr Setting<bool> kText1b{u"text1b", true};
inline constexpr Setting<bool> kText1i{u"text1i", false};
/// Colour of the rule lines and of the calendar's accent.
inline constexpr Setting<qint32> kLin1{u"lin1", 1006847};
// Total label font and text colour.
inline constexpr Setting<QStringView> kLabel1f{u"label1f", u"Times New Roman"};
inline constexpr Setting<bool> kLabel1b{u"label1b", true};
inline constexpr Setting<bool> kLabel1i{u"label1i", false};
inline constexpr Setting<qint32> kLabel1c{u"label1c", 1006847};
// History tape font; size in points.
inline constexpr Setting<QStringView> kTip2Textf{u"tip2Textf", u"Times New Roman"};
inline constexpr Setting<bool> kTip2Textb{u"tip2Textb", true};
inline constexpr Setting<bool> kTip2Texti{u"tip2Texti", false};
inline constexpr Setting<float> kTip2Texts{u"tip2Texts", 14};
// Memo pad font; size in points.
inline constexpr Setting<QStringView> kTip3Textf{u"tip3Textf", u"ＭＳ Ｐゴシック"};
inline constexpr Setting<bool> kTip3Textb{u"tip3Textb", false};
inline constexpr Setting<bool> kTip3Texti{u"tip3Texti", false};
inline constexpr Setting<float> kTip3Texts{u"tip3Texts", 12};
/// Full path of the picture shown in the main window; empty for the built-in one.
inline constexpr Setting<QStringView> kPictureFile{u"PictureFile", u""};

// Positions of the other windows, in twips.
inline constexpr Setting<float> kTip2Left{u"Tip2Left", 1000};
inline constexpr Setting<float> kTip2Top{u"Tip2Top", 1000};
inline constexpr Setting<float> kTip3Left{u"Tip3Left", 1000};
inline constexpr Setting<float> kTip3Top{u"Tip3Top", 1000};
inline constexpr Setting<float> kDlgTonLeftRead{u"dlgTonleft", 1000};
inline constexpr Setting<float> kDlgTonLeftWrite{u"dlgTonLeft", 1000};
inline constexpr Setting<float> kDlgTonTop{u"dlgTonTop", 1000};
/// Decimal place of the unit price part of the unit dialog, as text.
inline constexpr Setting<QStringView> kRoundT{u"RoundT", u"1"};
inline constexpr Setting<float> kBrthLeft{u"BrthLeft", 1000};
inline constexpr Setting<float> kBrthTop{u"BrthTop", 1000};
/// Whether the days window takes the year-end days, 12/29 to 1/3, for closed days.
inline constexpr Setting<bool> kDaysYearEnd{u"DaysYearEnd", false};
inline constexpr Setting<float> kTimeLeft{u"TimeLeft", 1000};
inline constexpr Setting<float> kTimeTop{u"TimeTop", 1000};
inline constexpr Setting<float> kCash1Left{u"Cash1Left", 1000};
inline constexpr Setting<float> kCash1Top{u"Cash1Top", 1000};
inline constexpr Setting<float> kCash2Left{u"Cash2Left", 1000};
inline constexpr Setting<float> kCash2Top{u"Cash2Top", 1000};
/// Tapes kept in the tape folder are removed at start-up once older than this many days.
inline constexpr Setting<qint32> kTapeKeepDays{u"TapeKeepDays", 400};
// Tax by rate window: the standard and reduced rates in percent as typed, and its position.
inline constexpr Setting<QStringView> kZeiRate{u"ZeiRate", u"10"};
inline constexpr Setting<QStringView> kZeiRateK{u"ZeiRateK", u"8"};
inline constexpr Setting<float> kZeiLeft{u"ZeiLeft", 1000};
inline constexpr Setting<float> kZeiTop{u"ZeiTop", 1000};
// Grand total and memory of the calculator, in plain form; the margin window's position.
inline constexpr Setting<QStringView> kGrandTotal{u"GrandTotal", u"0"};
inline constexpr Setting<QStringView> kMemoryValue{u"MemoryValue", u"0"};
inline constexpr Setting<float> kMarginLeft{u"MarginLeft", 1000};
inline constexpr Setting<float> kMarginTop{u"MarginTop", 1000};

// Margins of every print-out in millimetres, as the page set-up last confirmed them.
inline constexpr Setting<double> kPrintMarginLeft{u"PrintMarginLeft", 15};
inline constexpr Setting<double> kPrintMarginTop{u"PrintMarginTop", 15};
inline constexpr Setting<double> kPrintMarginRight{u"PrintMarginRight", 15};
inline constexpr Setting<double> kPrintMarginBottom{u"PrintMarginBottom", 15};

// The typed read. An absent key gives the setting's default. A stored text that does not
// convert gives `fallback` when one is passed — the property's current value, to keep it, as
// start-up does — else the default. A text setting reads the stored text as it is.
template <typename T>
[[nodiscard]] SettingValueT<T>
readSetting(const SettingsStore& store, const Setting<T>& setting,
            std::optional<std::type_identity_t<SettingValueT<T>>> fallback = std::nullopt);

// Defined for these types only.
extern template QString readSetting(const SettingsStore&, const Setting<QStringView>&,
                                    std::optional<QString>);
extern template bool readSetting(const SettingsStore&, const Setting<bool>&, std::optional<bool>);
extern template qint16 readSetting(const SettingsStore&, const Setting<qint16>&,
                                   std::optional<qint16>);
extern template qint32 readSetting(const SettingsStore&, const Setting<qint32>&,
                                   std::optional<qint32>);
extern template float readSetting(const SettingsStore&, const Setting<float>&,
                                  std::optional<float>);
extern template double readSetting(const SettingsStore&, const Setting<double>&,
                                   std::optional<double>);

// Typed writes in the stored forms: "True"/"False"; plain decimal numbers (1000, 80, 80.5,
// -2147483643) with the fewest digits that read back to the same value.
void writeTruth(SettingsStore& store, QStringView key, bool value);
void writeNumber(SettingsStore& store, QStringView key, int value);
void writeNumber(SettingsStore& store, QStringView key, float value);
void writeNumber(SettingsStore& store, QStringView key, double value);

} // namespace sumiplex::platform
