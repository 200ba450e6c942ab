// glubbershoot-content: writes "Grafik.dat", "Sound.dat" and the five
// wave files into a folder, and on request a contact sheet of every
// picture.
#include <cstdio>
#include <cstring>

#include "inhalt.h"

static const char* const WAVE_DATEIEN[] = {"start.wav", "main.wav", "win.wav", "lose.wav", "credits.wav"};

static int Nutzung(void) {
    fprintf(stderr,
            "usage: glubbershoot-content [--out DIR] [--contact-sheet FILE.bmp|DIR] [--font FILE.ttf|none]\n"
            "  --out DIR            write Grafik.dat, Sound.dat and the five wave files into DIR\n"
            "  --contact-sheet X    write every picture for review: one sheet (X.bmp) or a folder\n"
            "  --font FILE          TrueType font for the lettering; 'none' uses the built-in pixel font\n");
    return 2;
}

static bool Daten_schreiben(const std::string& ordner, const std::vector<GrafikSektor>& bilder) {
    std::vector<std::vector<uint8_t>> sektoren;
    for (const GrafikSektor& s : bilder) {
        if ((int)sektoren.size() <= s.iSektor) sektoren.resize(s.iSektor + 1);
        sektoren[s.iSektor] = Bmp_kodieren(s.bild);
    }
    if (!Datei_schreiben(ordner + "/Grafik.dat", PackFile_bauen(sektoren, 2000))) return false;

    sektoren.clear();
    for (int i = 0; i < 21; i++) sektoren.push_back(Wav_kodieren(Effekt_erzeugen(i), KLANG_RATE));
    if (!Datei_schreiben(ordner + "/Sound.dat", PackFile_bauen(sektoren, 1000))) return false;

    for (const char* datei : WAVE_DATEIEN)
        if (!Datei_schreiben(ordner + "/" + datei, Wav_kodieren(Musik_erzeugen(datei), KLANG_RATE))) return false;
    return true;
}

int main(int argc, char** argv) {
    std::string ausgabe, bogen;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        if (i + 1 >= argc) return Nutzung();
        if (a == "--out")
            ausgabe = argv[++i];
        else if (a == "--contact-sheet")
            bogen = argv[++i];
        else if (a == "--font") {
            std::string f = argv[++i];
            Schrift_datei_setzen(f == "none" ? "" : f);
        } else
            return Nutzung();
    }
    if (ausgabe.empty() && bogen.empty()) return Nutzung();

    Palette_anlegen();
    std::vector<GrafikSektor> bilder = Grafiken_erzeugen();
    if (!ausgabe.empty() && !Daten_schreiben(ausgabe, bilder)) return 1;
    if (!bogen.empty() && !Kontaktbogen_schreiben(bogen, bilder)) return 1;
    return 0;
}
