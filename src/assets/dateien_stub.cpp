// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "assets/dateien.h"

bool Datei_vorhanden([[maybe_unused]] const char* datei) { return 0; }
bool Dateien_pruefen(void) { return 0; }
bool Musik_suchen(void) { return 0; }
bool Verzeichnis_durchsuchen([[maybe_unused]] const char* verzeichnis, [[maybe_unused]] const char* endung) { return 0; }
