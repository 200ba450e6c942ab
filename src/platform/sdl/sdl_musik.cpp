// The media commands of the music player on SDL_mixer's music stream:
// "open <file> type MPEGVideo Alias Mp3", "play Mp3", "play Mp3 repeat",
// "close Mp3". Anything else is refused with an error code and no effect.
#include <SDL_mixer.h>

#include <cstring>

#include "platform/sdl/sdl_intern.h"

namespace {

// Error numbers as the media control interface reports them.
enum {
    MCI_FEHLER_BASIS = 256,
    MCI_UNBEKANNTER_BEFEHL = MCI_FEHLER_BASIS + 5,
    MCI_UNBEKANNTES_GERAET = MCI_FEHLER_BASIS + 7,
    MCI_DATEI_FEHLT = MCI_FEHLER_BASIS + 19,
    MCI_GERAET_NICHT_BEREIT = MCI_FEHLER_BASIS + 20,
    MCI_ALIAS_BELEGT = MCI_FEHLER_BASIS + 33,
};

enum { BEFEHL_MAX = 4096 };

const char* const ALIAS = "Mp3";
const char* const OEFFNEN_ENDE = " type MPEGVideo Alias Mp3";

Mix_Music* pMusik = nullptr;

// Keywords and the alias are compared without regard to case.
bool Gleich(const char* a, const char* b) {
    return SDL_strcasecmp(a, b) == 0;
}

void Leer_abschneiden(char* s) {
    size_t n = std::strlen(s);
    while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\t')) s[--n] = 0;
}

char* Leer_ueberspringen(char* s) {
    while (*s == ' ' || *s == '\t') ++s;
    return s;
}

int Oeffnen(char* rest) {
    const size_t laenge = std::strlen(rest);
    const size_t ende = std::strlen(OEFFNEN_ENDE);
    if (laenge <= ende || !Gleich(rest + laenge - ende, OEFFNEN_ENDE)) return MCI_UNBEKANNTER_BEFEHL;
    rest[laenge - ende] = 0;   // the name may hold spaces: all up to " type "
    Leer_abschneiden(rest);
    char* name = Leer_ueberspringen(rest);
    const size_t n = std::strlen(name);
    if (n >= 2 && name[0] == '"' && name[n - 1] == '"') {
        name[n - 1] = 0;
        ++name;
    }
    if (*name == 0) return MCI_UNBEKANNTER_BEFEHL;
    if (pMusik != nullptr) return MCI_ALIAS_BELEGT;
    if (!Audio_oeffnen()) return MCI_GERAET_NICHT_BEREIT;
    pMusik = Mix_LoadMUS(name);
    return pMusik != nullptr ? 0 : MCI_DATEI_FEHLT;
}

int Spielen(char* rest) {
    char* wort = rest;
    char* danach = std::strchr(wort, ' ');
    bool bWiederholen = false;
    if (danach != nullptr) {
        *danach = 0;
        char* zusatz = Leer_ueberspringen(danach + 1);
        if (!Gleich(zusatz, "repeat")) return MCI_UNBEKANNTER_BEFEHL;
        bWiederholen = true;
    }
    if (!Gleich(wort, ALIAS) || pMusik == nullptr) return MCI_UNBEKANNTES_GERAET;
    return Mix_PlayMusic(pMusik, bWiederholen ? -1 : 0) == 0 ? 0 : MCI_GERAET_NICHT_BEREIT;
}

int Schliessen(const char* rest) {
    if (!Gleich(rest, ALIAS) || pMusik == nullptr) return MCI_UNBEKANNTES_GERAET;
    Musik_freigeben();
    return 0;
}

} // namespace

void Musik_freigeben(void) {
    if (pMusik == nullptr) return;
    Mix_HaltMusic();
    Mix_FreeMusic(pMusik);
    pMusik = nullptr;
}

int plat_mci_send_string(const char* command) {
    if (command == nullptr) return MCI_UNBEKANNTER_BEFEHL;
    const size_t laenge = std::strlen(command);
    if (laenge >= BEFEHL_MAX) return MCI_UNBEKANNTER_BEFEHL;
    char szBefehl[BEFEHL_MAX];
    std::memcpy(szBefehl, command, laenge + 1);
    Leer_abschneiden(szBefehl);

    char* wort = Leer_ueberspringen(szBefehl);
    char* rest = std::strchr(wort, ' ');
    if (rest == nullptr) return MCI_UNBEKANNTER_BEFEHL;
    *rest = 0;
    rest = Leer_ueberspringen(rest + 1);
    if (Gleich(wort, "open")) return Oeffnen(rest);
    if (Gleich(wort, "play")) return Spielen(rest);
    if (Gleich(wort, "close")) return Schliessen(rest);
    return MCI_UNBEKANNTER_BEFEHL;
}
