// "Score.dat" as a player may leave it: read (and replaced when damaged),
// then one entry made as after a round, then the list screen drawn. The
// table must stay sorted with terminated names, and the file on disk must
// always hold exactly the table.
#include <cstdio>
#include <cstring>

#include "assets/highscore.h"
#include "fuzz_eingaben.h"
#include "fuzz_hilfe.h"
#include "graphics/bitmaptext.h"
#include "graphics/ddraw.h"
#include "kern/bytefolge.h"
#include "screens/screens.h"
#include "shell/spiel.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz_anfangen();
    Fuzz_Anzeige_auf();
    Fuzz_Pruefen(DDraw_Offscreen_anlegen(&lpDDSFont, 920, 152, 1) == 0, "no font surface");
    // A plain grid of glyph cells stands in for the scanned font.
    for (int i = 0; i < MAX_GLYPHEN - 1; i++) {
        int x = (i % 40) * 22, y = (i / 40) * 40;
        rcGlyphen[i] = RECT{x + 1, y + 1, x + 19, y + 33};
    }
    rcGlyphen[MAX_GLYPHEN - 1] = RECT{18, 32, 0, 0};
    return 0;
}

static size_t Datei_lesen(BYTE* puffer, size_t groesse) {
    FILE* f = std::fopen(HIGHSCORE_DATEI, "rb");
    if (!f) return 0;
    size_t n = std::fread(puffer, 1, groesse, f);
    std::fclose(f);
    return n;
}

static void Tabelle_pruefen(bool bDatei) {
    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        Fuzz_Pruefen(memchr(HighscoreListe[i].szName, 0, sizeof(HighscoreListe[i].szName)) != nullptr,
                     "every name is terminated");
        if (i > 0) Fuzz_Pruefen(HighscoreListe[i - 1].iPunktzahl >= HighscoreListe[i].iPunktzahl, "best first");
    }
    if (!bDatei) return;
    BYTE datei[HIGHSCORE_DATEI_GROESSE + 1];
    Fuzz_Pruefen(Datei_lesen(datei, sizeof(datei)) == HIGHSCORE_DATEI_GROESSE, "the file is whole");
    Fuzz_Pruefen(memcmp(datei, HIGHSCORE_VERSION, sizeof(HIGHSCORE_VERSION)) == 0, "the file has its version");
    Fuzz_Pruefen(memcmp(datei + HS_EINTRAEGE, HighscoreListe, sizeof(HighscoreListe)) == 0, "the file holds the table");
}

// A valid file's entries, best first, the upper of equal scores first,
// each name cut to what fits with its terminator.
static void Wie_in_der_Datei(const uint8_t* datei) {
    bool bPlatziert[MAX_HIGHSCORES] = {};
    for (int n = 0; n < MAX_HIGHSCORES; n++) {
        int beste = -1;
        int32_t wert = 0;
        for (int i = 0; i < MAX_HIGHSCORES; i++) {
            int32_t p = Bytes_Int_lesen(datei + HS_EINTRAEGE + HS_EINTRAG_GROESSE * i);
            if (!bPlatziert[i] && (beste < 0 || p > wert)) {
                beste = i;
                wert = p;
            }
        }
        bPlatziert[beste] = true;
        char szName[20] = {};
        memcpy(szName, datei + HS_EINTRAEGE + HS_EINTRAG_GROESSE * beste + 4, sizeof(szName) - 1);
        Fuzz_Pruefen(HighscoreListe[n].iPunktzahl == wert, "the file's scores, best first");
        Fuzz_Pruefen(strcmp(HighscoreListe[n].szName, szName) == 0, "the file's names");
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge) {
    int32_t punkte = (int32_t)Bytes_Wert_lesen(daten, laenge, 0, 4);
    char szName[FUZZ_SCORE_NAME + 1] = {};
    for (size_t i = 4; i < FUZZ_SCORE_KOPF && i < laenge && daten[i]; i++) szName[i - 4] = (char)daten[i];

    FuzzEingabe eingabe;
    std::remove(HIGHSCORE_DATEI);
    if (laenge > FUZZ_SCORE_KOPF)
        Fuzz_Datei_schreiben(HIGHSCORE_DATEI, daten + FUZZ_SCORE_KOPF, laenge - FUZZ_SCORE_KOPF);
    memset(HighscoreListe, 0xEE, sizeof(HighscoreListe));
    Zufall_saeen(1);

    int ergebnis = Highscore_lesen(HIGHSCORE_DATEI);
    Fuzz_Pruefen(ergebnis >= 0 && ergebnis <= 4, "codes 0 to 4");
    Fuzz_Pruefen(Fuzz_Meldungen() == (ergebnis >= 2 ? 1u : 0u), "a message for a damaged file only");
    // A valid file is not written back; any other has been replaced.
    Tabelle_pruefen(ergebnis != 0);
    if (ergebnis == 0) Wie_in_der_Datei(daten + FUZZ_SCORE_KOPF);

    // The entry goes below every score it does not beat; the last drops out.
    HighscoreEintrag erwartet[MAX_HIGHSCORES];
    int platz = 0;
    while (platz < MAX_HIGHSCORES && punkte <= HighscoreListe[platz].iPunktzahl) platz++;
    for (int i = 0, j = 0; i < MAX_HIGHSCORES; i++) {
        if (i == platz) {
            erwartet[i] = HighscoreEintrag{punkte, {}};
            memcpy(erwartet[i].szName, szName, sizeof(szName));
        } else {
            erwartet[i] = HighscoreListe[j++];
        }
    }
    Highscore_eintragen(szName, punkte);
    Tabelle_pruefen(true);
    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        Fuzz_Pruefen(HighscoreListe[i].iPunktzahl == erwartet[i].iPunktzahl, "scores after the entry");
        Fuzz_Pruefen(strcmp(HighscoreListe[i].szName, erwartet[i].szName) == 0, "names after the entry");
    }

    dwTick = (DWORD)punkte;
    Highscore_zeigen();
    return 0;
}
