// The file formats the game reads: 8-bit BMP pictures, RIFF/WAVE sounds
// and the PackFile archive around them.
#include <algorithm>
#include <cstdio>

#include "bau/bau.h"
#include "inhalt.h"

std::vector<uint8_t> Bmp_kodieren(const Bild& b) {
    const size_t zeile = (size_t)(b.iBreite + 3) & ~(size_t)3;
    Bytes farben;
    farben.reserve(BAU_BMP_FARBEN);
    for (int i = 0; i < 256; i++) farben.insert(farben.end(), {Palette[i].b, Palette[i].g, Palette[i].r, 0});
    Bytes zeilen(zeile * (size_t)b.iHoehe, 0);
    for (int y = b.iHoehe - 1, n = 0; y >= 0; y--, n++)
        std::copy_n(&b.px[(size_t)y * b.iBreite], b.iBreite, &zeilen[zeile * n]);
    return Bau_Bmp(b.iBreite, b.iHoehe, farben, zeilen);
}

std::vector<uint8_t> Wav_kodieren(const std::vector<int16_t>& samples, int rate) {
    Bytes daten;
    daten.reserve(samples.size() * 2);
    for (int16_t s : samples) Bau_Word_anhaengen(daten, (uint16_t)s);
    return Bau_Wave(Bau_Pcm(1, (uint32_t)rate, 16), daten);
}

std::vector<uint8_t> PackFile_bauen(const std::vector<std::vector<uint8_t>>& sektoren, int typ) {
    BauArchiv a;
    for (size_t i = 0; i < sektoren.size(); i++)
        if (!sektoren[i].empty()) a.sektoren.push_back({(int)i, typ, sektoren[i]});
    return Bau_Archiv(a);
}

bool Datei_schreiben(const std::string& pfad, const std::vector<uint8_t>& daten) {
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
