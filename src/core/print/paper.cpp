#include "core/print/paper.h"

#include <array>
#include <cmath>
#include <string_view>

namespace sumiplex::print {

namespace {

// Index = code - 1. Code 56 has a name in the platform's list but the paper list reads
// it as unknown, so it is left empty here.
constexpr std::array<std::u16string_view, 118> kCodeNames = {
    u"LETTER",
    u"LETTERSMALL",
    u"TABLOID",
    u"LEDGER",
    u"LEGAL",
    u"STATEMENT",
    u"EXECUTIVE",
    u"A3",
    u"A4",
    u"A4SMALL",
    u"A5",
    u"B4",
    u"B5",
    u"FOLIO",
    u"QUARTO",
    u"10X14",
    u"11X17",
    u"NOTE",
    u"ENV_9",
    u"ENV_10",
    u"ENV_11",
    u"ENV_12",
    u"ENV_14",
    u"CSHEET",
    u"DSHEET",
    u"ESHEET",
    u"ENV_DL",
    u"ENV_C5",
    u"ENV_C3",
    u"ENV_C4",
    u"ENV_C6",
    u"ENV_C65",
    u"ENV_B4",
    u"ENV_B5",
    u"ENV_B6",
    u"ENV_ITALY",
    u"ENV_MONARCH",
    u"ENV_PERSONAL",
    u"FANFOLD_US",
    u"FANFOLD_STD_GERMAN",
    u"FANFOLD_LGL_GERMAN",
    u"ISO_B4",
    u"JAPANESE_POSTCARD",
    u"9X11",
    u"10X11",
    u"15X11",
    u"ENV_INVITE",
    u"RESERVED_48",
    u"RESERVED_49",
    u"LETTER_EXTRA",
    u"LEGAL_EXTRA",
    u"TABLOID_EXTRA",
    u"A4_EXTRA",
    u"LETTER_TRANSVERSE",
    u"A4_TRANSVERSE",
    u"",
    u"A_PLUS",
    u"B_PLUS",
    u"LETTER_PLUS",
    u"A4_PLUS",
    u"A5_TRANSVERSE",
    u"B5_TRANSVERSE",
    u"A3_EXTRA",
    u"A5_EXTRA",
    u"B5_EXTRA",
    u"A2",
    u"A3_TRANSVERSE",
    u"A3_EXTRA_TRANSVERSE",
    u"DBL_JAPANESE_POSTCARD",
    u"A6",
    u"JENV_KAKU2",
    u"JENV_KAKU3",
    u"JENV_CHOU3",
    u"JENV_CHOU4",
    u"LETTER_ROTATED",
    u"A3_ROTATED",
    u"A4_ROTATED",
    u"A5_ROTATED",
    u"B4_JIS_ROTATED",
    u"B5_JIS_ROTATED",
    u"JAPANESE_POSTCARD_ROTATED",
    u"DBL_JAPANESE_POSTCARD_ROTATED",
    u"A6_ROTATED",
    u"JENV_KAKU2_ROTATED",
    u"JENV_KAKU3_ROTATED",
    u"JENV_CHOU3_ROTATED",
    u"JENV_CHOU4_ROTATED",
    u"B6_JIS",
    u"B6_JIS_ROTATED",
    u"12X11",
    u"JENV_YOU4",
    u"JENV_YOU4_ROTATED",
    u"P16K",
    u"P32K",
    u"P32KBIG",
    u"PENV_1",
    u"PENV_2",
    u"PENV_3",
    u"PENV_4",
    u"PENV_5",
    u"PENV_6",
    u"PENV_7",
    u"PENV_8",
    u"PENV_9",
    u"PENV_10",
    u"P16K_ROTATED",
    u"P32K_ROTATED",
    u"P32KBIG_ROTATED",
    u"PENV_1_ROTATED",
    u"PENV_2_ROTATED",
    u"PENV_3_ROTATED",
    u"PENV_4_ROTATED",
    u"PENV_5_ROTATED",
    u"PENV_6_ROTATED",
    u"PENV_7_ROTATED",
    u"PENV_8_ROTATED",
    u"PENV_9_ROTATED",
    u"PENV_10_ROTATED",
};

// Index = code - 1.
constexpr std::array<std::u16string_view, 41> kDescriptions = {
    u"レター、8 1/2 x 11 インチ",
    u"レター スモール、8 1/2 x 11 インチ",
    u"タブロイド、11 x 17 インチ",
    u"レジャー、17 x 11 インチ",
    u"リーガル、8 1/2 x 14 インチ",
    u"ステートメント、5 1/2 x 8 1/2 インチ",
    u"エグゼクティブ、7 1/2 x 10 1/2 インチ",
    u"A3、297 x 420 mm",
    u"A4、210 x 297 mm",
    u"A4 Small、210 x 297 mm",
    u"A5、148 x 210 mm",
    u"B4、250 x 354 mm",
    u"B5、182 x 257 mm",
    u"フォリオ、8 1/2 x 13 インチ",
    u"クォート、215 x 275 mm",
    u"10 x 14 インチ",
    u"11 x 17 インチ",
    u"ノート、8 1/2 x 11 インチ",
    u"封筒 #9、3 7/8 x 8 7/8 インチ",
    u"封筒 #10、4 1/8 x 9 1/2 インチ",
    u"封筒 #11、4 1/2 x 10 3/8 インチ",
    u"封筒 #12、4 1/2 x 11 インチ",
    u"封筒 #14、5 x 11 1/2 インチ",
    u"C サイズ シート",
    u"D サイズ シート",
    u"E サイズ シート",
    u"封筒 DL、110 x 220 mm",
    u"封筒 C5、162 x 229 mm",
    u"封筒 C3、324 x 458 mm",
    u"封筒 C4、229 x 324 mm",
    u"封筒 C6、114 x 162 mm",
    u"封筒 C65、114 x 229 mm",
    u"封筒 B4、250 x 353 mm",
    u"封筒 B5、176 x 250 mm",
    u"封筒 B6、176 x 125 mm",
    u"封筒、110 x 230 mm",
    u"封筒 Monarch、3 7/8 x 7 1/2 インチ",
    u"封筒、3 5/8 x 6 1/2 インチ",
    u"U.S. スタンダード ファンフォールド、14 7/8 x 11 インチ",
    u"ドイツ スタンダード ファンフォールド、8 1/2 x 12 インチ",
    u"ドイツ リーガル ファンフォールド、8 1/2 x 13 インチ",
};

constexpr int kUserDefinedCode = 256;
constexpr double kTwipsPerMillimetre = 56.7;

std::u16string decimalText(long value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

std::u16string codeInParentheses(std::u16string_view word, int code) {
    std::u16string out(word);
    out += u'(';
    out += decimalText(code);
    out += u')';
    return out;
}

} // namespace

std::u16string paperCodeName(int code) {
    if (code >= 1 && code <= static_cast<int>(kCodeNames.size()) && code != 56)
        return std::u16string(kCodeNames[static_cast<std::size_t>(code - 1)]);
    return codeInParentheses(code >= 256 ? u"USER" : u"UNKNOWN", code);
}

std::u16string paperDescription(int code, long widthMm, long heightMm) {
    if (code >= 1 && code <= static_cast<int>(kDescriptions.size()))
        return std::u16string(kDescriptions[static_cast<std::size_t>(code - 1)]);
    std::u16string out = code == kUserDefinedCode ? u"ユーザー定義サイズ  " : u"User Size  ";
    out += u"H ";
    out += decimalText(widthMm);
    out += u" × W ";
    out += decimalText(heightMm);
    out += u"㎜";
    return out;
}

long twipsToMillimetres(double twips) {
    // nearbyint follows the default rounding mode, which rounds halves to even.
    return std::lround(std::nearbyint(twips / kTwipsPerMillimetre));
}

std::u16string paperSourceMessage(int bin) {
    switch (bin) {
    case 1:
        return u"上段のトレーの用紙を使います。";
    case 2:
        return u"下段のトレーの用紙を使います。";
    case 3:
        return u"中央のトレーの用紙を使います。";
    case 4:
        return u"用紙が1枚ずつ手差しで供給されるまで待機します。";
    case 5:
        return u"封筒フィーダの封筒を使います。";
    case 6:
        return u"封筒フィーダの封筒が手差しで供給されるまで待機します。";
    case 7:
        return u"現在の既定値のトレーの用紙を使います。";
    case 8:
        return u"トラクタフィーダの用紙を使います。";
    case 9:
        return u"小さいペーパーフィーダの用紙を使います。";
    case 10:
        return u"大きいペーパーフィーダの用紙を使います。";
    case 11:
        return u"容量の大きいフィーダの用紙を使います。";
    case 14:
        return u"カセットカートリッジの用紙を使います。";
    default:
        return {};
    }
}

std::u16string maxCopiesMessage(int copies) {
    return u"このプリンターの最大印刷部数は\u3000" + decimalText(copies) + u"枚です。";
}

} // namespace sumiplex::print
