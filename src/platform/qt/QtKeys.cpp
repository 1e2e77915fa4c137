// Qt key events to ours: the physical key where the platform reports it, else the Qt key code
// translated to the virtual-key codes the key tables are written in.
#include <QGuiApplication>
#include <QKeyEvent>
#include <Qt>
#include <cstdint>

#include "platform/PhysicalKeys.h"
#include "platform/qt/QtWindow.h"

namespace orvane::platform::qt {

namespace {

// X11 and Wayland give xkb keycodes as the native scan code. Offscreen has no keyboard: any
// scan code there was put in by a test, which uses xkb keycodes too.
bool scanCodesAreXkbKeycodes() {
    static const bool xkb = [] {
        const QString name = QGuiApplication::platformName();
        return name == u"xcb" || name.startsWith(u"wayland") || name == u"offscreen";
    }();
    return xkb;
}

uint32_t modsOf(Qt::KeyboardModifiers mods) {
    uint32_t m = 0;
    if (mods & Qt::ControlModifier) m |= kKeyModCtrl;
    if (mods & Qt::ShiftModifier) m |= kKeyModShift;
    if (mods & Qt::AltModifier) m |= kKeyModAlt;
    if (mods & Qt::MetaModifier) m |= kKeyModWin;
    return m;
}

}  // namespace

KeyEvent keyEventOf(const QKeyEvent& e) {
    KeyEvent k;
    k.down = e.type() == QEvent::KeyPress;
    k.autoRepeat = e.isAutoRepeat();
    if (scanCodesAreXkbKeycodes()) k.physical = PhysicalOfXkbKeycode(e.nativeScanCode());
    k.vk = VirtualKeyOfPhysical(k.physical);
    if (!k.vk) k.vk = virtualKeyOf(e.key(), e.modifiers());
    k.mods = modsOf(e.modifiers());
    const QString typed = e.text();
    k.text.assign(reinterpret_cast<const char16_t*>(typed.utf16()), size_t(typed.size()));
    return k;
}

uint32_t virtualKeyOf(int key, Qt::KeyboardModifiers mods) {
    if (mods & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return 0x60 + uint32_t(key - Qt::Key_0);
        switch (key) {
            case Qt::Key_Asterisk: return 0x6A;
            case Qt::Key_Plus: return 0x6B;
            case Qt::Key_Minus: return 0x6D;
            case Qt::Key_Period: return 0x6E;
            case Qt::Key_Slash: return 0x6F;
            default: break;
        }
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return uint32_t(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return uint32_t(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + uint32_t(key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace: return 0x08;
        case Qt::Key_Tab: case Qt::Key_Backtab: return 0x09;
        case Qt::Key_Return: case Qt::Key_Enter: return 0x0D;
        case Qt::Key_Shift: return 0x10;
        case Qt::Key_Control: return 0x11;
        case Qt::Key_Alt: return 0x12;
        case Qt::Key_Pause: return 0x13;
        case Qt::Key_CapsLock: return 0x14;
        case Qt::Key_Escape: return 0x1B;
        case Qt::Key_Space: return 0x20;
        case Qt::Key_PageUp: return 0x21;
        case Qt::Key_PageDown: return 0x22;
        case Qt::Key_End: return 0x23;
        case Qt::Key_Home: return 0x24;
        case Qt::Key_Left: return 0x25;
        case Qt::Key_Up: return 0x26;
        case Qt::Key_Right: return 0x27;
        case Qt::Key_Down: return 0x28;
        case Qt::Key_Print: return 0x2C;
        case Qt::Key_Insert: return 0x2D;
        case Qt::Key_Delete: return 0x2E;
        case Qt::Key_Meta: case Qt::Key_Super_L: return 0x5B;
        case Qt::Key_Super_R: return 0x5C;
        case Qt::Key_Menu: return 0x5D;
        case Qt::Key_NumLock: return 0x90;
        case Qt::Key_ScrollLock: return 0x91;
        case Qt::Key_Semicolon: case Qt::Key_Colon: return 0xBA;
        case Qt::Key_Equal: case Qt::Key_Plus: return 0xBB;
        case Qt::Key_Comma: case Qt::Key_Less: return 0xBC;
        case Qt::Key_Minus: case Qt::Key_Underscore: return 0xBD;
        case Qt::Key_Period: case Qt::Key_Greater: return 0xBE;
        case Qt::Key_Slash: case Qt::Key_Question: return 0xBF;
        case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 0xC0;
        case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 0xDB;
        case Qt::Key_Backslash: case Qt::Key_Bar: return 0xDC;
        case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 0xDD;
        case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 0xDE;
        case Qt::Key_Exclam: return '1';
        case Qt::Key_At: return '2';
        case Qt::Key_NumberSign: return '3';
        case Qt::Key_Dollar: return '4';
        case Qt::Key_Percent: return '5';
        case Qt::Key_AsciiCircum: return '6';
        case Qt::Key_Ampersand: return '7';
        case Qt::Key_Asterisk: return '8';
        case Qt::Key_ParenLeft: return '9';
        case Qt::Key_ParenRight: return '0';
        case Qt::Key_VolumeMute: return 0xAD;
        case Qt::Key_VolumeDown: return 0xAE;
        case Qt::Key_VolumeUp: return 0xAF;
        case Qt::Key_MediaNext: return 0xB0;
        case Qt::Key_MediaPrevious: return 0xB1;
        case Qt::Key_MediaStop: return 0xB2;
        case Qt::Key_MediaPlay: case Qt::Key_MediaTogglePlayPause: return 0xB3;
        default: return 0;
    }
}

}  // namespace orvane::platform::qt
