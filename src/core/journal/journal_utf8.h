// Strict UTF-8 decoding shared by the journal's readers.

#pragma once

#include <string>
#include <string_view>

namespace sumiplex::journal::detail {

/// Decodes UTF-8 strictly onto `out`, each bad sequence one U+FFFD; whether all was valid.
bool decodeUtf8(std::string_view bytes, std::u16string& out);

/// Whether the bytes are UTF-8 throughout, without building the text.
[[nodiscard]] bool validUtf8(std::string_view bytes);

} // namespace sumiplex::journal::detail
