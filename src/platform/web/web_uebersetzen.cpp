// Keys and pointer of the page, translated as the desktop game's backend
// translates them: letters by what they print, shifted digits and other
// keys by their place on the keyboard.
#include "platform/web/web_uebersetzen.h"

#include <cmath>
#include <cstring>

#include "platform/platform.h"
#include "platform/zeichensatz.h"

namespace {

struct Name {
    const char* name;
    int wert;
};

// Named keys of KeyboardEvent.key.
const Name g_benannt[] = {
    {"Backspace", VK_BACK}, {"Tab", VK_TAB},        {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE},
    {"Esc", VK_ESCAPE},     {"ArrowLeft", VK_LEFT}, {"ArrowUp", VK_UP},   {"ArrowRight", VK_RIGHT},
    {"ArrowDown", VK_DOWN}, {"Left", VK_LEFT},      {"Up", VK_UP},        {"Right", VK_RIGHT},
    {"Down", VK_DOWN},      {"Shift", 0x10},        {"Control", 0x11},    {"Alt", 0x12},
    {"AltGraph", 0x12},     {"Pause", 0x13},        {"CapsLock", 0x14},   {"PageUp", 0x21},
    {"PageDown", 0x22},     {"End", 0x23},          {"Home", 0x24},       {"PrintScreen", 0x2C},
    {"Insert", 0x2D},       {"Delete", 0x2E},       {"Meta", 0x5B},       {"OS", 0x5B},
    {"ContextMenu", 0x5D},  {"NumLock", 0x90},      {"ScrollLock", 0x91},
};

// Keys of the number block by KeyboardEvent.code, while Num Lock is on.
const Name g_ziffernblock[] = {
    {"NumpadMultiply", 0x6A}, {"NumpadAdd", 0x6B},   {"NumpadSubtract", 0x6D},
    {"NumpadDecimal", 0x6E},  {"NumpadComma", 0x6E}, {"NumpadDivide", 0x6F},
};

// Punctuation by the character it prints unshifted: the US places and
// the German letters on theirs, as the desktop backend has them.
struct Satzzeichen {
    uint32_t zeichen;
    int vk;
};
const Satzzeichen g_satzzeichen[] = {
    {';', 0xBA}, {0xFC, 0xBA}, {'=', 0xBB},  {'+', 0xBB},  {',', 0xBC},  {'-', 0xBD},  {'.', 0xBE},
    {'/', 0xBF}, {'#', 0xBF},  {'`', 0xC0},  {0xF6, 0xC0}, {'[', 0xDB},  {0xDF, 0xDB}, {'\\', 0xDC},
    {'^', 0xDC}, {']', 0xDD},  {0xB4, 0xDD}, {'\'', 0xDE}, {0xE4, 0xDE}, {'<', 0xE2},
};

// The same keys by their place (KeyboardEvent.code), for shifted characters.
const Name g_orte[] = {
    {"Semicolon", 0xBA}, {"Equal", 0xBB},        {"Comma", 0xBC},     {"Minus", 0xBD},
    {"Period", 0xBE},    {"Slash", 0xBF},        {"Backquote", 0xC0}, {"BracketLeft", 0xDB},
    {"Backslash", 0xDC}, {"BracketRight", 0xDD}, {"Quote", 0xDE},     {"IntlBackslash", 0xE2},
};

int nachschlagen(const Name* tabelle, size_t anzahl, const char* name) {
    for (size_t i = 0; i < anzahl; ++i)
        if (std::strcmp(tabelle[i].name, name) == 0) return tabelle[i].wert;
    return 0;
}

// The one code point a key prints, or 0 when key is not exactly one.
uint32_t ein_zeichen(const char* key) {
    if (key == nullptr || *key == 0) return 0;
    uint32_t zeichen = 0;
    const int laenge = plat_common_utf8_lesen(reinterpret_cast<const unsigned char*>(key), &zeichen);
    if (laenge == 0 || key[laenge] != 0) return 0;
    return zeichen;
}

// "F1" .. "F24".
int funktionstaste(const char* key) {
    if (key[0] != 'F' || key[1] < '1' || key[1] > '9') return 0;
    int n = key[1] - '0';
    if (key[2] >= '0' && key[2] <= '9' && key[3] == 0)
        n = n * 10 + (key[2] - '0');
    else if (key[2] != 0)
        return 0;
    if (n > 24) return 0;
    return n <= 12 ? 0x70 + n - 1 : 0x7C + n - 13;
}

// "KeyA" .. "KeyZ", "Digit0" .. "Digit9": the key's place.
int ort_buchstabe_oder_ziffer(const char* code) {
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == 0) return code[3];
    if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && code[6] == 0) return code[5];
    return 0;
}

