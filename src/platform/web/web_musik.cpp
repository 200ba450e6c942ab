// The media commands of the music player on the page's own MP3 decoder
// (an audio element): "open <file> type MPEGVideo Alias Mp3", "play Mp3",
// "play Mp3 repeat", "close Mp3". Anything else is refused with an error
// code and no effect, as on the desktop.
#include <emscripten.h>

#include "platform/klang.h"
#include "platform/web/web_intern.h"

namespace {

EM_JS(int, js_musik_oeffnen, (const char* datei), { return glubber.musik.oeffnen(UTF8ToString(datei)) ? 1 : 0; });
EM_JS(void, js_musik_spielen, (int wiederholen), { glubber.musik.spielen(wiederholen != 0); });
EM_JS(void, js_musik_schliessen, (), { glubber.musik.schliessen(); });

bool g_offen = false;

}   // namespace

int plat_mci_send_string(const char* command) {
    if (command != nullptr) web_protokoll("mci " + std::string(command));
    PlatMciBefehl befehl;
    const int fehler = plat_common_klang_mci_lesen(command, &befehl);
    if (fehler != 0) return fehler;
    if (befehl.art == MCI_OEFFNEN) {
        if (g_offen) return MCI_ALIAS_BELEGT;
        if (js_musik_oeffnen(befehl.datei.c_str()) == 0) return MCI_DATEI_FEHLT;
        g_offen = true;
        return 0;
    }
    if (!g_offen) return MCI_UNBEKANNTES_GERAET;
    if (befehl.art == MCI_SPIELEN) {
        js_musik_spielen(befehl.wiederholen ? 1 : 0);
        return 0;
    }
    js_musik_schliessen();
    g_offen = false;
    return 0;
}
