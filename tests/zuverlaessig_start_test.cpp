// Every platform step that can fail, made to fail at each of its calls
// from start-up to exit and at samples of its calls during a short game:
// the game always ends by itself, shows why when it stops early, keeps
// its numbered start-up errors, and gives every object back.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "ablauf_hilfe_test.h"

namespace {

const char* const SCHRITTE[] = {
    "RegisterClass",
    "CreateWindow",
    "DirectDrawCreateEx",
    "SetCooperativeLevel",
    "SetDisplayMode",
    "CreateSurface",
    "GetAttachedSurface",
    "CreateClipper",
    "SetClipList",
    "SetClipper",
    "SetColorKey",
    "Blt(COLORFILL)",
    "Blt",
    "Flip",
    "Restore",
    "Lock",
    "Unlock",
    "CreatePalette",
    "SetPalette",
    "GetDC",
    "DirectSoundCreate",
    "DSound.SetCooperativeLevel",
    "CreateSoundBuffer",
    "DSB.Lock",
    "DSB.Unlock",
    "CreateFile",
    "GetFileSize",
    "SetFilePointer",
    "ReadFile",
    "WriteFile",
    "CloseHandle",
    "MoveFile",
    "malloc",
    "GetUserName",
};

const char* const START_ENDE = "Dieses Spiel kann leider nicht gestartet werden!";

// Closed at once: the start-up, the first background load, the shutdown.
const char* const SOFORT_ZU = "0 close\n";

// Title, menu, a round with a shot and a reload, back to the menu, quit.
const char* const KURZES_SPIEL =
    "300 key RETURN\n"
    "600 key RETURN\n"
    "6000 move 500 400\n"
    "6100 lclick\n"
    "6300 rclick\n"
    "6600 key ESCAPE\n"
    "6800 key ESCAPE\n"
    "6900 char j\n";

// A game as at its first start in this folder (no score file yet), with
// call k of the step failing `mal` times (-1: from there on).
Ablauf Lauf(const std::string& skript, const char* schritt = nullptr, int k = 0, int mal = 1) {
    std::remove("Score.dat");
    std::remove("Score.dat.tmp");
    return Ablauf_laufen(skript, nullptr, [=] {
        if (schritt) headless_fault_arm(schritt, k, mal);
    });
}

std::vector<std::string> Boxen(const Ablauf& a) { return Log_nach(a.log, " msgbox "); }

std::string Nummer(int n) { return "Error Nr.:" + std::to_string(n) + " | " + START_ENDE; }

std::string Fehler(const std::string& text) { return "Error... | " + text; }

bool Gestartet(const Ablauf& a) { return Log_enthaelt(a.log, "wave start.wav"); }

// What holds for every run, whatever failed.
void Sauber_beendet(const Ablauf& a, bool nach_dem_start_beendet) {
    EXPECT_EQ(headless_live_objects(), 0) << "every object given back";
    std::vector<std::string> boxen = Boxen(a);
    // Without its window the program ends at once, before any game state.
    if (boxen.size() == 1 && boxen[0].find("Programm konnte nicht gestartet werden!") != std::string::npos) return;
    std::vector<std::string> zustaende = Zustaende(a.log);
    ASSERT_FALSE(zustaende.empty());
    EXPECT_EQ(zustaende.back(), "GS_EXIT");

    long nummern =
        std::count_if(boxen.begin(), boxen.end(), [](const std::string& b) { return b.rfind("Error Nr.:", 0) == 0; });
    if (Gestartet(a)) {
        EXPECT_EQ(nummern, 0);
        // A game that stops before the player quits says why.
        bool bAufgehoert = std::find(zustaende.begin(), zustaende.end(), "GS_QUIT_PROMPT") != zustaende.end();
        if (nach_dem_start_beendet && !bAufgehoert) {
            EXPECT_FALSE(boxen.empty()) << "the game ended without a word";
        }
        return;
    }
    ASSERT_FALSE(boxen.empty()) << "the start-up stopped without a word";
    EXPECT_EQ(headless_flip_count(), 0) << "no frame after a failed start-up";
    EXPECT_LE(nummern, 1);
    const std::string& letzte = boxen.back();
    if (letzte.rfind("Error Nr.:", 0) == 0) {
        int n = std::atoi(letzte.c_str() + 10);
        EXPECT_GE(n, 8);
        EXPECT_LE(n, 23);
        EXPECT_EQ(letzte, Nummer(n));
        EXPECT_GE(boxen.size(), 2u) << "the failing step's own message comes first";
        EXPECT_GE(a.ende_ms, 4000u) << "the shutdown still waits";
    } else {
        EXPECT_EQ(letzte, Fehler("Es fehlt mindestens eine Datei!\\nDas Spiel kann leider nicht gestartet werden!"));
    }
}

std::string Testname(const ::testing::TestParamInfo<const char*>& info) {
    std::string n = info.param;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
}

// ---------------------------------------------------------------- sweeps

class ZuverlaessigStart : public ::testing::TestWithParam<const char*> {};

TEST_P(ZuverlaessigStart, EachCallFromStartToExitFailsCleanly) {
    Testordner_anlegen();
    const char* schritt = GetParam();
    Ablauf ohne = Lauf(SOFORT_ZU);
    ASSERT_TRUE(Gestartet(ohne));
    ASSERT_TRUE(Boxen(ohne).empty());
    const int aufrufe = headless_fault_calls(schritt);
    RecordProperty("calls", aufrufe);

    for (int k = 0; k < aufrufe; k++) {
        SCOPED_TRACE(std::string(schritt) + " call " + std::to_string(k));
        Ablauf a = Lauf(SOFORT_ZU, schritt, k);
        Sauber_beendet(a, false);
        if (HasFailure()) return;   // one broken call says enough
    }
    // From the first call on for ever: the same promises.
    if (aufrufe > 0) Sauber_beendet(Lauf(SOFORT_ZU, schritt, 0, -1), false);
}

INSTANTIATE_TEST_SUITE_P(Schritte, ZuverlaessigStart, ::testing::ValuesIn(SCHRITTE), Testname);

// Steps that a running game keeps calling; a sample of their calls.
const char* const SPIELSCHRITTE[] = {
    "Blt(COLORFILL)", "Blt",        "Flip",           "Lock",     "Unlock",      "CreatePalette", "SetPalette",
    "GetDC",          "CreateFile", "SetFilePointer", "ReadFile", "CloseHandle", "malloc",
};

class ZuverlaessigSpiel : public ::testing::TestWithParam<const char*> {};

TEST_P(ZuverlaessigSpiel, SampledCallsDuringPlayEndCleanly) {
    Testordner_anlegen();
    const char* schritt = GetParam();
    Lauf(SOFORT_ZU);
    const int start = headless_fault_calls(schritt);
    Ablauf ohne = Lauf(KURZES_SPIEL);
    ASSERT_TRUE(Log_enthaelt(ohne.log, "state GS_PLAYING"));
    ASSERT_TRUE(Log_enthaelt(ohne.log, "state GS_QUIT_PROMPT"));
    const int aufrufe = headless_fault_calls(schritt);
    ASSERT_GT(aufrufe, start) << "the game calls the step after its start-up";

    // The first calls after the start-up, then evenly spread over the rest.
    std::vector<int> proben;
    for (int k = start; k < aufrufe && k < start + 3; k++) proben.push_back(k);
    for (int i = 1; i <= 5; i++)
        proben.push_back(start + static_cast<int>(static_cast<int64_t>(aufrufe - start - 1) * i / 5));
    std::sort(proben.begin(), proben.end());
    proben.erase(std::unique(proben.begin(), proben.end()), proben.end());
    for (int k : proben) {
        SCOPED_TRACE(std::string(schritt) + " call " + std::to_string(k));
        Sauber_beendet(Lauf(KURZES_SPIEL, schritt, k), true);
        // A screen lost at that flip must also come back without its restore.
        if (std::string(schritt) == "Flip")
            Sauber_beendet(Ablauf_laufen(KURZES_SPIEL, nullptr,
                                         [k] {
                                             headless_fault_arm("Flip", k, 1);
                                             headless_fault_arm("Restore", 0, 1);
                                         }),
                           true);
        if (HasFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Schritte, ZuverlaessigSpiel, ::testing::ValuesIn(SPIELSCHRITTE), Testname);

// ------------------------------------------------ steps with known texts

struct Erwartet {
    const char* schritt;
    int k;
    const char* meldung;
    int nummer;   // 0: the game starts all the same
};

void Pruefen(const Erwartet& e, const Ablauf& a, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> soll{Fehler(e.meldung)};
    soll.insert(soll.end(), extra.begin(), extra.end());
    if (e.nummer) soll.push_back(Nummer(e.nummer));
    EXPECT_EQ(Boxen(a), soll) << e.schritt << " call " << e.k;
    EXPECT_EQ(Gestartet(a), e.nummer == 0) << e.schritt << " call " << e.k;
    EXPECT_EQ(headless_live_objects(), 0);
}

TEST(ZuverlaessigStartSchritte, EveryDisplayStepShowsItsMessageThenItsNumber) {
    Testordner_anlegen();
    // Surfaces in start-up order: primary 0, background 1, playfield 2,
    // font 3, highlighted font 4, countdowns 5..8, shell 9, shot 10.
    // Colour keys go with the off-screen ones, from 0.
    const Erwartet faelle[] = {
        {"DirectDrawCreateEx", 0, "DDraw_starten: DirectDrawCreateEx()", 10},
        {"SetCooperativeLevel", 0, "DDraw_starten: SetCooperativeLevel()", 10},
        {"SetDisplayMode", 0, "DDraw_starten: SetDisplayMode()", 10},
        {"CreateSurface", 0, "DDraw_starten: CreateSurface()", 10},
        {"GetAttachedSurface", 0, "DDraw_starten: GetAttachedSurface()", 10},
        {"CreateClipper", 0, "DDraw_Clipper_erzeugen: CreateClipper()", 11},
        {"SetClipList", 0, "DDraw_Clipper_erzeugen: SetClipList()", 11},
        {"SetClipper", 0, "DDraw_Clipper_erzeugen: SetClipper()", 11},
        {"CreateSurface", 1, "DDraw_Offscreen_anlegen: CreateSurface()", 12},
        {"CreateSurface", 2, "DDraw_Offscreen_anlegen: CreateSurface()", 13},
        {"CreateSurface", 3, "DDraw_Offscreen_anlegen: CreateSurface()", 14},
        {"CreateSurface", 4, "DDraw_Offscreen_anlegen: CreateSurface()", 17},
        {"CreateSurface", 9, "DDraw_Offscreen_anlegen: CreateSurface()", 19},
        {"CreateSurface", 10, "DDraw_Offscreen_anlegen: CreateSurface()", 21},
        {"SetColorKey", 0, "DDraw_Offscreen_anlegen: SetColorKey()", 12},
        {"SetColorKey", 1, "DDraw_Offscreen_anlegen: SetColorKey()", 13},
        {"SetColorKey", 2, "DDraw_Offscreen_anlegen: SetColorKey()", 14},
        {"SetColorKey", 3, "DDraw_Offscreen_anlegen: SetColorKey()", 17},
        {"SetColorKey", 8, "DDraw_Offscreen_anlegen: SetColorKey()", 19},
        {"SetColorKey", 9, "DDraw_Offscreen_anlegen: SetColorKey()", 21},
    };
    for (const Erwartet& e : faelle) Pruefen(e, Lauf(SOFORT_ZU, e.schritt, e.k));

    // A countdown surface that is missing is not drawn: the game starts,
    // after the loader has said that its surface is missing.
    for (int i = 0; i < 4; i++) {
        const std::vector<std::string> fehlt{Fehler("PackFile_Bild_laden: Surface nich vorhanden!")};
        Pruefen({"CreateSurface", 5 + i, "DDraw_Offscreen_anlegen: CreateSurface()", 0},
                Lauf(SOFORT_ZU, "CreateSurface", 5 + i), fehlt);
        Pruefen({"SetColorKey", 4 + i, "DDraw_Offscreen_anlegen: SetColorKey()", 0},
                Lauf(SOFORT_ZU, "SetColorKey", 4 + i), fehlt);
    }
}

// Calls of each step made before the start-up stops at the given surface,
// that is before the picture that goes onto it is loaded.
std::map<std::string, int> Aufrufe_vor_dem_Bild(int flaeche) {
    Lauf(SOFORT_ZU, "CreateSurface", flaeche);
    std::map<std::string, int> n;
    for (const char* s : {"Lock", "malloc", "CreateFile", "SetFilePointer", "ReadFile"}) n[s] = headless_fault_calls(s);
    return n;
}

TEST(ZuverlaessigStartSchritte, EveryStepOfTheStartUpPicturesGivesItsNumber) {
    Testordner_anlegen();
    struct Bild {
        int flaeche, nummer;
        const char* breiten;
    };
    const Bild bilder[] = {
        {3, 15, "Breite1920 Breite20"}, {9, 20, "Breite132 Breite20"}, {10, 22, "Breite196 Breite20"}};
    for (const Bild& b : bilder) {
        std::map<std::string, int> vor = Aufrufe_vor_dem_Bild(b.flaeche);
        const std::string format = std::string("PackFile_Bild_laden: Formatvergleich - ") + b.breiten;
        const struct {
            const char* schritt;
            int danach;
            std::string meldung;
        } schritte[] = {
            {"Lock", 0, format},   // counts as 0 x 0
            {"malloc", 0, "PackFile_Bild_laden: malloc(lpbyBild)"},
            {"CreateFile", 0, "Die Datei <Grafik.dat> wurde nicht gefunden!"},
            {"SetFilePointer", 0, "PackFile_Bild_laden: ReadeFile(BMPFileHead)"},
            {"ReadFile", 0, "PackFile_Bild_laden: ReadeFile(BMPFileHead)"},
            {"ReadFile", 1, "PackFile_Bild_laden: ReadeFile(BMPInfoHead)"},
            {"ReadFile", 2, "PackFile_Bild_laden: ReadeFile(Palette)"},
            {"ReadFile", 3, "PackFile_Bild_laden: ReadeFile(Bilddaten)"},
        };
        for (const auto& s : schritte) {
            int k = vor[s.schritt] + s.danach;
            Pruefen({s.schritt, k, s.meldung.c_str(), b.nummer}, Lauf(SOFORT_ZU, s.schritt, k));
        }
    }
}

TEST(ZuverlaessigStartSchritte, SoundStartFailsAtEverySectorAndGivesBackTheEarlierOnes) {
    Testordner_anlegen();
    // Calls made before the first sector is loaded.
    Lauf(SOFORT_ZU, "DSound.SetCooperativeLevel", 0);
    const int dateien = headless_fault_calls("CreateFile");
    const int speicher = headless_fault_calls("malloc");
    ASSERT_EQ(headless_fault_calls("CreateSoundBuffer"), 0);

    for (int i = 0; i < 21; i++) {
        SCOPED_TRACE("sector " + std::to_string(i));
        const struct {
            const char* schritt;
            int k;
            std::vector<std::string> meldungen;
        } faelle[] = {
            {"CreateSoundBuffer", i, {"PackFile_Sound_laden: CreateSoundBuffer()"}},
            {"DSB.Lock", i, {"PackFile_Sound_laden: Lock()"}},
            {"DSB.Unlock", i, {"PackFile_Sound_laden: Unlock()"}},
            {"CreateFile", dateien + i, {"PackFile_Sound_laden: mmioOpen()"}},
            {"malloc", speicher + i, {"DSound_WaveDaten: malloc()", "PackFile_Sound_laden: DSound_WaveDaten()"}},
        };
        for (const auto& f : faelle) {
            Ablauf a = Lauf(SOFORT_ZU, f.schritt, f.k);
            std::vector<std::string> soll;
            for (const std::string& m : f.meldungen) soll.push_back(Fehler(m));
            soll.push_back(Nummer(23));
            EXPECT_EQ(Boxen(a), soll) << f.schritt;
            // Later sectors are not tried; the earlier buffers went back.
            EXPECT_EQ(headless_fault_calls("CreateSoundBuffer"), f.schritt == std::string("CreateSoundBuffer") ||
                                                                         f.schritt == std::string("DSB.Lock") ||
                                                                         f.schritt == std::string("DSB.Unlock")
                                                                     ? i + 1
                                                                     : i)
                << f.schritt;
            EXPECT_EQ(headless_live_objects(), 0) << f.schritt;
        }
    }
}

TEST(ZuverlaessigStartSchritte, ScoreFileThatCannotBeCreatedLeavesTheGameRunning) {
    Testordner_anlegen();
    // The seven required files, then the score file that is not there yet,
    // then the new one.
    Ablauf a = Lauf(SOFORT_ZU, "CreateFile", 8);
    EXPECT_EQ(Boxen(a), std::vector<std::string>{Fehler("Highscore_schreiben: CreateFile(GENERIC_WRITE)")});
    EXPECT_TRUE(Gestartet(a));
    EXPECT_FALSE(std::ifstream("Score.dat").good());
    EXPECT_EQ(headless_live_objects(), 0);

    // A disk that takes nothing: the game is played all the same.
    a = Ablauf_laufen(KURZES_SPIEL, nullptr, [] { headless_fault_arm("WriteFile", 0, -1); });
    EXPECT_EQ(Boxen(a), std::vector<std::string>{Fehler("Highscore_schreiben: CreateFile(GENERIC_WRITE)")});
    EXPECT_TRUE(Log_enthaelt(a.log, "state GS_PLAYING"));
    EXPECT_EQ(headless_live_objects(), 0);
}

}   // namespace
