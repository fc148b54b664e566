#pragma once

// Small text helpers shared by the engine's source files (not part of the public API).

#include <cstring>
#include <string>
#include <string_view>

namespace sumiplex::engine {

/// The caption word of the total and its four blanks.
inline constexpr std::u16string_view kTotalWord = u"Total    ";
/// Nearly every tape line starts with six blanks.
inline constexpr std::u16string_view kIndent = u"      ";
inline constexpr std::u16string_view kLineEnd = u"\r\n";

[[nodiscard]] inline bool startsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

/// Whether two texts are the same, compared as bytes: the character-by-character compare of
/// the standard strings is a loop the compiler leaves as it is.
[[nodiscard]] inline bool sameText(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
}

[[nodiscard]] inline bool contains(std::u16string_view text, char16_t c) {
    return text.find(c) != std::u16string_view::npos;
}

[[nodiscard]] inline bool contains(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

/// Replaces `out` by the joined pieces, reusing its storage.
template <typename... Pieces> void assignConcat(std::u16string& out, const Pieces&... pieces) {
    out.clear();
    out.reserve((std::u16string_view(pieces).size() + ...));
    (out.append(std::u16string_view(pieces)), ...);
}

/// Joins pieces into one text with a single allocation.
template <typename... Pieces> [[nodiscard]] std::u16string concat(const Pieces&... pieces) {
    std::u16string out;
    out.reserve((std::u16string_view(pieces).size() + ...));
    (out.append(std::u16string_view(pieces)), ...);
    return out;
}

} // namespace sumiplex::engine
