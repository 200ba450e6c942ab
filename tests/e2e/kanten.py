#!/usr/bin/env python3
"""How wide the game's one-pixel lines are on the screen: the game's frame
(1024 x 768, from the headless game) shows where they are, short lines of
one colour on ground of another; the screenshot shows the picture scaled
into the rectangle given. A line counts as wide as the screen pixels that
carry at least a quarter of its colour across it. Crisp scaling gives 1 or
2 at a scale of 1.40625; a smear of 3 or more is what linear scaling does.

usage: kanten.py <frame.ppm> <screen.ppm> <x> <y> <width> <height>
prints: "lines N narrowest A widest B smeared S" (S: lines 3 or more wide)."""
import sys


def lesen(pfad):
    with open(pfad, "rb") as f:
        daten = f.read()
    felder, pos = [], 0
    while len(felder) < 4:
        while daten[pos:pos + 1].isspace():
            pos += 1
        anfang = pos
        while not daten[pos:pos + 1].isspace():
            pos += 1
        felder.append(daten[anfang:pos])
    if felder[0] != b"P6" or int(felder[3]) != 255:
        raise SystemExit("not an 8-bit PPM: " + pfad)
    return int(felder[1]), int(felder[2]), daten[pos + 1:]


def main():
    bild_pfad, schirm_pfad = sys.argv[1], sys.argv[2]
    rx, ry, rb, rh = map(int, sys.argv[3:7])
    bb, bh, bild = lesen(bild_pfad)
    sb, _, schirm = lesen(schirm_pfad)

    def b(x, y):
        return bild[(y * bb + x) * 3:(y * bb + x) * 3 + 3]

    def s(x, y):
        return schirm[(y * sb + x) * 3:(y * sb + x) * 3 + 3]

    def deutlich(grund, linie):
        # A line the eye sees, not a step of a colour gradient.
        return sum(abs(grund[i] - linie[i]) for i in range(3)) >= 96

    def anteil(p, grund, linie):
        # How far p lies from the ground towards the line's colour.
        d = [linie[i] - grund[i] for i in range(3)]
        n = sum(v * v for v in d)
        return sum((p[i] - grund[i]) * d[i] for i in range(3)) / n if n else 0.0

    # The screen pixels across a line are those that show only the line
    # and the ground on its two sides (the picture's x - 1 up to x + 2).
    breiten = []
    for y in range(2, bh - 2):
        for x in range(2, bb - 2):
            linie = b(x, y)
            # Across a vertical line: ground, ground, line, ground, ground,
            # the same a row above or below.
            grund = b(x - 1, y)
            if deutlich(grund, linie) and any(
                    all(b(x + dx, y + dy) == grund for dx in (-2, -1, 1, 2) for dy in (0, n)) and b(x, y + n) == linie
                    for n in (-1, 1)):
                sy = ry + ((2 * y + 1) * rh) // (2 * bh)
                von, bis = rx + ((x - 1) * rb + bb - 1) // bb, rx + ((x + 2) * rb) // bb
                breiten.append(sum(anteil(s(sx, sy), grund, linie) >= 0.25 for sx in range(von, bis)))
            # Across a horizontal line.
            grund = b(x, y - 1)
            if deutlich(grund, linie) and any(
                    all(b(x + dx, y + dy) == grund for dy in (-2, -1, 1, 2) for dx in (0, n)) and b(x + n, y) == linie
                    for n in (-1, 1)):
                sx = rx + ((2 * x + 1) * rb) // (2 * bb)
                von, bis = ry + ((y - 1) * rh + bh - 1) // bh, ry + ((y + 2) * rh) // bh
                breiten.append(sum(anteil(s(sx, sy2), grund, linie) >= 0.25 for sy2 in range(von, bis)))
    if not breiten:
        print("lines 0 narrowest 0 widest 0 smeared 0")
        return
    print("lines %d narrowest %d widest %d smeared %d" %
          (len(breiten), min(breiten), max(breiten), sum(w >= 3 for w in breiten)))


main()
