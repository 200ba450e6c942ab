// Shared helpers of the tests: temporary folders with the generated data
// files, and whole-game runs through the headless runner.
#ifndef GLUBBERSHOOT_TESTHILFE_H
#define GLUBBERSHOOT_TESTHILFE_H

#include <string>
#include <vector>

#include "runner/runner.h"

// A fresh empty folder under the system's temporary folder; with mit_daten
// the seven generated data files are linked into it (read them, or replace
// them with Datei_schreiben; never write into them). The folder is made
// the current directory. Returns its path.
std::string Testordner_anlegen(bool mit_daten = true);

// Runs the whole game in the current directory with the script.
RunnerErgebnis Spiel_laufen_lassen(const std::string& script, HeadlessConfig cfg = HeadlessConfig());

// Lines of the log that contain the text, in order.
std::vector<std::string> Log_finden(const std::vector<std::string>& log, const std::string& teil);
bool Log_enthaelt(const std::vector<std::string>& log, const std::string& teil);
// The lines that contain wort, each cut to what follows it (with the word
// itself when mit_wort).
std::vector<std::string> Log_nach(const std::vector<std::string>& log, const std::string& wort, bool mit_wort = false);

// Reads a whole file; empty when missing.
std::string Datei_lesen(const std::string& pfad);
// A new file in the place of any link.
void Datei_schreiben(const std::string& pfad, const std::string& inhalt);

#endif
