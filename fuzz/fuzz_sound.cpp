// A sound sector of an archive: the RIFF chunk search either yields a
// buffer holding the samples or refuses with its code and its messages,
// never allocating without bound, and the file is always closed again.
#include <algorithm>
#include <cstring>

#include "assets/packfile.h"
#include "audio/dsound.h"
#include "bau/bau.h"
#include "fuzz_eingaben.h"
#include "fuzz_hilfe.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz_anfangen();
    return 0;
}

static bool Puffer_haelt(PlatSoundBuffer* puffer, const uint8_t* archiv, size_t laenge, uint32_t offset) {
    uint64_t position = 0;
    uint32_t groesse = 0;
    void* p = nullptr;
    DWORD n = 0;
    // The "data" chunk as RIFF defines it, found without the loader: its
    // bytes (zero past the end of the file) are what the buffer must hold.
    if (!Bau_Chunk_finden(archiv, laenge, offset, "data", &position, &groesse) ||
        plat_sound_buffer_lock(puffer, 0, groesse, &p, &n) != PLAT_OK)
        return false;
    // Whole blocks at a time: a damaged size may ask for megabytes.
    static const uint8_t NULLEN[4096] = {};
    const uint8_t* puffer_daten = (const uint8_t*)p;
    const size_t im_archiv = position < laenge ? (size_t)std::min<uint64_t>(laenge - position, n) : 0;
    bool ok = n == groesse && (im_archiv == 0 || memcmp(puffer_daten, archiv + position, im_archiv) == 0);
    for (size_t i = im_archiv; ok && i < n; i += sizeof(NULLEN))
        ok = memcmp(puffer_daten + i, NULLEN, std::min<size_t>(sizeof(NULLEN), n - i)) == 0;
    plat_sound_buffer_unlock(puffer, p, n);
    return ok;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge) {
    if (laenge < FUZZ_SOUND_KOPF) return 0;
    const int sektor = daten[0] % FUZZ_SOUND_SEKTOREN;

    FuzzEingabe eingabe;
    lpDS = nullptr;
    Fuzz_Pruefen(plat_sound_create(&lpDS) == PLAT_OK, "no sound object");
    Fuzz_Datei_schreiben("Sound.dat", daten + FUZZ_SOUND_KOPF, laenge - FUZZ_SOUND_KOPF);
    PackFileVerzeichnis pfv{};
    if (PackFile_oeffnen("Sound.dat", &pfv) == 0) {
        headless_log_clear();
        PlatSoundBuffer* puffer = nullptr;
        int ergebnis = PackFile_Sound_laden("Sound.dat", &pfv, sektor, &puffer);

        Fuzz_Pruefen(ergebnis >= 0 && ergebnis <= 7, "codes 0 to 7");
        // Past the creation the buffer is the caller's, whatever follows.
        Fuzz_Pruefen((puffer != nullptr) == (ergebnis == 0 || ergebnis >= 6), "a buffer exactly when it was made");
        Fuzz_Pruefen(headless_live_objects() == 1 + (puffer ? 1 : 0), "the archive is closed again");
        size_t meldungen = ergebnis == 0 ? 0 : ergebnis == 3 || ergebnis == 4 ? 2 : 1;
        Fuzz_Pruefen(Fuzz_Meldungen() == meldungen, "the loader's message, after the inner one");
        if (ergebnis == 0) {
            Fuzz_Pruefen(sektor < MAX_WAV_SEKTOREN && pfv.iSektorTyp[sektor] == SEKTOR_WAV, "only sound sectors load");
            Fuzz_Pruefen(Puffer_haelt(puffer, daten + FUZZ_SOUND_KOPF, laenge - FUZZ_SOUND_KOPF,
                                      (uint32_t)pfv.iSektorOffset[sektor]),
                         "the buffer holds the data chunk");
        }
        if (puffer) plat_sound_buffer_release(puffer);
    }
    plat_sound_release(lpDS);
    lpDS = nullptr;
    Fuzz_Pruefen(headless_live_objects() == 0, "everything released");
    return 0;
}
