// Copies one BMP sector of an archive onto an 8-bit surface of the same
// size, optionally making its colour table the screen palette.
#include <cstdio>
#include <cstring>

#include "assets/packfile.h"
#include "graphics/ddraw.h"
#include "kern/bytefolge.h"
#include "kern/kern.h"

enum {
    BMP_DATEIKOPF = 14,
    BMP_INFOKOPF = 40,
    BMP_FARBTABELLE = 1024,
};

void Bild_spiegeln(BYTE* zeile, int laenge) {
    for (int i = 0, j = laenge - 1; i < j; i++, j--) {
        BYTE b = zeile[i];
        zeile[i] = zeile[j];
        zeile[j] = b;
    }
}

// Header reads must be complete; a short one means the sector is cut off
// before anything usable.
static bool Kopf_lesen(PlatFile* hDatei, BYTE* puffer, DWORD laenge) {
    DWORD dwGelesen = 0;
    return plat_file_read(hDatei, puffer, laenge, &dwGelesen) && dwGelesen == laenge;
}

static void Palette_setzen(const BYTE* farbtabelle, int* fehler) {
    PALETTEENTRY pe[256];
    for (int i = 0; i < 256; i++) {
        pe[i].peRed = farbtabelle[4 * i + 2];
        pe[i].peGreen = farbtabelle[4 * i + 1];
        pe[i].peBlue = farbtabelle[4 * i + 0];
        pe[i].peFlags = PC_NOCOLLAPSE;
    }

    PlatPalette* lpNeu = nullptr;
    if (plat_display_create_palette(lpDD, pe, &lpNeu) != PLAT_OK || !lpNeu) {
        Fehler_melden("PackFile_Bild_laden: CreatePalette()");
        *fehler = 10;
        return;
    }
    if (plat_surface_set_palette(lpDDSPrimary, lpNeu) != PLAT_OK) {
        // The old palette stays on the screen and in lpDDPal.
        plat_palette_release(lpNeu);
        Fehler_melden("PackFile_Bild_laden: SetPalette()");
        *fehler = 11;
        return;
    }
    // Every background load makes a new palette; drop the one it replaces
    // so a long session does not pile them up.
    if (lpDDPal) plat_palette_release(lpDDPal);
    lpDDPal = lpNeu;
}

// Reads the headers, the colour table and the rows of one sector, checking
// them against the target's size.
static int Sektor_lesen(PlatFile* hDatei, int32_t iSektorOffset, bool bGesperrt, uint32_t W, uint32_t H,
                        BYTE* farbtabelle, BYTE* lpbyBild, const char** meldung) {
    BYTE dateikopf[BMP_DATEIKOPF], infokopf[BMP_INFOKOPF];
    // An offset outside the file reads as a missing header.
    if (iSektorOffset < 0 || !plat_file_seek(hDatei, (DWORD)iSektorOffset) ||
        !Kopf_lesen(hDatei, dateikopf, BMP_DATEIKOPF)) {
        *meldung = "PackFile_Bild_laden: ReadeFile(BMPFileHead)";
        return 5;
    }
    if (!Kopf_lesen(hDatei, infokopf, BMP_INFOKOPF)) {
        *meldung = "PackFile_Bild_laden: ReadeFile(BMPInfoHead)";
        return 6;
    }
    int32_t biWidth = Bytes_Int_lesen(infokopf + 4);
    int32_t biHeight = Bytes_Int_lesen(infokopf + 8);
    WORD biBitCount = Bytes_Word_lesen(infokopf + 14);
    if (!bGesperrt || (int64_t)biWidth != (int64_t)W || (int64_t)biHeight != (int64_t)H || biBitCount != 8) {
        snprintf(szText, sizeof(szText), "PackFile_Bild_laden: Formatvergleich - Breite1%i Breite2%i", (int)biWidth,
                 (int)W);
        *meldung = szText;
        iGameState = GS_EXIT;
        return 7;
    }

    // A sector cut short by the end of the archive: what is missing stays zero.
    DWORD dwGelesen = 0;
    memset(farbtabelle, 0, BMP_FARBTABELLE);
    if (!plat_file_read(hDatei, farbtabelle, BMP_FARBTABELLE, &dwGelesen)) {
        *meldung = "PackFile_Bild_laden: ReadeFile(Palette)";
        return 8;
    }
    const size_t groesse = (size_t)W * H;
    memset(lpbyBild, 0, groesse);
    if (!plat_file_read(hDatei, lpbyBild, (DWORD)groesse, &dwGelesen)) {
        *meldung = "PackFile_Bild_laden: ReadeFile(Bilddaten)";
        return 9;
    }
    return 0;
}

int PackFile_Bild_laden(const char* datei, const PackFileVerzeichnis* pfv, int sektor, PlatSurface* ziel, BYTE palette,
                        BYTE spiegeln) {
    if (!ziel) {
        Fehler_melden("PackFile_Bild_laden: Surface nich vorhanden!");
        iGameState = GS_EXIT;
        return 1;
    }
    if (!pfv || sektor < 0 || sektor >= MAX_BMP_SEKTOREN || pfv->iSektorTyp[sektor] != SEKTOR_BMP) {
        Fehler_melden(
            "PackFile_Bild_laden: Ung\xFC"
            "ltiger BMP-Sektor ausgew\xE4"
            "hlt!");
        iGameState = GS_EXIT;
        return 2;
    }

    // A surface that cannot be locked counts as 0 x 0 and fails the size check.
    PlatLock lock{};
    bool bGesperrt = plat_surface_lock(ziel, &lock) == PLAT_OK;
    if (!bGesperrt) lock = PlatLock{};
    const uint32_t W = lock.dwWidth, H = lock.dwHeight;
    const size_t groesse = (size_t)W * H;

    // Every step below only runs while no earlier one failed; what the load
    // holds (lock, buffer, file) is given back in one place before the report.
    const char* meldung = nullptr;
    int fehler = 0;
    PlatFile* hDatei = nullptr;
    BYTE farbtabelle[BMP_FARBTABELLE];

    // At least one byte, so an empty surface reaches the size check.
    BYTE* lpbyBild = (BYTE*)plat_malloc(groesse ? groesse : 1);
    if (!lpbyBild) {
        meldung = "PackFile_Bild_laden: malloc(lpbyBild)";
        fehler = 3;
    } else if (!(hDatei = plat_file_open(datei, PLAT_DATEI_LESEN))) {
        snprintf(szText, sizeof(szText), "Die Datei <%s> wurde nicht gefunden!", datei);
        meldung = szText;
        fehler = 4;
    }

    if (!fehler)
        fehler = Sektor_lesen(hDatei, pfv->iSektorOffset[sektor], bGesperrt, W, H, farbtabelle, lpbyBild, &meldung);
    if (hDatei) plat_file_close(hDatei);

    if (!fehler) {
        // The file stores the bottom row first.
        BYTE* quelle = lpbyBild + groesse;
        BYTE* zielzeile = lock.lpSurface;
        for (uint32_t y = 0; y < H; y++) {
            quelle -= W;
            if (spiegeln == 1) Bild_spiegeln(quelle, (int)W);
            memcpy(zielzeile, quelle, W);
            zielzeile += lock.lPitch;
        }
    }

    if (bGesperrt) plat_surface_unlock(ziel);
    plat_free(lpbyBild);
    if (fehler) {
        Fehler_melden(meldung);
        return fehler;
    }

    if (palette != 1) return 0;
    Palette_setzen(farbtabelle, &fehler);
    return fehler;
}
