// Arbitrary bytes as a file handed to the memo pad: the byte-kind classifier. Checks that
// the verdict agrees with the counts it reports and with the rules it states.

#include "core/textbytes/text_bytes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using sumiplex::core::TextBytesKind;

void require(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto verdict = sumiplex::core::classifyTextBytes(bytes);
    const std::size_t utf8Stray = sumiplex::core::strayUtf8Bytes(bytes);
    const std::size_t cp932Stray = sumiplex::core::strayCp932Bytes(bytes);
    require(utf8Stray <= size && cp932Stray <= size);
    require(verdict.strayBytes <= size && verdict.controlBytes <= size);
    if (bytes.find('\0') != std::string_view::npos && verdict.kind != TextBytesKind::Wide)
        require(verdict.kind == TextBytesKind::Binary);
    switch (verdict.kind) {
    case TextBytesKind::Utf8:
        require(utf8Stray == 0);
        require(verdict.strayBytes == 0);
        break;
    case TextBytesKind::Cp932:
        require(cp932Stray == 0 && utf8Stray > 0 && verdict.strayBytes == 0);
        break;
    case TextBytesKind::Damaged:
        require(verdict.strayBytes > 0 && verdict.strayBytes * 8 <= size);
        break;
    case TextBytesKind::Binary:
    case TextBytesKind::Wide:
        break;
    }
    // The same bytes give the same verdict: nothing is carried from one call to the next.
    const auto again = sumiplex::core::classifyTextBytes(bytes);
    require(again.kind == verdict.kind && again.strayBytes == verdict.strayBytes &&
            again.controlBytes == verdict.controlBytes);
    return 0;
}
