// Inside the shared platform code: the display objects as the surface
// and text files both see them. Neither the game nor a backend looks here.
#ifndef GLUBBERSHOOT_PLAT_INTERN_H
#define GLUBBERSHOOT_PLAT_INTERN_H

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/blit_simd.h"
#include "platform/platform.h"

struct PlatPixelFree {
    void operator()(uint8_t* p) const { std::free(p); }
};

struct PlatDC {
    PlatSurface* surface;
    int bk_mode;
};

struct PlatSurface {
    PlatDisplay* dd = nullptr;
    int32_t w = 0, h = 0, pitch = 0;
    std::unique_ptr<uint8_t, PlatPixelFree> pixels;
    bool has_key = false;
    BYTE key_low = 0, key_high = 0;
    // The stretches of this picture that are not the key, once it has been
    // the source of a few keyed blits unchanged; any change forgets them.
    PlatBlitStrecken strecken;
    bool strecken_da = false;
    bool strecken_lohnen = true;
    int blits_unveraendert = 0;
    PlatClipper* clipper = nullptr;
    PlatSurface* back = nullptr;    // set on a primary
    PlatSurface* front = nullptr;   // set on a back buffer
    bool locked = false;
    bool lost = false;
    std::unique_ptr<PlatDC> dc;
    // A copy: no call changes a palette's entries after it is made.
    bool has_palette = false;
    PALETTEENTRY palette[256];
};

// Every change of a surface's pixels or key goes through here.
inline void plat_common_surface_veraendert(PlatSurface* s) {
    s->strecken_da = false;
    s->strecken_lohnen = true;
    s->blits_unveraendert = 0;
}

struct PlatClipper {
    PlatDisplay* dd = nullptr;
    std::vector<RECT> rects;
};

struct PlatPalette {
    PlatDisplay* dd = nullptr;
    PALETTEENTRY entries[256];
};

struct PlatDisplay {
    HWND hwnd = nullptr;
    bool mode_open = false;
    int mode_w = 1024, mode_h = 768;
    PlatSurface* primary = nullptr;
    std::vector<std::unique_ptr<PlatSurface>> surfaces;
    std::vector<std::unique_ptr<PlatClipper>> clippers;
    std::vector<std::unique_ptr<PlatPalette>> palettes;
};

// The palette that the screen shows: the primary's, else a grey ramp.
const PALETTEENTRY* plat_common_screen_palette(const PlatDisplay* dd);

int plat_common_display_live_objects(void);
void plat_common_display_release_all(void);
int plat_common_file_live_objects(void);
void plat_common_file_release_all(void);

#endif
