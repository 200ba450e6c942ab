// glubbershoot-fuzz-seeds: the seed corpus of every fuzz target, made by
// the content generator's own encoders: valid files as the game ships
// them, and near misses one step away from each check of the readers.
//
//   glubbershoot-fuzz-seeds DIR    writes DIR/<target>/<name> for each target
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz_eingaben.h"
#include "inhalt.h"

namespace fs = std::filesystem;
typedef std::vector<uint8_t> Bytes;

namespace {

const int TYP_BMP = 2000, TYP_WAV = 1000;
const size_t INDEX = 544, KENNUNG = 404, OFFSETS = 204;

fs::path g_ziel;
int g_anzahl = 0;
bool g_fehler = false;

void Ablegen(const char* ziel, const std::string& name, const Bytes& b)
{
    fs::path ordner = g_ziel / ziel;
    std::error_code ec;
    fs::create_directories(ordner, ec);
    FILE* f = std::fopen((ordner / name).c_str(), "wb");
    if (!f || std::fwrite(b.data(), 1, b.size(), f) != b.size()) {
        std::fprintf(stderr, "glubbershoot-fuzz-seeds: cannot write %s/%s\n", ziel, name.c_str());
        g_fehler = true;
    }
    if (f)
        std::fclose(f);
    g_anzahl++;
}

void Le32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        b.push_back((uint8_t)(v >> (8 * i)));
}

void Setze32(Bytes& b, size_t pos, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        b[pos + i] = (uint8_t)(v >> (8 * i));
}

void Setze16(Bytes& b, size_t pos, uint16_t v)
{
    b[pos] = (uint8_t)v;
    b[pos + 1] = (uint8_t)(v >> 8);
}

Bytes Text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

