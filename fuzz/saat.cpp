// glubbershoot-fuzz-seeds: the seed corpus of every fuzz target, made by
// the content generator's own encoders: valid files as the game ships
// them, and near misses one step away from each check of the readers.
//
//   glubbershoot-fuzz-seeds DIR    writes DIR/<target>/<name> for each target
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bau/bau.h"
#include "fuzz_eingaben.h"
#include "inhalt.h"
#include "kern/bytefolge.h"

namespace fs = std::filesystem;

namespace {

const size_t KENNUNG = offsetof(PackFileVerzeichnis, szKennung), OFFSETS = offsetof(PackFileVerzeichnis, iSektorOffset);

fs::path g_ziel;
int g_anzahl = 0;
bool g_fehler = false;

void Ablegen(const char* ziel, const std::string& name, const Bytes& b) {
    fs::path ordner = g_ziel / ziel;
    std::error_code ec;
    fs::create_directories(ordner, ec);
    FILE* f = std::fopen((ordner / name).c_str(), "wb");
    if (!f || std::fwrite(b.data(), 1, b.size(), f) != b.size()) {
        std::fprintf(stderr, "glubbershoot-fuzz-seeds: cannot write %s/%s\n", ziel, name.c_str());
        g_fehler = true;
    }
    if (f) std::fclose(f);
    g_anzahl++;
}

// One sector in slot `sektor` of an archive with nothing else in it.
Bytes Archiv(int sektor, const Bytes& daten, int typ) {
    std::vector<Bytes> sektoren(sektor + 1);
    sektoren[sektor] = daten;
    return PackFile_bauen(sektoren, typ);
}

size_t Index_an(const Bytes& archiv) { return archiv.size() - PACKFILE_INDEX_GROESSE; }

// ------------------------------------------------------------- archives

void Archive_ablegen(void) {
    Bytes voll = PackFile_bauen({Bmp_kodieren(Patrone_malen()), {}, Wav_kodieren(std::vector<int16_t>(64, 100), 22050)},
                                SEKTOR_BMP);
    Ablegen("packfile", "two-sectors", voll);
    Ablegen("packfile", "index-only", PackFile_bauen({}, SEKTOR_BMP));

    const char* falsch[] = {"packFile-1.0", "PackFile-1.1", "PackFile-1.", "PackFile-1.0X"};
    for (const char* k : falsch) {
        Bytes b = voll;
        memcpy(&b[Index_an(b) + KENNUNG], k, strlen(k) + 1);
        Ablegen("packfile", std::string("magic-") + k, b);
    }
    Bytes kurz(voll.end() - PACKFILE_INDEX_GROESSE + 1, voll.end());
    Ablegen("packfile", "one-short-of-an-index", kurz);
    Ablegen("packfile", "empty", {});
    Bytes nachlauf = voll;
    nachlauf.push_back(0);
    Ablegen("packfile", "one-byte-after-the-index", nachlauf);
}

// ------------------------------------------------------------- pictures

Bytes Bild_eingabe(int sektor, int flaeche, int schalter, const Bytes& archiv) {
    return Bau_verbinden({(uint8_t)sektor, (uint8_t)(flaeche | schalter)}, archiv);
}

void Bilder_ablegen(void) {
    struct Gueltig {
        int sektor, flaeche;
        Bild bild;
    };
    const Gueltig gueltig[] = {
        {7, 0, Flieger_malen(0, 0)}, {8, 1, Flieger_malen(1, 0)}, {6, 2, Flieger_malen(2, 0)},
        {27, 3, Steiger_malen(0)},   {36, 4, Versteck_malen(0)},  {32, 5, Patrone_malen()},
        {2, 6, Einschuss_malen()},
    };
    for (const Gueltig& g : gueltig) {
        Bytes a = Archiv(g.sektor, Bmp_kodieren(g.bild), SEKTOR_BMP);
        std::string name = "sector-" + std::to_string(g.sektor);
        Ablegen("bild", name, Bild_eingabe(g.sektor, g.flaeche, 0, a));
        Ablegen("bild", name + "-palette", Bild_eingabe(g.sektor, g.flaeche, FUZZ_BILD_PALETTE, a));
        Ablegen("bild", name + "-mirrored-wide",
                Bild_eingabe(g.sektor, g.flaeche, FUZZ_BILD_SPIEGELN | FUZZ_BILD_BREIT, a));
    }

    // Near misses around the shell picture (32 x 128, sector 32).
    const Bytes bmp = Bmp_kodieren(Patrone_malen());
    auto abwandeln = [&](const std::string& name, size_t pos, int bytes, uint32_t wert) {
        Bytes b = bmp;
        if (bytes == 2)
            Bytes_Word_schreiben(&b[pos], (uint16_t)wert);
        else
            Bytes_DWord_schreiben(&b[pos], wert);
        Ablegen("bild", name, Bild_eingabe(32, 5, 0, Archiv(32, b, SEKTOR_BMP)));
    };
    abwandeln("one-wider", 18, 4, 33);
    abwandeln("one-lower", 22, 4, 127);
    abwandeln("top-down", 22, 4, (uint32_t)-128);
    abwandeln("four-bits", 28, 2, 4);
    abwandeln("true-colour", 28, 2, 24);
    for (size_t laenge : {10u, 14u, 40u, 54u, 600u, 1078u, 1078u + 32u * 64u}) {
        Bytes b(bmp.begin(), bmp.begin() + (long)laenge);
        Ablegen("bild", "cut-at-" + std::to_string(laenge),
                Bild_eingabe(32, 5, FUZZ_BILD_PALETTE, Archiv(32, b, SEKTOR_BMP)));
    }
    Ablegen("bild", "sound-type", Bild_eingabe(32, 5, 0, Archiv(32, bmp, SEKTOR_WAV)));
    Ablegen("bild", "sector-41", Bild_eingabe(41, 5, 0, Archiv(41, bmp, SEKTOR_BMP)));
    Ablegen("bild", "sector-40", Bild_eingabe(40, 5, 0, Archiv(40, bmp, SEKTOR_BMP)));
    Bytes weit = Archiv(32, bmp, SEKTOR_BMP);
    Bytes_DWord_schreiben(&weit[Index_an(weit) + OFFSETS + 4 * 32], (uint32_t)weit.size() + 7);
    Ablegen("bild", "offset-past-the-end", Bild_eingabe(32, 5, 0, weit));
    Bytes_DWord_schreiben(&weit[Index_an(weit) + OFFSETS + 4 * 32], 0x80000000u);
    Ablegen("bild", "offset-negative", Bild_eingabe(32, 5, 0, weit));

    // The large surfaces: only their headers fit a seed.
    const int gross[] = {7, 8, 9, 10};
    for (int f : gross) {
        Bild b;
        b.iBreite = FUZZ_FLAECHEN[f].iBreite;
        b.iHoehe = 2;
        b.px.assign((size_t)b.iBreite * 2, 7);
        Bytes k = Bmp_kodieren(b);
        Bytes_DWord_schreiben(&k[22], (uint32_t)FUZZ_FLAECHEN[f].iHoehe);
        Ablegen("bild", "header-of-surface-" + std::to_string(f),
                Bild_eingabe(1, f, FUZZ_BILD_PALETTE, Archiv(1, k, SEKTOR_BMP)));
    }
}

// --------------------------------------------------------------- sounds

void Klaenge_ablegen(void) {
    auto ablegen = [](const std::string& name, int sektor, const Bytes& sektordaten, int typ = SEKTOR_WAV) {
        Ablegen("sound", name, Bau_verbinden({(uint8_t)sektor}, Archiv(sektor, sektordaten, typ)));
    };
    ablegen("short-tone", 0, Wav_kodieren(std::vector<int16_t>(200, 1000), KLANG_RATE));
    ablegen("key-click", 18, Wav_kodieren(Effekt_erzeugen(18), KLANG_RATE));

    const Bytes fmt = Bau_Chunk("fmt ", Bau_Pcm(1, 22050, 8)), daten = Bau_Chunk("data", Bytes(40, 0x80));
    ablegen("data-before-fmt", 5, Bau_Riff(Bau_verbinden(daten, fmt)));
    ablegen("odd-list-between", 5,
            Bau_Riff(Bau_verbinden(Bau_verbinden(fmt, Bau_Chunk("LIST", Bau_Text("INFOabc"))), daten)));
    ablegen("data-past-the-end", 5, Bau_Riff(Bau_verbinden(fmt, Bau_Chunk("data", Bytes(10, 1), 5000))));
    ablegen("no-fmt", 5, Bau_Riff(daten));
    ablegen("no-data", 5, Bau_Riff(fmt));
    ablegen("riff-size-huge", 5, Bau_Riff(Bau_verbinden(fmt, daten), 0xFFFFFFF0u));
    ablegen("chunk-size-huge", 5, Bau_Riff(Bau_verbinden(Bau_Chunk("junk", Bytes(2, 0), 0xFFFFFFFFu), daten)));
    ablegen("data-size-huge", 5, Bau_Riff(Bau_verbinden(fmt, Bau_Chunk("data", Bytes(8, 0), 0x7FFFFFFFu))));
    ablegen("float-format", 5, Bau_Riff(Bau_verbinden(Bau_Chunk("fmt ", Bau_Pcm(1, 22050, 32, 3)), daten)));
    ablegen("stereo-16", 5, Bau_Riff(Bau_verbinden(Bau_Chunk("fmt ", Bau_Pcm(2, 44100, 16)), daten)));
    ablegen("fmt-cut", 5, Bau_Riff(Bau_verbinden(Bau_Chunk("fmt ", Bytes(6, 1)), daten)));
    ablegen("empty-data", 5, Bau_Riff(Bau_verbinden(fmt, Bau_Chunk("data", {}))));
    ablegen("sector-21", 21, Bau_Riff(Bau_verbinden(fmt, daten)));
    ablegen("picture-type", 3, Bau_Riff(Bau_verbinden(fmt, daten)), SEKTOR_BMP);
    Bytes rifx = Bau_Riff(Bau_verbinden(fmt, daten));
    rifx[3] = 'X';
    ablegen("not-riff", 5, rifx);
}

// ---------------------------------------------------------- high scores

Bytes Score(const std::vector<BauEintrag>& e, uint16_t minute = 12, uint16_t sekunde = 34,
            const std::string& version = HIGHSCORE_VERSION) {
    BauPunkteliste p;
    p.version = version;
    p.wZeit[5] = minute;
    p.wZeit[6] = sekunde;
    p.eintraege = e;
    p.eintraege.resize(MAX_HIGHSCORES, BauEintrag{100, "Leer"});
    return Bau_Punkteliste(p);
}

void Punktelisten_ablegen(void) {
    auto ablegen = [](const std::string& name, int32_t punkte, const std::string& spieler, const Bytes& datei) {
        Bytes kopf(FUZZ_SCORE_KOPF, 0);
        Bytes_Int_schreiben(&kopf[0], punkte);
        memcpy(&kopf[4], spieler.data(), spieler.size() < FUZZ_SCORE_NAME ? spieler.size() : FUZZ_SCORE_NAME);
        Ablegen("score", name, Bau_verbinden(kopf, datei));
    };
    const Bytes gut = Score({{900, "Anna"}, {800, "Bert"}, {700, "Cleo"}, {700, "Dora"}, {500, "Emil"}});
    ablegen("valid", 750, "Sechzehn_Zeichen", gut);
    ablegen("valid-equal-to-tenth", 100, "Neu", gut);
    ablegen("unsorted", 5000, "X", Score({{5, "a"}, {700, "b"}, {-3, "c"}, {700, "d"}}));
    ablegen("extremes", INT32_MIN, "Min", Score({{INT32_MAX, "Max"}, {INT32_MIN, "Min"}, {-1, "m"}}));
    ablegen("insert-max", INT32_MAX, "Ganz oben", gut);
    ablegen("minute-60-second-60", 1, "a", Score({}, 60, 60));
    ablegen("minute-61", 1, "a", Score({}, 61, 0));
    ablegen("second-61", 1, "a", Score({}, 0, 61));
    ablegen("version-1008", 1, "a", Score({}, 12, 34, "Glubbershoot 1008"));
    ablegen("version-longer", 1, "a", Score({}, 12, 34, "Glubbershoot 10099"));
    Bytes ohne_ende = Score({{900, std::string(20, 'Z')}, {800, std::string(20, '\xE4')}});
    ablegen("names-fill-their-field", 850, std::string(16, 'N'), ohne_ende);
    Bytes b = gut;
    b.pop_back();
    ablegen("287-bytes", 1, "a", b);
    b.push_back(0);
    b.push_back(0);
    ablegen("289-bytes", 1, "a", b);
    ablegen("missing", 3000, "Erster", {});
}

// ------------------------------------------------------------- scripts

void Skripte_ablegen(void) {
    const char* gut[] = {
        "# a comment\n\n100 key RETURN\n200 key ESCAPE\n300 char j\n",
        "0 move 512 384\n10 lclick\n20 rclick\n30 close\n",
        "100 key a\n100 key Z\n100 key 5\n100 key ?\n100 char #0\n100 char #255\n",
        "5000 globals\n6000 shot frame.bmp\n7000 key F2 # trailing comment\r\n",
        "4294967295 key UP\n0 key down\n1 key Left\n2 key TAB\n3 key BACK\n4 key SPACE\n",
    };
    const char* falsch[] = {
        "100 jump\n",         "x key RETURN\n",  "100 key\n",      "100 move 1\n",      "100 move 65536 1\n",
        "4294967296 close\n", "100 char #256\n", "100 key NOPE\n", "100 close extra\n", "100 char ab\n",
    };
    int n = 0;
    for (const char* s : gut) Ablegen("skript", "good-" + std::to_string(n++), Bau_Text(s));
    n = 0;
    for (const char* s : falsch) Ablegen("skript", "bad-" + std::to_string(n++), Bau_Text(s));
}

}   // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: glubbershoot-fuzz-seeds DIR\n");
        return 2;
    }
    g_ziel = argv[1];
    Palette_anlegen();
    Archive_ablegen();
    Bilder_ablegen();
    Klaenge_ablegen();
    Punktelisten_ablegen();
    Skripte_ablegen();
    if (g_fehler) return 1;
    std::printf("glubbershoot-fuzz-seeds: %d seeds in %s\n", g_anzahl, g_ziel.c_str());
    return 0;
}
