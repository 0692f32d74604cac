"""Pictures of the winscreen group: the level-won panel and its gallery button.

The panel is drawn centred on (400, 400) of the 1024 x 768 picture, so panel pixel (x, y)
lies at screen (x + 120, y + 80). The game writes on it: the level name at screen y 105,
the picture copy or the statistics table around (403, 311), the score line at y 530, the
statistics button at y 560 and the treasures stream into the chest's mouth at (408, 631).
"""

from svgkit import Image, Strip, rrect, rivet, grain, state_wrap, STATES, INK, WOOD_DARK, WOOD, \
    WOOD_LIGHT, GOLD, GOLD_DARK, GOLD_LIGHT, SEA_DEEP, SEA
from images.menus import caption

LANG = "en"
W, H = 560, 640
# Screen to panel coordinates.
OX, OY = 120, 80


def chest(cx, top):
    """An open treasure chest whose mouth (the summary's target) is at (cx, top)."""
    w, h = 120, 58
    x = cx - w / 2
    lid = (f'<path d="M{x + 6},{top} L{x + 16},{top - 30} Q{cx},{top - 44} {x + w - 16},{top - 30} '
           f'L{x + w - 6},{top} Z" fill="url(#wood)" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>'
           f'<path d="M{x + 12},{top - 6} L{x + 19},{top - 27} Q{cx},{top - 39} {x + w - 19},{top - 27} '
           f'L{x + w - 12},{top - 6} Z" fill="{WOOD_DARK}"/>')
    glow = f'<ellipse cx="{cx}" cy="{top - 2}" rx="66" ry="22" fill="url(#glow)" opacity="0.9"/>'
    coins = "".join(
        f'<circle cx="{cx + dx}" cy="{top + dy}" r="7" fill="url(#gold)" stroke="{GOLD_DARK}" stroke-width="1.2"/>'
        for dx, dy in ((-34, 2), (-20, -4), (-6, 0), (8, -5), (22, -1), (36, 3), (-13, 5), (15, 6)))
    body = (rrect(x, top, w, h, 6, "url(#wood)", sw=2) + grain(x, top, w, h, 3) +
            f'<rect x="{x}" y="{top + 22}" width="{w}" height="9" fill="url(#gold)" stroke="{INK}" stroke-width="1.2"/>'
            f'<rect x="{cx - 9}" y="{top + 16}" width="18" height="22" rx="3" fill="url(#gold)" stroke="{INK}" '
            f'stroke-width="1.5"/>'
            f'<circle cx="{cx}" cy="{top + 25}" r="3" fill="{INK}"/>'
            f'<path d="M{cx - 1.5},{top + 26} h3 v6 h-3 Z" fill="{INK}"/>'
            + rivet(x + 8, top + 10, 2.5) + rivet(x + w - 8, top + 10, 2.5)
            + rivet(x + 8, top + h - 9, 2.5) + rivet(x + w - 8, top + h - 9, 2.5))
    return lid + glow + coins + body


def panel():
    # The board: wood frame, dark wood field with a gold bead, rivets at the corners.
    frame = (rrect(6, 6, W - 14, H - 14, 22, "url(#wood)", sw=3) + grain(6, 6, W - 14, H - 14, 14, opacity=0.2) +
             f'<path d="M30,9.5 H{W - 38}" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.8"/>')
    field = (rrect(24, 24, W - 50, H - 50, 14, WOOD_DARK, stroke=GOLD_DARK, sw=2) +
             rrect(28, 28, W - 58, H - 58, 11, "none", stroke=GOLD, sw=1.2, extra='opacity="0.7"') +
             grain(28, 28, W - 58, H - 58, 18, opacity=0.35))
    corners = "".join(rivet(x, y, 5) for x, y in ((16, 16), (W - 24, 16), (16, H - 24), (W - 24, H - 24)))
    # The window where the picture closes up and the statistics are listed (screen x 150-650,
    # y 156-480): the evening sea seen through a gold-rimmed frame.
    wx, wy, ww, wh = 150 - OX, 156 - OY, 500, 324
    window = (rrect(wx - 6, wy - 6, ww + 12, wh + 12, 14, "url(#gold)", sw=2) +
              rrect(wx, wy, ww, wh, 10, "url(#winsea)", stroke=INK, sw=2) +
              f'<rect x="{wx}" y="{wy}" width="{ww}" height="{wh}" rx="10" fill="url(#vignette)"/>'
              f'<path d="M{wx + 12},{wy + 3} H{wx + ww - 12}" stroke="{GOLD_LIGHT}" stroke-width="1.5" opacity="0.5"/>')
    # The level name's plaque across the top edge (screen y 96-146).
    px, py, pw, ph = 400 - OX - 210, 94 - OY, 420, 52
    name_plaque = (rrect(px, py, pw, ph, 12, "url(#gold)", sw=2) +
                   rrect(px + 5, py + 5, pw - 10, ph - 10, 8, WOOD_DARK, stroke=GOLD_DARK, sw=1) +
                   f'<rect x="{px + 8}" y="{py + 8}" width="{pw - 16}" height="{(ph - 16) * 0.45:.1f}" rx="5" '
                   f'fill="#ffffff" opacity="0.07"/>')
    # A gold rule between the window and the score line.
    rule = (f'<path d="M{200 - OX},{506 - OY} H{600 - OX}" stroke="{GOLD_DARK}" stroke-width="3" '
            f'stroke-linecap="round"/>'
            f'<path d="M{200 - OX},{505 - OY} H{600 - OX}" stroke="{GOLD}" stroke-width="1.2" '
            f'stroke-linecap="round"/>'
            f'<circle cx="{400 - OX}" cy="{506 - OY}" r="5" fill="url(#gold)" stroke="{INK}" stroke-width="1.2"/>')
    defs = (f'<linearGradient id="winsea" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{SEA}"/><stop offset="1" stop-color="{SEA_DEEP}"/></linearGradient>')
    body = (f'<defs>{defs}</defs>' + f'<g filter="url(#drop)">{frame}</g>' + field + corners + window +
            name_plaque + rule + chest(408 - OX, 636 - OY))
    return Image(W, H, body)


def images():
    return {
        "gfx/gui/winScreen/panel.png": panel(),
        f"gfx/gui/winScreen/{LANG}/awards.png": Strip(124, 42, [caption("Awards", 124, s) for s in STATES]),
    }
