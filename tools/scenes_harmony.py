#!/usr/bin/env python3
"""Writes data/xml/scenes-harmony.xml, the scene set of the lesson "Harmony in pictures".

Run from the repository root after a change here, and commit both files:

    python3 tools/scenes_harmony.py > data/xml/scenes-harmony.xml

The scenes draw through formulas compiled on every drawing, so what stays still is written as
plain numbers and only what moves refers to the clock. Every view fits a box of its own, kept whole
and undistorted at any window shape (see fitted_box).
"""

import math

# Function colours, shared by the keyboard and the helix so that T, S and D look the same in both.
TONIC = (0.35, 0.85, 0.45)
SUBDOMINANT = (0.40, 0.60, 1.00)
DOMINANT = (1.00, 0.50, 0.30)
BACKGROUND = "0.05,0.06,0.10"


def num(x):
    """A number as the formulas read it: fixed point (they take no exponent), no minus zero."""
    text = f"{x:.4f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def plus(base, factor, var):
    """base + factor * var, written without "--" (which the formulas read as a decrement)."""
    if factor == 0:
        return num(base)
    term = f"{num(abs(factor))}*{var}"
    if base == 0:
        return term if factor > 0 else f"-{term}"
    return f"{num(base)}{'+' if factor > 0 else '-'}{term}"


def rgb(colour):
    return ",".join(num(c) for c in colour)


def scaled(colour, factor):
    return tuple(c * factor for c in colour)


def xy(*values):
    return ",".join(v if isinstance(v, str) else num(v) for v in values)


def quad(x0, y0, x1, y1):
    return f'C1="{xy(x0, y0)}" C2="{xy(x1, y0)}" C3="{xy(x1, y1)}" C4="{xy(x0, y1)}"'


def square(x, y, half):
    return quad(x - half, y - half, x + half, y + half)


def diamond(x, y, half):
    return f'C1="{xy(x, y - half)}" C2="{xy(x + half, y)}" C3="{xy(x, y + half)}" C4="{xy(x - half, y)}"'


def strip(points, indent="    "):
    return [f'{indent}<V C="{xy(*p)}"/>' for p in points]


def points(positions, colour, attrs=""):
    """A POINTS element; its colour goes on the first point, as POINTS takes colours from its
    points only."""
    lines = [f"  <POINTS{attrs}>"]
    for n, p in enumerate(positions):
        first = f' color="{colour}"' if n == 0 else ""
        lines.append(f'    <P{first} C="{xy(*p)}"/>')
    return lines + ["  </POINTS>"]


def segments(pairs, indent="    "):
    return [f'{indent}<L from="{xy(*a)}" to="{xy(*b)}"/>' for a, b in pairs]


def arc(cx, cy, rx, ry, start, stop, steps):
    """Points of an elliptic arc, angles in degrees counter-clockwise from the x axis."""
    return [(cx + rx * math.cos(math.radians(start + (stop - start) * i / steps)),
             cy + ry * math.sin(math.radians(start + (stop - start) * i / steps)))
            for i in range(steps + 1)]


def line_width(width):
    # An empty LINES sets the width for the strips after it.
    return [f'  <LINES width="{num(width)}"/>']


def clock():
    # One step per drawing: the lesson window draws 25 times a second.
    return ['  <DEF n="t" v="0"/>', '  <CALC n="t" v="t+1"/>',
            '  <CALC n="asp" v="MAX(Width;1)/MAX(Height;1)"/>']


def fitted_box(half_width, half_height, shift_y=0.0):
    """An orthographic box holding [-w, w] x [-h, h] whole in any window, with equal scales."""
    w, h = num(half_width), num(half_height)
    x = f"MAX({w};{h}*asp)"
    y = f"MAX({h};{w}/asp)"
    shift = f' T="0,{num(shift_y)},0"' if shift_y else ""
    return [f'  <SET li="" O="-{x},{x},-{y},{y},-1,1"{shift}/>']


