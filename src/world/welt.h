// The playfield: eleven targets, rounds, movement, shooting, scoring and
// the playing frame.
#ifndef GLUBBERSHOOT_WELT_H
#define GLUBBERSHOOT_WELT_H

#include "graphics/ddraw.h"
#include "world/kulisse.h"

#define MAX_OBJEKTE 11
#define MAX_ARTEN 5

enum { ART_KLEIN = 0, ART_MITTEL = 1, ART_GROSS = 2, ART_STEIGER = 3, ART_VERSTECK = 4 };
enum { ZUS_AKTIV = 0, ZUS_GETROFFEN = 1, ZUS_WARTEND = 2, ZUS_ABGESTUERZT = 3 };
enum { PHASE_STEIGEN = 0, PHASE_OBEN = 1, PHASE_SINKEN = 2 };
enum { SCROLL_LINKS = 1, SCROLL_RECHTS = 2 };

struct Objekt {
    int32_t iPosX;
    int32_t iPosY;
    int32_t iTempoX;
    int32_t iTempoY;
    int32_t iZustand;
    int32_t iRichtung;
    int32_t iPhase;
    DWORD dwZeitStart;
    DWORD dwZeitDauer;
    BYTE bBewegt;
    BYTE bSichtbar;
    BYTE bHinten;
    BYTE bAnimiert;
    int32_t iWeltLinks;
    int32_t iWeltRechts;
    int32_t iWeltOben;
    int32_t iWeltUnten;
    Sprite Figur;
};

extern Sprite Vorlagen[MAX_ARTEN];
extern Objekt Objekte[MAX_OBJEKTE];
extern POINT ptVerstecke[MAX_VERSTECKE];
extern int32_t iVersteckPlatz;
extern int32_t iSekundenTakt;
extern DWORD dwGeraeusch1Start, dwGeraeusch1Dauer, dwGeraeusch2Start, dwGeraeusch2Dauer;
extern int32_t iLetztePunkte;
extern DWORD dwPunkteZeit;
extern int32_t iEinschussX, iEinschussY;
extern DWORD dwEinschussZeit;
extern DWORD dwAnimTakt;

// Objects
void Welt_anlegen(void);
void Sprite_spiegeln(Sprite* sprite);
void Objekt_anlegen(const Sprite* vorlage, Objekt* ziel, BYTE hinten);
void Objekt_ausrichten(int index, BYTE links);
void Objekt_Position_abgleichen(int index);

// Rounds and movement
void Runde_starten(void);
void Flieger_starten(int index);
void Steiger_starten(int index, int32_t zustand);
void Versteck_starten(int index, int32_t zustand);
void Objekt_Wartezeit_setzen(int index);
void Objekt_wiederkehren(int index);
void Welt_bewegen(void);
void Objekt_bewegen(int index);   // one step of the direction table
void Flieger_Richtung_wechseln(int index);
void Flieger_Grenzen_pruefen(int index);
void Auftauchen_pruefen(int index);
void Steiger_pruefen(int index);
void Versteck_pruefen(int index);
void Runde_Zeit_zaehlen(void);
void Geraeusche_abspielen(void);
void Objekt_Sound_spielen(int index, int sektor);
void Ansicht_scrollen(int richtung, int schritt);
void Ansicht_Randscrollen(int x);
void Spiel_bewegen(void);

// Shooting
void Schuss_abgeben(int x, int y);
void Gewehr_laden(void);
BYTE Objekt_getroffen(int index, int32_t wx, int32_t wy);
BYTE Kulisse_verdeckt(int32_t wx, int32_t wy);
void Einschuss_zeigen(int x, int y, BYTE stempeln);

// Drawing
void Spiel_zeichnen(void);
void Objekte_zeichnen(BYTE ebene);
void Objekte_animieren(void);
void Anzeige_zeichnen(void);
void Patronen_zeichnen(PlatSurface* patrone);
void Meldungen_zeichnen(void);
void Debug_Objekte_zeigen(void);

#endif
