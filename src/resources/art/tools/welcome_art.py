#!/usr/bin/env python3
"""Writes the welcome menu's pictures (bitmaps 5000-5079) as SVG sources.

The tiles, their three states and the description cards share one layout,
so they are written from this one description rather than kept by hand.
Run from anywhere:  python3 src/resources/art/tools/welcome_art.py
The SVG files it writes are the sources the program renders; commit them.
"""
import os

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")

MIDNIGHT, HARBOUR, STEEL = "#0E2240", "#1B3A66", "#3D5A80"
TEAL, MINT, AMBER, CORAL = "#22A39F", "#7FD1C7", "#F4A93B", "#E8724A"
PAPER, MIST = "#F6F7F9", "#DCE3EC"
BODY, CAPTION, FINE = "#E3EBF5", "#8FA6C4", "#6F86A6"
FONT = 'font-family="DejaVu Sans"'

# Tile pictures: 164 by 112 with an 8-pixel margin for the glow, so the
# card itself is 148 by 96. Positions are the buttons' corners on the
# background; the background draws each card's shadow and spoke there.
TILE_W, TILE_H, MARGIN = 164, 112, 8
EXIT_W, EXIT_H = 112, 52
DESC_W, DESC_H, DESC_MARGIN = 197, 132, 4

TILES = [
    # key, (normal, lit, pressed), description id, position, title, caption, accent pair, description lines
    ("bplan", (5001, 5002, 5003), 5076, (283, 169), "Business Plan", "NEW OR SAVED", (TEAL, "#17807C"),
     ["Write a complete business plan,", "chapter by chapter, with", "instructions, examples and", "linked financial tables."]),
    ("wizard", (5010, 5011, 5012), 5074, (199, 298), "Plan Wizard", "STEP BY STEP", (MINT, TEAL),
     ["Answer a few questions about", "your business and the wizard", "prepares a business plan", "made for it."]),
    ("market", (5052, 5053, 5054), 5077, (313, 432), "Marketing Plan", "NEW OR SAVED", (AMBER, CORAL),
     ["Plan your markets, customers,", "pricing and promotion, with", "worked examples for each", "step of the plan."]),
    ("online", (5007, 5008, 5009), 5075, (580, 192), "Go Online", "CORVANE.COM", ("#6E93C4", STEEL),
     ["Visit the Corvane web site for", "updates, planning guides and", "answers from our support", "team."]),
    ("finadv", (5055, 5056, 5057), 5078, (659, 314), "Financial Advisor", "READ YOUR NUMBERS", (MINT, "#3D8F8A"),
     ["Learn what your statements", "and ratios say about your", "business, in plain language,", "with advice on what to do."]),
    ("help", (5004, 5005, 5006), 5079, (559, 454), "Help", "HOW-TO AND ANSWERS", ("#A9BCD4", STEEL),
     ["How to write, edit, save and", "compile your plans, and", "answers to the questions", "users ask most."]),
]
EXIT = ((5050, 5051), (723, 543))
HUB = (520.5, 370)  # centre of the description box (422, 304, 197 by 132)

