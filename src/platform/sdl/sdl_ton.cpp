// Sound on SDL_mixer: one mixer channel per effect buffer (buffer n on
// channel n), one for the loose wave files and one for the message beep.
#include <SDL_mixer.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "platform/backend.h"
#include "platform/klang.h"
#include "platform/sdl/sdl_intern.h"

struct PlatSound {
    bool offen;
};

struct PlatSoundBuffer {
    bool belegt;
    WAVEFORMATEX fmt;
    std::vector<uint8_t> daten;   // the bytes as the game wrote them
    Mix_Chunk* chunk;             // the same, converted for the mixer at unlock
    int32_t pan;
};

namespace {

const Sint64 WELLE_MAX = 64 * 1024 * 1024;
const double KREISZAHL = 3.14159265358979323846;

PlatSound g_ton = {false};
PlatSoundBuffer g_puffer[MAX_STIMMEN];

bool g_audio_offen = false;
bool g_audio_fehlte = false;
Mix_Chunk* g_welle = nullptr;
Mix_Chunk* g_piep = nullptr;
std::vector<int16_t> g_piep_daten;   // g_piep points into it

int puffer_kanal(const PlatSoundBuffer* b) {
    for (int i = 0; i < MAX_STIMMEN; ++i) {
        if (&g_puffer[i] == b && g_puffer[i].belegt) return i;
    }
    return -1;
}

bool puffer_spielt(int kanal) {
    const PlatSoundBuffer& b = g_puffer[kanal];
    return g_audio_offen && b.chunk != nullptr && Mix_Playing(kanal) != 0 && Mix_GetChunk(kanal) == b.chunk;
}

void pan_anwenden(int kanal) {
    uint8_t links = 255, rechts = 255;
    plat_common_klang_pan_pegel(g_puffer[kanal].pan, &links, &rechts);
    Mix_SetPanning(kanal, links, rechts);
}

void kette_schreiben(uint8_t* p, DWORD wert, int bytes) {
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(wert >> (8 * i));
}

// The buffer's bytes as an in-memory RIFF/WAVE file, which SDL_mixer loads
// and converts to the device's format.
Mix_Chunk* chunk_bauen(const PlatSoundBuffer& b) {
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
    kette_schreiben(p + 4, 36 + nutzbar, 4);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    kette_schreiben(p + 16, 16, 4);
    kette_schreiben(p + 20, 1, 2);   // PCM
    kette_schreiben(p + 22, b.fmt.nChannels, 2);
    kette_schreiben(p + 24, b.fmt.nSamplesPerSec, 4);
    kette_schreiben(p + 28, b.fmt.nSamplesPerSec * b.fmt.nBlockAlign, 4);
    kette_schreiben(p + 32, b.fmt.nBlockAlign, 2);
    kette_schreiben(p + 34, b.fmt.wBitsPerSample, 2);
    std::memcpy(p + 36, "data", 4);
    kette_schreiben(p + 40, nutzbar, 4);
    std::memcpy(p + 44, b.daten.data(), nutzbar);
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(datei.data(), static_cast<int>(datei.size())), 1);
}

void chunk_freigeben(PlatSoundBuffer& b) {
    if (b.chunk != nullptr) {
        Mix_FreeChunk(b.chunk);   // halts the channel first if it still plays it
        b.chunk = nullptr;
    }
}

// A short, quiet click: a few milliseconds of a decaying 2 kHz tone.
void piep_bauen(void) {
    int frequenz = 0, kanaele = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequenz, &format, &kanaele) == 0 || format != AUDIO_S16SYS || kanaele < 1 || frequenz < 8000)
        return;
    const int proben = frequenz * 15 / 1000;
    g_piep_daten.assign(static_cast<size_t>(proben) * kanaele, 0);
    for (int i = 0; i < proben; ++i) {
        const double t = static_cast<double>(i) / frequenz;
        const double wert = 2500.0 * std::exp(-t / 0.003) * std::sin(2.0 * KREISZAHL * 2000.0 * t);
        for (int k = 0; k < kanaele; ++k)
            g_piep_daten[static_cast<size_t>(i) * kanaele + k] = static_cast<int16_t>(wert);
    }
    g_piep = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(g_piep_daten.data()),
                               static_cast<Uint32>(g_piep_daten.size() * sizeof(int16_t)));
}

}   // namespace