def chord_phase():
    # T, S, D, T for two seconds each; a chord fades in over its first few drawings.
    return ['  <CALC n="ph" v="INT(t/50) MOD 4"/>',
            '  <CALC n="fade" v="MIN(1;0.3+(t MOD 50)/8)"/>',
            '  <CALC n="lt" v="((ph=0) OR (ph=3))*fade"/>',
            '  <CALC n="ls" v="(ph=1)*fade"/>',
            '  <CALC n="ld" v="(ph=2)*fade"/>']


def lit_colour(colour, var, dim=0.3):
    """The colour at dim strength, full while var is 1."""
    return ",".join(plus(c * dim, c * (1 - dim), var) for c in colour)


def scene(text_ru, text_en, body, three_d=False):
    t3d = ' t3d=""' if three_d else ""
    return ([f'<Scene Text="{text_ru}" TextEnglish="{text_en}" color="{BACKGROUND}"{t3d}>'] + body
            + ["  <RESTORE/>", "</Scene>"])


# --- 1. The circle of fifths -------------------------------------------------------------------

MAJOR_R, MINOR_R = 1.0, 0.62


def on_circle(k, radius):
    angle = math.radians(30 * k)
    return radius * math.sin(angle), radius * math.cos(angle)


def circle_of_fifths():
    body = clock() + fitted_box(1.6, 1.6)
    # The highlighted key steps clockwise once a second, with its subdominant and dominant
    # neighbours and its relative minor.
    body += ['  <CALC n="k" v="INT(t/25) MOD 12"/>',
             '  <CALC n="hx" v="SIN(k*pi/6)"/>', '  <CALC n="hy" v="COS(k*pi/6)"/>',
             '  <CALC n="sx" v="SIN((k-1)*pi/6)"/>', '  <CALC n="sy" v="COS((k-1)*pi/6)"/>',
             '  <CALC n="dx" v="SIN((k+1)*pi/6)"/>', '  <CALC n="dy" v="COS((k+1)*pi/6)"/>',
             '  <CALC n="g" v="0.1+0.015*SIN(t*0.3)"/>']

    majors = [on_circle(k, MAJOR_R) for k in range(12)]
    minors = [on_circle(k, MINOR_R) for k in range(12)]
    body.append("  <!-- neighbours on both rings and each major to its relative minor -->")
    body.append('  <LINES width="1.5" color="0.28,0.34,0.5">')
    body += segments([(majors[k], majors[(k + 1) % 12]) for k in range(12)])
    body += segments([(minors[k], minors[(k + 1) % 12]) for k in range(12)])
    body += segments([(majors[k], minors[k]) for k in range(12)])
    body.append("  </LINES>")

    body.append("  <!-- the highlighted key, its neighbours and its relative minor -->")
    body.append('  <LINES width="3" color="0.85,0.7,0.25">')
    body += segments([(("sx", "sy"), ("hx", "hy")), (("hx", "hy"), ("dx", "dy")),
                      (("hx", "hy"), (f"{MINOR_R}*hx", f"{MINOR_R}*hy")), ((0, 0), ("0.5*hx", "0.5*hy"))])
    body.append("  </LINES>")
    body.append('  <QUADS color="0.45,0.37,0.12">')
    for x, y in (("sx", "sy"), ("dx", "dy")):
        body.append(f'    <Q C1="{x}-0.8*g,{y}-0.8*g" C2="{x}+0.8*g,{y}-0.8*g" C3="{x}+0.8*g,{y}+0.8*g"'
                    f' C4="{x}-0.8*g,{y}+0.8*g"/>')
    body.append("  </QUADS>")
    body.append('  <QUADS color="1,0.82,0.3">')
    body.append('    <Q C1="hx-g,hy-g" C2="hx+g,hy-g" C3="hx+g,hy+g" C4="hx-g,hy+g"/>')
    m = f"{MINOR_R}*"
    body.append(f'    <Q C1="{m}hx,{m}hy-0.8*g" C2="{m}hx+0.8*g,{m}hy" C3="{m}hx,{m}hy+0.8*g"'
                f' C4="{m}hx-0.8*g,{m}hy"/>')
    body.append("  </QUADS>")

    body.append("  <!-- major keys as squares (C at the top, sharps clockwise), minor keys as diamonds -->")
    body.append('  <QUADS color="0.75,0.82,0.95">')
    body += [f"    <Q {square(x, y, 0.065)}/>" for x, y in majors[1:]]
    body.append("  </QUADS>")
    body.append('  <QUADS color="0.62,0.55,0.85">')
    body += [f"    <Q {diamond(x, y, 0.05)}/>" for x, y in minors]
    body.append("  </QUADS>")
    body.append("  <!-- C major: larger, golden, framed, with its letter above -->")
    body.append(f'  <QUAD color="1,0.95,0.7" {square(0, MAJOR_R, 0.08)}/>')
    body.append('  <LINESSTRIP color="1,0.85,0.4">')
    body += strip([(-0.12, 0.88), (0.12, 0.88), (0.12, 1.12), (-0.12, 1.12), (-0.12, 0.88)])
    body.append("  </LINESSTRIP>")
    body += line_width(2.5)
    body.append('  <LINESSTRIP color="1,0.85,0.4">')
    body += strip(arc(0, 1.3, 0.07, 0.09, 50, 310, 12))
    body.append("  </LINESSTRIP>")

    # One dot per sharp (warm) or flat (cool) in the key signature, outward from the key; the
    # key at the bottom, F sharp or G flat, has both.
    def dots(k, count, side):
        angle = math.radians(30 * k)
        out = (math.sin(angle), math.cos(angle))
        across = (math.cos(angle) * side, -math.sin(angle) * side)
        return [(out[0] * (1.15 + 0.06 * j) + across[0], out[1] * (1.15 + 0.06 * j) + across[1])
                for j in range(count)]

    sharps = [p for k in range(1, 7) for p in dots(k, k, 0.035 if k == 6 else 0)]
    flats = [p for k in range(6, 12) for p in dots(k, 12 - k, -0.035 if k == 6 else 0)]
    body.append("  <!-- the key signatures: a dot per sharp (warm) or flat (cool) -->")
    body += points(sharps, "1,0.55,0.35", ' size="5" pointsmooth=""')
    body += points(flats, "0.4,0.8,1")
    body += line_width(1)
    return scene("Квинтовый круг", "The circle of fifths", body)


