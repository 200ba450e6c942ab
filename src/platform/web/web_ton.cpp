// Sound in a page: the effect buffers and the loose wave files through
// the page's Web Audio. Whether a voice plays follows the game's clock
// (stimmenuhr.h), not the audio device: until the first key or click lets
// the page start its audio, voices run silently, as the game's shot rule
// needs them to.
#include <emscripten.h>

#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "platform/backend.h"
#include "platform/klang.h"
#include "platform/stimmenuhr.h"
#include "platform/web/web_intern.h"

struct PlatSoundBuffer {
    int nummer = 0;   // in the order of creation, as the test log names them
    int stimme = 0;   // the page's voice
    WAVEFORMATEX fmt{};
    std::vector<uint8_t> daten;
    int32_t pan = 0;
    PlatStimmenuhr uhr;
    bool gesperrt = false;
};

struct PlatSound {
    std::vector<std::unique_ptr<PlatSoundBuffer>> puffer;
};

namespace {

EM_JS(int, js_stimme_anlegen, (), { return glubber.ton.stimmeAnlegen(); });
EM_JS(void, js_stimme_fuellen, (int stimme, const uint8_t* daten, int bytes, int kanaele, int rate, int bits),
      { glubber.ton.stimmeFuellen(stimme, HEAPU8.slice(daten, daten + bytes), kanaele, rate, bits); });
EM_JS(void, js_stimme_spielen, (int stimme, double links, double rechts),
      { glubber.ton.stimmeSpielen(stimme, links, rechts); });
EM_JS(void, js_stimme_pegel, (int stimme, double links, double rechts),
      { glubber.ton.stimmePegel(stimme, links, rechts); });
EM_JS(void, js_stimme_anhalten, (int stimme), { glubber.ton.stimmeAnhalten(stimme); });
EM_JS(void, js_stimme_freigeben, (int stimme), { glubber.ton.stimmeFreigeben(stimme); });
EM_JS(int, js_welle_spielen, (const char* datei),
      { return glubber.ton.welleSpielen(datei ? UTF8ToString(datei) : null) ? 1 : 0; });
EM_JS(void, js_ton_beenden, (), { glubber.ton.beenden(); });

std::unique_ptr<PlatSound> g_ton;
int g_naechste_nummer = 0;

PlatSoundBuffer* finden(const PlatSoundBuffer* b) {
    if (!g_ton || b == nullptr) return nullptr;
    for (auto& p : g_ton->puffer)
        if (p.get() == b) return p.get();
    return nullptr;
}

void pegel(int32_t pan, double* links, double* rechts) {
    uint8_t l = 255, r = 255;
    plat_common_klang_pan_pegel(pan, &l, &r);
    *links = l / 255.0;
    *rechts = r / 255.0;
}

}   // namespace

void web_ton_beenden(void) {
    if (g_ton) plat_sound_release(g_ton.get());
    js_ton_beenden();
}

int plat_sound_create(PlatSound** ds) {
    if (ds == nullptr) return PLAT_UNGUELTIG;
    *ds = nullptr;
    if (g_ton) return PLAT_FEHLER;   // one sound object, as on the desktop
    g_ton = std::make_unique<PlatSound>();
    g_naechste_nummer = 0;
    *ds = g_ton.get();
    return PLAT_OK;
}

int plat_sound_set_cooperative_level(PlatSound* ds, HWND) {
    return ds != nullptr && ds == g_ton.get() ? PLAT_OK : PLAT_UNGUELTIG;
}

int plat_sound_create_buffer(PlatSound* ds, const WAVEFORMATEX* fmt, DWORD bytes, PlatSoundBuffer** buffer) {
    if (buffer == nullptr) return PLAT_UNGUELTIG;
    *buffer = nullptr;
    if (ds == nullptr || ds != g_ton.get() || !plat_common_wave_format_gueltig(fmt, bytes)) return PLAT_UNGUELTIG;
    auto b = std::make_unique<PlatSoundBuffer>();
    b->daten.assign(bytes, 0);
    b->fmt = *fmt;
    b->uhr = plat_common_stimmenuhr(fmt, bytes);
    b->nummer = g_naechste_nummer++;
    b->stimme = js_stimme_anlegen();
    *buffer = b.get();
    ds->puffer.push_back(std::move(b));
    return PLAT_OK;
}

