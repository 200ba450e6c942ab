// The game's crosshair, the pointer over the picture: drawn in code once,
// for every backend that shows a pointer (a system cursor, a page's cursor).
#ifndef GLUBBERSHOOT_FADENKREUZ_H
#define GLUBBERSHOOT_FADENKREUZ_H

#include <cstdint>

// 32 x 32 pixels; the hot spot, the aimed point, is x 15, y 16.
enum { FADENKREUZ_GROESSE = 32, FADENKREUZ_HOT_X = 15, FADENKREUZ_HOT_Y = 16 };

// Fills the picture, rows top first, 0xAARRGGBB: a black figure with a
// white rim, transparent around it.
void plat_common_fadenkreuz_malen(uint32_t argb[FADENKREUZ_GROESSE * FADENKREUZ_GROESSE]);

#endif
