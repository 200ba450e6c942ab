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

    def ziel_finden(self, ms, score=None):
        """A target on the screen at ms of the page's session so far, found
        by the headless game in a folder of its own (a run may write Score.dat)."""
        ordner = self.spielordner_anlegen(score)
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
        x, y = self.ziel_finden(t_spiel, TIEF)[1:]
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
        # Trusted keys started the page's audio; the hit sounds panned as on the desktop.
        self.assertEqual(b.js("glubber.ton.zustand()"), "running")
        self.assertGreater(b.js("glubber.ton.gestartet()"), 0)
        nummer, pan = (int(v) for v in treffer[0].split()[2:4])
        leise = round(255 * 10 ** (-abs(pan) / 2000)) / 255
        erwartet = [leise if pan > 0 else 1, leise if pan < 0 else 1]
        for ist, soll in zip(b.js("glubber.ton.pegel(arguments[0])", nummer), erwartet):
            self.assertAlmostEqual(ist, soll, places=6)

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
        x, y = self.ziel_finden(t, TIEF)[1:]
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


class Seite(BrowserFall):
    """The page around the game."""

    def synthetisch(self, art, **werte):
        """Dispatches an untrusted event on the canvas; true when the page
        kept the browser's own reaction from it."""
        return self.browser.js(
            "!document.getElementById('spiel').dispatchEvent(new (arguments[0] === 'keydown' ? KeyboardEvent : "
            "MouseEvent)(arguments[0], Object.assign({bubbles: true, cancelable: true}, arguments[1])))", art, werte)

    def test_tasten_der_seite_gehen_ins_spiel(self):
        b = self.browser
        b.laden(self.pruefseite())
        b.bis(0)
        for key, code in ((" ", "Space"), ("ArrowDown", "ArrowDown"), ("ArrowLeft", "ArrowLeft"), ("F1", "F1"),
                          ("F3", "F3"), ("Backspace", "Backspace"), ("Tab", "Tab"), ("Escape", "Escape")):
            self.assertTrue(self.synthetisch("keydown", key=key, code=code), key)
        for key, strg in (("F5", False), ("F12", False), ("r", True)):
            self.assertFalse(self.synthetisch("keydown", key=key, code="KeyR", ctrlKey=strg), key)
        self.assertTrue(self.synthetisch("contextmenu", button=2), "no context menu over the picture")
        eingaben = b.eingaben()
        self.assertEqual(eingaben, [], "input waits while the game stands")
        b.bis(100)
        kurz = [(m, w) for _, m, w, _ in b.eingaben()]
        self.assertEqual(kurz[:4], [(seite.WM_KEYDOWN, 0x20), (seite.WM_CHAR, 0x20), (seite.WM_KEYDOWN, 0x28),
                                    (seite.WM_KEYDOWN, 0x25)])
        self.assertIn((seite.WM_KEYDOWN, 0x70), kurz)
        self.assertIn((seite.WM_CHAR, 8), kurz)
        self.assertIn((seite.WM_CHAR, 27), kurz)
        self.assertNotIn((seite.WM_KEYDOWN, 0x74), kurz, "F5 is the browser's")
        self.assertEqual(b.js("window.scrollY"), 0)

    def test_massstab_und_zeiger(self):
        b = self.browser
        b.laden(self.pruefseite())
        b.eins_zu_eins()
        b.bis(1500)
        eins = b.bild()
        cursor = b.js("getComputedStyle(document.getElementById('buehne')).cursor")
        self.assertTrue(cursor.startswith('url("data:image/png;base64,') and " 15 16" in cursor, cursor)
        self.assertEqual(b.js("getComputedStyle(document.getElementById('spiel')).imageRendering"), "pixelated")
        for fenster_b, fenster_h, faktor, glatt in ((1300, 1100, 2, "auto"), (2050, 1800, 1, "pixelated"),
                                                    (700, 600, 1, "auto")):
            b.d.set_window_size(fenster_b, fenster_h)
            b.warten("glubber.test.faktor() === %d" % faktor)
            time.sleep(0.2)
            lage = b.js("(function () { var r = glubber.bildRechteck(), s = document.getElementById('buehne');"
                        "return [r.left, r.top, r.width, r.height, s.clientWidth, s.clientHeight,"
                        "getComputedStyle(document.getElementById('spiel')).imageRendering]; })()")
            links, oben, breite, hoehe, buehne_b, buehne_h, rendering = lage
            self.assertEqual(rendering, glatt, lage)
            self.assertAlmostEqual(breite * 3, hoehe * 4, delta=0.01, msg="4:3 kept")
            self.assertTrue(abs(breite - buehne_b) < 4 or abs(hoehe - buehne_h) < 3, "as large as fits: %s" % lage)
            self.assertAlmostEqual(links * 2 + breite, buehne_b, delta=1.01, msg="centred")
            self.assertAlmostEqual(oben * 2 + hoehe, buehne_h, delta=1.01, msg="centred")
            if faktor == 2:
                # The canvas holds each pixel as a 2 x 2 block of the same colour.
                gross = b.js("Array.from(document.getElementById('spiel').getContext('2d')"
                             ".getImageData(0, 0, 2048, 1536).data.filter(function (v, i) {"
                             "  var p = i >> 2; return (p % 2048) % 2 === 1 && ((p / 2048) | 0) % 2 === 1 && "
                             "  ((p % 2048) >> 1) % 37 === 0 && ((p / 2048) >> 1) % 29 === 0; }))")
                klein = [v for i, v in enumerate(eins) if ((i // 4) % 1024) % 37 == 0 and ((i // 4) // 1024) % 29 == 0]
                self.assertEqual(bytes(gross), bytes(klein), "the enlarged picture is the picture")
                # The pointer beside the picture is at its edge; inside it, at its pixel.
                for px, erwartet_x in ((links - 20, 0), (links + breite + 15, 1023), (links + breite / 2, 512)):
                    b.zeigen_auf_seite(px, oben + hoehe / 2)
                    b.bis(b.stand()["ms"] + 20)
                    _, _, _, l = b.eingaben()[-1]
                    self.assertAlmostEqual(l & 0xFFFF, erwartet_x, delta=1)
                    self.assertAlmostEqual(l >> 16, 384, delta=1)
        self.assertEqual(b.bild(), eins, "scaling leaves the picture as it is")

    def test_vollbild(self):
        b = self.browser
        b.laden(self.pruefseite())
        b.bis(500)
        b.tasten(Keys.F4)
        b.warten("document.fullscreenElement && document.fullscreenElement.id === 'buehne'")
        b.warten("document.activeElement.id === 'spiel'")
        b.tasten(Keys.F4)
        b.warten("document.fullscreenElement === null")
        b.d.find_element("id", "vollbild").click()
        b.warten("document.fullscreenElement !== null")
        self.assertEqual(b.js("document.activeElement.id"), "spiel", "keys go to the game, not the button")

    def test_ton_ohne_geste_haelt_die_zeit(self):
        """Untrusted events cannot start the page's audio; the game plays
        on all the same, its voices timed as on the headless backend."""
        b = self.browser
        b.laden(self.pruefseite())
        b.eins_zu_eins()
        b.bis(1000)
        self.synthetisch("keydown", key=" ", code="Space")
        t = b.bis(1800)
        self.synthetisch("keydown", key="Enter", code="Enter")
        t = b.bis(t + 6500)
        x, y = self.ziel_finden(t)[1:]
        r = b.js("glubber.bildRechteck()")
        punkt = {"clientX": r["left"] + x + 0.5, "clientY": r["top"] + y + 0.5}
        for schritt in (0, 40, 4000):
            t = b.bis(t + schritt)
            b.js("document.dispatchEvent(new MouseEvent('mousemove', arguments[0]))", punkt)
            self.synthetisch("mousedown", button=0, **punkt)
        t = b.bis(t + 20)
        self.assertNotEqual(b.js("glubber.ton.zustand()"), "running")
        klicks = [ms for ms, nachricht, _, _ in b.eingaben() if nachricht == seite.WM_LBUTTONDOWN]
        schuesse = [int(z.split()[0]) for z in b.protokoll() if z.endswith(" sound 15 0")]
        self.assertEqual(len(klicks), 3)
        self.assertLess(klicks[1] - klicks[0], 100)
        self.assertEqual([s for s in schuesse if s >= klicks[0]], [klicks[0], klicks[2]],
                         "the second shot comes while the first still sounds and is refused")
        log = seite.headless_spielen(PFADE.headless, self.spielordner_anlegen(), seite.skript_aus_eingaben(b.eingaben()),
                                     TICK0, t)
        self.assertEqual(seite.nebenwirkungen(b.protokoll(), t), seite.nebenwirkungen(log, t))

    def test_speichern_nie_zweimal_zugleich(self):
        b = self.browser
        b.laden(self.pruefseite())
        b.bis(0)
        b.warten("glubber.speicher.gesichert()")
        vorher = b.js("glubber.speicher.stand().laeufe")
        b.js("(function () { Module.FS.writeFile('/gespeichert/probe', 'eins');"
             "for (var i = 0; i < 10; i++) glubber.speicher.sichern(); })()")
        b.warten("glubber.speicher.gesichert()")
        stand = b.js("glubber.speicher.stand()")
        self.assertEqual(stand["hoechstens"], 1)
        self.assertLessEqual(stand["laeufe"] - vorher, 2, "requests during a store make one more")
        b.laden(self.pruefseite())
        b.bis(0)
        self.assertEqual(b.datei("/gespeichert/probe"), b"eins")

    def test_musik_hinzufuegen(self):
        b = self.browser
        arbeit = tempfile.mkdtemp(prefix="glubber-mp3-")
        self.ordner.append(arbeit)
        mp3 = os.path.join(arbeit, "lied eins.mp3")
        subprocess.run(["lame", "--quiet", "-b", "64", os.path.join(PFADE.daten, "start.wav"), mp3], check=True)
        text = os.path.join(arbeit, "notiz.txt")
        with open(text, "w") as f:
            f.write("kein Lied")
        b.laden(self.pruefseite())
        b.bis(0)
        b.js("document.getElementById('musik-datei').hidden = false")
        b.d.find_element("id", "musik-datei").send_keys(mp3 + "\n" + text)
        b.warten("document.getElementById('hinweis').textContent.indexOf('Added') >= 0")
        hinweis = b.js("document.getElementById('hinweis').textContent")
        self.assertIn("lied eins.mp3", hinweis)
        self.assertIn("notiz.txt (not an MP3 file)", hinweis)
        b.warten("glubber.speicher.gesichert()")
        with open(mp3, "rb") as f:
            self.assertEqual(b.datei("/gespeichert/musik/lied eins.mp3"), f.read())
        # Found by the game's music search at the next start, played at a round start.
        b.laden(self.pruefseite())
        t = b.bis(1000)
        b.tasten(Keys.SPACE)
        t = b.bis(t + 800)
        b.tasten(Keys.RETURN)
        t = b.bis(t + 500)
        protokoll = b.protokoll()
        self.assertIn("mci open lied eins.mp3 type MPEGVideo Alias Mp3", [z.partition(" ")[2] for z in protokoll])
        self.assertIn("mci play Mp3", [z.partition(" ")[2] for z in protokoll])
        b.warten("glubber.musik.spielt()")
        b.js("document.getElementById('musik-weg').click()")
        b.warten("glubber.speicher.gesichert()")
        self.assertIsNone(b.datei("/gespeichert/musik/lied eins.mp3"))

    def test_nur_ein_spiel_je_browser(self):
        b = self.browser
        b.laden(self.pruefseite())
        b.bis(0)
        erstes = b.d.current_window_handle
        b.d.switch_to.new_window("tab")
        b.laden(self.pruefseite())
        b.warten("document.getElementById('laden').textContent.indexOf('already running') >= 0")
        time.sleep(0.5)
        self.assertEqual(b.js("glubber.test.stand().ms"), 0)
        self.assertFalse(b.js("glubber.test.stand().steht"), "the second game never starts")
        b.d.close()
        b.d.switch_to.window(erstes)
        self.assertEqual(b.bis(200), b.stand()["ms"], "the first one plays on")

    def test_ende_des_spiels(self):
        b = self.browser
        b.laden(self.pruefseite())
        t = b.bis(500)
        b.tasten(Keys.SPACE)
        t = b.bis(t + 500)
        b.tasten(Keys.ARROW_UP, Keys.RETURN)
        t = b.bis(t + 500)
        b.tasten("j")
        b.js("glubber.test.weiter(-1)")
        b.warten("glubber.beendet !== null")
        self.assertEqual(b.js("glubber.beendet"), 0)
        self.assertEqual(b.js("document.getElementById('ende-text').textContent"), "The game has ended.")
        b.d.find_element("id", "ende-neu").click()
        b.warten("glubber.beendet === null && glubber.test.stand().steht")


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