# --- 2. T, S and D on the keyboard --------------------------------------------------------------

WHITE_NAMES = "CDEFGAB"
# The functions each degree of C major belongs to.
FUNCTIONS = {"C": "TS", "D": "D", "E": "T", "F": "S", "G": "TD", "A": "S", "B": "D"}
FUNCTION_COLOURS = {"T": TONIC, "S": SUBDOMINANT, "D": DOMINANT}
FUNCTION_VARS = {"T": "lt", "S": "ls", "D": "ld"}
# The chords lit in turn, as white keys from C4: T C-E-G, S F-A-C, D G-B-D in root position.
VOICINGS = {"T": (0, 2, 4), "S": (3, 5, 7), "D": (4, 6, 8)}
WHITE_KEYS = 15  # C4 up to C6
KEY_TOP, KEY_BOTTOM, BLACK_BOTTOM = 1.6, -3.0, -0.35
IVORY = (0.9, 0.9, 0.86)


def white_left(i):
    return -WHITE_KEYS / 2 + i


def keyboard_letter(letter, cx, cy):
    """The stroke of T, S or D, 0.9 high, as vertex lists (one strip each)."""
    if letter == "T":
        return [[(cx - 0.3, cy + 0.45), (cx + 0.3, cy + 0.45)], [(cx, cy + 0.45), (cx, cy - 0.45)]]
    if letter == "S":
        top = arc(cx, cy + 0.225, 0.27, 0.225, 30, 270, 9)
        bottom = arc(cx, cy - 0.225, 0.27, 0.225, 90, -150, 9)
        return [top + bottom[1:]]
    bowl = arc(cx - 0.05, cy, 0.33, 0.45, 90, -90, 12)
    return [[(cx - 0.27, cy - 0.45), (cx - 0.27, cy + 0.45)] + bowl + [(cx - 0.27, cy - 0.45)]]


