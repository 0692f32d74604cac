"""The shared modal panels: the name entry's board with its caption buttons, the pop-up's answer
buttons (its panel picture is made with the title screen's, which shares it), and the nine pieces
of the parchment scroll.

Scroll geometry the game relies on: the parchment rows start 31 px right of and 52 px below the
scroll's corner, the middle pieces of a roll are drawn 2 px below its end pieces, and the bottom
roll sits 10 px higher than the end pieces' height. So the roll ends are 40 px wide (31 px of
knob, then 9 px of roll end above the row's edge piece), every middle piece is MID px wide, and
the rolls' cylinders are placed to cover the ends of the parchment rows above and below them.
"""
from svgkit import Image, Strip, shadow, rrect, rivet, plank, text, state_wrap, STATES, INK, GOLD, \
    GOLD_DARK, GOLD_LIGHT, WOOD, WOOD_DARK, WOOD_LIGHT, PARCH, PARCH_DARK, PARCH_LIGHT

LANG = "en"

MID = 64          # width of every repeated middle piece
ROW_H = 40        # height of one parchment row
EDGE = 9          # the rows' left and right edge pieces
END_W = 40        # roll end pieces
END_H = 60
ROLL_H = 56       # the rolls' middle pieces
TOP_CYL = (6, 52)     # cylinder band inside the top middle piece (drawn 2 px lower than the ends)
BOT_CYL = (0, 46)     # the same for the bottom roll

ROLL_DEFS = f"""<linearGradient id="roll" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{PARCH_DARK}"/><stop offset="0.18" stop-color="{PARCH_LIGHT}"/>
  <stop offset="0.45" stop-color="{PARCH}"/><stop offset="0.85" stop-color="{PARCH_DARK}"/>
  <stop offset="1" stop-color="#a9864f"/></linearGradient>
<linearGradient id="rodEnd" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="{WOOD_LIGHT}"/><stop offset="0.5" stop-color="{WOOD}"/>
  <stop offset="1" stop-color="{WOOD_DARK}"/></linearGradient>
<linearGradient id="rowEdgeL" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#b8945a"/><stop offset="1" stop-color="{PARCH}"/></linearGradient>
<linearGradient id="rowEdgeR" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="{PARCH}"/><stop offset="1" stop-color="#b8945a"/></linearGradient>"""


def _defs():
    return f"<defs>{ROLL_DEFS}</defs>"


def roll_middle(c0, c1):
    """A stretch of the rolled-up parchment: a shaded cylinder with the paper's loose edge."""
    h = c1 - c0
    return (_defs() +
            f'<rect x="0" y="{c0}" width="{MID}" height="{h}" fill="url(#roll)"/>'
            f'<path d="M0,{c0 + 1} H{MID}" stroke="{INK}" stroke-width="2"/>'
            f'<path d="M0,{c1 - 1} H{MID}" stroke="{INK}" stroke-width="2"/>'
            # the turn of the paper round the roll and a faint fibre
            f'<path d="M0,{c0 + h * 0.7:.1f} H{MID}" stroke="#a9864f" stroke-width="1.2" opacity="0.7"/>'
            f'<path d="M0,{c0 + h * 0.3:.1f} H{MID}" stroke="#fffaf0" stroke-width="1.5" opacity="0.6"/>')


def roll_end(c0, c1, left):
    """The end of a roll: the spiral face of the paper and the wooden rod with its knob."""
    cy = (c0 + c1) / 2
    r = (c1 - c0) / 2
    # drawn for the left end; the right end is its mirror
    face_x = 36
    body = (f'<rect x="{face_x - 2}" y="{c0 + 4}" width="10" height="{c1 - c0 - 8}" fill="{WOOD}" stroke="{INK}" '
            f'stroke-width="1.5"/>'
            f'<rect x="12" y="{cy - 6}" width="{face_x - 10}" height="12" rx="3" fill="url(#rodEnd)" stroke="{INK}" '
            f'stroke-width="1.5"/>'
            f'<ellipse cx="{face_x}" cy="{cy}" rx="7" ry="{r}" fill="url(#roll)" stroke="{INK}" stroke-width="2"/>'
            f'<ellipse cx="{face_x}" cy="{cy}" rx="4.5" ry="{r * 0.62:.1f}" fill="none" stroke="#a9864f" '
            f'stroke-width="1.2"/>'
            f'<ellipse cx="{face_x}" cy="{cy}" rx="2.2" ry="{r * 0.3:.1f}" fill="none" stroke="#a9864f" '
            f'stroke-width="1.2"/>'
            f'<circle cx="14" cy="{cy}" r="11" fill="url(#rodEnd)" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="14" cy="{cy}" r="5" fill="url(#gold)" stroke="{INK}" stroke-width="1"/>'
            f'<circle cx="11" cy="{cy - 4}" r="2.5" fill="{GOLD_LIGHT}" opacity="0.8"/>')
    body = _defs() + shadow(body)
    if not left:
        body = f'<g transform="translate({END_W},0) scale(-1,1)">{body}</g>'
    return Image(END_W, END_H, body)


