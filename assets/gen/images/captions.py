"""Captions over the board: the praise words that pop in when a line is finished, the
level-completed banner, and the digits and plus sign of the rising score numbers.

The words are drawn large and shown at 0.6 (the banner at full size), centred on their
point. The game puts a praise word's point at y 120 over the board's middle, where a big
board has its column clues: the word is drawn high in a tall picture, so on screen it stands
at about y 62, between the top banner and the clues. The digits keep their top-left corner
and stand side by side, so every digit shares one box and the plus sign is a little
narrower; they are small (a "+25" about 25 px wide on the smallest cells), and their ink rim
is heavy, so a number reads over the gold of the cells it rose from. The play screen gathers
the points of one drag, and of a win, into one number, so a line of scored cells does not
bury the board.
"""
from svgkit import Image, text, shadow, INK, GOLD, GOLD_DARK, GOLD_LIGHT, WOOD_DARK, RED

LANG = "en"

PRAISE = {"magnificent": "Magnificent!", "great": "Great!", "fantastic": "Fantastic!", "superb": "Superb!"}
WORD_W, WORD_H = 500, 330
WORD_BASE = 92               # the word's baseline: its middle about 97 px above the point
BANNER_W, BANNER_H = 620, 150
DIGIT_W, DIGIT_H, PLUS_W = 17, 26, 15

GLINT = ('<linearGradient id="glint" x1="0" y1="0" x2="0" y2="1">'
         f'<stop offset="0" stop-color="{GOLD_LIGHT}"/><stop offset="0.55" stop-color="{GOLD}"/>'
         f'<stop offset="1" stop-color="{GOLD_DARK}"/></linearGradient>')


def word(label):
    body = text(WORD_W / 2, WORD_BASE, label, 74, fill="url(#glint)", sw=9)
    return Image(WORD_W, WORD_H, f'<defs>{GLINT}</defs>' + shadow(body))


def banner(label):
    w, h = BANNER_W, BANNER_H
    # a red ribbon with folded tails behind the gold words
    ribbon = (f'<path d="M20,60 H90 V118 H20 L44,89 Z" fill="#7d2420" stroke="{INK}" stroke-width="3" '
              f'stroke-linejoin="round"/>'
              f'<path d="M{w - 20},60 H{w - 90} V118 H{w - 20} L{w - 44},89 Z" fill="#7d2420" stroke="{INK}" '
              f'stroke-width="3" stroke-linejoin="round"/>'
              f'<path d="M70,40 H{w - 70} V104 H70 Z" fill="{RED}" stroke="{INK}" stroke-width="3" '
              f'stroke-linejoin="round"/>'
              f'<path d="M70,104 L90,118 V104 Z M{w - 70},104 L{w - 90},118 V104 Z" fill="{WOOD_DARK}" '
              f'stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>'
              f'<path d="M78,48 H{w - 78}" stroke="{GOLD}" stroke-width="2" opacity="0.8"/>'
              f'<path d="M78,96 H{w - 78}" stroke="{GOLD}" stroke-width="2" opacity="0.8"/>')
    words = text(w / 2, 92, label, 58, fill="url(#glint)", sw=8)
    return Image(w, h, f'<defs>{GLINT}</defs>' + shadow(ribbon) + shadow(words))


def glyph(ch, w):
    body = text(w / 2, DIGIT_H - 5, ch, 21, fill="url(#glint)", family="Averia GWF", sw=6, weight="bold")
    return Image(w, DIGIT_H, f'<defs>{GLINT}</defs>' + body)


def images():
    out = {}
    for name, label in PRAISE.items():
        out[f"gfx/captions/txt/{LANG}/{name}.png"] = word(label)
    out[f"gfx/captions/txt/{LANG}/level-completed.png"] = banner("Level completed!")
    for d in range(10):
        out[f"gfx/captions/cyfry/{d}.png"] = glyph(str(d), DIGIT_W)
    out["gfx/captions/txt/plus.png"] = glyph("+", PLUS_W)
    return out
