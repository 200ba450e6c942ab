// Placeholder bodies until input, start-up and shutdown are built; the owner replaces this file.
#include "shell/spiel.h"

intptr_t Nachricht_verarbeiten([[maybe_unused]] HWND hwnd, [[maybe_unused]] uint32_t uMsg, [[maybe_unused]] uintptr_t wParam, [[maybe_unused]] intptr_t lParam) { return 0; }
void Spiel_starten(void) {}
void Spiel_beenden(void) {}
