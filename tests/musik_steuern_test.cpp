// The music player: commands sent, track choice and the on/off switch.
#include "audio/musik.h"
#include "packfile_testbau.h"
#include "shell/spiel.h"

using V = std::vector<std::string>;

class MusikSteuern : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessConfig cfg;
        cfg.tick0 = 5000;
        headless_reset(cfg);
        Titel({"a.mp3", "b.mp3", "c.mp3"});
        Zufall_saeen(7);
    }
    void Titel(const V& namen) {
        memset(szMusikDatei, 0, sizeof(szMusikDatei));
        for (size_t i = 0; i < namen.size(); i++) snprintf(szMusikDatei[i], MUSIK_NAME_LAENGE, "%s", namen[i].c_str());
        iMusikAnzahl = static_cast<int32_t>(namen.size());
        iMusikTitel = 0, iMusikZustand = namen.empty() ? MUSIK_KEINE : MUSIK_ZU, bMusikAn = 1, dwMusikTitelZeit = 0;
    }
    // The media commands sent since the last call.
    V Befehle() {
        V b = Log_nach(headless_log_lines(), " mci ");
        headless_log_clear();
        return b;
    }
    static V Spielt(const std::string& datei) {
        return {"close Mp3", "open " + datei + " type MPEGVideo Alias Mp3", "play Mp3"};
    }
    void TearDown() override { iGameState = GS_TITLE; }
    // The keys of a round, as the window procedure gets them: a digit, and F2.
    void Ziffer(int n) {
        iGameState = GS_PLAYING;
        Nachricht_verarbeiten(nullptr, WM_CHAR, static_cast<uintptr_t>('0' + n), 0);
    }
    void F2() {
        iGameState = GS_PLAYING;
        Nachricht_verarbeiten(nullptr, WM_KEYDOWN, VK_F2, 0);
    }
};

TEST_F(MusikSteuern, TracksStepWrapAndOutOfRangeDigitsPlayTheFirst) {
    Ziffer(5);
    EXPECT_EQ(Befehle(), (V{"open a.mp3 type MPEGVideo Alias Mp3", "play Mp3"}));
    Ziffer(1);
    EXPECT_EQ(Befehle(), Spielt("b.mp3"));
    Ziffer(2);
    headless_advance(100);
    Musik_Titel_waehlen(0, TITEL_VOR);
    EXPECT_EQ(iMusikTitel, 0);
    EXPECT_EQ(dwMusikTitelZeit, 5100u);
    Befehle();
    Musik_Titel_waehlen(0, TITEL_ZURUECK);
    EXPECT_EQ(Befehle(), Spielt("c.mp3"));
    // A round start while a track is marked playing changes nothing, ended or not.
    headless_advance(60000);
    Musik_Titel_waehlen(0, TITEL_ZUFALL);
    EXPECT_EQ(iMusikTitel, 2);
    EXPECT_EQ(dwMusikTitelZeit, 5100u);
    EXPECT_TRUE(Befehle().empty());
    Musik_steuern(MUSIK_SPIELEN, "b.mp3");
    Musik_steuern(3, "b.mp3");
    EXPECT_TRUE(Befehle().empty());
}

TEST_F(MusikSteuern, RandomChoiceNeverRepeatsTheCurrentTrack) {
    for (int i = 0; i < 30; i++) {
        int vorher = iMusikTitel;
        Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
        Musik_Titel_waehlen(0, TITEL_ZUFALL);
        EXPECT_NE(iMusikTitel, vorher);
    }
    Titel({"nur.mp3"});
    Musik_Titel_waehlen(0, TITEL_ZUFALL);
    EXPECT_EQ(Befehle().back(), "play Mp3");
    EXPECT_EQ(iMusikTitel, 0);
}

TEST_F(MusikSteuern, F2SwitchesOffAndBackOnWithRepeat) {
    Ziffer(1);
    Befehle();
    F2();
    EXPECT_EQ(Befehle(), V{"close Mp3"});
    // Track keys still choose and show the name, but send nothing.
    headless_advance(300);
    Musik_Titel_waehlen(0, TITEL_VOR);
    Musik_Titel_waehlen(0, TITEL_ZUFALL);
    EXPECT_EQ(dwMusikTitelZeit, 5300u);
    EXPECT_TRUE(Befehle().empty());
    std::string titel = szMusikDatei[iMusikTitel];
    F2();
    EXPECT_EQ(Befehle(), (V{"open " + titel + " type MPEGVideo Alias Mp3", "play Mp3 repeat"}));
    EXPECT_EQ(iMusikZustand, MUSIK_LAEUFT);
}

TEST_F(MusikSteuern, WithoutTracksNothingEverHappens) {
    Titel({});
    Ziffer(1);
    Musik_Titel_waehlen(0, TITEL_VOR);
    Musik_Titel_waehlen(0, TITEL_ZUFALL);
    F2();
    F2();
    EXPECT_TRUE(Befehle().empty());
    EXPECT_EQ(dwMusikTitelZeit, 0u) << "no name is ever shown";
}
