// The runner's script: any text is either a list of events, handed out
// again in time order, or refused with the number of a line it has.
#include <string>
#include <vector>

#include "fuzz_hilfe.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz_anfangen();
    return 0;
}

static bool Bekannte_Nachricht(uint32_t m) {
    return m == WM_KEYDOWN || m == WM_CHAR || m == WM_MOUSEMOVE || m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN ||
           m == WM_CLOSE;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t laenge) {
    FuzzEingabe eingabe;
    const std::string text(reinterpret_cast<const char*>(daten), laenge);
    std::vector<HeadlessEreignis> ereignisse(1);
    int zeile = -1;
    bool ok = headless_script_parse(text, &ereignisse, &zeile);

    size_t zeilen = 1;
    for (char c : text) zeilen += c == '\n';
    if (!ok) {
        Fuzz_Pruefen(zeile >= 1 && (size_t)zeile <= zeilen, "a refused script names one of its lines");
        Fuzz_Pruefen(ereignisse.size() == 1, "a refused script hands out nothing");
        return 0;
    }
    Fuzz_Pruefen(zeile == 0, "an accepted script names no line");

    DWORD spaeteste = 0;
    size_t nachrichten = 0;
    for (const HeadlessEreignis& e : ereignisse) {
        Fuzz_Pruefen(e.is_action ? (e.verb == "shot" || e.verb == "globals") : Bekannte_Nachricht(e.msg.message),
                     "only the script's own verbs");
        spaeteste = e.ms > spaeteste ? e.ms : spaeteste;
        nachrichten += !e.is_action;
    }

    // Every message comes out of the drain once its time has come.
    headless_script_set(ereignisse);
    headless_advance(spaeteste);
    MSG msg;
    size_t geholt = 0;
    while (geholt <= nachrichten && plat_peek_message(&msg)) {
        Fuzz_Pruefen(Bekannte_Nachricht(msg.message), "the drain hands out what the script said");
        geholt++;
    }
    Fuzz_Pruefen(geholt == nachrichten, "each message once");
    return 0;
}
