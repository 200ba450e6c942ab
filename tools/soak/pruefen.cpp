// What the soak checks between rounds: the score file, the music commands
// and the memory the process holds.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "assets/highscore.h"
#include "soak.h"

#ifdef SOAK_ASAN
// The sanitizer runtime has it; GCC does not ship the header that names it.
extern "C" size_t __sanitizer_get_current_allocated_bytes(void);
#else
#include <malloc.h>
#endif

std::string Bestenliste_pruefen(const std::string* name, int32_t punkte) {
    std::ifstream in(HIGHSCORE_DATEI, std::ios::binary);
    const std::string d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const BYTE* b = reinterpret_cast<const BYTE*>(d.data());
    if (int fehler = Highscore_pruefen(b, static_cast<DWORD>(d.size())))
        return "Score.dat (" + std::to_string(d.size()) +
               " bytes) is refused by the game's reader: " + std::to_string(fehler);
    if (std::ifstream(HIGHSCORE_DATEI ".tmp")) return "Score.dat.tmp left behind";
    if (std::memcmp(b + HS_EINTRAEGE, HighscoreListe, sizeof HighscoreListe) != 0)
        return "Score.dat differs from the game's list";

    bool gefunden = name == nullptr;
    for (int i = 0; i < MAX_HIGHSCORES; i++) {
        const HighscoreEintrag& e = HighscoreListe[i];
        const std::string platz = "Score.dat entry " + std::to_string(i + 1);
        if (!std::memchr(e.szName, 0, sizeof e.szName)) return platz + ": name not terminated";
        if (i > 0 && HighscoreListe[i - 1].iPunktzahl < e.iPunktzahl)
            return platz + ": " + std::to_string(e.iPunktzahl) + " below a lower score";
        if (name && e.iPunktzahl == punkte && *name == e.szName) gefunden = true;
    }
    if (!gefunden) return "Score.dat lacks the entry just made: " + *name + " " + std::to_string(punkte);
    return "";
}

std::string Musik_befehl_pruefen(const std::string& befehl, bool* offen) {
    const bool oeffnen = befehl.rfind("open ", 0) == 0;
    const bool schliessen = befehl == "close Mp3";
    const bool spielen = befehl == "play Mp3" || befehl == "play Mp3 repeat";
    if (!oeffnen && !schliessen && !spielen) return "unknown media command: " + befehl;
    if (oeffnen == *offen) return "media command out of turn: " + befehl;
    if (!spielen) *offen = oeffnen;
    return "";
}

SoakSpeicher Speicher_messen(void) {
    SoakSpeicher s;
#ifdef SOAK_ASAN
    // The sanitizer's own count: quarantine and caches are not in it.
    s.heap = __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 m = mallinfo2();
    s.heap = m.uordblks + m.hblkhd;
#endif
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char zeile[256];
        while (std::fgets(zeile, sizeof zeile, f))
            if (std::sscanf(zeile, "VmRSS: %ld", &s.rss_kb) == 1) break;
        std::fclose(f);
    }
    return s;
}
