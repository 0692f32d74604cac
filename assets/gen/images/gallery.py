"""The award gallery and the award details panel.

The gallery's back.jpg (1024 x 768) is the captain's trophy cabinet: dark panelled wood, a
cabinet of sea-blue velvet with fifteen lit parchment niches on the award places of
data/awards.dat (x 152 .. 872 by 180, y 200 / 380 / 560), a plaque at the top for the heading
the game writes at y 20 (36 px) and one at the bottom for the hint at y 725 (28 px). It is
loaded while the mask colour is black, so nothing in it may be pure black.

The details panel (380 x 440, drawn centred on (512, 384)) is the award-granted panel's
frame with a deeper plaque: the award's name at y 194 and its description from y 234 (up to
three rows of 18 px), the award in the niche at the centre, and the "ok" button's shelf (its
top at y 520).
"""
import math

from svgkit import Image, Strip, rrect, rivet, plank, plaque, shadow, grain, STATES, INK, SEA, SEA_DEEP, \
    GOLD, GOLD_DARK, GOLD_LIGHT, WOOD, WOOD_DARK, WOOD_LIGHT, PARCH, PARCH_LIGHT, PARCH_DARK
from images.awards import panel as award_panel, DEFS as AWARD_DEFS
from images.menus import caption

LANG = "en"
COLS = (152, 332, 512, 692, 872)
ROWS = (200, 380, 560)

DEFS = """<radialGradient id="velvet" cx="0.5" cy="0.45" r="0.75">
  <stop offset="0" stop-color="#2f6a8c"/><stop offset="0.7" stop-color="#1c4562"/>
  <stop offset="1" stop-color="#112c42"/></radialGradient>
<radialGradient id="nicheLit" cx="0.5" cy="0.4" r="0.6">
  <stop offset="0" stop-color="#fbf0d0"/><stop offset="0.75" stop-color="#f0dcaa"/>
  <stop offset="1" stop-color="#c9a66b"/></radialGradient>
<linearGradient id="wallWood" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#5a341a"/><stop offset="0.5" stop-color="#6b3f1f"/>
  <stop offset="1" stop-color="#4f2d16"/></linearGradient>
<radialGradient id="lamp" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#ffe9a8" stop-opacity="0.35"/>
  <stop offset="1" stop-color="#ffd080" stop-opacity="0"/></radialGradient>"""


def wall():
    """Vertical planks of the cabin wall."""
    out = ""
    x = 0
    k = 0
    while x < 1024:
        w = 92 if k % 2 == 0 else 78
        out += (f'<rect x="{x}" y="0" width="{w}" height="768" fill="url(#wallWood)"/>'
                f'<path d="M{x + 1},0 V768" stroke="{WOOD_LIGHT}" stroke-width="1" opacity="0.35"/>'
                f'<path d="M{x + w - 1},0 V768" stroke="#2b1a0c" stroke-width="2" opacity="0.7"/>')
        for y in (60, 700):
            out += rivet(x + w / 2, y, 3)
        x += w
        k += 1
    out += grain(0, 0, 1024, 768, 30, horizontal=False, opacity=0.12)
    return out


def niche(cx, cy):
    r = 66
    return (f'<circle cx="{cx}" cy="{cy}" r="{r + 6}" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#nicheLit)" stroke="{GOLD_DARK}" stroke-width="1.5"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r - 6}" fill="none" stroke="{PARCH_DARK}" stroke-width="1" '
            f'stroke-dasharray="3 5"/>'
            # a soft shade at the top where the rim overhangs
            f'<path d="M{cx - r + 8},{cy - 20} A{r - 8},{r - 8} 0 0 1 {cx + r - 8},{cy - 20}" stroke="#6b3f1f" '
            f'stroke-width="6" fill="none" opacity="0.18"/>')


def back():
    body = f'<rect width="1024" height="768" fill="#4f2d16"/>' + wall()
    # lamp light from above
    body += '<ellipse cx="512" cy="300" rx="620" ry="420" fill="url(#lamp)"/>'
    # the cabinet: wood frame with a gold bead, velvet inside
    x, y, w, h = 40, 92, 944, 584
    body += shadow(plank(x, y, w, h, r=16, sw=3))
    body += rrect(x + 16, y + 16, w - 32, h - 32, 10, "url(#gold)", sw=1.5)
    body += rrect(x + 20, y + 20, w - 40, h - 40, 8, "url(#velvet)", stroke=GOLD_DARK, sw=1)
    for cx, cy in ((x + 9, y + 9), (x + w - 9, y + 9), (x + 9, y + h - 9), (x + w - 9, y + h - 9)):
        body += rivet(cx, cy, 5)
    # shelves between the rows
    for sy in (290, 470):
        body += (f'<path d="M{x + 24},{sy} H{x + w - 24}" stroke="{GOLD_DARK}" stroke-width="2" opacity="0.6"/>'
                 f'<path d="M{x + 24},{sy + 2} H{x + w - 24}" stroke="{GOLD_LIGHT}" stroke-width="1" opacity="0.25"/>')
    for cy in ROWS:
        for cx in COLS:
            body += niche(cx, cy)
    # heading plaque (text at y 20, 36 px) and hint plaque (text at y 725, 28 px)
    body += shadow(plaque(262, 10, 500, 62, r=12, sw=2))
    body += shadow(plaque(232, 716, 560, 46, r=10, sw=2))
    for cx in (250, 774):
        body += rivet(cx, 41, 5)
    return Image(1024, 768, body)


def details_panel():
    img = award_panel(head_h=126, niche_top=152, niche_h=148)
    img.body = f"<defs>{AWARD_DEFS}</defs>" + img.body
    return img


def images():
    g = back()
    g.body = f"<defs>{DEFS}</defs>" + g.body
    return {
        "gfx/gui/awardScreen/back.jpg": g,
        "gfx/gui/showAward/panel.png": details_panel(),
        f"gfx/gui/showAward/{LANG}/ok.png": Strip(140, 42, [caption("Aye!", 140, s) for s in STATES]),
    }