int ziffernblock(const char* key, const char* code) {
    if (std::strcmp(code, "NumpadEnter") == 0) return VK_RETURN;
    // Without Num Lock the keys say what they do ("ArrowLeft", "Home").
    if (std::strncmp(code, "Numpad", 6) == 0 && code[6] >= '0' && code[6] <= '9' && code[7] == 0)
        return key[0] >= '0' && key[0] <= '9' && key[1] == 0 ? 0x60 + (code[6] - '0') : 0;
    return nachschlagen(g_ziffernblock, sizeof g_ziffernblock / sizeof g_ziffernblock[0], code);
}

int gedrucktes_in_vk(uint32_t zeichen, const char* code, WebTasteZusatz zusatz) {
    if (zeichen == ' ') return VK_SPACE;
    if (zeichen >= 'a' && zeichen <= 'z') return static_cast<int>(zeichen - 'a' + 'A');
    if (zeichen >= 'A' && zeichen <= 'Z') return static_cast<int>(zeichen);
    if (zeichen >= '0' && zeichen <= '9') return static_cast<int>(zeichen);
    // Shift or AltGr changed what the key prints: the key itself counts.
    const bool verwandelt = zusatz.shift || zusatz.alt;
    if (verwandelt) {
        if (const int ort = ort_buchstabe_oder_ziffer(code)) return ort;
    }
    for (const Satzzeichen& s : g_satzzeichen)
        if (s.zeichen == zeichen) return s.vk;
    if (verwandelt) return nachschlagen(g_orte, sizeof g_orte / sizeof g_orte[0], code);
    return 0;
}

}   // namespace

int web_taste_in_vk(const char* key, const char* code, WebTasteZusatz zusatz) {
    if (key == nullptr) key = "";
    if (code == nullptr) code = "";
    if (std::strncmp(code, "Numpad", 6) == 0) {
        if (const int vk = ziffernblock(key, code)) return vk;
    }
    if (const uint32_t zeichen = ein_zeichen(key)) return gedrucktes_in_vk(zeichen, code, zusatz);
    if (const int vk = funktionstaste(key)) return vk;
    return nachschlagen(g_benannt, sizeof g_benannt / sizeof g_benannt[0], key);
}

int web_taste_zeichen(const char* key, WebTasteZusatz zusatz) {
    if (key == nullptr) return -1;
    if (std::strcmp(key, "Enter") == 0) return 13;
    if (std::strcmp(key, "Backspace") == 0) return 8;
    if (std::strcmp(key, "Tab") == 0) return 9;
    if (std::strcmp(key, "Escape") == 0 || std::strcmp(key, "Esc") == 0) return 27;
    const uint32_t zeichen = ein_zeichen(key);
    // Control alone makes a shortcut; with Alt it is AltGr, which types.
    if (zeichen == 0 || zusatz.meta || (zusatz.strg && !zusatz.alt)) return -1;
    if (zeichen < 0x20 || zeichen == 0x7F) return -1;
    return plat_common_zeichen_in_1252(zeichen);
}

bool web_taste_abfangen(const char* key, WebTasteZusatz zusatz) {
    if (key == nullptr) return false;
    if (std::strcmp(key, "F5") == 0 || std::strcmp(key, "F11") == 0 || std::strcmp(key, "F12") == 0) return false;
    if (zusatz.meta) return false;
    if (zusatz.strg || zusatz.alt) return zusatz.strg && zusatz.alt && ein_zeichen(key) != 0;
    return true;
}

void web_maus_abbilden(double x, double y, double links, double oben, double breite, double hoehe, int bild_b,
                       int bild_h, int* bx, int* by) {
    auto achse = [](double p, double anfang, double laenge, int pixel) {
        if (!(laenge > 0) || pixel <= 0 || !std::isfinite(p)) return 0;
        const double v = std::floor((p - anfang) * pixel / laenge);
        if (!(v >= 0)) return 0;
        return v >= pixel ? pixel - 1 : static_cast<int>(v);
    };
    *bx = achse(x, links, breite, bild_b);
    *by = achse(y, oben, hoehe, bild_h);
}
