#include "png.h"

#include <cstdio>
#include <string>

#include <zlib.h>

namespace {

void Wort_anhaengen(std::vector<uint8_t>& v, uint32_t wert) {
    v.push_back(static_cast<uint8_t>(wert >> 24));
    v.push_back(static_cast<uint8_t>(wert >> 16));
    v.push_back(static_cast<uint8_t>(wert >> 8));
    v.push_back(static_cast<uint8_t>(wert));
}

// Length, type, data, and a CRC over type and data.
void Block_anhaengen(std::vector<uint8_t>& datei, const char typ[4], const std::vector<uint8_t>& daten) {
    Wort_anhaengen(datei, static_cast<uint32_t>(daten.size()));
    const size_t anfang = datei.size();
    datei.insert(datei.end(), typ, typ + 4);
    datei.insert(datei.end(), daten.begin(), daten.end());
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), datei.data() + anfang, static_cast<uInt>(datei.size() - anfang));
    Wort_anhaengen(datei, static_cast<uint32_t>(crc));
}

}   // namespace

int Png_kodieren(int iBreite, int iHoehe, const uint32_t* argb, std::vector<uint8_t>& datei) {
    datei.clear();
    if (argb == nullptr || iBreite < 1 || iHoehe < 1 || iBreite > PNG_MAX_KANTE || iHoehe > PNG_MAX_KANTE) return 1;

    // Each row: filter type 0 (none), then R, G, B, A per pixel.
    const size_t zeile = 1 + static_cast<size_t>(iBreite) * 4;
    std::vector<uint8_t> roh(zeile * static_cast<size_t>(iHoehe));
    for (int y = 0; y < iHoehe; ++y) {
        uint8_t* z = &roh[zeile * static_cast<size_t>(y)];
        *z++ = 0;
        for (int x = 0; x < iBreite; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y) * static_cast<size_t>(iBreite) + static_cast<size_t>(x)];
            *z++ = static_cast<uint8_t>(p >> 16);
            *z++ = static_cast<uint8_t>(p >> 8);
            *z++ = static_cast<uint8_t>(p);
            *z++ = static_cast<uint8_t>(p >> 24);
        }
    }
    uLongf gepackt_laenge = compressBound(static_cast<uLong>(roh.size()));
    std::vector<uint8_t> gepackt(gepackt_laenge);
    if (compress2(gepackt.data(), &gepackt_laenge, roh.data(), static_cast<uLong>(roh.size()), Z_BEST_COMPRESSION) !=
        Z_OK)
        return 2;
    gepackt.resize(gepackt_laenge);

    static const uint8_t SIGNATUR[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    datei.assign(SIGNATUR, SIGNATUR + 8);
    std::vector<uint8_t> kopf;
    Wort_anhaengen(kopf, static_cast<uint32_t>(iBreite));
    Wort_anhaengen(kopf, static_cast<uint32_t>(iHoehe));
    kopf.push_back(8);   // bits per channel
    kopf.push_back(6);   // RGBA
    kopf.push_back(0);   // deflate
    kopf.push_back(0);   // adaptive filters
    kopf.push_back(0);   // not interlaced
    Block_anhaengen(datei, "IHDR", kopf);
    Block_anhaengen(datei, "IDAT", gepackt);
    Block_anhaengen(datei, "IEND", {});
    return 0;
}

int Png_schreiben(const char* szDatei, int iBreite, int iHoehe, const uint32_t* argb) {
    std::vector<uint8_t> datei;
    const int fehler = Png_kodieren(iBreite, iHoehe, argb, datei);
    if (fehler != 0) return fehler;
    if (szDatei == nullptr || *szDatei == 0) return 3;

    // A build stopped half-way must not leave a cut-off icon behind.
    const std::string neu = std::string(szDatei) + ".neu";
    FILE* f = std::fopen(neu.c_str(), "wb");
    if (f == nullptr) return 3;
    const bool geschrieben = std::fwrite(datei.data(), 1, datei.size(), f) == datei.size();
    if (std::fclose(f) != 0 || !geschrieben || std::rename(neu.c_str(), szDatei) != 0) {
        std::remove(neu.c_str());
        return 3;
    }
    return 0;
}
