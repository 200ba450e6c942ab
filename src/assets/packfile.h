// PackFile archives and the picture and sound loaders that read them.
#ifndef GLUBBERSHOOT_PACKFILE_H
#define GLUBBERSHOOT_PACKFILE_H

#include "platform/platform.h"

enum { SEKTOR_WAV = 1000, SEKTOR_BMP = 2000 };

#define PACKFILE_KENNUNG "PackFile-1.0"
#define PACKFILE_INDEX_GROESSE 544
#define MAX_BMP_SEKTOREN 41
#define MAX_WAV_SEKTOREN 21

// The 544-byte index at the end of an archive, held byte for byte as read.
struct PackFileVerzeichnis {
    int32_t iSektorTyp[51];
    int32_t iSektorOffset[50];
    char szKennung[13];
    char cFrei[127];
};
static_assert(sizeof(PackFileVerzeichnis) == PACKFILE_INDEX_GROESSE, "PackFile index is 544 bytes");

extern PackFileVerzeichnis pfvGrafik;
extern PackFileVerzeichnis pfvSound;

int PackFile_oeffnen(const char* datei, PackFileVerzeichnis* pfv);
int PackFile_Bild_laden(const char* datei, const PackFileVerzeichnis* pfv, int sektor, PlatSurface* ziel, BYTE palette,
                        BYTE spiegeln);
void Bild_spiegeln(BYTE* zeile, int laenge);
int PackFile_Sound_laden(const char* datei, const PackFileVerzeichnis* pfv, int sektor, PlatSoundBuffer** puffer);
bool DSound_WaveFormat(PlatFile* datei, WAVEFORMATEX* format, DWORD offset);
bool DSound_WaveDaten(PlatFile* datei, DWORD* laenge, BYTE** daten, DWORD offset);

#endif
