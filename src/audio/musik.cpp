// MP3 music: one track at a time under the media alias "Mp3".
#include "audio/musik.h"

#include <cstdio>

#include "kern/kern.h"

char szMusikDatei[MAX_MUSIK][MUSIK_NAME_LAENGE] = {};
int32_t iMusikAnzahl = 0;
int32_t iMusikTitel = 0;
int32_t iMusikZustand = MUSIK_ZU;
BYTE bMusikAn = 1;
DWORD dwMusikTitelZeit = 0;

static void Musik_oeffnen(int operation, const char* datei) {
    char szKurz[MUSIK_NAME_LAENGE] = {};
    if (!datei) datei = "";
    // Without a short form the name is passed as it is.
    if (!plat_get_short_path_name(datei, szKurz, sizeof(szKurz))) snprintf(szKurz, sizeof(szKurz), "%s", datei);

    char szBefehl[2048] = {};
    snprintf(szBefehl, sizeof(szBefehl), "open %s type MPEGVideo Alias Mp3", szKurz);
    plat_mci_send_string(szBefehl);
    plat_mci_send_string(operation == MUSIK_SPIELEN ? "play Mp3" : "play Mp3 repeat");
    // The answers are not looked at: a file that will not play stays silent.
    iMusikZustand = MUSIK_LAEUFT;
}

void Musik_steuern(int operation, const char* datei) {
    if (iMusikZustand == MUSIK_KEINE || bMusikAn == 0) return;

    switch (operation) {
        case MUSIK_SPIELEN:
        case MUSIK_WIEDERHOLEN:
            if (iMusikZustand == MUSIK_ZU) Musik_oeffnen(operation, datei);
            break;
        case MUSIK_SCHLIESSEN:
            if (iMusikZustand == MUSIK_LAEUFT) {
                plat_mci_send_string("close Mp3");
                iMusikZustand = MUSIK_ZU;
            }
            break;
        default:
            break;
    }
}

void Musik_Titel_waehlen(int index, int modus) {
    const int32_t n = iMusikAnzahl < MAX_MUSIK ? iMusikAnzahl : MAX_MUSIK;
    if (n <= 0) return;

    switch (modus) {
        case TITEL_ZUFALL:
            do {
                index = Zufall() % n;
            } while (index == iMusikTitel && n >= 2);
            break;
        case TITEL_ZURUECK:
            Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
            index = iMusikTitel - 1;
            break;
        case TITEL_VOR:
            Musik_steuern(MUSIK_SCHLIESSEN, nullptr);
            index = iMusikTitel + 1;
            break;
        default:
            break;
    }

    if (index >= n) index = 0;
    if (index < 0) index = n - 1;

    if (iMusikZustand == MUSIK_LAEUFT) return;

    iMusikTitel = index;
    dwMusikTitelZeit = plat_get_tick_count();
    Musik_steuern(MUSIK_SPIELEN, szMusikDatei[index]);
}
