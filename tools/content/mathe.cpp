// Sine, exponential and random numbers from plain arithmetic: library
// versions may round differently from one system to the next, and the
// generated files must come out the same everywhere.
#include <cmath>

#include "inhalt.h"

double Sinus(double x) {
    // Reduce to -pi..pi, then to -pi/2..pi/2 by symmetry.
    double k = std::floor(x / (2.0 * PI) + 0.5);
    x -= k * 2.0 * PI;
    if (x > PI / 2) x = PI - x;
    if (x < -PI / 2) x = -PI - x;
    double x2 = x * x, term = x, summe = x;
    for (int n = 1; n < 12; n++) {
        term *= -x2 / ((2.0 * n) * (2.0 * n + 1.0));
        summe += term;
    }
    return summe;
}

double Cosinus(double x) { return Sinus(x + PI / 2); }

double Expo(double x) {
    if (x < -700) return 0.0;
    if (x > 700) x = 700;
    // e^x = (e^(x/2^k))^(2^k) with a short series for the small part.
    int k = 0;
    while (x > 0.5 || x < -0.5) {
        x /= 2;
        k++;
    }
    double term = 1.0, summe = 1.0;
    for (int n = 1; n < 18; n++) {
        term *= x / n;
        summe += term;
    }
    while (k-- > 0) summe *= summe;
    return summe;
}

double Logarithmus(double x) {
    if (x <= 0) return -700;
    // x = m * 2^k with m in 0.75..1.5, then the atanh series for m.
    int k = 0;
    while (x > 1.5) {
        x /= 2;
        k++;
    }
    while (x < 0.75) {
        x *= 2;
        k--;
    }
    double z = (x - 1) / (x + 1), z2 = z * z, term = z, summe = 0;
    for (int n = 1; n < 40; n += 2) {
        summe += term / n;
        term *= z2;
    }
    return 2 * summe + k * 0.69314718055994530942;
}

// IEEE square root is exact everywhere.
double Wurzel(double x) { return x > 0 ? std::sqrt(x) : 0.0; }

static uint32_t dwZufall = 1;

void Zufall_setzen(uint32_t saat) { dwZufall = saat; }

uint32_t Zufall(void) {
    dwZufall = dwZufall * 1664525u + 1013904223u;
    return dwZufall >> 8;
}

int Zufall_bis(int n) { return n > 0 ? (int)(Zufall() % (uint32_t)n) : 0; }

float Zufall_eins(void) { return (float)(Zufall() & 0xFFFF) / 65536.0f; }
