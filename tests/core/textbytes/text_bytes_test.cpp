#include "core/textbytes/text_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace sumiplex::core {
namespace {

using namespace std::string_view_literals;

struct Case {
    const char* name;
    std::string_view bytes;
    TextBytesKind kind;
    std::size_t strayBytes;
};

// "テスト" in CP932 and in UTF-8; "ｱ" as CP932 half-width katakana.
constexpr std::string_view kSjis = "\x83\x65\x83\x58\x83\x67"sv;
constexpr std::string_view kUtf8 = "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88"sv;

const Case kCases[] = {
    {"empty", ""sv, TextBytesKind::Utf8, 0},
    {"ascii lines", "1,000 +500= 1,500\r\n\tTotal\f\n"sv, TextBytesKind::Utf8, 0},
    {"utf8 japanese", "\xEF\xBB\xBF\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88\r\n"sv, TextBytesKind::Utf8,
     0},
    {"utf8 four-byte", "a\xF0\x9F\x98\x80z"sv, TextBytesKind::Utf8, 0},
    {"cp932 kanji and kana", "\x83\x65\x83\x58\x83\x67 \xB1\xB2\r\n"sv, TextBytesKind::Cp932, 0},
    {"cp932 trail byte in ascii range", "\x95\x5C\x8E\xA6 text"sv, TextBytesKind::Cp932, 0},
    // One byte that neither encoding knows, in otherwise ordinary text.
    {"latin-1 e acute after sjis", "\x83\x65\x83\x58\x83\x67 caf\xE9 is a long enough line"sv,
     TextBytesKind::Damaged, 1},
    {"0xFF byte", "plain text with one \xFF byte in it, long enough"sv, TextBytesKind::Damaged, 1},
    {"truncated utf8 and lone lead",
     "\xE3\x83\x86\xE3\x82 then some ascii text to make it text-like \x81"sv,
     TextBytesKind::Damaged, 2},
    {"utf16 le mark", "\xFF\xFEh\0i\0"sv, TextBytesKind::Wide, 0},
    {"utf16 be mark", "\xFE\xFF\0h\0i"sv, TextBytesKind::Wide, 0},
    {"utf32 le mark", "\xFF\xFE\0\0h\0\0\0"sv, TextBytesKind::Wide, 0},
    {"nul byte", "text\0more text"sv, TextBytesKind::Binary, 0},
    {"mostly control codes", "\x01\x02\x03\x04 abc\x05"sv, TextBytesKind::Binary, 0},
    {"mostly stray bytes", "\xFF\xFE\xFD"sv.substr(1), TextBytesKind::Binary, 2},
};

TEST(ClassifyTextBytes, SortsTextDamagedTextAndBinary) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const TextBytesVerdict verdict = classifyTextBytes(c.bytes);
        EXPECT_EQ(verdict.kind, c.kind);
        EXPECT_EQ(verdict.strayBytes, c.strayBytes);
    }
}

struct StrayCase {
    const char* name;
    std::string_view bytes;
    std::size_t utf8;
    std::size_t cp932;
};

const StrayCase kStray[] = {
    {"sjis text", kSjis, 3, 0},
    {"utf8 text", kUtf8, 0, 1}, // E3 83 86 E3 82 B9 E3 83 88: the last 88 is a lone byte
    {"overlong slash", "\xC0\xAF"sv, 2, 0},
    {"utf8 surrogate", "\xED\xA0\x80"sv, 3, 1},
    {"past U+10FFFF", "\xF4\x90\x80\x80"sv, 4, 2},
    {"sjis lead at end", "ab\x82"sv, 1, 1},
    {"sjis bad trail", "\x82\x20"sv, 1, 1},
    {"undefined single bytes", "\x80\xA0\xFD"sv, 3, 3},
};

TEST(ClassifyTextBytes, CountsStrayBytesPerEncoding) {
    for (const StrayCase& c : kStray) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(strayUtf8Bytes(c.bytes), c.utf8);
        EXPECT_EQ(strayCp932Bytes(c.bytes), c.cp932);
    }
}

TEST(ClassifyTextBytes, OneBadByteInEightIsStillText) {
    // Seven good bytes to every stray one is the most damage a text file may show.
    std::string bytes;
    for (int i = 0; i < 100; ++i) {
        bytes += "abcdefg\xFF";
    }
    EXPECT_EQ(classifyTextBytes(bytes).kind, TextBytesKind::Damaged);
    bytes += '\xFF';
    EXPECT_EQ(classifyTextBytes(bytes).kind, TextBytesKind::Binary);
}

} // namespace
} // namespace sumiplex::core