# Glyphs on a 44 by 44 badge, white on the accent.
GLYPHS = {
    "bplan": '''<path d="M14 9 H26 L32 15 V35 H14 Z" fill="#FFFFFF" fill-opacity="0.18" stroke="#FFFFFF" stroke-width="2.2" stroke-linejoin="round"/>
    <path d="M26 9 V15 H32" fill="none" stroke="#FFFFFF" stroke-width="2.2" stroke-linejoin="round"/>
    <rect x="17" y="26" width="3.2" height="6" rx="1" fill="#FFFFFF"/>
    <rect x="21.4" y="22.5" width="3.2" height="9.5" rx="1" fill="#FFFFFF"/>
    <rect x="25.8" y="19" width="3.2" height="13" rx="1" fill="#FFFFFF"/>''',
    "wizard": '''<path d="M11 34 L26 19" stroke="#FFFFFF" stroke-width="4" stroke-linecap="round"/>
    <path d="M26 19 L29 16" stroke="#0E2240" stroke-opacity="0.55" stroke-width="4" stroke-linecap="round"/>
    <path d="M31 7 L32.6 11.4 L37 13 L32.6 14.6 L31 19 L29.4 14.6 L25 13 L29.4 11.4 Z" fill="#FFFFFF"/>
    <circle cx="18" cy="12" r="1.8" fill="#FFFFFF"/>
    <circle cx="35" cy="26" r="1.5" fill="#FFFFFF" fill-opacity="0.85"/>''',
    "market": '''<path d="M21 23.5 V11.5 A12 12 0 1 0 33 23.5 Z" fill="#FFFFFF" fill-opacity="0.30" stroke="#FFFFFF" stroke-width="2.2" stroke-linejoin="round"/>
    <path d="M24 20.5 V8.5 A12 12 0 0 1 36 20.5 Z" fill="#FFFFFF"/>''',
    "online": '''<circle cx="22" cy="22" r="12" fill="none" stroke="#FFFFFF" stroke-width="2.2"/>
    <ellipse cx="22" cy="22" rx="5.2" ry="12" fill="none" stroke="#FFFFFF" stroke-width="2"/>
    <path d="M10.5 22 H33.5 M12.5 16 H31.5 M12.5 28 H31.5" fill="none" stroke="#FFFFFF" stroke-width="1.8"/>''',
    "finadv": '''<path d="M10 9 V34 H35" fill="none" stroke="#FFFFFF" stroke-width="2.2" stroke-linecap="round" stroke-linejoin="round"/>
    <path d="M14 29 L20.5 22 L25.5 25.5 L32.5 15" fill="none" stroke="#FFFFFF" stroke-width="2.8" stroke-linecap="round" stroke-linejoin="round"/>
    <path d="M27.5 14.5 H33 V20" fill="none" stroke="#FFFFFF" stroke-width="2.8" stroke-linecap="round" stroke-linejoin="round"/>''',
    "help": '''<circle cx="22" cy="22" r="12.5" fill="none" stroke="#FFFFFF" stroke-width="2.2"/>
    <path d="M17.6 18.4 C17.6 15.6 19.6 13.8 22.2 13.8 C24.9 13.8 26.8 15.6 26.8 18 C26.8 21.6 22.4 21.8 22.4 25.4" fill="none" stroke="#FFFFFF" stroke-width="2.8" stroke-linecap="round"/>
    <circle cx="22.4" cy="30.2" r="1.9" fill="#FFFFFF"/>''',
    "exit": '''<path d="M16.4 14.6 A9.6 9.6 0 1 0 27.6 14.6" fill="none" stroke="#FFFFFF" stroke-width="2.6" stroke-linecap="round"/>
    <path d="M22 10 V21" stroke="#FFFFFF" stroke-width="2.6" stroke-linecap="round"/>''',
}


def svg(width, height, comment, body, defs=""):
    return f'''<?xml version="1.0" encoding="UTF-8"?>
<!-- {comment}
     Written by tools/welcome_art.py; change the script, not this file. -->
<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny"
     width="{width}" height="{height}" viewBox="0 0 {width} {height}">
  <defs>
{defs}  </defs>
{body}</svg>
'''


def gradient(name, top, bottom, vertical=True, opacity=(1, 1)):
    x2, y2 = ("0", "1") if vertical else ("1", "1")
    return (f'    <linearGradient id="{name}" x1="0" y1="0" x2="{x2}" y2="{y2}">\n'
            f'      <stop offset="0" stop-color="{top}" stop-opacity="{opacity[0]}"/>\n'
            f'      <stop offset="1" stop-color="{bottom}" stop-opacity="{opacity[1]}"/>\n'
            f'    </linearGradient>\n')


def badge(key, accent, x, y, scale=1.0, dim=False):
    shade = '<rect width="44" height="44" rx="10" fill="#0E2240" fill-opacity="0.22"/>' if dim else ""
    return (f'  <g transform="translate({x},{y}) scale({scale})">\n'
            f'    <rect width="44" height="44" rx="10" fill="url(#accent)"/>\n'
            f'    <rect x="1" y="1" width="42" height="21" rx="9" fill="#FFFFFF" fill-opacity="0.10"/>\n'
            f'    {GLYPHS[key]}\n    {shade}\n  </g>\n')


