// The display in memory: 8-bit surfaces with a pitch, one flipping chain,
// clippers, palettes and the keyed blit. Shared by both backends; a
// backend only shows the frames that a flip hands it.
#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/blit_simd.h"
#include "platform/plat_intern.h"

namespace {

// Every live display; each owns what was made on it.
std::vector<std::unique_ptr<PlatDisplay>> g_displays;
int g_extra_pitch = 0;

// Larger surfaces are refused rather than allocated.
const int32_t MAX_KANTE = 8192;
const DWORD MAX_CLIP_RECHTECKE = 4096;

PALETTEENTRY g_grau[256];
bool g_grau_fertig = false;

RECT rechteck(int32_t l, int32_t t, int32_t r, int32_t b) {
    RECT rc = {l, t, r, b};
    return rc;
}

RECT schnitt(const RECT& a, const RECT& b) {
    return rechteck(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom));
}

bool leer(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

bool innerhalb(const RECT& r, const PlatSurface* s) {
    return r.left >= 0 && r.top >= 0 && r.right <= s->w && r.bottom <= s->h;
}

bool beschaeftigt(const PlatSurface* s) { return s->locked || s->dc; }

template <typename T>
void aus_liste_entfernen(std::vector<std::unique_ptr<T>>& v, const T* obj) {
    v.erase(std::remove_if(v.begin(), v.end(), [obj](const std::unique_ptr<T>& p) { return p.get() == obj; }), v.end());
}

PlatSurface* surface_anlegen(PlatDisplay* dd, int32_t w, int32_t h) {
    auto s = std::make_unique<PlatSurface>();
    int32_t pitch = ((w + 31) / 32) * 32 + g_extra_pitch;
    size_t bytes = static_cast<size_t>(pitch) * static_cast<size_t>(h);
    bytes = (bytes + 63) / 64 * 64;   // aligned_alloc wants a multiple of the alignment
    uint8_t* p = static_cast<uint8_t*>(std::aligned_alloc(64, bytes));
    if (!p) return nullptr;
    std::memset(p, 0, bytes);
    s->dd = dd;
    s->w = w;
    s->h = h;
    s->pitch = pitch;
    s->pixels.reset(p);
    PlatSurface* roh = s.get();
    dd->surfaces.push_back(std::move(s));
    return roh;
}

// Lookups compare pointers only, so a stale or foreign handle is ignored
// instead of being followed.
PlatDisplay* display_finden(const PlatDisplay* dd) {
    for (auto& d : g_displays)
        if (d.get() == dd) return d.get();
    return nullptr;
}

template <typename T>
PlatDisplay* besitzer_finden(const T* obj, std::vector<std::unique_ptr<T>> PlatDisplay::*liste) {
    for (auto& d : g_displays)
        for (auto& p : (*d).*liste)
            if (p.get() == obj) return d.get();
    return nullptr;
}

// Clippers may sit on surfaces of any display.
void clipper_loesen(const PlatClipper* clipper) {
    for (auto& d : g_displays)
        for (auto& s : d->surfaces)
            if (s->clipper == clipper) s->clipper = nullptr;
}

// A picture that has been the source of a few keyed blits unchanged is
// likely to stay so (pictures are loaded once, then only drawn), so its
// stretches are found once and the blits copy them straight. Pictures of
// short stretches keep the blend: at under 64 pixels a stretch on average
// it is as fast, and the list stays within an eighth of the pixels' size.
bool strecken_bereit(PlatSurface* s) {
    if (s->strecken_da) return true;
    if (!s->strecken_lohnen || ++s->blits_unveraendert < 3) return false;
    const size_t grenze = static_cast<size_t>(s->w) * static_cast<size_t>(s->h) / 64;
    s->strecken_da = plat_common_blit_strecken_bauen(&s->strecken, s->pixels.get(), s->pitch, s->w, s->h, s->key_low,
                                                     s->key_high, grenze);
    s->strecken_lohnen = s->strecken_da;
    return s->strecken_da;
}

// Copies a w x h block that lies inside both surfaces.
void block_kopieren(PlatSurface* dst, int32_t dx, int32_t dy, PlatSurface* src, int32_t sx, int32_t sy, int32_t w,
                    int32_t h) {
    const uint8_t* quelle = src->pixels.get() + static_cast<size_t>(sy) * src->pitch + sx;
    int32_t quell_pitch = src->pitch;
    std::vector<uint8_t> zwischen;
    if (src == dst) {
        // Overlapping copies within one surface go through a copy of the source.
        zwischen.resize(static_cast<size_t>(w) * h);
        for (int32_t y = 0; y < h; ++y)
            std::memcpy(&zwischen[static_cast<size_t>(y) * w], quelle + static_cast<size_t>(y) * quell_pitch, w);
        quelle = zwischen.data();
        quell_pitch = w;
    }
    uint8_t* ziel = dst->pixels.get() + static_cast<size_t>(dy) * dst->pitch + dx;
    if (!src->has_key) {
        plat_common_blit_kopieren(ziel, dst->pitch, quelle, quell_pitch, w, h);
        return;
    }
    if (src != dst && strecken_bereit(src)) {
        plat_common_blit_strecken_kopieren(ziel, dst->pitch, src->pixels.get(), src->pitch, src->strecken, sx, sy, w,
                                           h);
        return;
    }
    plat_common_blit_keyed(ziel, dst->pitch, quelle, quell_pitch, w, h, src->key_low, src->key_high);
}

// Draws the part of the blit that falls into one visible rectangle.
void stueck_zeichnen(PlatSurface* dst, const RECT& d, const RECT& sichtbar, PlatSurface* src, const RECT& s) {
    RECT teil = schnitt(d, sichtbar);
    if (leer(teil)) return;
    int32_t sx = static_cast<int32_t>(s.left + (static_cast<int64_t>(teil.left) - d.left));
    int32_t sy = static_cast<int32_t>(s.top + (static_cast<int64_t>(teil.top) - d.top));
    block_kopieren(dst, teil.left, teil.top, src, sx, sy, teil.right - teil.left, teil.bottom - teil.top);
}

}   // namespace

