#include "platform/FakeEditField.h"

namespace orvane::platform {

namespace {

// The code of the key that types c on a US keyboard, for the characters tests type.
uint32_t vkOfCharacter(char16_t c) {
    if (c >= u'0' && c <= u'9') return uint32_t(c);
    if (c >= u'a' && c <= u'z') return uint32_t(c - u'a' + u'A');
    if (c >= u'A' && c <= u'Z') return uint32_t(c);
    switch (c) {
        case u'\b': return 0x08;
        case u' ': return 0x20;
        case u'-': return 0xBD;
        case u'.': return 0xBE;
        case u'\n': case u'\r': return 0x0D;
        default: return 0;
    }
}

}  // namespace

void FakeEditField::type(const Text& characters) {
    for (char16_t c : characters) {
        if (!enabled_) return;
        KeyEvent e;
        e.vk = vkOfCharacter(c);
        e.text = Text(1, c);
        if (keyFilter && keyFilter(e)) continue;
        const Text before = text_;
        if (c == u'\b') {
            if (!text_.empty()) text_.pop_back();
        } else if (c != u'\n' && c != u'\r') {
            text_.push_back(c);  // a one-line field takes no line break
        }
        if (text_ != before && onEdited) onEdited();
    }
}

bool FakeEditField::key(uint32_t vk, uint32_t mods) {
    KeyEvent e;
    e.vk = vk;
    e.mods = mods;
    return keyFilter && keyFilter(e);
}

}  // namespace orvane::platform
