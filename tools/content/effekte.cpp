// The 21 sound effects of "Sound.dat", by sector. The shot and the reload
// set the gun's rate of fire (no shot while either still plays), so their
// lengths are fixed: 300 ms and 700 ms.
#include "audio/effekte.h"
#include "inhalt.h"

namespace {

typedef std::vector<float> Puffer;

void Glocke(Puffer& s, double start, double f, double dauer, double laut) {
    Ton_mischen(s, start, dauer, f, f, WELLE_SINUS, laut, 0.003, dauer * 0.3);
    Ton_mischen(s, start, dauer * 0.6, f * 2.0, f * 2.0, WELLE_SINUS, laut * 0.35, 0.002, dauer * 0.12);
    Ton_mischen(s, start, dauer * 0.4, f * 3.01, f * 3.01, WELLE_SINUS, laut * 0.15, 0.002, dauer * 0.08);
}

void Arpeggio(Puffer& s, const char* const* noten, int anzahl, double schritt, double laut) {
    for (int i = 0; i < anzahl; i++) {
        double f = Note_frequenz(noten[i]);
        bool letzte = i == anzahl - 1;
        Glocke(s, i * schritt, f, letzte ? 0.6 : schritt * 2.5, laut);
        Ton_mischen(s, i * schritt, letzte ? 0.5 : schritt * 1.5, f, f, WELLE_RECHTECK, laut * 0.25, 0.004,
                    letzte ? 0.2 : schritt);
    }
}

Puffer Schuss(void) {
    Puffer s(KLANG_RATE * 3 / 10, 0.0f);   // exactly 300 ms
    Rauschen_mischen(s, 0, 0.30, 1.0, 7000, 250, 0.001, 0.055, 101);
    Ton_mischen(s, 0, 0.22, 140, 38, WELLE_SINUS, 0.9, 0.002, 0.07);
    Rauschen_mischen(s, 0, 0.03, 0.5, 9000, 9000, 0.0005, 0.006, 102);   // the crack
    s.resize(KLANG_RATE * 3 / 10);
    return s;
}

// Metal on metal: a short bright noise tick with a ringing ping.
void Klacken(Puffer& s, double t, double laut, uint32_t saat) {
    Rauschen_mischen(s, t, 0.04, laut, 9000, 5000, 0.0005, 0.008, saat);
    Ton_mischen(s, t, 0.06, 3100, 2900, WELLE_SINUS, laut * 0.3, 0.001, 0.015);
}

Puffer Laden(void) {
    Puffer s(KLANG_RATE * 7 / 10, 0.0f);   // exactly 700 ms
    // Pump back, shells dropping in, pump forward.
    Rauschen_mischen(s, 0.00, 0.14, 0.7, 1800, 900, 0.01, 0.05, 201);
    Klacken(s, 0.10, 0.8, 202);
    for (int i = 0; i < 4; i++) Klacken(s, 0.22 + 0.055 * i, 0.35, 210 + i);
    Rauschen_mischen(s, 0.48, 0.12, 0.7, 1200, 2200, 0.01, 0.04, 203);
    Klacken(s, 0.58, 1.0, 204);
    Ton_mischen(s, 0.58, 0.1, 180, 120, WELLE_SINUS, 0.5, 0.002, 0.03);
    s.resize(KLANG_RATE * 7 / 10);
    return s;
}

Puffer Erzeugen(int sektor) {
    Puffer s;
    switch (sektor) {
        case SND_BONUS_3: {   // three hits in one shot
            static const char* const n[] = {"C6", "E6", "G6", "C7"};
            Arpeggio(s, n, 4, 0.08, 0.5);
            break;
        }
        case SND_TREFFER_VERSTECK:   // the hider hit: boing down and a ding
            Ton_mischen(s, 0, 0.45, 900, 160, WELLE_SINUS, 0.8, 0.003, 0.2, 0.06);
            Glocke(s, 0.02, 1760, 0.5, 0.35);
            Rauschen_mischen(s, 0, 0.05, 0.5, 3000, 800, 0.001, 0.015, 301);
            break;
        case SND_UMGEBUNG_2:   // wind gust
            Rauschen_mischen(s, 0, 2.8, 0.9, 300, 900, 1.1, 0, 401);
            Rauschen_mischen(s, 0.8, 1.8, 0.4, 1200, 500, 0.6, 0.8, 402);
            Ton_mischen(s, 0.6, 1.6, 620, 540, WELLE_SINUS, 0.05, 0.7, 0.6, 0.02);
            break;
        case SND_LEER:   // empty gun: a dry click
            Klacken(s, 0, 0.9, 501);
            Ton_mischen(s, 0, 0.05, 900, 700, WELLE_RECHTECK, 0.12, 0.001, 0.008);
            s.resize(KLANG_RATE * 8 / 100, 0.0f);
            break;
        case SND_LOS_1:   // "Shot!": a bright chord
            for (const char* n : {"C5", "E5", "G5", "C6"})
                Ton_mischen(s, 0, 0.7, Note_frequenz(n) * 0.97, Note_frequenz(n), WELLE_RECHTECK, 0.22, 0.01, 0.35,
                            0.01);
            break;
        case SND_TICK:   // tick
            Ton_mischen(s, 0, 0.06, 1500, 1400, WELLE_SINUS, 0.8, 0.001, 0.015);
            Rauschen_mischen(s, 0, 0.01, 0.4, 6000, 6000, 0.0005, 0.003, 601);
            break;
        case SND_LOS_2:   // "Shot!": a crash under the chord
            Rauschen_mischen(s, 0, 0.9, 0.8, 8000, 3000, 0.002, 0.3, 701);
            Ton_mischen(s, 0, 0.25, 110, 50, WELLE_SINUS, 0.7, 0.002, 0.08);
            break;
        case SND_TREFFER_STEIGER:   // the riser hit: a low bonk with a wobble
            Ton_mischen(s, 0, 0.5, 320, 70, WELLE_SINUS, 0.9, 0.002, 0.18, 0.08);
            Ton_mischen(s, 0, 0.3, 640, 140, WELLE_DREIECK, 0.3, 0.002, 0.08);
            Rauschen_mischen(s, 0, 0.08, 0.6, 2500, 400, 0.001, 0.025, 801);
            break;
        case SND_VERSTECK_KOMMT:   // the hider pops up
            Ton_mischen(s, 0, 0.16, 220, 950, WELLE_SINUS, 0.8, 0.004, 0.08);
            Rauschen_mischen(s, 0, 0.02, 0.5, 5000, 2000, 0.0005, 0.005, 901);
            Ton_mischen(s, 0.12, 0.12, 1100, 1300, WELLE_SINUS, 0.3, 0.004, 0.04);
            break;
        case SND_TREFFER_FLIEGER:   // a flyer hit: splat and squawk
            Rauschen_mischen(s, 0, 0.12, 0.8, 4000, 600, 0.001, 0.04, 1001);
            Ton_mischen(s, 0.01, 0.28, 1300, 280, WELLE_RECHTECK, 0.35, 0.003, 0.1, 0.05);
            break;
        case SND_BONUS_4: {   // four or more in one shot
            static const char* const n[] = {"C6", "E6", "G6", "C7", "E7", "G7"};
            Arpeggio(s, n, 6, 0.07, 0.5);
            for (int i = 0; i < 6; i++) Glocke(s, 0.42 + 0.05 * i, Note_frequenz(i % 2 ? "E7" : "G7"), 0.2, 0.2);
            break;
        }
        case SND_STEIGER_KOMMT:   // the riser comes: a slide whistle over a rumble
            Ton_mischen(s, 0, 0.75, 300, 1200, WELLE_SINUS, 0.6, 0.05, 0, 0.03);
            Rauschen_mischen(s, 0, 0.75, 0.5, 200, 400, 0.1, 0.4, 1201);
            break;
        case SND_BONUS_2: {   // two in one shot
            static const char* const n[] = {"G6", "C7"};
            Arpeggio(s, n, 2, 0.09, 0.5);
            break;
        }
        case SND_COUNTDOWN_EINS:   // "-1-": the high beep over the countdown beep
            Ton_mischen(s, 0, 0.25, 1320, 1320, WELLE_RECHTECK, 0.4, 0.005, 0.12);
            break;
        case SND_LADEN:
            return Laden();
        case SND_SCHUSS:
            return Schuss();
        case SND_COUNTDOWN:   // countdown beep
            Ton_mischen(s, 0, 0.2, 880, 880, WELLE_RECHTECK, 0.45, 0.005, 0.1);
            Ton_mischen(s, 0, 0.2, 880, 880, WELLE_SINUS, 0.4, 0.005, 0.1);
            break;
        case SND_REKORD: {   // a new record: fanfare
            static const char* const n[] = {"G4", "C5", "E5", "G5", "E5", "G5"};
            static const double lang[] = {0.15, 0.15, 0.15, 0.45, 0.15, 1.0};
            double t = 0;
            for (int i = 0; i < 6; i++) {
                double f = Note_frequenz(n[i]);
                Ton_mischen(s, t, lang[i] + 0.05, f, f, WELLE_SAEGE, 0.4, 0.02, i == 5 ? 0.6 : 0, 0.012);
                Ton_mischen(s, t, lang[i] + 0.05, f * 0.5, f * 0.5, WELLE_RECHTECK, 0.15, 0.02, i == 5 ? 0.6 : 0);
                t += lang[i];
            }
            Rauschen_mischen(s, t - 1.0, 1.0, 0.25, 7000, 4000, 0.002, 0.4, 1701);
            break;
        }
        case SND_TASTE:   // key blip
            Ton_mischen(s, 0, 0.045, 1000, 1200, WELLE_RECHTECK, 0.35, 0.002, 0.02);
            break;
        case SND_KEIN_REKORD: {   // no record (and the quit prompt): wah, wah, wah, waaah
            static const char* const n[] = {"G3", "F#3", "F3", "E3"};
            for (int i = 0; i < 4; i++) {
                double f = Note_frequenz(n[i]);
                double lang = i == 3 ? 0.9 : 0.32;
                Ton_mischen(s, i * 0.36, lang, f * 1.02, f * 0.98, WELLE_SAEGE, 0.5, 0.04, i == 3 ? 0.5 : 0,
                            i == 3 ? 0.03 : 0.008);
            }
            break;
        }
        case SND_UMGEBUNG_1: {   // birds
            static const double zeiten[] = {0.0, 0.11, 0.22, 0.55, 0.64, 1.0};
            for (int i = 0; i < 6; i++) {
                double f0 = 2400 + 300 * (i % 3), f1 = f0 * (i % 2 ? 0.7 : 1.5);
                Ton_mischen(s, zeiten[i], 0.08, f0, f1, WELLE_SINUS, 0.5, 0.01, 0.04, 0.04);
            }
            break;
        }
        default:
            break;
    }
    if (s.empty()) s.assign(KLANG_RATE / 10, 0.0f);
    return s;
}

}   // namespace

std::vector<int16_t> Effekt_erzeugen(int sektor) {
    // Ambient sounds stay in the background, the rest at full strength.
    double spitze = (sektor == SND_UMGEBUNG_2 || sektor == SND_UMGEBUNG_1) ? 0.45 : 0.85;
    return Klang_fertig(Erzeugen(sektor), spitze);
}
