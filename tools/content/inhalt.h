// The content generator: every picture and sound of the game, drawn and
// synthesised by our own code. Everything here is deterministic: the same
// source gives the same bytes on every run (own random generator, own
// sine and exponential, no clock, no locale).
#ifndef GLUBBERSHOOT_INHALT_H
#define GLUBBERSHOOT_INHALT_H

#include <cstdint>
#include <string>
#include <vector>

// ------------------------------------------------------------- pictures

// An 8-bit picture, top row first (the BMP writer turns it bottom-up).
struct Bild {
    int iBreite = 0;
    int iHoehe = 0;
    std::vector<uint8_t> px;
};

Bild Bild_neu(int breite, int hoehe, uint8_t farbe);
void Punkt_setzen(Bild& b, int x, int y, uint8_t farbe);   // clipped
uint8_t Punkt_lesen(const Bild& b, int x, int y);          // 255 outside
// Copies src onto dst at (x, y), skipping index 255.
void Bild_einsetzen(Bild& dst, const Bild& src, int x, int y);
// The same, scaled by a whole factor (nearest neighbour).
void Bild_einsetzen_skaliert(Bild& dst, const Bild& src, int x, int y, int faktor);
Bild Bild_gespiegelt(const Bild& b);

// ------------------------------------------------------------- palette

struct Farbe {
    uint8_t r, g, b;
};
extern Farbe Palette[256];
void Palette_anlegen(void);

// Fixed indices the game relies on.
enum {
    F_SCHWARZ = 0,          // the font's separator lines
    F_MITTAG = 110,         // midday sky
    F_TAG = 111,            // morning and afternoon sky
    F_MORGEN = 120,         // dawn and dusk sky
    F_SCHRIFT_HELL = 161,   // highlighted letters
    F_DAEMMERUNG = 240,     // twilight sky
    F_SCHRIFT = 251,        // letters
    F_UMRISS = 252,         // near-black outline, never 0 (0 marks font cells)
    F_WEISS = 253,
    F_KNALL = 254,         // pure bright yellow
    F_TRANSPARENT = 255,   // also the night sky
};

// Colour ramps, dark to light. Rampe(r, s) gives the index of step s,
// clamped to the ramp.
enum {
    R_GRAU,
    R_GRUEN,
    R_ERDE,
    R_ROT,
    R_GELB,
    R_BLAU,
    R_LILA,
    R_TUERKIS,
    R_HAUT,
    R_MINZE,
    R_GOLD,
    R_MAGENTA,
    R_STEIN,
    R_FERNE,
    R_HIMMEL,
    R_NACHT,
    R_ANZAHL
};
int Rampe(int rampe, int stufe);

// ------------------------------------------------------------- drawing

float Bayer(int x, int y);   // ordered dither threshold, 0..1

// Shape tests take pixel centres; colour functions give an index.
template <class Form, class Faerben>
void Malen(Bild& b, int x0, int y0, int x1, int y1, Form form, Faerben farbe) {
    if (x0 < 0) x0 = 0;
    if (y0 < 0) y0 = 0;
    if (x1 > b.iBreite - 1) x1 = b.iBreite - 1;
    if (y1 > b.iHoehe - 1) y1 = b.iHoehe - 1;
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++)
            if (form(x + 0.5f, y + 0.5f)) b.px[(size_t)y * b.iBreite + x] = (uint8_t)farbe(x, y);
}

// Dithered step of a ramp for a fractional level.
int Rampe_gemischt(int rampe, float stufe, int x, int y);

void Rechteck_fuellen(Bild& b, int x0, int y0, int x1, int y1, int farbe);   // inclusive
void Ellipse_fuellen(Bild& b, float cx, float cy, float rx, float ry, int farbe);
// A lit ball: light from the upper left, ramp steps lo..hi.
void Kugel_malen(Bild& b, float cx, float cy, float rx, float ry, int rampe, float lo, float hi);
void Linie_malen(Bild& b, float x0, float y0, float x1, float y1, float dicke, int farbe);
// Even-odd fill of a closed polygon (xy pairs).
void Polygon_fuellen(Bild& b, const std::vector<float>& xy, int farbe);
// Rings every opaque area with the colour (4-neighbours).
void Umriss_ziehen(Bild& b, int farbe);
// Vertical dithered ramp over a rectangle.
void Verlauf_malen(Bild& b, int x0, int y0, int x1, int y1, int rampe, float oben, float unten);
void Auge_malen(Bild& b, float cx, float cy, float r, float blick_x, float blick_y);
void Lid_malen(Bild& b, float cx, float cy, float r, int rampe);   // a closed eye
void Kreuzauge_malen(Bild& b, float cx, float cy, float r);

// An upright cylinder lit from the left.
void Zylinder_malen(Bild& b, int x0, int y0, int x1, int y1, int rampe, float lo, float hi);
// A grinning mouth: the lower half of an ellipse, with a tongue.
void Mund_malen(Bild& b, float cx, float cy, float rx, float ry);
std::vector<float> Stern_form(float cx, float cy, float aussen, float innen, int zacken, float drehung);
void Stern_malen(Bild& b, float cx, float cy, float aussen, float innen, int zacken, float drehung, int farbe);
// Little stars circling a dazed head.
void Benommen_malen(Bild& b, float cx, float cy, float rx, float ry, int anzahl, float groesse);

