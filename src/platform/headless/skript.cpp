// The runner's script: one event per line, "<ms> <verb> [args]", '#'
// starts a comment. Anything else is refused with its line number.
#include <cctype>
#include <cstring>
#include <sstream>

#include "platform/headless/headless_intern.h"

namespace {

struct Tastenname {
    const char* name;
    uint32_t vk;
    int zeichen;   // WM_CHAR that goes with it, -1: none
};

const Tastenname g_tasten[] = {
    {"RETURN", VK_RETURN, '\r'}, {"SPACE", VK_SPACE, ' '}, {"ESCAPE", VK_ESCAPE, 27}, {"BACK", VK_BACK, 8},
    {"TAB", VK_TAB, '\t'},       {"LEFT", VK_LEFT, -1},    {"RIGHT", VK_RIGHT, -1},   {"UP", VK_UP, -1},
    {"DOWN", VK_DOWN, -1},       {"F1", VK_F1, -1},        {"F2", VK_F2, -1},         {"F3", VK_F3, -1},
    {"F4", VK_F4, -1},
};

// Key codes of the punctuation keys on a US keyboard, shifted or not.
const char* const g_oem_zeichen[] = {";:", "=+", ",<", "-_", ".>", "/?", "`~", "[{", "\\|", "]}", "'\""};
const uint32_t g_oem_vk[] = {0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE};
const char g_ziffern_geshiftet[] = ")!@#$%^&*(";

bool zahl_lesen(const std::string& s, uint64_t max, uint64_t* wert) {
    if (s.empty() || s.size() > 20) return false;
    uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<uint64_t>(c - '0');
        if (v > max) return false;
    }
    *wert = v;
    return true;
}

bool druckbar(const std::string& s) { return s.size() == 1 && s[0] > ' ' && s[0] < 127; }

uint32_t vk_von_zeichen(char c) {
    if (std::isalpha(static_cast<unsigned char>(c)))
        return static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(c)));
    if (std::isdigit(static_cast<unsigned char>(c))) return static_cast<uint32_t>(c);
    if (const char* p = std::strchr(g_ziffern_geshiftet, c))
        return static_cast<uint32_t>('0' + (p - g_ziffern_geshiftet));
    for (size_t i = 0; i < sizeof g_oem_vk / sizeof g_oem_vk[0]; ++i)
        if (std::strchr(g_oem_zeichen[i], c)) return g_oem_vk[i];
    return 0;
}

HeadlessEreignis nachricht(DWORD ms, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    HeadlessEreignis e;
    e.ms = ms;
    e.msg = MSG{nullptr, message, wParam, lParam};
    return e;
}

bool gleich_ohne_gross(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return true;
}

bool taste(DWORD ms, const std::string& name, std::vector<HeadlessEreignis>* out) {
    uint32_t vk = 0;
    int zeichen = -1;
    if (druckbar(name)) {
        vk = vk_von_zeichen(name[0]);
        zeichen = static_cast<unsigned char>(name[0]);
    } else {
        for (const Tastenname& t : g_tasten)
            if (gleich_ohne_gross(name, t.name)) {
                vk = t.vk;
                zeichen = t.zeichen;
            }
    }
    if (!vk) return false;
    out->push_back(nachricht(ms, WM_KEYDOWN, vk, 1));
    if (zeichen >= 0) out->push_back(nachricht(ms, WM_CHAR, static_cast<uintptr_t>(zeichen), 1));
    return true;
}

bool zeichen(DWORD ms, const std::string& arg, std::vector<HeadlessEreignis>* out) {
    uint64_t byte = 0;
    if (druckbar(arg))
        byte = static_cast<unsigned char>(arg[0]);
    else if (arg.size() < 2 || arg[0] != '#' || !zahl_lesen(arg.substr(1), 255, &byte))
        return false;
    out->push_back(nachricht(ms, WM_CHAR, static_cast<uintptr_t>(byte), 1));
    return true;
}

// One line; false when it is not a valid event.
bool zeile_lesen(const std::string& zeile, std::vector<HeadlessEreignis>* out) {
    std::istringstream in(zeile);
    std::vector<std::string> t;
    for (std::string w; in >> w;) t.push_back(w);
    if (t.empty() || t[0][0] == '#') return true;
    uint64_t ms = 0;
    if (t.size() < 2 || !zahl_lesen(t[0], 0xFFFFFFFFull, &ms)) return false;
    const std::string& verb = t[1];
    size_t argumente;
    if (verb == "key" || verb == "char" || verb == "shot")
        argumente = 1;
    else if (verb == "move")
        argumente = 2;
    else if (verb == "lclick" || verb == "rclick" || verb == "close" || verb == "globals")
        argumente = 0;
    else
        return false;
    if (t.size() < 2 + argumente) return false;
    if (t.size() > 2 + argumente && t[2 + argumente][0] != '#') return false;
    DWORD zeit = static_cast<DWORD>(ms);
    if (verb == "key") return taste(zeit, t[2], out);
    if (verb == "char") return zeichen(zeit, t[2], out);
    if (verb == "move") {
        uint64_t x = 0, y = 0;
        if (!zahl_lesen(t[2], 0xFFFF, &x) || !zahl_lesen(t[3], 0xFFFF, &y)) return false;
        out->push_back(nachricht(zeit, WM_MOUSEMOVE, 0, static_cast<intptr_t>(x | (y << 16))));
        return true;
    }
    if (verb == "lclick" || verb == "rclick") {
        bool links = verb == "lclick";
        out->push_back(nachricht(zeit, links ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, links ? 1 : 2, 0));
        return true;
    }
    if (verb == "close") {
        out->push_back(nachricht(zeit, WM_CLOSE, 0, 0));
        return true;
    }
    HeadlessEreignis e;
    e.ms = zeit;
    e.is_action = true;
    e.verb = verb;
    e.args = argumente ? t[2] : "";
    out->push_back(e);
    return true;
}

}   // namespace

bool headless_script_parse(const std::string& text, std::vector<HeadlessEreignis>* out, int* bad_line) {
    std::vector<HeadlessEreignis> ereignisse;
    size_t anfang = 0;
    int nummer = 0;
    while (anfang <= text.size()) {
        size_t ende = text.find('\n', anfang);
        if (ende == std::string::npos) ende = text.size();
        ++nummer;
        std::string zeile = text.substr(anfang, ende - anfang);
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        if (!zeile_lesen(zeile, &ereignisse)) {
            if (bad_line) *bad_line = nummer;
            return false;
        }
        anfang = ende + 1;
    }
    if (bad_line) *bad_line = 0;
    if (out) *out = ereignisse;
    return true;
}