Bytes Verbinden(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// One sector in slot `sektor` of an archive with nothing else in it.
Bytes Archiv(int sektor, const Bytes& daten, int typ)
{
    std::vector<Bytes> sektoren(sektor + 1);
    sektoren[sektor] = daten;
    return PackFile_bauen(sektoren, typ);
}

size_t Index_an(const Bytes& archiv)
{
    return archiv.size() - INDEX;
}

// ------------------------------------------------------------- archives

void Archive_ablegen(void)
{
    Bytes voll = PackFile_bauen({Bmp_kodieren(Patrone_malen()), {}, Wav_kodieren(std::vector<int16_t>(64, 100), 22050)},
                                TYP_BMP);
    Ablegen("packfile", "two-sectors", voll);
    Ablegen("packfile", "index-only", PackFile_bauen({}, TYP_BMP));

    const char* falsch[] = {"packFile-1.0", "PackFile-1.1", "PackFile-1.", "PackFile-1.0X"};
    for (const char* k : falsch) {
        Bytes b = voll;
        memcpy(&b[Index_an(b) + KENNUNG], k, strlen(k) + 1);
        Ablegen("packfile", std::string("magic-") + k, b);
    }
    Bytes kurz(voll.end() - (long)INDEX + 1, voll.end());
    Ablegen("packfile", "one-short-of-an-index", kurz);
    Ablegen("packfile", "empty", {});
    Bytes nachlauf = voll;
    nachlauf.push_back(0);
    Ablegen("packfile", "one-byte-after-the-index", nachlauf);
}

// ------------------------------------------------------------- pictures

Bytes Bild_eingabe(int sektor, int flaeche, int schalter, const Bytes& archiv)
{
    return Verbinden({(uint8_t)sektor, (uint8_t)(flaeche | schalter)}, archiv);
}

void Bilder_ablegen(void)
{
    struct Gueltig {
        int sektor, flaeche;
        Bild bild;
    };
    const Gueltig gueltig[] = {
        {7, 0, Flieger_malen(0, 0)},   {8, 1, Flieger_malen(1, 0)}, {6, 2, Flieger_malen(2, 0)},
        {27, 3, Steiger_malen(0)},     {36, 4, Versteck_malen(0)}, {32, 5, Patrone_malen()},
        {2, 6, Einschuss_malen()},
    };
    for (const Gueltig& g : gueltig) {
        Bytes a = Archiv(g.sektor, Bmp_kodieren(g.bild), TYP_BMP);
        std::string name = "sector-" + std::to_string(g.sektor);
        Ablegen("bild", name, Bild_eingabe(g.sektor, g.flaeche, 0, a));
        Ablegen("bild", name + "-palette", Bild_eingabe(g.sektor, g.flaeche, FUZZ_BILD_PALETTE, a));
        Ablegen("bild", name + "-mirrored-wide", Bild_eingabe(g.sektor, g.flaeche, FUZZ_BILD_SPIEGELN | FUZZ_BILD_BREIT, a));
    }

    // Near misses around the shell picture (32 x 128, sector 32).
    const Bytes bmp = Bmp_kodieren(Patrone_malen());
    auto abwandeln = [&](const std::string& name, size_t pos, int bytes, uint32_t wert) {
        Bytes b = bmp;
        if (bytes == 2)
            Setze16(b, pos, (uint16_t)wert);
        else
            Setze32(b, pos, wert);
        Ablegen("bild", name, Bild_eingabe(32, 5, 0, Archiv(32, b, TYP_BMP)));
    };
    abwandeln("one-wider", 18, 4, 33);
    abwandeln("one-lower", 22, 4, 127);
    abwandeln("top-down", 22, 4, (uint32_t)-128);
    abwandeln("four-bits", 28, 2, 4);
    abwandeln("true-colour", 28, 2, 24);
    for (size_t laenge : {10u, 14u, 40u, 54u, 600u, 1078u, 1078u + 32u * 64u}) {
        Bytes b(bmp.begin(), bmp.begin() + (long)laenge);
        Ablegen("bild", "cut-at-" + std::to_string(laenge), Bild_eingabe(32, 5, FUZZ_BILD_PALETTE, Archiv(32, b, TYP_BMP)));
    }
    Ablegen("bild", "sound-type", Bild_eingabe(32, 5, 0, Archiv(32, bmp, TYP_WAV)));
    Ablegen("bild", "sector-41", Bild_eingabe(41, 5, 0, Archiv(41, bmp, TYP_BMP)));
    Ablegen("bild", "sector-40", Bild_eingabe(40, 5, 0, Archiv(40, bmp, TYP_BMP)));
    Bytes weit = Archiv(32, bmp, TYP_BMP);
    Setze32(weit, Index_an(weit) + OFFSETS + 4 * 32, (uint32_t)weit.size() + 7);
    Ablegen("bild", "offset-past-the-end", Bild_eingabe(32, 5, 0, weit));
    Setze32(weit, Index_an(weit) + OFFSETS + 4 * 32, 0x80000000u);
    Ablegen("bild", "offset-negative", Bild_eingabe(32, 5, 0, weit));

    // The large surfaces: only their headers fit a seed.
    const int gross[] = {7, 8, 9, 10};
    for (int f : gross) {
        Bild b;
        b.iBreite = FUZZ_FLAECHEN[f].iBreite;
        b.iHoehe = 2;
        b.px.assign((size_t)b.iBreite * 2, 7);
        Bytes k = Bmp_kodieren(b);
        Setze32(k, 22, (uint32_t)FUZZ_FLAECHEN[f].iHoehe);
        Ablegen("bild", "header-of-surface-" + std::to_string(f), Bild_eingabe(1, f, FUZZ_BILD_PALETTE, Archiv(1, k, TYP_BMP)));
    }
}

// --------------------------------------------------------------- sounds

Bytes Chunk(const char* id, const Bytes& daten, int64_t groesse = -1)
{
    Bytes b = Text(std::string(id, 4));
    Le32(b, groesse < 0 ? (uint32_t)daten.size() : (uint32_t)groesse);
    b = Verbinden(b, daten);
    if (daten.size() & 1)
        b.push_back(0);
    return b;
}

Bytes Pcm(uint16_t kanaele, uint32_t rate, uint16_t bits, uint16_t art = 1)
{
    Bytes b(16);
    Setze16(b, 0, art);
    Setze16(b, 2, kanaele);
    Setze32(b, 4, rate);
    Setze32(b, 8, rate * kanaele * bits / 8);
    Setze16(b, 12, (uint16_t)(kanaele * bits / 8));
    Setze16(b, 14, bits);
    return b;
}

Bytes Riff(const Bytes& chunks, int64_t groesse = -1)
{
    Bytes b = Text("RIFF");
    Le32(b, groesse < 0 ? (uint32_t)(4 + chunks.size()) : (uint32_t)groesse);
    return Verbinden(Verbinden(b, Text("WAVE")), chunks);
}

void Klaenge_ablegen(void)
{
    auto ablegen = [](const std::string& name, int sektor, const Bytes& sektordaten, int typ = TYP_WAV) {
        Ablegen("sound", name, Verbinden({(uint8_t)sektor}, Archiv(sektor, sektordaten, typ)));
    };
    ablegen("short-tone", 0, Wav_kodieren(std::vector<int16_t>(200, 1000), KLANG_RATE));
    ablegen("key-click", 18, Wav_kodieren(Effekt_erzeugen(18), KLANG_RATE));

    const Bytes fmt = Chunk("fmt ", Pcm(1, 22050, 8)), daten = Chunk("data", Bytes(40, 0x80));
    ablegen("data-before-fmt", 5, Riff(Verbinden(daten, fmt)));
    ablegen("odd-list-between", 5, Riff(Verbinden(Verbinden(fmt, Chunk("LIST", Text("INFOabc"))), daten)));
    ablegen("data-past-the-end", 5, Riff(Verbinden(fmt, Chunk("data", Bytes(10, 1), 5000))));
    ablegen("no-fmt", 5, Riff(daten));
    ablegen("no-data", 5, Riff(fmt));
    ablegen("riff-size-huge", 5, Riff(Verbinden(fmt, daten), 0xFFFFFFF0u));
    ablegen("chunk-size-huge", 5, Riff(Verbinden(Chunk("junk", Bytes(2, 0), 0xFFFFFFFFu), daten)));
    ablegen("data-size-huge", 5, Riff(Verbinden(fmt, Chunk("data", Bytes(8, 0), 0x7FFFFFFFu))));
    ablegen("float-format", 5, Riff(Verbinden(Chunk("fmt ", Pcm(1, 22050, 32, 3)), daten)));
    ablegen("stereo-16", 5, Riff(Verbinden(Chunk("fmt ", Pcm(2, 44100, 16)), daten)));
    ablegen("fmt-cut", 5, Riff(Verbinden(Chunk("fmt ", Bytes(6, 1)), daten)));
    ablegen("empty-data", 5, Riff(Verbinden(fmt, Chunk("data", {}))));
    ablegen("sector-21", 21, Riff(Verbinden(fmt, daten)));
    ablegen("picture-type", 3, Riff(Verbinden(fmt, daten)), TYP_BMP);
    Bytes rifx = Riff(Verbinden(fmt, daten));
    rifx[3] = 'X';
    ablegen("not-riff", 5, rifx);
}

// ---------------------------------------------------------- high scores

Bytes Score(const std::vector<std::pair<int32_t, std::string>>& e, uint16_t minute = 12, uint16_t sekunde = 34,
            const std::string& version = "Glubbershoot 1009")
{
    Bytes b(288, 0);
    memcpy(&b[0], version.data(), version.size() < 32 ? version.size() : 32);
    const uint16_t zeit[8] = {2024, 5, 3, 16, 20, minute, sekunde, 999};
    for (int i = 0; i < 8; i++)
        Setze16(b, 32 + 2 * i, zeit[i]);
    for (size_t i = 0; i < 10; i++) {
        std::pair<int32_t, std::string> x = i < e.size() ? e[i] : std::make_pair(100, std::string("Leer"));
        Setze32(b, 48 + 24 * i, (uint32_t)x.first);
        memcpy(&b[52 + 24 * i], x.second.data(), x.second.size() < 20 ? x.second.size() : 20);
    }
    return b;
}

void Punktelisten_ablegen(void)
{
    auto ablegen = [](const std::string& name, int32_t punkte, const std::string& spieler, const Bytes& datei) {
        Bytes kopf(FUZZ_SCORE_KOPF, 0);
        Setze32(kopf, 0, (uint32_t)punkte);
        memcpy(&kopf[4], spieler.data(), spieler.size() < FUZZ_SCORE_NAME ? spieler.size() : FUZZ_SCORE_NAME);
        Ablegen("score", name, Verbinden(kopf, datei));
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

void Skripte_ablegen(void)
{
    const char* gut[] = {
        "# a comment\n\n100 key RETURN\n200 key ESCAPE\n300 char j\n",
        "0 move 512 384\n10 lclick\n20 rclick\n30 close\n",
        "100 key a\n100 key Z\n100 key 5\n100 key ?\n100 char #0\n100 char #255\n",
        "5000 globals\n6000 shot frame.bmp\n7000 key F2 # trailing comment\r\n",
        "4294967295 key UP\n0 key down\n1 key Left\n2 key TAB\n3 key BACK\n4 key SPACE\n",
    };
    const char* falsch[] = {
        "100 jump\n", "x key RETURN\n", "100 key\n", "100 move 1\n", "100 move 65536 1\n",
        "4294967296 close\n", "100 char #256\n", "100 key NOPE\n", "100 close extra\n", "100 char ab\n",
    };
    int n = 0;
    for (const char* s : gut)
        Ablegen("skript", "good-" + std::to_string(n++), Text(s));
    n = 0;
    for (const char* s : falsch)
        Ablegen("skript", "bad-" + std::to_string(n++), Text(s));
}

}  // namespace

int main(int argc, char** argv)
{
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
    if (g_fehler)
        return 1;
    std::printf("glubbershoot-fuzz-seeds: %d seeds in %s\n", g_anzahl, g_ziel.c_str());
    return 0;
}
