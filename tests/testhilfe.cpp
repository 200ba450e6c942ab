// Placeholder until the test helpers are built.
#include "testhilfe.h"

std::string Testordner_anlegen(bool) { return ""; }
RunnerErgebnis Spiel_laufen_lassen(const std::string&, HeadlessConfig) { return {}; }
std::vector<std::string> Log_finden(const std::vector<std::string>&, const std::string&) { return {}; }
bool Log_enthaelt(const std::vector<std::string>&, const std::string&) { return false; }
std::string Datei_lesen(const std::string&) { return ""; }
void Datei_schreiben(const std::string&, const std::string&) {}
