// Turns one RIFF/WAVE sector of an archive into a sound buffer. The chunk
// search runs directly over the archive file.
#include <cstdio>
#include <cstring>

#include "assets/packfile.h"
#include "audio/dsound.h"
#include "kern/bytefolge.h"
#include "kern/kern.h"

// No effect of the game comes near this; a larger "data" size can only
// come from a damaged archive and is refused instead of allocated.
#define MAX_WAVE_DATEN (16u * 1024u * 1024u)

static bool Genau_lesen(PlatFile* datei, void* puffer, DWORD laenge) {
    DWORD dwGelesen = 0;
    return plat_file_read(datei, puffer, laenge, &dwGelesen) && dwGelesen == laenge;
}

// Looks for the RIFF "WAVE" chunk that starts at offset, then for the
// sub-chunk `kennung` inside it, skipping others (odd sizes padded).
// The walk never leaves the RIFF chunk or the file, and every step moves
// forward, so no size field can make it loop or overflow. A failed
// descent is reported in the name of `funktion`.
static bool Wave_Chunk_suchen(PlatFile* datei, DWORD offset, const char* kennung, DWORD* position, DWORD* groesse,
                              const char* funktion) {
    char szMeldung[80];
    DWORD dwDateiGroesse = 0;
    BYTE riff[12];
    if (!plat_file_size(datei, &dwDateiGroesse) || !plat_file_seek(datei, offset) || !Genau_lesen(datei, riff, 12) ||
        memcmp(riff, "RIFF", 4) != 0 || memcmp(riff + 8, "WAVE", 4) != 0) {
        snprintf(szMeldung, sizeof(szMeldung), "%s: mmioDescend(RIFF)", funktion);
        Fehler_melden(szMeldung);
        return false;
    }

    uint64_t ende = (uint64_t)offset + 8 + Bytes_DWord_lesen(riff + 4);
    if (ende > dwDateiGroesse) ende = dwDateiGroesse;

    uint64_t pos = (uint64_t)offset + 12;
    while (pos + 8 <= ende) {
        BYTE kopf[8];
        if (!plat_file_seek(datei, (DWORD)pos) || !Genau_lesen(datei, kopf, 8)) break;
        DWORD dwGroesse = Bytes_DWord_lesen(kopf + 4);
        if (memcmp(kopf, kennung, 4) == 0) {
            *position = (DWORD)(pos + 8);
            *groesse = dwGroesse;
            return true;
        }
        pos += 8 + (uint64_t)dwGroesse + (dwGroesse & 1);
    }
    snprintf(szMeldung, sizeof(szMeldung), "%s: mmioDescend(CHUNK)", funktion);
    Fehler_melden(szMeldung);
    return false;
}

bool DSound_WaveFormat(PlatFile* datei, WAVEFORMATEX* format, DWORD offset) {
    DWORD dwPos = 0, dwGroesse = 0;
    if (!Wave_Chunk_suchen(datei, offset, "fmt ", &dwPos, &dwGroesse, "DSound_WaveFormat")) return false;

    // Always 18 bytes, whatever the chunk says; what the file lacks stays zero.
    BYTE roh[18] = {};
    DWORD dwGelesen = 0;
    if (!plat_file_seek(datei, dwPos) || !plat_file_read(datei, roh, sizeof(roh), &dwGelesen)) {
        Fehler_melden("DSound_WaveFormat: mmioRead(WAVEFORMATEX)");
        return false;
    }
    format->wFormatTag = Bytes_Word_lesen(roh);
    format->nChannels = Bytes_Word_lesen(roh + 2);
    format->nSamplesPerSec = Bytes_DWord_lesen(roh + 4);
    format->nAvgBytesPerSec = Bytes_DWord_lesen(roh + 8);
    format->nBlockAlign = Bytes_Word_lesen(roh + 12);
    format->wBitsPerSample = Bytes_Word_lesen(roh + 14);
    format->cbSize = Bytes_Word_lesen(roh + 16);
    return true;
}

