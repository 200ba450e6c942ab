// The bitmap font: the glyph scan of the font picture, the highlighted
// copy and the drawing of text.
#include "graphics/bitmaptext.h"

#include <array>
#include <cstring>

#include "kern/kern.h"

RECT rcGlyphen[MAX_GLYPHEN] = {};

// The scan stores at most this many cells; the last entry holds the averages.
static const int MAX_ZELLEN = MAX_GLYPHEN - 1;
static const int TRENN_SPALTE = 5;   // column that marks the separator lines

// ------------------------------------------------------- character table

static constexpr std::array<BYTE, 256> Zeichentabelle_bauen() {
    std::array<BYTE, 256> t{};
    for (auto& g : t) g = KEIN_GLYPH;
    for (int i = 0; i < 26; ++i) {
        t['a' + i] = static_cast<BYTE>(i);
        t['A' + i] = static_cast<BYTE>(26 + i);
    }
    for (int i = 0; i < 10; ++i) t['0' + i] = static_cast<BYTE>(52 + i);
    const unsigned char zeichen[] = {'.', ',', '-', ':', '!',  '"', '$',  '%', '&',
                                     '/', '(', ')', '?', '\\', '`', 0xB4, '@', '+'};
    for (unsigned i = 0; i < sizeof zeichen; ++i) t[zeichen[i]] = static_cast<BYTE>(62 + i);
    return t;
}

static constexpr std::array<BYTE, 256> kZeichenIndex = Zeichentabelle_bauen();

int BitmapText_Zeichenindex(BYTE zeichen) { return kZeichenIndex[zeichen]; }

// ------------------------------------------------------------ glyph scan

// Locks the surface; a lock whose rows cannot be walked safely counts as
// a failed lock and is given back at once.
static bool Sperren(PlatSurface* s, PlatLock* l) {
    if (!s || plat_surface_lock(s, l) != PLAT_OK) return false;
    if (l->dwWidth == 0 || l->dwHeight == 0) return true;
    if (l->lpSurface && l->lPitch > 0 && static_cast<uint32_t>(l->lPitch) >= l->dwWidth) return true;
    plat_surface_unlock(s);
    return false;
}

int BitmapText_einlesen(PlatSurface* font, RECT* glyphen) {
    PlatLock l{};
    if (!glyphen || !Sperren(font, &l)) {
        Fehler_melden("BitmapText_einlesen: Lock(lpDDSFont)");
        return 1;
    }

    int k = 0;
    int linien = 0;
    int64_t breitenSumme = 0;
    int64_t hoehenSumme = 0;
    int vorige = -1;

    // A surface narrower than the marker column has no separator lines.
    if (l.dwWidth > static_cast<uint32_t>(TRENN_SPALTE)) {
        const int breite = static_cast<int>(l.dwWidth);
        const int hoehe = static_cast<int>(l.dwHeight);
        for (int y = 0; y < hoehe; ++y) {
            const uint8_t* zeile = l.lpSurface + static_cast<size_t>(y) * static_cast<size_t>(l.lPitch);
            if (zeile[TRENN_SPALTE] != 0) continue;
            ++linien;
            if (vorige < 0) {
                vorige = y;
                continue;
            }
            const uint8_t* kopf = l.lpSurface + static_cast<size_t>(vorige + 1) * static_cast<size_t>(l.lPitch);
            int letzte = -1;
            for (int x = 0; x < breite; ++x) {
                if (kopf[x] != 0) continue;
                if (letzte < 0) {
                    letzte = x;
                } else if (k < MAX_ZELLEN) {
                    RECT& g = glyphen[k];
                    g.left = letzte + 1;
                    g.top = vorige + 1;
                    g.right = x - 1;
                    g.bottom = y - 1;
                    breitenSumme += g.right - g.left;
                    hoehenSumme += g.bottom - g.top;
                    ++k;
                    letzte = x;
                }
            }
            vorige = y;
        }
    }
    plat_surface_unlock(font);

    if (linien < 2 || k == 0) {
        Fehler_melden("BitmapText_einlesen: Keine Trennlinien gefunden!");
        return 2;
    }
    glyphen[MAX_ZELLEN].left = static_cast<int32_t>(breitenSumme / k);
    glyphen[MAX_ZELLEN].top = static_cast<int32_t>(hoehenSumme / k);
    if (glyphen[MAX_ZELLEN].left < 4 || glyphen[MAX_ZELLEN].top < 4) {
        Fehler_melden("BitmapText_einlesen: Zeichensatz ungueltig!");
        return 3;
    }
    return 0;
}

