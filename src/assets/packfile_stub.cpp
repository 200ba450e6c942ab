// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "assets/packfile.h"

PackFileVerzeichnis pfvGrafik{};
PackFileVerzeichnis pfvSound{};
int PackFile_oeffnen([[maybe_unused]] const char* datei, [[maybe_unused]] PackFileVerzeichnis* pfv) { return 0; }
int PackFile_Bild_laden([[maybe_unused]] const char* datei, [[maybe_unused]] const PackFileVerzeichnis* pfv, [[maybe_unused]] int sektor, [[maybe_unused]] PlatSurface* ziel, [[maybe_unused]] BYTE palette, [[maybe_unused]] BYTE spiegeln) { return 0; }
void Bild_spiegeln([[maybe_unused]] BYTE* zeile, [[maybe_unused]] int laenge) {}
int PackFile_Sound_laden([[maybe_unused]] const char* datei, [[maybe_unused]] const PackFileVerzeichnis* pfv, [[maybe_unused]] int sektor, [[maybe_unused]] PlatSoundBuffer** puffer) { return 0; }
bool DSound_WaveFormat([[maybe_unused]] PlatFile* datei, [[maybe_unused]] WAVEFORMATEX* format, [[maybe_unused]] DWORD offset) { return 0; }
bool DSound_WaveDaten([[maybe_unused]] PlatFile* datei, [[maybe_unused]] DWORD* laenge, [[maybe_unused]] BYTE** daten, [[maybe_unused]] DWORD offset) { return 0; }