bool DSound_WaveDaten(PlatFile* datei, DWORD* laenge, BYTE** daten, DWORD offset) {
    DWORD dwPos = 0, dwGroesse = 0;
    if (!Wave_Chunk_suchen(datei, offset, "data", &dwPos, &dwGroesse, "DSound_WaveDaten")) return false;

    BYTE* lpDaten = dwGroesse <= MAX_WAVE_DATEN ? (BYTE*)plat_malloc(dwGroesse ? dwGroesse : 1) : nullptr;
    if (!lpDaten) {
        Fehler_melden("DSound_WaveDaten: malloc()");
        return false;
    }

    // A "data" chunk that claims more than the file holds: the rest is silence.
    memset(lpDaten, 0, dwGroesse);
    DWORD dwGelesen = 0;
    if (!plat_file_seek(datei, dwPos) || !plat_file_read(datei, lpDaten, dwGroesse, &dwGelesen)) {
        plat_free(lpDaten);
        Fehler_melden("DSound_WaveDaten: mmioRead(DATA)");
        return false;
    }
    *laenge = dwGroesse;
    *daten = lpDaten;
    return true;
}

// Makes the buffer on the sound device and copies the samples into it,
// leaving it locked for the caller.
static int Puffer_fuellen(const WAVEFORMATEX* wfx, const BYTE* lpDaten, DWORD dwLaenge, PlatSoundBuffer** puffer,
                          void** lpZiel, DWORD* dwZielLaenge, const char** meldung) {
    if (!lpDS || plat_sound_create_buffer(lpDS, wfx, dwLaenge, puffer) != PLAT_OK || !*puffer) {
        *meldung = "PackFile_Sound_laden: CreateSoundBuffer()";
        return 5;
    }
    if (plat_sound_buffer_lock(*puffer, 0, dwLaenge, lpZiel, dwZielLaenge) != PLAT_OK) {
        *meldung = "PackFile_Sound_laden: Lock()";
        return 6;
    }
    // Never more than was loaded, whatever region the buffer hands out.
    if (*lpZiel) memcpy(*lpZiel, lpDaten, *dwZielLaenge < dwLaenge ? *dwZielLaenge : dwLaenge);
    return 0;
}

int PackFile_Sound_laden(const char* datei, const PackFileVerzeichnis* pfv, int sektor, PlatSoundBuffer** puffer) {
    if (!pfv || sektor < 0 || sektor >= MAX_WAV_SEKTOREN || pfv->iSektorTyp[sektor] != SEKTOR_WAV) {
        Fehler_melden(
            "PackFile_Sound_laden: Ung\xFC"
            "ltiger WAV-Sektor ausgew\xE4"
            "hlt!");
        return 1;
    }

    PlatFile* hDatei = plat_file_open(datei, PLAT_DATEI_LESEN);
    if (!hDatei) {
        Fehler_melden("PackFile_Sound_laden: mmioOpen()");
        return 2;
    }

    // The file and the samples are given back in one place, before the report.
    const char* meldung = nullptr;
    int fehler = 0;
    // A negative offset becomes a position past any file and finds no RIFF.
    DWORD dwOffset = (DWORD)pfv->iSektorOffset[sektor];
    WAVEFORMATEX wfx{};
    DWORD dwLaenge = 0;
    BYTE* lpDaten = nullptr;
    if (!DSound_WaveFormat(hDatei, &wfx, dwOffset)) {
        meldung = "PackFile_Sound_laden: DSound_WaveFormat()";
        fehler = 3;
    } else if (!DSound_WaveDaten(hDatei, &dwLaenge, &lpDaten, dwOffset)) {
        meldung = "PackFile_Sound_laden: DSound_WaveDaten()";
        fehler = 4;
    }
    plat_file_close(hDatei);

    void* lpZiel = nullptr;
    DWORD dwZielLaenge = 0;
    if (!fehler) fehler = Puffer_fuellen(&wfx, lpDaten, dwLaenge, puffer, &lpZiel, &dwZielLaenge, &meldung);
    plat_free(lpDaten);

    if (!fehler && plat_sound_buffer_unlock(*puffer, lpZiel, dwZielLaenge) != PLAT_OK) {
        meldung = "PackFile_Sound_laden: Unlock()";
        fehler = 7;
    }
    if (fehler) {
        Fehler_melden(meldung);
        return fehler;
    }
    return 0;
}
