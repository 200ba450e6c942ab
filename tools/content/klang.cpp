// Sound synthesis: oscillators with gliding pitch, filtered noise and
// envelopes, mixed into float buffers and finished as 16-bit samples.
#include "inhalt.h"

static size_t Stelle(double sekunden) { return sekunden <= 0 ? 0 : (size_t)(sekunden * KLANG_RATE + 0.5); }

static void Platz_schaffen(std::vector<float>& s, size_t ende) {
    if (s.size() < ende) s.resize(ende, 0.0f);
}

// Sine of a phase in turns (0..1) from a table: the oscillators call it for
// every sample, and the table is built from our own exact sine.
static double Sinus_tafel(double phase) {
    enum { N = 8192 };
    static double tafel[N + 1];
    static bool fertig = false;
    if (!fertig) {
        for (int i = 0; i <= N; i++) tafel[i] = Sinus(2.0 * PI * i / N);
        fertig = true;
    }
    double pos = phase * N;
    int i = (int)pos;
    if (i < 0) i = 0;
    if (i >= N) i = N - 1;
    double f = pos - i;
    return tafel[i] + (tafel[i + 1] - tafel[i]) * f;
}

// Square (every second harmonic) and saw (all of them, alternating) as sums
// of sines up to 6 kHz: no overtones folding back below the note.
static double Obertoene(double phase, double f, int schritt) {
    int grenze = f > 0 ? (int)(6000.0 / f) : 1;
    if (grenze > 24) grenze = 24;
    if (grenze < 1) grenze = 1;
    double summe = 0;
    for (int k = 1; k <= grenze; k += schritt) {
        double p = phase * k;
        p -= (int)p;
        double a = Sinus_tafel(p) / k;
        summe += (schritt == 1 && (k % 2) == 0) ? -a : a;
    }
    return summe;
}

// Envelope: linear rise over `anschlag`, then a decay by the same factor
// every sample, and a 5 ms fade at the very end.
struct Huelle {
    double dAnschlag, dDauer, dFaktor, dAbfall;
};

static Huelle Huelle_neu(double dauer, double anschlag, double abkling) {
    return Huelle{anschlag, dauer, abkling > 0 ? Expo(-1.0 / (abkling * KLANG_RATE)) : 1.0, 1.0};
}

static double Huelle_wert(Huelle* h, double t) {
    double w = h->dAnschlag > 0 && t < h->dAnschlag ? t / h->dAnschlag : 1.0;
    if (t > h->dAnschlag) {
        w *= h->dAbfall;
        h->dAbfall *= h->dFaktor;
    }
    double rest = h->dDauer - t;
    if (rest < 0.005) w *= rest / 0.005;
    return w;
}

void Ton_mischen(std::vector<float>& s, double start, double dauer, double f0, double f1, int welle, double laut,
                 double anschlag, double abkling, double vibrato) {
    size_t a = Stelle(start), n = Stelle(dauer);
    Platz_schaffen(s, a + n);
    double phase = 0, lfo = 0;
    // Exponential glide: the pitch changes by the same factor every sample.
    double schritt = f0 > 0 && f1 > 0 && n > 0 ? Expo(Logarithmus(f1 / f0) / (double)n) : 1.0;
    double fg = f0;
    Huelle huelle = Huelle_neu(dauer, anschlag, abkling);
    for (size_t i = 0; i < n; i++) {
        double t = (double)i / KLANG_RATE;
        double f = fg;
        fg *= schritt;
        if (vibrato > 0) {
            lfo += 5.5 / KLANG_RATE;
            lfo -= (int)lfo;
            f *= 1.0 + vibrato * Sinus_tafel(lfo);
        }
        phase += f / KLANG_RATE;
        phase -= (int)phase;
        double v;
        switch (welle) {
            case WELLE_RECHTECK:
                v = 0.6 * 1.2732 * Obertoene(phase, f, 2);
                break;
            case WELLE_SAEGE:
                v = 0.7 * 0.6366 * Obertoene(phase, f, 1);
                break;
            case WELLE_DREIECK:
                v = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
                break;
            default:
                v = Sinus_tafel(phase);
                break;
        }
        s[a + i] += (float)(laut * v * Huelle_wert(&huelle, t));
    }
}

void Rauschen_mischen(std::vector<float>& s, double start, double dauer, double laut, double hz0, double hz1,
                      double anschlag, double abkling, uint32_t saat) {
    size_t a = Stelle(start), n = Stelle(dauer);
    Platz_schaffen(s, a + n);
    double y = 0, hz = hz0, k = 0;
    uint32_t r = saat;
    Huelle huelle = Huelle_neu(dauer, anschlag, abkling);
    for (size_t i = 0; i < n; i++) {
        double t = (double)i / KLANG_RATE;
        if (i % 32 == 0) {   // the corner moves slowly: recompute now and then
            hz = hz0 + (hz1 - hz0) * (dauer > 0 ? t / dauer : 0);
            k = 1.0 - Expo(-2.0 * PI * hz / KLANG_RATE);
        }
        r = r * 1664525u + 1013904223u;
        double x = (double)(r >> 8) / 8388608.0 - 1.0;
        y += k * (x - y);
        s[a + i] += (float)(laut * y * Huelle_wert(&huelle, t) * (1.0 + 4000.0 / (hz + 400.0)) * 0.5);
    }
}

std::vector<int16_t> Klang_fertig(const std::vector<float>& s, double spitze) {
    float max = 0;
    for (float v : s) max = v > max ? v : (-v > max ? -v : max);
    double faktor = max > 0 ? spitze * 32767.0 / max : 0;
    std::vector<int16_t> out(s.size());
    for (size_t i = 0; i < s.size(); i++) {
        double v = s[i] * faktor;
        long r = (long)(v >= 0 ? v + 0.5 : v - 0.5);
        out[i] = (int16_t)(r > 32767 ? 32767 : r < -32767 ? -32767 : r);
    }
    return out;
}

double Note_frequenz(const std::string& name) {
    if (name.empty() || name[0] == 'R') return 0;
    static const int stufen[7] = {9, 11, 0, 2, 4, 5, 7};   // A B C D E F G from C
    char c = name[0];
    if (c < 'A' || c > 'G') return 0;
    int halbton = stufen[c - 'A'];
    size_t i = 1;
    if (i < name.size() && name[i] == '#') {
        halbton++;
        i++;
    } else if (i < name.size() && name[i] == 'b') {
        halbton--;
        i++;
    }
    int oktave = i < name.size() ? name[i] - '0' : 4;
    int midi = 12 * (oktave + 1) + halbton;
    // 440 * 2^((midi - 69) / 12) by repeated semitone steps: exact enough
    // and the same everywhere.
    double f = 440.0;
    const double halb = 1.0594630943592953;
    for (int k = 69; k < midi; k++) f *= halb;
    for (int k = 69; k > midi; k--) f /= halb;
    return f;
}
