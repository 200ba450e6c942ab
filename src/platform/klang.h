// What the sound backends share: the pan scale as two channel levels, and
// the media commands of the music player read into their parts.
#ifndef GLUBBERSHOOT_KLANG_H
#define GLUBBERSHOOT_KLANG_H

#include <cstdint>
#include <string>

// Pan on the platform's scale (-10000 full left .. 10000 full right,
// hundredths of a decibel taken off the far side) as the levels 0..255
// of the left and right channel; values beyond the ends count as the ends.
void plat_common_klang_pan_pegel(int32_t pan, uint8_t* links, uint8_t* rechts);

// Error numbers as the media control interface reports them.
enum {
    MCI_FEHLER_BASIS = 256,
    MCI_UNBEKANNTER_BEFEHL = MCI_FEHLER_BASIS + 5,
    MCI_UNBEKANNTES_GERAET = MCI_FEHLER_BASIS + 7,
    MCI_DATEI_FEHLT = MCI_FEHLER_BASIS + 19,
    MCI_GERAET_NICHT_BEREIT = MCI_FEHLER_BASIS + 20,
    MCI_ALIAS_BELEGT = MCI_FEHLER_BASIS + 33,
};

enum { MCI_OEFFNEN = 1, MCI_SPIELEN = 2, MCI_SCHLIESSEN = 3 };

struct PlatMciBefehl {
    int art = 0;                // MCI_OEFFNEN, MCI_SPIELEN or MCI_SCHLIESSEN
    bool wiederholen = false;   // "play Mp3 repeat"
    std::string datei;          // the file of "open", quotes taken off
};

// "open <file> type MPEGVideo Alias Mp3", "play Mp3", "play Mp3 repeat",
// "close Mp3", keywords and alias in any case: 0 and the command's parts.
// Anything else: MCI_UNBEKANNTER_BEFEHL, or MCI_UNBEKANNTES_GERAET for
// another alias; the backend still says whether the alias is open.
int plat_common_klang_mci_lesen(const char* command, PlatMciBefehl* befehl);

#endif
