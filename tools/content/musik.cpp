// The five loose wave files: short tunes from a tiny sequencer. Notes are
// written "C5:4" (name and length in sixteenths), rests "R:4", bars
// separated by '|' for reading only.
#include <cstring>

#include "inhalt.h"

namespace {

typedef std::vector<float> Puffer;

enum { LEAD, BASS, ZUPF, FLAECHE };

void Instrument(Puffer& s, int art, double t, double lang, double f, double laut) {
    switch (art) {
        case LEAD:
            Ton_mischen(s, t, lang, f, f, WELLE_RECHTECK, laut * 0.5, 0.01, 0.25 + lang * 0.4, lang > 0.4 ? 0.006 : 0);
            Ton_mischen(s, t, lang, f, f, WELLE_SINUS, laut * 0.5, 0.01, 0.3 + lang * 0.4);
            break;
        case BASS:
            Ton_mischen(s, t, lang, f, f, WELLE_DREIECK, laut, 0.005, 0.35);
            break;
        case ZUPF:
            Ton_mischen(s, t, lang, f, f, WELLE_SINUS, laut, 0.002, 0.12);
            Ton_mischen(s, t, lang, f * 2, f * 2, WELLE_DREIECK, laut * 0.2, 0.002, 0.05);
            break;
        default:
            Ton_mischen(s, t, lang, f, f, WELLE_SAEGE, laut * 0.35, lang * 0.3, 0, 0.003);
            break;
    }
}

// Plays a note line; returns the time after its last note.
double Melodie(Puffer& s, double start, double schritt, const char* noten, int art, double laut) {
    double t = start;
    const char* p = noten;
    while (*p) {
        while (*p == ' ' || *p == '|') p++;
        if (!*p) break;
        char name[8] = {0};
        int n = 0;
        while (*p && *p != ':' && n < 7) name[n++] = *p++;
        int laenge = 1;
        if (*p == ':') {
            laenge = 0;
            for (p++; *p >= '0' && *p <= '9'; p++) laenge = laenge * 10 + (*p - '0');
        }
        while (*p && *p != ' ' && *p != '|') p++;
        double f = Note_frequenz(name);
        double dauer = laenge * schritt;
        if (f > 0) Instrument(s, art, t, dauer * 0.95, f, laut);
        t += dauer;
    }
    return t;
}

void Schlagzeug(Puffer& s, double start, double schritt, const char* muster, int wiederholen, double laut) {
    size_t n = strlen(muster);
    uint32_t saat = 900;
    for (int w = 0; w < wiederholen; w++)
        for (size_t i = 0; i < n; i++) {
            double t = start + (w * n + i) * schritt;
            char c = muster[i];
            if (c == 'K' || c == 'X') Ton_mischen(s, t, 0.18, 130, 42, WELLE_SINUS, laut, 0.002, 0.06);
            if (c == 'S') {
                Rauschen_mischen(s, t, 0.16, laut * 0.6, 5000, 2500, 0.001, 0.05, saat++);
                Ton_mischen(s, t, 0.08, 220, 180, WELLE_SINUS, laut * 0.3, 0.001, 0.03);
            }
            if (c == 'h' || c == 'X') Rauschen_mischen(s, t, 0.04, laut * 0.25, 9000, 9000, 0.001, 0.01, saat++);
        }
}

// Broken chords, one chord a bar ("C", "Am", "F#m" ...), in sixteenths.
void Arpeggien(Puffer& s, double start, double schritt, const char* akkorde, int oktave, double laut) {
    static const int muster[8] = {0, 1, 2, 3, 2, 1, 2, 1};
    double t = start;
    const char* p = akkorde;
    while (*p) {
        while (*p == ' ') p++;
        if (!*p) break;
        char wurzel[4] = {0};
        int n = 0;
        wurzel[n++] = *p++;
        if (*p == '#' || *p == 'b') wurzel[n++] = *p++;
        bool moll = *p == 'm';
        if (moll) p++;
        char name[8];
        snprintf(name, sizeof(name), "%s%d", wurzel, oktave);
        double f = Note_frequenz(name);
        double terz = moll ? 1.189207115 : 1.259921050, quinte = 1.498307077;
        double toene[4] = {f, f * terz, f * quinte, f * 2};
        for (int i = 0; i < 16; i++) Instrument(s, ZUPF, t + i * schritt, schritt * 1.8, toene[muster[i % 8]], laut);
        t += 16 * schritt;
    }
}

// One voice of a tune, mixed in the order listed: a note line for an
// instrument, broken chords (one a bar) or a drum pattern played `mal`
// times, starting `ab` sixteenths in.
enum { NOTEN, AKKORDE, TROMMEL };
struct Stimme {
    int art;
    const char* text;
    int instrument;   // NOTEN: the instrument; AKKORDE: the octave; TROMMEL: how often
    double laut;
    int ab;
};

struct Stueck {
    const char* datei;
    int tempo;           // quarter notes a minute
    double sekunden;     // 0: as long as its notes; else cut or padded to this
    Stimme stimmen[8];   // up to the first without text
};

const Stueck STUECKE[] = {
    {"start.wav",
     132,
     0,
     {{NOTEN,
       "C5:2 E5:2 G5:2 C6:2 B5:2 G5:2 E5:2 G5:2 | A5:2 F5:2 D5:2 F5:2 A5:4 G5:4 |"
       "E5:2 G5:2 C6:2 E6:2 D6:2 C6:2 B5:2 G5:2 | C6:4 G5:2 E5:2 C5:8",
       LEAD, 0.5, 0},
      {NOTEN, "C3:4 G3:4 C3:4 G3:4 | F3:4 C4:4 G3:4 B2:4 | C3:4 G3:4 A2:4 E3:4 | F2:4 G2:4 C3:8", BASS, 0.6, 0},
      {TROMMEL, "K.h.S.h.K.h.S.h.", 3, 0.6, 0},
      {TROMMEL, "K.h.S.h.K.S.S.K.", 1, 0.6, 48}}},
    {"main.wav",
     120,
     0,
     {{NOTEN,
       "G4:2 C5:2 E5:2 C5:2 G4:2 C5:2 E5:4 | F5:2 E5:2 D5:2 C5:2 D5:4 G4:4 |"
       "A4:2 D5:2 F5:2 D5:2 A4:2 D5:2 F5:4 | G5:2 F5:2 E5:2 D5:2 E5:4 C5:4 |"
       "A5:2 G5:2 F5:2 E5:2 D5:2 C5:2 B4:2 A4:2 | G4:2 B4:2 D5:2 F5:2 E5:4 C5:4",
       LEAD, 0.5, 0},
      {NOTEN,
       "C3:4 C3:4 G2:4 G2:4 | F2:4 F2:4 G2:4 G2:4 | D3:4 D3:4 A2:4 A2:4 | G2:4 G2:4 C3:4 C3:4 |"
       "F2:4 F2:4 D3:4 D3:4 | G2:4 G2:4 C3:8",
       BASS, 0.6, 0},
      {AKKORDE, "C G Dm C F C", 4, 0.12, 0},
      {TROMMEL, "K.h.S.h.K.K.S.h.", 6, 0.5, 0}}},
    {"win.wav",
     120,
     0,
     {{NOTEN, "G4:2 G4:1 G4:1 C5:4 E5:2 E5:1 E5:1 G5:4 | A5:2 G5:2 F5:2 E5:2 D5:2 E5:2 F5:4 | E5:2 G5:2 C6:12", LEAD,
       0.55, 0},
      {NOTEN, "C3:8 C3:8 | F2:8 G2:8 | C3:16", BASS, 0.6, 0},
      {NOTEN, "E4:16 | F4:8 G4:8 | E4:16", FLAECHE, 0.4, 0},
      {NOTEN, "C4:16 | A3:8 B3:8 | G4:16", FLAECHE, 0.3, 0},
      {TROMMEL, "K.hhS.h.K.hhS.SS", 2, 0.6, 0},
      {TROMMEL, "X...............", 1, 0.6, 32}}},
    {"lose.wav",
     84,
     0,
     {{NOTEN, "A4:4 G4:4 F4:4 E4:4 | D4:4 E4:2 F4:2 E4:8 | D4:4 C4:4 B3:4 A3:12", LEAD, 0.5, 0},
      {NOTEN, "A2:8 F2:8 | D2:8 E2:8 | F2:8 E2:4 A2:12", BASS, 0.6, 0},
      {NOTEN, "C4:8 A3:8 | F3:8 G#3:8 | A3:8 G#3:4 C4:12", FLAECHE, 0.35, 0}}},
    // 20 bars of 2 s: 40 s for the credits' scroll.
    {"credits.wav",
     120,
     40.0,
     {{NOTEN,
       "E5:4 G5:4 C6:4 G5:4 | A5:6 G5:2 E5:8 | F5:4 A5:4 C6:4 A5:4 | G5:6 F5:2 D5:8 |"
       "E5:2 F5:2 G5:4 E5:2 D5:2 C5:4 | A4:4 C5:4 E5:8 | F5:2 E5:2 D5:4 A5:4 F5:4 | G5:12 R:4 |"
       "A5:4 C6:4 A5:4 F5:4 | G5:4 B5:4 D6:8 | E5:4 G5:4 B5:4 G5:4 | A5:8 E5:8 |"
       "F5:2 G5:2 A5:4 C6:4 A5:4 | B5:4 G5:4 D5:8 | C6:4 G5:4 E5:4 G5:4 | C6:16 |"
       "A5:4 F5:4 C5:8 | B5:4 G5:4 D5:8 | C6:8 G5:8 | C6:16",
       LEAD, 0.45, 0},
      {AKKORDE, "C Am F G C Am F G F G Em Am F G C C F G C C", 4, 0.16, 0},
      {NOTEN,
       "C3:8 C3:8 | A2:8 A2:8 | F2:8 F2:8 | G2:8 G2:8 | C3:8 C3:8 | A2:8 A2:8 | F2:8 F2:8 | G2:8 G2:8 |"
       "F2:8 F2:8 | G2:8 G2:8 | E2:8 E2:8 | A2:8 A2:8 | F2:8 F2:8 | G2:8 G2:8 | C3:8 C3:8 | C3:8 G2:8 |"
       "F2:8 F2:8 | G2:8 G2:8 | C3:16 | C3:16",
       BASS, 0.55, 0},
      {TROMMEL, "K.h.S.h.K.h.S.h.", 8, 0.45, 0},
      {TROMMEL, "K.h.S.hKK.h.S.hh", 8, 0.5, 8 * 16},
      {TROMMEL, "K.h.S.h.K.h.S.S.", 2, 0.5, 16 * 16},
      {TROMMEL, "X...............", 1, 0.5, 18 * 16}}},
};

Puffer Spielen(const Stueck& st) {
    Puffer s;
    const double q = 60.0 / st.tempo / 4;   // a sixteenth
    for (const Stimme& v : st.stimmen) {
        if (!v.text) break;
        const double start = v.ab * q;
        if (v.art == NOTEN)
            Melodie(s, start, q, v.text, v.instrument, v.laut);
        else if (v.art == AKKORDE)
            Arpeggien(s, start, q, v.text, v.instrument, v.laut);
        else
            Schlagzeug(s, start, q, v.text, v.instrument, v.laut);
    }
    if (st.sekunden > 0) s.resize((size_t)(st.sekunden * KLANG_RATE), 0.0f);
    return s;
}

}   // namespace

std::vector<int16_t> Musik_erzeugen(const std::string& datei) {
    // Any other name gets the credits' tune, as the last entry.
    const Stueck* st = &STUECKE[sizeof STUECKE / sizeof STUECKE[0] - 1];
    for (const Stueck& k : STUECKE)
        if (datei == k.datei) st = &k;
    Puffer s = Spielen(*st);
    s.resize(s.size() + KLANG_RATE / 4, 0.0f);   // a short breath of silence at the end
    return Klang_fertig(s, 0.8);
}
