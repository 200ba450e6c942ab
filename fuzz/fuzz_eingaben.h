// How the fuzz inputs are laid out: the targets read them this way and
// the seed generator writes them this way.
#ifndef GLUBBERSHOOT_FUZZ_EINGABEN_H
#define GLUBBERSHOOT_FUZZ_EINGABEN_H

// Every surface size a picture of "Grafik.dat" is loaded onto.
struct FuzzFlaeche {
    int iBreite, iHoehe;
};
static const FuzzFlaeche FUZZ_FLAECHEN[] = {
    {48, 32}, {96, 64},   {200, 112}, {160, 192},  {152, 88},   {32, 128},
    {96, 96}, {312, 352}, {920, 152}, {1024, 768}, {2048, 448},
};
enum { FUZZ_FLAECHEN_ANZAHL = sizeof(FUZZ_FLAECHEN) / sizeof(FUZZ_FLAECHEN[0]) };

// Picture: byte 0 the sector (modulo FUZZ_BILD_SEKTOREN, so a few lie
// past the loader's bound), byte 1 the surface (low four bits, modulo the
// count) and the flags below, then the archive.
enum {
    FUZZ_BILD_SEKTOREN = 44,
    FUZZ_BILD_PALETTE = 0x10,
    FUZZ_BILD_SPIEGELN = 0x20,
    FUZZ_BILD_BREIT = 0x40,   // surface rows wider than the picture
    FUZZ_BILD_KOPF = 2,
};

// Sound: byte 0 the sector (modulo FUZZ_SOUND_SEKTOREN), then the archive.
enum { FUZZ_SOUND_SEKTOREN = 24, FUZZ_SOUND_KOPF = 1 };

// High scores: the points (4 bytes) and name (16 bytes, up to the first
// NUL) of the entry made after reading, then "Score.dat" itself; no
// bytes after the name stand for a missing file.
enum { FUZZ_SCORE_NAME = 16, FUZZ_SCORE_KOPF = 4 + FUZZ_SCORE_NAME };

#endif