const PALETTEENTRY* plat_common_screen_palette(const PlatDisplay* dd) {
    if (dd && dd->primary && dd->primary->has_palette) return dd->primary->palette;
    if (!g_grau_fertig) {
        for (int i = 0; i < 256; ++i) {
            BYTE g = static_cast<BYTE>(i);
            g_grau[i] = PALETTEENTRY{g, g, g, 0};
        }
        g_grau_fertig = true;
    }
    return g_grau;
}

void plat_common_set_extra_pitch(int bytes) { g_extra_pitch = std::clamp(bytes, 0, 4096); }

int plat_common_display_live_objects(void) {
    int n = 0;
    for (auto& d : g_displays) n += 1 + static_cast<int>(d->surfaces.size() + d->clippers.size() + d->palettes.size());
    return n;
}

void plat_common_display_release_all(void) {
    while (!g_displays.empty()) plat_display_release(g_displays.back().get());
}

// ---------------------------------------------------------------- display

int plat_display_create(PlatDisplay** dd) {
    if (plat_fault("DirectDrawCreateEx")) return PLAT_FEHLER;
    if (!dd) return PLAT_UNGUELTIG;
    g_displays.push_back(std::make_unique<PlatDisplay>());
    *dd = g_displays.back().get();
    return PLAT_OK;
}

int plat_display_set_cooperative_level(PlatDisplay* dd, HWND hwnd) {
    if (plat_fault("SetCooperativeLevel")) return PLAT_FEHLER;
    if (!dd) return PLAT_UNGUELTIG;
    dd->hwnd = hwnd;
    return PLAT_OK;
}

int plat_display_set_mode(PlatDisplay* dd, int w, int h, int bpp) {
    if (plat_fault("SetDisplayMode")) return PLAT_FEHLER;
    if (!dd || bpp != 8 || w <= 0 || h <= 0 || w > MAX_KANTE || h > MAX_KANTE) return PLAT_UNGUELTIG;
    if (!backend_display_open(dd->hwnd, w, h)) return PLAT_FEHLER;
    dd->mode_open = true;
    dd->mode_w = w;
    dd->mode_h = h;
    return PLAT_OK;
}

int plat_display_create_primary(PlatDisplay* dd, PlatSurface** primary) {
    if (plat_fault("CreateSurface")) return PLAT_FEHLER;
    if (!dd || !primary) return PLAT_UNGUELTIG;
    if (dd->primary) return PLAT_FEHLER;   // one screen, one primary
    PlatSurface* vorn = surface_anlegen(dd, dd->mode_w, dd->mode_h);
    if (!vorn) return PLAT_FEHLER;
    PlatSurface* hinten = surface_anlegen(dd, dd->mode_w, dd->mode_h);
    if (!hinten) {
        aus_liste_entfernen(dd->surfaces, vorn);
        return PLAT_FEHLER;
    }
    vorn->back = hinten;
    hinten->front = vorn;
    dd->primary = vorn;
    *primary = vorn;
    return PLAT_OK;
}

int plat_surface_get_back_buffer(PlatSurface* primary, PlatSurface** back) {
    if (plat_fault("GetAttachedSurface")) return PLAT_FEHLER;
    if (!primary || !back || !primary->back) return PLAT_UNGUELTIG;
    *back = primary->back;
    return PLAT_OK;
}