def tile(key, state, title, caption, accent):
    """One tile picture; state is "normal", "lit" or "pressed"."""
    defs = gradient("accent", accent[0], accent[1], vertical=False)
    card = dict(normal=("#214676", "#16335C"), lit=("#2C5890", "#1E416F"), pressed=("#132B4F", "#0F2445"))[state]
    defs += gradient("card", *card)
    x, y, w, h, r = MARGIN, MARGIN, TILE_W - 2 * MARGIN, TILE_H - 2 * MARGIN, 14
    body = ""
    if state == "lit":
        # A glow of the accent around the card (drawn as soft rings: the
        # renderer has no blur).
        for grow, opacity in ((7, 0.06), (5, 0.10), (3, 0.16)):
            body += (f'  <rect x="{x - grow}" y="{y - grow}" width="{w + 2 * grow}" height="{h + 2 * grow}" '
                     f'rx="{r + grow}" fill="{accent[0]}" fill-opacity="{opacity}"/>\n')
    stroke = (f'stroke="{accent[0]}" stroke-width="2"' if state != "normal"
              else 'stroke="#FFFFFF" stroke-opacity="0.13" stroke-width="1"')
    inset = 1 if state != "normal" else 0.5
    body += (f'  <rect x="{x + inset}" y="{y + inset}" width="{w - 2 * inset}" height="{h - 2 * inset}" rx="{r}" '
             f'fill="url(#card)" {stroke}/>\n')
    if state != "pressed":
        body += f'  <path d="M{x + r} {y + 2.5} H{x + w - r}" stroke="#FFFFFF" stroke-opacity="0.10" stroke-width="1.5"/>\n'
    else:
        body += f'  <path d="M{x + r} {y + 3.5} H{x + w - r}" stroke="#000000" stroke-opacity="0.25" stroke-width="2"/>\n'
    shift = 2 if state == "pressed" else 0
    cx = TILE_W / 2
    body += f'  <g transform="translate(0,{shift})">\n'
    body += badge(key, accent, cx - 22, 18, dim=(state == "pressed"))
    title_fill = "#FFFFFF" if state == "lit" else BODY
    caption_fill = accent[0] if state == "lit" else CAPTION
    body += (f'  <text x="{cx}" y="81" {FONT} font-size="13" font-weight="bold" fill="{title_fill}" '
             f'text-anchor="middle">{title}</text>\n')
    body += (f'  <text x="{cx}" y="95" {FONT} font-size="7.5" letter-spacing="1" fill="{caption_fill}" '
             f'text-anchor="middle">{caption}</text>\n')
    body += "  </g>\n"
    return svg(TILE_W, TILE_H, f"Welcome menu button \"{title}\", {state}; {TILE_W} by {TILE_H} with an "
               f"{MARGIN}-pixel margin around the card.", body, defs)


def exit_tile(state):
    defs = gradient("accent", CORAL, "#C9553A", vertical=False)
    card = dict(normal=("#214676", "#16335C"), pressed=("#132B4F", "#0F2445"))[state]
    defs += gradient("card", *card)
    x, y, w, h = MARGIN, MARGIN, EXIT_W - 2 * MARGIN, EXIT_H - 2 * MARGIN
    stroke = (f'stroke="{CORAL}" stroke-width="2"' if state == "pressed"
              else 'stroke="#FFFFFF" stroke-opacity="0.13" stroke-width="1"')
    body = f'  <rect x="{x + 0.5}" y="{y + 0.5}" width="{w - 1}" height="{h - 1}" rx="10" fill="url(#card)" {stroke}/>\n'
    shift = 1.5 if state == "pressed" else 0
    body += f'  <g transform="translate(0,{shift})">\n'
    body += badge("exit", None, x + 6, y + 5, scale=26 / 44, dim=(state == "pressed"))
    body += (f'  <text x="{x + 40 + (w - 40) / 2 - 4}" y="{y + 23}" {FONT} font-size="13" font-weight="bold" '
             f'fill="{BODY}" text-anchor="middle">Exit</text>\n')
    body += "  </g>\n"
    return svg(EXIT_W, EXIT_H, f"Welcome menu Exit button, {state}; {EXIT_W} by {EXIT_H} with an "
               f"{MARGIN}-pixel margin. It has no lit state.", body, defs)


