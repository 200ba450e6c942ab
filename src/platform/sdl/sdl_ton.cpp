// Sound on SDL_mixer: one mixer channel per effect buffer (buffer n on
// channel n), one for the loose wave files and one for the message beep.
#include <SDL_mixer.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "platform/backend.h"
#include "platform/sdl/sdl_intern.h"

struct PlatSound {
    bool bOffen;
};

struct PlatSoundBuffer {
    bool bBelegt;
    WAVEFORMATEX fmt;
    std::vector<uint8_t> daten;   // the bytes as the game wrote them
    Mix_Chunk* pChunk;            // the same, converted for the mixer at unlock
    int32_t iPan;
};

namespace {

const Sint64 WELLE_MAX = 64 * 1024 * 1024;
const double KREISZAHL = 3.14159265358979323846;

PlatSound gTon = {false};
PlatSoundBuffer aPuffer[MAX_STIMMEN];

bool bAudioOffen = false;
Mix_Chunk* pWelle = nullptr;
Mix_Chunk* pPiep = nullptr;
std::vector<int16_t> aPiepDaten;   // pPiep points into it

int Puffer_Kanal(const PlatSoundBuffer* b) {
    for (int i = 0; i < MAX_STIMMEN; ++i) {
        if (&aPuffer[i] == b && aPuffer[i].bBelegt) return i;
    }
    return -1;
}

bool Puffer_spielt(int kanal) {
    const PlatSoundBuffer& b = aPuffer[kanal];
    return bAudioOffen && b.pChunk != nullptr && Mix_Playing(kanal) != 0 && Mix_GetChunk(kanal) == b.pChunk;
}

void Pan_anwenden(int kanal) {
    uint8_t links = 255, rechts = 255;
    Pan_in_Pegel(aPuffer[kanal].iPan, &links, &rechts);
    Mix_SetPanning(kanal, links, rechts);
}

void Kette_schreiben(uint8_t* p, DWORD wert, int bytes) {
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(wert >> (8 * i));
}

// The buffer's bytes as an in-memory RIFF/WAVE file, which SDL_mixer loads
// and converts to the device's format.
Mix_Chunk* Chunk_bauen(const PlatSoundBuffer& b) {
    const DWORD nutzbar = static_cast<DWORD>(b.daten.size()) / b.fmt.nBlockAlign * b.fmt.nBlockAlign;
    if (nutzbar == 0) return nullptr;
    std::vector<uint8_t> datei;
    try {
        datei.resize(44 + static_cast<size_t>(nutzbar));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    uint8_t* p = datei.data();
    std::memcpy(p, "RIFF", 4);
    Kette_schreiben(p + 4, 36 + nutzbar, 4);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    Kette_schreiben(p + 16, 16, 4);
    Kette_schreiben(p + 20, 1, 2);   // PCM
    Kette_schreiben(p + 22, b.fmt.nChannels, 2);
    Kette_schreiben(p + 24, b.fmt.nSamplesPerSec, 4);
    Kette_schreiben(p + 28, b.fmt.nSamplesPerSec * b.fmt.nBlockAlign, 4);
    Kette_schreiben(p + 32, b.fmt.nBlockAlign, 2);
    Kette_schreiben(p + 34, b.fmt.wBitsPerSample, 2);
    std::memcpy(p + 36, "data", 4);
    Kette_schreiben(p + 40, nutzbar, 4);
    std::memcpy(p + 44, b.daten.data(), nutzbar);
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(datei.data(), static_cast<int>(datei.size())), 1);
}

void Chunk_freigeben(PlatSoundBuffer& b) {
    if (b.pChunk != nullptr) {
        Mix_FreeChunk(b.pChunk);   // halts the channel first if it still plays it
        b.pChunk = nullptr;
    }
}

// A short, quiet click: a few milliseconds of a decaying 2 kHz tone.
void Piep_bauen(void) {
    int frequenz = 0, kanaele = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequenz, &format, &kanaele) == 0 || format != AUDIO_S16SYS || kanaele < 1 || frequenz < 8000)
        return;
    const int proben = frequenz * 15 / 1000;
    aPiepDaten.assign(static_cast<size_t>(proben) * kanaele, 0);
    for (int i = 0; i < proben; ++i) {
        const double t = static_cast<double>(i) / frequenz;
        const double wert = 2500.0 * std::exp(-t / 0.003) * std::sin(2.0 * KREISZAHL * 2000.0 * t);
        for (int k = 0; k < kanaele; ++k) aPiepDaten[static_cast<size_t>(i) * kanaele + k] = static_cast<int16_t>(wert);
    }
    pPiep = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(aPiepDaten.data()),
                              static_cast<Uint32>(aPiepDaten.size() * sizeof(int16_t)));
}

} // namespace