def keyboard():
    body = clock() + chord_phase() + fitted_box(8.0, 4.2, 0.35)

    body.append("  <!-- the felt above the keys -->")
    body.append(f'  <QUAD color="0.42,0.08,0.1" {quad(-WHITE_KEYS / 2, KEY_TOP, WHITE_KEYS / 2, KEY_TOP + 0.18)}/>')

    body.append("  <!-- white keys, C4 to C6; a key of the chord sounding takes its function's colour -->")
    lit = {}
    for function, keys in VOICINGS.items():
        for i in keys:
            lit.setdefault(i, []).append(function)
    plain = [i for i in range(WHITE_KEYS) if i not in lit]
    body.append(f'  <QUADS color="{rgb(IVORY)}">')
    body += [f"    <Q {quad(white_left(i) + 0.04, KEY_BOTTOM, white_left(i) + 0.96, KEY_TOP)}/>" for i in plain]
    body.append("  </QUADS>")
    body.append("  <QUADS>")
    for i in sorted(lit):
        channels = []
        for c in range(3):
            formula = num(IVORY[c])
            for function in lit[i]:
                delta = FUNCTION_COLOURS[function][c] - IVORY[c]
                if delta:
                    formula += f"{'+' if delta > 0 else '-'}{num(abs(delta))}*{FUNCTION_VARS[function]}"
            channels.append(formula)
        body.append(f'    <Q color="{",".join(channels)}" '
                    f"{quad(white_left(i) + 0.04, KEY_BOTTOM, white_left(i) + 0.96, KEY_TOP)}/>")
    body.append("  </QUADS>")

    body.append("  <!-- under each key, a mark per function its degree belongs to: a row each, bright while")
    body.append("       the function sounds -->")
    rows = {"T": -3.45, "S": -3.85, "D": -4.25}
    body.append("  <QUADS>")
    for i in range(WHITE_KEYS):
        for function in FUNCTIONS[WHITE_NAMES[i % 7]]:
            colour = lit_colour(FUNCTION_COLOURS[function], FUNCTION_VARS[function], 0.45)
            body.append(f'    <Q color="{colour}" {square(white_left(i) + 0.5, rows[function], 0.14)}/>')
    body.append("  </QUADS>")

    body.append("  <!-- black keys with a lighter top -->")
    blacks = [white_left(i) + 1 for i in range(WHITE_KEYS - 1) if WHITE_NAMES[i % 7] in "CDFGA"]
    body.append('  <QUADS color="0.08,0.08,0.1">')
    body += [f"    <Q {quad(x - 0.3, BLACK_BOTTOM, x + 0.3, KEY_TOP)}/>" for x in blacks]
    body.append("  </QUADS>")
    body.append('  <QUADS color="0.2,0.2,0.24">')
    body += [f"    <Q {quad(x - 0.22, BLACK_BOTTOM + 0.18, x + 0.22, KEY_TOP - 0.05)}/>" for x in blacks]
    body.append("  </QUADS>")

    body.append("  <!-- the cadence above: T S D T, the chord sounding lit, with its letter -->")
    cells = [("T", "lt"), ("S", "ls"), ("D", "ld"), ("T", "lt")]
    width, gap, bottom, top = 2.2, 0.5, 2.3, 3.7
    left = -(4 * width + 3 * gap) / 2
    body.append("  <QUADS>")
    for j, (letter, _) in enumerate(cells):
        x0 = left + j * (width + gap)
        on = f"(ph={j})*fade"
        colour = ",".join(plus(c * 0.22, c * 0.78, on) for c in FUNCTION_COLOURS[letter])
        body.append(f'    <Q color="{colour}" {quad(x0, bottom, x0 + width, top)}/>')
    body.append("  </QUADS>")
    body += line_width(3)
    for j, (letter, _) in enumerate(cells):
        x0 = left + j * (width + gap)
        on = f"(ph={j})*fade"
        # The letter in its function's colour on a dim cell, dark on the lit one.
        colour = ",".join(plus(c, 0.06 - c, on) for c in FUNCTION_COLOURS[letter])
        for points in keyboard_letter(letter, x0 + width / 2, (bottom + top) / 2):
            body.append(f'  <LINESSTRIP color="{colour}">')
            body += strip(points)
            body.append("  </LINESSTRIP>")
    body += line_width(2)
    for j in range(3):
        x = left + (j + 1) * (width + gap) - gap / 2
        body.append('  <LINESSTRIP color="0.45,0.48,0.55">')
        body += strip([(x - 0.1, 2.8), (x + 0.1, 3.0), (x - 0.1, 3.2)])
        body.append("  </LINESSTRIP>")
    body += line_width(1)
    return scene("Функции T, S, D на клавиатуре", "T, S and D on the keyboard", body)


