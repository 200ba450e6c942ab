"""Helpers of the browser tests: a local server for build-web/, headless
Chromium driven by selenium, the page's test hooks, and the headless runner
that plays the same input for comparison.

The page runs on its test clock (?clock=virtual): time is virtual and runs
as on the headless backend, the game stands still at a stop point the test
sets, and the page logs its side effects and the input it handed out."""

import base64
import contextlib
import functools
import gzip
import http.server
import math
import os
import shutil
import struct
import subprocess
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder

B, H = 1024, 768
WM_KEYDOWN, WM_CHAR, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN = 0x100, 0x102, 0x200, 0x201, 0x204
DATEN = ("Grafik.dat", "Sound.dat", "start.wav", "main.wav", "win.wav", "lose.wav", "credits.wav")
CHROMIUM_SCHALTER = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--disable-dev-shm-usage", "--mute-audio")


class Server:
    """Serves a folder on a free local port; `fehlen` names paths that answer
    404, `gzip` compresses what the browser accepts so."""

    def __init__(self, ordner, fehlen=(), komprimieren=False):
        fehlt = set(fehlen)

        class Bearbeiter(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def end_headers(self):
                self.send_header("Cache-Control", "no-store")
                super().end_headers()

            def do_GET(self):
                pfad = self.path.split("?")[0].lstrip("/")
                if pfad in fehlt:
                    self.send_error(404)
                    return
                if komprimieren and "gzip" in self.headers.get("Accept-Encoding", ""):
                    datei = os.path.join(ordner, pfad or "index.html")
                    if os.path.isfile(datei):
                        with open(datei, "rb") as f:
                            inhalt = gzip.compress(f.read(), 6)
                        self.send_response(200)
                        self.send_header("Content-Type", self.guess_type(datei))
                        self.send_header("Content-Encoding", "gzip")
                        self.send_header("Content-Length", str(len(inhalt)))
                        self.end_headers()
                        self.wfile.write(inhalt)
                        return
                super().do_GET()

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                                      functools.partial(Bearbeiter, directory=ordner))
        self.port = self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def adresse(self, frage=""):
        return "http://127.0.0.1:%d/index.html%s" % (self.port, frage)

    def beenden(self):
        self.server.shutdown()
        self.server.server_close()


