// The one palette of every picture. Sprites are shown with whatever palette
// the last background set, so all pictures share it. A few indices are
// fixed by the game (sky colours by the hour, the font's colours, the
// transparent colour); the rest are colour ramps, dark to light.
#include "inhalt.h"

Farbe Palette[256];

struct RampenPlan {
    int iErster;
    int iAnzahl;
    int iSchluessel;   // key colours spread evenly over the ramp
    Farbe schluessel[4];
};

// Kept clear of 0, 110, 111, 120, 161, 240 and 251..255.
static const RampenPlan rampen[R_ANZAHL] = {
    {1, 15, 3, {{14, 12, 20}, {110, 108, 120}, {248, 248, 244}}},                     // R_GRAU
    {16, 16, 4, {{10, 34, 16}, {40, 96, 32}, {110, 170, 50}, {214, 236, 120}}},       // R_GRUEN
    {32, 16, 4, {{30, 16, 10}, {96, 56, 28}, {168, 112, 58}, {238, 204, 150}}},       // R_ERDE
    {48, 16, 4, {{40, 6, 10}, {140, 20, 26}, {222, 60, 48}, {255, 176, 160}}},        // R_ROT
    {64, 16, 4, {{76, 36, 6}, {200, 110, 20}, {250, 190, 40}, {255, 248, 170}}},      // R_GELB
    {80, 16, 4, {{8, 16, 60}, {30, 70, 170}, {80, 150, 236}, {210, 240, 255}}},       // R_BLAU
    {96, 14, 4, {{30, 10, 50}, {90, 40, 140}, {160, 100, 210}, {230, 200, 250}}},     // R_LILA
    {112, 8, 3, {{10, 50, 60}, {40, 150, 160}, {180, 240, 236}}},                     // R_TUERKIS
    {121, 16, 4, {{70, 24, 34}, {190, 90, 100}, {246, 160, 150}, {255, 228, 214}}},   // R_HAUT
    {137, 16, 4, {{8, 44, 36}, {30, 130, 90}, {100, 210, 140}, {220, 255, 210}}},     // R_MINZE
    {153, 8, 3, {{90, 60, 10}, {210, 160, 50}, {255, 240, 170}}},                     // R_GOLD
    {162, 16, 4, {{50, 6, 40}, {150, 30, 120}, {232, 90, 190}, {255, 200, 240}}},     // R_MAGENTA
    {178, 16, 3, {{34, 38, 50}, {120, 126, 140}, {226, 228, 232}}},                   // R_STEIN
    {194, 16, 3, {{48, 78, 96}, {104, 142, 140}, {186, 210, 196}}},                   // R_FERNE
    {210, 30, 4, {{24, 22, 70}, {110, 60, 130}, {236, 120, 110}, {255, 214, 150}}},   // R_HIMMEL
    {241, 10, 2, {{4, 6, 24}, {40, 50, 110}}},                                        // R_NACHT
};

int Rampe(int rampe, int stufe) {
    const RampenPlan& r = rampen[rampe];
    if (stufe < 0) stufe = 0;
    if (stufe > r.iAnzahl - 1) stufe = r.iAnzahl - 1;
    return r.iErster + stufe;
}

static uint8_t Mischen(uint8_t a, uint8_t b, int zaehler, int nenner) {
    return (uint8_t)((a * (nenner - zaehler) + b * zaehler + nenner / 2) / nenner);
}

void Palette_anlegen(void) {
    for (int i = 0; i < 256; i++) Palette[i] = {255, 0, 255};   // unused: loud, so a stray use shows
    for (int k = 0; k < R_ANZAHL; k++) {
        const RampenPlan& r = rampen[k];
        int abschnitte = r.iSchluessel - 1;
        for (int s = 0; s < r.iAnzahl; s++) {
            // Position along the key colours in 1/1000 steps.
            int pos = r.iAnzahl > 1 ? s * 1000 * abschnitte / (r.iAnzahl - 1) : 0;
            int a = pos / 1000;
            if (a >= abschnitte) a = abschnitte - 1;
            int rest = pos - a * 1000;
            const Farbe& f0 = r.schluessel[a];
            const Farbe& f1 = r.schluessel[a + 1];
            Palette[r.iErster + s] = {Mischen(f0.r, f1.r, rest, 1000), Mischen(f0.g, f1.g, rest, 1000),
                                      Mischen(f0.b, f1.b, rest, 1000)};
        }
    }
    Palette[F_SCHWARZ] = {0, 0, 0};
    Palette[F_MITTAG] = {96, 164, 242};
    Palette[F_TAG] = {132, 186, 236};
    Palette[F_MORGEN] = {236, 156, 124};
    Palette[F_SCHRIFT_HELL] = {255, 132, 28};
    Palette[F_DAEMMERUNG] = {66, 58, 128};
    Palette[F_SCHRIFT] = {255, 242, 176};
    Palette[F_UMRISS] = {18, 12, 30};
    Palette[F_WEISS] = {255, 255, 255};
    Palette[F_KNALL] = {255, 236, 40};
    Palette[F_TRANSPARENT] = {18, 22, 62};
}