# --- 3. A vibrating string ----------------------------------------------------------------------

def vibrating_string():
    body = clock() + fitted_box(1.25, 1.0)
    y0, a0 = 0.25, 0.42  # the second harmonic: rest line and largest swing
    y1, a1 = -0.62, 0.16  # the fundamental below, for comparison
    # The second harmonic swings at twice the fundamental's frequency; a period is 2 s here.
    body += [f'  <CALC n="amp" v="{num(a0)}*COS(t*{num(2 * math.pi / 50)})"/>',
             f'  <CALC n="amp1" v="{num(a1)}*COS(t*{num(math.pi / 50)})"/>']

    def wave(y, amplitude, harmonic, steps):
        points = []
        for i in range(steps + 1):
            s = math.sin(harmonic * math.pi * i / steps)
            points.append((-1 + 2 * i / steps, plus(y, s, amplitude) if abs(s) > 1e-9 else num(y)))
        return points

    def envelope(y, amplitude, harmonic, steps, sign):
        return [(-1 + 2 * i / steps, y + sign * amplitude * math.sin(harmonic * math.pi * i / steps))
                for i in range(steps + 1)]

    body.append("  <!-- rest lines and the envelopes the strings swing between -->")
    body.append('  <LINES color="0.16,0.2,0.28">')
    body += segments([((-1, y0), (1, y0)), ((-1, y1), (1, y1)),
                      ((-0.5, y0 - a0), (-0.5, y0 + a0)), ((0.5, y0 - a0), (0.5, y0 + a0))])
    body.append("  </LINES>")
    for y, a, harmonic, steps in ((y0, a0, 2, 32), (y1, a1, 1, 16)):
        for sign in (1, -1):
            body.append('  <LINESSTRIP color="0.22,0.3,0.44">')
            body += strip(envelope(y, a, harmonic, steps, sign))
            body.append("  </LINESSTRIP>")

    body.append("  <!-- the bridges holding the ends -->")
    body.append('  <QUADS color="0.5,0.5,0.56">')
    for y, a in ((y0, a0), (y1, a1)):
        for x in (-1, 1):
            outer = x * 1.07
            body.append(f"    <Q {quad(min(x, outer), y - a - 0.06, max(x, outer), y + a + 0.06)}/>")
    body.append("  </QUADS>")

    body.append("  <!-- the strings: the second harmonic (64 segments) and the fundamental -->")
    body += line_width(3)
    body.append('  <LINESSTRIP color="0.45,0.85,1">')
    body += strip(wave(y0, "amp", 2, 64))
    body.append("  </LINESSTRIP>")
    body += line_width(2)
    body.append('  <LINESSTRIP color="0.35,0.6,0.75">')
    body += strip(wave(y1, "amp1", 1, 32))
    body.append("  </LINESSTRIP>")

    body.append("  <!-- the fixed ends, and the node of the second harmonic in the middle -->")
    body += points([(x, y) for y in (y0, y1) for x in (-1, 1)], "0.95,0.95,1", ' size="9" pointsmooth=""')
    body += points([(0, y0)], "1,0.35,0.3", ' size="12"')
    body.append('  <LINESSTRIP color="1,0.35,0.3">')
    body += strip(arc(0, y0, 0.06, 0.06, 0, 360, 16))
    body.append("  </LINESSTRIP>")
    body += line_width(1)
    return scene("Колебания струны", "A vibrating string", body)


