"""The lose screen: the panel that drops over a lost level and its three caption buttons.

The game writes its message in gold 180 px above the panel's centre, in a column 60 px in
from either side, and slides the buttons in rows 74, 4 and 66 px around that centre, so the
panel is dark water inside a wooden frame with room for two lines of text above the buttons
and the sunken chest below them.
"""
from svgkit import Image, Strip, rrect, plank, rivet, text, shadow, state_wrap, STATES, \
    INK, GOLD, GOLD_LIGHT, GOLD_DARK, SEA_LIGHT, FOAM, WOOD_DARK, WOOD, RED

LANG = "en"
# Centred on x 512 as the game draws it, the frame ends at x 752 where the right column begins.
W, H = 488, 440
BUTTON_W, BUTTON_H = 250, 50

# file name -> caption (the same words as lines 1-3 of txt/<lang>/loseScreen.txt)
BUTTONS = {"restart": "Try again", "mapa": "Sea map", "mainmenu": "Main menu"}

DEEP = ('<linearGradient id="deep" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#1f4562"/><stop offset="0.6" stop-color="#143049"/>'
        '<stop offset="1" stop-color="#0b1b29"/></linearGradient>')


def sunken_chest(cx, cy):
    """A small chest lying tilted on the sea bed, lid ajar, a few coins spilt and bubbles rising."""
    chest = (f'<g transform="translate({cx},{cy}) rotate(-10)">'
             f'<rect x="-34" y="-8" width="68" height="34" rx="4" fill="{WOOD}" stroke="{INK}" stroke-width="2"/>'
             f'<path d="M-34,-8 Q0,-34 34,-8 Z" fill="{WOOD_DARK}" stroke="{INK}" stroke-width="2" '
             f'transform="rotate(-14 -34 -8)"/>'
             f'<rect x="-24" y="-8" width="7" height="34" fill="url(#gold)" stroke="{INK}" stroke-width="1"/>'
             f'<rect x="17" y="-8" width="7" height="34" fill="url(#gold)" stroke="{INK}" stroke-width="1"/>'
             f'<rect x="-5" y="2" width="10" height="11" rx="2" fill="url(#gold)" stroke="{INK}" stroke-width="1"/>'
             f'</g>')
    coins = "".join(f'<ellipse cx="{cx + dx}" cy="{cy + dy}" rx="6" ry="3" fill="url(#gold)" stroke="{INK}" '
                    f'stroke-width="1"/>' for dx, dy in ((46, 30), (56, 27), (-48, 31), (40, 33)))
    bubbles = "".join(f'<circle cx="{cx + dx}" cy="{cy + dy}" r="{r}" fill="none" stroke="{FOAM}" '
                      f'stroke-width="1.5" opacity="0.55"/>' for dx, dy, r in
                      ((22, -32, 4), (29, -44, 3), (-9, -34, 2.5), (-3, -44, 2)))
    return shadow(chest) + coins + bubbles


def panel():
    body = plank(4, 4, W - 10, H - 10, r=20, sw=3)
    body += rrect(24, 24, W - 50, H - 50, 12, "url(#deep)", sw=2)
    body += rrect(29, 29, W - 60, H - 60, 9, "none", stroke=GOLD_DARK, sw=1.5)
    # light playing on the water near the top, sand and weed at the bottom
    for i, y in enumerate((60, 82, 104)):
        body += (f'<path d="M{60 + i * 14},{y} q30,-8 60,0 t60,0 t60,0 t60,0 t60,0 t60,0" fill="none" '
                 f'stroke="{SEA_LIGHT}" stroke-width="1.5" opacity="{0.16 - i * 0.04:.2f}"/>')
    body += (f'<path d="M28,{H - 52} Q120,{H - 76} 220,{H - 60} T{W - 28},{H - 66} V{H - 28} H28 Z" '
             f'fill="#6b5a3a" opacity="0.55"/>')
    for x, h in ((70, 44), (84, 30), (W - 90, 50), (W - 74, 34)):
        body += (f'<path d="M{x},{H - 40} q-8,{-h / 2} 0,{-h} q8,{-h / 2} 2,{-h - 10}" fill="none" '
                 f'stroke="#3e7a4a" stroke-width="4" stroke-linecap="round" opacity="0.8"/>')
    body += sunken_chest(W / 2, H - 74)
    for cx, cy in ((15, 15), (W - 17, 15), (15, H - 17), (W - 17, H - 17)):
        body += rivet(cx, cy, 6)
    # a red pennant pinned to the top edge: the game's mark of a lost fight
    body += (f'<path d="M{W / 2 - 26},6 H{W / 2 + 26} V30 L{W / 2},22 L{W / 2 - 26},30 Z" fill="{RED}" '
             f'stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>')
    return Image(W, H, f'<defs>{DEEP}</defs>' + shadow(body))


def button(label, state):
    fill = GOLD_LIGHT if state == "hover" else GOLD
    w, h = BUTTON_W, BUTTON_H
    body = (rrect(2, 2, w - 6, h - 6, 14, "url(#wood)", sw=2.5) +
            rrect(6, 6, w - 14, h - 14, 10, "none", stroke=GOLD, sw=1.5) +
            rivet(18, h / 2 - 1, 3.5) + rivet(w - 22, h / 2 - 1, 3.5) +
            text((w - 2) / 2, h / 2 + 8, label, 24, fill=fill, family="Averia GWF", sw=3.5, weight="bold"))
    return state_wrap(body, state)


def images():
    out = {"gfx/gui/loseScreen/panel.png": panel()}
    for name, label in BUTTONS.items():
        out[f"gfx/gui/loseScreen/{LANG}/{name}.png"] = Strip(BUTTON_W, BUTTON_H, [button(label, s) for s in STATES])
    return out
