// The required data files and the search for music.
#ifndef GLUBBERSHOOT_DATEIEN_H
#define GLUBBERSHOOT_DATEIEN_H

#define MAX_PFLICHTDATEIEN 7

// The files the game cannot start without, in its working folder.
extern const char* const szPflichtDateien[MAX_PFLICHTDATEIEN];

bool Datei_vorhanden(const char* datei);
bool Dateien_pruefen(void);
bool Musik_suchen(void);
bool Verzeichnis_durchsuchen(const char* verzeichnis, const char* endung);

#endif
