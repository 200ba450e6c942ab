"""The browser build's figures in headless Chromium (`make bench-web`):
the cost of a whole playing frame measured in the page (game step,
drawing, palette conversion, canvas upload), beside the desktop figure of
the same frame; the time from page load to the first title frame; the
whole download; the processor time of the tab's renderer in the menu.
Prints one line per target: "target <name> <measured> <limit> ok|FAIL".

  web_messen.py --web build-web [--desktop-bench build/bench/glubbershoot_bench] [--sekunden 30]"""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import seite  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

GRENZEN = {"web-frame-playing-ms": 4.0, "web-first-title-frame-ms": 1500.0, "web-download-mb": 12.0,
           "web-renderer-cpu-menu-percent": 25.0}
TAKT = os.sysconf("SC_CLK_TCK")
fehler = 0


def ziel(name, gemessen):
    global fehler
    grenze = GRENZEN[name]
    ok = gemessen is not None and gemessen <= grenze
    fehler += 0 if ok else 1
    wert = "n/a" if gemessen is None else "%.2f" % gemessen
    print("target %s %s <=%g %s" % (name, wert, grenze, "ok" if ok else "FAIL"))


def prozesse():
    """pid -> (parent, command line, processor ticks) of every process."""
    alle = {}
    for eintrag in os.listdir("/proc"):
        if not eintrag.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % eintrag) as f:
                stat = f.read()
            with open("/proc/%s/cmdline" % eintrag, "rb") as f:
                befehl = f.read().replace(b"\0", b" ").decode(errors="replace")
        except OSError:
            continue
        felder = stat[stat.rindex(")") + 2:].split()
        alle[int(eintrag)] = (int(felder[1]), befehl, int(felder[11]) + int(felder[12]))
    return alle


def nachkommen(alle, wurzel):
    kinder = {}
    for pid, (eltern, _, _) in alle.items():
        kinder.setdefault(eltern, []).append(pid)
    aus, offen = [], [wurzel]
    while offen:
        pid = offen.pop()
        for kind in kinder.get(pid, []):
            aus.append(kind)
            offen.append(kind)
    return aus


def verbraucht(browser, vorher):
    """Processor ticks of the browser's processes since `vorher` (a
    prozesse()): the busiest renderer's, and all of them together."""
    nachher = prozesse()
    renderer = gesamt = 0
    for pid in nachkommen(nachher, browser.d.service.process.pid):
        if pid not in vorher:
            continue
        ticks = nachher[pid][2] - vorher[pid][2]
        gesamt += ticks
        if "--type=renderer" in nachher[pid][1]:
            renderer = max(renderer, ticks)
    return renderer, gesamt


def ladezeit_und_groesse(web, komprimieren):
    with seite.sitzung(web, komprimieren) as (server, browser):
        zeiten, groesse = [], 0
        for _ in range(3):
            browser.d.get(server.adresse())
            zeiten.append(browser.warten("glubber.test.ersterFrame()", 30))
            groesse = browser.js(
                "performance.getEntriesByType('navigation').concat(performance.getEntriesByType('resource'))"
                ".reduce(function (s, e) { return s + e.transferSize; }, 0)")
        return statistics.median(zeiten), groesse / 1e6


def spielframes(web, fenster=None):
    """Work per frame (ms) in a round, measured in the page, and frames a second."""
    with seite.sitzung(web) as (server, browser):
        browser.laden(server.adresse())
        if fenster:
            browser.d.set_window_size(*fenster)
        else:
            browser.eins_zu_eins()
        browser.warten("glubber.test.ersterFrame()", 30)
        time.sleep(1.0)
        browser.tasten(Keys.SPACE)
        time.sleep(1.0)
        browser.zeigen(500, 420)
        browser.tasten(Keys.RETURN)
        time.sleep(8.0)   # the countdown, then the round
        vorher = prozesse()
        browser.js("glubber.test.messen(true)")
        time.sleep(6.0)
        werte = browser.js("glubber.test.messen(false)")[1:]
        # The whole renderer a frame: also what the browser draws and
        # composites outside the game's code.
        renderer, _ = verbraucht(browser, vorher)
        faktor = browser.js("glubber.test.faktor()")
        return ([w[0] for w in werte], len(werte) / 6.0, statistics.mean(w[1] for w in werte), faktor,
                renderer / TAKT * 1000 / max(1, len(werte)))