# --- 4. T, S and D on the pitch helix -----------------------------------------------------------

HELIX_R, HELIX_STEP, HELIX_BASE = 1.2, 0.1, -1.2


def helix_point(semitone):
    angle = math.radians(30 * semitone)
    return (HELIX_R * math.sin(angle), HELIX_BASE + HELIX_STEP * semitone, HELIX_R * math.cos(angle))


def pitch_helix():
    body = clock() + chord_phase()
    # Turns once in 24 seconds; a tall window moves the camera back so that the helix stays whole.
    body += ['  <SET li="" P="40,asp,0.5,60" T="0,0,-MAX(6.4;5/asp)" R="18,1,0" R1="t*0.6,0,1"/>']
    semitones = 24
    body.append("  <!-- the axis, and the line through the Cs: octaves lie one above another -->")
    body.append('  <LINES width="1" color="0.2,0.24,0.32">')
    c = [helix_point(s) for s in (0, 12, 24)]
    body += segments([((0, HELIX_BASE - 0.2, 0), (0, HELIX_BASE + HELIX_STEP * semitones + 0.2, 0)),
                      (c[0], c[1]), (c[1], c[2])])
    body.append("  </LINES>")

    chords = {"T": (0, 4, 7), "S": (5, 9, 12), "D": (7, 11, 14)}
    body.append("  <!-- the chord sounding, filled -->")
    for function, tones in chords.items():
        var = FUNCTION_VARS[function]
        colour = ",".join(f"{num(ch * 0.55)}*{var}" for ch in FUNCTION_COLOURS[function])
        corners = " ".join(f'C{n + 1}="{xy(*helix_point(s))}"' for n, s in enumerate(tones))
        # Nothing is filled while the chord is silent.
        body.append(f'  <TRIANGLE count="{var}>0" color="{colour}" {corners}/>')

    body.append("  <!-- the helix: a turn per octave, C4 to C6 -->")
    body += line_width(1.5)
    body.append('  <LINESSTRIP color="0.35,0.45,0.65">')
    body += strip([helix_point(s / 3) for s in range(3 * semitones + 1)])
    body.append("  </LINESSTRIP>")

    body.append("  <!-- the three triads, each bright while it sounds -->")
    for function, tones in chords.items():
        colour = lit_colour(FUNCTION_COLOURS[function], FUNCTION_VARS[function], 0.3)
        body.append(f'  <LINESSTRIP color="{colour}">')
        body += strip([helix_point(s) for s in tones + tones[:1]])
        body.append("  </LINESSTRIP>")

    body.append("  <!-- the tones: white keys light, black keys grey, the Cs golden -->")
    white = [s for s in range(semitones + 1) if s % 12 in (2, 4, 5, 7, 9, 11)]
    black = [s for s in range(semitones + 1) if s % 12 in (1, 3, 6, 8, 10)]
    body += points([helix_point(s) for s in white], "0.85,0.88,0.95", ' size="6" pointsmooth=""')
    body += points([helix_point(s) for s in black], "0.4,0.42,0.5")
    body += points([helix_point(s) for s in (0, 12, 24)], "1,0.85,0.4", ' size="9"')
    body += line_width(1)
    return scene("Звуковысотная спираль: T, S, D", "The pitch helix: T, S, D", body, three_d=True)


HEADER = """<?xml version="1.0" encoding="UTF-8"?>
<!-- The scenes of the lesson "Harmony in pictures": the circle of fifths, T S D on the keyboard,
     a vibrating string and the pitch helix with the three triads. Keys 1-4 switch the views.
     Generated by tools/scenes_harmony.py; change the script, not this file. -->"""


def main():
    lines = [HEADER, "<Scenes>"]
    for make in (circle_of_fifths, keyboard, vibrating_string, pitch_helix):
        lines += make()
    lines.append("</Scenes>")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
