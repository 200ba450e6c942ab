// The media commands of the music player on SDL_mixer's music stream:
// "open <file> type MPEGVideo Alias Mp3", "play Mp3", "play Mp3 repeat",
// "close Mp3". Anything else is refused with an error code and no effect.
#include <SDL_mixer.h>

#include "platform/klang.h"
#include "platform/sdl/sdl_intern.h"

namespace {

Mix_Music* g_musik = nullptr;

int oeffnen(const std::string& name) {
    if (g_musik != nullptr) return MCI_ALIAS_BELEGT;
    if (!sdl_audio_oeffnen()) return MCI_GERAET_NICHT_BEREIT;
    g_musik = Mix_LoadMUS(name.c_str());
    return g_musik != nullptr ? 0 : MCI_DATEI_FEHLT;
}

}   // namespace

void sdl_musik_freigeben(void) {
    if (g_musik == nullptr) return;
    Mix_HaltMusic();
    Mix_FreeMusic(g_musik);
    g_musik = nullptr;
}

int plat_mci_send_string(const char* command) {
    PlatMciBefehl befehl;
    const int fehler = plat_common_klang_mci_lesen(command, &befehl);
    if (fehler != 0) return fehler;
    if (befehl.art == MCI_OEFFNEN) return oeffnen(befehl.datei);
    if (g_musik == nullptr) return MCI_UNBEKANNTES_GERAET;
    if (befehl.art == MCI_SPIELEN)
        return Mix_PlayMusic(g_musik, befehl.wiederholen ? -1 : 0) == 0 ? 0 : MCI_GERAET_NICHT_BEREIT;
    sdl_musik_freigeben();
    return 0;
}
