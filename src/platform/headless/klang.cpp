// Headless sound: voices that hold their samples and play silently for
// exactly as long as their samples last in virtual time.
#include <memory>
#include <new>

#include "platform/backend.h"
#include "platform/headless/headless_intern.h"
#include "platform/stimmenuhr.h"

struct PlatSoundBuffer {
    PlatSound* ds = nullptr;
    int nummer = 0;
    WAVEFORMATEX fmt{};
    std::vector<uint8_t> daten;
    int32_t pan = 0;
    PlatStimmenuhr uhr;
    bool gesperrt = false;
    void* sperr_zeiger = nullptr;
};

struct PlatSound {
    HWND hwnd = nullptr;
    std::vector<std::unique_ptr<PlatSoundBuffer>> puffer;
};

namespace {

std::vector<std::unique_ptr<PlatSound>> g_klaenge;
int g_naechste_nummer = 0;

PlatSound* besitzer(const PlatSoundBuffer* b) {
    for (auto& ds : g_klaenge)
        for (auto& p : ds->puffer)
            if (p.get() == b) return ds.get();
    return nullptr;
}

}   // namespace

void headless_klang_vergessen(void) {
    g_klaenge.clear();
    g_naechste_nummer = 0;
}

int headless_klang_objekte(void) {
    int n = 0;
    for (auto& ds : g_klaenge) n += 1 + static_cast<int>(ds->puffer.size());
    return n;
}

bool headless_sound_playing(int n) {
    // The newest sound object numbers its voices from 0 again.
    for (auto it = g_klaenge.rbegin(); it != g_klaenge.rend(); ++it)
        for (auto& p : (*it)->puffer)
            if (p->nummer == n) return plat_common_stimmenuhr_spielt(&p->uhr);
    return false;
}

int plat_sound_create(PlatSound** ds) {
    if (plat_fault("DirectSoundCreate")) return PLAT_FEHLER;
    if (!ds) return PLAT_UNGUELTIG;
    g_klaenge.push_back(std::make_unique<PlatSound>());
    g_naechste_nummer = 0;
    *ds = g_klaenge.back().get();
    return PLAT_OK;
}

int plat_sound_set_cooperative_level(PlatSound* ds, HWND hwnd) {
    if (plat_fault("DSound.SetCooperativeLevel")) return PLAT_FEHLER;
    if (!ds) return PLAT_UNGUELTIG;
    ds->hwnd = hwnd;
    return PLAT_OK;
}

int plat_sound_create_buffer(PlatSound* ds, const WAVEFORMATEX* fmt, DWORD bytes, PlatSoundBuffer** buffer) {
    if (plat_fault("CreateSoundBuffer")) return PLAT_FEHLER;
    if (!ds || !buffer || !plat_common_wave_format_gueltig(fmt, bytes)) return PLAT_UNGUELTIG;
    auto b = std::make_unique<PlatSoundBuffer>();
    try {
        b->daten.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        return PLAT_FEHLER;
    }
    b->ds = ds;
    b->fmt = *fmt;
    b->uhr = plat_common_stimmenuhr(fmt, bytes);
    b->nummer = g_naechste_nummer++;
    *buffer = b.get();
    ds->puffer.push_back(std::move(b));
    return PLAT_OK;
}

int plat_sound_buffer_lock(PlatSoundBuffer* b, DWORD offset, DWORD bytes, void** p, DWORD* len) {
    if (plat_fault("DSB.Lock")) return PLAT_FEHLER;
    if (!b || !p || !len) return PLAT_UNGUELTIG;
    if (b->gesperrt) return PLAT_FEHLER;
    DWORD groesse = static_cast<DWORD>(b->daten.size());
    if (offset >= groesse || bytes == 0 || bytes > groesse) return PLAT_UNGUELTIG;
    // Only the first region: the part that would wrap round is not handed out.
    *p = b->daten.data() + offset;
    *len = bytes < groesse - offset ? bytes : groesse - offset;
    b->gesperrt = true;
    b->sperr_zeiger = *p;
    return PLAT_OK;
}

int plat_sound_buffer_unlock(PlatSoundBuffer* b, void* p, DWORD) {
    if (plat_fault("DSB.Unlock")) return PLAT_FEHLER;
    if (!b) return PLAT_UNGUELTIG;
    if (!b->gesperrt) return PLAT_FEHLER;
    if (p != b->sperr_zeiger) return PLAT_UNGUELTIG;
    b->gesperrt = false;
    b->sperr_zeiger = nullptr;
    return PLAT_OK;
}

int plat_sound_buffer_get_status(PlatSoundBuffer* b, DWORD* status) {
    if (!b || !status) return PLAT_UNGUELTIG;
    *status = plat_common_stimmenuhr_spielt(&b->uhr) ? DSBSTATUS_PLAYING : 0;
    return PLAT_OK;
}

int plat_sound_buffer_stop(PlatSoundBuffer* b) {
    if (!b) return PLAT_UNGUELTIG;
    b->uhr.spielt = false;
    return PLAT_OK;
}

int plat_sound_buffer_set_pan(PlatSoundBuffer* b, int32_t pan) {
    if (!b || pan < -10000 || pan > 10000) return PLAT_UNGUELTIG;
    b->pan = pan;
    return PLAT_OK;
}

int plat_sound_buffer_play(PlatSoundBuffer* b) {
    if (!b) return PLAT_UNGUELTIG;
    headless_log("sound " + std::to_string(b->nummer) + " " + std::to_string(b->pan));
    plat_common_stimmenuhr_starten(&b->uhr);
    return PLAT_OK;
}

void plat_sound_buffer_release(PlatSoundBuffer* b) {
    PlatSound* ds = besitzer(b);
    if (!ds) return;
    for (auto it = ds->puffer.begin(); it != ds->puffer.end(); ++it)
        if (it->get() == b) {
            ds->puffer.erase(it);
            return;
        }
}

void plat_sound_release(PlatSound* ds) {
    for (auto it = g_klaenge.begin(); it != g_klaenge.end(); ++it)
        if (it->get() == ds) {
            g_klaenge.erase(it);
            return;
        }
}
