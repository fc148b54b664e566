#include "core/engine/input_forms.h"

namespace sumiplex::engine {

namespace {

char16_t asciiForm(char16_t c) {
    if (c >= u'０' && c <= u'９')
        return static_cast<char16_t>(u'0' + (c - u'０'));
    switch (c) {
    case u'＋':
        return u'+';
    case u'－':
    case u'\u2212': // minus sign
    case u'\u30FC': // the long-vowel mark, which the input method gives for the minus key
        return u'-';
    case u'＊':
        return u'*';
    case u'／':
        return u'/';
    case u'％':
        return u'%';
    case u'＾':
        return u'^';
    case u'．':
        return u'.';
    case u'，':
        return u',';
    default:
        return c;
    }
}

} // namespace

bool toAsciiInputForms(std::u16string& text) {
    bool changed = false;
    for (char16_t& c : text) {
        if (c < 0x80)
            continue;
        const char16_t ascii = asciiForm(c);
        changed |= ascii != c;
        c = ascii;
    }
    return changed;
}

} // namespace sumiplex::engine
