// Placeholder until the runner is built.
#include "runner.h"

RunnerErgebnis Runner_ausfuehren(const RunnerOptionen&) { return {}; }
std::string Runner_Zustandsname(int state) { return std::to_string(state); }
