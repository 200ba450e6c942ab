// The seven files the game cannot start without, and the MP3 files that
// make up the music.
#include "assets/dateien.h"

#include <cstring>

#include "audio/musik.h"
#include "kern/kern.h"

const char* const szPflichtDateien[MAX_PFLICHTDATEIEN] = {
    "Grafik.dat", "Sound.dat", "start.wav", "main.wav", "win.wav", "lose.wav", "credits.wav",
};

bool Datei_vorhanden(const char* datei) {
    PlatFile* hDatei = plat_file_open(datei, PLAT_DATEI_LESEN);
    if (!hDatei) return false;
    plat_file_close(hDatei);
    return true;
}

bool Dateien_pruefen(void) {
    for (const char* datei : szPflichtDateien) {
        if (!Datei_vorhanden(datei)) {
            Fehler_melden("Es fehlt mindestens eine Datei!\nDas Spiel kann leider nicht gestartet werden!");
            return false;
        }
    }
    return true;
}

bool Verzeichnis_durchsuchen(const char* verzeichnis, const char* endung) {
    memset(szMusikDatei, 0, sizeof(szMusikDatei));
    iMusikAnzahl = 0;
    iMusikTitel = 0;

    char szName[MUSIK_NAME_LAENGE] = {};
    PlatFind* hSuche = plat_find_first(verzeichnis, endung, szName, sizeof(szName));
    if (!hSuche) return false;

    // Enumeration order, unsorted; the first ten matches only.
    if (szName[0] != '\0') {
        do {
            memcpy(szMusikDatei[iMusikAnzahl], szName, sizeof(szName));
            szMusikDatei[iMusikAnzahl][MUSIK_NAME_LAENGE - 1] = '\0';
            iMusikAnzahl++;
            memset(szName, 0, sizeof(szName));
        } while (iMusikAnzahl < MAX_MUSIK && plat_find_next(hSuche, szName, sizeof(szName)));
    }
    plat_find_close(hSuche);
    return iMusikAnzahl > 0;
}

bool Musik_suchen(void) {
    char szVerzeichnis[1024] = {};
    // Without the working directory's name, search it by its relative one.
    if (!plat_get_current_directory(szVerzeichnis, sizeof(szVerzeichnis))) strcpy(szVerzeichnis, ".");

    if (!Verzeichnis_durchsuchen(szVerzeichnis, "mp3")) {
        iMusikZustand = MUSIK_KEINE;
        return false;
    }
    return true;
}
