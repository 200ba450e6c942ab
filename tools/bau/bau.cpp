// The game's file formats built in memory and read back.
#include "bau/bau.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "kern/bytefolge.h"

enum {
    INDEX_OFFSETS = offsetof(PackFileVerzeichnis, iSektorOffset),
    INDEX_KENNUNG = offsetof(PackFileVerzeichnis, szKennung),
    INDEX_REST = offsetof(PackFileVerzeichnis, cFrei),
    KENNUNG_GROESSE = sizeof(PackFileVerzeichnis::szKennung),
    NAME_GROESSE = sizeof(HighscoreEintrag::szName),
};

void Bau_Word_anhaengen(Bytes& d, uint16_t w) {
    d.resize(d.size() + 2);
    Bytes_Word_schreiben(&d[d.size() - 2], w);
}

void Bau_DWord_anhaengen(Bytes& d, uint32_t v) {
    d.resize(d.size() + 4);
    Bytes_DWord_schreiben(&d[d.size() - 4], v);
}

Bytes Bau_Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Bau_verbinden(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ------------------------------------------------------------- archives

static bool Slot_gueltig(int nummer) { return nummer >= 0 && nummer < BAU_SLOTS; }

Bytes Bau_Archiv(const BauArchiv& a) {
    Bytes d = a.vorspann;
    std::vector<uint32_t> offsets;
    for (const BauSektor& s : a.sektoren) {
        offsets.push_back((uint32_t)d.size());
        if (!Slot_gueltig(s.iNummer)) continue;
        d.insert(d.end(), s.daten.begin(), s.daten.end());
        d.insert(d.end(), a.luecke.begin(), a.luecke.end());
    }

    const size_t index = d.size();
    d.resize(index + PACKFILE_INDEX_GROESSE, 0);
    for (size_t i = 0; i < a.sektoren.size(); i++) {
        const BauSektor& s = a.sektoren[i];
        if (!Slot_gueltig(s.iNummer)) continue;
        Bytes_Int_schreiben(&d[index + 4 * (size_t)s.iNummer], s.iTyp);
        Bytes_DWord_schreiben(&d[index + INDEX_OFFSETS + 4 * (size_t)s.iNummer], offsets[i]);
    }
    std::string kennung = a.kennung;
    kennung.resize(KENNUNG_GROESSE, '\0');
    memcpy(&d[index + INDEX_KENNUNG], kennung.data(), KENNUNG_GROESSE);
    memset(&d[index + INDEX_REST], a.byRest, PACKFILE_INDEX_GROESSE - INDEX_REST);
    return d;
}

bool Bau_Verzeichnis_lesen(const uint8_t* archiv, size_t laenge, PackFileVerzeichnis* pfv) {
    memset(pfv, 0, sizeof(*pfv));
    if (laenge < PACKFILE_INDEX_GROESSE) return false;
    const uint8_t* index = archiv + laenge - PACKFILE_INDEX_GROESSE;
    for (size_t i = 0; i < sizeof(pfv->iSektorTyp) / 4; i++) pfv->iSektorTyp[i] = Bytes_Int_lesen(index + 4 * i);
    for (size_t i = 0; i < sizeof(pfv->iSektorOffset) / 4; i++)
        pfv->iSektorOffset[i] = Bytes_Int_lesen(index + INDEX_OFFSETS + 4 * i);
    memcpy(pfv->szKennung, index + INDEX_KENNUNG, sizeof(pfv->szKennung));
    memcpy(pfv->cFrei, index + INDEX_REST, sizeof(pfv->cFrei));
    return true;
}

// ------------------------------------------------------------- pictures

Bytes Bau_Bmp(int32_t breite, int32_t hoehe, const Bytes& farben, const Bytes& zeilen, uint16_t bits) {
    Bytes d = {'B', 'M'};
    d.reserve(BAU_BMP_PIXEL + zeilen.size());
    Bau_DWord_anhaengen(d, (uint32_t)(BAU_BMP_PIXEL + zeilen.size()));
    Bau_DWord_anhaengen(d, 0);
    Bau_DWord_anhaengen(d, BAU_BMP_PIXEL);
    Bau_DWord_anhaengen(d, 40);
    Bau_DWord_anhaengen(d, (uint32_t)breite);
    Bau_DWord_anhaengen(d, (uint32_t)hoehe);   // positive: bottom row first
    Bau_Word_anhaengen(d, 1);
    Bau_Word_anhaengen(d, bits);
    Bau_DWord_anhaengen(d, 0);   // uncompressed
    Bau_DWord_anhaengen(d, (uint32_t)zeilen.size());
    Bau_DWord_anhaengen(d, 2835);   // 72 dpi
    Bau_DWord_anhaengen(d, 2835);
    Bau_DWord_anhaengen(d, 256);
    Bau_DWord_anhaengen(d, 256);
    const size_t tabelle = d.size();
    d.insert(d.end(), farben.begin(), farben.begin() + (std::ptrdiff_t)std::min<size_t>(farben.size(), BAU_BMP_FARBEN));
    d.resize(tabelle + BAU_BMP_FARBEN, 0);
    d.insert(d.end(), zeilen.begin(), zeilen.end());
    return d;
}

// --------------------------------------------------------------- sounds

Bytes Bau_Chunk(const char* kennung, const Bytes& daten, int64_t groesse) {
    Bytes d(kennung, kennung + 4);
    d.reserve(8 + daten.size() + 1);
    Bau_DWord_anhaengen(d, groesse < 0 ? (uint32_t)daten.size() : (uint32_t)groesse);
    d.insert(d.end(), daten.begin(), daten.end());
    if (daten.size() & 1) d.push_back(0);
    return d;
}

Bytes Bau_Riff(const Bytes& chunks, int64_t groesse) {
    Bytes d = Bau_Text("RIFF");
    d.reserve(12 + chunks.size());
    Bau_DWord_anhaengen(d, groesse < 0 ? (uint32_t)(4 + chunks.size()) : (uint32_t)groesse);
    d.insert(d.end(), {'W', 'A', 'V', 'E'});
    d.insert(d.end(), chunks.begin(), chunks.end());
    return d;
}

Bytes Bau_Pcm(uint16_t kanaele, uint32_t rate, uint16_t bits, uint16_t art) {
    Bytes d;
    Bau_Word_anhaengen(d, art);
    Bau_Word_anhaengen(d, kanaele);
    Bau_DWord_anhaengen(d, rate);
    Bau_DWord_anhaengen(d, rate * kanaele * bits / 8);
    Bau_Word_anhaengen(d, (uint16_t)(kanaele * bits / 8));
    Bau_Word_anhaengen(d, bits);
    return d;
}

Bytes Bau_Wave(const Bytes& format, const Bytes& samples) {
    return Bau_Riff(Bau_verbinden(Bau_Chunk("fmt ", format), Bau_Chunk("data", samples)));
}

bool Bau_Chunk_finden(const uint8_t* daten, size_t laenge, size_t start, const char* kennung, uint64_t* position,
                      uint32_t* groesse) {
    if ((uint64_t)start + 12 > laenge || memcmp(daten + start, "RIFF", 4) != 0 ||
        memcmp(daten + start + 8, "WAVE", 4) != 0)
        return false;
    uint64_t ende = (uint64_t)start + 8 + Bytes_DWord_lesen(daten + start + 4);
    if (ende > laenge) ende = laenge;
    // Every step moves forward by at least the 8 bytes of a chunk head.
    for (uint64_t pos = (uint64_t)start + 12; pos + 8 <= ende;) {
        const uint32_t n = Bytes_DWord_lesen(daten + pos + 4);
        if (memcmp(daten + pos, kennung, 4) == 0) {
            *position = pos + 8;
            *groesse = n;
            return true;
        }
        pos += 8 + (uint64_t)n + (n & 1);
    }
    return false;
}

// ---------------------------------------------------------- high scores

Bytes Bau_Punkteliste(const BauPunkteliste& p) {
    Bytes d(HIGHSCORE_DATEI_GROESSE, 0);
    memcpy(&d[0], p.version.data(), std::min<size_t>(p.version.size(), HS_VERSION_BLOCK));
    for (int i = 0; i < 8; i++) Bytes_Word_schreiben(&d[HS_ZEIT + 2 * i], p.wZeit[i]);
    for (size_t i = 0; i < p.eintraege.size() && i < MAX_HIGHSCORES; i++) {
        uint8_t* e = &d[HS_EINTRAEGE + HS_EINTRAG_GROESSE * i];
        Bytes_Int_schreiben(e, p.eintraege[i].iPunkte);
        memcpy(e + 4, p.eintraege[i].name.data(), std::min<size_t>(p.eintraege[i].name.size(), NAME_GROESSE));
    }
    return d;
}