bool sdl_audio_oeffnen(void) {
    if (g_audio_offen) return true;
    // Silent on purpose: SDL's device that plays into nothing, at the pace
    // of a real one, so that a sound still takes its time.
    if (g_sdl_einstellungen.ohne_ton) SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "SDL audio: %s\n", SDL_GetError());
        g_audio_fehlte = true;
        return false;
    }
    Mix_Init(MIX_INIT_MP3);   // without it MP3 files just stay silent
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0 && Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0) {
        std::fprintf(stderr, "Mix_OpenAudio: %s\n", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_audio_fehlte = true;
        return false;
    }
    Mix_AllocateChannels(KANAELE);
    g_audio_offen = true;
    piep_bauen();
    return true;
}

bool sdl_audio_fehlte(void) { return g_audio_fehlte; }

void sdl_audio_schliessen(void) {
    g_audio_fehlte = false;
    if (!g_audio_offen) return;
    sdl_musik_freigeben();
    for (PlatSoundBuffer& b : g_puffer) chunk_freigeben(b);
    if (g_welle != nullptr) Mix_FreeChunk(g_welle);
    if (g_piep != nullptr) Mix_FreeChunk(g_piep);
    g_welle = g_piep = nullptr;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_audio_offen = false;
}

int plat_sound_create(PlatSound** ds) {
    if (ds == nullptr) return PLAT_UNGUELTIG;
    *ds = nullptr;
    if (plat_fault("DirectSoundCreate")) return PLAT_FEHLER;
    if (g_ton.offen || !sdl_audio_oeffnen()) return PLAT_FEHLER;
    g_ton.offen = true;
    *ds = &g_ton;
    return PLAT_OK;
}

int plat_sound_set_cooperative_level(PlatSound* ds, [[maybe_unused]] HWND hwnd) {
    if (plat_fault("DSound.SetCooperativeLevel")) return PLAT_FEHLER;
    return ds == &g_ton && g_ton.offen ? PLAT_OK : PLAT_UNGUELTIG;
}

