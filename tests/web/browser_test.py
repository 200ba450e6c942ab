"""The game in a real browser: headless Chromium loads build-web/ from a
local server and plays it.

  browser_test.py --web DIR --headless PROG --daten DIR --zielhilfe PROG [Group ...]

Groups: Spiel (a whole session against the headless runner: the same
frames, the same sounds, a record entry kept over a reload), Startfehler
(errors shown in the page), Seite (the page: keys, pointer, scaling, full
screen, audio, storage, music files, the end)."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import seite  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

PFADE = None
TICK0 = 5000
TIEF = seite.score_dat([(0, "Niemand")] * 10)   # every round with points enters it


def pfad_pruefen():
    if not os.path.isfile(os.path.join(PFADE.web, "glubbershoot.wasm")):
        raise AssertionError(
            "no browser build in %s: `make web` builds it (`make test` does so first)" % PFADE.web)


class BrowserFall(unittest.TestCase):
    fehlen = ()

    def setUp(self):
        pfad_pruefen()
        self.server = seite.Server(PFADE.web, fehlen=self.fehlen)
        self.browser = seite.Browser()
        self.ordner = []

    def tearDown(self):
        erwartet = tuple("/%s - " % pfad for pfad in self.fehlen)   # the server's 404 for what a test hides
        fehler = [e for e in self.browser.konsole() if e["level"] == "SEVERE" and not any(
            t in e["message"] for t in erwartet)]
        self.browser.beenden()
        self.server.beenden()
        for o in self.ordner:
            shutil.rmtree(o, ignore_errors=True)
        self.assertEqual(fehler, [], "errors in the page's console")

    def spielordner_anlegen(self, score=None):
        o = seite.spielordner(PFADE.daten, score)
        self.ordner.append(o)
        return o

    def pruefseite(self, zusatz=""):
        return self.server.adresse("?clock=virtual&tick0=%d&frame=16&fast=1&stop=0%s" % (TICK0, zusatz))

    def gleiches_bild(self, browser_bild, bmp, was):
        erwartet = seite.bmp_als_rgba(bmp)
        anzahl, erster = seite.unterschiede(browser_bild, erwartet)
        if anzahl:
            ablage = os.environ.get("GLUBBER_TEST_BILDER", tempfile.gettempdir())
            seite.png_schreiben(os.path.join(ablage, "browser-%s.png" % was), browser_bild)
            seite.png_schreiben(os.path.join(ablage, "headless-%s.png" % was), erwartet)
        self.assertEqual(anzahl, 0, "%s: %d pixels differ from the headless frame, first %s" % (was, anzahl, erster))

    def ziel_finden(self, ordner, ms):
        skript = os.path.join(ordner, "ziel.script")
        with open(skript, "w") as f:
            f.write(seite.skript_aus_eingaben(self.browser.eingaben()))
        lauf = subprocess.run([PFADE.zielhilfe, ordner, skript, str(ms), str(TICK0)], capture_output=True,
                              text=True, timeout=60)
        ziele = [tuple(int(v) for v in z.split()[1:]) for z in lauf.stdout.splitlines() if z.startswith("ziel ")]
        self.assertTrue(ziele, "no target to aim at at %d ms: %s" % (ms, lauf.stderr))
        return ziele[0]

    def bis_zum_spiel(self, ab, bilder=None):
        """Title -> menu -> round intro -> playing; returns the time in play."""
        b = self.browser
        b.tasten(Keys.SPACE)
        t = b.bis(ab + 800)
        if bilder is not None:
            bilder["menue"] = (t, b.bild())
        b.zeigen(500, 400)   # away from the scrolling edges
        b.tasten(Keys.RETURN)
        return b.bis(t + 6500)   # the countdown, "Shot!", then play


class Spiel(BrowserFall):
    """A whole session: the page shows what the headless runner shows for
    the same input at the same virtual times, and keeps a record over a
    reload."""

    def test_spiel_wie_headless_und_rekord_ueber_neu_laden(self):
        b = self.browser
        b.laden(self.pruefseite())
        b.eins_zu_eins()
        # A list of ten zero scores, so one hit makes a record.
        b.bis(0)
        b.datei_schreiben("/gespeichert/Score.dat", TIEF)
        b.laden(self.pruefseite())
        self.assertEqual(b.bis(0), 0)

        bilder = {}
        t_titel = b.bis(1500)
        bilder["titel"] = (t_titel, b.bild())
        t_spiel = self.bis_zum_spiel(t_titel, bilder)
        bilder["spiel"] = (t_spiel, b.bild())
        ordner = self.spielordner_anlegen(TIEF)
        x, y = self.ziel_finden(ordner, t_spiel)[1:]
        b.zeigen(x, y)
        b.klicken()
        t_treffer = b.bis(t_spiel + 300)
        bilder["treffer"] = (t_treffer, b.bild())
        protokoll = b.protokoll()
        eingaben = b.eingaben()

        self.assertIn("%d sound 15 0" % t_spiel, protokoll, "the shot")
        treffer = [z for z in protokoll if z.startswith("%d sound " % t_spiel) and z.split()[2] in ("1", "7", "9")]
        self.assertTrue(treffer, "no hit sound after the aimed shot: %s" % protokoll[-6:])
        self.assertNotEqual(bilder["spiel"][1], bilder["treffer"][1])

        # The same input on the headless backend: the same frames, sounds, waves.
        skript = seite.skript_aus_eingaben(eingaben)
        skript += "".join("%d shot %s\n" % (t, os.path.join(ordner, n + ".bmp")) for n, (t, _) in bilder.items())
        log = seite.headless_spielen(PFADE.headless, ordner, skript, TICK0, t_treffer + 1)
        for name, (t, bild) in bilder.items():
            self.gleiches_bild(bild, os.path.join(ordner, name + ".bmp"), name)
        self.assertEqual(seite.nebenwirkungen(protokoll, t_treffer), seite.nebenwirkungen(log, t_treffer))
        self.assertTrue(any(z.endswith(" state GS_PLAYING") for z in log))

        # Escape to the menu, a second round to its end, the record entry.
        b.tasten(Keys.ESCAPE)
        t = b.bis(t_treffer + 500)
        b.tasten(Keys.RETURN)
        t = b.bis(t + 6500)
        x, y = self.ziel_finden(ordner, t)[1:]
        b.zeigen(x, y)
        b.klicken()
        t = b.bis(t + 190000, sekunden=240)
        self.assertTrue(any(z.split()[1:] == ["sound", "17", "0"] for z in b.protokoll()), "no record sound")
        b.tasten("webtest", Keys.RETURN)
        t = b.bis(t + 300)
        b.warten("glubber.speicher.gesichert()")
        gespeichert = b.datei("/gespeichert/Score.dat")
        self.assertEqual(len(gespeichert), 288)
        self.assertIn(b"webtest", gespeichert)

        # A reload reads the list back from the browser's storage, and the
        # high score list shows it as the headless game shows that file.
        b.laden(self.pruefseite())
        b.bis(0)
        self.assertEqual(b.datei("Score.dat"), gespeichert)
        t = b.bis(1000)
        b.tasten(Keys.SPACE)
        t = b.bis(t + 500)
        b.tasten(Keys.ARROW_DOWN, Keys.RETURN)
        t = b.bis(t + 500)
        liste = b.bild()
        ordner2 = self.spielordner_anlegen(gespeichert)
        skript = seite.skript_aus_eingaben(b.eingaben()) + "%d shot %s\n" % (t, os.path.join(ordner2, "liste.bmp"))
        seite.headless_spielen(PFADE.headless, ordner2, skript, TICK0, t + 1)
        self.gleiches_bild(liste, os.path.join(ordner2, "liste.bmp"), "liste")


class Startfehler(BrowserFall):
    """A start-up error shows the game's own caption and text in the page."""
    fehlen = ("daten/main.wav",)

    def test_fehlende_datei(self):
        b = self.browser
        b.laden(self.server.adresse())
        b.warten("!document.getElementById('dialog').hidden")
        self.assertEqual(b.js("document.getElementById('dialog-titel').textContent"), "Error...")
        self.assertEqual(b.js("document.getElementById('dialog-text').textContent"),
                         "Es fehlt mindestens eine Datei!\nDas Spiel kann leider nicht gestartet werden!")
        self.assertIsNone(b.js("glubber.beendet"), "the game waits while its message is open")
        time.sleep(0.3)
        self.assertIsNone(b.js("glubber.beendet"))
        b.d.find_element("id", "dialog-ok").click()
        b.warten("glubber.beendet !== null")
        self.assertEqual(b.js("glubber.beendet"), 1)
        self.assertTrue(b.js("document.getElementById('dialog').hidden"), "one message, then the end")
        self.assertEqual(b.js("document.getElementById('ende-text').textContent"), "The game could not start.")
        self.assertTrue(b.js("document.getElementById('laden').hidden"))


