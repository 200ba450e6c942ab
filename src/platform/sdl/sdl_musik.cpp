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

Mix_Music* g_musik = nullptr;

// Keywords and the alias are compared without regard to case.
bool gleich(const char* a, const char* b) { return SDL_strcasecmp(a, b) == 0; }

void leer_abschneiden(char* s) {
    size_t n = std::strlen(s);
    while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\t')) s[--n] = 0;
}

char* leer_ueberspringen(char* s) {
    while (*s == ' ' || *s == '\t') ++s;
    return s;
}

int oeffnen(char* rest) {
    const size_t laenge = std::strlen(rest);
    const size_t ende = std::strlen(OEFFNEN_ENDE);
    if (laenge <= ende || !gleich(rest + laenge - ende, OEFFNEN_ENDE)) return MCI_UNBEKANNTER_BEFEHL;
    rest[laenge - ende] = 0;   // the name may hold spaces: all up to " type "
    leer_abschneiden(rest);
    char* name = leer_ueberspringen(rest);
    const size_t n = std::strlen(name);
    if (n >= 2 && name[0] == '"' && name[n - 1] == '"') {
        name[n - 1] = 0;
        ++name;
    }
    if (*name == 0) return MCI_UNBEKANNTER_BEFEHL;
    if (g_musik != nullptr) return MCI_ALIAS_BELEGT;
    if (!sdl_audio_oeffnen()) return MCI_GERAET_NICHT_BEREIT;
    g_musik = Mix_LoadMUS(name);
    return g_musik != nullptr ? 0 : MCI_DATEI_FEHLT;
}

int spielen(char* rest) {
    char* wort = rest;
    char* danach = std::strchr(wort, ' ');
    bool wiederholen = false;
    if (danach != nullptr) {
        *danach = 0;
        char* zusatz = leer_ueberspringen(danach + 1);
        if (!gleich(zusatz, "repeat")) return MCI_UNBEKANNTER_BEFEHL;
        wiederholen = true;
    }
    if (!gleich(wort, ALIAS) || g_musik == nullptr) return MCI_UNBEKANNTES_GERAET;
    return Mix_PlayMusic(g_musik, wiederholen ? -1 : 0) == 0 ? 0 : MCI_GERAET_NICHT_BEREIT;
}

int schliessen(const char* rest) {
    if (!gleich(rest, ALIAS) || g_musik == nullptr) return MCI_UNBEKANNTES_GERAET;
    sdl_musik_freigeben();
    return 0;
}

}   // namespace

void sdl_musik_freigeben(void) {
    if (g_musik == nullptr) return;
    Mix_HaltMusic();
    Mix_FreeMusic(g_musik);
    g_musik = nullptr;
}

int plat_mci_send_string(const char* command) {
    if (command == nullptr) return MCI_UNBEKANNTER_BEFEHL;
    const size_t laenge = std::strlen(command);
    if (laenge >= BEFEHL_MAX) return MCI_UNBEKANNTER_BEFEHL;
    char befehl[BEFEHL_MAX];
    std::memcpy(befehl, command, laenge + 1);
    leer_abschneiden(befehl);

    char* wort = leer_ueberspringen(befehl);
    char* rest = std::strchr(wort, ' ');
    if (rest == nullptr) return MCI_UNBEKANNTER_BEFEHL;
    *rest = 0;
    rest = leer_ueberspringen(rest + 1);
    if (gleich(wort, "open")) return oeffnen(rest);
    if (gleich(wort, "play")) return spielen(rest);
    if (gleich(wort, "close")) return schliessen(rest);
    return MCI_UNBEKANNTER_BEFEHL;
}