// Smooth value noise 0..1 with features about `skala` pixels apart.
float Rauschen(float x, float y, float skala, int saat);
// A round tree: trunk and a crown of lit blobs; (x, y) is the foot.
void Baum_malen(Bild& b, float x, float y, float hoehe, int saat);
// A bush of a few lit blobs, its base centred at (x, y).
void Busch_malen(Bild& b, float x, float y, float breite, float hoehe, int saat);

// ------------------------------------------------------------- text

// Lettering for pictures: a mask (1 = ink) of the text at about the pixel
// height, from the TrueType font when there is one, else from our pixel font.
Bild Text_maske(const std::string& text, int hoehe);
// Writes a mask onto a picture: ink in colour, ringed by the outline
// colour, with a drop shadow of that colour `schatten` pixels deep.
void Maske_einsetzen(Bild& dst, const Bild& maske, int x, int y, int farbe, int umriss, int schatten);
// The same with the ink as a vertical ramp from step oben to step unten.
void Maske_einsetzen_verlauf(Bild& dst, const Bild& maske, int x, int y, int rampe, float oben, float unten, int umriss,
                             int schatten);
// The font picture (920 x 152).
Bild Schrift_erzeugen(void);
void Schrift_datei_setzen(const std::string& datei);   // "" = pixel font only

// The fallback pixel font: rows of up to 5 cells ('#' ink) separated by
// '/', 9 rows from the top (caps on rows 0..6, descenders on 7..8); null
// for characters it lacks.
const char* Pixelzeichen(unsigned char c);

// ------------------------------------------------------------- content

Bild Spielfeld_malen(void);              // 2048 x 448
Bild Flieger_malen(int art, int bild);   // kinds 0..2, frames 0..4
Bild Steiger_malen(int bild);            // 160 x 192
Bild Versteck_malen(int bild);           // 152 x 88
Bild Patrone_malen(void);                // 32 x 128
Bild Einschuss_malen(void);              // 96 x 96
Bild Rundenbild_malen(int nummer);       // 312 x 352, 0..3
Bild Titel_malen(void);                  // 1024 x 768 each
Bild Menue_malen(void);
Bild Bestenliste_malen(bool rekord);
Bild Abspann_malen(void);

// Every sector of "Grafik.dat": sector number and picture.
struct GrafikSektor {
    int iSektor;
    Bild bild;
    std::string name;
};
std::vector<GrafikSektor> Grafiken_erzeugen(void);

// ------------------------------------------------------------- files

std::vector<uint8_t> Bmp_kodieren(const Bild& b);
std::vector<uint8_t> Wav_kodieren(const std::vector<int16_t>& samples, int rate);
// Sectors back to back, then the 544-byte index. Entry i is sector i; an
// empty entry leaves its slot zero.
std::vector<uint8_t> PackFile_bauen(const std::vector<std::vector<uint8_t>>& sektoren, int typ);
bool Datei_schreiben(const std::string& pfad, const std::vector<uint8_t>& daten);

bool Kontaktbogen_schreiben(const std::string& ziel, const std::vector<GrafikSektor>& bilder);

// ------------------------------------------------------------- sound

enum { KLANG_RATE = 22050 };
enum { WELLE_SINUS, WELLE_RECHTECK, WELLE_SAEGE, WELLE_DREIECK };

// Synthesis on float buffers in -1..1 (times in seconds). A tone glides
// exponentially from f0 to f1, rises over `anschlag` and then decays with
// the time constant `abkling` (0: holds), fading out in its last 5 ms.
void Ton_mischen(std::vector<float>& s, double start, double dauer, double f0, double f1, int welle, double laut,
                 double anschlag, double abkling, double vibrato = 0);
// Noise through a low-pass whose corner glides from hz0 to hz1.
void Rauschen_mischen(std::vector<float>& s, double start, double dauer, double laut, double hz0, double hz1,
                      double anschlag, double abkling, uint32_t saat);
// Scales the peak to `spitze` (0..1) and converts to 16-bit samples.
std::vector<int16_t> Klang_fertig(const std::vector<float>& s, double spitze);
// Note names "C4", "F#5", "Bb3" to frequencies; "R" is a rest (0).
double Note_frequenz(const std::string& name);
std::vector<int16_t> Effekt_erzeugen(int sektor);                // Sound.dat sectors 0..20
std::vector<int16_t> Musik_erzeugen(const std::string& datei);   // "start.wav" ...

// ------------------------------------------------------------- maths

// Own sine, cosine and exponential from plain arithmetic, so no library
// rounding can change a byte.
double Sinus(double x);
double Cosinus(double x);
double Expo(double x);
double Logarithmus(double x);
double Wurzel(double x);
const double PI = 3.14159265358979323846;

// Own random generator (a 32-bit linear congruential one).
void Zufall_setzen(uint32_t saat);
uint32_t Zufall(void);
int Zufall_bis(int n);     // 0..n-1
float Zufall_eins(void);   // 0..1

#endif
