// A sound sector of an archive: the RIFF chunk search either yields a
// buffer holding the samples or refuses with its code and its messages,
// never allocating without bound, and the file is always closed again.
#include "assets/packfile.h"
#include "audio/dsound.h"
#include "fuzz_eingaben.h"
#include "fuzz_hilfe.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz_anfangen();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge)
{
    FuzzImOrdner hier;
    if (laenge < FUZZ_SOUND_KOPF)
        return 0;
    const int sektor = daten[0] % FUZZ_SOUND_SEKTOREN;

    Fuzz_Eingabe_anfangen();
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
        if (ergebnis == 0)
            Fuzz_Pruefen(sektor < MAX_WAV_SEKTOREN && pfv.iSektorTyp[sektor] == SEKTOR_WAV, "only sound sectors load");
        if (puffer)
            plat_sound_buffer_release(puffer);
    }
    plat_sound_release(lpDS);
    lpDS = nullptr;
    Fuzz_Pruefen(headless_live_objects() == 0, "everything released");
    return 0;
}
