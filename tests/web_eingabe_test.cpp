// The browser backend's translation of the page's input: keys as the
// desktop backend sends them (virtual keys and Windows-1252 characters),
// which keys the page keeps from the browser, the pointer in picture pixels.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/web/web_uebersetzen.h"

namespace {

WebTasteZusatz Mit(bool shift = false, bool strg = false, bool alt = false, bool meta = false) {
    WebTasteZusatz z;
    z.shift = shift;
    z.strg = strg;
    z.alt = alt;
    z.meta = meta;
    return z;
}

int Vk(const char* key, const char* code, WebTasteZusatz z = WebTasteZusatz()) { return web_taste_in_vk(key, code, z); }

int Zeichen(const char* key, WebTasteZusatz z = WebTasteZusatz()) { return web_taste_zeichen(key, z); }

struct Punkt {
    int x, y;
};

Punkt Abbilden(double x, double y, double links, double oben, double breite, double hoehe) {
    Punkt p{-1, -1};
    web_maus_abbilden(x, y, links, oben, breite, hoehe, 1024, 768, &p.x, &p.y);
    return p;
}

}   // namespace

TEST(WebEingabe, TheGamesKeysGiveTheirVirtualKeysAndCharacters) {
    struct Fall {
        const char* key;
        const char* code;
        int vk;
        int zeichen;
    };
    const Fall faelle[] = {
        {"Escape", "Escape", VK_ESCAPE, 27},
        {"Enter", "Enter", VK_RETURN, 13},
        {"Enter", "NumpadEnter", VK_RETURN, 13},
        {" ", "Space", VK_SPACE, ' '},
        {"Backspace", "Backspace", VK_BACK, 8},
        {"Tab", "Tab", VK_TAB, 9},
        {"ArrowLeft", "ArrowLeft", VK_LEFT, -1},
        {"ArrowRight", "ArrowRight", VK_RIGHT, -1},
        {"ArrowUp", "ArrowUp", VK_UP, -1},
        {"ArrowDown", "ArrowDown", VK_DOWN, -1},
        {"F1", "F1", VK_F1, -1},
        {"F2", "F2", VK_F2, -1},
        {"F3", "F3", VK_F3, -1},
        {"F13", "F13", 0x7C, -1},
        {"j", "KeyJ", 'J', 'j'},
        {"n", "KeyN", 'N', 'n'},
        {"y", "KeyY", 'Y', 'y'},
        {"z", "KeyZ", 'Z', 'z'},
        {"0", "Digit0", '0', '0'},
        {"9", "Digit9", '9', '9'},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(Vk(f.key, f.code), f.vk) << f.key;
        EXPECT_EQ(Zeichen(f.key), f.zeichen) << f.key;
    }
    // A German keyboard: Z where a US one has Y; what counts is what it prints.
    EXPECT_EQ(Vk("z", "KeyY"), 'Z');
    EXPECT_EQ(Vk("Z", "KeyY", Mit(true)), 'Z');
    EXPECT_EQ(Zeichen("Z", Mit(true)), 'Z');
}

TEST(WebEingabe, OtherKeysAsTheDesktopBackendSendsThem) {
    EXPECT_EQ(Vk("!", "Digit1", Mit(true)), '1') << "a shifted digit is its digit key";
    EXPECT_EQ(Zeichen("!", Mit(true)), '!');
    EXPECT_EQ(Vk("/", "Digit7", Mit(true)), '7') << "German Shift+7";
    EXPECT_EQ(Vk("\xC3\xA4", "Quote"), 0xDE) << "\xC3\xA4 where the desktop has it";
    EXPECT_EQ(Zeichen("\xC3\xA4"), 0xE4);
    EXPECT_EQ(Vk("\xC3\xB6", "Semicolon"), 0xC0);
    EXPECT_EQ(Vk("\xC3\x9F", "Minus"), 0xDB);
    EXPECT_EQ(Vk(";", "Semicolon"), 0xBA);
    EXPECT_EQ(Vk(":", "Semicolon", Mit(true)), 0xBA) << "shifted punctuation by its place";
    EXPECT_EQ(Vk("\xC3\xA9", "Digit2"), 0) << "a letter of its own, as on the desktop";
    EXPECT_EQ(Zeichen("\xC3\xA9"), 0xE9);
    EXPECT_EQ(Vk("@", "KeyQ", Mit(false, true, true)), 'Q') << "AltGr+Q";
    EXPECT_EQ(Zeichen("@", Mit(false, true, true)), '@');
    EXPECT_EQ(Vk("1", "Numpad1"), 0x61);
    EXPECT_EQ(Vk("End", "Numpad1"), 0x23) << "without Num Lock";
    EXPECT_EQ(Vk("*", "NumpadMultiply"), 0x6A);
    EXPECT_EQ(Vk("Shift", "ShiftLeft", Mit(true)), 0x10);
    EXPECT_EQ(Vk("Unidentified", ""), 0);
    EXPECT_EQ(Vk("", ""), 0);
    EXPECT_EQ(Vk(nullptr, nullptr), 0);
    EXPECT_EQ(Vk("F25", "F25"), 0);
    EXPECT_EQ(Vk("F1x", ""), 0);
}