def description(key, title, accent, lines):
    defs = gradient("accent", accent[0], accent[1], vertical=False)
    defs += gradient("paper", "#FFFFFF", "#EEF2F7")
    m = DESC_MARGIN
    w, h = DESC_W - 2 * m, DESC_H - 2 * m
    body = (f'  <rect x="{m}" y="{m + 2}" width="{w}" height="{h}" rx="12" fill="#000000" fill-opacity="0.25"/>\n'
            f'  <rect x="{m}" y="{m}" width="{w}" height="{h}" rx="12" fill="url(#paper)"/>\n'
            f'  <rect x="{m + 14}" y="{m}" width="{w - 28}" height="4" fill="url(#accent)"/>\n')
    body += badge(key, accent, m + 12, m + 14, scale=26 / 44)
    body += (f'  <text x="{m + 46}" y="{m + 32}" {FONT} font-size="13" font-weight="bold" fill="{MIDNIGHT}">'
             f'{title}</text>\n')
    for i, line in enumerate(lines):
        body += (f'  <text x="{m + 12}" y="{m + 60 + 15 * i}" {FONT} font-size="10" fill="{STEEL}">'
                 f'{line}</text>\n')
    return svg(DESC_W, DESC_H, f"Welcome menu description of \"{title}\", {DESC_W} by {DESC_H} with a "
               f"{DESC_MARGIN}-pixel margin; shown in the centre while the button is lit.", body, defs)