int plat_display_create_surface(PlatDisplay* dd, int w, int h, bool, PlatSurface** s) {
    if (plat_fault("CreateSurface")) return PLAT_FEHLER;
    if (!dd || !s || w <= 0 || h <= 0 || w > MAX_KANTE || h > MAX_KANTE) return PLAT_UNGUELTIG;
    PlatSurface* neu = surface_anlegen(dd, w, h);
    if (!neu) return PLAT_FEHLER;
    *s = neu;
    return PLAT_OK;
}

// ---------------------------------------------------------------- clipper

int plat_display_create_clipper(PlatDisplay* dd, PlatClipper** clipper) {
    if (plat_fault("CreateClipper")) return PLAT_FEHLER;
    if (!dd || !clipper) return PLAT_UNGUELTIG;
    dd->clippers.push_back(std::make_unique<PlatClipper>());
    dd->clippers.back()->dd = dd;
    *clipper = dd->clippers.back().get();
    return PLAT_OK;
}

int plat_clipper_set_clip_list(PlatClipper* clipper, const RGNDATAHEADER* rgn) {
    if (plat_fault("SetClipList")) return PLAT_FEHLER;
    if (!clipper) return PLAT_UNGUELTIG;
    if (!rgn) {
        clipper->rects.clear();
        return PLAT_OK;
    }
    if (rgn->dwSize != sizeof(RGNDATAHEADER) || rgn->iType != RDH_RECTANGLES || rgn->nCount > MAX_CLIP_RECHTECKE ||
        rgn->nRgnSize < rgn->nCount * sizeof(RECT))
        return PLAT_UNGUELTIG;
    // The rectangles follow the header; they need not be aligned for RECT.
    const unsigned char* daten = reinterpret_cast<const unsigned char*>(rgn) + sizeof(RGNDATAHEADER);
    std::vector<RECT> rects;
    for (DWORD i = 0; i < rgn->nCount; ++i) {
        RECT r;
        std::memcpy(&r, daten + i * sizeof(RECT), sizeof(RECT));
        if (!leer(r)) rects.push_back(r);
    }
    clipper->rects.swap(rects);
    return PLAT_OK;
}

int plat_surface_set_clipper(PlatSurface* s, PlatClipper* clipper) {
    if (plat_fault("SetClipper")) return PLAT_FEHLER;
    if (!s) return PLAT_UNGUELTIG;
    s->clipper = clipper;
    return PLAT_OK;
}

int plat_surface_set_color_key(PlatSurface* s, BYTE low, BYTE high) {
    if (plat_fault("SetColorKey")) return PLAT_FEHLER;
    if (!s) return PLAT_UNGUELTIG;
    plat_common_surface_veraendert(s);
    s->has_key = true;
    s->key_low = std::min(low, high);
    s->key_high = std::max(low, high);
    return PLAT_OK;
}

// ---------------------------------------------------------------- drawing

int plat_surface_fill(PlatSurface* s, BYTE colour) {
    if (plat_fault("Blt(COLORFILL)")) return PLAT_FEHLER;
    if (!s) return PLAT_UNGUELTIG;
    if (beschaeftigt(s)) return PLAT_FEHLER;
    plat_common_surface_veraendert(s);
    plat_common_blit_fuellen(s->pixels.get(), s->pitch, s->w, s->h, colour);
    return PLAT_OK;
}

int plat_surface_blt_keyed(PlatSurface* dst, const RECT* dst_rect, PlatSurface* src, const RECT* src_rect) {
    if (plat_fault("Blt")) return PLAT_FEHLER;
    if (!dst || !src) return PLAT_UNGUELTIG;
    RECT d = dst_rect ? *dst_rect : rechteck(0, 0, dst->w, dst->h);
    RECT s = src_rect ? *src_rect : rechteck(0, 0, src->w, src->h);
    int64_t dw = static_cast<int64_t>(d.right) - d.left, dh = static_cast<int64_t>(d.bottom) - d.top;
    int64_t sw = static_cast<int64_t>(s.right) - s.left, sh = static_cast<int64_t>(s.bottom) - s.top;
    // No stretching: both rectangles have the same size.
    if (dw <= 0 || dh <= 0 || dw != sw || dh != sh) return PLAT_UNGUELTIG;
    if (!innerhalb(s, src)) return PLAT_UNGUELTIG;
    if (beschaeftigt(dst) || beschaeftigt(src)) return PLAT_FEHLER;
    plat_common_surface_veraendert(dst);
    RECT ganz = rechteck(0, 0, dst->w, dst->h);
    if (!dst->clipper) {
        if (!innerhalb(d, dst)) return PLAT_UNGUELTIG;
        stueck_zeichnen(dst, d, ganz, src, s);
        return PLAT_OK;
    }
    if (dst->clipper->rects.empty()) {
        stueck_zeichnen(dst, d, ganz, src, s);
        return PLAT_OK;
    }
    for (const RECT& r : dst->clipper->rects) stueck_zeichnen(dst, d, schnitt(r, ganz), src, s);
    return PLAT_OK;
}

