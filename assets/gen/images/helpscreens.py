"""The rules page and the high-score board: their backs and the two help pictures.

The rules pictures are loaded while pure magenta is the mask colour: nothing here is magenta.
The help pictures carry no words (they are not language pictures); numbers are clue numbers.
"""
import random

from svgkit import (Image, rrect, plank, plaque, rivet, shadow, group, grain, INK, SEA, SEA_LIGHT, SEA_DEEP, FOAM,
                    PARCH_LIGHT, PARCH, PARCH_DARK, WOOD_DARK, WOOD, WOOD_LIGHT, GOLD_LIGHT, GOLD, GOLD_DARK, BONE)
import icons
from images.backgrounds import grad, ripples, hill, palm, ship
from images.effects import ROCK, defs, rock_body
from images.tiles import cover_frame, tile

# The picture of the help board: a small anchor, its clues and what each cell shows.
ANCHOR = [".XXX.", "..X..", "X.X.X", "XXXXX", ".XXX."]
# u: uncovered picture tile, b: broken empty cell, c: still covered
STATE = ["buuub", "ccccc", "ccucc", "uuuuu", "ccccc"]


def clues(line):
    runs, n = [], 0
    for ch in line + ".":
        if ch == "X":
            n += 1
        elif n:
            runs.append(n)
            n = 0
    return runs or [0]


def cell(kind, filled, x, y, px):
    """One board cell of px at (x, y): a wooden cover, a gold picture tile or a broken empty."""
    if kind == "c":
        return group(cover_frame(px, 0), x, y)
    if kind == "u" and filled:
        return group(tile(px, "gold", GOLD_LIGHT, GOLD, GOLD_DARK).body, x, y)
    # an empty cell, broken open: the dark hold with the splinters of its cover
    return (rrect(x + 3, y + 3, px - 6, px - 6, 6, SEA_DEEP, sw=1.5, extra='opacity="0.85"') +
            f'<path d="M{x + 12},{y + 14} L{x + 24},{y + 26} M{x + px - 14},{y + 12} L{x + px - 24},{y + 22} '
            f'M{x + 14},{y + px - 12} L{x + 26},{y + px - 22}" stroke="{WOOD_LIGHT}" stroke-width="3" '
            f'stroke-linecap="round"/>')


def framed(w, h, inner):
    """Wood frame with a gold bead round a parchment field, rivets at the corners."""
    return (rrect(2, 2, w - 6, h - 7, 12, "url(#wood)", sw=3) +
            rrect(16, 16, w - 34, h - 35, 4, "url(#parch)", stroke=GOLD, sw=3) +
            "".join(rivet(cx, cy, 4) for cx, cy in ((10, 10), (w - 14, 10), (10, h - 15), (w - 14, h - 15))) +
            inner)


def number(x, y, s, size=26, opacity=1.0):
    return (f'<text x="{x}" y="{y}" font-family="DejaVu Sans" font-weight="bold" font-size="{size}" '
            f'text-anchor="middle" fill="{WOOD_DARK}" opacity="{opacity}">{s}</text>')


def help_board():
    """First help picture: a 5 x 5 board under way, its clue numbers beside and above it; the
    finished row's numbers have faded, the hand points at the next cell to uncover."""
    w, h, px = 420, 400, 52
    bx, by = 128, 112
    body = ""
    for r in range(5):
        runs = clues(ANCHOR[r])
        done = all(s != "c" for s in STATE[r])
        for k, n in enumerate(reversed(runs)):
            body += number(bx - 20 - 26 * k, by + r * px + 35, n, opacity=0.3 if done else 1.0)
    for c in range(5):
        col = "".join(ANCHOR[r][c] for r in range(5))
        runs = clues(col)
        for k, n in enumerate(reversed(runs)):
            body += number(bx + c * px + px / 2, by - 16 - 28 * k, n)
    body += rrect(bx - 6, by - 6, 5 * px + 12, 5 * px + 12, 8, WOOD_DARK, sw=2)
    for r in range(5):
        for c in range(5):
            body += cell(STATE[r][c], ANCHOR[r][c] == "X", bx + c * px, by + r * px, px)
    body += group(icons.hand(5.0), bx + 3 * px + 24, by + 2 * px + 24, 0.9)
    return Image(w, h, framed(w, h, shadow(body)))


def mouse_icon(left):
    """A computer mouse with the button that works the tool lit in gold."""
    lit = (f'<path d="M0,40 V30 Q0,0 30,0 V40 Z" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>' if left else
           f'<path d="M30,0 Q60,0 60,30 V40 H30 Z" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>')
    return (f'<path d="M0,30 Q0,0 30,0 Q60,0 60,30 V60 Q60,90 30,90 Q0,90 0,60 Z" fill="{BONE}" '
            f'stroke="{INK}" stroke-width="2.5"/>' + lit +
            f'<path d="M30,0 V40 M0,40 H60" stroke="{INK}" stroke-width="2"/>')


def arrow(x0, y, x1):
    return (f'<path d="M{x0},{y} H{x1 - 12}" stroke="{WOOD_DARK}" stroke-width="5" stroke-linecap="round"/>'
            f'<path d="M{x1 - 16},{y - 11} L{x1},{y} L{x1 - 16},{y + 11} Z" fill="{WOOD_DARK}"/>')


def round_button(cx, cy, draw):
    return (f'<circle cx="{cx}" cy="{cy}" r="30" fill="url(#wood)" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="{cx}" cy="{cy}" r="26" fill="none" stroke="{GOLD}" stroke-width="2"/>' +
            group(draw(5.0), cx - 20, cy - 20, 0.4))


