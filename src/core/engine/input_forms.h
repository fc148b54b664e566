#pragma once

#include <string>

namespace sumiplex::engine {

/// Turns the full-width digits, operators and signs a Japanese input method commits
/// (０–９ ＋ － ＊ ／ ％ ＾ ． ，, and the minus signs − and ー) into their ASCII forms, so
/// that every rule of the input line treats them as the keys they stand for. Every other
/// character stays; the length never changes, so caret positions keep their meaning.
/// Returns true when anything was changed.
bool toAsciiInputForms(std::u16string& text);

} // namespace sumiplex::engine
