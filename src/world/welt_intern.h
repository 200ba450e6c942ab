// Helpers shared by the world's own files; not for other subsystems.
#ifndef GLUBBERSHOOT_WELT_INTERN_H
#define GLUBBERSHOOT_WELT_INTERN_H

#include "audio/dsound.h"
#include "audio/effekte.h"
#include "shell/spiel.h"
#include "world/welt.h"

// Kinds 0..2 fly; the riser and the hider pop up.
inline bool Ist_Flieger(const Objekt& o) { return o.Figur.iArt >= ART_KLEIN && o.Figur.iArt <= ART_GROSS; }

inline bool Index_gueltig(int index) { return index >= 0 && index < MAX_OBJEKTE; }

// A box that no point lies in: a restarted target must not be hit where it
// was last seen before its first update has placed the box anew.
inline void Trefferbox_leeren(Objekt* o) {
    o->iWeltLinks = 0;
    o->iWeltRechts = -1;
    o->iWeltOben = 0;
    o->iWeltUnten = -1;
}

#endif
