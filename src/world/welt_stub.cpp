// Placeholder bodies until this subsystem is built; the owner replaces this file.
#include "world/welt.h"

Sprite Vorlagen[MAX_ARTEN]{};
Objekt Objekte[MAX_OBJEKTE]{};
POINT ptVerstecke[MAX_VERSTECKE]{};
int32_t iVersteckPlatz{};
int32_t iSekundenTakt{};
DWORD dwGeraeusch1Start{};
DWORD dwGeraeusch1Dauer{};
DWORD dwGeraeusch2Start{};
DWORD dwGeraeusch2Dauer{};
int32_t iLetztePunkte{};
DWORD dwPunkteZeit{};
int32_t iEinschussX{};
int32_t iEinschussY{};
DWORD dwEinschussZeit{};
DWORD dwAnimTakt{};
void Welt_anlegen(void) {}
void Sprite_spiegeln([[maybe_unused]] Sprite* sprite) {}
void Objekt_anlegen([[maybe_unused]] const Sprite* vorlage, [[maybe_unused]] Objekt* ziel, [[maybe_unused]] BYTE hinten) {}
void Objekt_ausrichten([[maybe_unused]] int index, [[maybe_unused]] BYTE links) {}
void Objekt_Position_abgleichen([[maybe_unused]] int index) {}
void Runde_starten(void) {}
void Flieger_starten([[maybe_unused]] int index) {}
void Steiger_starten([[maybe_unused]] int index, [[maybe_unused]] int32_t zustand) {}
void Versteck_starten([[maybe_unused]] int index, [[maybe_unused]] int32_t zustand) {}
void Objekt_Wartezeit_setzen([[maybe_unused]] int index) {}
void Objekt_wiederkehren([[maybe_unused]] int index) {}
void Welt_bewegen(void) {}
void Objekt_bewegen([[maybe_unused]] int index) {}
void Flieger_Richtung_wechseln([[maybe_unused]] int index) {}
void Flieger_Grenzen_pruefen([[maybe_unused]] int index) {}
void Auftauchen_pruefen([[maybe_unused]] int index) {}
void Steiger_pruefen([[maybe_unused]] int index) {}
void Versteck_pruefen([[maybe_unused]] int index) {}
void Runde_Zeit_zaehlen(void) {}
void Geraeusche_abspielen(void) {}
void Objekt_Sound_spielen([[maybe_unused]] int index, [[maybe_unused]] int sektor) {}
void Ansicht_scrollen([[maybe_unused]] int richtung, [[maybe_unused]] int schritt) {}
void Ansicht_Randscrollen([[maybe_unused]] int x) {}
void Spiel_bewegen(void) {}
void Schuss_abgeben([[maybe_unused]] int x, [[maybe_unused]] int y) {}
void Gewehr_laden(void) {}
BYTE Objekt_getroffen([[maybe_unused]] int index, [[maybe_unused]] int32_t wx, [[maybe_unused]] int32_t wy) { return 0; }
BYTE Kulisse_verdeckt([[maybe_unused]] int32_t wx, [[maybe_unused]] int32_t wy) { return 0; }
void Einschuss_zeigen([[maybe_unused]] int x, [[maybe_unused]] int y, [[maybe_unused]] BYTE stempeln) {}
void Spiel_zeichnen(void) {}
void Objekte_zeichnen([[maybe_unused]] BYTE ebene) {}
void Objekte_animieren(void) {}
void Anzeige_zeichnen(void) {}
void Patronen_zeichnen([[maybe_unused]] PlatSurface* patrone) {}
void Meldungen_zeichnen(void) {}
void Debug_Objekte_zeigen(void) {}
