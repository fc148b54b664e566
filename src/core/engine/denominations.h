#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

namespace sumiplex::cash {

/// One Japanese note or coin, with every way the program writes it.
struct Denomination {
    std::int64_t faceValue;
    std::u16string_view printed;    ///< as it heads a printed row: "10,000"
    std::u16string_view caption;    ///< the per-entry grid's column caption, padded
    std::u16string_view name;       ///< the summary row's name as a rebuild writes it
    std::u16string_view paddedName; ///< the same name padded to four characters
};

/// The nine notes and coins, always in this order; index k - 1 is denomination k. Every
/// reader of denominations (the input line's tally, the breakdown, the tally window, the
/// print-out) takes them from here, so they can never disagree on the order.
inline constexpr std::array<Denomination, 9> kDenominationList{{
    {10000, u"10,000", u"一万円　", u"一万円券", u"一万円券"},
    {5000, u"5,000", u"五千円　", u"五千円券", u"五千円券"},
    {1000, u"1,000", u"千円　　", u"千円券", u"千円券　"},
    {500, u"500", u"五百円　", u"五百円玉", u"五百円玉"},
    {100, u"100", u"百円　　", u"百円玉", u"百円玉　"},
    {50, u"50", u"五十円　", u"五十円玉", u"五十円玉"},
    {10, u"10", u"十円　　", u"十円玉", u"十円玉　"},
    {5, u"5", u"五円　　", u"五円玉", u"五円玉　"},
    {1, u"1", u"一円　　", u"一円玉", u"一円玉　"},
}};

inline constexpr std::size_t kDenominations = kDenominationList.size();

namespace detail {

template <auto Field> constexpr auto denominationColumn() {
    std::array<std::remove_cvref_t<decltype(kDenominationList[0].*Field)>, kDenominations> out{};
    for (std::size_t k = 0; k < kDenominations; ++k)
        out[k] = kDenominationList[k].*Field;
    return out;
}

} // namespace detail

// Columns of the list, for the readers that walk one of them.
inline constexpr auto kFaceValues = detail::denominationColumn<&Denomination::faceValue>();
inline constexpr auto kPrintedFaceValues = detail::denominationColumn<&Denomination::printed>();
/// Column captions of the per-entry grid.
inline constexpr auto kEntryCaptions = detail::denominationColumn<&Denomination::caption>();
/// Names of the summary rows as a rebuild writes them.
inline constexpr auto kShortNames = detail::denominationColumn<&Denomination::name>();
/// The same names padded to four characters, for the exchange's summary and the memo.
inline constexpr auto kPaddedNames = detail::denominationColumn<&Denomination::paddedName>();

/// The index of the denomination with `faceValue` (10000 → 0 … 1 → 8); kDenominations for
/// a value that is no denomination.
[[nodiscard]] constexpr std::size_t denominationIndex(std::int64_t faceValue) {
    std::size_t k = 0;
    while (k < kDenominations && kFaceValues[k] != faceValue)
        ++k;
    return k;
}

/// The first header field of the per-entry grid; the captions above follow it.
inline constexpr std::u16string_view kAmountHeader = u"　金額　　　　　　　　　　　　　";

/// The three header fields of the summary grid.
inline constexpr std::array<std::u16string_view, 3> kSummaryHeader{
    u"　金種　　　　　　　", u"　　　　枚　　", u"　　金額　　　　　 "};

/// The word before the total in the caption and on the memo's total line.
inline constexpr std::u16string_view kTotalCaption = u"合計　　";

} // namespace sumiplex::cash
