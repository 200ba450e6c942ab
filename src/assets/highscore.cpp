// The top ten in memory and in "Score.dat" (288 bytes: version block,
// time of writing, ten entries).
#include "assets/highscore.h"

#include <cstring>

#include "kern/bytefolge.h"
#include "kern/kern.h"

HighscoreEintrag HighscoreListe[MAX_HIGHSCORES] = {};

// Names are at most 19 characters: a hand-made file without terminator
// is cut there, so the table always holds C strings.
static void Name_setzen(char* ziel, const char* name) {
    memset(ziel, 0, sizeof(HighscoreListe[0].szName));
    if (name) memcpy(ziel, name, strnlen(name, sizeof(HighscoreListe[0].szName) - 1));
}

void Highscore_sortieren(HighscoreEintrag* liste) {
    if (!liste) return;
    // Picks the best not yet placed, the upper one among equals: stable.
    HighscoreEintrag neu[MAX_HIGHSCORES];
    bool bPlatziert[MAX_HIGHSCORES] = {};
    for (int n = 0; n < MAX_HIGHSCORES; n++) {
        int beste = -1;
        for (int i = 0; i < MAX_HIGHSCORES; i++) {
            if (!bPlatziert[i] && (beste < 0 || liste[i].iPunktzahl > liste[beste].iPunktzahl)) beste = i;
        }
        bPlatziert[beste] = true;
        neu[n] = liste[beste];
    }
    memcpy(liste, neu, sizeof(neu));
}

int Highscore_schreiben(const char* datei) {
    BYTE abDatei[HIGHSCORE_DATEI_GROESSE] = {};
    memcpy(abDatei, HIGHSCORE_VERSION, sizeof(HIGHSCORE_VERSION));

    // The new list takes the old one's place only once it is whole on disk,
    // so a failed write never loses the old list. A list the player has
    // protected is not opened for writing at all.
    PlatFile* hDatei = plat_file_open(datei, PLAT_DATEI_ERSETZEN);
    if (!hDatei) {
        Fehler_melden("Highscore_schreiben: CreateFile(GENERIC_WRITE)");
        return 1;
    }

    Highscore_sortieren(HighscoreListe);

    SYSTEMTIME st{};
    plat_get_system_time(&st);
    const WORD zeit[8] = {st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
                          st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
    for (int i = 0; i < 8; i++) Bytes_Word_schreiben(abDatei + HS_ZEIT + 2 * i, zeit[i]);
    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        BYTE* p = abDatei + HS_EINTRAEGE + HS_EINTRAG_GROESSE * i;
        Bytes_Int_schreiben(p, HighscoreListe[i].iPunktzahl);
        memcpy(p + 4, HighscoreListe[i].szName, sizeof(HighscoreListe[i].szName));
    }

    bool bOk = plat_file_write(hDatei, abDatei, sizeof(abDatei));
    bOk = plat_file_close(hDatei) && bOk;
    bOk = bOk && plat_file_commit(datei);
    if (!bOk) {
        plat_file_discard(datei);
        Fehler_melden("Highscore_schreiben: CreateFile(GENERIC_WRITE)");
        return 1;
    }
    return 0;
}

static void Highscore_Vorgabe_fuellen(void) {
    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        HighscoreListe[i].iPunktzahl = (Zufall() % 300 + 200) * 10;
        Name_setzen(HighscoreListe[i].szName, "T.Wolkanz");
    }
    Highscore_sortieren(HighscoreListe);
}

int Highscore_anlegen(void) {
    Highscore_Vorgabe_fuellen();
    Highscore_schreiben(HIGHSCORE_DATEI);
    return 0;
}

// A disk that fails to read says nothing about the list on it: play on with
// the defaults, but never write them over a list that may be fine.
static int Highscore_Lesefehler(void) {
    Highscore_Vorgabe_fuellen();
    Fehler_melden("Highscore_lesen: ReadFile()");
    return 2;
}

// What the player is told when a file is replaced, by Highscore_pruefen's
// code; a missing file (1) is made anew without a word.
static const char* const szErsetzt[] = {
    nullptr,
    nullptr,
    "Ihre Highscoreliste ist leider ungueltig,\nund mu\xDF"
    "te komplett neu anglegt werden!",
    "Ihre Highscore-Version ist leider ungueltig,\nund mu\xDF"
    "te komplett neu anglegt werden!",
    "Ihre Highscoreliste wurde manuell veraendert\nund mu\xDF"
    "te komplett neu anglegt werden!",
};

static int Highscore_ersetzen(int ergebnis) {
    Highscore_anlegen();
    if (szErsetzt[ergebnis]) Fehler_melden(szErsetzt[ergebnis]);
    return ergebnis;
}

int Highscore_pruefen(const BYTE* abDatei, DWORD dwGroesse) {
    if (!abDatei || dwGroesse != HIGHSCORE_DATEI_GROESSE) return 2;
    if (memcmp(abDatei, HIGHSCORE_VERSION, sizeof(HIGHSCORE_VERSION)) != 0) return 3;
    WORD wMinute = Bytes_Word_lesen(abDatei + HS_ZEIT + 10);
    WORD wSekunde = Bytes_Word_lesen(abDatei + HS_ZEIT + 12);
    if (wMinute > 60 || wSekunde > 60) return 4;
    return 0;
}

int Highscore_lesen(const char* datei) {
    PlatFile* hDatei = plat_file_open(datei, PLAT_DATEI_LESEN);
    if (!hDatei) return Highscore_ersetzen(1);

    DWORD dwGroesse = 0;
    if (!plat_file_size(hDatei, &dwGroesse)) {
        plat_file_close(hDatei);
        return Highscore_Lesefehler();
    }
    if (dwGroesse != HIGHSCORE_DATEI_GROESSE) {
        plat_file_close(hDatei);
        return Highscore_ersetzen(2);
    }

    BYTE abDatei[HIGHSCORE_DATEI_GROESSE] = {};
    DWORD dwGelesen = 0;
    const bool bGelesen = plat_file_read(hDatei, abDatei, sizeof(abDatei), &dwGelesen);
    plat_file_close(hDatei);
    if (!bGelesen || dwGelesen != sizeof(abDatei)) return Highscore_Lesefehler();

    if (const int iPruefung = Highscore_pruefen(abDatei, dwGelesen)) return Highscore_ersetzen(iPruefung);

    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        const BYTE* p = abDatei + HS_EINTRAEGE + HS_EINTRAG_GROESSE * i;
        HighscoreListe[i].iPunktzahl = Bytes_Int_lesen(p);
        char szName[sizeof(HighscoreListe[i].szName) + 1] = {};
        memcpy(szName, p + 4, sizeof(HighscoreListe[i].szName));
        Name_setzen(HighscoreListe[i].szName, szName);
    }
    Highscore_sortieren(HighscoreListe);
    return 0;
}

int Highscore_eintragen(const char* name, int32_t punkte) {
    Highscore_sortieren(HighscoreListe);

    HighscoreEintrag trage{};
    trage.iPunktzahl = punkte;
    Name_setzen(trage.szName, name);
    // Below every equal score: only a strictly greater one moves in. From
    // there on every entry moves down one place, so equal scores below
    // keep their order.
    bool bVerschoben = false;
    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        if (bVerschoben || trage.iPunktzahl > HighscoreListe[i].iPunktzahl) {
            bVerschoben = true;
            HighscoreEintrag alt = HighscoreListe[i];
            HighscoreListe[i] = trage;
            trage = alt;
        }
    }
    Highscore_schreiben(HIGHSCORE_DATEI);
    return 0;
}