class Browser:
    """Headless Chromium with a fresh profile, driven by selenium."""

    def __init__(self, breite=1100, hoehe=900):
        self.profil = tempfile.mkdtemp(prefix="glubber-chromium-")
        optionen = Options()
        optionen.binary_location = "/usr/bin/chromium"
        for schalter in CHROMIUM_SCHALTER:
            optionen.add_argument(schalter)
        optionen.add_argument("--user-data-dir=" + self.profil)
        optionen.add_argument("--window-size=%d,%d" % (breite, hoehe))
        optionen.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.d = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=optionen)
        self.d.set_script_timeout(30)

    def beenden(self):
        try:
            self.d.quit()
        finally:
            shutil.rmtree(self.profil, ignore_errors=True)

    def js(self, ausdruck, *args):
        return self.d.execute_script("return " + ausdruck, *args)

    def warten(self, ausdruck, sekunden=20, schritt=0.05):
        ende = time.time() + sekunden
        while True:
            wert = self.js(ausdruck)
            if wert:
                return wert
            if time.time() > ende:
                raise AssertionError("timed out waiting for: " + ausdruck)
            time.sleep(schritt)

    def laden(self, adresse):
        self.d.get(adresse)
        self.warten("typeof glubber === 'object' && document.readyState === 'complete'")

    def konsole(self):
        return self.d.get_log("browser")

    # The stage so large that the picture shows at exactly 1:1.
    def eins_zu_eins(self):
        for _ in range(3):
            innen = self.js("[document.getElementById('buehne').clientWidth, "
                            "document.getElementById('buehne').clientHeight]")
            fenster = self.d.get_window_size()
            ziel_b, ziel_h = 1100, 769
            if innen == [ziel_b, ziel_h]:
                break
            self.d.set_window_size(fenster["width"] + ziel_b - innen[0], fenster["height"] + ziel_h - innen[1])
            time.sleep(0.2)
        self.warten("document.getElementById('spiel').dataset.massstab === '1'")

    # ------------------------------------------------ the test clock

    def stand(self):
        return self.js("glubber.test.stand()")

    def bis(self, ms, sekunden=60):
        """Lets the game run to the first message drain at or after ms, and
        returns the virtual time it stands at."""
        self.js("glubber.test.weiter(arguments[0])", ms)
        ende = time.time() + sekunden
        while True:
            s = self.stand()
            if s["steht"] and s["ms"] >= ms:
                return s["ms"]
            if time.time() > ende:
                raise AssertionError("the game did not reach %d ms (at %d)" % (ms, s["ms"]))
            time.sleep(0.05)

    def bild(self):
        return base64.b64decode(self.js("glubber.test.bild()"))

    def protokoll(self):
        return self.js("glubber.test.protokoll()")

    def eingaben(self):
        return self.js("glubber.test.eingaben()")

    def datei(self, pfad):
        inhalt = self.js("glubber.test.datei(arguments[0])", pfad)
        return None if inhalt is None else base64.b64decode(inhalt)

    def datei_schreiben(self, pfad, inhalt):
        self.js("glubber.test.dateiSchreiben(arguments[0], arguments[1])", pfad,
                base64.b64encode(inhalt).decode("ascii"))
        self.warten("glubber.speicher.gesichert()")

    # ------------------------------------------------------ input

    def tasten(self, *tasten):
        kette = ActionChains(self.d)
        for t in tasten:
            kette.send_keys(t)
        kette.perform()

    def zeigen(self, x, y):
        """Moves the pointer over picture pixel (x, y)."""
        r = self.js("glubber.bildRechteck()")
        # The first whole page pixel inside the picture pixel.
        px = math.ceil(r["left"] + x * r["width"] / B - 1e-9)
        py = math.ceil(r["top"] + y * r["height"] / H - 1e-9)
        self.zeigen_auf_seite(px, py)

    def zeigen_auf_seite(self, px, py):
        aktion = ActionBuilder(self.d)
        aktion.pointer_action.move_to_location(int(px), int(py))
        aktion.perform()

    def klicken(self, rechts=False):
        aktion = ActionBuilder(self.d)
        if rechts:
            aktion.pointer_action.context_click()
        else:
            aktion.pointer_action.click()
        aktion.perform()


@contextlib.contextmanager
def sitzung(ordner, komprimieren=False):
    """A server for the folder and a browser, both ended afterwards."""
    server = Server(ordner, komprimieren=komprimieren)
    browser = Browser()
    try:
        yield server, browser
    finally:
        browser.beenden()
        server.beenden()


# ----------------------------------------------------------- comparisons

TASTENNAMEN = {0x0D: "RETURN", 0x20: "SPACE", 0x1B: "ESCAPE", 0x08: "BACK", 0x09: "TAB", 0x25: "LEFT",
               0x26: "UP", 0x27: "RIGHT", 0x28: "DOWN", 0x70: "F1", 0x71: "F2", 0x72: "F3", 0x73: "F4"}


def skript_aus_eingaben(eingaben):
    """The page's handed-out input as a headless runner script. A key's
    WM_KEYDOWN and its WM_CHAR make one `key` line; keys the script cannot
    name (Shift and the like) change nothing in the game and are left out."""
    zeilen = []
    i = 0
    while i < len(eingaben):
        ms, nachricht, w, l = eingaben[i]
        naechste = eingaben[i + 1] if i + 1 < len(eingaben) else None
        if nachricht == WM_MOUSEMOVE:
            zeilen.append("%d move %d %d" % (ms, l & 0xFFFF, l >> 16))
        elif nachricht == WM_LBUTTONDOWN:
            zeilen.append("%d lclick" % ms)
        elif nachricht == WM_RBUTTONDOWN:
            zeilen.append("%d rclick" % ms)
        elif nachricht == WM_CHAR:
            zeilen.append("%d char %s" % (ms, chr(w) if 0x20 < w < 0x7F and w != 0x23 else "#%d" % w))
        elif nachricht == WM_KEYDOWN:
            mit_zeichen = naechste is not None and naechste[0] == ms and naechste[1] == WM_CHAR
            if w in TASTENNAMEN:
                zeilen.append("%d key %s" % (ms, TASTENNAMEN[w]))
                i += 1 if mit_zeichen and w in (0x0D, 0x20, 0x1B, 0x08, 0x09) else 0
            elif mit_zeichen and 0x20 < naechste[2] < 0x7F:
                zeilen.append("%d key %s" % (ms, chr(naechste[2])))
                i += 1
        i += 1
    return "\n".join(zeilen) + "\n"