int plat_sound_buffer_lock(PlatSoundBuffer* b, DWORD offset, DWORD bytes, void** p, DWORD* len) {
    if (p == nullptr || len == nullptr) return PLAT_UNGUELTIG;
    *p = nullptr;
    *len = 0;
    if (finden(b) == nullptr || bytes == 0 || offset >= b->daten.size()) return PLAT_UNGUELTIG;
    if (b->gesperrt) return PLAT_FEHLER;
    const DWORD rest = static_cast<DWORD>(b->daten.size()) - offset;
    *p = b->daten.data() + offset;
    *len = bytes < rest ? bytes : rest;
    b->gesperrt = true;
    return PLAT_OK;
}

int plat_sound_buffer_unlock(PlatSoundBuffer* b, void* p, DWORD len) {
    if (finden(b) == nullptr || p == nullptr) return PLAT_UNGUELTIG;
    const uint8_t* anfang = b->daten.data();
    const uint8_t* zeiger = static_cast<const uint8_t*>(p);
    if (zeiger < anfang || zeiger >= anfang + b->daten.size() ||
        len > static_cast<DWORD>(anfang + b->daten.size() - zeiger))
        return PLAT_UNGUELTIG;
    if (!b->gesperrt) return PLAT_FEHLER;
    b->gesperrt = false;
    const DWORD nutzbar = static_cast<DWORD>(b->daten.size()) / b->fmt.nBlockAlign * b->fmt.nBlockAlign;
    js_stimme_fuellen(b->stimme, b->daten.data(), static_cast<int>(nutzbar), b->fmt.nChannels,
                      static_cast<int>(b->fmt.nSamplesPerSec), b->fmt.wBitsPerSample);
    return PLAT_OK;
}

int plat_sound_buffer_get_status(PlatSoundBuffer* b, DWORD* status) {
    if (status == nullptr) return PLAT_UNGUELTIG;
    *status = 0;
    if (finden(b) == nullptr) return PLAT_UNGUELTIG;
    if (plat_common_stimmenuhr_spielt(&b->uhr)) *status = DSBSTATUS_PLAYING;
    return PLAT_OK;
}

int plat_sound_buffer_stop(PlatSoundBuffer* b) {
    if (finden(b) == nullptr) return PLAT_UNGUELTIG;
    if (b->uhr.spielt) js_stimme_anhalten(b->stimme);
    b->uhr.spielt = false;
    return PLAT_OK;
}

int plat_sound_buffer_set_pan(PlatSoundBuffer* b, int32_t pan) {
    if (finden(b) == nullptr || pan < -10000 || pan > 10000) return PLAT_UNGUELTIG;
    b->pan = pan;
    if (plat_common_stimmenuhr_spielt(&b->uhr)) {
        double links = 1, rechts = 1;
        pegel(pan, &links, &rechts);
        js_stimme_pegel(b->stimme, links, rechts);
    }
    return PLAT_OK;
}

int plat_sound_buffer_play(PlatSoundBuffer* b) {
    if (finden(b) == nullptr) return PLAT_UNGUELTIG;
    web_protokoll("sound " + std::to_string(b->nummer) + " " + std::to_string(b->pan));
    double links = 1, rechts = 1;
    pegel(b->pan, &links, &rechts);
    js_stimme_spielen(b->stimme, links, rechts);
    plat_common_stimmenuhr_starten(&b->uhr);
    return PLAT_OK;
}

void plat_sound_buffer_release(PlatSoundBuffer* b) {
    if (finden(b) == nullptr) return;
    js_stimme_freigeben(b->stimme);
    for (auto it = g_ton->puffer.begin(); it != g_ton->puffer.end(); ++it) {
        if (it->get() == b) {
            g_ton->puffer.erase(it);
            return;
        }
    }
}

void plat_sound_release(PlatSound* ds) {
    if (ds == nullptr || ds != g_ton.get()) return;
    while (!g_ton->puffer.empty()) plat_sound_buffer_release(g_ton->puffer.back().get());
    g_ton.reset();
}

bool plat_play_sound(const char* file) {
    web_protokoll(file != nullptr ? "wave " + std::string(file) : std::string("wave stop"));
    // A missing or unreadable file stays silent; the one before stops all the same.
    return js_welle_spielen(file) != 0;
}
