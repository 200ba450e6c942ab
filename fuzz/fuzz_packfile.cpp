// Any file at all, opened as an archive: the index is read from its last
// 544 bytes or the file is refused, and nothing stays open.
#include <cstring>

#include "assets/packfile.h"
#include "fuzz_hilfe.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz_anfangen();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge) {
    FuzzEingabe eingabe;
    Fuzz_Datei_schreiben("Grafik.dat", daten, laenge);

    PackFileVerzeichnis pfv;
    memset(&pfv, 0xA5, sizeof(pfv));
    int ergebnis = PackFile_oeffnen("Grafik.dat", &pfv);

    Fuzz_Pruefen(ergebnis == 0 || ergebnis == 2, "an existing file opens or is no archive");
    Fuzz_Pruefen(headless_live_objects() == 0, "the archive is closed again");
    if (laenge >= PACKFILE_INDEX_GROESSE) {
        Fuzz_Pruefen(memcmp(&pfv, daten + laenge - PACKFILE_INDEX_GROESSE, PACKFILE_INDEX_GROESSE) == 0,
                     "the index is held byte for byte");
    } else {
        PackFileVerzeichnis leer;
        memset(&leer, 0, sizeof(leer));
        Fuzz_Pruefen(memcmp(&pfv, &leer, sizeof(leer)) == 0, "a file without index leaves the record zero");
    }
    bool bKennung = memcmp(pfv.szKennung, PACKFILE_KENNUNG, sizeof(PACKFILE_KENNUNG)) == 0;
    Fuzz_Pruefen((ergebnis == 0) == bKennung, "accepted exactly when the magic text matches");

    Fuzz_Pruefen(Fuzz_Meldungen() == (ergebnis ? 1u : 0u), "one message for a refused file, none otherwise");
    return 0;
}
