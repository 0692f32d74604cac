"""Options screen: the board behind the controls and the two volume sliders.
The slider geometry is fixed by the screen: frame at (380, y), fill from x 390, 395 px long."""
from svgkit import Image, Strip, shadow, rrect, rivet, plank, text, state_wrap, STATES, INK, SEA, SEA_LIGHT, FOAM, \
    GOLD, GOLD_DARK, GOLD_LIGHT, WOOD_DARK, PARCH, PARCH_DARK

LANG = "en"

PANEL_X, PANEL_Y, PANEL_W, PANEL_H = 160, 70, 704, 650
TRACKS_Y = (215, 295)   # top of the fill strip for music and sound
DIVIDER_Y = 524         # between the switches and the buttons that leave (options.gui)


def board(w, h, grooves=()):
    """Parchment sheet on a wooden board, shared by the options and profile panels."""
    body = plank(4, 4, w - 10, h - 10, r=18, sw=3)
    body += rrect(26, 26, w - 54, h - 54, 10, "url(#parch)", sw=2)
    body += rrect(32, 32, w - 66, h - 66, 8, "none", stroke=PARCH_DARK, sw=1.5)
    for cx, cy in ((16, 16), (w - 18, 16), (16, h - 18), (w - 18, h - 18)):
        body += rivet(cx, cy, 6)
    for gx, gy, gw, gh in grooves:
        body += rrect(gx, gy, gw, gh, gh / 2, WOOD_DARK, stroke=INK, sw=1)
    return shadow(body)


# The on and off buttons of the three switches: one picture stands in the place of the other
# when clicked (options.gui gives both the same position), so each shows its state: a sea-lit
# slot with the knob to the right for on, a dark slot with the knob to the left for off.
SWITCH_W, SWITCH_H = 110, 42


def switch(on, label, state):
    w, h = SWITCH_W, SWITCH_H
    cy = h / 2 - 1
    slot = rrect(3, 5, w - 9, h - 12, (h - 12) / 2, "url(#sea)" if on else WOOD_DARK, sw=2)
    rim = rrect(6, 8, w - 15, h - 18, (h - 18) / 2, "none", stroke=GOLD_DARK, sw=1.2)
    kx = w - 23 if on else 20
    knob = (f'<circle cx="{kx}" cy="{cy}" r="14" fill="url(#gold)" stroke="{INK}" stroke-width="1.8"/>'
            f'<circle cx="{kx - 4}" cy="{cy - 5}" r="4" fill="{GOLD_LIGHT}" opacity="0.8"/>')
    tx = 40 if on else w - 43
    caption = text(tx, cy + 6, label, 17, fill=FOAM if on else PARCH, family="Averia GWF", sw=3, weight="bold")
    return state_wrap(slot + rim + caption + knob, state)


def options_panel(grooves):
    """The board, with a line between the settings and the buttons under them that lead away."""
    y = DIVIDER_Y - PANEL_Y
    rule = (f'<path d="M70,{y} H{PANEL_W - 70}" stroke="{PARCH_DARK}" stroke-width="2"/>'
            f'<path d="M70,{y + 3} H{PANEL_W - 70}" stroke="#ffffff" stroke-width="1" opacity="0.5"/>'
            f'<path d="M{PANEL_W / 2 - 7},{y + 1} l7,-7 l7,7 l-7,7 Z" fill="{GOLD}" stroke="{INK}" stroke-width="1"/>')
    return board(PANEL_W, PANEL_H, grooves) + rule


def images():
    grooves = [(390 - PANEL_X, y - PANEL_Y, 395, 18) for y in TRACKS_Y]
    frame = (rrect(1.5, 1.5, 412, 25, 12, "none", stroke=INK, sw=3) +
             rrect(4, 3.5, 407, 21, 10, "none", stroke="url(#gold)", sw=4) +
             rivet(6, 14, 4) + rivet(409, 14, 4))
    fill = (f'<rect x="0" y="0" width="395" height="18" rx="8" fill="url(#sea)"/>'
            + "".join(f'<path d="M{x},11 q6,-5 12,0" stroke="{FOAM}" stroke-width="1.5" fill="none" '
                      f'opacity="0.6"/>' for x in range(6, 390, 16))
            + f'<rect x="2" y="2" width="391" height="5" rx="3" fill="#ffffff" opacity="0.25"/>')
    knob = shadow(rrect(3, 2, 22, 34, 9, "url(#gold)", sw=2) +
                  f'<path d="M10,10 V28 M14,10 V28 M18,10 V28" stroke="{GOLD_DARK}" stroke-width="1.5"/>')
    switches = {f"gfx/gui/options/{LANG}/{name}.png": Strip(SWITCH_W, SWITCH_H, [switch(on, label, st) for st in STATES])
                for name, on, label in (("on", True, "On"), ("off", False, "Off"))}
    return switches | {
        "gfx/gui/options/panel.png": Image(PANEL_W, PANEL_H, options_panel(grooves)),
        "gfx/gui/options/bar.png": Image(415, 28, frame),
        "gfx/gui/options/pasek.png": Image(395, 18, fill),
        "gfx/gui/options/suwak.png": Image(30, 40, knob),
    }
