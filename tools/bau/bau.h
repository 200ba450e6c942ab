// The game's file formats built in memory (PackFile archives, BMP and
// RIFF/WAVE sectors, "Score.dat") and read back, for the content
// generator, the tests and the fuzz seeds. The layouts come from the
// game's own headers; integers are little-endian.
#ifndef GLUBBERSHOOT_BAU_H
#define GLUBBERSHOOT_BAU_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/highscore.h"
#include "assets/packfile.h"

typedef std::vector<uint8_t> Bytes;

// Appends a little-endian integer.
void Bau_Word_anhaengen(Bytes& d, uint16_t w);
void Bau_DWord_anhaengen(Bytes& d, uint32_t v);
Bytes Bau_Text(const std::string& s);
Bytes Bau_verbinden(Bytes a, const Bytes& b);

// ------------------------------------------------------------- archives

// Index slots that hold an offset (the type table has one more).
enum { BAU_SLOTS = sizeof(PackFileVerzeichnis::iSektorOffset) / sizeof(int32_t) };

struct BauSektor {
    int iNummer;   // index slot; outside 0..BAU_SLOTS-1 the sector is left out
    int32_t iTyp;
    Bytes daten;
};

struct BauArchiv {
    std::vector<BauSektor> sektoren;          // laid out in this order
    Bytes vorspann;                           // before the first sector
    Bytes luecke;                             // after every sector
    std::string kennung = PACKFILE_KENNUNG;   // cut or padded with NUL to its 13 bytes
    uint8_t byRest = 0;                       // the unread bytes after the magic text
};

// The sectors, then the 544-byte index; slots no sector names stay zero.
Bytes Bau_Archiv(const BauArchiv& a);

// The index in the last bytes of an archive, as the game holds it; false
// (and the record zero) when the data is too short to hold one.
bool Bau_Verzeichnis_lesen(const uint8_t* archiv, size_t laenge, PackFileVerzeichnis* pfv);

// ------------------------------------------------------------- pictures

enum { BAU_BMP_KOEPFE = 14 + 40, BAU_BMP_FARBEN = 1024, BAU_BMP_PIXEL = BAU_BMP_KOEPFE + BAU_BMP_FARBEN };

// An uncompressed BMP: both headers, the colour table (cut or padded with
// zero to 256 entries) and the pixel rows as given, in file order.
Bytes Bau_Bmp(int32_t breite, int32_t hoehe, const Bytes& farben, const Bytes& zeilen, uint16_t bits = 8);

// --------------------------------------------------------------- sounds

// A sub-chunk with its fill byte after odd data; a `groesse` of 0 or
// more is written as the size instead of the data's.
Bytes Bau_Chunk(const char* kennung, const Bytes& daten, int64_t groesse = -1);
// A RIFF chunk of form type "WAVE" around the sub-chunks.
Bytes Bau_Riff(const Bytes& chunks, int64_t groesse = -1);
// The 16 bytes of a "fmt " chunk; art 1 is PCM.
Bytes Bau_Pcm(uint16_t kanaele, uint32_t rate, uint16_t bits, uint16_t art = 1);
// "fmt " then "data".
Bytes Bau_Wave(const Bytes& format, const Bytes& samples);

// Looks for the RIFF "WAVE" chunk at `start`, then for the first
// sub-chunk `kennung` inside it, never past the RIFF chunk or the data:
// where its data begins and what its size field says.
bool Bau_Chunk_finden(const uint8_t* daten, size_t laenge, size_t start, const char* kennung, uint64_t* position,
                      uint32_t* groesse);

// ---------------------------------------------------------- high scores

struct BauEintrag {
    int32_t iPunkte;
    std::string name;   // cut to its 20 bytes; the rest zero
};

struct BauPunkteliste {
    std::string version = HIGHSCORE_VERSION;   // cut or padded with NUL to the version block
    // Year, month, day of the week, day, hour, minute, second, milliseconds.
    uint16_t wZeit[8] = {2024, 5, 3, 16, 20, 12, 34, 999};
    std::vector<BauEintrag> eintraege;   // at most ten; missing ones stay zero
};

Bytes Bau_Punkteliste(const BauPunkteliste& p);

#endif
