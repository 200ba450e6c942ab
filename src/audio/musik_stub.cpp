// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "audio/musik.h"

char szMusikDatei[MAX_MUSIK][MUSIK_NAME_LAENGE]{};
int32_t iMusikAnzahl{};
int32_t iMusikTitel{};
int32_t iMusikZustand{};
BYTE bMusikAn{};
DWORD dwMusikTitelZeit{};
void Musik_steuern([[maybe_unused]] int operation, [[maybe_unused]] const char* datei) {}
void Musik_Titel_waehlen([[maybe_unused]] int index, [[maybe_unused]] int modus) {}