def spielordner(daten, score=None):
    """A scratch folder with the data files (and a Score.dat when given)."""
    ordner = tempfile.mkdtemp(prefix="glubber-web-")
    for name in DATEN:
        shutil.copyfile(os.path.join(daten, name), os.path.join(ordner, name))
    if score is not None:
        with open(os.path.join(ordner, "Score.dat"), "wb") as f:
            f.write(score)
    return ordner


def headless_spielen(programm, ordner, skript, tick0, bis_ms):
    """Plays the script in the folder; returns the log lines."""
    with open(os.path.join(ordner, "spiel.script"), "w") as f:
        f.write(skript)
    lauf = subprocess.run([programm, "--dir", ordner, "--script", os.path.join(ordner, "spiel.script"),
                           "--tick0", str(tick0), "--account", "", "--until", str(bis_ms)],
                          capture_output=True, text=True, timeout=120)
    if lauf.returncode not in (0, 3):
        raise AssertionError("headless runner failed (%d): %s" % (lauf.returncode, lauf.stderr))
    return lauf.stdout.splitlines()


def bmp_als_rgba(pfad):
    """An 8-bit BMP of the headless runner as B x H RGBA bytes, top row first."""
    with open(pfad, "rb") as f:
        daten = f.read()
    anfang = struct.unpack_from("<I", daten, 10)[0]
    breite, hoehe = struct.unpack_from("<ii", daten, 18)
    farben = [daten[54 + 4 * i:54 + 4 * i + 4] for i in range(256)]
    tabelle = [bytes((f[2], f[1], f[0], 255)) for f in farben]
    zeilen = []
    for y in range(hoehe - 1, -1, -1):
        zeile = daten[anfang + y * breite:anfang + (y + 1) * breite]
        zeilen.append(b"".join(tabelle[p] for p in zeile))
    assert breite == B and hoehe == H
    return b"".join(zeilen)


def unterschiede(a, b):
    """How many pixels of two RGBA pictures differ, and the first one."""
    anzahl, erster = 0, None
    for i in range(0, min(len(a), len(b)), 4):
        if a[i:i + 3] != b[i:i + 3]:
            anzahl += 1
            if erster is None:
                erster = ((i // 4) % B, (i // 4) // B, tuple(a[i:i + 3]), tuple(b[i:i + 3]))
    return anzahl, erster


def png_schreiben(pfad, rgba, breite=B, hoehe=H):
    """For a look at a picture when a comparison fails."""
    import zlib
    roh = b"".join(b"\0" + rgba[y * breite * 4:(y + 1) * breite * 4] for y in range(hoehe))

    def stueck(art, inhalt):
        return struct.pack(">I", len(inhalt)) + art + inhalt + struct.pack(">I", zlib.crc32(art + inhalt))

    with open(pfad, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + stueck(b"IHDR", struct.pack(">IIBBBBB", breite, hoehe, 8, 6, 0, 0, 0)) +
                stueck(b"IDAT", zlib.compress(roh, 6)) + stueck(b"IEND", b""))


def nebenwirkungen(zeilen, bis_ms):
    """The side effects of a log (sounds, waves, media commands, message
    boxes, beeps) up to a virtual time, as "<ms> <what>"."""
    arten = ("sound ", "wave ", "mci ", "msgbox ", "beep")
    aus = []
    for z in zeilen:
        ms, _, was = z.partition(" ")
        if ms.isdigit() and int(ms) <= bis_ms and was.startswith(arten):
            aus.append(z)
    return aus


def score_dat(eintraege):
    """A valid 288-byte Score.dat with the given (points, name) entries."""
    kopf = b"Glubbershoot 1009".ljust(32, b"\0")
    zeit = struct.pack("<8H", 2024, 5, 3, 10, 12, 30, 15, 0)
    liste = b"".join(struct.pack("<i", p) + n.encode("cp1252").ljust(20, b"\0") for p, n in eintraege)
    return kopf + zeit + liste
