// The inventory of "Grafik.dat": which picture stands in which sector.
#include <cstdio>

#include "inhalt.h"

std::vector<GrafikSektor> Grafiken_erzeugen(void) {
    std::vector<GrafikSektor> g;
    auto dazu = [&](int sektor, Bild b, const std::string& name) { g.push_back({sektor, std::move(b), name}); };

    dazu(0, Versteck_malen(4), "hider hit");
    dazu(1, Spielfeld_malen(), "playfield");
    dazu(2, Einschuss_malen(), "shot mark");
    dazu(5, Abspann_malen(), "credits");
    // Frames 0..4 of the three flyers interleave: large, small, medium.
    static const int flieger_art[3] = {2, 0, 1};
    for (int bild = 0; bild < 5; bild++)
        for (int k = 0; k < 3; k++) {
            char name[32];
            snprintf(name, sizeof(name), "flyer %d frame %d", flieger_art[k], bild);
            dazu(6 + 3 * bild + k, Flieger_malen(flieger_art[k], bild), name);
        }
    for (int n = 0; n < 4; n++) dazu(21 + n, Rundenbild_malen(n), "round intro " + std::to_string(n));
    dazu(25, Bestenliste_malen(false), "high scores");
    dazu(26, Menue_malen(), "menu");
    for (int bild = 0; bild < 5; bild++) dazu(27 + bild, Steiger_malen(bild), "riser " + std::to_string(bild));
    dazu(32, Patrone_malen(), "shell");
    dazu(33, Schrift_erzeugen(), "font");
    dazu(34, Titel_malen(), "title");
    dazu(35, Bestenliste_malen(true), "high scores, record");
    for (int bild = 0; bild < 4; bild++) dazu(36 + bild, Versteck_malen(bild), "hider " + std::to_string(bild));
    return g;
}