class Highscorefehler(BrowserFall):
    """A damaged high score file: the game's message in the page, in the
    page's characters ("mußte"), and a new list stored in its place."""

    def test_kaputte_liste(self):
        b = self.browser
        b.laden(self.pruefseite())
        b.bis(0)
        b.datei_schreiben("/gespeichert/Score.dat", b"kaputt" * 10)
        b.laden(self.pruefseite())
        b.warten("!document.getElementById('dialog').hidden")
        self.assertEqual(b.js("document.getElementById('dialog-text').textContent"),
                         "Ihre Highscoreliste ist leider ungueltig,\nund mu\u00dfte komplett neu anglegt werden!")
        self.assertIn("0 msgbox Error... | Ihre Highscoreliste ist leider ungueltig,\\nund mu\u00dfte komplett neu "
                      "anglegt werden!", b.protokoll())
        b.tasten(Keys.RETURN)   # the dialog's button has the focus
        b.bis(0)
        b.warten("glubber.speicher.gesichert()")
        self.assertEqual(len(b.datei("/gespeichert/Score.dat")), 288)


def main():
    global PFADE
    teiler = argparse.ArgumentParser()
    teiler.add_argument("--web", required=True)
    teiler.add_argument("--headless", required=True)
    teiler.add_argument("--daten", required=True)
    teiler.add_argument("--zielhilfe", required=True)
    PFADE, rest = teiler.parse_known_args()
    for name in ("web", "headless", "daten", "zielhilfe"):
        setattr(PFADE, name, os.path.abspath(getattr(PFADE, name)))
    unittest.main(argv=[sys.argv[0], "-v"] + rest)


if __name__ == "__main__":
    main()