int plat_sound_create_buffer(PlatSound* ds, const WAVEFORMATEX* fmt, DWORD bytes, PlatSoundBuffer** buffer) {
    if (buffer == nullptr) return PLAT_UNGUELTIG;
    *buffer = nullptr;
    if (plat_fault("CreateSoundBuffer")) return PLAT_FEHLER;
    if (ds != &g_ton || !g_ton.offen || !plat_common_wave_format_gueltig(fmt, bytes)) return PLAT_UNGUELTIG;
    for (PlatSoundBuffer& b : g_puffer) {
        if (b.belegt) continue;
        try {
            b.daten.assign(bytes, 0);
        } catch (const std::bad_alloc&) {
            return PLAT_FEHLER;
        }
        b.belegt = true;
        b.fmt = *fmt;
        b.chunk = nullptr;
        b.pan = 0;
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
    if (puffer_kanal(b) < 0 || bytes == 0 || offset >= b->daten.size()) return PLAT_UNGUELTIG;
    const DWORD rest = static_cast<DWORD>(b->daten.size()) - offset;
    *p = b->daten.data() + offset;
    *len = bytes < rest ? bytes : rest;
    return PLAT_OK;
}

int plat_sound_buffer_unlock(PlatSoundBuffer* b, void* p, DWORD len) {
    if (plat_fault("DSB.Unlock")) return PLAT_FEHLER;
    const int kanal = puffer_kanal(b);
    if (kanal < 0 || p == nullptr) return PLAT_UNGUELTIG;
    const uint8_t* anfang = b->daten.data();
    const uint8_t* zeiger = static_cast<const uint8_t*>(p);
    if (zeiger < anfang || zeiger >= anfang + b->daten.size() ||
        len > static_cast<DWORD>(anfang + b->daten.size() - zeiger))
        return PLAT_UNGUELTIG;
    if (!g_audio_offen) return PLAT_FEHLER;
    chunk_freigeben(*b);
    b->chunk = chunk_bauen(*b);
    return b->chunk != nullptr ? PLAT_OK : PLAT_FEHLER;
}

int plat_sound_buffer_get_status(PlatSoundBuffer* b, DWORD* status) {
    if (status == nullptr) return PLAT_UNGUELTIG;
    *status = 0;
    const int kanal = puffer_kanal(b);
    if (kanal < 0) return PLAT_UNGUELTIG;
    if (puffer_spielt(kanal)) *status = DSBSTATUS_PLAYING;
    return PLAT_OK;
}

int plat_sound_buffer_stop(PlatSoundBuffer* b) {
    const int kanal = puffer_kanal(b);
    if (kanal < 0) return PLAT_UNGUELTIG;
    if (puffer_spielt(kanal)) Mix_HaltChannel(kanal);
    return PLAT_OK;
}

int plat_sound_buffer_set_pan(PlatSoundBuffer* b, int32_t pan) {
    const int kanal = puffer_kanal(b);
    if (kanal < 0 || pan < -10000 || pan > 10000) return PLAT_UNGUELTIG;
    b->pan = pan;
    if (puffer_spielt(kanal)) pan_anwenden(kanal);
    return PLAT_OK;
}

int plat_sound_buffer_play(PlatSoundBuffer* b) {
    const int kanal = puffer_kanal(b);
    if (kanal < 0) return PLAT_UNGUELTIG;
    if (!g_audio_offen || b->chunk == nullptr) return PLAT_FEHLER;   // never filled
    // Restarting a channel drops its effects, so the pan goes on afterwards.
    if (Mix_PlayChannel(kanal, b->chunk, 0) != kanal) return PLAT_FEHLER;
    pan_anwenden(kanal);
    return PLAT_OK;
}

void plat_sound_buffer_release(PlatSoundBuffer* b) {
    if (puffer_kanal(b) < 0) return;
    if (g_audio_offen) chunk_freigeben(*b);
    b->chunk = nullptr;
    std::vector<uint8_t>().swap(b->daten);
    b->belegt = false;
}

void plat_sound_release(PlatSound* ds) {
    if (ds != &g_ton || !g_ton.offen) return;
    // Buffers go with their sound object; the device stays open for the
    // music and the wave files until the program ends.
    for (PlatSoundBuffer& b : g_puffer) plat_sound_buffer_release(&b);
    g_ton.offen = false;
}

bool plat_play_sound(const char* file) {
    if (!sdl_audio_oeffnen()) return false;
    Mix_HaltChannel(KANAL_WELLE);
    if (g_welle != nullptr) {
        Mix_FreeChunk(g_welle);
        g_welle = nullptr;
    }
    if (file == nullptr) return true;
    SDL_RWops* rw = SDL_RWFromFile(file, "rb");
    if (rw == nullptr) return false;   // a missing file stays silent
    const Sint64 groesse = SDL_RWsize(rw);
    if (groesse <= 0 || groesse > WELLE_MAX) {
        SDL_RWclose(rw);
        return false;
    }
    g_welle = Mix_LoadWAV_RW(rw, 1);
    if (g_welle == nullptr) return false;
    return Mix_PlayChannel(KANAL_WELLE, g_welle, 0) == KANAL_WELLE;
}

void plat_message_beep([[maybe_unused]] uint32_t type) {
    if (g_audio_offen && g_piep != nullptr) Mix_PlayChannel(KANAL_PIEP, g_piep, 0);
}
