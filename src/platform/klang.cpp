// The sound helpers both real backends use.
#include "platform/klang.h"

#include <strings.h>

#include <cmath>
#include <cstring>

namespace {

enum { BEFEHL_MAX = 4096 };

const char* const ALIAS = "Mp3";
const char* const OEFFNEN_ENDE = " type MPEGVideo Alias Mp3";

bool gleich(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

void leer_abschneiden(char* s) {
    size_t n = std::strlen(s);
    while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\t')) s[--n] = 0;
}

char* leer_ueberspringen(char* s) {
    while (*s == ' ' || *s == '\t') ++s;
    return s;
}

int oeffnen_lesen(char* rest, PlatMciBefehl* befehl) {
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
    befehl->art = MCI_OEFFNEN;
    befehl->datei = name;
    return 0;
}

int spielen_lesen(char* rest, PlatMciBefehl* befehl) {
    char* danach = std::strchr(rest, ' ');
    if (danach != nullptr) {
        *danach = 0;
        if (!gleich(leer_ueberspringen(danach + 1), "repeat")) return MCI_UNBEKANNTER_BEFEHL;
        befehl->wiederholen = true;
    }
    if (!gleich(rest, ALIAS)) return MCI_UNBEKANNTES_GERAET;
    befehl->art = MCI_SPIELEN;
    return 0;
}

}   // namespace

void plat_common_klang_pan_pegel(int32_t pan, uint8_t* links, uint8_t* rechts) {
    if (pan < -10000) pan = -10000;
    if (pan > 10000) pan = 10000;
    const int32_t betrag = pan < 0 ? -pan : pan;
    const long leise = std::lround(255.0 * std::pow(10.0, -betrag / 2000.0));
    const uint8_t gedaempft = static_cast<uint8_t>(leise < 0 ? 0 : (leise > 255 ? 255 : leise));
    *links = pan > 0 ? gedaempft : 255;
    *rechts = pan < 0 ? gedaempft : 255;
}

int plat_common_klang_mci_lesen(const char* command, PlatMciBefehl* befehl) {
    *befehl = PlatMciBefehl();
    if (command == nullptr) return MCI_UNBEKANNTER_BEFEHL;
    const size_t laenge = std::strlen(command);
    if (laenge >= BEFEHL_MAX) return MCI_UNBEKANNTER_BEFEHL;
    char text[BEFEHL_MAX];
    std::memcpy(text, command, laenge + 1);
    leer_abschneiden(text);

    char* wort = leer_ueberspringen(text);
    char* rest = std::strchr(wort, ' ');
    if (rest == nullptr) return MCI_UNBEKANNTER_BEFEHL;
    *rest = 0;
    rest = leer_ueberspringen(rest + 1);
    if (gleich(wort, "open")) return oeffnen_lesen(rest, befehl);
    if (gleich(wort, "play")) return spielen_lesen(rest, befehl);
    if (gleich(wort, "close")) {
        if (!gleich(rest, ALIAS)) return MCI_UNBEKANNTES_GERAET;
        befehl->art = MCI_SCHLIESSEN;
        return 0;
    }
    return MCI_UNBEKANNTER_BEFEHL;
}
