#include "core/print/paper.h"
#include "core/text_utf.h"

#include <gtest/gtest.h>

#include <string_view>

namespace sumiplex::print {
namespace {

using sumiplex::testing::utf8;

TEST(PaperCodeName, NamesCodesAsThePaperListShowsThem) {
    const struct {
        int code;
        std::string_view name;
    } cases[] = {
        {1, "LETTER"},
        {9, "A4"},
        {11, "A5"},
        {13, "B5"},
        {43, "JAPANESE_POSTCARD"},
        {48, "RESERVED_48"},
        {55, "A4_TRANSVERSE"},
        {56, "UNKNOWN(56)"},
        {57, "A_PLUS"},
        {70, "A6"},
        {118, "PENV_10_ROTATED"},
        {119, "UNKNOWN(119)"},
        {0, "UNKNOWN(0)"},
        {-3, "UNKNOWN(-3)"},
        {255, "UNKNOWN(255)"},
        {256, "USER(256)"},
        {300, "USER(300)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8(paperCodeName(c.code)), c.name) << c.code;
}

TEST(PaperDescription, FixedForKnownCodesAndThePhysicalPageOtherwise) {
    const struct {
        int code;
        long width, height;
        std::string_view text;
    } cases[] = {
        {1, 216, 279, "レター、8 1/2 x 11 インチ"},
        {9, 210, 297, "A4、210 x 297 mm"},
        {35, 0, 0, "封筒 B6、176 x 125 mm"},
        {41, 0, 0, "ドイツ リーガル ファンフォールド、8 1/2 x 13 インチ"},
        {256, 100, 148, "ユーザー定義サイズ  H 100 × W 148㎜"},
        {42, 250, 353, "User Size  H 250 × W 353㎜"},
        {43, 100, 148, "User Size  H 100 × W 148㎜"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8(paperDescription(c.code, c.width, c.height)), c.text) << c.code;
}

TEST(PaperDescription, PhysicalMillimetresRoundHalvesToEven) {
    const struct {
        double twips;
        long mm;
    } cases[] = {
        {56.7 * 210, 210},   {56.7 * 210.4, 210}, {56.7 * 210.6, 211},
        {56.7 * 100.5, 100}, {56.7 * 101.5, 102}, {0, 0},
        {11906, 210}, // A4 width in twips
    };
    for (const auto& c : cases)
        EXPECT_EQ(twipsToMillimetres(c.twips), c.mm) << c.twips;
}

TEST(PaperMessages, SourceAndCopies) {
    EXPECT_EQ(utf8(paperSourceMessage(1)), "上段のトレーの用紙を使います。");
    EXPECT_EQ(utf8(paperSourceMessage(7)), "現在の既定値のトレーの用紙を使います。");
    EXPECT_EQ(utf8(paperSourceMessage(14)), "カセットカートリッジの用紙を使います。");
    for (int bin : {0, 12, 13, 15, 256})
        EXPECT_TRUE(paperSourceMessage(bin).empty()) << bin;
    EXPECT_EQ(utf8(maxCopiesMessage(999)), "このプリンターの最大印刷部数は\u3000999枚です。");
    EXPECT_EQ(utf8(maxCopiesMessage(1)), "このプリンターの最大印刷部数は\u30001枚です。");
}

} // namespace
} // namespace sumiplex::print
