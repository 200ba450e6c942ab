// Whole frames as the game draws them, one line of bitmap text, and the
// start-up from WinMain to the first title frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "bench_hilfe.h"
#include "graphics/bitmaptext.h"
#include "graphics/ddraw.h"
#include "platform/blit_simd.h"
#include "platform/headless/headless.h"
#include "screens/screens.h"
#include "shell/spiel.h"
#include "world/welt.h"

namespace {

const int B = 1024, H = 768;

// The targets sway and the view scrolls by 20 every tenth frame, to and
// fro, as edge scrolling would: successive frames differ as in play.
void Welt_schritt(int frame, const int32_t basisX[], const int32_t basisY[]) {
    const int phase = frame % 40;
    const int versatz = 3 * (phase < 20 ? phase - 10 : 30 - phase);
    for (int i = 0; i < MAX_OBJEKTE; ++i) {
        Objekt& o = Objekte[i];
        if (o.iZustand != ZUS_AKTIV) continue;
        o.iPosX = basisX[i] + versatz;
        o.iPosY = basisY[i] + versatz / 3;
        Objekt_Position_abgleichen(i);
    }
    if (frame % 10 == 0) Ansicht_scrollen(frame % 100 < 50 ? SCROLL_LINKS : SCROLL_RECHTS, 20);
}

// Spiel_zeichnen up to and including the flip; with umsetzen also the
// palette conversion that the SDL backend does inside that flip, of the
// pixels that changed since the last frame; "rows" is the span of rows
// the texture would get.
void Frame_spielen(benchmark::State& state, bool umsetzen) {
    if (!Bench_Runde_aufbauen()) return state.SkipWithError("the game did not start");
    std::vector<uint32_t> textur(static_cast<size_t>(B) * H);
    uint32_t tabelle[256];
    int aktiv = 0;
    for (const Objekt& o : Objekte) aktiv += o.iZustand == ZUS_AKTIV && o.bSichtbar == 1;
    state.counters["targets"] = aktiv;
    int32_t basisX[MAX_OBJEKTE], basisY[MAX_OBJEKTE];
    for (int i = 0; i < MAX_OBJEKTE; ++i) {
        basisX[i] = Objekte[i].iPosX;
        basisY[i] = Objekte[i].iPosY;
    }
    const int32_t scrollVorher = iScrollX;
    PlatBlitAbgleich abgleich;
    int32_t von = 0, bis = 0;
    int frame = 0;
    int64_t zeilen = 0;
    for (auto _ : state) {
        if (umsetzen) Welt_schritt(++frame, basisX, basisY);
        Spiel_zeichnen();
        if (umsetzen) {
            plat_common_blit_tabelle_bauen(headless_palette(), tabelle);
            plat_common_blit_palette_nachfuehren(&abgleich, headless_frame(), headless_frame_pitch(), B, H, tabelle,
                                                 reinterpret_cast<uint8_t*>(textur.data()), 4 * B, &von, &bis);
            zeilen += bis - von;
        }
        benchmark::ClobberMemory();
    }
    if (umsetzen && frame > 0) state.counters["rows"] = static_cast<double>(zeilen) / frame;
    for (int i = 0; i < MAX_OBJEKTE; ++i) {
        Objekte[i].iPosX = basisX[i];
        Objekte[i].iPosY = basisY[i];
        Objekt_Position_abgleichen(i);
    }
    iScrollX = scrollVorher;
}

void Frame_spielen_ohne(benchmark::State& state) { Frame_spielen(state, false); }
void Frame_spielen_mit(benchmark::State& state) { Frame_spielen(state, true); }

void Frame_menue(benchmark::State& state) {
    if (!Bench_Menue_aufbauen()) return state.SkipWithError("the game did not start");
    for (auto _ : state) {
        Menue_zeigen();
        benchmark::ClobberMemory();
    }
}

void Text_zwanzig(benchmark::State& state) {
    if (!Bench_Runde_aufbauen()) return state.SkipWithError("the game did not start");
    for (auto _ : state) {
        BitmapText_ausgeben(lpDDSFont, "Points:0000 Time:180", 10, 10, TEXT_LINKS, lpDDSBack);
        benchmark::ClobberMemory();
    }
}

// ----------------------------------------------------------- start-up

using Uhr = std::chrono::steady_clock;
Uhr::time_point g_erster_frame;
bool g_frame_gesehen = false;

// Watches every platform call; the first flip is the first title frame.
void Start_beobachten(void) {
    if (g_frame_gesehen || headless_flip_count() < 1) return;
    g_erster_frame = Uhr::now();
    g_frame_gesehen = true;
    plat_post_message(hWnd, WM_CLOSE, 0, 0);
}

void Start_bis_Titel(benchmark::State& state) {
    Bench_Spiel_vergessen();
    HeadlessConfig cfg;
    cfg.account = "Bench";
    cfg.account_set = true;
    for (auto _ : state) {
        headless_reset(cfg);
        headless_set_observer(Start_beobachten);
        g_frame_gesehen = false;
        iGameState = GS_TITLE;
        const Uhr::time_point start = Uhr::now();
        WinMain(nullptr, nullptr, nullptr, 1);
        headless_set_observer(nullptr);
        if (!g_frame_gesehen) return state.SkipWithError("no title frame");
        state.SetIterationTime(std::chrono::duration<double>(g_erster_frame - start).count());
    }
    headless_reset(cfg);
}

}   // namespace

void Bench_Spiel_anmelden(int wiederholungen) {
    struct Eintrag {
        const char* name;
        void (*fn)(benchmark::State&);
    };
    const Eintrag eintraege[] = {
        {"frame/playing", Frame_spielen_ohne},
        {"frame/playing+palette", Frame_spielen_mit},
        {"frame/menu", Frame_menue},
        {"text/20-chars", Text_zwanzig},
    };
    for (const Eintrag& e : eintraege)
        benchmark::RegisterBenchmark(e.name, e.fn)
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(0.05)
            ->Repetitions(wiederholungen);
    benchmark::RegisterBenchmark("startup/first-title-frame", Start_bis_Titel)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3)
        ->Repetitions(wiederholungen);
}