def menue_cpu(web, sekunden):
    with seite.sitzung(web) as (server, browser):
        browser.laden(server.adresse())
        browser.eins_zu_eins()
        browser.warten("glubber.test.ersterFrame()", 30)
        browser.tasten(Keys.SPACE)
        time.sleep(2.0)
        vorher = prozesse()
        anfang = time.time()
        time.sleep(sekunden)
        ticks = verbraucht(browser, vorher)
        prozent = 100 / TAKT / (time.time() - anfang)
        return ticks[0] * prozent, ticks[1] * prozent


def desktop_figur(programm):
    if not programm or not os.path.isfile(programm):
        return None
    lauf = subprocess.run([programm, "--benchmark_filter=frame/playing"], capture_output=True, text=True,
                          timeout=600)
    for zeile in lauf.stdout.splitlines():
        if zeile.strip().startswith("playing frame with the palette conversion"):
            return float(zeile.split()[-2])
    return None


def main():
    teiler = argparse.ArgumentParser()
    teiler.add_argument("--web", required=True)
    teiler.add_argument("--desktop-bench")
    teiler.add_argument("--sekunden", type=int, default=30)
    args = teiler.parse_args()
    web = os.path.abspath(args.web)
    if not os.path.isfile(os.path.join(web, "glubbershoot.wasm")):
        print("bench-web: no browser build in %s (make web)" % web, file=sys.stderr)
        return 1
    with open("/proc/cpuinfo") as f:
        modell = next((z.split(":", 1)[1].strip() for z in f if z.startswith("model name")), "?")
    print("machine: %s, %d cores; %s" % (modell, os.cpu_count(),
                                         subprocess.run(["/usr/bin/chromium", "--version"], capture_output=True,
                                                        text=True).stdout.strip()))

    arbeit, rate, zeilen, _, renderer = spielframes(web)
    arbeit.sort()
    median = statistics.median(arbeit)
    print("playing frame in the page (1:1): median %.2f ms, 90th percentile %.2f ms, %.1f frames/s, "
          "%.0f rows converted a frame; the whole renderer %.2f ms a frame"
          % (median, arbeit[int(len(arbeit) * 0.9)], rate, zeilen, renderer))
    gross, gross_rate, _, faktor, renderer = spielframes(web, (1300, 1100))
    print("playing frame in the page (enlarged by %d, then smoothed): median %.2f ms, %.1f frames/s; "
          "the whole renderer %.2f ms a frame" % (faktor, statistics.median(gross), gross_rate, renderer))
    desktop = desktop_figur(args.desktop_bench)
    if desktop is not None:
        print("the same frame on the desktop (make bench, playing frame with the palette conversion): %.3f ms"
              % (desktop / 1000))

    laden, groesse = ladezeit_und_groesse(web, False)
    laden_gz, groesse_gz = ladezeit_und_groesse(web, True)
    print("page load to the first title frame: %.0f ms (gzip server: %.0f ms)" % (laden, laden_gz))
    print("download: %.2f MB (gzip server: %.2f MB)" % (groesse, groesse_gz))

    renderer, gesamt = menue_cpu(web, args.sekunden)
    print("processor in the menu over %d s: renderer %.1f %% of a core, all of Chromium %.1f %%"
          % (args.sekunden, renderer, gesamt))
    print()
    ziel("web-frame-playing-ms", median)
    ziel("web-first-title-frame-ms", laden)
    ziel("web-download-mb", groesse)
    ziel("web-renderer-cpu-menu-percent", renderer)
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(main())
