// A picture sector of an archive onto a surface of one of the game's
// sizes: the loader either fills exactly the picture's rows or refuses
// with its code and message, and always leaves the file closed, the
// surface unlocked and the bytes beyond each row untouched.
#include <cstring>

#include "assets/packfile.h"
#include "fuzz_eingaben.h"
#include "fuzz_hilfe.h"
#include "graphics/ddraw.h"
#include "platform/plat_intern.h"
#include "shell/spiel.h"

static const int EXTRA_PITCH = 13;
static const BYTE RAND_MUSTER = 0x5A;

// What the display holds between inputs.
static int g_iGrundbestand = 0;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz_anfangen();
    Fuzz_Anzeige_auf();
    g_iGrundbestand = headless_live_objects();
    return 0;
}

static void Palette_weg(void) {
    if (lpDDPal) plat_palette_release(lpDDPal);
    lpDDPal = nullptr;
}

// Bytes beyond the width of every row, and the rows' pixels, as locked.
static bool Raender_unberuehrt(PlatSurface* s, int breite, bool setzen) {
    PlatLock l{};
    if (plat_surface_lock(s, &l) != PLAT_OK) return false;
    bool ok = l.lPitch >= breite;
    for (uint32_t y = 0; ok && y < l.dwHeight; y++) {
        BYTE* rand = l.lpSurface + (size_t)y * (size_t)l.lPitch + breite;
        for (int x = 0; x < l.lPitch - breite; x++) {
            if (setzen)
                rand[x] = RAND_MUSTER;
            else if (rand[x] != RAND_MUSTER)
                ok = false;
        }
    }
    plat_surface_unlock(s);
    return ok;
}

// Byte i of the archive, zero past its end (a sector cut short).
static BYTE Archivbyte(const uint8_t* archiv, size_t laenge, uint64_t i) { return i < laenge ? archiv[i] : 0; }

// The surface holds the file's rows, the last one at the top, each
// reversed when mirrored; with the palette flag the screen palette is the
// colour table.
static bool Bild_wie_im_Archiv(PlatSurface* s, const uint8_t* archiv, size_t laenge, uint32_t offset, BYTE spiegeln,
                               BYTE palette) {
    PlatLock l{};
    if (plat_surface_lock(s, &l) != PLAT_OK) return false;
    const uint32_t W = l.dwWidth, H = l.dwHeight;
    const uint64_t pixel = (uint64_t)offset + 54 + 1024;
    bool ok = true;
    for (uint32_t y = 0; ok && y < H; y++) {
        for (uint32_t x = 0; ok && x < W; x++) {
            uint32_t sx = spiegeln ? W - 1 - x : x;
            ok = l.lpSurface[(size_t)y * l.lPitch + x] ==
                 Archivbyte(archiv, laenge, pixel + (uint64_t)(H - 1 - y) * W + sx);
        }
    }
    plat_surface_unlock(s);
    for (int i = 0; ok && palette && i < 256; i++) {
        const PALETTEENTRY& pe = lpDDSPrimary->palette[i];
        const uint64_t farbe = (uint64_t)offset + 54 + 4 * i;
        ok = lpDDSPrimary->has_palette && pe.peBlue == Archivbyte(archiv, laenge, farbe) &&
             pe.peGreen == Archivbyte(archiv, laenge, farbe + 1) && pe.peRed == Archivbyte(archiv, laenge, farbe + 2) &&
             pe.peFlags == PC_NOCOLLAPSE;
    }
    return ok;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge) {
    if (laenge < FUZZ_BILD_KOPF) return 0;
    const int sektor = daten[0] % FUZZ_BILD_SEKTOREN;
    const BYTE schalter = daten[1];
    const FuzzFlaeche& f = FUZZ_FLAECHEN[(schalter & 0x0F) % FUZZ_FLAECHEN_ANZAHL];
    const BYTE palette = (schalter & FUZZ_BILD_PALETTE) ? 1 : 0;
    const BYTE spiegeln = (schalter & FUZZ_BILD_SPIEGELN) ? 1 : 0;

    FuzzEingabe eingabe((schalter & FUZZ_BILD_BREIT) ? EXTRA_PITCH : 0);
    Palette_weg();
    Fuzz_Datei_schreiben("Grafik.dat", daten + FUZZ_BILD_KOPF, laenge - FUZZ_BILD_KOPF);
    PackFileVerzeichnis pfv{};
    PlatSurface* ziel = nullptr;
    if (PackFile_oeffnen("Grafik.dat", &pfv) != 0) return 0;
    Fuzz_Pruefen(DDraw_Offscreen_anlegen(&ziel, f.iBreite, f.iHoehe, 1) == 0, "no surface");
    Fuzz_Pruefen(Raender_unberuehrt(ziel, f.iBreite, true), "a fresh surface locks");
    headless_log_clear();
    const int objekte = headless_live_objects();

    int ergebnis = PackFile_Bild_laden("Grafik.dat", &pfv, sektor, ziel, palette, spiegeln);

    Fuzz_Pruefen(ergebnis >= 0 && ergebnis <= 11, "codes 0 to 11");
    Fuzz_Pruefen(Raender_unberuehrt(ziel, f.iBreite, false), "unlocked, and nothing written beyond a row");
    Fuzz_Pruefen(headless_live_objects() == objekte + (ergebnis == 0 && palette ? 1 : 0),
                 "the file is closed; only a new palette stays");
    Fuzz_Pruefen(Fuzz_Meldungen() == (ergebnis ? 1u : 0u), "one message for a failure, none otherwise");
    bool bBeenden = ergebnis == 1 || ergebnis == 2 || ergebnis == 7;
    Fuzz_Pruefen((iGameState == GS_EXIT) == bBeenden, "only a broken installation ends the game");
    if (ergebnis == 0) {
        Fuzz_Pruefen(sektor < MAX_BMP_SEKTOREN && pfv.iSektorTyp[sektor] == SEKTOR_BMP, "only picture sectors load");
        Fuzz_Pruefen(Bild_wie_im_Archiv(ziel, daten + FUZZ_BILD_KOPF, laenge - FUZZ_BILD_KOPF,
                                        (uint32_t)pfv.iSektorOffset[sektor], spiegeln, palette),
                     "the surface shows the picture as stored");
    }

    plat_surface_release(ziel);
    Palette_weg();
    Fuzz_Pruefen(headless_live_objects() == g_iGrundbestand, "nothing is left behind");
    return 0;
}
