// The music player: commands sent, track choice and the on/off switch.
#include "audio/musik.h"
#include "packfile_testbau.h"
#include "shell/spiel.h"

using namespace testbau;

class MusikSteuern : public ::testing::Test {
protected:
    void SetUp() override
    {
        HeadlessConfig cfg;
        cfg.tick0 = 5000;
        headless_reset(cfg);
        Titel({"a.mp3", "b.mp3", "c.mp3"});
        iMusikZustand = MUSIK_ZU;
        bMusikAn = 1;
        dwMusikTitelZeit = 0;
        Zufall_saeen(7);
    }

    void Titel(const std::vector<std::string>& namen)
    {
        memset(szMusikDatei, 0, sizeof(szMusikDatei));
        for (size_t i = 0; i < namen.size(); i++)
            snprintf(szMusikDatei[i], MUSIK_NAME_LAENGE, "%s", namen[i].c_str());
        iMusikAnzahl = static_cast<int32_t>(namen.size());
        iMusikTitel = 0;
    }

    // The media commands sent since the last call.
    std::vector<std::string> Befehle()
    {
        std::vector<std::string> b;
        for (const std::string& z : Log_mit(" mci "))
            b.push_back(z.substr(z.find(" mci ") + 5));
        headless_log_clear();
        return b;
    }

    // What the keys of a round do (next, previous, digit).
    void Vor() { Musik_Titel_waehlen(0, TITEL_VOR); }
    void Zurueck() { Musik_Titel_waehlen(0, TITEL_ZURUECK); }
    void Ziffer(int n)
    {
        Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
        Musik_Titel_waehlen(n, 0);
    }
    void F2()
    {
        if (iMusikZustand == MUSIK_LAEUFT) {
            Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
            bMusikAn = 0;
        } else {
            bMusikAn = 1;
            Musik_steuern(MUSIK_WIEDERHOLEN, szMusikDatei[iMusikTitel]);
        }
    }
};

TEST_F(MusikSteuern, CommandsOpenPlayRepeatClose)
{
    Musik_steuern(MUSIK_SPIELEN, "a.mp3");
    EXPECT_EQ(iMusikZustand, MUSIK_LAEUFT);
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"open a.mp3 type MPEGVideo Alias Mp3", "play Mp3"}));
    Musik_steuern(MUSIK_SPIELEN, "b.mp3");
    EXPECT_TRUE(Befehle().empty()) << "only while closed";
    Musik_steuern(MUSIK_SCHLIESSEN, "egal");
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"close Mp3"}));
    EXPECT_EQ(iMusikZustand, MUSIK_ZU);
    Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
    EXPECT_TRUE(Befehle().empty());
    Musik_steuern(MUSIK_WIEDERHOLEN, "b.mp3");
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"open b.mp3 type MPEGVideo Alias Mp3", "play Mp3 repeat"}));
    Musik_steuern(3, "c.mp3");
    Musik_steuern(0, "c.mp3");
    EXPECT_TRUE(Befehle().empty());
    EXPECT_EQ(iMusikZustand, MUSIK_LAEUFT);
}

TEST_F(MusikSteuern, SteppingWrapsAround)
{
    Ziffer(2);
    EXPECT_EQ(iMusikTitel, 2);
    EXPECT_EQ(dwMusikTitelZeit, 5000u);
    Befehle();
    headless_advance(100);
    Vor();
    EXPECT_EQ(iMusikTitel, 0);
    EXPECT_EQ(dwMusikTitelZeit, 5100u);
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"close Mp3", "open a.mp3 type MPEGVideo Alias Mp3", "play Mp3"}));
    Zurueck();
    EXPECT_EQ(iMusikTitel, 2);
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"close Mp3", "open c.mp3 type MPEGVideo Alias Mp3", "play Mp3"}));
    Zurueck();
    EXPECT_EQ(iMusikTitel, 1);
}

TEST_F(MusikSteuern, DigitsOutOfRangePlayTheFirstTrack)
{
    Ziffer(5);
    EXPECT_EQ(iMusikTitel, 0);
    EXPECT_EQ(Befehle()[0], "open a.mp3 type MPEGVideo Alias Mp3");
    Ziffer(1);
    EXPECT_EQ(iMusikTitel, 1);
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"close Mp3", "open b.mp3 type MPEGVideo Alias Mp3", "play Mp3"}));
    Ziffer(0);
    EXPECT_EQ(iMusikTitel, 0);
}

TEST_F(MusikSteuern, RandomChoiceNeverRepeatsTheCurrentTrack)
{
    for (int i = 0; i < 50; i++) {
        int vorher = iMusikTitel;
        Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
        Musik_Titel_waehlen(0, TITEL_ZUFALL);
        EXPECT_NE(iMusikTitel, vorher);
        EXPECT_GE(iMusikTitel, 0);
        EXPECT_LT(iMusikTitel, 3);
    }

    Titel({"nur.mp3"});
    iMusikZustand = MUSIK_ZU;
    Befehle();
    Musik_Titel_waehlen(0, TITEL_ZUFALL);
    EXPECT_EQ(iMusikTitel, 0);
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"open nur.mp3 type MPEGVideo Alias Mp3", "play Mp3"}));
}

TEST_F(MusikSteuern, RoundStartWhileMarkedPlayingChangesNothing)
{
    Ziffer(1);
    Befehle();
    headless_advance(60000);  // the track has long ended; nobody noticed
    Musik_Titel_waehlen(0, TITEL_ZUFALL);
    EXPECT_EQ(iMusikTitel, 1);
    EXPECT_EQ(dwMusikTitelZeit, 5000u);
    EXPECT_TRUE(Befehle().empty());
}

TEST_F(MusikSteuern, F2SwitchesOffAndBackOn)
{
    Ziffer(1);
    Befehle();
    F2();
    EXPECT_EQ(bMusikAn, 0);
    EXPECT_EQ(iMusikZustand, MUSIK_ZU);
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"close Mp3"}));

    // Track keys still choose and show the name, but stay silent.
    headless_advance(300);
    Vor();
    EXPECT_EQ(iMusikTitel, 2);
    EXPECT_EQ(dwMusikTitelZeit, 5300u);
    Ziffer(0);
    EXPECT_EQ(iMusikTitel, 0);
    Musik_Titel_waehlen(0, TITEL_ZUFALL);
    EXPECT_TRUE(Befehle().empty());
    EXPECT_EQ(iMusikZustand, MUSIK_ZU);

    int titel = iMusikTitel;
    F2();
    EXPECT_EQ(bMusikAn, 1);
    EXPECT_EQ(iMusikZustand, MUSIK_LAEUFT);
    EXPECT_EQ(Befehle(), (std::vector<std::string>{"open " + std::string(szMusikDatei[titel]) +
                                                       " type MPEGVideo Alias Mp3",
                                                   "play Mp3 repeat"}));
}

TEST_F(MusikSteuern, WithoutTracksNothingEverHappens)
{
    Titel({});
    iMusikZustand = MUSIK_KEINE;
    Ziffer(1);
    Vor();
    Zurueck();
    Musik_Titel_waehlen(0, TITEL_ZUFALL);
    F2();
    F2();
    Musik_steuern(MUSIK_SPIELEN, "a.mp3");
    EXPECT_TRUE(Befehle().empty());
    EXPECT_EQ(dwMusikTitelZeit, 0u) << "no name is ever shown";
    EXPECT_EQ(iMusikZustand, MUSIK_KEINE);
}