def background():
    cx, cy = HUB
    # Both fades are ellipses of the picture's own proportions, so every
    # edge is plain Midnight.
    defs = (f'    <radialGradient id="glow" cx="0.508" cy="0.482" r="0.5">\n'
            f'      <stop offset="0" stop-color="#25508A"/>\n'
            f'      <stop offset="0.5" stop-color="#1A3A68" stop-opacity="0.85"/>\n'
            f'      <stop offset="0.9" stop-color="{MIDNIGHT}" stop-opacity="0"/>\n'
            f'    </radialGradient>\n'
            f'    <radialGradient id="gridfade" cx="0.508" cy="0.482" r="0.5">\n'
            f'      <stop offset="0" stop-color="#FFFFFF" stop-opacity="0.075"/>\n'
            f'      <stop offset="0.85" stop-color="#FFFFFF" stop-opacity="0"/>\n'
            f'    </radialGradient>\n'
            f'    <radialGradient id="orbit" gradientUnits="userSpaceOnUse" cx="{cx}" cy="{cy}" r="300">\n'
            f'      <stop offset="0" stop-color="{MINT}" stop-opacity="0.45"/>\n'
            f'      <stop offset="1" stop-color="{MINT}" stop-opacity="0.12"/>\n'
            f'    </radialGradient>\n'
            '    <linearGradient id="trend" x1="0" y1="0" x2="1" y2="0">\n'
            f'      <stop offset="0" stop-color="{MINT}" stop-opacity="0"/>\n'
            f'      <stop offset="0.7" stop-color="{MINT}" stop-opacity="0.30"/>\n'
            f'      <stop offset="1" stop-color="{MINT}" stop-opacity="0"/>\n'
            '    </linearGradient>\n')
    defs += gradient("hub", "#132C52", "#0C1D38")
    defs += ('    <linearGradient id="footrule" x1="0" y1="0" x2="1" y2="0">\n'
             f'      <stop offset="0" stop-color="{TEAL}" stop-opacity="0"/>\n'
             f'      <stop offset="0.5" stop-color="{TEAL}" stop-opacity="0.55"/>\n'
             f'      <stop offset="1" stop-color="{TEAL}" stop-opacity="0"/>\n'
             '    </linearGradient>\n'
             '    <linearGradient id="tile" x1="0" y1="0" x2="1" y2="1">\n'
             '      <stop offset="0" stop-color="#244A7D"/>\n'
             f'      <stop offset="1" stop-color="{MIDNIGHT}"/>\n'
             '    </linearGradient>\n'
             '    <linearGradient id="ring" x1="0" y1="0" x2="1" y2="1">\n'
             f'      <stop offset="0" stop-color="{MINT}"/>\n'
             f'      <stop offset="1" stop-color="{TEAL}"/>\n'
             '    </linearGradient>\n')
    # The edges are plain Midnight, the window's own ground, so a window
    # larger than the picture shows no seam.
    body = f'  <rect width="1024" height="768" fill="{MIDNIGHT}"/>\n'
    body += '  <rect width="1024" height="768" fill="url(#glow)"/>\n'
    grid = " ".join(f"M{x} 0 V768" for x in range(16, 1024, 48)) + " " + \
        " ".join(f"M0 {y} H1024" for y in range(2, 768, 48))
    body += f'  <path d="{grid}" fill="none" stroke="url(#gridfade)" stroke-width="1"/>\n'
    # A rising trend along the bottom, as on the splash, fading out before
    # the edges.
    points = [(96, 716), (236, 708), (376, 700), (516, 690), (656, 674), (796, 652), (936, 624)]
    body += (f'  <path d="M{points[0][0]} {points[0][1]} ' + " ".join(f"L{x} {y}" for x, y in points[1:]) +
             '" fill="none" stroke="url(#trend)" stroke-width="2" stroke-linejoin="round"/>\n')
    for x, y in points[2:-1]:
        body += f'  <circle cx="{x}" cy="{y}" r="2.5" fill="{MINT}" fill-opacity="0.35"/>\n'
    # The orbit the buttons sit on, and spokes from the centre to each.
    body += (f'  <ellipse cx="{cx}" cy="{cy}" rx="248" ry="176" fill="none" stroke="url(#orbit)" '
             f'stroke-width="1.5" stroke-dasharray="2 7" stroke-linecap="round"/>\n'
             f'  <ellipse cx="{cx}" cy="{cy}" rx="170" ry="118" fill="none" stroke="#FFFFFF" stroke-opacity="0.06" '
             f'stroke-width="1"/>\n')
    for _, _, _, (left, top), *_ in TILES:
        tx, ty = left + TILE_W / 2, top + TILE_H / 2
        body += (f'  <path d="M{cx} {cy} L{tx} {ty}" stroke="{MINT}" stroke-opacity="0.16" stroke-width="1.5"/>\n'
                 f'  <circle cx="{tx}" cy="{ty}" r="3" fill="{MINT}" fill-opacity="0.3"/>\n')
    # Each card's shadow and seat, which the button's transparent margin
    # lets through.
    seats = [(left + MARGIN, top + MARGIN, TILE_W - 2 * MARGIN, TILE_H - 2 * MARGIN, 14)
             for _, _, _, (left, top), *_ in TILES]
    ex, ey = EXIT[1]
    seats.append((ex + MARGIN, ey + MARGIN, EXIT_W - 2 * MARGIN, EXIT_H - 2 * MARGIN, 10))
    for x, y, w, h, r in seats:
        body += (f'  <rect x="{x + 1}" y="{y + 5}" width="{w - 2}" height="{h}" rx="{r}" fill="#050E1D" '
                 f'fill-opacity="0.45"/>\n'
                 f'  <rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{HARBOUR}"/>\n')
    # The centre, shown while no button is lit.
    body += ('  <rect x="426" y="308" width="189" height="124" rx="12" fill="url(#hub)" stroke="#7FD1C7" '
             'stroke-opacity="0.28" stroke-width="1"/>\n')
    body += ('  <g transform="translate(500.5,320) scale(0.156)">\n'
             '    <circle cx="122" cy="122" r="66" fill="none" stroke="url(#ring)" stroke-width="22"/>\n'
             '    <path d="M136 166 C156 194 180 206 214 202" fill="none" stroke="#F4A93B" stroke-width="22" '
             'stroke-linecap="round"/>\n'
             '    <rect x="84" y="122" width="15" height="24" rx="3" fill="#FFFFFF" fill-opacity="0.85"/>\n'
             '    <rect x="106" y="106" width="15" height="40" rx="3" fill="#FFFFFF" fill-opacity="0.92"/>\n'
             '    <rect x="128" y="88" width="15" height="58" rx="3" fill="#FFFFFF"/>\n'
             '  </g>\n')
    body += (f'  <text x="{cx}" y="378" {FONT} font-size="15" font-weight="bold" fill="#FFFFFF" '
             f'text-anchor="middle">Welcome</text>\n'
             f'  <text x="{cx}" y="398" {FONT} font-size="9.5" fill="{CAPTION}" text-anchor="middle">'
             'Point to a choice to learn</text>\n'
             f'  <text x="{cx}" y="411" {FONT} font-size="9.5" fill="{CAPTION}" text-anchor="middle">'
             'more about it.</text>\n')
    # Title above the orbit.
    body += ('  <g transform="translate(368,66) scale(0.21875)">\n'
             '    <rect x="8" y="8" width="240" height="240" rx="52" ry="52" fill="url(#tile)" stroke="#FFFFFF" '
             'stroke-opacity="0.18" stroke-width="4"/>\n'
             '    <circle cx="122" cy="122" r="66" fill="none" stroke="url(#ring)" stroke-width="22"/>\n'
             '    <path d="M136 166 C156 194 180 206 214 202" fill="none" stroke="#0E2240" stroke-width="38" '
             'stroke-linecap="round"/>\n'
             '    <path d="M136 166 C156 194 180 206 214 202" fill="none" stroke="#F4A93B" stroke-width="22" '
             'stroke-linecap="round"/>\n'
             '    <rect x="84" y="122" width="15" height="24" rx="3" fill="#FFFFFF" fill-opacity="0.85"/>\n'
             '    <rect x="106" y="106" width="15" height="40" rx="3" fill="#FFFFFF" fill-opacity="0.92"/>\n'
             '    <rect x="128" y="88" width="15" height="58" rx="3" fill="#FFFFFF"/>\n'
             '  </g>\n')
    body += (f'  <text x="436" y="106" {FONT} font-size="34" font-weight="bold" fill="#FFFFFF">Quorvex</text>\n'
             f'  <text x="606" y="106" {FONT} font-size="34" fill="{MINT}">8.0</text>\n'
             f'  <text x="{cx}" y="140" {FONT} font-size="10" letter-spacing="3" fill="{CAPTION}" '
             'text-anchor="middle">WHAT WOULD YOU LIKE TO DO TODAY?</text>\n')
    # The maker, left of the Exit button.
    body += (f'  <rect x="206" y="620" width="650" height="1.5" fill="url(#footrule)"/>\n'
             f'  <text x="206" y="572" {FONT} font-size="12" font-weight="bold" letter-spacing="3" fill="#FFFFFF">'
             'CORVANE</text>\n'
             f'  <text x="206" y="588" {FONT} font-size="9" fill="{CAPTION}">Software for growing businesses</text>\n'
             f'  <text x="512" y="748" {FONT} font-size="8.5" fill="{FINE}" text-anchor="middle">'
             '© 2026 Corvane Software. All rights reserved.  ·  Version 8.0</text>\n')
    return svg(1024, 768, "Welcome menu background, 1024 by 768. The buttons sit on the orbit around the "
               "centre, where the description of the lit button is shown.", body, defs)


