// Keyboard translation: SDL key codes to Windows virtual-key codes, and
// typed text to the single-byte Windows-1252 characters the game expects.
#include "platform/sdl/sdl_intern.h"
#include "platform/zeichensatz.h"

namespace {

enum {
    VK_SHIFT_ = 0x10,
    VK_CONTROL_ = 0x11,
    VK_MENU_ = 0x12,
    VK_PAUSE_ = 0x13,
    VK_CAPITAL_ = 0x14,
    VK_PRIOR_ = 0x21,
    VK_NEXT_ = 0x22,
    VK_END_ = 0x23,
    VK_HOME_ = 0x24,
    VK_SNAPSHOT_ = 0x2C,
    VK_INSERT_ = 0x2D,
    VK_DELETE_ = 0x2E,
    VK_LWIN_ = 0x5B,
    VK_RWIN_ = 0x5C,
    VK_APPS_ = 0x5D,
    VK_NUMPAD0_ = 0x60,
    VK_MULTIPLY_ = 0x6A,
    VK_ADD_ = 0x6B,
    VK_SUBTRACT_ = 0x6D,
    VK_DECIMAL_ = 0x6E,
    VK_DIVIDE_ = 0x6F,
    VK_NUMLOCK_ = 0x90,
    VK_SCROLL_ = 0x91,
    VK_OEM_1_ = 0xBA,
    VK_OEM_PLUS_ = 0xBB,
    VK_OEM_COMMA_ = 0xBC,
    VK_OEM_MINUS_ = 0xBD,
    VK_OEM_PERIOD_ = 0xBE,
    VK_OEM_2_ = 0xBF,
    VK_OEM_3_ = 0xC0,
    VK_OEM_4_ = 0xDB,
    VK_OEM_5_ = 0xDC,
    VK_OEM_6_ = 0xDD,
    VK_OEM_7_ = 0xDE,
    VK_OEM_102_ = 0xE2,
};

// One code point to its Windows-1252 byte, -1 when it has none.
int unicode_in_1252(uint32_t zeichen) {
    if (zeichen < 0x20 || zeichen == 0x7F) return -1;   // control codes come from keys only
    return plat_common_zeichen_in_1252(zeichen);
}

}   // namespace

int sdl_taste_in_vk(int32_t taste) {
    if (taste >= 'a' && taste <= 'z') return taste - 'a' + 'A';
    if (taste >= '0' && taste <= '9') return taste;
    if (taste >= SDLK_F1 && taste <= SDLK_F12) return 0x70 + (taste - SDLK_F1);
    if (taste >= SDLK_F13 && taste <= SDLK_F24) return 0x7C + (taste - SDLK_F13);
    if (taste >= SDLK_KP_1 && taste <= SDLK_KP_9) return VK_NUMPAD0_ + 1 + (taste - SDLK_KP_1);
    switch (taste) {
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_RETURN2:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT_;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL_;
        case SDLK_LALT:
        case SDLK_RALT:
        case SDLK_MODE:
            return VK_MENU_;
        case SDLK_PAUSE:
            return VK_PAUSE_;
        case SDLK_CAPSLOCK:
            return VK_CAPITAL_;
        case SDLK_PAGEUP:
            return VK_PRIOR_;
        case SDLK_PAGEDOWN:
            return VK_NEXT_;
        case SDLK_END:
            return VK_END_;
        case SDLK_HOME:
            return VK_HOME_;
        case SDLK_PRINTSCREEN:
            return VK_SNAPSHOT_;
        case SDLK_INSERT:
            return VK_INSERT_;
        case SDLK_DELETE:
            return VK_DELETE_;
        case SDLK_LGUI:
            return VK_LWIN_;
        case SDLK_RGUI:
            return VK_RWIN_;
        case SDLK_APPLICATION:
            return VK_APPS_;
        case SDLK_KP_0:
            return VK_NUMPAD0_;
        case SDLK_KP_MULTIPLY:
            return VK_MULTIPLY_;
        case SDLK_KP_PLUS:
            return VK_ADD_;
        case SDLK_KP_MINUS:
            return VK_SUBTRACT_;
        case SDLK_KP_PERIOD:
        case SDLK_KP_COMMA:
            return VK_DECIMAL_;
        case SDLK_KP_DIVIDE:
            return VK_DIVIDE_;
        case SDLK_NUMLOCKCLEAR:
            return VK_NUMLOCK_;
        case SDLK_SCROLLLOCK:
            return VK_SCROLL_;
        // Punctuation keys: the US positions, and the German letters on theirs.
        case SDLK_SEMICOLON:
        case 0xFC:
            return VK_OEM_1_;   // ü
        case SDLK_EQUALS:
        case SDLK_PLUS:
            return VK_OEM_PLUS_;
        case SDLK_COMMA:
            return VK_OEM_COMMA_;
        case SDLK_MINUS:
            return VK_OEM_MINUS_;
        case SDLK_PERIOD:
            return VK_OEM_PERIOD_;
        case SDLK_SLASH:
        case SDLK_HASH:
            return VK_OEM_2_;
        case SDLK_BACKQUOTE:
        case 0xF6:
            return VK_OEM_3_;   // ö
        case SDLK_LEFTBRACKET:
        case 0xDF:
            return VK_OEM_4_;   // ß
        case SDLK_BACKSLASH:
        case SDLK_CARET:
            return VK_OEM_5_;
        case SDLK_RIGHTBRACKET:
        case 0xB4:
            return VK_OEM_6_;   // ´
        case SDLK_QUOTE:
        case 0xE4:
            return VK_OEM_7_;   // ä
        case SDLK_LESS:
            return VK_OEM_102_;
        default:
            return 0;
    }
}

int sdl_taste_zeichen(int32_t taste) {
    switch (taste) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_RETURN2:
            return 13;
        case SDLK_BACKSPACE:
            return 8;
        case SDLK_TAB:
            return 9;
        case SDLK_ESCAPE:
            return 27;
        default:
            return -1;   // Space and printable keys arrive as text
    }
}

int sdl_text_in_1252(const char* utf8, uint8_t* aus, int max) {
    if (utf8 == nullptr || aus == nullptr) return 0;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(utf8);
    int n = 0;
    while (*s != 0 && n < max) {
        uint32_t zeichen = 0;
        const int laenge = plat_common_utf8_lesen(s, &zeichen);
        if (laenge == 0) {
            ++s;   // skip the stray byte and resynchronise
            continue;
        }
        s += laenge;
        const int byte = unicode_in_1252(zeichen);
        if (byte >= 0) aus[n++] = static_cast<uint8_t>(byte);
    }
    return n;
}