TEST(WebEingabe, CharactersAreWindows1252OrNothing) {
    EXPECT_EQ(Zeichen("\xE2\x82\xAC"), 0x80) << "the euro sign";
    EXPECT_EQ(Zeichen("\xF0\x9F\x98\x80"), -1) << "beyond the code page";
    EXPECT_EQ(Zeichen("\xE4\xBD\xA0"), -1);
    EXPECT_EQ(Zeichen("ab"), -1) << "more than one character";
    EXPECT_EQ(Zeichen("\xC3"), -1) << "malformed";
    EXPECT_EQ(Zeichen("\x7F"), -1);
    EXPECT_EQ(Zeichen("Shift"), -1);
    EXPECT_EQ(Zeichen("r", Mit(false, true)), -1) << "Control+R is the browser's";
    EXPECT_EQ(Zeichen("a", Mit(false, false, false, true)), -1);
    EXPECT_EQ(Zeichen(nullptr), -1);
}

TEST(WebEingabe, ThePageKeepsTheGamesKeysFromTheBrowser) {
    for (const char* key : {" ", "ArrowDown", "ArrowLeft", "F1", "F3", "Backspace", "Tab", "Escape", "Enter", "a"})
        EXPECT_TRUE(web_taste_abfangen(key, WebTasteZusatz())) << key;
    for (const char* key : {"F5", "F11", "F12"}) EXPECT_FALSE(web_taste_abfangen(key, WebTasteZusatz())) << key;
    EXPECT_FALSE(web_taste_abfangen("r", Mit(false, true))) << "reload";
    EXPECT_FALSE(web_taste_abfangen("ArrowLeft", Mit(false, false, true))) << "back";
    EXPECT_FALSE(web_taste_abfangen("w", Mit(false, false, false, true)));
    EXPECT_TRUE(web_taste_abfangen("@", Mit(false, true, true))) << "AltGr types";
    EXPECT_TRUE(web_taste_abfangen("A", Mit(true)));
}

TEST(WebEingabe, PointerInPicturePixelsClampedToTheEdges) {
    Punkt p = Abbilden(100, 50, 100, 50, 1024, 768);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    p = Abbilden(100 + 1023.9, 50 + 767.9, 100, 50, 1024, 768);
    EXPECT_EQ(p.x, 1023);
    EXPECT_EQ(p.y, 767);
    // Half size: two pixels a point; three halves: floor, never round up.
    p = Abbilden(256, 192, 0, 0, 512, 384);
    EXPECT_EQ(p.x, 512);
    EXPECT_EQ(p.y, 384);
    p = Abbilden(1535.9, 1151.9, 0, 0, 1536, 1152);
    EXPECT_EQ(p.x, 1023);
    EXPECT_EQ(p.y, 767);
    p = Abbilden(1.4, 1.4, 0, 0, 1536, 1152);
    EXPECT_EQ(p.x, 0);
    // Beside the picture: the edge, so the view scrolls there.
    p = Abbilden(-30, 400, 80, 0, 1024, 768);
    EXPECT_EQ(p.x, 0);
    p = Abbilden(79.5, 400, 80, 0, 1024, 768);
    EXPECT_EQ(p.x, 0) << "just left of the picture is not rounded into it";
    p = Abbilden(5000, -20, 80, 0, 1024, 768);
    EXPECT_EQ(p.x, 1023);
    EXPECT_EQ(p.y, 0);
    // No picture to speak of, or no number: the corner, never a wild value.
    p = Abbilden(10, 10, 0, 0, 0, 0);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    p = Abbilden(0.0 / 0.0, 1e300, 0, 0, 1024, 768);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 767);
}
