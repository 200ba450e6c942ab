// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "screens/screens.h"

RECT rcMenueZone[MAX_MENUE]{};
int32_t iRundenBild{};
int32_t iAbspannY{};
int32_t iAbspannX{};
void Titel_zeigen(void) {}
void Menue_zeigen(void) {}
void Menue_Zone_setzen([[maybe_unused]] int x, [[maybe_unused]] int y, [[maybe_unused]] int ausrichtung, [[maybe_unused]] int laenge, [[maybe_unused]] int index) {}
void Menue_waehlen([[maybe_unused]] int x, [[maybe_unused]] int y, [[maybe_unused]] int item) {}
void Rundenstart_zeigen(void) {}
void Rekord_zeigen(void) {}
void Weiterspielen_zeigen(void) {}
void Highscore_zeigen(void) {}
void Abspann_zeigen(void) {}
void Beenden_zeigen(void) {}
