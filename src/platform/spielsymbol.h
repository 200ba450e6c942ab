// The game's icon, drawn in code: a round green Glubber with one big eye.
// Used by the window (64 px) and by the content generator (desktop icons).
#ifndef GLUBBERSHOOT_SPIELSYMBOL_H
#define GLUBBERSHOOT_SPIELSYMBOL_H

#include <cstdint>

enum { SYMBOL_MIN = 16, SYMBOL_MAX = 256 };

// Fills groesse x groesse pixels, rows top first, 0xAARRGGBB with straight
// (not premultiplied) alpha; transparent around the figure. Sizes outside
// SYMBOL_MIN..SYMBOL_MAX leave argb untouched.
void plat_common_spielsymbol_malen(int groesse, uint32_t* argb);

#endif