void Pan_in_Pegel(int32_t pan, uint8_t* links, uint8_t* rechts) {
    if (pan < -10000) pan = -10000;
    if (pan > 10000) pan = 10000;
    const int32_t betrag = pan < 0 ? -pan : pan;
    // Hundredths of a decibel taken off the far side.
    const long leise = std::lround(255.0 * std::pow(10.0, -betrag / 2000.0));
    const uint8_t gedaempft = static_cast<uint8_t>(leise < 0 ? 0 : (leise > 255 ? 255 : leise));
    *links = pan > 0 ? gedaempft : 255;
    *rechts = pan < 0 ? gedaempft : 255;
}

bool Audio_oeffnen(void) {
    if (bAudioOffen) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "SDL audio: %s\n", SDL_GetError());
        return false;
    }
    Mix_Init(MIX_INIT_MP3);   // without it MP3 files just stay silent
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0 && Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0) {
        std::fprintf(stderr, "Mix_OpenAudio: %s\n", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(KANAELE);
    bAudioOffen = true;
    Piep_bauen();
    return true;
}

void Audio_schliessen(void) {
    if (!bAudioOffen) return;
    Musik_freigeben();
    for (PlatSoundBuffer& b : aPuffer) Chunk_freigeben(b);
    if (pWelle != nullptr) Mix_FreeChunk(pWelle);
    if (pPiep != nullptr) Mix_FreeChunk(pPiep);
    pWelle = pPiep = nullptr;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    bAudioOffen = false;
}

int plat_sound_create(PlatSound** ds) {
    if (ds == nullptr) return PLAT_UNGUELTIG;
    *ds = nullptr;
    if (plat_fault("DirectSoundCreate")) return PLAT_FEHLER;
    if (gTon.bOffen || !Audio_oeffnen()) return PLAT_FEHLER;
    gTon.bOffen = true;
    *ds = &gTon;
    return PLAT_OK;
}

int plat_sound_set_cooperative_level(PlatSound* ds, [[maybe_unused]] HWND hwnd) {
    if (plat_fault("DSound.SetCooperativeLevel")) return PLAT_FEHLER;
    return ds == &gTon && gTon.bOffen ? PLAT_OK : PLAT_UNGUELTIG;
}

int plat_sound_create_buffer(PlatSound* ds, const WAVEFORMATEX* fmt, DWORD bytes, PlatSoundBuffer** buffer) {
    if (buffer == nullptr) return PLAT_UNGUELTIG;
    *buffer = nullptr;
    if (plat_fault("CreateSoundBuffer")) return PLAT_FEHLER;
    if (ds != &gTon || !gTon.bOffen || !plat_common_wave_format_gueltig(fmt, bytes)) return PLAT_UNGUELTIG;
    for (PlatSoundBuffer& b : aPuffer) {
        if (b.bBelegt) continue;
        try {
            b.daten.assign(bytes, 0);
        } catch (const std::bad_alloc&) {
            return PLAT_FEHLER;
        }
        b.bBelegt = true;
        b.fmt = *fmt;
        b.pChunk = nullptr;
        b.iPan = 0;
        *buffer = &b;
        return PLAT_OK;
    }
    return PLAT_FEHLER;   // every voice taken
}

int plat_sound_buffer_lock(PlatSoundBuffer* b, DWORD offset, DWORD bytes, void** p, DWORD* len) {
    if (p == nullptr || len == nullptr) return PLAT_UNGUELTIG;
    *p = nullptr;
    *len = 0;
    if (plat_fault("DSB.Lock")) return PLAT_FEHLER;
    if (Puffer_Kanal(b) < 0 || bytes == 0 || offset >= b->daten.size()) return PLAT_UNGUELTIG;
    const DWORD rest = static_cast<DWORD>(b->daten.size()) - offset;
    *p = b->daten.data() + offset;
    *len = bytes < rest ? bytes : rest;
    return PLAT_OK;
}

int plat_sound_buffer_unlock(PlatSoundBuffer* b, void* p, DWORD len) {
    if (plat_fault("DSB.Unlock")) return PLAT_FEHLER;
    const int kanal = Puffer_Kanal(b);
    if (kanal < 0 || p == nullptr) return PLAT_UNGUELTIG;
    const uint8_t* anfang = b->daten.data();
    const uint8_t* zeiger = static_cast<const uint8_t*>(p);
    if (zeiger < anfang || zeiger >= anfang + b->daten.size() ||
        len > static_cast<DWORD>(anfang + b->daten.size() - zeiger))
        return PLAT_UNGUELTIG;
    if (!bAudioOffen) return PLAT_FEHLER;
    Chunk_freigeben(*b);
    b->pChunk = Chunk_bauen(*b);
    return b->pChunk != nullptr ? PLAT_OK : PLAT_FEHLER;
}

int plat_sound_buffer_get_status(PlatSoundBuffer* b, DWORD* status) {
    if (status == nullptr) return PLAT_UNGUELTIG;
    *status = 0;
    const int kanal = Puffer_Kanal(b);
    if (kanal < 0) return PLAT_UNGUELTIG;
    if (Puffer_spielt(kanal)) *status = DSBSTATUS_PLAYING;
    return PLAT_OK;
}

int plat_sound_buffer_stop(PlatSoundBuffer* b) {
    const int kanal = Puffer_Kanal(b);
    if (kanal < 0) return PLAT_UNGUELTIG;
    if (Puffer_spielt(kanal)) Mix_HaltChannel(kanal);
    return PLAT_OK;
}

int plat_sound_buffer_set_pan(PlatSoundBuffer* b, int32_t pan) {
    const int kanal = Puffer_Kanal(b);
    if (kanal < 0 || pan < -10000 || pan > 10000) return PLAT_UNGUELTIG;
    b->iPan = pan;
    if (Puffer_spielt(kanal)) Pan_anwenden(kanal);
    return PLAT_OK;
}

int plat_sound_buffer_play(PlatSoundBuffer* b) {
    const int kanal = Puffer_Kanal(b);
    if (kanal < 0) return PLAT_UNGUELTIG;
    if (!bAudioOffen || b->pChunk == nullptr) return PLAT_FEHLER;   // never filled
    // Restarting a channel drops its effects, so the pan goes on afterwards.
    if (Mix_PlayChannel(kanal, b->pChunk, 0) != kanal) return PLAT_FEHLER;
    Pan_anwenden(kanal);
    return PLAT_OK;
}

void plat_sound_buffer_release(PlatSoundBuffer* b) {
    if (Puffer_Kanal(b) < 0) return;
    if (bAudioOffen) Chunk_freigeben(*b);
    b->pChunk = nullptr;
    std::vector<uint8_t>().swap(b->daten);
    b->bBelegt = false;
}

void plat_sound_release(PlatSound* ds) {
    if (ds != &gTon || !gTon.bOffen) return;
    // Buffers go with their sound object; the device stays open for the
    // music and the wave files until the program ends.
    for (PlatSoundBuffer& b : aPuffer) plat_sound_buffer_release(&b);
    gTon.bOffen = false;
}

bool plat_play_sound(const char* file) {
    if (!Audio_oeffnen()) return false;
    Mix_HaltChannel(KANAL_WELLE);
    if (pWelle != nullptr) {
        Mix_FreeChunk(pWelle);
        pWelle = nullptr;
    }
    if (file == nullptr) return true;
    SDL_RWops* rw = SDL_RWFromFile(file, "rb");
    if (rw == nullptr) return false;   // a missing file stays silent
    const Sint64 groesse = SDL_RWsize(rw);
    if (groesse <= 0 || groesse > WELLE_MAX) {
        SDL_RWclose(rw);
        return false;
    }
    pWelle = Mix_LoadWAV_RW(rw, 1);
    if (pWelle == nullptr) return false;
    return Mix_PlayChannel(KANAL_WELLE, pWelle, 0) == KANAL_WELLE;
}

void plat_message_beep([[maybe_unused]] uint32_t type) {
    if (bAudioOffen && pPiep != nullptr) Mix_PlayChannel(KANAL_PIEP, pPiep, 0);
}
