#include "core/textbytes/text_bytes.h"

#include <cstdint>
#include <cstring>

namespace sumiplex::core {
namespace {

unsigned char at(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

bool startsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

bool continuation(unsigned char b) {
    return (b & 0xC0U) == 0x80U;
}

// Length of the well-formed UTF-8 character at i, or 0 when the byte there starts none.
std::size_t utf8Length(std::string_view bytes, std::size_t i) {
    const unsigned char b = at(bytes, i);
    if (b < 0x80U) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80U; // allowed range of the second byte
    unsigned char high = 0xBFU;
    if (b >= 0xC2U && b <= 0xDFU) {
        length = 2;
    } else if (b >= 0xE0U && b <= 0xEFU) {
        length = 3;
        if (b == 0xE0U) {
            low = 0xA0U; // overlong below
        } else if (b == 0xEDU) {
            high = 0x9FU; // surrogates
        }
    } else if (b >= 0xF0U && b <= 0xF4U) {
        length = 4;
        if (b == 0xF0U) {
            low = 0x90U;
        } else if (b == 0xF4U) {
            high = 0x8FU; // past U+10FFFF
        }
    } else {
        return 0;
    }
    if (i + length > bytes.size()) {
        return 0;
    }
    const unsigned char second = at(bytes, i + 1);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (!continuation(at(bytes, i + k))) {
            return 0;
        }
    }
    return length;
}

bool cp932Single(unsigned char b) {
    return b < 0x80U || (b >= 0xA1U && b <= 0xDFU);
}

bool cp932Lead(unsigned char b) {
    return (b >= 0x81U && b <= 0x9FU) || (b >= 0xE0U && b <= 0xFCU);
}

bool cp932Trail(unsigned char b) {
    return (b >= 0x40U && b <= 0x7EU) || (b >= 0x80U && b <= 0xFCU);
}

bool controlCode(unsigned char b) {
    if (b == '\t' || b == '\n' || b == '\f' || b == '\r') {
        return false;
    }
    return b < 0x20U || b == 0x7FU;
}

// Eight bytes at once: true when all are printable ASCII (no byte with the top bit set, none
// below 0x20, none equal to 0x7F). Files are mostly such runs, and megabytes are read.
bool printableAsciiWord(std::string_view bytes, std::size_t i) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    std::uint64_t w = 0;
    std::memcpy(&w, bytes.data() + i, sizeof w);
    if ((w & kHigh) != 0) {
        return false;
    }
    const std::uint64_t belowSpace = (w - kOnes * 0x20U) & ~w & kHigh;
    const std::uint64_t del = w ^ (kOnes * 0x7FU);
    const std::uint64_t isDel = (del - kOnes) & ~del & kHigh;
    return belowSpace == 0 && isDel == 0;
}

} // namespace

std::size_t strayUtf8Bytes(std::string_view bytes) {
    std::size_t stray = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = utf8Length(bytes, i);
        if (length == 0) {
            ++stray;
            ++i;
        } else {
            i += length;
        }
    }
    return stray;
}

std::size_t strayCp932Bytes(std::string_view bytes) {
    std::size_t stray = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char b = at(bytes, i);
        if (cp932Single(b)) {
            ++i;
        } else if (cp932Lead(b) && i + 1 < bytes.size() && cp932Trail(at(bytes, i + 1))) {
            i += 2;
        } else {
            ++stray;
            ++i;
        }
    }
    return stray;
}

TextBytesVerdict classifyTextBytes(std::string_view bytes) {
    using namespace std::string_view_literals;
    TextBytesVerdict verdict;
    // UTF-32 LE begins like UTF-16 LE, so it is looked for first.
    if (startsWith(bytes, "\xFF\xFE\x00\x00"sv) || startsWith(bytes, "\x00\x00\xFE\xFF"sv) ||
        startsWith(bytes, "\xFF\xFE"sv) || startsWith(bytes, "\xFE\xFF"sv)) {
        verdict.kind = TextBytesKind::Wide;
        return verdict;
    }
    std::size_t utf8 = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        if (bytes.size() - i >= 8 && printableAsciiWord(bytes, i)) {
            i += 8;
            continue;
        }
        const unsigned char b = at(bytes, i);
        if (b == 0) {
            verdict = {TextBytesKind::Binary, 0, 0};
            return verdict;
        }
        if (controlCode(b)) {
            ++verdict.controlBytes;
        }
        const std::size_t length = utf8Length(bytes, i);
        if (length == 0) {
            ++utf8;
            ++i;
        } else {
            i += length;
        }
    }
    const std::size_t cp932 = utf8 == 0 ? 0 : strayCp932Bytes(bytes);
    verdict.strayBytes = utf8 < cp932 ? utf8 : cp932;
    if ((verdict.controlBytes + verdict.strayBytes) * 8 > bytes.size()) {
        verdict.kind = TextBytesKind::Binary;
    } else if (utf8 == 0) {
        verdict.kind = TextBytesKind::Utf8;
    } else if (cp932 == 0) {
        verdict.kind = TextBytesKind::Cp932;
    } else {
        verdict.kind = TextBytesKind::Damaged;
    }
    return verdict;
}

} // namespace sumiplex::core
