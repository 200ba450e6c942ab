#include "platform/zeichensatz.h"

namespace {

// Windows-1252 0x80..0x9F; 0 where the code page has a hole.
const uint16_t g_mitte[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void utf8_anhaengen(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}   // namespace

uint32_t plat_common_zeichen_aus_1252(uint8_t byte) {
    if (byte < 0x80 || byte >= 0xA0) return byte;
    return g_mitte[byte - 0x80] != 0 ? g_mitte[byte - 0x80] : 0xFFFD;
}

int plat_common_zeichen_in_1252(uint32_t zeichen) {
    if (zeichen < 0x80 || (zeichen >= 0xA0 && zeichen <= 0xFF)) return static_cast<int>(zeichen);
    for (int i = 0; i < 32; ++i)
        if (g_mitte[i] != 0 && g_mitte[i] == zeichen) return 0x80 + i;
    return -1;
}

std::string plat_common_text_1252_als_utf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) utf8_anhaengen(out, plat_common_zeichen_aus_1252(static_cast<uint8_t>(c)));
    return out;
}

int plat_common_utf8_lesen(const unsigned char* s, uint32_t* zeichen) {
    const unsigned c = s[0];
    int laenge;
    uint32_t wert, minimum;
    if (c < 0x80) {
        *zeichen = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        laenge = 2;
        wert = c & 0x1F;
        minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        laenge = 3;
        wert = c & 0x0F;
        minimum = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        laenge = 4;
        wert = c & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    for (int i = 1; i < laenge; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0;   // also stops at the terminator
        wert = (wert << 6) | (s[i] & 0x3F);
    }
    if (wert < minimum || wert > 0x10FFFF || (wert >= 0xD800 && wert <= 0xDFFF)) return 0;
    *zeichen = wert;
    return laenge;
}

bool plat_common_ist_utf8(const std::string& text) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text.c_str());
    const unsigned char* ende = s + text.size();
    while (s < ende) {
        uint32_t zeichen = 0;
        const int n = *s == 0 ? 1 : plat_common_utf8_lesen(s, &zeichen);   // a NUL inside the text is itself
        if (n == 0) return false;
        s += n;
    }
    return true;
}
