// Sound synthesis: oscillators with gliding pitch, filtered noise and
// envelopes, mixed into float buffers and finished as 16-bit samples.
#include "inhalt.h"

static size_t Stelle(double sekunden) { return sekunden <= 0 ? 0 : (size_t)(sekunden * KLANG_RATE + 0.5); }

static void Platz_schaffen(std::vector<float>& s, size_t ende)
{
    if (s.size() < ende) s.resize(ende, 0.0f);
}

static double Huelle(double t, double dauer, double anschlag, double abkling)
{
    double h = anschlag > 0 && t < anschlag ? t / anschlag : 1.0;
    if (abkling > 0 && t > anschlag) h *= Expo(-(t - anschlag) / abkling);
    double rest = dauer - t;
    if (rest < 0.005) h *= rest / 0.005;
    return h;
}

void Ton_mischen(std::vector<float>& s, double start, double dauer, double f0, double f1, int welle, double laut,
                 double anschlag, double abkling, double vibrato)
{
    size_t a = Stelle(start), n = Stelle(dauer);
    Platz_schaffen(s, a + n);
    double phase = 0, lfo = 0;
    // Exponential glide: the pitch changes by the same factor every sample.
    double schritt = f0 > 0 && f1 > 0 && n > 0 ? Expo(Logarithmus(f1 / f0) / (double)n) : 1.0;
    double fg = f0;
    uint32_t rausch = 12345;
    for (size_t i = 0; i < n; i++) {
        double t = (double)i / KLANG_RATE;
        double f = fg;
        fg *= schritt;
        if (vibrato > 0) {
            lfo += 5.5 / KLANG_RATE;
            f *= 1.0 + vibrato * Sinus(2 * PI * lfo);
        }
        phase += f / KLANG_RATE;
        phase -= (int)phase;
        double v;
        switch (welle) {
        case WELLE_RECHTECK: v = phase < 0.5 ? 0.6 : -0.6; break;
        case WELLE_SAEGE: v = 0.7 * (2 * phase - 1); break;
        case WELLE_DREIECK: v = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase; break;
        case WELLE_RAUSCHEN:
            rausch = rausch * 1664525u + 1013904223u;
            v = (double)(rausch >> 8) / 8388608.0 - 1.0;
            break;
        default: v = Sinus(2 * PI * phase); break;
        }
        s[a + i] += (float)(laut * v * Huelle(t, dauer, anschlag, abkling));
    }
}

void Rauschen_mischen(std::vector<float>& s, double start, double dauer, double laut, double hz0, double hz1,
                      double anschlag, double abkling, uint32_t saat)
{
    size_t a = Stelle(start), n = Stelle(dauer);
    Platz_schaffen(s, a + n);
    double y = 0;
    uint32_t r = saat;
    for (size_t i = 0; i < n; i++) {
        double t = (double)i / KLANG_RATE;
        double hz = hz0 + (hz1 - hz0) * (dauer > 0 ? t / dauer : 0);
        double k = 1.0 - Expo(-2.0 * PI * hz / KLANG_RATE);
        r = r * 1664525u + 1013904223u;
        double x = (double)(r >> 8) / 8388608.0 - 1.0;
        y += k * (x - y);
        s[a + i] += (float)(laut * y * Huelle(t, dauer, anschlag, abkling) * (1.0 + 4000.0 / (hz + 400.0)) * 0.5);
    }
}

std::vector<int16_t> Klang_fertig(const std::vector<float>& s, double spitze)
{
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

double Note_frequenz(const std::string& name)
{
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