def row_inner():
    """Open parchment, repeated across and down: faint fibres that stay clear of the seams."""
    body = (f'<rect width="{MID}" height="{ROW_H}" fill="{PARCH}"/>'
            f'<path d="M6,12 C20,10 34,14 46,11" stroke="{PARCH_LIGHT}" stroke-width="1.2" fill="none" opacity="0.5"/>'
            f'<path d="M14,29 C26,31 40,27 58,30" stroke="{PARCH_DARK}" stroke-width="1" fill="none" opacity="0.18"/>')
    return Image(MID, ROW_H, body)


def row_edge(left):
    grad = "rowEdgeL" if left else "rowEdgeR"
    line_x = 0.75 if left else EDGE - 0.75
    body = (_defs() + f'<rect width="{EDGE}" height="{ROW_H}" fill="url(#{grad})"/>'
            f'<path d="M{line_x},0 V{ROW_H}" stroke="{INK}" stroke-width="1.5" opacity="0.85"/>')
    return Image(EDGE, ROW_H, body)


# ---- name entry ---------------------------------------------------------------------------------

NAME_W, NAME_H = 480, 280   # drawn centred on (512, 384)


def name_panel():
    """Dark wood board: the heading is written in white at y 300 (56 px into the board), the name
    at y 357 (113 px in) inside a sunken well, the buttons sit on the lower rail."""
    w, h = NAME_W, NAME_H
    body = plank(4, 4, w - 10, h - 10, r=18, sw=3)
    body += rrect(16, 16, w - 34, h - 34, 12, "none", stroke=GOLD_DARK, sw=2)
    body += rrect(19, 19, w - 40, h - 40, 10, "none", stroke=GOLD, sw=1, extra='opacity="0.6"')
    # a darker band behind the heading so the white title stays crisp on the grain
    body += rrect(40, 44, w - 84, 50, 10, WOOD_DARK, stroke="none", sw=0, extra='opacity="0.55"')
    # the well for the typed name
    body += rrect(50, 102, w - 104, 50, 9, "url(#gold)", sw=2)
    body += rrect(55, 107, w - 114, 40, 6, "#2a170a", stroke=GOLD_DARK, sw=1)
    body += f'<path d="M60,110 H{w - 64}" stroke="#000" stroke-width="3" opacity="0.35"/>'
    body += f'<path d="M40,{h - 100} H{w - 44}" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.7"/>'
    for cx, cy in ((30, 30), (w - 32, 30), (30, h - 32), (w - 32, h - 32)):
        body += rivet(cx, cy, 6)
    return Image(w, h, shadow(body))


BTN_H = 42


def caption_button(label, w, state):
    fill = GOLD_LIGHT if state == "hover" else GOLD
    body = (rrect(2, 2, w - 6, BTN_H - 6, 12, "url(#wood)", sw=2) +
            rrect(5, 5, w - 12, BTN_H - 12, 9, "none", stroke=GOLD, sw=1.2) +
            text((w - 2) / 2, BTN_H / 2 + 6, label, 19, fill=fill, family="Averia GWF", sw=3, weight="bold"))
    return state_wrap(body, state)


def images():
    out = {
        "gfx/gui/papirus/gora-lewo.png": roll_end(TOP_CYL[0] + 2, TOP_CYL[1] + 2, True),
        "gfx/gui/papirus/gora-srodek.png": Image(MID, ROLL_H, roll_middle(*TOP_CYL)),
        "gfx/gui/papirus/gora-prawo.png": roll_end(TOP_CYL[0] + 2, TOP_CYL[1] + 2, False),
        "gfx/gui/papirus/dol-lewo.png": roll_end(BOT_CYL[0] + 2, BOT_CYL[1] + 2, True),
        "gfx/gui/papirus/dol-srodek.png": Image(MID, ROLL_H, roll_middle(*BOT_CYL)),
        "gfx/gui/papirus/dol-prawo.png": roll_end(BOT_CYL[0] + 2, BOT_CYL[1] + 2, False),
        "gfx/gui/papirus/srodek-lewo.png": row_edge(True),
        "gfx/gui/papirus/srodek-prawo.png": row_edge(False),
        "gfx/gui/papirus/srodek-srodek.png": row_inner(),
        "gfx/gui/enterName/panel.png": name_panel(),
    }
    # The pop-up's answers are drawn with the continue scroll's buttons (images/menus.py).
    for folder, name, label, w in (("enterName", "ok", "OK", 140), ("enterName", "cancel", "Cancel", 140)):
        out[f"gfx/gui/{folder}/{LANG}/{name}.png"] = Strip(w, BTN_H, [caption_button(label, w, s) for s in STATES])
    return out