def palette_sheet():
    swatches = [("Midnight", MIDNIGHT), ("Harbour", HARBOUR), ("Steel", STEEL), ("Teal", TEAL),
                ("Mint", MINT), ("Amber", AMBER), ("Paper", PAPER), ("Mist", MIST)]
    body = ""
    for i, (name, colour) in enumerate(swatches):
        x, y = (i % 4) * 127, (i // 4) * 127
        ink = MIDNIGHT if name in ("Mint", "Amber", "Paper", "Mist") else "#FFFFFF"
        body += (f'  <rect x="{x}" y="{y}" width="127" height="127" fill="{colour}"/>\n'
                 f'  <text x="{x + 10}" y="{y + 116}" {FONT} font-size="10" fill="{ink}" fill-opacity="0.8">'
                 f'{name} {colour}</text>\n')
    return svg(508, 254, "The welcome menu's palette: 4 by 2 swatches of the house colours; the window takes "
               "each colour role from the centre of its swatch.", body)


def write(name, text):
    with open(os.path.join(OUT, name), "w", encoding="utf-8") as f:
        f.write(text)


def main():
    write("bitmap-5000.svg", background())
    write("bitmap-5073.svg", palette_sheet())
    for key, ids, desc, _, title, caption, accent, lines in TILES:
        for state, picture in zip(("normal", "lit", "pressed"), ids):
            write(f"bitmap-{picture}.svg", tile(key, state, title, caption, accent))
        write(f"bitmap-{desc}.svg", description(key, title, accent, lines))
    for state, picture in zip(("normal", "pressed"), EXIT[0]):
        write(f"bitmap-{picture}.svg", exit_tile(state))


if __name__ == "__main__":
    main()
