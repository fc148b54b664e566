#pragma once

#include <cstddef>
#include <string_view>

namespace sumiplex::core {

// What a file's bytes are, as far as the memo pad is concerned: text it can hold without
// changing a character, text with bytes that no encoding it reads can decode, or no text.
enum class TextBytesKind {
    Utf8,    ///< valid UTF-8 (a byte-order mark allowed)
    Wide,    ///< starts with a UTF-16 or UTF-32 byte-order mark
    Cp932,   ///< not UTF-8, but every byte belongs to a CP932 (Shift_JIS) character
    Damaged, ///< some bytes are neither UTF-8 nor CP932; decoding would replace them
    Binary,  ///< has a NUL byte, or too many control codes and stray bytes to be text
};

struct TextBytesVerdict {
    TextBytesKind kind = TextBytesKind::Utf8;
    /// Bytes that are not part of any character in the encoding that fits best.
    std::size_t strayBytes = 0;
    /// Control codes other than tab, line feed, form feed and carriage return.
    std::size_t controlBytes = 0;
};

/// Sorts a file's bytes. A file counts as not text when it holds a NUL byte, or when more
/// than one byte in eight is a control code or a stray byte: damage that large is not a
/// text file with a few bad bytes but something else.
[[nodiscard]] TextBytesVerdict classifyTextBytes(std::string_view bytes);

/// Bytes not part of a well-formed UTF-8 character (overlong forms, surrogates and values
/// past U+10FFFF count as stray).
[[nodiscard]] std::size_t strayUtf8Bytes(std::string_view bytes);

/// Bytes not part of a CP932 character: a single byte that is neither ASCII nor half-width
/// katakana, or a lead byte without a valid second byte.
[[nodiscard]] std::size_t strayCp932Bytes(std::string_view bytes);

} // namespace sumiplex::core