int plat_surface_flip(PlatSurface* primary) {
    if (plat_fault("Flip")) {
        if (primary && primary->back) primary->lost = true;
        return PLAT_SURFACELOST;
    }
    if (!primary || !primary->back) return PLAT_UNGUELTIG;
    if (primary->lost) return PLAT_SURFACELOST;
    PlatSurface* back = primary->back;
    if (beschaeftigt(primary) || beschaeftigt(back)) return PLAT_FEHLER;
    if (!backend_present(back->pixels.get(), back->pitch, back->w, back->h, plat_common_screen_palette(primary->dd))) {
        primary->lost = true;
        return PLAT_SURFACELOST;
    }
    // As on a real flipping chain, the old front becomes the next back buffer.
    std::swap(primary->pixels, back->pixels);
    plat_common_surface_veraendert(primary);
    plat_common_surface_veraendert(back);
    return PLAT_OK;
}

int plat_surface_restore(PlatSurface* primary) {
    if (plat_fault("Restore")) return PLAT_FEHLER;
    if (!primary) return PLAT_UNGUELTIG;
    if (!primary->lost) return PLAT_OK;
    if (!backend_restore()) return PLAT_FEHLER;
    primary->lost = false;
    return PLAT_OK;
}

int plat_surface_lock(PlatSurface* s, PlatLock* lock) {
    if (plat_fault("Lock")) return PLAT_FEHLER;
    if (!s || !lock) return PLAT_UNGUELTIG;
    if (beschaeftigt(s)) return PLAT_FEHLER;
    s->locked = true;
    plat_common_surface_veraendert(s);
    lock->lpSurface = s->pixels.get();
    lock->lPitch = s->pitch;
    lock->dwWidth = static_cast<uint32_t>(s->w);
    lock->dwHeight = static_cast<uint32_t>(s->h);
    return PLAT_OK;
}

int plat_surface_unlock(PlatSurface* s) {
    if (plat_fault("Unlock")) return PLAT_FEHLER;
    if (!s) return PLAT_UNGUELTIG;
    if (!s->locked) return PLAT_FEHLER;
    s->locked = false;
    return PLAT_OK;
}

// ---------------------------------------------------------------- palette

int plat_display_create_palette(PlatDisplay* dd, const PALETTEENTRY entries[256], PlatPalette** pal) {
    if (plat_fault("CreatePalette")) return PLAT_FEHLER;
    if (!dd || !entries || !pal) return PLAT_UNGUELTIG;
    dd->palettes.push_back(std::make_unique<PlatPalette>());
    PlatPalette* p = dd->palettes.back().get();
    p->dd = dd;
    std::memcpy(p->entries, entries, sizeof p->entries);
    *pal = p;
    return PLAT_OK;
}

int plat_surface_set_palette(PlatSurface* primary, PlatPalette* pal) {
    if (plat_fault("SetPalette")) return PLAT_FEHLER;
    if (!primary) return PLAT_UNGUELTIG;
    primary->has_palette = pal != nullptr;
    if (pal) std::memcpy(primary->palette, pal->entries, sizeof primary->palette);
    return PLAT_OK;
}

// ---------------------------------------------------------------- release

void plat_surface_release(PlatSurface* s) {
    PlatDisplay* dd = besitzer_finden(s, &PlatDisplay::surfaces);
    if (!dd) return;
    if (s->front) return;   // a back buffer goes with its chain
    if (s->back) aus_liste_entfernen(dd->surfaces, s->back);
    if (dd->primary == s) dd->primary = nullptr;
    aus_liste_entfernen(dd->surfaces, s);
}

void plat_palette_release(PlatPalette* pal) {
    PlatDisplay* dd = besitzer_finden(pal, &PlatDisplay::palettes);
    if (dd) aus_liste_entfernen(dd->palettes, pal);
}

void plat_clipper_release(PlatClipper* clipper) {
    PlatDisplay* dd = besitzer_finden(clipper, &PlatDisplay::clippers);
    if (!dd) return;
    clipper_loesen(clipper);
    aus_liste_entfernen(dd->clippers, clipper);
}

void plat_display_release(PlatDisplay* dd) {
    PlatDisplay* d = display_finden(dd);
    if (!d) return;
    if (d->mode_open) backend_display_close();
    for (auto& c : d->clippers) clipper_loesen(c.get());
    aus_liste_entfernen(g_displays, d);
}
