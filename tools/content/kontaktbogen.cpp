// Contact sheet: every picture of "Grafik.dat" on one page (or each in a
// file of its own), transparent parts shown as a checkerboard, so a person
// can review the art at a glance.
#include <filesystem>

#include "inhalt.h"

static Bild Mit_Schachbrett(const Bild& b) {
    Bild s = Bild_neu(b.iBreite, b.iHoehe, 0);
    for (int y = 0; y < b.iHoehe; y++)
        for (int x = 0; x < b.iBreite; x++) {
            uint8_t f = b.px[(size_t)y * b.iBreite + x];
            if (f == F_TRANSPARENT) f = (uint8_t)Rampe(R_GRAU, ((x / 8 + y / 8) & 1) ? 9 : 11);
            s.px[(size_t)y * b.iBreite + x] = f;
        }
    return s;
}

static Bild Bogen_setzen(const std::vector<GrafikSektor>& bilder) {
    const int breite = 2080, rand = 16, beschriftung = 30;
    // Shelf packing in inventory order.
    struct Platz {
        int x, y;
    };
    std::vector<Platz> plaetze;
    int x = rand, y = rand, regal = 0;
    std::vector<Bild> texte;
    for (const GrafikSektor& s : bilder) {
        texte.push_back(Text_maske(std::to_string(s.iSektor) + " " + s.name, 16));
        // A slot as wide as its picture or its label, whichever is wider.
        int w = s.bild.iBreite > texte.back().iBreite ? s.bild.iBreite : texte.back().iBreite;
        if (x + w + rand > breite) {
            x = rand;
            y += regal + beschriftung + rand;
            regal = 0;
        }
        plaetze.push_back({x, y});
        x += w + rand;
        regal = s.bild.iHoehe > regal ? s.bild.iHoehe : regal;
    }
    Bild bogen = Bild_neu(breite, y + regal + beschriftung + rand, (uint8_t)Rampe(R_GRAU, 3));
    for (size_t i = 0; i < bilder.size(); i++) {
        const GrafikSektor& s = bilder[i];
        Bild_einsetzen(bogen, Mit_Schachbrett(s.bild), plaetze[i].x, plaetze[i].y);
        Maske_einsetzen(bogen, texte[i], plaetze[i].x + 2, plaetze[i].y + s.bild.iHoehe + 6, F_WEISS, F_UMRISS, 0);
    }
    return bogen;
}

bool Kontaktbogen_schreiben(const std::string& ziel, const std::vector<GrafikSektor>& bilder) {
    bool datei = ziel.size() > 4 && ziel.compare(ziel.size() - 4, 4, ".bmp") == 0;
    if (datei) return Datei_schreiben(ziel, Bmp_kodieren(Bogen_setzen(bilder)));

    std::error_code fehler;
    std::filesystem::create_directories(ziel, fehler);
    if (!Datei_schreiben(ziel + "/contact-sheet.bmp", Bmp_kodieren(Bogen_setzen(bilder)))) return false;
    for (const GrafikSektor& s : bilder) {
        char name[32];
        snprintf(name, sizeof(name), "/grafik-%02d.bmp", s.iSektor);
        if (!Datei_schreiben(ziel + name, Bmp_kodieren(s.bild))) return false;
    }
    return true;
}
