// The fixed geometry of the playfield picture, shared with the content
// generator: the skyline of the scenery and the hiding spots.
#ifndef GLUBBERSHOOT_KULISSE_H
#define GLUBBERSHOOT_KULISSE_H

#include "platform/platform.h"

#define MAX_VERSTECKE 8
#define MAX_KULISSE 83

extern const POINT ptKulisse[MAX_KULISSE];             // skyline of the playfield picture
extern const POINT ptVersteckeAnfang[MAX_VERSTECKE];   // where the hiding spots are

#endif
