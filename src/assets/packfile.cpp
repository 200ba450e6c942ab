// PackFile archives: the 544-byte index at the end of "Grafik.dat" and
// "Sound.dat", read once at start-up and kept. Message texts here and in
// the loaders are Windows-1252, as the message boxes read them.
#include "assets/packfile.h"

#include <cstdio>
#include <cstring>

#include "kern/kern.h"

PackFileVerzeichnis pfvGrafik{};
PackFileVerzeichnis pfvSound{};

int PackFile_oeffnen(const char* datei, PackFileVerzeichnis* pfv) {
    PlatFile* hDatei = plat_file_open(datei, PLAT_DATEI_LESEN);
    if (!hDatei) {
        snprintf(szText, sizeof(szText),
                 "Die Datei '%s' konnte nicht ge\xF6"
                 "ffnet werden!",
                 datei);
        Fehler_melden(szText);
        return 1;
    }

    DWORD dwGroesse = 0;
    bool bGroesse = plat_file_size(hDatei, &dwGroesse);
    memset(pfv, 0, sizeof(*pfv));

    // A file too short for an index has no index: the zeroed record then
    // fails the magic text below like any other non-archive.
    if (bGroesse && dwGroesse >= PACKFILE_INDEX_GROESSE && plat_file_seek(hDatei, dwGroesse - PACKFILE_INDEX_GROESSE)) {
        DWORD dwGelesen = 0;
        if (!plat_file_read(hDatei, pfv, PACKFILE_INDEX_GROESSE, &dwGelesen) || dwGelesen != PACKFILE_INDEX_GROESSE)
            memset(pfv, 0, sizeof(*pfv));
    }
    plat_file_close(hDatei);

    // Equal as C strings: the 12 characters and the terminator right after.
    if (memcmp(pfv->szKennung, PACKFILE_KENNUNG, sizeof(PACKFILE_KENNUNG)) != 0) {
        snprintf(szText, sizeof(szText),
                 "Die Datei '%s' ist keine g\xFC"
                 "ltige 'PackFile' - Datei!",
                 datei);
        Fehler_melden(szText);
        return 2;
    }
    return 0;
}