def help_tools():
    """Second help picture: left button and hand uncover a picture tile, right button and hook
    break an empty cell; a held button drags along a line; a wrong move throws a stone; the
    eye, the skull and the map help."""
    w, h, px = 420, 380, 52
    body = ""
    # the two tools, one row each
    for row, (left, icon, kind) in enumerate(((True, icons.hand, "u"), (False, icons.hook, "b"))):
        y = 34 + row * 96
        body += group(mouse_icon(left), 40, y, 0.8)
        body += group(icon(5.0), 104, y + 4, 0.62)
        body += arrow(176, y + 36, 236)
        body += group(cover_frame(px, 0), 248, y + 10)
        body += arrow(306, y + 36, 330)
        body += cell(kind, kind == "u", 338, y + 10, px)
    # a held button drags across a line of cells
    y = 234
    for k in range(5):
        body += group(cover_frame(44, 0), 40 + k * 48, y)
    body += (f'<path d="M62,{y + 22} H258" stroke="{GOLD}" stroke-width="6" stroke-dasharray="2 12" '
             f'stroke-linecap="round"/>' + arrow(246, y + 22, 282) +
             group(icons.hand(5.0), 262, y + 14, 0.5))
    # a mistake costs a stone; the helpers
    body += defs(ROCK) + rock_body(340, y + 22, 22, 7, 2.0)
    y = 316
    for k, draw in enumerate((icons.eye, icons.skull, icons.map_)):
        body += round_button(110 + k * 100, y, draw)
    return Image(w, h, framed(w, h, shadow(body)))


def rules_back():
    """A wooden page: a dark header band for the gold title, parchment below it for the
    black text, the two columns parted by a gold-studded rule."""
    rnd = random.Random(5)
    body = (rrect(0, 0, 1024, 768, 0, "url(#wood)", sw=0, stroke="none") + grain(0, 0, 1024, 768, 40, opacity=0.2) +
            rrect(8, 4, 1008, 48, 10, WOOD_DARK, stroke=GOLD_DARK, sw=2) +
            rrect(24, 62, 976, 690, 6, "url(#parch)", stroke=GOLD, sw=3) +
            rrect(30, 68, 964, 678, 4, "none", stroke=PARCH_DARK, sw=2, extra='opacity="0.6"'))
    # foxing and faint chart lines keep the page from looking blank
    body += "".join(f'<circle cx="{rnd.uniform(40, 980):.0f}" cy="{rnd.uniform(80, 730):.0f}" '
                    f'r="{rnd.uniform(3, 14):.0f}" fill="{PARCH_DARK}" opacity="{rnd.uniform(0.08, 0.2):.2f}"/>'
                    for _ in range(40))
    body += (f'<path d="M520,90 V730" stroke="{GOLD_DARK}" stroke-width="2" opacity="0.7"/>' +
             "".join(rivet(520, y, 4) for y in (90, 410, 730)))
    body += "".join(rivet(x, y, 5) for x, y in ((16, 16), (1008, 16), (16, 752), (1008, 752)))
    return Image(1024, 768, body)


def scores_back():
    """The harbour notice board where the best captains are written up: dark planks with a
    gold rim on the left, the evening sea and a ship on the right, a plaque for the heading."""
    rnd = random.Random(9)
    hz = 470
    body = (f'<defs>{grad("hsky", "#2a3f63", "#c78a52")}{grad("hsea", SEA, SEA_DEEP)}</defs>'
            f'<rect width="1024" height="{hz + 2}" fill="url(#hsky)"/>'
            f'<circle cx="820" cy="{hz - 40}" r="120" fill="url(#glow)" opacity="0.45"/>'
            f'<circle cx="820" cy="{hz - 40}" r="30" fill="{GOLD_LIGHT}" opacity="0.9"/>'
            f'<rect y="{hz}" width="1024" height="{768 - hz}" fill="url(#hsea)"/>' + ripples(rnd, hz, 768) +
            hill(760, 1100, hz - 60, hz + 4, "#2e3a2a", rnd, 2) + palm(960, hz - 170, 0.8, "#1c261c") +
            ship(690, hz + 10, 1.1, "#1a2232"))
    # the board and its posts
    body += (rrect(60, 500, 22, 268, 3, WOOD_DARK, sw=2) + rrect(500, 500, 22, 268, 3, WOOD_DARK, sw=2) +
             shadow(rrect(26, 44, 540, 486, 12, "url(#gold)", sw=3) +
                    rrect(34, 52, 524, 470, 8, WOOD_DARK, stroke=GOLD_DARK, sw=1.5)) +
             "".join(f'<path d="M38,{y} H554" stroke="{INK}" stroke-width="1.5" opacity="0.5"/>'
                     for y in range(88, 520, 30)) +
             grain(34, 52, 524, 470, 14, opacity=0.15) +
             "".join(rivet(x, y, 5) for x, y in ((44, 62), (548, 62), (44, 512), (548, 512))))
    body += plaque(262, 2, 500, 52)
    body += '<rect width="1024" height="768" fill="url(#vignette)"/>'
    return Image(1024, 768, body)


def images():
    return {
        "gfx/gui/rulesScreen/back.jpg": rules_back(),
        "gfx/gui/rulesScreen/pomoc1.png": help_board(),
        "gfx/gui/rulesScreen/pomoc2.png": help_tools(),
        "gfx/gui/highscores/back.jpg": scores_back(),
    }
