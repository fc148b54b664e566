#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace sumiplex::cash {

/// The nine Japanese notes and coins, always in this order; index k - 1 is denomination k.
inline constexpr std::size_t kDenominations = 9;

inline constexpr std::array<std::int64_t, kDenominations> kFaceValues{10000, 5000, 1000, 500, 100,
                                                                      50,    10,   5,    1};

/// Column captions of the per-entry grid.
inline constexpr std::array<std::u16string_view, kDenominations> kEntryCaptions{
    u"一万円　", u"五千円　", u"千円　　", u"五百円　", u"百円　　",
    u"五十円　", u"十円　　", u"五円　　", u"一円　　"};

/// Names of the summary rows as a rebuild writes them.
inline constexpr std::array<std::u16string_view, kDenominations> kShortNames{
    u"一万円券", u"五千円券", u"千円券", u"五百円玉", u"百円玉",
    u"五十円玉", u"十円玉",   u"五円玉", u"一円玉"};

/// The same names padded to four characters, for the exchange's summary and the memo.
inline constexpr std::array<std::u16string_view, kDenominations> kPaddedNames{
    u"一万円券", u"五千円券", u"千円券　", u"五百円玉", u"百円玉　",
    u"五十円玉", u"十円玉　", u"五円玉　", u"一円玉　"};

/// The first header field of the per-entry grid; the captions above follow it.
inline constexpr std::u16string_view kAmountHeader = u"　金額　　　　　　　　　　　　　";

/// The three header fields of the summary grid.
inline constexpr std::array<std::u16string_view, 3> kSummaryHeader{
    u"　金種　　　　　　　", u"　　　　枚　　", u"　　金額　　　　　 "};

/// The word before the total in the caption and on the memo's total line.
inline constexpr std::u16string_view kTotalCaption = u"合計　　";

/// Face values as they head the printed rows.
inline constexpr std::array<std::u16string_view, kDenominations> kPrintedFaceValues{
    u"10,000", u"5,000", u"1,000", u"500", u"100", u"50", u"10", u"5", u"1"};

} // namespace sumiplex::cash