// ------------------------------------------------------ highlighted copy

int BitmapText_klonen(PlatSurface* quelle, PlatSurface* ziel, BYTE umfaerben, BYTE von, BYTE nach) {
    if (!quelle || !ziel) {
        Fehler_melden("BitmapText_klonen: Surface nicht vorhanden!");
        return 1;
    }
    PlatLock lq{};
    if (!Sperren(quelle, &lq)) {
        Fehler_melden("BitmapText_klonen: Lock(lpDDSQuelle)");
        return 2;
    }
    const size_t breite = lq.dwWidth;
    const size_t hoehe = lq.dwHeight;
    const size_t groesse = breite * hoehe;
    // Rows are kept back to back; the source's pitch gap is never copied.
    auto* puffer = static_cast<uint8_t*>(plat_malloc(groesse > 0 ? groesse : 1));
    if (puffer) {
        for (size_t y = 0; y < hoehe; ++y)
            std::memcpy(puffer + y * breite, lq.lpSurface + y * static_cast<size_t>(lq.lPitch), breite);
    }
    plat_surface_unlock(quelle);
    if (!puffer) {
        Fehler_melden("BitmapText_klonen: Buffer konnte nicht angelegt werden!");
        return 3;
    }

    if (umfaerben == 1) {
        for (size_t i = 0; i < groesse; ++i)
            if (puffer[i] == von) puffer[i] = nach;
    }

    // The buffer and the target's lock are given back in one place.
    const char* meldung = nullptr;
    int fehler = 0;
    PlatLock lz{};
    if (!Sperren(ziel, &lz)) {
        meldung = "BitmapText_klonen: Lock(lpDDSZiel)";
        fehler = 4;
    } else {
        if (lz.dwWidth != lq.dwWidth || lz.dwHeight != lq.dwHeight) {
            meldung = "BitmapText_klonen: Falsche Surface-Groesse!";
            fehler = 5;
        } else {
            for (size_t y = 0; y < hoehe; ++y)
                std::memcpy(lz.lpSurface + y * static_cast<size_t>(lz.lPitch), puffer + y * breite, breite);
        }
        plat_surface_unlock(ziel);
    }
    plat_free(puffer);
    if (fehler) Fehler_melden(meldung);
    return fehler;
}

// ----------------------------------------------------------- text output

void BitmapText_ausgeben(PlatSurface* font, const char* text, int x, int y, int ausrichtung, PlatSurface* ziel) {
    if (!text || !font || !ziel) return;
    const int64_t n = static_cast<int64_t>(std::strlen(text));
    const int64_t mittelBreite = rcGlyphen[MAX_ZELLEN].left;
    const int64_t mittelHoehe = rcGlyphen[MAX_ZELLEN].top;

    // 64 bits: a long run of characters without glyph must not wrap x.
    int64_t px = x;
    if (ausrichtung == TEXT_ZENTRIERT)
        px -= (n / 2) * mittelBreite;
    else if (ausrichtung == TEXT_RECHTS)
        px -= n * mittelBreite;

    int64_t vorschub = 0;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        const int g = kZeichenIndex[*c];
        if (g == KEIN_GLYPH) {
            px += vorschub;
            continue;
        }
        const RECT& quelle = rcGlyphen[g];
        const int32_t w = quelle.right - quelle.left;
        const int32_t h = quelle.bottom - quelle.top;
        px += vorschub;
        if (px < 0 || px >= BILDSCHIRM_BREITE || y < -mittelHoehe || y >= BILDSCHIRM_HOEHE) return;
        // An empty cell would be a failed blit.
        if (w <= 0 || h <= 0) return;
        const RECT zielRect{static_cast<int32_t>(px), y, static_cast<int32_t>(px) + w, y + h};
        if (plat_surface_blt_keyed(ziel, &zielRect, font, &quelle) != PLAT_OK) return;
        vorschub = w;
    }
}
