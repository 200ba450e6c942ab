// Helpers of the content tests: the generator beside the data folder, the
// picture inventory, and the generated archives read through the game's
// own loaders onto surfaces of the headless display.
#ifndef GLUBBERSHOOT_CONTENT_HILFE_TEST_H
#define GLUBBERSHOOT_CONTENT_HILFE_TEST_H

#include <cstdlib>
#include <string>
#include <vector>

#include "assets/packfile.h"
#include "bau/bau.h"
#include "ddraw_hilfe_test.h"
#include "testhilfe.h"

struct ContentBild {
    int iSektor;
    int iBreite;
    int iHoehe;
    bool bHintergrund;   // full-screen background: no transparent pixel allowed
};

inline const std::vector<ContentBild>& Content_inventar() {
    static const std::vector<ContentBild> liste = [] {
        std::vector<ContentBild> l = {{0, 152, 88, false},  {1, 2048, 448, false}, {2, 96, 96, false},
                                      {5, 1024, 768, true}, {25, 1024, 768, true}, {26, 1024, 768, true},
                                      {32, 32, 128, false}, {33, 920, 152, false}, {34, 1024, 768, true},
                                      {35, 1024, 768, true}};
        for (int b = 0; b < 5; b++) {
            l.push_back({6 + 3 * b, 200, 112, false});
            l.push_back({7 + 3 * b, 48, 32, false});
            l.push_back({8 + 3 * b, 96, 64, false});
            l.push_back({27 + b, 160, 192, false});
        }
        for (int n = 0; n < 4; n++) {
            l.push_back({21 + n, 312, 352, false});
            l.push_back({36 + n, 152, 88, false});
        }
        return l;
    }();
    return liste;
}

// The index of an archive read as the file holds it (zero when too short).
inline PackFileVerzeichnis Verzeichnis(const std::string& archiv) {
    PackFileVerzeichnis pfv;
    Bau_Verzeichnis_lesen(reinterpret_cast<const uint8_t*>(archiv.data()), archiv.size(), &pfv);
    return pfv;
}

inline std::string Generator_pfad() { return std::string(GLUBBER_DATA_DIR) + "/../glubbershoot-content"; }

// Runs the generator with the arguments; its exit code.
inline int Generator_laufen(const std::string& argumente) {
    std::string befehl = "\"" + Generator_pfad() + "\" " + argumente + " > /dev/null 2>&1";
    int r = std::system(befehl.c_str());
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

// A folder with the generated data, the display up, "Grafik.dat" indexed.
struct ContentTest : ::testing::Test {
    std::string ordner;

    void SetUp() override {
        ordner = Testordner_anlegen();
        Anzeige_aufbauen();
        ASSERT_EQ(PackFile_oeffnen("Grafik.dat", &pfvGrafik), 0);
    }
    void TearDown() override {
        headless_fault_clear();
        DDraw_beenden();
    }

    // The picture of a sector as the game loads it, top row first.
    std::vector<uint8_t> Bild(int sektor, int breite, int hoehe, const char* archiv = "Grafik.dat") {
        PlatSurface* s = Flaeche_anlegen(breite, hoehe);
        EXPECT_EQ(PackFile_Bild_laden(archiv, &pfvGrafik, sektor, s, 0, 0), 0) << "sector " << sektor;
        std::vector<uint8_t> px = Flaeche_lesen(s);
        plat_surface_release(s);
        return px;
    }

    // A surface holding the sector, for blits.
    PlatSurface* Flaeche(int sektor, int breite, int hoehe) {
        PlatSurface* s = Flaeche_anlegen(breite, hoehe);
        EXPECT_EQ(PackFile_Bild_laden("Grafik.dat", &pfvGrafik, sektor, s, 0, 0), 0) << "sector " << sektor;
        return s;
    }
};

#endif
