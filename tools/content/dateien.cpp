// The file formats the game reads: 8-bit BMP pictures, RIFF/WAVE sounds
// and the PackFile archive around them.
#include <cstdio>
#include <cstring>

#include "inhalt.h"

enum { INDEX_GROESSE = 544, INDEX_TYPEN = 0, INDEX_OFFSETS = 204, INDEX_KENNUNG = 404, MAX_SLOTS = 50 };

static void U16(std::vector<uint8_t>& d, uint32_t v)
{
    d.push_back((uint8_t)(v & 0xFF));
    d.push_back((uint8_t)((v >> 8) & 0xFF));
}

static void U32(std::vector<uint8_t>& d, uint32_t v)
{
    U16(d, v & 0xFFFF);
    U16(d, v >> 16);
}

static void Text4(std::vector<uint8_t>& d, const char* t) { d.insert(d.end(), t, t + 4); }

static void U32_an(std::vector<uint8_t>& d, size_t pos, uint32_t v)
{
    for (int i = 0; i < 4; i++) d[pos + i] = (uint8_t)(v >> (8 * i));
}

std::vector<uint8_t> Bmp_kodieren(const Bild& b)
{
    uint32_t zeile = (uint32_t)(b.iBreite + 3) & ~3u;
    uint32_t pixel = zeile * (uint32_t)b.iHoehe;
    std::vector<uint8_t> d;
    d.reserve(1078 + pixel);
    d.push_back('B');
    d.push_back('M');
    U32(d, 1078 + pixel);
    U32(d, 0);
    U32(d, 1078);
    U32(d, 40);
    U32(d, (uint32_t)b.iBreite);
    U32(d, (uint32_t)b.iHoehe);   // positive: bottom row first
    U16(d, 1);
    U16(d, 8);
    U32(d, 0);                    // uncompressed
    U32(d, pixel);
    U32(d, 2835);                 // 72 dpi
    U32(d, 2835);
    U32(d, 256);
    U32(d, 256);
    for (int i = 0; i < 256; i++) {
        d.push_back(Palette[i].b);
        d.push_back(Palette[i].g);
        d.push_back(Palette[i].r);
        d.push_back(0);
    }
    for (int y = b.iHoehe - 1; y >= 0; y--) {
        const uint8_t* p = &b.px[(size_t)y * b.iBreite];
        d.insert(d.end(), p, p + b.iBreite);
        for (uint32_t k = (uint32_t)b.iBreite; k < zeile; k++) d.push_back(0);
    }
    return d;
}

std::vector<uint8_t> Wav_kodieren(const std::vector<int16_t>& samples, int rate)
{
    uint32_t daten = (uint32_t)samples.size() * 2;
    std::vector<uint8_t> d;
    d.reserve(44 + daten);
    Text4(d, "RIFF");
    U32(d, 36 + daten);
    Text4(d, "WAVE");
    Text4(d, "fmt ");
    U32(d, 16);
    U16(d, 1);   // PCM
    U16(d, 1);   // mono
    U32(d, (uint32_t)rate);
    U32(d, (uint32_t)rate * 2);
    U16(d, 2);
    U16(d, 16);
    Text4(d, "data");
    U32(d, daten);
    for (int16_t s : samples) U16(d, (uint16_t)s);
    return d;
}

std::vector<uint8_t> PackFile_bauen(const std::vector<std::vector<uint8_t>>& sektoren, int typ)
{
    std::vector<uint8_t> d;
    std::vector<uint32_t> offsets(sektoren.size(), 0);
    for (size_t i = 0; i < sektoren.size() && i < MAX_SLOTS; i++) {
        if (sektoren[i].empty()) continue;
        offsets[i] = (uint32_t)d.size();
        d.insert(d.end(), sektoren[i].begin(), sektoren[i].end());
    }
    size_t index = d.size();
    d.resize(index + INDEX_GROESSE, 0);
    for (size_t i = 0; i < sektoren.size() && i < MAX_SLOTS; i++) {
        if (sektoren[i].empty()) continue;
        U32_an(d, index + INDEX_TYPEN + 4 * i, (uint32_t)typ);
        U32_an(d, index + INDEX_OFFSETS + 4 * i, offsets[i]);
    }
    memcpy(&d[index + INDEX_KENNUNG], "PackFile-1.0", 13);
    return d;
}

bool Datei_schreiben(const std::string& pfad, const std::vector<uint8_t>& daten)
{
    // Written beside the target and renamed, so a failed run never leaves
    // a half file that a later build would take as done.
    std::string temp = pfad + ".neu";
    FILE* f = fopen(temp.c_str(), "wb");
    if (!f) {
        fprintf(stderr, "glubbershoot-content: cannot write %s\n", temp.c_str());
        return false;
    }
    bool ok = fwrite(daten.data(), 1, daten.size(), f) == daten.size();
    ok = (fclose(f) == 0) && ok;
    if (ok) ok = rename(temp.c_str(), pfad.c_str()) == 0;
    if (!ok) {
        remove(temp.c_str());
        fprintf(stderr, "glubbershoot-content: cannot write %s\n", pfad.c_str());
    }
    return ok;
}
